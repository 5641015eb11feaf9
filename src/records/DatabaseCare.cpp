#include "records/DatabaseCare.h"

#include "base/Error.h"
#include "base/FileSystem.h"
#include "base/Log.h"
#include "records/Database.h"
#include "records/DoubledRows.h"
#include "records/SqlSupport.h"

#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>
#include <QUuid>
#include <QVariant>

#include <cerrno>
#include <cstring>
#include <optional>
#ifdef Q_OS_LINUX
#include <sys/vfs.h>
#include <unistd.h>
#endif

namespace quiller {

namespace {

// The key of the advisory lock that serialises migrations on a server.
constexpr qint64 kMigrationLock = 0x5175696C6C6572;

// The schema's history. Each step brings the database from the version before it to its
// own version; a new step is appended at the end with the next number, and a step that
// has shipped is never changed. A step's statements run on both engines; a step whose
// text differs on PostgreSQL gives that text as well. A SQLite file without a version
// (0) is a template or a database from before versions were kept: step 1 adds whatever
// of the tables it lacks.
struct MigrationStep {
    int version;
    QStringList statements;
    QStringList postgresStatements = {}; // empty: `statements` on PostgreSQL too
};

// Of rows already doubled, the one DoubledRows::Kept chooses stays (before the key is made
// unique); returns the images that then belong to no row.
QStringList ResolveDoubledRows(const QSqlDatabase& db, const QString& imageFolder,
                               const QString& source) {
    QSqlQuery rows(db);
    rows.setForwardOnly(true);
    if (!rows.exec(QStringLiteral(
            "SELECT rowid, RxNbr, RefNo, RxImage FROM RxImages WHERE (RxNbr, RefNo) IN "
            "(SELECT RxNbr, RefNo FROM RxImages GROUP BY RxNbr, RefNo HAVING count(*) > 1) "
            "ORDER BY RxNbr, RefNo, rowid")))
        throw SqlFailure(rows.lastError(), source, db.driver());
    QList<qint64> dropped;
    QStringList images;
    QList<DoubledRows::Row> group;
    QString groupKey;
    const auto settle = [&] {
        if (group.size() < 2)
            return;
        const qsizetype kept = DoubledRows::Kept(group, imageFolder);
        for (qsizetype i = 0; i < group.size(); ++i)
            if (i != kept)
                dropped << group[i].rowid;
        images << DoubledRows::ImagesLeftWithoutRow(group, kept, imageFolder);
    };
    while (rows.next()) {
        const QString key = rows.value(1).toString() + QChar(0) + rows.value(2).toString();
        if (key != groupKey) {
            settle();
            group.clear();
            groupKey = key;
        }
        group << DoubledRows::Row{rows.value(0).toLongLong(), rows.value(3).toString()};
    }
    settle();
    rows.finish();
    QSqlQuery drop(db);
    if (!drop.prepare(QStringLiteral("DELETE FROM RxImages WHERE rowid = ?")))
        throw SqlFailure(drop.lastError(), source, db.driver());
    for (qint64 rowid : dropped) {
        drop.addBindValue(rowid);
        Exec(drop, source);
    }
    if (!dropped.isEmpty())
        qCInfo(lcStorage) << "upgrade: of doubled prescriptions" << dropped.size()
                          << "older row(s) removed," << images.size() << "image(s) to Replaced";
    return images;
}

const QList<MigrationStep>& Steps() {
    static const QList<MigrationStep> steps = {
        {1,
         {QStringLiteral("CREATE TABLE IF NOT EXISTS RxImages ("
                         " RxNbr TEXT NOT NULL, RefNo TEXT NOT NULL, FillDate TEXT,"
                         " Drug TEXT COLLATE NOCASE, FirstName TEXT COLLATE NOCASE,"
                         " LastName TEXT COLLATE NOCASE, RxImage TEXT NOT NULL DEFAULT '')"),
          QStringLiteral("CREATE TABLE IF NOT EXISTS Configuration (ScannerSource INTEGER)"),
          QStringLiteral("UPDATE RxImages SET RxImage = '' WHERE RxImage IS NULL")},
         // SQLite's rowid is a column here, so both engines list rows in the same order;
         // texts compare by code point (collation "C") as SQLite compares them. The two
         // functions are the index expressions of the searches: the ASCII letter folding
         // of SQLite's NOCASE, and the leading integer of a text as SQLite's CAST reads
         // it (0 for none, never an error).
         {QStringLiteral(
              "CREATE OR REPLACE FUNCTION quiller_fold(t TEXT) RETURNS TEXT LANGUAGE sql "
              "IMMUTABLE STRICT PARALLEL SAFE AS $$ SELECT translate(t, "
              "'ABCDEFGHIJKLMNOPQRSTUVWXYZ', 'abcdefghijklmnopqrstuvwxyz') $$"),
          QStringLiteral(
              "CREATE OR REPLACE FUNCTION quiller_rx_value(t TEXT) RETURNS BIGINT LANGUAGE sql "
              "IMMUTABLE STRICT PARALLEL SAFE AS $$ SELECT LEAST(GREATEST(COALESCE(substring(t "
              "FROM '^[ \\t\\n\\r\\f\\v]*([+-]?[0-9]+)')::NUMERIC, 0), "
              "-9223372036854775808), 9223372036854775807)::BIGINT $$"),
          QStringLiteral("CREATE TABLE IF NOT EXISTS RxImages ("
                         " rowid BIGINT GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY,"
                         " RxNbr TEXT COLLATE \"C\" NOT NULL, RefNo TEXT COLLATE \"C\" NOT NULL,"
                         " FillDate TEXT COLLATE \"C\", Drug TEXT COLLATE \"C\","
                         " FirstName TEXT COLLATE \"C\", LastName TEXT COLLATE \"C\","
                         " RxImage TEXT COLLATE \"C\" NOT NULL DEFAULT '')"),
          QStringLiteral("CREATE TABLE IF NOT EXISTS Configuration ("
                         " rowid BIGINT GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY,"
                         " ScannerSource INTEGER)")}},
        // One row per prescription fill: two stations taking the same prescription at
        // once leave one row. Rows already doubled are settled before this step
        // (ResolveDoubledRows); the DELETE only finishes what is left.
        {2,
         {QStringLiteral("DELETE FROM RxImages WHERE rowid NOT IN "
                         "(SELECT max(rowid) FROM RxImages GROUP BY RxNbr, RefNo)"),
          QStringLiteral("DROP INDEX IF EXISTS RxImages_Key"),
          QStringLiteral("CREATE UNIQUE INDEX RxImages_Key ON RxImages (RxNbr, RefNo)")}},
        // How each stored page was matched to its prescription (records/PageChecks.h).
        {3,
         {QStringLiteral("CREATE TABLE IF NOT EXISTS PageChecks ("
                         " RxNbr TEXT NOT NULL, RefNo TEXT NOT NULL, Filed TEXT NOT NULL,"
                         " Code TEXT NOT NULL, CheckedAt TEXT NOT NULL, Station TEXT NOT NULL)"),
          QStringLiteral(
              "CREATE INDEX IF NOT EXISTS PageChecks_Key ON PageChecks (RxNbr, RefNo)")}},
        // Who accessed which prescription (records/AuditTrail.h), appended to only, and the
        // prescriptions an operator deleted, kept for an administrator to restore
        // (records/DeletedPrescriptions.h).
        {4,
         {QStringLiteral("CREATE TABLE IF NOT EXISTS AuditTrail ("
                         " At TEXT NOT NULL, Station TEXT NOT NULL, Account TEXT NOT NULL,"
                         " Role TEXT NOT NULL DEFAULT '', Action TEXT NOT NULL,"
                         " RxNbr TEXT NOT NULL DEFAULT '', RefNo TEXT NOT NULL DEFAULT '',"
                         " Detail TEXT NOT NULL DEFAULT '', Outcome TEXT NOT NULL)"),
          QStringLiteral("CREATE INDEX IF NOT EXISTS AuditTrail_At ON AuditTrail (At)"),
          QStringLiteral("CREATE INDEX IF NOT EXISTS AuditTrail_Rx ON AuditTrail (RxNbr)"),
          QStringLiteral("CREATE TRIGGER IF NOT EXISTS AuditTrail_AppendOnly BEFORE UPDATE ON "
                         "AuditTrail BEGIN SELECT RAISE(ABORT, 'the audit trail is only "
                         "appended to'); END"),
          QStringLiteral("CREATE TABLE IF NOT EXISTS DeletedPrescriptions ("
                         " RxNbr TEXT NOT NULL, RefNo TEXT NOT NULL, FillDate TEXT, Drug TEXT,"
                         " FirstName TEXT, LastName TEXT, RxImage TEXT NOT NULL DEFAULT '',"
                         " KeptAs TEXT NOT NULL DEFAULT '', DeletedAt TEXT NOT NULL,"
                         " Station TEXT NOT NULL, Account TEXT NOT NULL)"),
          QStringLiteral("CREATE INDEX IF NOT EXISTS DeletedPrescriptions_Key ON "
                         "DeletedPrescriptions (RxNbr, RefNo)")},
         {QStringLiteral("CREATE TABLE IF NOT EXISTS AuditTrail ("
                         " rowid BIGINT GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY,"
                         " At TEXT COLLATE \"C\" NOT NULL, Station TEXT COLLATE \"C\" NOT NULL,"
                         " Account TEXT COLLATE \"C\" NOT NULL,"
                         " Role TEXT COLLATE \"C\" NOT NULL DEFAULT '',"
                         " Action TEXT COLLATE \"C\" NOT NULL,"
                         " RxNbr TEXT COLLATE \"C\" NOT NULL DEFAULT '',"
                         " RefNo TEXT COLLATE \"C\" NOT NULL DEFAULT '',"
                         " Detail TEXT COLLATE \"C\" NOT NULL DEFAULT '',"
                         " Outcome TEXT COLLATE \"C\" NOT NULL)"),
          QStringLiteral("CREATE INDEX IF NOT EXISTS AuditTrail_At ON AuditTrail (At)"),
          QStringLiteral("CREATE INDEX IF NOT EXISTS AuditTrail_Rx ON AuditTrail (RxNbr)"),
          QStringLiteral("CREATE OR REPLACE FUNCTION quiller_audit_append_only() RETURNS trigger "
                         "LANGUAGE plpgsql AS $$ BEGIN RAISE EXCEPTION 'the audit trail is only "
                         "appended to'; END $$"),
          QStringLiteral("DROP TRIGGER IF EXISTS AuditTrail_AppendOnly ON AuditTrail"),
          QStringLiteral("CREATE TRIGGER AuditTrail_AppendOnly BEFORE UPDATE ON AuditTrail "
                         "FOR EACH ROW EXECUTE FUNCTION quiller_audit_append_only()"),
          QStringLiteral(
              "CREATE TABLE IF NOT EXISTS DeletedPrescriptions ("
              " rowid BIGINT GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY,"
              " RxNbr TEXT COLLATE \"C\" NOT NULL, RefNo TEXT COLLATE \"C\" NOT NULL,"
              " FillDate TEXT COLLATE \"C\", Drug TEXT COLLATE \"C\","
              " FirstName TEXT COLLATE \"C\", LastName TEXT COLLATE \"C\","
              " RxImage TEXT COLLATE \"C\" NOT NULL DEFAULT '',"
              " KeptAs TEXT COLLATE \"C\" NOT NULL DEFAULT '',"
              " DeletedAt TEXT COLLATE \"C\" NOT NULL,"
              " Station TEXT COLLATE \"C\" NOT NULL, Account TEXT COLLATE \"C\" NOT NULL)"),
          QStringLiteral("CREATE INDEX IF NOT EXISTS DeletedPrescriptions_Key ON "
                         "DeletedPrescriptions (RxNbr, RefNo)")}},
        // The codes on a stored page that are not its label (a prescriber's, an
        // e-prescription's), noted beside how the page was filed.
        {5,
         {QStringLiteral("ALTER TABLE PageChecks ADD COLUMN OtherCodes TEXT NOT NULL DEFAULT ''")}},
    };
    return steps;
}

void Run(const QSqlDatabase& db, const QString& text, const QString& source) {
    ExecText(db, text, source);
}

int ReadInt(const QSqlDatabase& db, const QString& text) {
    QSqlQuery query(db);
    if (!query.exec(text) || !query.next())
        throw SqlFailure(query.lastError(), QStringLiteral("DatabaseCare.Migrate"));
    return query.value(0).toInt();
}

// The version of the database: PRAGMA user_version in a SQLite file, the table
// SchemaVersion on a server (0 while it does not exist).
int StoredVersion(const QSqlDatabase& db) {
    if (EngineOf(db) == Engine::Sqlite)
        return ReadInt(db, QStringLiteral("PRAGMA user_version"));
    if (ReadInt(db, QStringLiteral("SELECT count(*) FROM pg_catalog.pg_tables WHERE "
                                   "schemaname = current_schema() AND tablename = "
                                   "'schemaversion'")) == 0)
        return 0;
    return ReadInt(db, QStringLiteral("SELECT COALESCE(max(version), 0) FROM SchemaVersion"));
}

void StoreVersion(const QSqlDatabase& db, int version, const QString& source) {
    // The number is the program's own constant (PRAGMA takes no bound value).
    if (EngineOf(db) == Engine::Sqlite) {
        Run(db, QStringLiteral("PRAGMA user_version = %1").arg(version), source);
        return;
    }
    Run(db, QStringLiteral("DELETE FROM SchemaVersion"), source);
    Run(db, QStringLiteral("INSERT INTO SchemaVersion (version) VALUES (%1)").arg(version), source);
}

// How long statements wait for a database another program holds: everyday, and while
// upgrading (then tried again a few times).
constexpr int kEverydayBusyMs = 250;
constexpr int kUpgradeBusyMs = 5000;
constexpr int kUpgradeAttempts = 3;

bool IsBusy(const QuillerError& e) {
    const int code = e.number() & 0xFF;
    if (e.number() > 0 && e.number() < kErrorUnknown && (code == 5 || code == 6))
        return true;
    // A lock on the server not granted in time (SQLSTATE 55P03).
    return e.description().contains(QLatin1String("55P03"));
}

bool HasRxImages(const QSqlDatabase& db) {
    return ReadInt(db, QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'table' "
                                      "AND name = 'RxImages'")) > 0;
}

// A whole copy of the file as it is, in Backups/ beside it, before anything changes.
QString CopyBeforeUpgrade(const QSqlDatabase& db, const QString& file) {
    const QString source = QStringLiteral("DatabaseCare.Migrate");
    const QString folder =
        FileSystem::Join(QFileInfo(file).absolutePath(), QStringLiteral("Backups"));
    if (!QDir().mkpath(folder) || !QFileInfo(folder).isDir())
        throw FileError(QCoreApplication::translate(
                            "DatabaseCare", "no copy of it could be made: the folder %1 cannot be "
                                            "created")
                            .arg(FileSystem::Native(folder)),
                        source);
    const QString base = QStringLiteral("Marrowby-before-schema-%1-%2")
                             .arg(Steps().constLast().version)
                             .arg(QDate::currentDate().toString(Qt::ISODate));
    QString target = FileSystem::Join(folder, base + QStringLiteral(".mdb"));
    for (int n = 2; QFileInfo::exists(target); ++n)
        target = FileSystem::Join(folder, base + QStringLiteral("-%1.mdb").arg(n));
    const QString partial = target + QStringLiteral(".part");
    QFile::remove(partial);
    QSqlQuery query(db);
    query.prepare(QStringLiteral("VACUUM INTO ?"));
    query.addBindValue(partial);
    if (!query.exec()) {
        const QuillerError failure = SqlFailure(query.lastError(), source);
        QFile::remove(partial);
        throw QuillerError(
            failure.number(),
            QCoreApplication::translate("DatabaseCare", "no copy of it could be made in %1 (%2)")
                .arg(FileSystem::Native(folder), failure.description()),
            source);
    }
    if (!QFile::rename(partial, target)) {
        QFile::remove(partial);
        throw FileError(
            QCoreApplication::translate("DatabaseCare", "no copy of it could be made as %1")
                .arg(FileSystem::Native(target)),
            source);
    }
    qCInfo(lcStorage).noquote() << "database copied before its upgrade to" << target;
    return target;
}

// One attempt at the upgrade, in one transaction; returns the images of doubled rows
// that no longer have a row (moved once the upgrade is committed).
QStringList MigrateOnce(QSqlDatabase& db, const QString& imageFolder, int& from) {
    const QString source = QStringLiteral("DatabaseCare.Migrate");
    const bool postgres = EngineOf(db) == Engine::PostgreSql;
    Run(db, postgres ? QStringLiteral("BEGIN") : QStringLiteral("BEGIN IMMEDIATE"), source);
    QStringList orphans;
    try {
        if (postgres) {
            // A large table's index takes longer than an everyday statement may.
            Run(db, QStringLiteral("SET LOCAL statement_timeout = '30min'"), source);
            // Stations starting at once on a new database: one migrates, the others wait
            // here and then find the schema current.
            Run(db, QStringLiteral("SELECT pg_advisory_xact_lock(%1)").arg(kMigrationLock), source);
            Run(db,
                QStringLiteral(
                    "CREATE TABLE IF NOT EXISTS SchemaVersion (version INTEGER NOT NULL)"),
                source);
        }
        from = StoredVersion(db);
        if (from > Steps().constLast().version)
            throw QuillerError(kErrorUnknown,
                               QCoreApplication::translate(
                                   "DatabaseCare", "it was made by a newer version of the "
                                                   "program (schema %1; this version knows %2)")
                                   .arg(from)
                                   .arg(Steps().constLast().version),
                               source);
        for (const MigrationStep& step : Steps()) {
            if (step.version <= from)
                continue;
            if (step.version == 2)
                orphans = ResolveDoubledRows(db, imageFolder, source);
            const QStringList& statements = postgres && !step.postgresStatements.isEmpty()
                                                ? step.postgresStatements
                                                : step.statements;
            for (const QString& statement : statements)
                Run(db, statement, source);
        }
        StoreVersion(db, Steps().constLast().version, source);
        Database::CreateSchema(db);
        Run(db, QStringLiteral("COMMIT"), source);
    } catch (...) {
        QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
        throw;
    }
    return orphans;
}

// True when the SQLite file at path opens and holds at least one prescription.
bool HoldsPrescriptions(const QString& path) {
    const QString name = QStringLiteral("quiller-backup-") + QUuid::createUuid().toString();
    bool holds = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (db.open()) {
            QSqlQuery query(db);
            holds = query.exec(QStringLiteral("SELECT EXISTS (SELECT 1 FROM RxImages)")) &&
                    query.next() && query.value(0).toInt() == 1;
            query.finish();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    return holds;
}

} // namespace

namespace DatabaseCare {

int SchemaVersion() {
    return Steps().constLast().version;
}

void Migrate(QSqlDatabase& db, const QString& imageFolder, const QString& source) {
    const bool postgres = EngineOf(db) == Engine::PostgreSql;
    const QString file = postgres ? QString() : db.databaseName();
    const bool realFile = !file.isEmpty() && file != QLatin1String(":memory:") &&
                          !file.startsWith(QLatin1String("file:"));
    // An upgrade may wait for another program that holds the file for a while; the
    // station's everyday statements keep their short wait.
    if (!postgres)
        QSqlQuery(db).exec(QStringLiteral("PRAGMA busy_timeout = %1").arg(kUpgradeBusyMs));
    const auto everydayWait = qScopeGuard([&] {
        if (!postgres)
            QSqlQuery(db).exec(QStringLiteral("PRAGMA busy_timeout = %1").arg(kEverydayBusyMs));
    });
    QString copy;
    int from = 0;
    QString cause;
    std::optional<QuillerError> serverFailure;
    for (int attempt = 1;; ++attempt) {
        try {
            from = StoredVersion(db);
            if (from == SchemaVersion())
                return;
            if (realFile && copy.isEmpty() && from < SchemaVersion() && HasRxImages(db))
                copy = CopyBeforeUpgrade(db, file);
            const QStringList orphans = MigrateOnce(db, imageFolder, from);
            DoubledRows::MoveToReplaced(imageFolder, orphans);
            qCInfo(lcStorage) << "database schema upgraded from version" << from << "to"
                              << SchemaVersion();
            return;
        } catch (const QuillerError& e) {
            if (IsBusy(e) && attempt < kUpgradeAttempts) {
                qCInfo(lcStorage).noquote()
                    << "database busy during the upgrade, trying again:" << e.description();
                QThread::msleep(500);
                continue;
            }
            cause = e.description();
            if (e.number() == kErrorServerUnavailable)
                serverFailure = e;
            break;
        }
    }
    // A server that went away or stayed locked (another station upgrading it) may come
    // back: the caller offers to try again.
    if (serverFailure)
        throw *serverFailure;
    const QString what =
        postgres ? QCoreApplication::translate("DatabaseCare", "The database on the server")
                 : QCoreApplication::translate("DatabaseCare", "The database %1")
                       .arg(FileSystem::Native(file));
    QString text = QCoreApplication::translate(
                       "DatabaseCare", "%1 cannot be brought up to date for this version of the "
                                       "program (schema %2 to %3): %4")
                       .arg(what, QString::number(from), QString::number(SchemaVersion()), cause);
    if (!copy.isEmpty())
        text += QCoreApplication::translate(
                    "DatabaseCare", "\nIt was not changed; a copy of it as it was is kept as %1.")
                    .arg(FileSystem::Native(copy));
    else if (realFile)
        text += QCoreApplication::translate("DatabaseCare", "\nIt was not changed.");
    qCWarning(lcStorage).noquote() << "database upgrade failed:" << text;
    throw QuillerError(kErrorUpgradeFailed, text, source);
}

QString QuickCheck(const QSqlDatabase& db) {
    // A server looks after its own storage.
    if (EngineOf(db) == Engine::PostgreSql)
        return QString();
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA quick_check")))
        return query.lastError().text();
    QStringList problems;
    while (query.next()) {
        const QString row = query.value(0).toString();
        if (row != QLatin1String("ok"))
            problems << row;
    }
    if (query.lastError().isValid())
        problems << query.lastError().text();
    return problems.join(QStringLiteral("; "));
}

QString BackupFolder(const QString& dataPath) {
    return FileSystem::Join(dataPath, QStringLiteral("Backups"));
}

QString BackupName(const QDate& day) {
    return QStringLiteral("Marrowby-") + day.toString(Qt::ISODate) + QStringLiteral(".mdb");
}

QString BackUpIfDue(const QSqlDatabase& db, const QString& dataPath, const QDate& day, int keep) {
    const QString source = QStringLiteral("DatabaseCare.BackUp");
    // A server's database is backed up by its administrator (pg_dump), not by a station.
    if (EngineOf(db) == Engine::PostgreSql)
        return QString();
    const QString folder = BackupFolder(dataPath);
    const QString target = FileSystem::Join(folder, BackupName(day));
    if (QFile::exists(target))
        return QString();
    // A copy of nothing would count as a day's backup and push a good one out; a
    // damaged database is no backup at all.
    if (ReadInt(db, QStringLiteral("SELECT EXISTS (SELECT 1 FROM RxImages)")) == 0) {
        qCDebug(lcStorage) << "database backup skipped: no prescriptions yet";
        return QString();
    }
    const QString damage = QuickCheck(db);
    if (!damage.isEmpty())
        throw QuillerError(kErrorDatabaseDamaged,
                           QCoreApplication::translate(
                               "DatabaseCare", "The database is damaged (%1); no backup was made, "
                                               "the older backups are kept.")
                               .arg(damage),
                           source);
    FileSystem::MakeFolder(dataPath, QStringLiteral("Backups"));
    // What an interrupted backup left behind.
    for (const QString& left : QDir(folder).entryList({QStringLiteral("Marrowby-*.mdb.part")},
                                                      QDir::Files | QDir::System))
        QFile::remove(FileSystem::Join(folder, left));
    // Written under a passing name and renamed when whole, so a cut-off copy never
    // counts as the day's backup.
    const QString partial = target + QStringLiteral(".part");
    QSqlQuery query(db);
    if (!query.prepare(QStringLiteral("VACUUM INTO ?")))
        throw SqlFailure(query.lastError(), source);
    query.addBindValue(partial);
    if (!query.exec()) {
        const QuillerError failure = SqlFailure(query.lastError(), source);
        QFile::remove(partial);
        throw QuillerError(
            failure.number(),
            QCoreApplication::translate("DatabaseCare", "Cannot write the backup %1: %2")
                .arg(FileSystem::Native(target), failure.description()),
            source);
    }
    // SQLite writes the copy 0644; it gets the folder's sharing as the database has.
    try {
        FileSystem::Protect(partial, FileSystem::SharingOf(folder));
    } catch (...) {
        QFile::remove(partial);
        throw;
    }
    if (!QFile::rename(partial, target)) {
        QFile::remove(partial);
        throw FileError(QCoreApplication::translate("DatabaseCare", "Cannot write the backup %1")
                            .arg(FileSystem::Native(target)),
                        source);
    }
    qCInfo(lcStorage).noquote() << "database backed up to" << target;

    // Only the station's own daily backups rotate; of them the newest `keep` good ones
    // stay, and a bad one never counts toward them.
    static const QRegularExpression own(
        QStringLiteral("^Marrowby-\\d\\d\\d\\d-\\d\\d-\\d\\d\\.mdb$"));
    const QStringList backups = QDir(folder).entryList({QStringLiteral("Marrowby-*.mdb")},
                                                       QDir::Files, QDir::Name | QDir::Reversed);
    int good = 0;
    for (const QString& name : backups) {
        if (!own.match(name).hasMatch())
            continue;
        const QString path = FileSystem::Join(folder, name);
        if (good >= keep) {
            QFile::remove(path);
            qCInfo(lcStorage).noquote() << "old backup removed:" << name;
        } else if (HoldsPrescriptions(path)) {
            ++good;
        }
    }
    return target;
}

FileHealth InspectHeader(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return {FileHealth::Missing, QString()};
    if (!info.isFile())
        return {FileHealth::Damaged,
                QCoreApplication::translate("DatabaseCare", "it is not a file")};
    if (info.size() == 0)
        return {FileHealth::Damaged,
                QCoreApplication::translate("DatabaseCare", "the file is empty (0 bytes)")};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {FileHealth::Damaged,
                QCoreApplication::translate("DatabaseCare", "the file cannot be read (%1)")
                    .arg(file.errorString())};
    if (file.read(16) != QByteArray("SQLite format 3\0", 16))
        return {FileHealth::Damaged,
                QCoreApplication::translate("DatabaseCare", "the file is not a database")};
    return {FileHealth::Sound, QString()};
}

FileHealth InspectFile(const QString& path) {
    const FileHealth header = InspectHeader(path);
    if (header.kind != FileHealth::Sound)
        return header;
    const QString name = QStringLiteral("quiller-inspect-") + QUuid::createUuid().toString();
    QString finding;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=2000"));
        if (!db.open()) {
            finding = db.lastError().text();
        } else {
            QSqlQuery query(db);
            if (!query.exec(QStringLiteral("PRAGMA quick_check"))) {
                const QuillerError e = SqlFailure(query.lastError(), QStringLiteral("Inspect"));
                if (!IsBusy(e))
                    finding = e.description();
            } else {
                QStringList problems;
                while (query.next())
                    if (query.value(0).toString() != QLatin1String("ok"))
                        problems << query.value(0).toString();
                if (query.lastError().isValid())
                    problems << query.lastError().text();
                finding = problems.mid(0, 3).join(QStringLiteral("; "));
            }
            query.finish();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    if (!finding.isEmpty())
        return {FileHealth::Damaged,
                QCoreApplication::translate("DatabaseCare", "it fails its check: ") + finding};
    return {FileHealth::Sound, QString()};
}

QString NewestGoodBackup(const QString& dataPath) {
    const QString folder = BackupFolder(dataPath);
    const QStringList backups =
        QDir(folder).entryList({QStringLiteral("Marrowby-*.mdb")}, QDir::Files, QDir::Time);
    for (const QString& name : backups) {
        const QString path = FileSystem::Join(folder, name);
        if (InspectFile(path).kind == FileHealth::Sound && HoldsPrescriptions(path))
            return path;
    }
    return QString();
}

QString RestoreBackup(const QString& dataPath, const QString& backup) {
    const QString source = QStringLiteral("DatabaseCare.Restore");
    const QString target = Database::PathIn(dataPath);
    const QString aside = target + QStringLiteral(".damaged-") +
                          QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    // The backup is copied first, so a failure leaves the damaged file where it was.
    const QString partial = target + QStringLiteral(".restore.") +
                            QUuid::createUuid().toString(QUuid::Id128) + QStringLiteral(".new");
    FileSystem::CopyFile(backup, partial);
    // The damaged file's journals belong to it, never to the restored one.
    for (const char* suffix : {"", "-wal", "-shm", "-journal"}) {
        const QString from = target + QLatin1String(suffix);
        if ((QFileInfo::exists(from) || QFileInfo(from).isSymLink()) &&
            !QFile::rename(from, aside + QLatin1String(suffix))) {
            QFile::remove(partial);
            throw FileError(QCoreApplication::translate(
                                "DatabaseCare", "Cannot keep the damaged database %1 aside as %2")
                                .arg(FileSystem::Native(from), FileSystem::Native(aside)),
                            source);
        }
    }
    if (!PlaceWithoutReplacing(partial, target))
        throw FileError(QCoreApplication::translate(
                            "DatabaseCare", "Another database appeared at %1 meanwhile; the backup "
                                            "was not put in its place")
                            .arg(FileSystem::Native(target)),
                        source);
    qCWarning(lcStorage).noquote()
        << "damaged database kept aside as" << aside << "and replaced by the backup" << backup;
    return QFileInfo(aside).fileName();
}

QString NetworkFileSystemOf(const QString& folder) {
#ifdef Q_OS_LINUX
    struct statfs info {};
    if (statfs(QFile::encodeName(folder).constData(), &info) != 0)
        return QString();
    // statfs magic numbers of the network file systems a pharmacy may share a folder on.
    static constexpr struct {
        unsigned long magic;
        const char* name;
    } kNetworkFileSystems[] = {
        {0x6969UL, "NFS"},      {0x517BUL, "SMB"},        {0xFF534D42UL, "CIFS"},
        {0xFE534D42UL, "SMB2"}, {0x01021997UL, "9P"},     {0x5346414FUL, "AFS"},
        {0x73757245UL, "Coda"}, {0x564CUL, "NCP"},        {0x00C36400UL, "Ceph"},
        {0x47504653UL, "GPFS"}, {0x0BD00BD0UL, "Lustre"},
    };
    for (const auto& fs : kNetworkFileSystems)
        if (fs.magic == static_cast<unsigned long>(info.f_type))
            return QString::fromLatin1(fs.name);
    return QString();
#else
    Q_UNUSED(folder);
    return QString();
#endif
}

bool PlaceWithoutReplacing(const QString& finished, const QString& target) {
    const QString source = QStringLiteral("DatabaseCare.Place");
#ifdef Q_OS_UNIX
    // link() fails with EEXIST instead of replacing, on local and network file systems.
    const int result =
        ::link(QFile::encodeName(finished).constData(), QFile::encodeName(target).constData());
    const int error = errno;
    QFile::remove(finished);
    if (result == 0)
        return true;
    if (error == EEXIST)
        return false;
    throw FileError(QCoreApplication::translate("DatabaseCare", "Cannot create %1: %2")
                        .arg(FileSystem::Native(target), QString::fromLocal8Bit(strerror(error))),
                    source);
#else
    // QFile::rename does not replace an existing file either.
    if (QFile::rename(finished, target))
        return true;
    const bool existed = QFile::exists(target);
    QFile::remove(finished);
    if (existed)
        return false;
    throw FileError(QCoreApplication::translate("DatabaseCare", "Cannot create %1")
                        .arg(FileSystem::Native(target)),
                    source);
#endif
}

} // namespace DatabaseCare

} // namespace quiller
