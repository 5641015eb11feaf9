#include "records/DatabaseServer.h"

#include "records/Database.h"
#include "records/SqlSupport.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif
#include <QUuid>

namespace quiller {

namespace {

// Why libpq would pass over the account's password file: it ignores one that other
// accounts can reach, and then says only "no password supplied".
QString PasswordFileProblem() {
#ifdef Q_OS_UNIX
    QString file = qEnvironmentVariable("PGPASSFILE");
    if (file.isEmpty())
        file = QDir::homePath() + QStringLiteral("/.pgpass");
    struct stat info {};
    if (::stat(QFile::encodeName(file).constData(), &info) != 0)
        return QString();
    if (!S_ISREG(info.st_mode))
        return QStringLiteral("libpq ignores the password file %1: it is not a plain file.")
            .arg(file);
    if (info.st_mode & (S_IRWXG | S_IRWXO))
        return QStringLiteral("libpq ignores the password file %1 because other accounts can "
                              "read it (mode %2); run: chmod 600 %1")
            .arg(file)
            .arg(info.st_mode & 0777, 4, 8, QLatin1Char('0'));
#endif
    return QString();
}

} // namespace

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
        const QString passwordFile = why.contains(QLatin1String("password"), Qt::CaseInsensitive)
                                         ? PasswordFileProblem()
                                         : QString();
        if (!passwordFile.isEmpty())
            why += QLatin1Char(' ') + passwordFile;
        throw QuillerError(
            kErrorServerUnavailable,
            QStringLiteral("The %1 cannot be reached: %2").arg(address.Describe(), why), source);
    }
    return db;
}

} // namespace quiller
