#include "station/PatientRecords.h"

#include "base/Error.h"
#include "base/FileSystem.h"
#include "base/Log.h"
#include "records/AuditTrail.h"
#include "records/Database.h"
#include "records/DeletedPrescriptions.h"
#include "settings/DatabaseSettings.h"
#include "settings/SettingsStore.h"
#include "settings/StationSettings.h"
#include "station/ImageNaming.h"
#include "station/ImageStore.h"
#include "station/StationContext.h"
#include "station/StationDatabase.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <utility>

namespace quiller {

namespace PatientRecords {

namespace {

Database& OpenDatabase(const StationContext& app, const QString& source) {
    Database* db = app.DbConnection.get();
    if (!db || !db->IsOpen())
        throw QuillerError(
            kErrorUnknown,
            QCoreApplication::translate("PatientRecords", "The database is not open."), source);
    return *db;
}

// Renames without ever replacing a file; throws naming both paths and the reason.
void MoveFile(const QString& from, const QString& to, const QString& source) {
    if (QFileInfo::exists(to) || QFileInfo(to).isSymLink()) {
        errno = EEXIST;
        throw FileError(
            QCoreApplication::translate("PatientRecords", "Cannot move %1 to %2: the name is taken")
                .arg(FileSystem::Native(from), FileSystem::Native(to)),
            source);
    }
    QFile file(from);
    errno = 0;
    if (!file.rename(to))
        throw FileError(
            QCoreApplication::translate("PatientRecords", "Cannot move %1 to %2: %3")
                .arg(FileSystem::Native(from), FileSystem::Native(to), file.errorString()),
            source);
}

// A kept image's place as stored: Deleted/ and one safe file name, nothing else.
bool IsDeletedImagePath(const QString& keptAs) {
    const QString prefix = DeletedFolder() + QLatin1Char('/');
    return keptAs.startsWith(prefix) && IsSafeImageName(keptAs.mid(prefix.size()));
}

} // namespace

namespace {

void WriteAccess(const StationContext& app, const AuditEntry& entry, const QDateTime& at) {
    Database* db = app.DbConnection.get();
    try {
        if (!db || !db->IsOpen())
            throw QuillerError(kErrorUnknown, QStringLiteral("the database is not open"),
                               QStringLiteral("AuditTrail.Append"));
        AuditTrail::Append(db->Connection(), entry, at);
    } catch (const QuillerError& e) {
        qCWarning(lcStorage).noquote() << QStringLiteral("audit entry \"%1\" not recorded: %2")
                                              .arg(entry.action, e.description());
    }
}

} // namespace

void RecordAccess(const StationContext& app, const QString& action, const QString& rxNbr,
                  const QString& refNo, const QString& detail, const QString& outcome) {
    const QDateTime at = QDateTime::currentDateTimeUtc();
    if (app.accessHolds > 0) {
        app.heldAccesses.append({action, rxNbr, refNo, detail, outcome, at});
        return;
    }
    WriteHeldAccesses(app);
    WriteAccess(app, AuditEntry{app.ScannerID, action, rxNbr, refNo, detail, outcome}, at);
}

void WriteHeldAccesses(const StationContext& app) {
    const QList<StationContext::HeldAccess> held = std::exchange(app.heldAccesses, {});
    for (const StationContext::HeldAccess& h : held)
        WriteAccess(app, AuditEntry{app.ScannerID, h.action, h.rxNbr, h.refNo, h.detail, h.outcome},
                    h.at);
}

void DeleteKeepingImage(const StationContext& app, const QString& rxNbr, const QString& refNo,
                        const QString& imageName) {
    const QString source = QStringLiteral("Deletion");
    try {
        Database& db = OpenDatabase(app, source);
        QString keptAs;
        QString kept;
        const QString image = IsSafeImageName(imageName) ? app.ImagePath(imageName) : QString();
        if (!image.isEmpty() && QFileInfo(image).isFile() && !QFileInfo(image).isSymLink()) {
            const QString folder = FileSystem::MakeFolder(app.dataPath, DeletedFolder());
            const QString base = ImageStore::StampedName(QFileInfo(imageName).completeBaseName(),
                                                         QDateTime::currentDateTime());
            QString name = base + QStringLiteral(".jpg");
            for (int n = 2; QFileInfo::exists(FileSystem::Join(folder, name)); ++n)
                name = base + QStringLiteral(" %1.jpg").arg(n);
            kept = FileSystem::Join(folder, name);
            MoveFile(image, kept, source);
            keptAs = DeletedFolder() + QLatin1Char('/') + name;
        }
        bool moved = false;
        try {
            moved = DeletedPrescriptions::Move(db, rxNbr, refNo, keptAs, app.ScannerID,
                                               AuditTrail::OsAccount());
        } catch (...) {
            if (!kept.isEmpty())
                QFile::rename(kept, image);
            throw;
        }
        if (!moved) {
            if (!kept.isEmpty())
                QFile::rename(kept, image);
            throw QuillerError(kErrorUnknown,
                               QCoreApplication::translate(
                                   "PatientRecords", "Prescription %1-%2 is no longer recorded.")
                                   .arg(rxNbr, refNo),
                               source);
        }
        qCInfo(lcView).noquote() << QStringLiteral("prescription deleted: RxNbr %1 RefNo %2, "
                                                   "record kept, image kept as %3")
                                        .arg(rxNbr, refNo,
                                             keptAs.isEmpty() ? QStringLiteral("-") : keptAs);
        RecordAccess(app, QStringLiteral("delete"), rxNbr, refNo, keptAs);
    } catch (const QuillerError& e) {
        RecordAccess(app, QStringLiteral("delete"), rxNbr, refNo, QString(),
                     QStringLiteral("failed: ") + e.description());
        throw;
    }
}

QString RestoreDeleted(const StationContext& app, const QString& rxRefill) {
    const QString source = QStringLiteral("RestoreDeleted");
    const PrescriptionKey key = SplitEntryText(rxRefill);
    Database& db = OpenDatabase(app, source);
    const std::optional<DeletedPrescriptions::Deleted> found =
        DeletedPrescriptions::Newest(db, key.rxNbr, key.refNo);
    if (!found)
        throw QuillerError(
            kErrorUnknown,
            QCoreApplication::translate("PatientRecords", "No deleted prescription %1 is kept.")
                .arg(rxRefill),
            source);
    QString from;
    QString to;
    if (!found->keptAs.isEmpty()) {
        if (!IsDeletedImagePath(found->keptAs) || !IsSafeImageName(found->row.RxImage))
            throw QuillerError(
                kErrorUnsafeName,
                QCoreApplication::translate("PatientRecords",
                                            "The deleted record of %1 names an image outside "
                                            "the image folder; it is left as it is.")
                    .arg(rxRefill),
                source);
        from = FileSystem::Join(app.dataPath, found->keptAs);
        to = app.ImagePath(found->row.RxImage);
        MoveFile(from, to, source);
    }
    try {
        DeletedPrescriptions::Restore(db, *found);
    } catch (...) {
        if (!from.isEmpty())
            QFile::rename(to, from);
        RecordAccess(app, QStringLiteral("restore deleted"), key.rxNbr, key.refNo, QString(),
                     QStringLiteral("failed"));
        throw;
    }
    RecordAccess(app, QStringLiteral("restore deleted"), key.rxNbr, key.refNo, found->keptAs);
    return (to.isEmpty()
                ? QCoreApplication::translate(
                      "PatientRecords",
                      "Restored prescription %1 (deleted %2 on station %3 by %4).")
                      .arg(rxRefill, found->deletedAt, found->station, found->account)
                : QCoreApplication::translate("PatientRecords",
                                              "Restored prescription %1 (deleted %2 on station %3 "
                                              "by %4) with its image %5.")
                      .arg(rxRefill, found->deletedAt, found->station, found->account,
                           FileSystem::Native(to))) +
           QLatin1Char('\n');
}

void OpenForTool(StationContext& app, const SettingsStore& settings) {
    const StationSettings typed(settings);
    app.dataPath = typed.ImageFolder();
    app.filePath = typed.InterchangeFolder();
    app.ScannerID = typed.StationId();
    const DatabaseSettings chosen = typed.Database();
    if (!app.DbConnection)
        app.DbConnection = std::make_unique<Database>();
    if (chosen.server) {
        app.DbConnection->OpenServer(ServerAddressOf(chosen));
        return;
    }
    if (app.dataPath.isEmpty())
        throw QuillerError(
            kErrorNotConfigured,
            QCoreApplication::translate("PatientRecords",
                                        "The station has no image folder in its settings."),
            QStringLiteral("OpenForTool"));
    if (!QFileInfo::exists(Database::PathIn(app.dataPath))) {
        errno = ENOENT;
        throw FileError(QCoreApplication::translate("PatientRecords", "There is no database %1.")
                            .arg(FileSystem::Native(Database::PathIn(app.dataPath))),
                        QStringLiteral("OpenForTool"));
    }
    app.DbConnection->Open(app.dataPath);
}

int AuditKeepYears(const SettingsStore& settings) {
    return StationSettings(settings).AuditKeepYears();
}

QString PurgeAudit(const StationContext& app, int keepYears, const QDate& olderThan,
                   const QDate& today) {
    const QString source = QStringLiteral("PurgeAudit");
    const QDate latest = today.addYears(-keepYears);
    if (!olderThan.isValid() || olderThan > latest)
        throw QuillerError(
            kErrorBadSetting,
            QCoreApplication::translate("PatientRecords",
                                        "Audit rows are kept for %1 years: only rows older "
                                        "than %2 may be removed.")
                .arg(keepYears)
                .arg(latest.toString(Qt::ISODate)),
            source);
    Database& db = OpenDatabase(app, source);
    const int removed = AuditTrail::RemoveBefore(db.Connection(), olderThan.startOfDay());
    RecordAccess(
        app, QStringLiteral("purge audit"), QString(), QString(),
        QStringLiteral("before %1: %2 rows").arg(olderThan.toString(Qt::ISODate)).arg(removed));
    return QCoreApplication::translate("PatientRecords", "Removed %1 audit rows older than %2.\n")
        .arg(removed)
        .arg(olderThan.toString(Qt::ISODate));
}

int RunAdminCommand(const AdminCommand& command, const SettingsStore& settings, QString& out,
                    QString& error) {
    StationContext app;
    try {
        OpenForTool(app, settings);
        if (!command.restore.isEmpty())
            out += RestoreDeleted(app, command.restore);
        if (command.purgeOlderThan.isValid())
            out += PurgeAudit(app, AuditKeepYears(settings), command.purgeOlderThan);
        if (command.audit) {
            RecordAccess(
                app, QStringLiteral("audit listing"), command.rxNbr, QString(),
                QStringLiteral("%1 to %2")
                    .arg(command.from.toString(Qt::ISODate), command.to.toString(Qt::ISODate)));
            out += AuditTrail::Csv(AuditTrail::Read(app.DbConnection->Connection(), command.from,
                                                    command.to, command.rxNbr));
        }
        return 0;
    } catch (const QuillerError& e) {
        error = QStringLiteral("quiller: %1\n").arg(e.description());
        return 1;
    }
}

} // namespace PatientRecords

} // namespace quiller
