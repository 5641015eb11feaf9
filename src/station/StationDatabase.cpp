#include "station/StationDatabase.h"

#include "base/Error.h"
#include "records/Database.h"
#include "records/DatabaseCopy.h"
#include "settings/DatabaseSettings.h"
#include "settings/SettingsStore.h"
#include "settings/StationSettings.h"
#include "station/StationContext.h"

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
    const QString folder =
        app.dataPath.isEmpty() ? StationSettings(settings).ImageFolder() : app.dataPath;
    return QStringLiteral("SQLite file ") + Database::PathIn(folder);
}

QString CopyStationDatabase(const SettingsStore& settings, const QString& connection) {
    const QString folder = StationSettings(settings).ImageFolder();
    if (folder.isEmpty())
        throw QuillerError(kErrorNotConfigured,
                           QStringLiteral("The station has no image folder in its settings."),
                           QStringLiteral("CopyDatabase"));
    const QString file = Database::PathIn(folder);
    Database target(QStringLiteral("quiller-copy-target"));
    target.OpenServer(ParseServerUri(connection));
    const CopyCounts c = CopySqliteToServer(file, target);
    return QStringLiteral("Copied %1 to %2: %3 rows (%4 prescriptions); %5 added, %6 updated, "
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
    return QStringLiteral("The station cannot reach its database server.\n\n%1\n\n"
                          "Check the network and that the server is running, then choose Yes "
                          "to try again, or No to close the program.")
        .arg(why);
}

} // namespace quiller
