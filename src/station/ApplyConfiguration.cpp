#include "station/ApplyConfiguration.h"

#include "base/Error.h"
#include "base/FileSystem.h"
#include "base/Log.h"
#include "records/Database.h"
#include "settings/StationSettings.h"
#include "station/StationContext.h"

#include <memory>

namespace quiller {

namespace {

QuillerError CannotOpen(const QString& folder, const QuillerError& e) {
    return QuillerError(e.number(),
                        QStringLiteral("The database in %1 cannot be opened: %2")
                            .arg(FileSystem::Native(folder), e.description()),
                        QStringLiteral("ApplyConfiguration"));
}

// Puts the connection back on the folder it had (closed, when it had none); that folder's
// own failure, if any, shows when it is next used.
void ReopenPrevious(Database& db, const QString& previous) {
    if (previous.isEmpty()) {
        db.Close();
        return;
    }
    try {
        db.Open(previous);
    } catch (const QuillerError& e) {
        qCWarning(lcSettings).noquote()
            << QStringLiteral("the previous database could not be reopened: ") + e.description();
    }
}

struct SetupValues {
    QString imageFolder, interchangeFolder, stationId, device;
    std::optional<int> position;
};

SetupValues Current(const StationSettings& s) {
    return {s.ImageFolder(), s.InterchangeFolder(), s.StationId(), s.ScannerDevice(),
            s.ScannerPosition()};
}

void WriteSetup(StationSettings& s, const StationConfiguration& c) {
    s.SetImageFolder(c.imageFolder);
    // The device name identifies the scanner; the position stays beside it (and in the
    // Configuration row) for older settings, and the name wins where both are set.
    s.SetScanner(c.scannerPosition, c.scannerDevice);
    s.SetInterchangeFolder(c.interchangeFolder);
    s.SetStationId(c.stationId);
}

// Writes back what the settings held before, as far as the store lets it.
void RestoreSetup(StationSettings& s, const SetupValues& old) {
    try {
        s.SetImageFolder(old.imageFolder);
        s.SetScanner(old.position, old.device);
        s.SetInterchangeFolder(old.interchangeFolder);
        s.SetStationId(old.stationId);
    } catch (const QuillerError& e) {
        qCWarning(lcSettings).noquote()
            << QStringLiteral("the previous settings could not be restored: ") + e.description();
    }
}

} // namespace

void ApplyConfiguration(StationContext& app, StationSettings& settings,
                        const StationConfiguration& chosen) {
    const bool server = settings.Database().server;
    const QString previous = app.dataPath;
    const bool reopen = !server && (!app.DbConnection || !app.DbConnection->IsOpen() ||
                                    previous != chosen.imageFolder);
    if (reopen) {
        try {
            Database::EnsureFile(chosen.imageFolder, Database::TemplateFolder());
            Database probe(QStringLiteral("quiller-configuration-check"));
            probe.Open(chosen.imageFolder);
        } catch (const QuillerError& e) {
            throw CannotOpen(chosen.imageFolder, e);
        }
        if (!app.DbConnection)
            app.DbConnection = std::make_unique<Database>();
        try {
            app.DbConnection->Open(chosen.imageFolder);
        } catch (const QuillerError& e) {
            ReopenPrevious(*app.DbConnection, previous);
            throw CannotOpen(chosen.imageFolder, e);
        }
    }

    const SetupValues old = Current(settings);
    try {
        WriteSetup(settings, chosen);
    } catch (const QuillerError&) {
        RestoreSetup(settings, old);
        if (reopen)
            ReopenPrevious(*app.DbConnection, previous);
        throw;
    }

    app.dataPath = chosen.imageFolder;
    app.filePath = chosen.interchangeFolder;
    app.ScannerID = chosen.stationId;
    LogFile::SetStation(app.ScannerID);
    // A server's Configuration row would be every station's: the settings keep it.
    if (!server)
        app.DbConnection->WriteScannerSource(chosen.scannerPosition);
    qCInfo(lcSettings).noquote() << "configuration saved: images" << chosen.imageFolder
                                 << "interchange" << chosen.interchangeFolder << "station"
                                 << app.ScannerID;
}

} // namespace quiller
