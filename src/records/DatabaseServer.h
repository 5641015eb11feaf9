#pragma once

#include <QList>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QString>
#include <utility>

namespace quiller {

// The two database engines a station can keep its records in: the SQLite file in the
// image folder (one station, nothing to set up) or a PostgreSQL server shared by every
// station of a pharmacy.
enum class Engine { Sqlite, PostgreSql };

// The engine behind an open connection.
Engine EngineOf(const QSqlDatabase& db);

// Where a PostgreSQL database is, as libpq reads it. The settings never hold a password:
// libpq takes it from ~/.pgpass, $PGPASSFILE or a service file. Only a connection text
// given on the command line may carry one (user:password@), and it is never shown.
struct ServerAddress {
    QString host; // a name, an address, or a Unix socket folder; empty: libpq's default
    int port = 0; // 0: libpq's default
    QString name; // the database
    QString user; // empty: libpq's default (the login name)
    QString sslmode;
    QString password; // never printed, logged or echoed
    // Every other libpq keyword given (service, sslrootcert, target_session_attrs, ...).
    QList<std::pair<QString, QString>> options;

    // "PostgreSQL database quiller on db.pharmacy.lan:5432 as station"; no password.
    QString Describe() const;
};

// Reads a connection text with libpq's own parser: a URI
// ("postgresql://user:secret@[::1]:5432/quiller?sslmode=require") or keyword=value pairs
// ("service=pharmacy"). An unknown or misspelt keyword, a bad sslmode or port, or an
// empty text is refused by name (QuillerError kErrorBadSetting); the message never holds
// the password.
ServerAddress ParseConnectionString(const QString& text);
// The same checks for keyword/value pairs (the settings' [database] group; "name" stands
// for libpq's "dbname"). A password among them is refused: it belongs in ~/.pgpass.
ServerAddress ServerAddressFromKeywords(const QList<std::pair<QString, QString>>& keywords);

// Adds a QPSQL connection under connectionName and opens it with the station's time
// limits on every statement; on failure the connection is removed and QuillerError says
// why: kErrorServerUnavailable when the server cannot be reached (worth a retry),
// kErrorServerRefused when it answered and refused (login, password, no such database
// or role: a retry cannot help), kErrorBadSetting for a setting libpq refused.
QSqlDatabase OpenServerConnection(const ServerAddress& address, const QString& connectionName);
// Sets the station's limits on an open server connection: no statement runs longer than
// 10 s, none waits longer than 5 s for a lock another client holds.
void LimitServerStatements(const QSqlDatabase& db);
// True when the connection of `db` to its server is broken (libpq's state; no traffic).
bool ServerConnectionLost(const QSqlDatabase& db);
bool ServerConnectionLost(const QSqlDriver* driver);

// The keyword/value pairs libpq connects with for `address` (connect_timeout included),
// password included: for a connection attempt only, never for a message.
QList<std::pair<QByteArray, QByteArray>> ConnectionKeywords(const ServerAddress& address);

// When libpq ignores the password file (~/.pgpass or $PGPASSFILE) because others may read
// it, what to tell the administrator; empty otherwise.
QString PasswordFileProblem();

// A text with any password it holds (URI user:password@, password=...) replaced by "***".
QString WithoutPassword(const QString& text);

} // namespace quiller
