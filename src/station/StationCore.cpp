// The station core's batches: starting them, waiting for paper, the scanner's pages and
// end, stopping, and the report that closes a batch.
#include "station/StationCore.h"

#include "base/Log.h"
#include "base/MessageBoxes.h"
#include "records/Database.h"
#include "scanner/ScannerControl.h"
#include "settings/StationSettings.h"
#include "station/EarlierBatches.h"
#include "station/GlassPrompts.h"
#include "station/StationContext.h"
#include "station/verify/PageReading.h"

#include <QDateTime>
#include <QTimer>

namespace quiller {

StationCore::StationCore(StationContext& ctx, QObject* parent)
    : QObject(parent), ctx_(ctx), pollTimer_(new QTimer(this)), feederTimer_(new QTimer(this)),
      paperTimer_(new QTimer(this)), reading_(new PageReading(0, this)),
      serverTimer_(new QTimer(this)) {
    serverTimer_->setInterval(kPollIntervalMs);
    connect(serverTimer_, &QTimer::timeout, this, &StationCore::FileWaitingPages);
    pollTimer_->setObjectName(QStringLiteral("Timer1"));
    pollTimer_->setInterval(kPollIntervalMs);
    connect(pollTimer_, &QTimer::timeout, this, &StationCore::Tick);
    feederTimer_->setInterval(kFeederPollMs);
    connect(feederTimer_, &QTimer::timeout, this, &StationCore::OnFeederPoll);
    paperTimer_->setSingleShot(true);
    connect(paperTimer_, &QTimer::timeout, this, [this] {
        if (waitingForDocument_) {
            waitingForDocument_ = false;
            emit WaitingForPaperChanged(false);
            StartAcquire();
        }
    });
    connect(reading_, &PageReading::PageRead, this, &StationCore::OnPageRead);

    GlassPrompts::Hooks glass;
    glass.current = [this] {
        return current_ ? &*current_ : nullptr;
    };
    glass.acquire = [this] {
        StartAcquire();
    };
    glass.cancel = [this] {
        EndAcquisition();
    };
    glass_ = new GlassPrompts(std::move(glass), this);

    PollingHooks hooks;
    hooks.startBatch = [this] {
        AcquireBatch();
    };
    hooks.setPolling = [this](bool on) {
        SetPolling(on);
    };
    hooks.report = [this](std::vector<TickReport> reports) {
        for (TickReport& r : reports)
            pendingReports_.push_back(std::move(r));
        QTimer::singleShot(0, this, [this] {
            if (reporting_)
                return;
            reporting_ = true;
            while (!pendingReports_.empty()) {
                const TickReport r = pendingReports_.front();
                pendingReports_.erase(pendingReports_.begin());
                r.Show();
            }
            reporting_ = false;
        });
    };
    hooks.busy = [this] {
        return busy_ || reporting_;
    };
    tick_ = std::make_unique<PollingTick>(ctx_, entries_, std::move(hooks));
}

StationCore::~StationCore() = default;

QString StationCore::NoScannerText() {
    return tr("No scanner is available. Choose a scanner under Tools, "
              "Configuration.");
}

void StationCore::SetScanner(ScannerControl* scanner) {
    if (scanner_)
        disconnect(scanner_, nullptr, this, nullptr);
    scanner_ = scanner;
    if (scanner_)
        connect(scanner_, &ScannerControl::PostScan, this, &StationCore::OnPostScan);
}

void StationCore::SetBusy(bool busy) {
    if (busy_ == busy)
        return;
    busy_ = busy;
    emit BusyChanged(busy);
    emit RestChanged(!busy && RestAvailable());
}

int StationCore::Outstanding() const {
    int n = current_ ? current_->Outstanding() : 0;
    for (const Acquisition& a : queued_)
        n += a.Total();
    return n + PendingPages();
}

void StationCore::SetUp(const Acquisition& a) {
    ScannerControl* sc = scanner_;
    sc->SetScanSettingB(false);
    // A source that cannot be opened is reported by the acquisition that follows.
    sc->OpenSource();
    sc->SetScanSettingH(1);
    sc->SetScanSettingF(0);
    sc->SetScanSettingK(0);
    sc->SetScanSettingE(200);
    sc->SetScanSettingJ(0);
    const ScanFrameInches f = a.Frame();
    sc->SetScanFrame(f.left, f.top, f.right, f.bottom);
}

void StationCore::FeederOff() {
    if (scanner_) {
        scanner_->SetFeedSettingA(0);
        scanner_->SetFeedSettingB(0);
    }
}

void StationCore::ClearBuffer() {
    if (!scanner_)
        return;
    while (scanner_->ImageCount() > 0 && scanner_->DeleteImage(0).ok()) {
    }
    emit BufferCleared();
}

void StationCore::AcquireBatch() {
    ctx_.SetStatus(tr("Looking for items to be scanned."));
    if (entries_.Count() == 0) {
        // A data file without a single prescription line: nothing to acquire, and the
        // station is ready again at once.
        if (!busy_)
            BecomeIdle();
        return;
    }
    // The batch's prescriptions are fixed now; nothing done to the list later changes
    // them.
    Acquisition a(Acquisition::Kind::Batch, entries_.Targets());
    if (busy_) {
        queued_ << a; // starts right after the running one
        return;
    }
    SetBusy(true);
    rest_.Clear();
    Start(std::move(a));
}

// The scanner to scan with: none while no device is chosen (a configured position that
// is not listed, say), so that nothing is scanned with a device nobody chose. While the
// device listing still runs, the scanner itself waits for the choice.
ScannerControl* StationCore::UsableScanner() const {
    if (!scanner_ || (scanner_->ListingComplete() && scanner_->SelectedDevice().isEmpty()))
        return nullptr;
    return scanner_;
}

void StationCore::ScanOne(const ScanTarget& target, bool viewing) {
    if (busy_ || !UsableScanner())
        return;
    ClearBuffer();
    Acquisition a(Acquisition::Kind::SinglePage, {target}, viewing);
    SetUp(a);
    ScannerControl* sc = scanner_;
    SetBusy(true);
    if (viewing && sc->DocumentFeedAvailable() == 1) {
        sc->SetFeedSettingA(1);
        sc->SetFeedSettingB(1);
        // A rescan from the viewing list needs the document in the feeder now: the
        // sensor is read at this moment (off the window's thread) and the scan starts
        // when it answers that paper is loaded.
        const quint64 ticket = ++ticket_;
        QPointer<StationCore> self(this);
        sc->RequestDocumentLoaded([self, ticket, a](int loaded) mutable {
            if (!self || ticket != self->ticket_ || self->current_)
                return;
            if (loaded != 1 || !self->scanner_) {
                self->FeederOff();
                self->SetBusy(false);
                return;
            }
            self->current_ = std::move(a);
            self->BeginStaging(*self->current_);
            if (self->current_)
                self->StartAcquire();
        });
        return;
    }
    // One page: the feeder of an earlier batch must not run empty for it.
    FeederOff();
    ++ticket_;
    current_ = std::move(a);
    BeginStaging(*current_);
    if (current_)
        StartAcquire();
}

bool StationCore::ScanRest() {
    if (busy_)
        return false;
    LoadRest();
    // A prescription whose row names an image by now (scanned alone with the Scan
    // button, or filed from an earlier batch) is not scanned again.
    Database* db = ctx_.DbConnection.get();
    const QList<ScanTarget> rest = rest_.Take([db](const ScanTarget& t) {
        if (!db || !db->IsOpen() || !t.refusal.isEmpty())
            return false;
        try {
            const auto row = db->Find(t.rxNbr, t.refNo);
            return row && !row->RxImage.isEmpty();
        } catch (const QuillerError&) {
            return false;
        }
    });
    SaveRest();
    emit RestChanged(false);
    if (rest.isEmpty())
        return false;
    SetBusy(true);
    Start(Acquisition(Acquisition::Kind::Batch, rest));
    return true;
}

void StationCore::Start(Acquisition a) {
    qCInfo(lcIntake).noquote() << QStringLiteral("batch started: %1 prescriptions").arg(a.Total());
    ++ticket_;
    batchItems_.clear();
    for (const ScanTarget& t : a.Targets())
        batchItems_ << t.entryText;
    // While a batch runs, no data file is taken and the pharmacy system sees the lock.
    SetPolling(false);
    RaiseLock();
    ScannerControl* sc = UsableScanner();
    if (!sc) {
        current_ = std::move(a);
        EndAcquisition(NoScannerText());
        return;
    }
    ctx_.SetStatus(tr("Clear images in buffer"));
    ClearBuffer();
    ctx_.SetStatus(tr("Acquire images"));
    SetUp(a);
    ctx_.SetProgress(0, a.Total());
    current_ = std::move(a);
    BeginStaging(*current_);
    if (!current_)
        return;
    // How long a batch waits for paper before it reports.
    const std::optional<int> minutes = StationSettings().PaperWaitMinutes();
    const qint64 waitMs = minutes ? qint64(*minutes) * 60000 : paperWaitMs_;
    paperDeadline_ = QDateTime::currentMSecsSinceEpoch() + waitMs;
    if (sc->DocumentFeedAvailable() == 1) {
        sc->SetFeedSettingA(1);
        sc->SetFeedSettingB(1);
        ctx_.SetStatus(tr("No document loaded, waiting ..."));
        WaitForDocument();
    } else if (GlassPrompts::Applies(*sc, *current_)) {
        FeederOff();
        glass_->Begin(); // one prescription at a time, each confirmed on the glass
    } else {
        StartAcquire();
    }
}

// Opens the batch in the staging journal; a batch whose pages could not be kept on disk
// is not scanned at all.
void StationCore::BeginStaging(Acquisition& a) {
    PrepareFiling(a);
    staged_.clear();
    settled_.clear();
    bufferOf_.clear();
    try {
        PageStaging* staging = Staging();
        batchId_ = staging->BeginBatch(a, a.Filing() ? filingModeName(a.Filing()->Mode())
                                                     : QStringLiteral("off"));
    } catch (const QuillerError& e) {
        qCWarning(lcStorage).noquote() << QStringLiteral("batch not scanned: ") + e.description();
        batchId_.clear();
        EndAcquisition(tr("Nothing was scanned: scanned pages cannot be kept on disk "
                          "until they are filed. %1")
                           .arg(e.description()));
    }
}

void StationCore::WaitForDocument() {
    waitingForDocument_ = true;
    emit WaitingForPaperChanged(true);
    OnFeederPoll();
    if (waitingForDocument_)
        feederTimer_->start();
}

void StationCore::OnFeederPoll() {
    if (!waitingForDocument_ || !scanner_)
        return;
    if (scanner_->DocumentLoaded() != 1) {
        if (QDateTime::currentMSecsSinceEpoch() >= paperDeadline_)
            EndAcquisition(tr("No paper was put into the feeder in time."));
        return;
    }
    waitingForDocument_ = false;
    emit WaitingForPaperChanged(false);
    feederTimer_->stop();
    ctx_.SetStatus(tr("Acquiring image ..."));
    StartAcquire();
}

void StationCore::StartAcquire() {
    if (!scanner_)
        return;
    const ScanResult started = scanner_->Acquire();
    // An acquisition that did not start sends no end of its own; one already running
    // ends through PostScan as usual.
    if (!started.ok() && !scanner_->IsAcquiring())
        EndAcquisition(started.text);
}

// A scanner without a paper sensor answers that paper is loaded and then finds none:
// before the batch's first page, that is the operator not having loaded the stack yet,
// so the batch waits and tries again, as it does on a sensor.
bool StationCore::WaitForPaperAgain() {
    if (!current_ || current_->kind() != Acquisition::Kind::Batch || current_->Received() > 0 ||
        !scanner_ || scanner_->AcquisitionResult().code != ScannerControl::kNoDocument ||
        scanner_->DocumentFeedAvailable() != 1 ||
        QDateTime::currentMSecsSinceEpoch() + kPaperRetryMs > paperDeadline_)
        return false;
    waitingForDocument_ = true;
    emit WaitingForPaperChanged(true);
    ctx_.SetStatus(tr("No document loaded, waiting ..."));
    paperTimer_->start(kPaperRetryMs);
    return true;
}

void StationCore::OnPostScan(int flag) {
    ScannerControl* sc = scanner_;
    if (!sc)
        return;
    if (flag != 0) {
        const ScanResult ended = sc->AcquisitionResult();
        if (!current_ || (ended.ok() && glass_->Continue()))
            return;
        if (WaitForPaperAgain())
            return;
        EndAcquisition(ended.text);
        return;
    }
    const int n = sc->ImageCount();
    if (n > 0)
        HandlePage(n - 1);
}

// The acquisition is over: its report is shown from a queued call (never inside the
// scanner's handler), and the station stays busy until the box is closed.
void StationCore::EndAcquisition(const QString& scannerError) {
    if (waitingForDocument_) {
        waitingForDocument_ = false;
        emit WaitingForPaperChanged(false);
    }
    feederTimer_->stop();
    paperTimer_->stop();
    FeederOff();
    glass_->Stop();
    if (!current_ || !EndFiling(scannerError))
        return;
    rest_.Ended(*current_);
    SaveRest();
    RememberBatch(*current_);
    QString report = current_->Report();
    qCInfo(lcIntake).noquote() << QStringLiteral("batch ended: %1 prescriptions, %2 pages received")
                                      .arg(current_->Total())
                                      .arg(current_->Received());
    if (!scannerError.isEmpty())
        report = report.isEmpty() ? scannerError : scannerError + QLatin1Char('\n') + report;
    CloseStaging();
    current_.reset();
    ctx_.SetProgress(0, 0);
    const quint64 ticket = ticket_;
    QTimer::singleShot(0, this, [this, ticket, report] { FinishAcquisition(ticket, report); });
}

void StationCore::FinishAcquisition(quint64 ticket, const QString& report) {
    if (ticket != ticket_ || !busy_)
        return; // stopped meanwhile
    if (!report.isEmpty()) {
        MessageBoxes::Show(report, MsgIcon::Exclamation);
        if (ticket != ticket_ || !busy_)
            return; // the operator stopped while the box was open
    }
    if (!queued_.isEmpty()) {
        Start(queued_.takeFirst());
        return;
    }
    BecomeIdle();
}

// No batch: the lock file comes down and polling runs again, unless the window is in
// viewing mode, which keeps the lock file up.
void StationCore::BecomeIdle() {
    SetBusy(false);
    if (!viewing_) {
        RemoveLock();
        SetPolling(true);
    }
    ctx_.SetStatus(tr("Idle"));
}

QString StationCore::Stop() {
    ++ticket_;
    if (waitingForDocument_) {
        waitingForDocument_ = false;
        emit WaitingForPaperChanged(false);
    }
    feederTimer_->stop();
    paperTimer_->stop();
    FeederOff();
    glass_->Stop();
    QStringList reports;
    if (current_) {
        SettleOnStop();
        rest_.Ended(*current_);
        RememberBatch(*current_);
        reports << current_->Report(true);
        CloseStaging();
        current_.reset();
    }
    for (const Acquisition& a : std::as_const(queued_)) {
        rest_.Ended(a);
        reports << a.Report(true);
    }
    queued_.clear();
    SaveRest();
    ctx_.SetProgress(0, 0);
    if (busy_)
        BecomeIdle();
    reports.removeAll(QString());
    return reports.join(QLatin1Char('\n'));
}

} // namespace quiller
