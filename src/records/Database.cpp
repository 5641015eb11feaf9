#include "records/Database.h"

#include "base/Error.h"
#include "base/FileSystem.h"
#include "base/Log.h"
#include "records/DatabaseCare.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QUuid>
#include <QVariant>

namespace quiller {

namespace {

const char* const kSchema[] = {
    "CREATE TABLE IF NOT EXISTS RxImages ("
    " RxNbr TEXT NOT NULL,"
    " RefNo TEXT NOT NULL,"
    " FillDate TEXT,"
    " Drug TEXT COLLATE NOCASE,"
    " FirstName TEXT COLLATE NOCASE,"
    " LastName TEXT COLLATE NOCASE,"
    " RxImage TEXT NOT NULL DEFAULT '')",
    "CREATE TABLE IF NOT EXISTS Configuration (ScannerSource INTEGER)",
    "CREATE INDEX IF NOT EXISTS RxImages_Key ON RxImages (RxNbr, RefNo)",
    "CREATE INDEX IF NOT EXISTS RxImages_RxValue ON RxImages (CAST(RxNbr AS INTEGER))",
    "CREATE INDEX IF NOT EXISTS RxImages_LastName ON RxImages (LastName COLLATE NOCASE)",
    "CREATE INDEX IF NOT EXISTS RxImages_FirstName ON RxImages (FirstName COLLATE NOCASE)",
    "CREATE INDEX IF NOT EXISTS RxImages_Drug ON RxImages (Drug COLLATE NOCASE)",
    "CREATE INDEX IF NOT EXISTS RxImages_FillDate ON RxImages (FillDate)",
    // Only the rows still waiting for their page: the "Not scanned" search reads them
    // newest first straight from this small index.
    "CREATE INDEX IF NOT EXISTS RxImages_NotScanned ON RxImages (RxImage) WHERE RxImage = ''",
};

QuillerError SqlFailure(const QSqlError& error, const QString& source) {
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok);
    QString text = error.databaseText();
    if (text.isEmpty())
        text = error.text();
    return QuillerError(ok && code != 0 ? code : kErrorUnknown, text, source);
}

void Exec(QSqlQuery& query, const QString& source) {
    if (!query.exec())
        throw SqlFailure(query.lastError(), source);
}

void ExecText(const QSqlDatabase& db, const QString& text, const QString& source) {
    QSqlQuery query(db);
    if (!query.exec(text))
        throw SqlFailure(query.lastError(), source);
}

// Savepoint names come from the program, never from data; keep them plain anyway.
// A text column gets text: a field cut from beyond the end of a short line is empty,
// never NULL.
QVariant Text(const QString& value) {
    return value.isNull() ? QVariant(QString::fromLatin1("", 0)) : QVariant(value);
}

QString SafeName(const QString& name) {
    QString out;
    for (QChar c : name)
        if (c.isLetterOrNumber() || c == QLatin1Char('_'))
            out += c;
    return out.isEmpty() ? QStringLiteral("sp") : out;
}

} // namespace

QString Database::PathIn(const QString& dataPath) {
    return FileSystem::Join(dataPath, FileName());
}

void Database::CreateSchema(QSqlDatabase& db) {
    for (const char* statement : kSchema)
        ExecText(db, QString::fromLatin1(statement), QStringLiteral("Database.CreateSchema"));
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
    // The new file is made whole under a name of its own and then put in place without
    // replacing anything: two stations starting at once on an empty folder each make
    // one, the first placed wins and the other station uses it.
    const QString partial = target + QStringLiteral(".") +
                            QUuid::createUuid().toString(QUuid::Id128) + QStringLiteral(".new");
    const QString templ = FileSystem::Join(templateFolder, FileName());
    if (!templateFolder.isEmpty() && QFile::exists(templ)) {
        FileSystem::CopyFile(templ, partial);
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
            throw failure;
        }
        try {
            DatabaseCare::Migrate(db);
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
    if (!date.isValid())
        throw QuillerError(
            kErrorBadDate,
            QStringLiteral("The fill date \"%1\" is not a valid date.").arg(monthDayYear),
            QStringLiteral("Database.IsoDate"));
    return date.toString(Qt::ISODate);
}

bool Database::IsUnavailable(const QuillerError& error) {
    // SQLite result codes (primary code in the low byte) that say the database itself
    // cannot take a write now, whatever the row: busy or locked by another program,
    // read-only, unreachable, out of space, damaged.
    if (error.number() <= 0 || error.number() >= kErrorUnknown)
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

struct Database::Statements {
    explicit Statements(const QSqlDatabase& db) : update(db), insert(db), setImage(db) {}
    QSqlQuery update;
    QSqlQuery insert;
    QSqlQuery setImage;
    bool updatePrepared = false;
    bool insertPrepared = false;
    bool setImagePrepared = false;
};

Database::Statements& Database::Prepared() {
    if (!statements_)
        statements_ = std::make_unique<Statements>(Connection());
    return *statements_;
}

namespace {
// Prepares a kept statement the first time it is used; a statement that could not be
// prepared is tried again next time.
void PrepareOnce(QSqlQuery& query, bool& prepared, const char* text, const QString& source) {
    if (prepared)
        return;
    if (!query.prepare(QString::fromLatin1(text)))
        throw SqlFailure(query.lastError(), source);
    prepared = true;
}

// Runs a kept statement and leaves it reset (no statement of the connection stays
// open between calls, whatever the outcome).
void ExecKept(QSqlQuery& query, const QString& source) {
    if (!query.exec()) {
        const QSqlError error = query.lastError();
        query.finish();
        throw SqlFailure(error, source);
    }
}
} // namespace

Database::Database(const QString& connectionName) : connectionName_(connectionName) {}

Database::~Database() {
    Close();
}

bool Database::Open(const QString& dataPath) {
    return OpenFile(PathIn(dataPath));
}

bool Database::OpenFile(const QString& filePath) {
    Close();
    lastError_.clear();
    filePath_ = filePath;
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName_);
    db.setDatabaseName(filePath);
    // Another program holding the file briefly should not fail a statement at once,
    // but the GUI thread must never wait long.
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=250"));
    if (!db.open()) {
        lastError_ = db.lastError().text();
        return false;
    }
    // SQLite opens lazily: make sure this is a database with the station's tables.
    QSqlQuery probe(db);
    if (!probe.exec(QStringLiteral("SELECT count(*) FROM sqlite_master"))) {
        lastError_ = probe.lastError().text();
        probe = QSqlQuery();
        db.close();
        return false;
    }
    // A data file's transaction touches index pages all over a large database; a page
    // cache of 32 MB (instead of 2 MB) keeps them until the commit instead of writing
    // and reading them back midway. Only a limit: memory is taken as pages are used.
    {
        QSqlQuery cache(db);
        cache.exec(QStringLiteral("PRAGMA cache_size = -32768"));
    }
    try {
        DatabaseCare::Migrate(db);
    } catch (const QuillerError& e) {
        // A read-only file with the tables present is still usable for viewing.
        QSqlQuery tables(db);
        if (!tables.exec(QStringLiteral("SELECT count(*) FROM RxImages"))) {
            lastError_ = e.description();
            tables = QSqlQuery();
            db.close();
            return false;
        }
    }
    return true;
}

bool Database::IsOpen() const {
    return QSqlDatabase::contains(connectionName_) &&
           QSqlDatabase::database(connectionName_, false).isOpen();
}

void Database::Close() {
    statements_.reset();
    if (!QSqlDatabase::contains(connectionName_))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(connectionName_, false);
        if (db.isOpen())
            db.close();
    }
    QSqlDatabase::removeDatabase(connectionName_);
}

QSqlDatabase Database::Connection() const {
    return QSqlDatabase::database(connectionName_, false);
}

std::optional<QString> Database::ReadScannerSource() {
    QSqlQuery query(Connection());
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT ScannerSource FROM Configuration ORDER BY rowid LIMIT 1"));
    Exec(query, QStringLiteral("Database.ReadScannerSource"));
    if (!query.next())
        return std::nullopt;
    const QVariant value = query.value(0);
    return value.isNull() ? QString() : value.toString();
}

void Database::WriteScannerSource(int position) {
    QSqlQuery update(Connection());
    update.prepare(
        QStringLiteral("UPDATE Configuration SET ScannerSource = :p "
                       "WHERE rowid = (SELECT rowid FROM Configuration ORDER BY rowid LIMIT 1)"));
    update.bindValue(QStringLiteral(":p"), position);
    Exec(update, QStringLiteral("Database.WriteScannerSource"));
    if (update.numRowsAffected() > 0)
        return;
    QSqlQuery insert(Connection());
    insert.prepare(QStringLiteral("INSERT INTO Configuration (ScannerSource) VALUES (:p)"));
    insert.bindValue(QStringLiteral(":p"), position);
    Exec(insert, QStringLiteral("Database.WriteScannerSource"));
}

void Database::UpsertPrescription(const Prescription& p) {
    const QString iso = IsoDate(p.FillDate);
    const QString source = QStringLiteral("Database.UpsertPrescription");
    Statements& s = Prepared();
    QSqlQuery& update = s.update;
    PrepareOnce(update, s.updatePrepared,
                "UPDATE RxImages SET FillDate = :d, Drug = :drug, FirstName = :f, LastName = :l, "
                "RxImage = '' WHERE RxNbr = :rx AND RefNo = :ref",
                source);
    update.bindValue(QStringLiteral(":d"), iso);
    update.bindValue(QStringLiteral(":drug"), Text(p.Drug));
    update.bindValue(QStringLiteral(":f"), Text(p.FirstName));
    update.bindValue(QStringLiteral(":l"), Text(p.LastName));
    update.bindValue(QStringLiteral(":rx"), Text(p.RxNbr));
    update.bindValue(QStringLiteral(":ref"), Text(p.RefNo));
    ExecKept(update, source);
    const bool updated = update.numRowsAffected() > 0;
    update.finish();
    if (updated)
        return;
    QSqlQuery& insert = s.insert;
    PrepareOnce(insert, s.insertPrepared,
                "INSERT INTO RxImages (RxNbr, RefNo, FillDate, Drug, FirstName, LastName, RxImage) "
                "VALUES (:rx, :ref, :d, :drug, :f, :l, '')",
                source);
    insert.bindValue(QStringLiteral(":rx"), Text(p.RxNbr));
    insert.bindValue(QStringLiteral(":ref"), Text(p.RefNo));
    insert.bindValue(QStringLiteral(":d"), iso);
    insert.bindValue(QStringLiteral(":drug"), Text(p.Drug));
    insert.bindValue(QStringLiteral(":f"), Text(p.FirstName));
    insert.bindValue(QStringLiteral(":l"), Text(p.LastName));
    ExecKept(insert, source);
    insert.finish();
}

int Database::SetRxImage(const QString& rxNbr, const QString& refNo, const QString& imageName) {
    Statements& s = Prepared();
    QSqlQuery& query = s.setImage;
    const QString source = QStringLiteral("Database.SetRxImage");
    PrepareOnce(query, s.setImagePrepared,
                "UPDATE RxImages SET RxImage = :img WHERE RxNbr = :rx AND RefNo = :ref", source);
    query.bindValue(QStringLiteral(":img"), Text(imageName));
    query.bindValue(QStringLiteral(":rx"), Text(rxNbr));
    query.bindValue(QStringLiteral(":ref"), Text(refNo));
    ExecKept(query, source);
    const int rows = query.numRowsAffected();
    query.finish();
    return rows;
}

void Database::DeletePrescription(const QString& rxNbr, const QString& refNo) {
    QSqlQuery query(Connection());
    query.prepare(QStringLiteral("DELETE FROM RxImages WHERE RxNbr = :rx AND RefNo = :ref"));
    query.bindValue(QStringLiteral(":rx"), Text(rxNbr));
    query.bindValue(QStringLiteral(":ref"), Text(refNo));
    Exec(query, QStringLiteral("Database.DeletePrescription"));
}

std::optional<Prescription> Database::Find(const QString& rxNbr, const QString& refNo) {
    QSqlQuery query(Connection());
    query.setForwardOnly(true);
    query.prepare(
        QStringLiteral("SELECT RxNbr, RefNo, FillDate, Drug, FirstName, LastName, RxImage "
                       "FROM RxImages WHERE RxNbr = :rx AND RefNo = :ref"));
    query.bindValue(QStringLiteral(":rx"), Text(rxNbr));
    query.bindValue(QStringLiteral(":ref"), Text(refNo));
    Exec(query, QStringLiteral("Database.Find"));
    if (!query.next())
        return std::nullopt;
    Prescription p;
    p.RxNbr = query.value(0).toString();
    p.RefNo = query.value(1).toString();
    p.FillDate = query.value(2).toString();
    p.Drug = query.value(3).toString();
    p.FirstName = query.value(4).toString();
    p.LastName = query.value(5).toString();
    p.RxImage = query.value(6).toString();
    return p;
}

void Database::BeginTransaction() {
    ExecText(Connection(), QStringLiteral("BEGIN IMMEDIATE"),
             QStringLiteral("Database.BeginTransaction"));
}

void Database::Commit() {
    ExecText(Connection(), QStringLiteral("COMMIT"), QStringLiteral("Database.Commit"));
}

void Database::Rollback() {
    ExecText(Connection(), QStringLiteral("ROLLBACK"), QStringLiteral("Database.Rollback"));
}

void Database::Savepoint(const QString& name) {
    ExecText(Connection(), QStringLiteral("SAVEPOINT ") + SafeName(name),
             QStringLiteral("Database.Savepoint"));
}

void Database::ReleaseSavepoint(const QString& name) {
    ExecText(Connection(), QStringLiteral("RELEASE ") + SafeName(name),
             QStringLiteral("Database.ReleaseSavepoint"));
}

void Database::RollbackToSavepoint(const QString& name) {
    const QString n = SafeName(name);
    ExecText(Connection(), QStringLiteral("ROLLBACK TO ") + n,
             QStringLiteral("Database.RollbackToSavepoint"));
    ExecText(Connection(), QStringLiteral("RELEASE ") + n,
             QStringLiteral("Database.RollbackToSavepoint"));
}

} // namespace quiller
