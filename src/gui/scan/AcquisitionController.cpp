#include "gui/scan/AcquisitionController.h"

#include "base/ErrorReport.h"
#include "base/Log.h"
#include "base/MessageBoxes.h"
#include "gui/common/PictureBox.h"
#include "gui/scan/GlassPrompts.h"
#include "gui/scan/frmScan.h"
#include "intake/LockFile.h"
#include "records/SearchResultModel.h"
#include "scanner/ScannerControl.h"
#include "station/ImageStore.h"
#include "station/StationContext.h"

#include <QAbstractItemModel>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>

namespace quiller {

QString AcquisitionController::NoScannerText() {
    return QStringLiteral("No scanner is available. Choose a scanner under Tools, "
                          "Configuration.");
}

AcquisitionController::AcquisitionController(frmScan* window, ScannerAccess access, QObject* parent)
    : QObject(parent), ctx_(window->Context()), window_(window), access_(std::move(access)),
      feederTimer_(new QTimer(this)), reading_(new PageReading(0, this)) {
    connect(reading_, &PageReading::PageRead, this, &AcquisitionController::OnPageRead);
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
    feederTimer_->setInterval(kFeederPollMs);
    connect(feederTimer_, &QTimer::timeout, this, &AcquisitionController::OnFeederPoll);
    connect(window->Image1, &PictureBox::pictureChanged, this,
            &AcquisitionController::OnPreviewChanged);
}

AcquisitionController::~AcquisitionController() = default;

// Polling on, the scanner watch off, "Idle": the station takes data files again.
void AcquisitionController::ResumePolling() {
    window_->Timer1->start();
    window_->Timer2->stop();
    ctx_.SetStatus(QStringLiteral("Idle"));
}

ScannerControl* AcquisitionController::Scanner() const {
    return access_.scanner ? access_.scanner() : nullptr;
}

void AcquisitionController::SetUp(const Acquisition& a) {
    ScannerControl* sc = Scanner();
    sc->SetScanSettingB(false);
    sc->OpenSource();
    sc->SetScanSettingH(1);
    sc->SetScanSettingF(0);
    sc->SetScanSettingK(0);
    sc->SetScanSettingE(200);
    sc->SetScanSettingJ(0);
    const ScanFrameInches f = a.Frame();
    sc->SetScanFrame(f.left, f.top, f.right, f.bottom);
}

void AcquisitionController::FeederOff() {
    if (ScannerControl* sc = Scanner()) {
        sc->SetFeedSettingA(0);
        sc->SetFeedSettingB(0);
    }
}

// A prescription an acquisition is for, from a list entry: its text, its tag and,
// where the list keeps it, the key the data file gave.
ScanTarget AcquisitionController::MakeTarget(const QString& text, const QString& tag,
                                             const QVariant& rxNbr, const QVariant& refNo) {
    ScanTarget t;
    t.entryText = text;
    t.mark = tag;
    if (rxNbr.isValid()) {
        t.rxNbr = rxNbr.toString();
        t.refNo = refNo.toString();
    } else {
        const PrescriptionKey key = SplitEntryText(text);
        t.rxNbr = key.rxNbr;
        t.refNo = key.refNo;
    }
    return t;
}

int AcquisitionController::Outstanding() const {
    int n = current_ ? current_->Outstanding() : 0;
    for (const Acquisition& a : queued_)
        n += a.Total();
    return n;
}

void AcquisitionController::AcquireBatch() {
    frmScan* w = window_;
    ctx_.SetStatus(QStringLiteral("Looking for items to be scanned."));
    const int count = w->ListView1->topLevelItemCount();
    if (count == 0) {
        // A data file without a single prescription line: nothing to acquire, and the
        // station is ready again at once (polling on, lock file down) rather than
        // waiting for an acquisition that never starts.
        if (!Busy()) {
            ResumePolling();
            try {
                LockFile::Remove(ctx_.LockFilePath());
            } catch (const QuillerError& e) {
                ctx_.SetStatus(e.description());
            }
        }
        return;
    }
    // The batch's prescriptions are fixed now; nothing done to the list later changes
    // them.
    QList<ScanTarget> targets;
    for (int i = 0; i < count; ++i) {
        QTreeWidgetItem* item = w->ListView1->topLevelItem(i);
        ScanTarget t = MakeTarget(item->text(0), item->data(0, Qt::UserRole).toString(),
                                  item->data(0, kRxNbrRole), item->data(0, kRefNoRole));
        t.refusal = item->data(0, kRefusalRole).toString();
        targets << t;
    }
    Acquisition a(Acquisition::Kind::Batch, targets);
    if (Busy()) {
        // The running acquisition ends first; this batch starts right after it.
        queued_ << a;
        return;
    }
    busy_ = true;
    rest_.Clear();
    Start(std::move(a));
}

void AcquisitionController::Start(Acquisition a) {
    qCInfo(lcIntake).noquote() << QStringLiteral("batch started: %1 prescriptions").arg(a.Total());
    batchItems_.clear();
    for (const ScanTarget& t : a.Targets())
        batchItems_ << t.entryText;
    ScannerControl* sc = Scanner();
    if (!sc) {
        current_ = std::move(a);
        EndAcquisition(NoScannerText());
        return;
    }
    ctx_.SetStatus(QStringLiteral("Clear images in buffer"));
    access_.clearImageBuffer();
    ctx_.SetStatus(QStringLiteral("Acquire images"));
    SetUp(a);
    bufferBase_ = sc->ImageCount();
    bufferFiles_.clear();
    ctx_.SetProgress(0, a.Total());
    current_ = std::move(a);
    PrepareFiling(*current_);
    ShowRestCommand();
    if (sc->DocumentFeedAvailable() == 1) {
        sc->SetFeedSettingA(1);
        sc->SetFeedSettingB(1);
        ctx_.SetStatus(QStringLiteral("No document loaded, waiting ..."));
        WaitForDocument();
    } else if (GlassPrompts::Applies(*sc, *current_)) {
        FeederOff();
        glass_->Begin(); // one prescription at a time, each confirmed on the glass
    } else {
        StartAcquire();
    }
}

void AcquisitionController::WaitForDocument() {
    waitingForDocument_ = true;
    OnFeederPoll();
    if (waitingForDocument_)
        feederTimer_->start();
}

void AcquisitionController::OnFeederPoll() {
    ScannerControl* sc = Scanner();
    if (!waitingForDocument_ || !sc)
        return;
    if (sc->DocumentLoaded() != 1)
        return;
    waitingForDocument_ = false;
    feederTimer_->stop();
    ctx_.SetStatus(QStringLiteral("Acquiring image ..."));
    StartAcquire();
}

void AcquisitionController::StartAcquire() {
    Scanner()->Acquire();
}

void AcquisitionController::Scanner1_PostScan(int flag) {
    ScannerControl* sc = Scanner();
    frmScan* w = window_;
    if (!sc || !w)
        return;
    if (flag != 0) {
        if (!current_ || (sc->ErrorCode() == 0 && glass_->Continue()))
            return;
        EndAcquisition(sc->ErrorCode() != 0 ? sc->ErrorText() : QString());
        return;
    }
    const int n = sc->ImageCount();
    if (n == 0) {
        w->Command1->setEnabled(false);
        return;
    }
    HandlePage(n - 1);
}

// Files one page: under its own prescription, or in Unmatched when it has none.
void AcquisitionController::HandlePage(int index) {
    ScannerControl* sc = Scanner();
    ImageStore store(ctx_);
    if (!current_) {
        // A page nobody asked for (after a stop, say) is kept, not stored.
        QString reason;
        const QString kept = store.KeepUnmatched(*sc, index, QStringLiteral("page"), &reason);
        const QString text =
            kept.isEmpty()
                ? QStringLiteral("A page arrived outside of any scan and could not be kept: ") +
                      reason
                : QStringLiteral("A page arrived outside of any scan; it is kept as ") + kept;
        QTimer::singleShot(0, this, [text] { MessageBoxes::Show(text, MsgIcon::Exclamation); });
        return;
    }
    Acquisition& a = *current_;
    if (a.Filing()) {
        ReadPage(index);
        return;
    }
    const ScanTarget* target = a.NextPage();
    if (a.kind() == Acquisition::Kind::Batch) {
        ctx_.SetProgress(std::min(a.Received(), a.Total()), a.Total());
        ctx_.SetStatus(QStringLiteral("Scanning: image %1 of %2")
                           .arg(std::min(a.Received(), a.Total()))
                           .arg(a.Total()));
    }
    if (!target) {
        QString reason;
        const QString kept = store.KeepUnmatched(*sc, index, QStringLiteral("extra page"), &reason);
        a.ExtraKept(kept.isEmpty() ? QStringLiteral("(not kept: %1)").arg(reason) : kept);
        return;
    }
    if (FileFor(index, *target, nullptr))
        a.Stored();
}

// Stores page `index` as the image of `target` (or keeps it in Unmatched when its row
// was not recorded or cannot take it); true when stored.
bool AcquisitionController::FileFor(int index, const ScanTarget& target, const PageCheck* check) {
    ScannerControl* sc = Scanner();
    ImageStore store(ctx_);
    Acquisition& a = *current_;
    access_.currentImageIndex() = index;
    window_->LabelImageNum->setText(access_.imageText(index, true));
    if (!target.refusal.isEmpty()) {
        QString reason;
        const QString kept = store.KeepUnmatched(*sc, index, target.entryText, &reason);
        if (kept.isEmpty())
            a.Lost(target.entryText, QStringLiteral("not recorded (%1); its page could not be "
                                                    "kept: %2")
                                         .arg(target.refusal, reason));
        else
            a.Kept(target.entryText, kept, QStringLiteral("not recorded (%1)").arg(target.refusal));
        ShowStored(index, target, QString(), false);
        return false;
    }
    const QString name = ImageFileName(target.entryText);
    ctx_.SetStatus(QStringLiteral("Saving image file ") + name);
    const ImageStore::Result r = store.Store(*sc, index, name, target.rxNbr, target.refNo, check);
    if (!r.stored && r.keptAs.isEmpty())
        a.Lost(target.entryText, r.reason);
    else if (!r.stored)
        a.Kept(target.entryText, r.keptAs, r.reason);
    ShowStored(index, target, name, r.stored);
    return r.stored;
}

void AcquisitionController::ShowStored(int index, const ScanTarget& target, const QString& name,
                                       bool stored) {
    frmScan* w = window_;
    if (stored) {
        bufferFiles_.append({index, name});
        if (current_->Viewing()) {
            QAbstractItemModel* model = w->ListView2->model();
            if (auto* results = qobject_cast<SearchResultModel*>(model))
                results->SetImageOf(target.rxNbr, target.refNo, name);
            else if (model && target.viewRow >= 0 && target.viewRow < model->rowCount())
                model->setData(model->index(target.viewRow, 0), name, Qt::UserRole);
            w->ListView2->setFocus();
        } else {
            TickEntry(target.entryText, name);
        }
    }
    ShowBufferImage(index);
    if (current_->Viewing()) {
        try {
            LockFile::Remove(ctx_.LockFilePath());
        } catch (const QuillerError& e) {
            ctx_.SetStatus(e.description());
        }
    }
    SetRotateSource(index, stored ? name : QString());
}

void AcquisitionController::TickEntry(const QString& entryText, const QString& imageName) {
    QTreeWidget* list = window_->ListView1;
    QTreeWidgetItem* match = nullptr;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = list->topLevelItem(i);
        if (item->text(0) != entryText)
            continue;
        if (item->checkState(0) != Qt::Checked) {
            match = item;
            break;
        }
        if (!match)
            match = item;
    }
    if (!match)
        return;
    match->setCheckState(0, Qt::Checked);
    match->setData(0, Qt::UserRole, imageName);
    list->setCurrentItem(match);
}

// The acquisition is over: its report is shown from a queued call (never inside the
// scanner's handler), and the station stays busy until the box is closed.
void AcquisitionController::EndAcquisition(const QString& scannerError) {
    waitingForDocument_ = false;
    feederTimer_->stop();
    FeederOff();
    glass_->Stop();
    if (!current_ || !EndFiling(scannerError))
        return;
    rest_.Ended(*current_);
    QString report = current_->Report();
    qCInfo(lcIntake).noquote() << QStringLiteral("batch ended: %1 prescriptions, %2 pages received")
                                      .arg(current_->Total())
                                      .arg(current_->Received());
    if (!scannerError.isEmpty())
        report = report.isEmpty() ? scannerError : scannerError + QLatin1Char('\n') + report;
    current_.reset();
    ctx_.SetProgress(0, 0);
    QTimer::singleShot(0, this, [this, report] { FinishAcquisition(report); });
}

void AcquisitionController::FinishAcquisition(const QString& report) {
    if (!window_)
        return;
    if (!report.isEmpty()) {
        QPointer<AcquisitionController> self(this);
        if (window_)
            window_->show();
        MessageBoxes::Show(report, MsgIcon::Exclamation);
        if (!self || !window_ || !busy_)
            return; // the window went away, or the operator stopped, while the box was open
    }
    if (!queued_.isEmpty()) {
        Start(queued_.takeFirst());
        return;
    }
    busy_ = false;
    ShowRestCommand();
    if (!window_->ViewingMode()) {
        try {
            LockFile::Remove(ctx_.LockFilePath());
        } catch (const QuillerError& e) {
            ReportError(e, QStringLiteral("Scanner1_PostScan of frmScan"));
            if (!window_)
                return;
        }
        ResumePolling();
    } else {
        window_->Timer2->stop();
        ctx_.SetStatus(QStringLiteral("Idle"));
    }
}

} // namespace quiller
