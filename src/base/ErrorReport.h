#pragma once

#include "base/Error.h"

namespace quiller {

// The shared error report: an OK-only box with the error's four lines, captioned with
// the program's title followed by the location ("Timer1_Timer of frmScan").
void ReportError(const ErrorInfo& error, const QString& location);
void ReportError(const QuillerError& error, const QString& location);

// The four lines alone, as shown in the box.
QString ErrorReportText(const ErrorInfo& error);

} // namespace quiller
