#include "settings/DatabaseSettings.h"

#include "base/Error.h"
#include "settings/SettingsStore.h"

#include <QCoreApplication>

namespace quiller {

DatabaseSettings DatabaseSettings::Read(const SettingsStore& settings) {
    const QString group = Group();
    const QString source = QStringLiteral("DatabaseSettings");
    DatabaseSettings s;
    const QString driver = settings.Read(group, QStringLiteral("driver")).trimmed().toLower();
    if (driver == QLatin1String("postgresql") || driver == QLatin1String("postgres"))
        s.server = true;
    else if (!driver.isEmpty() && driver != QLatin1String("sqlite"))
        throw QuillerError(
            kErrorBadSetting,
            QCoreApplication::translate("DatabaseSettings",
                                        "The database driver \"%1\" in the settings is not "
                                        "known; use sqlite or postgresql.")
                .arg(driver),
            source);
    // A password in the settings file would lie in plain text where backups and support
    // copies go; libpq reads it from the account's own ~/.pgpass instead.
    if (!settings.Read(group, QStringLiteral("password")).isEmpty())
        throw QuillerError(
            kErrorBadSetting,
            QCoreApplication::translate("DatabaseSettings",
                                        "The settings hold a database password ([database] "
                                        "password), which the station never reads there. "
                                        "Remove it and put it in ~/.pgpass (mode 0600)."),
            source);
    s.host = settings.Read(group, QStringLiteral("host")).trimmed();
    const QString port = settings.Read(group, QStringLiteral("port")).trimmed();
    if (!port.isEmpty()) {
        bool ok = false;
        s.port = port.toInt(&ok);
        if (!ok || s.port < 1 || s.port > 65535)
            throw QuillerError(
                kErrorBadSetting,
                QCoreApplication::translate("DatabaseSettings",
                                            "The database port \"%1\" in the settings is not "
                                            "a port number.")
                    .arg(port),
                source);
    }
    // A service file names its own database; without one the station's is "quiller".
    const bool service = !settings.Read(group, QStringLiteral("service")).isEmpty();
    s.name =
        settings
            .Read(group, QStringLiteral("name"), service ? QString() : QStringLiteral("quiller"))
            .trimmed();
    s.user = settings.Read(group, QStringLiteral("user")).trimmed();
    s.sslmode = settings.Read(group, QStringLiteral("sslmode")).trimmed();
    static const QStringList known{QStringLiteral("driver"), QStringLiteral("host"),
                                   QStringLiteral("port"),   QStringLiteral("name"),
                                   QStringLiteral("user"),   QStringLiteral("sslmode")};
    for (const QString& key : settings.Keys(group))
        if (!known.contains(key))
            s.options.append({key, settings.Read(group, key).trimmed()});
    return s;
}

} // namespace quiller
