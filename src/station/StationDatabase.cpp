#include "station/StationDatabase.h"

#include "base/Error.h"
#include "records/Database.h"
#include "records/DatabaseCopy.h"
#include "settings/DatabaseSettings.h"
#include "settings/SettingsStore.h"
#include "station/StationContext.h"
#include <QCoreApplication>

namespace quiller {

ServerAddress ServerAddressOf(const DatabaseSettings& settings) {
    ServerAddress address;
    address.host = settings.host;
    address.port = settings.port;
    address.name = settings.name;
    address.user = settings.user;
    address.sslmode = settings.sslmode;
    return address;
}

void OpenStationDatabase(StationContext& app, const SettingsStore& settings,
                         const QString& templateFolder) {
    const DatabaseSettings chosen = DatabaseSettings::Read(settings);
    if (!app.DbConnection)
        app.DbConnection = std::make_unique<Database>();
    if (chosen.server) {
        app.DbConnection->OpenServer(ServerAddressOf(chosen));
        return;
    }
    Database::EnsureFile(app.dataPath, templateFolder);
    app.DbConnection->Open(app.dataPath);
}

QString DescribeStationDatabase(const StationContext& app, const SettingsStore& settings) {
    if (app.DbConnection && app.DbConnection->IsOpen())
        return app.DbConnection->Describe();
    try {
        const DatabaseSettings chosen = DatabaseSettings::Read(settings);
        if (chosen.server)
            return ServerAddressOf(chosen).Describe();
    } catch (const QuillerError& e) {
        return e.description();
    }
    const QString folder = app.dataPath.isEmpty()
                               ? settings.Read(SettingsStore::Setup(), QStringLiteral("dataPath"))
                               : app.dataPath;
    return QCoreApplication::translate("StationDatabase", "SQLite file %1")
        .arg(Database::PathIn(folder));
}

QString CopyStationDatabase(const SettingsStore& settings, const QString& connection) {
    const QString folder = settings.Read(SettingsStore::Setup(), QStringLiteral("dataPath"));
    if (folder.isEmpty())
        throw QuillerError(
            kErrorNotConfigured,
            QCoreApplication::translate("StationDatabase",
                                        "The station has no image folder in its settings."),
            QStringLiteral("CopyDatabase"));
    const QString file = Database::PathIn(folder);
    Database target(QStringLiteral("quiller-copy-target"));
    target.OpenServer(ParseServerUri(connection));
    const CopyCounts c = CopySqliteToServer(file, target);
    return QCoreApplication::translate(
               "StationDatabase",
               "Copied %1 to %2: %3 rows (%4 prescriptions); %5 added, %6 updated, "
               "%7 kept as the server had them with an image; the server holds %8 "
               "rows (%9 before).\n")
        .arg(file, target.Describe())
        .arg(c.sourceRows)
        .arg(c.sourceKeys)
        .arg(c.inserted)
        .arg(c.updated)
        .arg(c.kept)
        .arg(c.targetAfter)
        .arg(c.targetBefore);
}

QString UnreachableServerQuestion(const QString& why) {
    return QCoreApplication::translate(
               "StationDatabase",
               "The station cannot reach its database server.\n\n%1\n\n"
               "Check the network and that the server is running, then choose Yes "
               "to try again, or No to close the program.")
        .arg(why);
}

} // namespace quiller
