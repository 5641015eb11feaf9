#include "app/Main.h"

#include "app/AppState.h"
#include "app/Error.h"
#include "app/QuillerApplication.h"
#include "app/Startup.h"
#include "app/StationWiring.h"
#include "app/WidgetMessageBoxes.h"
#include "app/frmMain.h"
#include "help/AppIcon.h"
#include "intake/Database.h"
#include "settings/SettingsStore.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>
#include <QTimer>

namespace quiller {

int RunStation(int argc, char** argv, const RunOptions& options) {
    QuillerApplication application(argc, argv);
    // Closing the main window hides it to the tray; the program ends only after the
    // real exit, when no window is left.
    application.setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(ApplicationIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("quiller"));
    InstallWidgetMessageBoxes();
    if (options.installScanners)
        options.installScanners();
    else
        InstallScannerFactory();

    QString runtimeDir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtimeDir.isEmpty())
        runtimeDir = QDir::tempPath();
    QLockFile instanceLock(runtimeDir + QStringLiteral("/quiller.lock"));
    instanceLock.setStaleLockTime(0);

    SettingsStore settings;
    std::unique_ptr<frmMain> mainWindow;
    StartupHooks hooks;
    hooks.anotherInstanceRunning = [&] {
        return !instanceLock.tryLock(0);
    };
    hooks.templateFolder = QCoreApplication::applicationDirPath();
    hooks.showConfigurationDialogModal = [] {
        ShowConfiguration(nullptr);
    };
    hooks.showMainWindow = [&] {
        mainWindow = std::make_unique<frmMain>();
        WireMainWindow(*mainWindow);
        mainWindow->show();
        mainWindow->Form_Load();
    };

    std::optional<int> exitCode;
    try {
        exitCode = Main(App(), settings, hooks);
    } catch (const QuillerError& e) {
        QuillerApplication::FailWithRuntimeError(e.number(), e.description());
    }
    if (exitCode)
        return *exitCode;
    if (options.mainWindowShown && mainWindow)
        QTimer::singleShot(0, mainWindow.get(), [&] { options.mainWindowShown(*mainWindow); });
    const int status = application.exec();
    mainWindow.reset();
    App().DbConnection.reset();
    return status;
}

} // namespace quiller
