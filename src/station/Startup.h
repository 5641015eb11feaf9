#pragma once

#include <QString>
#include <functional>
#include <optional>

namespace quiller {

struct StationContext;
class SettingsStore;

// What start-up needs of the windows and the platform; the real program passes its
// dialog and main window, tests pass doubles.
struct StartupHooks {
    std::function<bool()> anotherInstanceRunning;
    std::function<void()> showConfigurationDialogModal;
    std::function<void()> showMainWindow;
    QString templateFolder; // the installed template database's folder, if any
};

// The start-up sequence. Returns nullopt when the program goes on with its windows,
// or the exit code when it ends at once. Errors it does not handle itself propagate
// as QuillerError (the caller ends the program with the run-time error message).
std::optional<int> Main(StationContext& app, SettingsStore& settings, const StartupHooks& hooks);

// The message that ends start-up on a damaged database without a good backup.
QString DamagedDatabaseMessage(const QString& file, const QString& found);
// The question asked at start-up on a damaged database when a good backup exists.
QString RestoreBackupQuestion(const QString& file, const QString& found, const QString& backup);
// The message that ends start-up when the database server refused the station.
QString DatabaseRefusedMessage(const QString& why);
// The warning at start-up when the database lies on a network file system.
QString NetworkDatabaseMessage(const QString& file, const QString& fileSystem);

// The question asked when a first-run configuration was left incomplete.
QString ConfigureNowQuestion();

} // namespace quiller
