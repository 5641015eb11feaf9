#pragma once

#include "app/FileSystem.h"

#include <QString>
#include <memory>

namespace quiller {

class Database;

// What the scan window and its behaviours need of the main window.
class MainWindowPort {
public:
    virtual ~MainWindowPort() = default;
    // Panel 1 of the status bar: the station's status line.
    virtual void SetStatusText(const QString& text) = 0;
    virtual QString StatusText() const = 0;
    // Progress of a batch beside the status line: done of total; total 0 hides it.
    virtual void SetProgress(int done, int total) {
        Q_UNUSED(done);
        Q_UNUSED(total);
    }
};

// The few program-wide values every window reads. Exactly one instance: App().
struct AppState {
    MainWindowPort* MainWindow = nullptr;
    quiller::FileSystem FileSystem; // the shared file operations (stateless)
    QString dataPath;               // image folder; holds the database file too
    QString filePath;               // interchange folder: data files and the lock file
    QString ScannerID;              // the station's identifier, prefix of the lock file name
    std::unique_ptr<Database> DbConnection;

    // filePath + "/" + ScannerID + "QLVLock.xs4"
    QString LockFilePath() const;
    // The image folder joined with a bare image file name.
    QString ImagePath(const QString& imageName) const;
    // Writes the status line when a main window is there.
    void SetStatus(const QString& text) const;
    QString Status() const;
    void SetProgress(int done, int total) const;

    AppState();
    ~AppState();
    AppState(const AppState&) = delete;
    AppState& operator=(const AppState&) = delete;
};

AppState& App();

} // namespace quiller
