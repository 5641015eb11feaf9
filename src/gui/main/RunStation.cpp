#include "gui/main/RunStation.h"

#include "QuillerVersion.h"
#include "base/Error.h"
#include "base/Log.h"
#include "base/MessageBoxes.h"
#include "gui/help/AppIcon.h"
#include "gui/main/CommandLine.h"
#include "gui/main/QuillerApplication.h"
#include "gui/main/SingleInstance.h"
#include "gui/main/StationWiring.h"
#include "gui/main/Translations.h"
#include "gui/main/WidgetMessageBoxes.h"
#include "gui/main/frmMain.h"
#include "records/Database.h"
#include "records/DatabaseServer.h"
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
#include <optional>

namespace quiller {

int RunStation(int argc, char** argv, const RunOptions& options) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    // Everything the station says, its help included, is in the system's language.
    Translations translations;
    CommandLine commandLine;
    if (options.parseCommandLine) {
        // The help and the command line's complaints are translated while parsing, which
        // needs an application object; the program's own is made only after it.
        std::optional<QCoreApplication> parsing;
        if (!QCoreApplication::instance())
            parsing.emplace(argc, argv);
        translations.Install();
        commandLine = ParseCommandLine(arguments);
        translations.Remove();
    }
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
        translations.Install();
        QString out;
        QString error;
        const int status =
            PatientRecords::RunAdminCommand(commandLine.admin, SettingsStore(), out, error);
        std::fputs(out.toUtf8().constData(), stdout);
        std::fputs(error.toLocal8Bit().constData(), stderr);
        return status;
    }
    if (commandLine.copyDatabase) {
        // A tool run: no window, no scanner, no second-instance check. An empty or
        // malformed target is refused before anything is opened.
        const auto fail = [](const QString& why, int code) {
            const QString nothing = QStringLiteral("Nothing was copied");
            const QString text =
                why.startsWith(nothing) ? why : nothing + QStringLiteral(": ") + why;
            std::fputs(QStringLiteral("quiller: %1\n").arg(text).toLocal8Bit().constData(), stderr);
            return code;
        };
        try {
            ParseConnectionString(commandLine.copyDatabaseTo);
        } catch (const QuillerError& e) {
            return fail(e.description(), 2);
        }
        QCoreApplication tool(argc, argv);
        translations.Install();
        try {
            const QString done = CopyStationDatabase(SettingsStore(), commandLine.copyDatabaseTo);
            std::fputs(done.toLocal8Bit().constData(), stdout);
            return 0;
        } catch (const QuillerError& e) {
            return fail(e.description(), 1);
        }
    }

    QuillerApplication application(argc, argv);
    translations.Install();
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
        const QString failed = BackUpDaily(context, QDate::currentDate());
        if (!failed.isEmpty())
            MessageBoxes::Show(failed, MsgIcon::Exclamation);
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
