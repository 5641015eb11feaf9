#include "app/Main.h"

#include "app/AppState.h"
#include "app/Error.h"
#include "app/QuillerApplication.h"
#include "app/Startup.h"
#include "app/WidgetMessageBoxes.h"
#include "intake/Database.h"
#include "settings/SettingsStore.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

namespace quiller {

int RunStation(int argc, char** argv) {
    QuillerApplication application(argc, argv);
    InstallWidgetMessageBoxes();

    QString runtimeDir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtimeDir.isEmpty())
        runtimeDir = QDir::tempPath();
    QLockFile instanceLock(runtimeDir + QStringLiteral("/quiller.lock"));
    instanceLock.setStaleLockTime(0);

    SettingsStore settings;
    StartupHooks hooks;
    hooks.anotherInstanceRunning = [&] { return !instanceLock.tryLock(0); };
    hooks.templateFolder = QCoreApplication::applicationDirPath();
    hooks.showConfigurationDialogModal = [] {};
    hooks.showMainWindow = [] {};

    std::optional<int> exitCode;
    try {
        exitCode = Main(App(), settings, hooks);
    } catch (const QuillerError& e) {
        QuillerApplication::FailWithRuntimeError(e.number(), e.description());
    }
    if (exitCode)
        return *exitCode;
    const int status = application.exec();
    App().DbConnection.reset();
    return status;
}

} // namespace quiller
