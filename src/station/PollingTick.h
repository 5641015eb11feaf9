#pragma once

#include "base/Error.h"

#include <QDateTime>
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

namespace quiller {

struct StationContext;
class ScanListPort;

// What the polling tick drives outside itself.
struct PollingHooks {
    std::function<void()> startBatch;     // AcquireBatch: acquire the listed prescriptions
    std::function<void(bool)> setPolling; // Timer1 on or off
    std::function<void()> timer2Off;      // Timer2 (scanner watch) off
};

// One data file as the folder listing saw it.
struct DataFileStamp {
    qint64 size = -1;
    qint64 modified = 0; // milliseconds since the epoch, UTC
    friend bool operator==(const DataFileStamp&, const DataFileStamp&) = default;
};

// The polling tick of the scan window (Timer1_Timer): takes this station's data files
// from the interchange folder, lists their prescriptions, records them in the database,
// removes the files, raises the lock file and starts the batch acquisition.
//
// - A file is taken only when its size and modification time are the same as at the
//   previous tick, so a file still being written is left for a later tick.
// - Each file is written in one transaction; each line's row is written whole or not
//   at all. A line the database refuses leaves nothing behind and is reported; the file is then
//   kept beside the folder's data as "<name>.err" instead of being deleted.
// - When the database itself cannot be written (locked, read-only, gone), the file is
//   left untouched, its entries leave the list again, and a later tick takes it. Such a
//   condition is reported once while it lasts, not at every tick.
// - All files taken in one tick stay listed and go into one batch, oldest file first.
//   A tick stops taking files after about 50 ms; the files left over
//   are taken by the next tick, after the batch, so a flood of files never freezes
//   the window.
class PollingTick {
public:
    PollingTick(StationContext& app, ScanListPort& list, PollingHooks hooks);

    // One tick. Does nothing while an earlier tick is still running (its error report
    // open, say).
    void Timer1_Timer();
    bool IsRunning() const { return running_; }

    // Whether a file name is a data file of the station `scannerId`, and its mark.
    static bool IsDataFileName(const QString& fileName, const QString& scannerId);
    static QString MarkOf(const QString& fileName);

    static QString ReadingStatus() { return QStringLiteral("Open and read data files"); }
    static QString IdleStatus() { return QStringLiteral("Idle"); }
    static QString RestartHint() {
        return QStringLiteral(". Click Restart from Tools menu to start again.");
    }
    static QString TickLocation() { return QStringLiteral("Timer1_Timer of frmScan"); }
    static QString FillListLocation() { return QStringLiteral("Sub FillList of frmScan"); }

    // Reads a data file's non-empty lines (Windows-1252). Refuses a link or anything but
    // a regular file; throws QuillerError when the file cannot be read.
    static QStringList ReadDataFile(const QString& path);

private:
    struct Candidate {
        QString path;
        QString name;
        DataFileStamp stamp;
    };
    enum class FileResult { Taken, Deferred, Failed, Changed };

    std::vector<Candidate> Survey();
    FileResult TakeFile(const Candidate& file, bool& listCleared);
    void Problem(const QString& key, const QuillerError& error, const QString& location);
    // Deletes a file taken whole, or renames one with refused lines; gives the name a
    // set-aside file is kept under.
    QString SetAside(const Candidate& file, bool refused);

    StationContext& app_;
    ScanListPort& list_;
    PollingHooks hooks_;
    bool running_ = false;

    QHash<QString, DataFileStamp> seen_; // this station's files at the previous tick
    QHash<QString, DataFileStamp> done_; // taken, but could not be removed from the folder
    QSet<QString> reported_;             // conditions reported and still lasting
    QSet<QString> current_;              // conditions met in this tick
    std::optional<QuillerError> lastProblem_;
};

} // namespace quiller
