#include "records/Database.h"

#include "base/Error.h"
#include "records/DatabaseCare.h"
#include "records/DatabaseStatements.h"
#include "records/SqlSupport.h"

#include <QCoreApplication>
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
    filePath_ = filePath;
    engine_ = Engine::Sqlite;
    description_ = QCoreApplication::translate("Database", "SQLite file %1").arg(filePath);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName_);
    db.setDatabaseName(filePath);
    // Another program holding the file briefly should not fail a statement at once,
    // but the GUI thread must never wait long.
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=250"));
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
        MigrateOpened(source);
    } catch (...) {
        db = QSqlDatabase();
        Close();
        throw;
    }
}

void Database::OpenServer(const ServerAddress& address) {
    Close();
    filePath_.clear();
    engine_ = Engine::PostgreSql;
    description_ = address.Describe();
    OpenServerConnection(address, connectionName_);
    try {
        MigrateOpened(QStringLiteral("Database.OpenServer"));
    } catch (...) {
        Close();
        throw;
    }
}

void Database::MigrateOpened(const QString& source) {
    QSqlDatabase db = Connection();
    try {
        DatabaseCare::Migrate(db);
    } catch (const QuillerError& e) {
        // A read-only database with the tables present is still usable for viewing.
        QSqlQuery tables(db);
        if (!tables.exec(QStringLiteral("SELECT count(*) FROM RxImages")))
            throw QuillerError(e.number(), e.description(), source);
    }
}

bool Database::IsOpen() const {
    return QSqlDatabase::contains(connectionName_) &&
           QSqlDatabase::database(connectionName_, false).isOpen();
}

void Database::Close() {
    statements_.reset();
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
    // SQLite takes the write lock at once, so the transaction never fails midway on a
    // lock; PostgreSQL locks row by row.
    ExecText(Connection(),
             engine_ == Engine::Sqlite ? QStringLiteral("BEGIN IMMEDIATE")
                                       : QStringLiteral("BEGIN"),
             QStringLiteral("Database.BeginTransaction"));
    inTransaction_ = true;
}

void Database::Commit() {
    ExecText(Connection(), QStringLiteral("COMMIT"), QStringLiteral("Database.Commit"));
    inTransaction_ = false;
}

void Database::Rollback() {
    inTransaction_ = false;
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
