#pragma once

#include "records/PageChecks.h"
#include "scanner/ScannerControl.h"
#include "settings/StationSettings.h"
#include "station/Acquisition.h"
#include "station/BatchEntries.h"
#include "station/BatchRest.h"
#include "station/PageStaging.h"
#include "station/PollingTick.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

class QTimer;

namespace quiller {

class EarlierBatches;
class GlassPrompts;
struct PageDecision;
class PageReading;
struct StationContext;

// The station's core: it alone owns every batch, from the polling tick that takes a data
// file to the report that closes the batch.
//
// - the to-be-scanned list (BatchEntries), filled by the tick, displayed by the window;
// - polling (the tick's timer) and the lock file in the interchange folder: while a batch
//   runs or its report is open the lock file is up and polling is off; in viewing mode the
//   lock file is up too;
// - the queue of batches and the busy state;
// - every page the scanner delivers: written into the staging folder with its journal
//   line before anything else happens to it, then filed by label or by position
//   (ImageStore), or kept in "Unmatched/";
// - the prescriptions still without a page (Scan the rest), kept across a Restart and a
//   new start of the program;
// - what Stop (Exit, Restart) does to a running batch.
//
// The windows send it the operator's commands and show what it reports through its
// signals; message boxes it shows go through MessageBoxes from queued calls, never inside
// the scanner's or a timer's handler. It lives as long as the program, so a Restart of the
// scan window does not lose a batch.
class StationCore : public QObject {
    Q_OBJECT
public:
    explicit StationCore(StationContext& ctx, QObject* parent = nullptr);
    ~StationCore() override;

    BatchEntries& Entries() { return entries_; }
    // The staging folder; opened at the first batch (or by Recover at start-up).
    PageStaging* Staging();

    // The scanner the scan window brought up; null while there is none (before the
    // window loads, after it unloads).
    void SetScanner(ScannerControl* scanner);
    ScannerControl* Scanner() const { return scanner_; }

    // Polling and the lock file.
    static constexpr int kPollIntervalMs = 2000;
    // The scan window is up: in scanning mode and not busy, the lock file goes and
    // polling starts.
    void Resume();
    // The operator switched between scanning and viewing.
    void SetViewing(bool viewing);
    bool Viewing() const { return viewing_; }
    bool Polling() const;
    // The polling timer (the scan window shows it by its name, Timer1).
    QTimer* PollTimer() const { return pollTimer_; }
    // The main window was closed to the tray or the task bar: the station goes on polling
    // (a running batch starts it again at its end).
    void PollWhileHidden();
    // The program ends: polling off, lock file down.
    void Shutdown();
    // One polling tick now (the polling timer runs it).
    void Tick();

    // Batches.
    bool Busy() const { return busy_; }
    bool BatchQueued() const { return !queued_.isEmpty(); }
    // The entries of the last batch, in list order.
    const QStringList& BatchItems() const { return batchItems_; }
    // What a stop would leave unfinished: prescriptions of the running and queued
    // batches still waiting for their page, and pages received but not filed yet.
    int Outstanding() const;
    // The prescriptions the tick has listed, as one batch.
    void AcquireBatch();
    // One page for one prescription (the Scan button, once the operator has confirmed).
    void ScanOne(const ScanTarget& target, bool viewing);
    // Scan the rest: the prescriptions of the latest batches whose page never came.
    bool RestAvailable() const { return !rest_.IsEmpty(); }
    // Starts them as one batch; false (nothing started) when every one has its image by
    // now.
    bool ScanRest();
    // The operator stops (Exit, Restart, Stop while waiting for paper): every batch ends,
    // the pages received are filed where their place is decided (by label, and by
    // position, since the batch has ended) or kept in "Unmatched/"; gives the report.
    // Afterwards the station is idle: the lock file comes down and polling follows the
    // mode.
    QString Stop();
    // Waiting for paper: the batch's first acquisition found no document.
    bool WaitingForPaper() const { return waitingForDocument_; }

    // How long a batch waits for paper in the feeder before it reports the shortfall.
    void SetPaperWaitMs(int ms) { paperWaitMs_ = ms; }
    static constexpr int kPaperRetryMs = 2000;
    static constexpr int kFeederPollMs = 200;

    static QString NoScannerText();

signals:
    void BusyChanged(bool busy);
    void RestChanged(bool available);
    void PollingChanged(bool on);
    void WaitingForPaperChanged(bool waiting);
    // The scanner's buffer was emptied for a new acquisition.
    void BufferCleared();
    // A page arrived at this place of the scanner's buffer (the preview shows it);
    // `storedAs`: the image it was stored as, empty when it was not (yet) stored.
    void PageShown(int bufferIndex, const QString& storedAs);
    // A page was stored as the image of `target` (`filed`: how, or empty without label
    // reading); `viewing` says it was a rescan from the viewing list.
    void PageStored(const quiller::ScanTarget& target, const QString& name, const QString& filed,
                    bool viewing);
    // Label reading said how a prescription's page was filed ("missing" when none came).
    void FilingShown(const quiller::ScanTarget& target, const QString& filed, bool viewing);

private:
    // Batches (StationCore.cpp).
    void Start(Acquisition a);
    void SetUp(const Acquisition& a);
    void BeginStaging(Acquisition& a);
    void StartAcquire();
    void WaitForDocument();
    void OnFeederPoll();
    void OnPostScan(int flag);
    bool WaitForPaperAgain();
    void EndAcquisition(const QString& scannerError = QString());
    void FinishAcquisition(quint64 ticket, const QString& report);
    void BecomeIdle();
    void FeederOff();
    void ClearBuffer();
    ScannerControl* UsableScanner() const;
    void SetBusy(bool busy);
    // Pages (StationCoreFiling.cpp).
    void HandlePage(int index);
    void PrepareFiling(Acquisition& a);
    void ReadPage(int page, int index);
    void OnPageRead(quint64 batch, int page, const QList<PageCode>& codes);
    void FileSettled(bool ended);
    bool FileFor(int page, const ScanTarget& target, const PageCheck* check);
    void KeepApart(int page, const QString& hint, bool extra, const QString& why = {},
                   const QString& label = {});
    // A page whose label names none of the batch's prescriptions, tried against this
    // station's earlier batches and the rest list.
    enum class Earlier { NotNamed, Filed, HasImage };
    Earlier FileEarlier(int page, const PageDecision& d);
    EarlierBatches& EarlierList();
    void RememberBatch(const Acquisition& a);
    bool EndFiling(const QString& scannerError);
    void SettleOnStop();
    void CloseStaging();
    int PendingPages() const;
    // Pages waiting for the database server (StationCoreServerWait.cpp).
    // `earlierLabel`: the page's label names a prescription of an earlier batch, filed
    // there only while it has no image yet.
    void WaitForServer(int page, const ScanTarget& target, const QString& name,
                       const PageCheck* check, const QString& earlierLabel = {});
    void FileWaitingPages();
    bool Waiting(const QString& batch) const;
    // Polling, the lock file and the rest (StationCoreIntake.cpp).
    void SetPolling(bool on);
    void RaiseLock();
    void RemoveLock();
    void SaveRest();
    void LoadRest();

    StationContext& ctx_;
    BatchEntries entries_;
    std::unique_ptr<PollingTick> tick_;
    QTimer* pollTimer_;
    QTimer* feederTimer_;
    QTimer* paperTimer_;
    GlassPrompts* glass_;
    PageReading* reading_;
    std::unique_ptr<PageStaging> staging_;
    std::unique_ptr<EarlierBatches> earlier_;
    QPointer<ScannerControl> scanner_;

    std::optional<Acquisition> current_;
    QList<Acquisition> queued_;
    BatchRest rest_;
    bool restLoaded_ = false;
    QStringList batchItems_;
    bool busy_ = false;
    bool viewing_ = false;
    bool reporting_ = false;
    quint64 ticket_ = 0; // tells one batch (and its report) from the next
    // The running batch's pages: staged file and whether it has left staging.
    QString batchId_;
    QList<StagedPage> staged_;
    QList<bool> settled_;
    QList<int> bufferOf_; // page -> its place in the scanner's buffer
    bool waitingForDocument_ = false;
    qint64 paperDeadline_ = 0;
    int paperWaitMs_ = StationSettings::kDefaultPaperWaitMinutes * 60 * 1000;
    bool endWaitsForReads_ = false;
    QString endError_;
    std::vector<TickReport> pendingReports_;
    // Pages whose place is decided, left in staging while the database server was
    // unavailable; filed by a timer once it is back (or by the next start's recovery).
    struct ServerWait {
        StagedPage page;
        ScanTarget target;
        QString name;
        std::optional<PageCheck> check;
        QString earlierLabel;
    };
    QList<ServerWait> waitingForServer_;
    QTimer* serverTimer_;
};

} // namespace quiller
