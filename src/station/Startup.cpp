#include "station/Startup.h"

#include "base/MessageBoxes.h"
#include "intake/LockFile.h"
#include "records/Database.h"
#include "settings/SettingsStore.h"
#include "station/StationContext.h"

namespace quiller {

QString ConfigureNowQuestion() {
    return QStringLiteral(
        "The configuration must be done before using this program. Configure it now?");
}

std::optional<int> Main(StationContext& app, SettingsStore& settings, const StartupHooks& hooks) {
    // 1. A second copy ends silently.
    if (hooks.anotherInstanceRunning && hooks.anotherInstanceRunning())
        return 0;

    // 3. The station's basic settings.
    const QString setup = SettingsStore::Setup();
    app.dataPath = settings.Read(setup, QStringLiteral("dataPath"));
    app.filePath = settings.Read(setup, QStringLiteral("filePath"));
    app.ScannerID = settings.Read(setup, QStringLiteral("ScannerID"));

    // 4. First-run configuration.
    if (app.dataPath.isEmpty() || app.filePath.isEmpty() || app.ScannerID.isEmpty()) {
        for (;;) {
            hooks.showConfigurationDialogModal();
            app.dataPath = settings.Read(setup, QStringLiteral("dataPath"));
            app.filePath = settings.Read(setup, QStringLiteral("filePath"));
            if (!app.dataPath.isEmpty() && !app.filePath.isEmpty())
                break;
            const MsgAnswer answer = MessageBoxes::Show(
                MessageBoxRequest{ConfigureNowQuestion(), QStringLiteral("Continue?"),
                                  MsgIcon::Question, MsgButtons::YesNo, MsgAnswer::Yes});
            if (answer != MsgAnswer::Yes)
                return 0;
        }
    }

    // 5. The database file in the image folder.
    Database::EnsureFile(app.dataPath, hooks.templateFolder);

    // 6. The one connection.
    if (!app.DbConnection)
        app.DbConnection = std::make_unique<Database>();
    if (!app.DbConnection->IsOpen())
        app.DbConnection->Open(app.dataPath);

    // 7. No connection, no station.
    if (!app.DbConnection->IsOpen()) {
        MessageBoxes::Show(QStringLiteral("The connection with database cannot be established."),
                           MsgIcon::Critical);
        return 1;
    }

    // 8. The scanner position recorded in the database wins over the setting. The row
    // holds only the position; the device's name is setting ScannerDevice, written beside
    // both by the configuration dialog, and where it is set the scanner is found by name
    // (its position may have changed since), the position serving older settings only.
    const std::optional<QString> source = app.DbConnection->ReadScannerSource();
    if (source && !source->isEmpty())
        settings.Write(setup, QStringLiteral("Scanner"), *source);

    // 9. This station's stale lock file.
    LockFile::Remove(app.LockFilePath());

    // 10. The main window.
    hooks.showMainWindow();
    return std::nullopt;
}

} // namespace quiller
