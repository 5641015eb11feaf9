#include "records/DatabaseServer.h"

#include "records/Database.h"
#include "records/SqlSupport.h"

#include <QStringList>
#include <QUuid>

namespace quiller {

Engine EngineOf(const QSqlDatabase& db) {
    return db.driverName() == QLatin1String("QPSQL") ? Engine::PostgreSql : Engine::Sqlite;
}

QString ServerAddress::Describe() const {
    QString text = QStringLiteral("PostgreSQL database %1").arg(name);
    if (!host.isEmpty())
        text += QStringLiteral(" on ") + host + (port > 0 ? QStringLiteral(":%1").arg(port) : "");
    if (!user.isEmpty())
        text += QStringLiteral(" as ") + user;
    return text;
}

QSqlDatabase OpenServerConnection(const ServerAddress& address, const QString& connectionName) {
    const QString source = QStringLiteral("Database.OpenServer");
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL")))
        throw QuillerError(kErrorServerUnavailable,
                           QStringLiteral("The PostgreSQL driver of Qt (QPSQL) is not installed: "
                                          "install the package libqt6sql6-psql."),
                           source);
    // A server that does not answer must not hold the station for long; libpq reads the
    // password from its own files (no password is ever passed here).
    // The server's notices ("index ... does not exist, skipping") are not the station's
    // business.
    QStringList options{QStringLiteral("connect_timeout=5"),
                        QStringLiteral("options=-cclient_min_messages=warning")};
    if (!address.sslmode.isEmpty()) {
        // Only libpq's own words reach the connection string.
        static const QStringList modes{QStringLiteral("disable"),   QStringLiteral("allow"),
                                       QStringLiteral("prefer"),    QStringLiteral("require"),
                                       QStringLiteral("verify-ca"), QStringLiteral("verify-full")};
        if (!modes.contains(address.sslmode))
            throw QuillerError(kErrorBadSetting,
                               QStringLiteral("The setting sslmode \"%1\" is not one of %2.")
                                   .arg(address.sslmode, modes.join(QStringLiteral(", "))),
                               source);
        options << QStringLiteral("sslmode=") + address.sslmode;
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connectionName);
    db.setHostName(address.host);
    if (address.port > 0)
        db.setPort(address.port);
    db.setDatabaseName(address.name);
    db.setUserName(address.user);
    db.setConnectOptions(options.join(QLatin1Char(';')));
    if (!db.open()) {
        const QSqlError error = db.lastError();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(connectionName);
        QString why = error.databaseText().trimmed();
        if (why.isEmpty())
            why = error.text().trimmed();
        throw QuillerError(
            kErrorServerUnavailable,
            QStringLiteral("The %1 cannot be reached: %2").arg(address.Describe(), why), source);
    }
    return db;
}

} // namespace quiller
