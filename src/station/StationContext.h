#pragma once

#include "base/FileSystem.h"

#include <QDateTime>
#include <QList>
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

// The run's state: the folders, the station's identifier, the database connection and
// the status line. One instance per run, made by the program's start and passed to
// every window and behaviour that needs it; never global, so tests build their own.
struct StationContext {
    MainWindowPort* MainWindow = nullptr;
    quiller::FileSystem FileSystem; // the shared file operations (stateless)
    QString dataPath;               // image folder; holds the database file too
    QString filePath;               // interchange folder: data files and the lock file
    QString ScannerID;              // the station's identifier, prefix of the lock file name
    std::unique_ptr<Database> DbConnection;

    // Accesses recorded while a window held them back (PatientRecords::AccessHold), in
    // the order recorded, not yet in the audit trail.
    struct HeldAccess {
        QString action, rxNbr, refNo, detail, outcome;
        QDateTime at;
    };
    mutable QList<HeldAccess> heldAccesses;
    mutable int accessHolds = 0;

    // filePath + "/" + ScannerID + "QLVLock.xs4"
    QString LockFilePath() const;
    // The image folder joined with a bare image file name.
    QString ImagePath(const QString& imageName) const;
    // Writes the status line when a main window is there.
    void SetStatus(const QString& text) const;
    QString Status() const;
    void SetProgress(int done, int total) const;

    StationContext();
    ~StationContext();
    StationContext(const StationContext&) = delete;
    StationContext& operator=(const StationContext&) = delete;
};

} // namespace quiller
