#include "records/DatabaseServer.h"

#include "base/Error.h"
#include "records/Database.h"
#include "records/SqlSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>
#include <QUuid>
#include <QVariant>

#include <sys/stat.h>

#include <libpq-fe.h>
#include <memory>

namespace quiller {

namespace {

const QStringList& SslModes() {
    static const QStringList modes{QStringLiteral("disable"),   QStringLiteral("allow"),
                                   QStringLiteral("prefer"),    QStringLiteral("require"),
                                   QStringLiteral("verify-ca"), QStringLiteral("verify-full")};
    return modes;
}

QuillerError BadConnection(const QString& why) {
    return QuillerError(kErrorBadSetting, WithoutPassword(why),
                        QStringLiteral("ParseConnectionString"));
}

// libpq's parsed options as an address; every keyword libpq accepted is kept.
ServerAddress AddressOf(const PQconninfoOption* parsed) {
    ServerAddress a;
    for (const PQconninfoOption* o = parsed; o->keyword; ++o) {
        if (!o->val || !*o->val)
            continue;
        const QString key = QString::fromUtf8(o->keyword);
        const QString value = QString::fromUtf8(o->val);
        if (key == QLatin1String("host"))
            a.host = value;
        else if (key == QLatin1String("dbname"))
            a.name = value;
        else if (key == QLatin1String("user"))
            a.user = value;
        else if (key == QLatin1String("password"))
            a.password = value;
        else if (key == QLatin1String("sslmode"))
            a.sslmode = value;
        else if (key == QLatin1String("port")) {
            bool ok = false;
            a.port = value.toInt(&ok);
            if (!ok || a.port < 1 || a.port > 65535)
                throw BadConnection(QCoreApplication::translate(
                                        "DatabaseServer", "The port \"%1\" is not a port number.")
                                        .arg(value));
        } else
            a.options.append({key, value});
    }
    if (!a.sslmode.isEmpty() && !SslModes().contains(a.sslmode))
        throw BadConnection(
            QCoreApplication::translate("DatabaseServer", "The sslmode \"%1\" is not one of %2.")
                .arg(a.sslmode, SslModes().join(QStringLiteral(", "))));
    // Qt hands further options to libpq separated by ';'.
    for (const auto& [key, value] : a.options)
        if (value.contains(QLatin1Char(';')))
            throw BadConnection(QCoreApplication::translate(
                                    "DatabaseServer", "The connection option %1 cannot hold a ';'.")
                                    .arg(key));
    if (a.name.isEmpty() && a.options.isEmpty())
        a.name = QStringLiteral("quiller");
    return a;
}

ServerAddress Parse(const QByteArray& conninfo) {
    char* error = nullptr;
    PQconninfoOption* parsed = PQconninfoParse(conninfo.constData(), &error);
    if (!parsed) {
        const QString why = error ? QString::fromUtf8(error).trimmed()
                                  : QCoreApplication::translate(
                                        "DatabaseServer", "libpq cannot read it (out of memory)");
        PQfreemem(error);
        throw BadConnection(
            QCoreApplication::translate("DatabaseServer", "The database connection is refused: %1.")
                .arg(why));
    }
    // Freed however the reading ends, a refused value included.
    const std::unique_ptr<PQconninfoOption, void (*)(PQconninfoOption*)> options(parsed,
                                                                                 PQconninfoFree);
    return AddressOf(options.get());
}

// A value in libpq's keyword=value form: between apostrophes, \ and ' escaped.
QByteArray Quoted(const QString& value) {
    QByteArray out = "'";
    for (const char c : value.toUtf8()) {
        if (c == '\'' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + "'";
}

// What the server or libpq said when a connection could not be made, sorted: refused
// (a retry cannot help) or unreachable.
int ConnectFailureNumber(const QString& why) {
    static const char* const refused[] = {"password authentication failed",
                                          "no password supplied",
                                          "authentication failed",
                                          "pg_hba.conf",
                                          "does not exist",
                                          "is not permitted to log in",
                                          "permission denied for database",
                                          "server does not support SSL",
                                          "too many connections for role",
                                          "certificate"};
    for (const char* text : refused)
        if (why.contains(QLatin1String(text), Qt::CaseInsensitive))
            return kErrorServerRefused;
    if (why.contains(QLatin1String("sslmode"), Qt::CaseInsensitive))
        return kErrorBadSetting;
    return kErrorServerUnavailable;
}

} // namespace

Engine EngineOf(const QSqlDatabase& db) {
    return db.driverName() == QLatin1String("QPSQL") ? Engine::PostgreSql : Engine::Sqlite;
}

QString ServerAddress::Describe() const {
    QString text =
        name.isEmpty()
            ? QCoreApplication::translate("DatabaseServer", "PostgreSQL database")
            : QCoreApplication::translate("DatabaseServer", "PostgreSQL database %1").arg(name);
    for (const auto& [key, value] : options)
        if (key == QLatin1String("service"))
            text =
                QCoreApplication::translate("DatabaseServer", "%1 (service %2)").arg(text, value);
    if (!host.isEmpty())
        text = QCoreApplication::translate("DatabaseServer", "%1 on %2")
                   .arg(text, host + (port > 0 ? QStringLiteral(":%1").arg(port) : QString()));
    if (!user.isEmpty())
        text = QCoreApplication::translate("DatabaseServer", "%1 as %2").arg(text, user);
    return text;
}

QString WithoutPassword(const QString& text) {
    static const QRegularExpression uri(
        QStringLiteral("(postgres(?:ql)?://[^:/@\\s\"]*:)[^@\\s\"]*@"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression keyword(
        QStringLiteral("(password\\s*=\\s*)('(?:[^'\\\\]|\\\\.)*'|\\S+)"),
        QRegularExpression::CaseInsensitiveOption);
    QString out = text;
    out.replace(uri, QStringLiteral("\\1***@"));
    out.replace(keyword, QStringLiteral("\\1***"));
    return out;
}

ServerAddress ParseConnectionString(const QString& text) {
    if (text.trimmed().isEmpty())
        throw BadConnection(
            QCoreApplication::translate("DatabaseServer", "No database connection was given."));
    const QString trimmed = text.trimmed();
    // libpq reads anything without '=' as a database name; a connection text here is a
    // URI or keyword=value pairs.
    if (!trimmed.startsWith(QLatin1String("postgresql://")) &&
        !trimmed.startsWith(QLatin1String("postgres://")) && !trimmed.contains(QLatin1Char('=')))
        throw BadConnection(QCoreApplication::translate(
                                "DatabaseServer", "\"%1\" is not a database connection: give a URI "
                                                  "(postgresql://user@host:port/database) or "
                                                  "keyword=value pairs (service=pharmacy).")
                                .arg(trimmed));
    return Parse(trimmed.toUtf8());
}

ServerAddress ServerAddressFromKeywords(const QList<std::pair<QString, QString>>& keywords) {
    QByteArray conninfo;
    for (const auto& [key, value] : keywords) {
        if (value.isEmpty())
            continue;
        const QString keyword = key == QLatin1String("name") ? QStringLiteral("dbname") : key;
        if (keyword == QLatin1String("password") || keyword == QLatin1String("passfile"))
            throw BadConnection(
                QCoreApplication::translate("DatabaseServer",
                                            "The settings hold the database %1: keep it in "
                                            "~/.pgpass or a service file instead.")
                    .arg(keyword));
        // libpq names the keyword it does not know; a keyword is letters and '_' only.
        static const QRegularExpression plain(QStringLiteral("^[a-z_]+$"));
        if (!plain.match(keyword).hasMatch())
            throw BadConnection(QCoreApplication::translate(
                                    "DatabaseServer", "The database setting \"%1\" is not known.")
                                    .arg(keyword));
        conninfo += keyword.toUtf8() + '=' + Quoted(value) + ' ';
    }
    return Parse(conninfo);
}

QList<std::pair<QByteArray, QByteArray>> ConnectionKeywords(const ServerAddress& address) {
    QList<std::pair<QByteArray, QByteArray>> out;
    auto add = [&](const char* key, const QString& value) {
        if (!value.isEmpty())
            out.append({QByteArray(key), value.toUtf8()});
    };
    add("host", address.host);
    add("port", address.port > 0 ? QString::number(address.port) : QString());
    add("dbname", address.name);
    add("user", address.user);
    add("password", address.password);
    add("sslmode", address.sslmode);
    for (const auto& [key, value] : address.options)
        out.append({key.toUtf8(), value.toUtf8()});
    // A server that does not answer must not hold the station for long.
    out.append({QByteArray("connect_timeout"), QByteArray("5")});
    return out;
}

QSqlDatabase OpenServerConnection(const ServerAddress& address, const QString& connectionName) {
    const QString source = QStringLiteral("Database.OpenServer");
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL")))
        throw QuillerError(
            kErrorServerUnavailable,
            QCoreApplication::translate("DatabaseServer",
                                        "The PostgreSQL driver of Qt (QPSQL) is not installed: "
                                        "install the package libqt6sql6-psql."),
            source);
    if (!address.sslmode.isEmpty() && !SslModes().contains(address.sslmode))
        throw QuillerError(kErrorBadSetting,
                           QCoreApplication::translate(
                               "DatabaseServer", "The setting sslmode \"%1\" is not one of %2.")
                               .arg(address.sslmode, SslModes().join(QStringLiteral(", "))),
                           source);
    // Host, port, database, user and password through Qt's own fields (Qt quotes them);
    // every other keyword quoted for libpq.
    QStringList options;
    for (const auto& [key, value] : ConnectionKeywords(address)) {
        static const QList<QByteArray> ownFields{"host", "port", "dbname", "user", "password"};
        if (!ownFields.contains(key))
            options << QString::fromUtf8(key + '=' + Quoted(QString::fromUtf8(value)));
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connectionName);
    db.setHostName(address.host);
    if (address.port > 0)
        db.setPort(address.port);
    db.setDatabaseName(address.name);
    db.setUserName(address.user);
    db.setPassword(address.password);
    db.setConnectOptions(options.join(QLatin1Char(' ')));
    if (db.open()) {
        try {
            LimitServerStatements(db);
            return db;
        } catch (const QuillerError&) {
            db.close(); // the server went away at once: unreachable, as below
        }
    }
    const QSqlError error = db.lastError();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(connectionName);
    QString why = error.databaseText().trimmed();
    if (why.isEmpty())
        why = error.text().trimmed();
    why = WithoutPassword(why);
    const int number = ConnectFailureNumber(why);
    if (number == kErrorServerRefused) {
        const QString passfile = PasswordFileProblem();
        throw QuillerError(
            number,
            QCoreApplication::translate("DatabaseServer", "The %1 refused the station: %2%3")
                .arg(address.Describe(), why,
                     passfile.isEmpty() ? QString() : QStringLiteral("\n") + passfile),
            source);
    }
    if (number == kErrorBadSetting)
        throw QuillerError(
            number,
            QCoreApplication::translate("DatabaseServer", "The setting sslmode is refused: %1")
                .arg(why),
            source);
    throw QuillerError(number,
                       QCoreApplication::translate("DatabaseServer", "The %1 cannot be reached: %2")
                           .arg(address.Describe(), why),
                       source);
}

void LimitServerStatements(const QSqlDatabase& db) {
    const QString source = QStringLiteral("Database.OpenServer");
    // The server's notices ("index ... does not exist, skipping") are not the station's
    // business.
    ExecText(db, QStringLiteral("SET client_min_messages = warning"), source);
    ExecText(db, QStringLiteral("SET statement_timeout = '10s'"), source);
    ExecText(db, QStringLiteral("SET lock_timeout = '5s'"), source);
}

bool ServerConnectionLost(const QSqlDatabase& db) {
    return ServerConnectionLost(db.driver());
}

bool ServerConnectionLost(const QSqlDriver* driver) {
    if (!driver || driver->dbmsType() != QSqlDriver::PostgreSQL)
        return false;
    // Qt's driver reports itself closed once libpq's connection has broken.
    if (!driver->isOpen())
        return true;
    const QVariant handle = driver->handle();
    // Qt names the handle's type after libpq's struct (pg_conn*, or PGconn*).
    if (!handle.isValid() ||
        (qstrcmp(handle.typeName(), "pg_conn*") != 0 && qstrcmp(handle.typeName(), "PGconn*") != 0))
        return false;
    PGconn* conn = *static_cast<PGconn* const*>(handle.constData());
    return conn && PQstatus(conn) == CONNECTION_BAD;
}

QString PasswordFileProblem() {
    QString file = qEnvironmentVariable("PGPASSFILE");
    if (file.isEmpty())
        file = QDir::homePath() + QStringLiteral("/.pgpass");
    struct stat info {};
    if (::stat(QFile::encodeName(file).constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return QString();
    if ((info.st_mode & (S_IRWXG | S_IRWXO)) == 0)
        return QString();
    return QCoreApplication::translate(
               "DatabaseServer",
               "The password file %1 is ignored because others may read it: make it "
               "readable by its owner only (chmod 600 %1).")
        .arg(QDir::toNativeSeparators(file));
}

} // namespace quiller
