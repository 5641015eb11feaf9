#include "app/ErrorReport.h"

#include "app/MessageBoxes.h"

namespace quiller {

QString ErrorReportText(const ErrorInfo& error) {
    return QStringLiteral("Error Number: \t%1\nDescription: \t%2\nError Source: \t%3\n"
                          "Last DLL Error: \t%4")
        .arg(error.number)
        .arg(error.description, error.source)
        .arg(error.lastSystemError);
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
