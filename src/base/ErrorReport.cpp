#include "base/ErrorReport.h"

#include "base/MessageBoxes.h"
#include <QCoreApplication>

namespace quiller {

QString ErrorReportText(const ErrorInfo& error) {
    // Four lines joined by carriage return and line feed. One pass, so a "%1" inside a
    // description or source is shown as it stands.
    return QStringLiteral("%1 \t%2\r\n%3 \t%4\r\n%5 \t%6\r\n%7 \t%8")
        .arg(QCoreApplication::translate("ErrorReport", "Error Number:"),
             QString::number(error.number),
             QCoreApplication::translate("ErrorReport", "Description:"), error.description,
             QCoreApplication::translate("ErrorReport", "Error Source:"), error.source,
             QCoreApplication::translate("ErrorReport", "Last DLL Error:"),
             QString::number(error.lastSystemError));
}

void ReportError(const ErrorInfo& error, const QString& location) {
    MessageBoxRequest request;
    request.text = ErrorReportText(error);
    request.caption =
        location.isEmpty() ? AppTitle() : AppTitle() + QStringLiteral(" - ") + location;
    request.icon = MsgIcon::NoIcon;
    request.buttons = MsgButtons::Ok;
    MessageBoxes::Show(request);
}

void ReportError(const QuillerError& error, const QString& location) {
    ReportError(error.info(), location);
}

} // namespace quiller
