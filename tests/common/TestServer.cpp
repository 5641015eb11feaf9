#include "common/TestServer.h"

#include "base/Error.h"

#include <QCoreApplication>
#include <QSqlError>
#include <QSqlQuery>

namespace quiller::test {

namespace {

void Run(const QSqlDatabase& db, const QString& sql) {
    QSqlQuery q(db);
    if (!q.exec(sql))
        throw QuillerError(kErrorUnknown, sql + ": " + q.lastError().text(), "TestServer");
}

// The test cluster's database `name` (socket folder $QUILLER_TEST_PGHOST).
ServerAddress TestServerAddress(const QString& name) {
    ServerAddress a;
    a.host = qEnvironmentVariable("QUILLER_TEST_PGHOST");
    a.name = name;
    a.user = QStringLiteral("quiller_test");
    return a;
}

} // namespace

Engine TestEngine() {
    return qEnvironmentVariable("QUILLER_TEST_ENGINE") == QLatin1String("postgresql")
               ? Engine::PostgreSql
               : Engine::Sqlite;
}

ServerAddress FreshServerDatabase(const QString& name) {
    const QString admin = QStringLiteral("test-server-admin");
    if (!QSqlDatabase::contains(admin)) { // the first use in this program
        QSqlDatabase db = OpenServerConnection(TestServerAddress("postgres"), admin);
        QSqlQuery(db).exec(QStringLiteral("CREATE DATABASE \"%1\"").arg(name)); // may exist
        db.close();
    }
    QSqlDatabase db = QSqlDatabase::database(admin, false);
    db.setDatabaseName(name);
    if (!db.open())
        throw QuillerError(kErrorUnknown, db.lastError().text(), "TestServer");
    // Emptying the tables is much quicker than making them again; a test that changed the
    // tables gets them made anew.
    if (!QSqlQuery(db).exec("TRUNCATE RxImages, Configuration RESTART IDENTITY")) {
        Run(db, "DROP SCHEMA IF EXISTS public CASCADE");
        Run(db, "CREATE SCHEMA public");
    }
    db.close();
    return TestServerAddress(name);
}

void OpenEmpty(Database& db, const QString& sqliteFile) {
    if (TestEngine() == Engine::Sqlite) {
        db.OpenFile(sqliteFile);
        return;
    }
    db.Close();
    db.OpenServer(FreshServerDatabase(QCoreApplication::applicationName().toLower()));
}

void OpenSecond(Database& second, const Database& first) {
    if (first.engine() == Engine::Sqlite)
        second.OpenFile(first.FilePath());
    else
        second.OpenServer(TestServerAddress(QCoreApplication::applicationName().toLower()));
}

} // namespace quiller::test
