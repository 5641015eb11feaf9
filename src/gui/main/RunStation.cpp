#include "gui/main/RunStation.h"

#include "QuillerVersion.h"
#include "base/Error.h"
#include "base/Log.h"
#include "gui/help/AppIcon.h"
#include "gui/main/CommandLine.h"
#include "gui/main/QuillerApplication.h"
#include "gui/main/SingleInstance.h"
#include "gui/main/StationWiring.h"
#include "gui/main/WidgetMessageBoxes.h"
#include "gui/main/frmMain.h"
#include "records/Database.h"
#include "records/DatabaseCare.h"
#include "settings/SettingsStore.h"
#include "settings/StationSettings.h"
#include "station/PatientRecords.h"
#include "station/Startup.h"
#include "station/StationContext.h"
#include "station/StationDatabase.h"

#include <QDate>
#include <QDir>
#include <QStandardPaths>
#include <QTimer>

#include <cstdio>

namespace quiller {

int RunStation(int argc, char** argv, const RunOptions& options) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLine commandLine =
        options.parseCommandLine ? ParseCommandLine(arguments) : CommandLine{};
    if (commandLine.exitNow) {
        std::fputs(commandLine.output.toLocal8Bit().constData(),
                   commandLine.exitCode == 0 ? stdout : stderr);
        return commandLine.exitCode;
    }
    if (!commandLine.configFile.isEmpty())
        SettingsStore::UseFile(commandLine.configFile);
    // Stations that share one account's log tell their lines apart by their identifier.
    LogFile::SetStation(StationSettings().StationId());
    if (options.writeLog)
        LogFile::Install();
    if (commandLine.admin.any()) {
        // An administrator's command: no window, no scanner, no second-instance check.
        QCoreApplication tool(argc, argv);
        QString out;
        QString error;
        const int status =
            PatientRecords::RunAdminCommand(commandLine.admin, SettingsStore(), out, error);
        std::fputs(out.toUtf8().constData(), stdout);
        std::fputs(error.toLocal8Bit().constData(), stderr);
        return status;
    }
    if (!commandLine.copyDatabaseTo.isEmpty()) {
        // A tool run: no window, no scanner, no second-instance check.
        QCoreApplication tool(argc, argv);
        try {
            const QString done = CopyStationDatabase(SettingsStore(), commandLine.copyDatabaseTo);
            std::fputs(done.toLocal8Bit().constData(), stdout);
            return 0;
        } catch (const QuillerError& e) {
            std::fputs(
                QStringLiteral("quiller: %1\n").arg(e.description()).toLocal8Bit().constData(),
                stderr);
            return 1;
        }
    }

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
    qCInfo(lcOperator).noquote() << "station starting, version" << QUILLER_VERSION_STRING
                                 << ", settings" << SettingsStore::DefaultLocation();

    QString runtimeDir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtimeDir.isEmpty())
        runtimeDir = QDir::tempPath();
    // A station run on a settings file of its own (a kiosk, a test) is a station of its own.
    QString instanceName = QStringLiteral("quiller");
    if (!commandLine.configFile.isEmpty())
        instanceName +=
            QLatin1Char('-') + QString::number(qHash(SettingsStore::DefaultLocation()), 16);
    SingleInstance instance(runtimeDir, instanceName);

    StationContext context;
    SettingsStore settings;
    std::unique_ptr<frmMain> mainWindow;
    StartupHooks hooks;
    hooks.anotherInstanceRunning = [&] {
        return !instance.TryFirst();
    };
    hooks.templateFolder = Database::TemplateFolder();
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
    // A first run's configuration dialog has set the identifier by now.
    LogFile::SetStation(context.ScannerID);
    if (exitCode)
        return *exitCode;
    QObject::connect(&instance, &SingleInstance::raiseRequested, [&] {
        if (mainWindow) {
            qCInfo(lcOperator) << "brought to the front by a second launch";
            mainWindow->BringToFront();
        }
    });
    // The day's backup of a station that runs for days.
    QTimer backups;
    QObject::connect(&backups, &QTimer::timeout, [&] {
        if (!context.DbConnection || !context.DbConnection->IsOpen())
            return;
        try {
            DatabaseCare::BackUpIfDue(context.DbConnection->Connection(), context.dataPath,
                                      QDate::currentDate());
        } catch (const QuillerError& e) {
            qCWarning(lcStorage).noquote() << "database backup failed:" << e.description();
        }
    });
    backups.start(60 * 60 * 1000);
    if (options.mainWindowShown && mainWindow)
        QTimer::singleShot(0, mainWindow.get(), [&] { options.mainWindowShown(*mainWindow); });
    const int status = application.exec();
    mainWindow.reset();
    context.DbConnection.reset();
    qCInfo(lcOperator) << "station ended, status" << status;
    return status;
}

} // namespace quiller
