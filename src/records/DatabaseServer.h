#pragma once

#include <QSqlDatabase>
#include <QString>

namespace quiller {

// The two database engines a station can keep its records in: the SQLite file in the
// image folder (one station, nothing to set up) or a PostgreSQL server shared by every
// station of a pharmacy.
enum class Engine { Sqlite, PostgreSql };

// The engine behind an open connection.
Engine EngineOf(const QSqlDatabase& db);

// Where a PostgreSQL database is, as libpq reads it. No password: libpq takes it from
// ~/.pgpass, $PGPASSFILE or a service file, never from the station's settings.
struct ServerAddress {
    QString host; // a name, an address, or a Unix socket folder; empty: libpq's default
    int port = 0; // 0: libpq's default
    QString name; // the database
    QString user; // empty: libpq's default (the login name)
    QString sslmode;

    // "PostgreSQL database quiller on db.pharmacy.lan:5432 as station".
    QString Describe() const;
};

// Adds a QPSQL connection under connectionName and opens it; on failure the connection
// is removed and QuillerError says why (server unreachable, no such database, refused
// login), its number kErrorServerUnavailable.
QSqlDatabase OpenServerConnection(const ServerAddress& address, const QString& connectionName);

} // namespace quiller
