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

} // namespace

Engine TestEngine() {
    return qEnvironmentVariable("QUILLER_TEST_ENGINE") == QLatin1String("postgresql")
               ? Engine::PostgreSql
               : Engine::Sqlite;
}

ServerAddress TestServerAddress(const QString& name) {
    ServerAddress a;
    a.host = qEnvironmentVariable("QUILLER_TEST_PGHOST");
    a.name = name;
    a.user = QStringLiteral("quiller_test");
    return a;
}

ServerAddress FreshServerDatabase(const QString& name) {
    const QString admin = QStringLiteral("test-server-admin");
    for (int attempt = 0;; ++attempt) {
        try {
            QSqlDatabase db = OpenServerConnection(TestServerAddress(name), admin);
            // Emptying the tables is much quicker than making them again; a test that
            // changed the tables gets them made anew.
            if (!QSqlQuery(db).exec("TRUNCATE RxImages, Configuration RESTART IDENTITY")) {
                Run(db, "DROP SCHEMA IF EXISTS public CASCADE");
                Run(db, "CREATE SCHEMA public");
            }
            db.close();
            break;
        } catch (const QuillerError&) {
            QSqlDatabase::removeDatabase(admin);
            if (attempt > 0)
                throw;
        }
        // The first use of the name: the database is made.
        QSqlDatabase db = OpenServerConnection(TestServerAddress("postgres"), admin);
        // The name is the test's own constant; CREATE DATABASE takes no bound value.
        Run(db, QStringLiteral("CREATE DATABASE \"%1\"").arg(name));
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(admin);
    }
    QSqlDatabase::removeDatabase(admin);
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
