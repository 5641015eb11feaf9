#include "base/ErrorReport.h"

#include "base/MessageBoxes.h"

namespace quiller {

QString ErrorReportText(const ErrorInfo& error) {
    // Four lines joined by carriage return and line feed.
    return QStringLiteral("Error Number: \t%1\r\nDescription: \t%2\r\nError Source: \t%3\r\n"
                          "Last DLL Error: \t%4")
        // One pass, so a "%1" inside a description or source is shown as it stands.
        .arg(QString::number(error.number), error.description, error.source,
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
