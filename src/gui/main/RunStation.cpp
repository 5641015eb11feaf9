#include "gui/main/RunStation.h"

#include "base/Error.h"
#include "gui/help/AppIcon.h"
#include "gui/main/QuillerApplication.h"
#include "gui/main/StationWiring.h"
#include "gui/main/WidgetMessageBoxes.h"
#include "gui/main/frmMain.h"
#include "records/Database.h"
#include "settings/SettingsStore.h"
#include "station/Startup.h"
#include "station/StationContext.h"

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

    StationContext context;
    SettingsStore settings;
    std::unique_ptr<frmMain> mainWindow;
    StartupHooks hooks;
    hooks.anotherInstanceRunning = [&] {
        return !instanceLock.tryLock(0);
    };
    hooks.templateFolder = QCoreApplication::applicationDirPath();
    hooks.showConfigurationDialogModal = [&] {
        ShowConfiguration(context, nullptr);
    };
    hooks.showMainWindow = [&] {
        mainWindow = std::make_unique<frmMain>(context);
        WireMainWindow(*mainWindow);
        mainWindow->show();
        mainWindow->Form_Load();
    };

    std::optional<int> exitCode;
    try {
        exitCode = Main(context, settings, hooks);
    } catch (const QuillerError& e) {
        QuillerApplication::FailWithRuntimeError(e.number(), e.description());
    }
    if (exitCode)
        return *exitCode;
    if (options.mainWindowShown && mainWindow)
        QTimer::singleShot(0, mainWindow.get(), [&] { options.mainWindowShown(*mainWindow); });
    const int status = application.exec();
    mainWindow.reset();
    context.DbConnection.reset();
    return status;
}

} // namespace quiller
