#pragma once

#include "base/Error.h"

#include <QCoreApplication>
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

// A report a tick has for the operator: a data file's refused lines in plain words, or
// a run-time error in the developer's four-line form.
struct TickReport {
    QString text;                      // plain report (no error)
    std::optional<QuillerError> error; // a run-time error
    QString location;
    void Show() const;
};

// What the polling tick drives outside itself.
struct PollingHooks {
    std::function<void()> startBatch;     // AcquireBatch: acquire the listed prescriptions
    std::function<void(bool)> setPolling; // Timer1 on or off
    std::function<void()> timer2Off;      // Timer2 (scanner watch) off
    // Takes the tick's reports to show them after the tick has returned (a box must not
    // run inside a tick whose owner can go away meanwhile). Without it they are shown
    // at the end of the tick, before the batch starts.
    std::function<void(std::vector<TickReport>)> report;
    // True while a batch is running or its report is open: the tick does nothing.
    std::function<bool()> busy;
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
// - A line refused by the database (a bad date) or whose image name would leave the
//   image folder stays listed, marked as not recorded with the reason; a file none of
//   whose lines could be recorded lists nothing and starts no batch. One plain report
//   per such file. A refused line is named by file, line number and field, never by a
//   value from it, and a database's own error text for a refused row (which can quote
//   the values) is left out: only its code is named.
// - All files taken in one tick stay listed and go into one batch, oldest file first.
//   A tick stops taking further files once it has listed kTickLines lines (a count,
//   never a time, so the same folder always gives the same batches); the files left
//   over are taken by the next tick, after the batch.
// - Nothing happens while the station is busy with a batch (hooks.busy).
class PollingTick {
public:
    PollingTick(StationContext& app, ScanListPort& list, PollingHooks hooks);

    // Lines a tick lists before it leaves further files to the next tick.
    static constexpr int kTickLines = 200;

    // One tick. Does nothing while an earlier tick is still running (its error report
    // open, say) or the station is busy.
    void Timer1_Timer();
    bool IsRunning() const { return running_; }

    // Whether a file name is a data file of the station `scannerId`, and its mark.
    static bool IsDataFileName(const QString& fileName, const QString& scannerId);
    static QString MarkOf(const QString& fileName);

    static QString ReadingStatus() {
        return QCoreApplication::translate("PollingTick", "Open and read data files");
    }
    static QString IdleStatus() { return QCoreApplication::translate("PollingTick", "Idle"); }
    static QString RestartHint() {
        return QCoreApplication::translate("PollingTick",
                                           ". Click Restart from Tools menu to start again.");
    }
    static QString TickLocation() { return QStringLiteral("Timer1_Timer of frmScan"); }
    static QString FillListLocation() { return QStringLiteral("Sub FillList of frmScan"); }

    // Reads a data file's non-empty lines (Windows-1252), and into `numbers` (when given)
    // each one's line number in the file. Refuses a link or anything but a regular file;
    // throws QuillerError when the file cannot be read.
    static QStringList ReadDataFile(const QString& path, QList<int>* numbers = nullptr);

private:
    struct Candidate {
        QString path;
        QString name;
        DataFileStamp stamp;
    };
    enum class FileResult { Taken, Refused, Deferred, Failed, Changed };

    std::vector<Candidate> Survey();
    FileResult TakeFile(const Candidate& file, bool& listCleared, int& lines);
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
    std::vector<TickReport> reports_; // of the running tick
};

} // namespace quiller
