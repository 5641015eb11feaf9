#include "station/StationDatabase.h"

#include "base/Error.h"
#include "base/FileSystem.h"
#include "base/Log.h"
#include "intake/LineParser.h"
#include "records/AuditTrail.h"
#include "records/Database.h"
#include "records/DatabaseCare.h"
#include "records/DatabaseCopy.h"
#include "settings/DatabaseSettings.h"
#include "settings/SettingsStore.h"
#include "settings/StationSettings.h"
#include "station/DataPrivacy.h"
#include "station/StationContext.h"
#include <QCoreApplication>

#include <QCoreApplication>
#include <QDate>

namespace quiller {

ServerAddress ServerAddressOf(const DatabaseSettings& settings) {
    // Through libpq's own parser, so that a misspelt key is refused by name.
    QList<std::pair<QString, QString>> keywords{
        {QStringLiteral("host"), settings.host},
        {QStringLiteral("port"), settings.port > 0 ? QString::number(settings.port) : QString()},
        {QStringLiteral("name"), settings.name},
        {QStringLiteral("user"), settings.user},
        {QStringLiteral("sslmode"), settings.sslmode}};
    keywords << settings.options;
    try {
        return ServerAddressFromKeywords(keywords);
    } catch (const QuillerError& e) {
        throw QuillerError(kErrorBadSetting,
                           QStringLiteral("The [database] group of the settings is refused: %1")
                               .arg(e.description()),
                           QStringLiteral("DatabaseSettings"));
    }
}

void OpenStationDatabase(StationContext& app, const SettingsStore& settings,
                         const QString& templateFolder) {
    const DatabaseSettings chosen = DatabaseSettings::Read(settings);
    if (!app.DbConnection)
        app.DbConnection = std::make_unique<Database>();
    if (chosen.server) {
        app.DbConnection->OpenServer(ServerAddressOf(chosen), app.dataPath);
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
    return QCoreApplication::translate("StationDatabase", "SQLite file %1")
        .arg(Database::PathIn(folder));
}

QString CopyStationDatabase(const SettingsStore& settings, const QString& connection) {
    // The target is read before anything is opened: an empty or malformed one is refused.
    const ServerAddress address = ParseConnectionString(connection);
    const QString folder = StationSettings(settings).ImageFolder();
    if (folder.isEmpty())
        throw QuillerError(
            kErrorNotConfigured,
            QCoreApplication::translate("StationDatabase",
                                        "The station has no image folder in its settings."),
            QStringLiteral("CopyDatabase"));
    const QString file = Database::PathIn(folder);
    const DatabaseCare::FileHealth health = DatabaseCare::InspectFile(file);
    if (health.kind != DatabaseCare::FileHealth::Sound)
        throw QuillerError(
            health.kind == DatabaseCare::FileHealth::Missing ? kErrorUnknown
                                                             : kErrorDatabaseDamaged,
            health.kind == DatabaseCare::FileHealth::Missing
                ? QStringLiteral("There is no database file %1.").arg(FileSystem::Native(file))
                : QStringLiteral("The database %1 is damaged: %2.")
                      .arg(FileSystem::Native(file), health.finding),
            QStringLiteral("CopyDatabase"));
    Database target(QStringLiteral("quiller-copy-target"));
    target.OpenServer(address, folder);
    // The server's audit trail records the copy, done or not: its auditor sees which
    // station's rows arrived, when and from whom. The file is never written to.
    const QString id = StationSettings(settings).StationId();
    const QString station = DataPrivacy::IsValidStationId(id) ? id : QString();
    const auto audit = [&](const QString& detail, const QString& outcome) {
        try {
            AuditTrail::Append(target.Connection(),
                               AuditEntry{station, QStringLiteral("copy to server"), QString(),
                                          QString(), detail, outcome});
        } catch (const QuillerError& e) {
            qCWarning(lcStorage).noquote()
                << QStringLiteral("audit entry \"copy to server\" not recorded: %1")
                       .arg(e.description());
        }
    };
    CopyCounts c;
    try {
        c = CopySqliteToServer(file, target,
                               [](QByteArrayView bytes) { return DecodeCp1252(bytes); });
    } catch (const QuillerError& e) {
        // Only the error's number: a refused row's text can quote its values.
        audit(QStringLiteral("from %1").arg(file),
              QStringLiteral("failed (error %1): nothing was copied").arg(e.number()));
        throw;
    }
    audit(QStringLiteral("from %1: %2 rows; %3 added, %4 updated, %5 already the same, %6 kept")
              .arg(file, QString::number(c.sourceRows), QString::number(c.inserted),
                   QString::number(c.updated), QString::number(c.unchanged),
                   QString::number(c.kept)),
          QStringLiteral("done"));
    return QStringLiteral("Copied %1 to %2: %3 rows (%4 prescriptions); %5 added, %6 updated, "
                          "%7 already the same, %8 kept as the server had them with an image; "
                          "the server holds %9 rows (%10 before).\n")
        .arg(FileSystem::Native(file), target.Describe())
        .arg(c.sourceRows)
        .arg(c.sourceKeys)
        .arg(c.inserted)
        .arg(c.updated)
        .arg(c.unchanged)
        .arg(c.kept)
        .arg(c.targetAfter)
        .arg(c.targetBefore);
}

QString BackUpDaily(const StationContext& app, const QDate& day) {
    static QDate toldOn;
    if (!app.DbConnection || !app.DbConnection->IsOpen() ||
        app.DbConnection->engine() != Engine::Sqlite)
        return QString();
    try {
        DatabaseCare::BackUpIfDue(app.DbConnection->Connection(), app.dataPath, day);
        return QString();
    } catch (const QuillerError& e) {
        qCWarning(lcStorage).noquote() << "database backup failed:" << e.description();
        if (toldOn == day)
            return QString();
        toldOn = day;
        return QCoreApplication::translate("StationDatabase",
                                           "The daily backup of the database could not be "
                                           "made:\n%1\n\nThe station goes on working; "
                                           "ask your administrator to look at the folder %2.")
            .arg(e.description(), FileSystem::Native(DatabaseCare::BackupFolder(app.dataPath)));
    }
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
