#include "records/DatabaseCare.h"

#include "base/Error.h"
#include "base/FileSystem.h"
#include "base/Log.h"
#include "records/Database.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <QVariant>

#include <cerrno>
#include <cstring>
#ifdef Q_OS_LINUX
#include <sys/vfs.h>
#include <unistd.h>
#endif

namespace quiller {

namespace {

// The schema's history. Each step brings the file from the version before it to its own
// version; a new step is appended at the end with the next number, and a step that has
// shipped is never changed. A file without a version (0) is a template or a database
// from before versions were kept: step 1 adds whatever of the tables and indexes it lacks.
struct MigrationStep {
    int version;
    QStringList statements;
};

const QList<MigrationStep>& Steps() {
    static const QList<MigrationStep> steps = {
        {1,
         {QStringLiteral("CREATE TABLE IF NOT EXISTS RxImages ("
                         " RxNbr TEXT NOT NULL, RefNo TEXT NOT NULL, FillDate TEXT,"
                         " Drug TEXT COLLATE NOCASE, FirstName TEXT COLLATE NOCASE,"
                         " LastName TEXT COLLATE NOCASE, RxImage TEXT NOT NULL DEFAULT '')"),
          QStringLiteral("CREATE TABLE IF NOT EXISTS Configuration (ScannerSource INTEGER)"),
          QStringLiteral("UPDATE RxImages SET RxImage = '' WHERE RxImage IS NULL")}},
        // How each stored page was matched to its prescription (records/PageChecks.h).
        {2,
         {QStringLiteral("CREATE TABLE IF NOT EXISTS PageChecks ("
                         " RxNbr TEXT NOT NULL, RefNo TEXT NOT NULL, Filed TEXT NOT NULL,"
                         " Code TEXT NOT NULL, CheckedAt TEXT NOT NULL, Station TEXT NOT NULL)"),
          QStringLiteral(
              "CREATE INDEX IF NOT EXISTS PageChecks_Key ON PageChecks (RxNbr, RefNo)")}},
    };
    return steps;
}

QuillerError Failure(const QSqlError& error, const QString& source) {
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok);
    const QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    return QuillerError(ok && code != 0 ? code : kErrorUnknown, text, source);
}

void Run(const QSqlDatabase& db, const QString& text, const QString& source) {
    QSqlQuery query(db);
    if (!query.exec(text))
        throw Failure(query.lastError(), source);
}

int UserVersion(const QSqlDatabase& db) {
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next())
        throw Failure(query.lastError(), QStringLiteral("DatabaseCare.Migrate"));
    return query.value(0).toInt();
}

} // namespace

namespace DatabaseCare {

int SchemaVersion() {
    return Steps().constLast().version;
}

void Migrate(QSqlDatabase& db) {
    const QString source = QStringLiteral("DatabaseCare.Migrate");
    const int from = UserVersion(db);
    if (from == SchemaVersion())
        return;
    if (from > SchemaVersion())
        throw QuillerError(kErrorUnknown,
                           QStringLiteral("The database was made by a newer version of the "
                                          "program (schema %1; this version knows %2).")
                               .arg(from)
                               .arg(SchemaVersion()),
                           source);
    Run(db, QStringLiteral("BEGIN IMMEDIATE"), source);
    try {
        for (const MigrationStep& step : Steps())
            if (step.version > from)
                for (const QString& statement : step.statements)
                    Run(db, statement, source);
        // PRAGMA takes no bound value; the number is the program's own constant.
        Run(db, QStringLiteral("PRAGMA user_version = %1").arg(SchemaVersion()), source);
        Database::CreateSchema(db);
        Run(db, QStringLiteral("COMMIT"), source);
    } catch (...) {
        QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
        throw;
    }
    qCInfo(lcStorage) << "database schema upgraded from version" << from << "to" << SchemaVersion();
}

QString QuickCheck(const QSqlDatabase& db) {
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
    const QString folder = BackupFolder(dataPath);
    const QString target = FileSystem::Join(folder, BackupName(day));
    if (QFile::exists(target))
        return QString();
    if (!QDir().mkpath(folder))
        throw FileError(
            QStringLiteral("Cannot create the backup folder %1").arg(FileSystem::Native(folder)),
            source);
    // Written under a passing name and renamed when whole, so a cut-off copy never
    // counts as the day's backup.
    const QString partial = target + QStringLiteral(".part");
    QFile::remove(partial);
    QSqlQuery query(db);
    if (!query.prepare(QStringLiteral("VACUUM INTO ?")))
        throw Failure(query.lastError(), source);
    query.addBindValue(partial);
    if (!query.exec()) {
        const QuillerError failure = Failure(query.lastError(), source);
        QFile::remove(partial);
        throw failure;
    }
    if (!QFile::rename(partial, target)) {
        QFile::remove(partial);
        throw FileError(
            QStringLiteral("Cannot write the backup %1").arg(FileSystem::Native(target)), source);
    }
    qCInfo(lcStorage).noquote() << "database backed up to" << target;

    QStringList backups = QDir(folder).entryList({QStringLiteral("Marrowby-*.mdb")}, QDir::Files,
                                                 QDir::Name | QDir::Reversed);
    for (qsizetype i = keep; i < backups.size(); ++i) {
        QFile::remove(FileSystem::Join(folder, backups[i]));
        qCInfo(lcStorage).noquote() << "old backup removed:" << backups[i];
    }
    return target;
}

QString NetworkFileSystemOf(const QString& folder) {
#ifdef Q_OS_LINUX
    struct statfs info {};
    if (statfs(QFile::encodeName(folder).constData(), &info) != 0)
        return QString();
    switch (static_cast<unsigned long>(info.f_type)) {
    case 0x6969UL:
        return QStringLiteral("NFS");
    case 0x517BUL:
        return QStringLiteral("SMB");
    case 0xFF534D42UL:
        return QStringLiteral("CIFS");
    case 0xFE534D42UL:
        return QStringLiteral("SMB2");
    case 0x01021997UL:
        return QStringLiteral("9P");
    case 0x5346414FUL:
        return QStringLiteral("AFS");
    case 0x73757245UL:
        return QStringLiteral("Coda");
    case 0x564CUL:
        return QStringLiteral("NCP");
    case 0x00C36400UL:
        return QStringLiteral("Ceph");
    case 0x47504653UL:
        return QStringLiteral("GPFS");
    case 0x0BD00BD0UL:
        return QStringLiteral("Lustre");
    default:
        return QString();
    }
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
    throw FileError(QStringLiteral("Cannot create %1: %2")
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
    throw FileError(QStringLiteral("Cannot create %1").arg(FileSystem::Native(target)), source);
#endif
}

} // namespace DatabaseCare

} // namespace quiller
