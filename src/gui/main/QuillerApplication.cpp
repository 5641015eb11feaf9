#include "gui/main/QuillerApplication.h"

#include "QuillerVersion.h"
#include "base/Error.h"
#include "base/MessageBoxes.h"
#include "base/ProgramEnd.h"

namespace quiller {

QuillerApplication::QuillerApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(AppTitle());
    setOrganizationName(QStringLiteral("Quiller"));
    setApplicationVersion(QStringLiteral(QUILLER_VERSION_STRING));
}

bool QuillerApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const QuillerError& e) {
        FailWithRuntimeError(e.number(), e.description());
    } catch (const std::exception& e) {
        FailWithRuntimeError(kErrorUnknown, QString::fromLocal8Bit(e.what()));
    }
    return false;
}

void QuillerApplication::FailWithRuntimeError(int number, const QString& description) {
    MessageBoxes::Show(tr("Run-time error %1:\n\n%2").arg(number).arg(description),
                       MsgIcon::Critical);
    // The program ends at once: no window's unload runs and nothing is saved.
    EndProgramAtOnce(kRuntimeErrorExitCode);
}

} // namespace quiller
