#include "station/Startup.h"

#include "base/Error.h"
#include "base/Log.h"
#include "base/MessageBoxes.h"
#include "intake/LockFile.h"
#include "records/Database.h"
#include "records/DatabaseCare.h"
#include "settings/DatabaseSettings.h"
#include "settings/SettingsStore.h"
#include "settings/StationSettings.h"
#include "station/DataPrivacy.h"
#include "station/PatientRecords.h"
#include "station/StationContext.h"
#include "station/StationDatabase.h"

#include <QCoreApplication>
#include <QDate>
#include <QFileInfo>

namespace quiller {

QString ConfigureNowQuestion() {
    return QCoreApplication::translate(
        "Startup", "The configuration must be done before using this program. Configure it now?");
}

QString DamagedDatabaseMessage(const QString& file, const QString& found) {
    return QCoreApplication::translate("Startup",
                                       "The database %1 is damaged and the station cannot use it "
                                       "(%2).\n\nThere is no good backup of it in the folder "
                                       "Backups beside it; ask your administrator for help.")
        .arg(FileSystem::Native(file), found);
}

QString RestoreBackupQuestion(const QString& file, const QString& found, const QString& backup) {
    return QCoreApplication::translate(
               "Startup",
               "The database %1 is damaged and the station cannot use it (%2).\n\n"
               "The newest good backup in the folder Backups is %3 (%4). Restore it now? The "
               "damaged file is kept beside it as %5.damaged-<date and time>; prescriptions "
               "recorded after the backup must be taken again.\n\nNo closes the program.")
        .arg(FileSystem::Native(file), found, QFileInfo(backup).fileName(),
             QFileInfo(backup).lastModified().toString(QStringLiteral("yyyy-MM-dd HH:mm")),
             QFileInfo(file).fileName());
}

QString DatabaseRefusedMessage(const QString& why) {
    return QCoreApplication::translate(
               "Startup", "The database server refused the station:\n\n%1\n\nCheck the "
                          "user name, the database name and the password (in ~/.pgpass or a "
                          "service file) with your administrator; trying again will not help.")
        .arg(why);
}

QString NetworkDatabaseMessage(const QString& file, const QString& fileSystem) {
    return QCoreApplication::translate(
               "Startup", "The database %1 lies on a network file system (%2). Records can be "
                          "lost there when two programs use it; keep the image folder on a "
                          "local disk.")
        .arg(FileSystem::Native(file), fileSystem);
}

std::optional<int> Main(StationContext& app, SettingsStore& settings, const StartupHooks& hooks) {
    // 1. A second copy ends silently.
    if (hooks.anotherInstanceRunning && hooks.anotherInstanceRunning())
        return 0;

    // 3. The station's basic settings.
    StationSettings typed(settings);
    app.dataPath = typed.ImageFolder();
    app.filePath = typed.InterchangeFolder();
    app.ScannerID = typed.StationId();

    // An identifier that is not one letter or digit would match no data file (or the
    // wrong ones): the operator is told and configures the station.
    if (!app.ScannerID.isEmpty() && !DataPrivacy::IsValidStationId(app.ScannerID)) {
        const QString problem = DataPrivacy::StationIdProblem(app.ScannerID);
        qCWarning(lcSettings).noquote() << problem;
        MessageBoxes::Show(problem, MsgIcon::Exclamation);
        app.ScannerID.clear();
    }

    // 4. First-run configuration.
    if (app.dataPath.isEmpty() || app.filePath.isEmpty() || app.ScannerID.isEmpty()) {
        for (;;) {
            hooks.showConfigurationDialogModal();
            app.dataPath = typed.ImageFolder();
            app.filePath = typed.InterchangeFolder();
            app.ScannerID = typed.StationId();
            if (!app.dataPath.isEmpty() && !app.filePath.isEmpty())
                break;
            const MsgAnswer answer = MessageBoxes::Show(
                MessageBoxRequest{ConfigureNowQuestion(), QStringLiteral("Continue?"),
                                  MsgIcon::Question, MsgButtons::YesNo, MsgAnswer::Yes});
            if (answer != MsgAnswer::Yes)
                return 0;
        }
    }

    // 5.-7. The one connection: the file in the image folder or the pharmacy's server.
    // A dialog left without a usable identifier: the station runs as one without a
    // letter, taking no data file, and the dialog comes again at the next start.
    if (!DataPrivacy::IsValidStationId(app.ScannerID))
        app.ScannerID.clear();

    // What the station creates from here on starts private to this account, or to the
    // image folder's operators' group.
    DataPrivacy::ApplyCreationMask(app.dataPath);

    // A file that exists but is not a sound database is damaged, never replaced by a new
    // empty one; a good backup can be put in its place. An unreachable server may come
    // back: the operator chooses to try again or to stop.
    QString restored; // what a restore of a backup put in place, for the audit trail
    if (!typed.Database().server) {
        const QString file = Database::PathIn(app.dataPath);
        const DatabaseCare::FileHealth health = DatabaseCare::InspectFile(file);
        if (health.kind == DatabaseCare::FileHealth::Damaged) {
            qCWarning(lcStorage).noquote() << "database damaged:" << file << health.finding;
            const QString backup = DatabaseCare::NewestGoodBackup(app.dataPath);
            if (backup.isEmpty()) {
                MessageBoxes::Show(DamagedDatabaseMessage(file, health.finding), MsgIcon::Critical);
                return 1;
            }
            const MsgAnswer answer = MessageBoxes::Show(MessageBoxRequest{
                RestoreBackupQuestion(file, health.finding, backup), QStringLiteral("Restore?"),
                MsgIcon::Question, MsgButtons::YesNo, MsgAnswer::No});
            if (answer != MsgAnswer::Yes)
                return 1;
            try {
                const QString aside = DatabaseCare::RestoreBackup(app.dataPath, backup);
                restored = QStringLiteral("backup %1; the damaged file kept as %2")
                               .arg(QFileInfo(backup).fileName(), aside);
            } catch (const QuillerError& e) {
                MessageBoxes::Show(e.description(), MsgIcon::Critical);
                return 1;
            }
        }
        Database::EnsureFile(app.dataPath, hooks.templateFolder);
    }
    while (!app.DbConnection || !app.DbConnection->IsOpen()) {
        try {
            OpenStationDatabase(app, settings, hooks.templateFolder);
        } catch (const QuillerError& e) {
            qCWarning(lcStorage).noquote() << "database cannot be opened:" << e.description();
            if (e.number() == kErrorServerRefused) {
                MessageBoxes::Show(DatabaseRefusedMessage(e.description()), MsgIcon::Critical);
                return 1;
            }
            if (e.number() == kErrorUpgradeFailed || e.number() == kErrorBadSetting) {
                MessageBoxes::Show(e.description(), MsgIcon::Critical);
                return 1;
            }
            if (e.number() != kErrorServerUnavailable) {
                MessageBoxes::Show(
                    QCoreApplication::translate("Startup", "The connection with database cannot be "
                                                           "established.\n\n%1")
                        .arg(e.description()),
                    MsgIcon::Critical);
                return 1;
            }
            const MsgAnswer answer = MessageBoxes::Show(MessageBoxRequest{
                UnreachableServerQuestion(e.description()), QStringLiteral("Continue?"),
                MsgIcon::Question, MsgButtons::YesNo, MsgAnswer::Yes});
            if (answer != MsgAnswer::Yes)
                return 0;
        }
    }

    // The restore is recorded in the restored database, once it is open with its
    // current schema (an older backup gains the audit trail by the upgrade).
    if (!restored.isEmpty())
        PatientRecords::RecordAccess(app, QStringLiteral("restore backup"), QString(), QString(),
                                     restored);

    // SQLite's locking cannot be trusted on a network file system.
    const QString network = app.DbConnection->engine() == Engine::Sqlite
                                ? DatabaseCare::NetworkFileSystemOf(app.dataPath)
                                : QString();
    if (!network.isEmpty())
        MessageBoxes::Show(NetworkDatabaseMessage(app.DbConnection->FilePath(), network),
                           MsgIcon::Exclamation);
    // Patient data other accounts can read: said once, with the commands that fix it.
    const QString exposed =
        DataPrivacy::ReadableByOthersMessage(app.dataPath, app.DbConnection->FilePath());
    if (!exposed.isEmpty()) {
        qCWarning(lcStorage).noquote() << exposed;
        MessageBoxes::Show(exposed, MsgIcon::Exclamation);
    }
    // The day's backup, when none was made yet today.
    const QString backupFailed = BackUpDaily(app, QDate::currentDate());
    if (!backupFailed.isEmpty())
        MessageBoxes::Show(backupFailed, MsgIcon::Exclamation);

    // 8. The scanner position recorded in the database wins over the setting. The row
    // holds only the position; the device's name is setting ScannerDevice, written beside
    // both by the configuration dialog, and where it is set the scanner is found by name
    // (its position may have changed since), the position serving older settings only.
    // A server's Configuration row would be every station's: there the setting alone
    // keeps the station's own scanner.
    const std::optional<QString> source = app.DbConnection->engine() == Engine::Sqlite
                                              ? app.DbConnection->ReadScannerSource()
                                              : std::nullopt;
    bool positionRead = false;
    const int position = source ? source->trimmed().toInt(&positionRead) : -1;
    if (positionRead)
        typed.SetScannerPosition(position);

    // 9. This station's stale lock file.
    LockFile::Remove(app.LockFilePath());

    // 10. The main window.
    hooks.showMainWindow();
    return std::nullopt;
}

} // namespace quiller
