#include "records/Database.h"

#include "base/Error.h"
#include "base/FileSystem.h"
#include "base/Log.h"
#include "records/DatabaseCare.h"
#include "records/SqlSupport.h"

#include <QCoreApplication>
#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QUuid>

namespace quiller {

namespace {

// The indexes of the searches. The tables and the unique key of (RxNbr, RefNo) come
// from the migration steps (DatabaseCare).
const char* const kSqliteIndexes[] = {
    "CREATE INDEX IF NOT EXISTS RxImages_RxValue ON RxImages (CAST(RxNbr AS INTEGER))",
    "CREATE INDEX IF NOT EXISTS RxImages_LastName ON RxImages (LastName COLLATE NOCASE)",
    "CREATE INDEX IF NOT EXISTS RxImages_FirstName ON RxImages (FirstName COLLATE NOCASE)",
    "CREATE INDEX IF NOT EXISTS RxImages_Drug ON RxImages (Drug COLLATE NOCASE)",
    "CREATE INDEX IF NOT EXISTS RxImages_FillDate ON RxImages (FillDate)",
    // Only the rows still waiting for their page: the "Not scanned" search reads them
    // newest first straight from this small index.
    "CREATE INDEX IF NOT EXISTS RxImages_NotScanned ON RxImages (RxImage) WHERE RxImage = ''",
};

// The same indexes on PostgreSQL. SQLite's indexes carry the rowid behind their key;
// here it is a column of the index, so that "key, then rowid" is read in index order.
// The names are folded as NOCASE folds them (quiller_fold) and ordered by code point
// (the columns' collation "C"), which is SQLite's order.
const char* const kPostgresIndexes[] = {
    "CREATE INDEX IF NOT EXISTS RxImages_RxValue ON RxImages (quiller_rx_value(RxNbr), rowid)",
    "CREATE INDEX IF NOT EXISTS RxImages_LastName ON RxImages (quiller_fold(LastName), rowid)",
    "CREATE INDEX IF NOT EXISTS RxImages_FirstName ON RxImages (quiller_fold(FirstName), rowid)",
    "CREATE INDEX IF NOT EXISTS RxImages_Drug ON RxImages (quiller_fold(Drug), rowid)",
    "CREATE INDEX IF NOT EXISTS RxImages_FillDate ON RxImages (FillDate, rowid)",
    "CREATE INDEX IF NOT EXISTS RxImages_NotScanned ON RxImages (rowid) WHERE RxImage = ''",
};

} // namespace

QString Database::PathIn(const QString& dataPath) {
    return FileSystem::Join(dataPath, FileName());
}

void Database::CreateSchema(QSqlDatabase& db) {
    const QString source = QStringLiteral("Database.CreateSchema");
    if (EngineOf(db) == Engine::PostgreSql) {
        for (const char* statement : kPostgresIndexes)
            ExecText(db, QString::fromLatin1(statement), source);
        return;
    }
    for (const char* statement : kSqliteIndexes)
        ExecText(db, QString::fromLatin1(statement), source);
}

QString Database::TemplateFolder() {
    const QString found = QStandardPaths::locate(QStandardPaths::GenericDataLocation,
                                                 QStringLiteral("quiller/") + FileName());
    return found.isEmpty() ? QString() : QFileInfo(found).absolutePath();
}

void Database::EnsureFile(const QString& dataPath, const QString& templateFolder) {
    const QString target = PathIn(dataPath);
    if (QFile::exists(target))
        return;
    // A folder that cannot be used is named with the system's reason, not as SQLite's
    // bare "unable to open database file".
    FileSystem::CheckFolderUsable(dataPath, QStringLiteral("Database.EnsureFile"));
    // SQLite creates its files 0644 whatever the folder: the new file gets the folder's
    // sharing before it is put in place (its journal then follows the file's mode).
    const FileSystem::Sharing sharing = FileSystem::SharingOf(dataPath);
    // The new file is made whole under a name of its own and then put in place without
    // replacing anything: two stations starting at once on an empty folder each make
    // one, the first placed wins and the other station uses it.
    const QString partial = target + QStringLiteral(".") +
                            QUuid::createUuid().toString(QUuid::Id128) + QStringLiteral(".new");
    const QString templ = FileSystem::Join(templateFolder, FileName());
    if (!templateFolder.isEmpty() && QFile::exists(templ)) {
        try {
            FileSystem::CopyFile(templ, partial);
            FileSystem::Protect(partial, sharing);
        } catch (...) {
            QFile::remove(partial);
            throw;
        }
        DatabaseCare::PlaceWithoutReplacing(partial, target);
        return;
    }
    const QString name = QStringLiteral("quiller-create-") + QUuid::createUuid().toString();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(partial);
        if (!db.open()) {
            const QuillerError failure =
                SqlFailure(db.lastError(), QStringLiteral("Database.EnsureFile"));
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(name);
            QFile::remove(partial);
            throw failure;
        }
        try {
            DatabaseCare::Migrate(db);
            FileSystem::Protect(partial, sharing);
        } catch (...) {
            db.close();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(name);
            QFile::remove(partial);
            throw;
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    if (DatabaseCare::PlaceWithoutReplacing(partial, target))
        qCInfo(lcStorage).noquote() << "database created:" << target;
}

QString Database::IsoDate(const QString& monthDayYear) {
    // Exactly MM/dd/yyyy with digits only; the calendar decides the rest (no 02/30,
    // no month 13, no year 0).
    static const QRegularExpression form(QStringLiteral("^(\\d\\d)/(\\d\\d)/(\\d\\d\\d\\d)$"));
    const QRegularExpressionMatch m = form.match(monthDayYear);
    const QDate date =
        m.hasMatch() ? QDate(m.captured(3).toInt(), m.captured(1).toInt(), m.captured(2).toInt())
                     : QDate();
    // The text is not repeated: it comes from a data file, whose values stay out of
    // messages and logs.
    if (!date.isValid())
        throw QuillerError(
            kErrorBadDate,
            QCoreApplication::translate("Database", "The fill date is not a valid date."),
            QStringLiteral("Database.IsoDate"));
    return date.toString(Qt::ISODate);
}

bool Database::IsUnavailable(const QuillerError& error) {
    if (error.number() == kErrorServerUnavailable)
        return true;
    // SQLite result codes (primary code in the low byte; the driver gives extended codes,
    // such as 1032 for a file moved away or 1034 for a failed fsync) that say the database
    // itself cannot take a write now, whatever the row: busy or locked by another program,
    // read-only, unreachable, out of space, damaged. The station's own numbers (1000 and
    // up) have no SQLite primary code in their low byte.
    if (error.number() <= 0)
        return false;
    switch (error.number() & 0xFF) {
    case 5:  // SQLITE_BUSY
    case 6:  // SQLITE_LOCKED
    case 8:  // SQLITE_READONLY
    case 10: // SQLITE_IOERR
    case 11: // SQLITE_CORRUPT
    case 13: // SQLITE_FULL
    case 14: // SQLITE_CANTOPEN
    case 26: // SQLITE_NOTADB
        return true;
    default:
        return false;
    }
}

} // namespace quiller
