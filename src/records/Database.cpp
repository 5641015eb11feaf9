#include "records/Database.h"

#include "base/Error.h"
#include "base/FileSystem.h"
#include "records/DatabaseCare.h"
#include "records/DatabaseStatements.h"
#include "records/SqlSupport.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSqlQuery>

namespace quiller {

namespace {

// Savepoint names come from the program, never from data; keep them plain anyway.
QString SafeName(const QString& name) {
    QString out;
    for (QChar c : name)
        if (c.isLetterOrNumber() || c == QLatin1Char('_'))
            out += c;
    return out.isEmpty() ? QStringLiteral("sp") : out;
}

} // namespace

Database::Database(const QString& connectionName) : connectionName_(connectionName) {}

Database::~Database() {
    Close();
}

Database::Statements& Database::Prepared() {
    if (!statements_)
        statements_ = std::make_unique<Statements>(Connection());
    return *statements_;
}

void Database::Open(const QString& dataPath) {
    OpenFile(PathIn(dataPath));
}

void Database::OpenFile(const QString& filePath) {
    Close();
    const QString source = QStringLiteral("Database.Open");
    // SQLite would take an empty or foreign file for a new database and write its tables
    // into it; an existing file must already be one.
    const DatabaseCare::FileHealth health = DatabaseCare::InspectHeader(filePath);
    if (health.kind == DatabaseCare::FileHealth::Damaged)
        throw QuillerError(kErrorDatabaseDamaged,
                           QCoreApplication::translate(
                               "Database", "The database %1 is damaged: %2. Its backups are in "
                                           "the folder Backups beside it.")
                               .arg(FileSystem::Native(filePath), health.finding),
                           source);
    filePath_ = filePath;
    engine_ = Engine::Sqlite;
    description_ = QCoreApplication::translate("Database", "SQLite file %1").arg(filePath);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName_);
    db.setDatabaseName(filePath);
    // Opening and upgrading wait for another program that holds the file for a while;
    // afterwards (Migrate sets it) a statement waits a quarter of a second at most, as
    // the GUI thread must never wait long.
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    try {
        if (!db.open())
            throw SqlFailure(db.lastError(), source);
        // SQLite opens lazily: make sure this is a database with the station's tables.
        ExecText(db, QStringLiteral("SELECT count(*) FROM sqlite_master"), source);
        // A data file's transaction touches index pages all over a large database; a
        // page cache of 32 MB (instead of 2 MB) keeps them until the commit instead of
        // writing and reading them back midway. Only a limit: memory is taken as pages
        // are used.
        QSqlQuery(db).exec(QStringLiteral("PRAGMA cache_size = -32768"));
        MigrateOpened(source, QFileInfo(filePath).absolutePath());
    } catch (...) {
        db = QSqlDatabase();
        Close();
        throw;
    }
}

void Database::OpenServer(const ServerAddress& address, const QString& imageFolder) {
    Close();
    filePath_.clear();
    engine_ = Engine::PostgreSql;
    description_ = address.Describe();
    OpenServerConnection(address, connectionName_);
    try {
        MigrateOpened(QStringLiteral("Database.OpenServer"), imageFolder);
    } catch (...) {
        Close();
        throw;
    }
    server_ = address;
}

void Database::MigrateOpened(const QString& source, const QString& imageFolder) {
    QSqlDatabase db = Connection();
    // The station never runs on a schema it cannot write: a database that cannot be
    // brought up to date stops the station (the caller says why) instead of failing
    // every data file later.
    DatabaseCare::Migrate(db, imageFolder, source);
}

bool Database::IsOpen() const {
    // A server database stays open while its lost connection is being made again.
    if (server_)
        return true;
    return QSqlDatabase::contains(connectionName_) &&
           QSqlDatabase::database(connectionName_, false).isOpen();
}

void Database::Close() {
    statements_.reset();
    reconnection_.reset();
    server_.reset();
    inTransaction_ = false;
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

void Database::BeginTransaction() {
    // A transaction that a broken connection took with it is over; a new one may start
    // on a connection made again.
    if (reconnection_)
        inTransaction_ = false;
    Usable(QStringLiteral("Database.BeginTransaction"), true);
    // SQLite takes the write lock at once, so the transaction never fails midway on a
    // lock; PostgreSQL locks row by row.
    const QString source = QStringLiteral("Database.BeginTransaction");
    ExecText(Connection(),
             engine_ == Engine::Sqlite ? QStringLiteral("BEGIN IMMEDIATE")
                                       : QStringLiteral("BEGIN"),
             source);
    // The station's own transactions (a data file, a page) run on the GUI thread: a row
    // another client holds locked makes a statement fail after a quarter of a second,
    // as SQLite's busy wait does, and the work is left for a later tick.
    if (engine_ == Engine::PostgreSql)
        ExecText(Connection(), QStringLiteral("SET LOCAL lock_timeout = '250ms'"), source);
    inTransaction_ = true;
}

void Database::Commit() {
    Usable(QStringLiteral("Database.Commit"), false);
    ExecText(Connection(), QStringLiteral("COMMIT"), QStringLiteral("Database.Commit"));
    inTransaction_ = false;
}

void Database::Rollback() {
    inTransaction_ = false;
    Usable(QStringLiteral("Database.Rollback"), false);
    ExecText(Connection(), QStringLiteral("ROLLBACK"), QStringLiteral("Database.Rollback"));
}

void Database::Savepoint(const QString& name) {
    Usable(QStringLiteral("Database.Savepoint"));
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
