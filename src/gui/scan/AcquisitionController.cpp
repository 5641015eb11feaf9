#include "gui/scan/AcquisitionController.h"

#include "base/ErrorReport.h"
#include "base/MessageBoxes.h"
#include "gui/common/PictureBox.h"
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

namespace {
const QString kNoScanner = QStringLiteral("No scanner is available. Choose a scanner under Tools, "
                                          "Configuration.");
} // namespace

AcquisitionController::AcquisitionController(frmScan* window, ScannerAccess access, QObject* parent)
    : QObject(parent), ctx_(window->Context()), window_(window), access_(std::move(access)),
      feederTimer_(new QTimer(this)) {
    feederTimer_->setInterval(kFeederPollMs);
    connect(feederTimer_, &QTimer::timeout, this, &AcquisitionController::OnFeederPoll);
    connect(window->Image1, &PictureBox::pictureChanged, this,
            &AcquisitionController::OnPreviewChanged);
}

AcquisitionController::~AcquisitionController() = default;

void AcquisitionController::ShowBufferImage(int index) {
    showingOwnPicture_ = true;
    window_->Image1->SetPicture(Scanner()->GetImage(index));
    showingOwnPicture_ = false;
}

void AcquisitionController::OnPreviewChanged() {
    if (showingOwnPicture_)
        return;
    // Something else now fills the preview (a list click, an arrow key, a search): Rotate
    // may only turn the buffer page whose file is shown, and is switched off otherwise.
    const QString source = window_->Image1->SourcePath();
    QString name;
    if (!source.isEmpty()) {
        const QFileInfo info(source);
        if (QFileInfo(info.path()) == QFileInfo(ctx_.dataPath))
            name = info.fileName();
    }
    const bool wasEnabled = window_->Command2->isEnabled();
    PreviewShowsFile(name);
    window_->Command2->setEnabled(wasEnabled && previewIndex_ >= 0);
}

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

void AcquisitionController::Command1_Click() {
    if (Busy()) {
        MessageBoxes::Show(QStringLiteral("A scan is in progress. Wait until it has finished, "
                                          "then scan again."),
                           MsgIcon::Information);
        return;
    }
    QPointer<AcquisitionController> self(this);
    frmScan* w = window_;
    const bool viewing = w->ViewingMode();
    ScanTarget target;
    if (viewing) {
        QAbstractItemModel* model = w->ListView2->model();
        if (!model || model->rowCount() == 0) {
            MessageBoxes::Show(QStringLiteral("No prescription is in the list."),
                               MsgIcon::Exclamation);
            return;
        }
        const QModelIndex current = w->ListView2->currentIndex();
        const bool selected = current.isValid() && w->ListView2->selectionModel() &&
                              w->ListView2->selectionModel()->isRowSelected(current.row(), {});
        if (!selected) {
            MessageBoxes::Show(QStringLiteral("Select a prescription from the list to scan."),
                               MsgIcon::Information);
            return;
        }
        const QModelIndex first = model->index(current.row(), 0);
        // The key is the row's stored Rx number and refill, never its text split at "-".
        QVariant rx, ref;
        if (auto* results = qobject_cast<SearchResultModel*>(model)) {
            rx = results->Row(current.row()).RxNbr;
            ref = results->Row(current.row()).RefNo;
        }
        target = MakeTarget(first.data(Qt::DisplayRole).toString(),
                            first.data(Qt::UserRole).toString(), rx, ref);
        target.viewRow = current.row();
    } else {
        if (w->ListView1->topLevelItemCount() == 0) {
            MessageBoxes::Show(QStringLiteral("No prescription is in the list."),
                               MsgIcon::Exclamation);
            return;
        }
        QTreeWidgetItem* item = w->ListView1->currentItem();
        if (!item || !item->isSelected()) {
            MessageBoxes::Show(QStringLiteral("Select a prescription from the list to scan."),
                               MsgIcon::Information);
            return;
        }
        target = MakeTarget(item->text(0), item->data(0, Qt::UserRole).toString(),
                            item->data(0, kRxNbrRole), item->data(0, kRefNoRole));
        target.refusal = item->data(0, kRefusalRole).toString();
    }

    const MsgAnswer answer = MessageBoxes::Ask(QStringLiteral("Rescan prescription ") +
                                               target.entryText + QStringLiteral("?"));
    if (!self || Busy())
        return;
    if (answer != MsgAnswer::Yes) {
        MessageBoxes::Show(QStringLiteral("Select a prescription from the list to scan."),
                           MsgIcon::Information);
        return;
    }
    if (!Scanner()) {
        MessageBoxes::Show(kNoScanner, MsgIcon::Exclamation);
        return;
    }
    access_.clearImageBuffer();
    MessageBoxes::Show(QStringLiteral("Put the precription on the scanner.  Then press Ok button."),
                       MsgIcon::Information);
    if (!self || Busy() || !Scanner())
        return;
    Acquisition a(Acquisition::Kind::SinglePage, {target}, viewing);
    SetUp(a);
    ScannerControl* sc = Scanner();
    if (viewing && sc->DocumentFeedAvailable() == 1) {
        sc->SetFeedSettingA(1);
        sc->SetFeedSettingB(1);
        // A rescan from the viewing list needs the document in the feeder now.
        if (sc->DocumentLoaded() != 1) {
            FeederOff();
            return;
        }
    } else {
        // One page: the feeder of an earlier batch must not run empty for it.
        FeederOff();
    }
    bufferBase_ = sc->ImageCount();
    bufferFiles_.clear();
    busy_ = true;
    current_ = std::move(a);
    StartAcquire();
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
    Start(std::move(a));
}

void AcquisitionController::Start(Acquisition a) {
    batchItems_.clear();
    for (const ScanTarget& t : a.Targets())
        batchItems_ << t.entryText;
    ScannerControl* sc = Scanner();
    if (!sc) {
        current_ = std::move(a);
        EndAcquisition(kNoScanner);
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
    if (sc->DocumentFeedAvailable() == 1) {
        sc->SetFeedSettingA(1);
        sc->SetFeedSettingB(1);
        ctx_.SetStatus(QStringLiteral("No document loaded, waiting ..."));
        WaitForDocument();
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
        if (!current_)
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
    access_.currentImageIndex() = index;
    window_->LabelImageNum->setText(access_.imageText(index, true));
    if (!target->refusal.isEmpty()) {
        QString reason;
        const QString kept = store.KeepUnmatched(*sc, index, target->entryText, &reason);
        if (kept.isEmpty())
            a.Lost(target->entryText, QStringLiteral("not recorded (%1); its page could not be "
                                                     "kept: %2")
                                          .arg(target->refusal, reason));
        else
            a.Kept(target->entryText, kept,
                   QStringLiteral("not recorded (%1)").arg(target->refusal));
        ShowStored(index, *target, QString(), false);
        return;
    }
    const QString name = ImageFileName(target->entryText);
    ctx_.SetStatus(QStringLiteral("Saving image file ") + name);
    const ImageStore::Result r = store.Store(*sc, index, name, target->rxNbr, target->refNo);
    if (r.stored)
        a.Stored();
    else if (r.keptAs.isEmpty())
        a.Lost(target->entryText, r.reason);
    else
        a.Kept(target->entryText, r.keptAs, r.reason);
    ShowStored(index, *target, name, r.stored);
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
    if (!current_)
        return;
    QString report = current_->Report();
    if (!scannerError.isEmpty())
        report = report.isEmpty() ? scannerError : scannerError + QLatin1Char('\n') + report;
    current_.reset();
    ctx_.SetProgress(0, 0);
    QTimer::singleShot(0, this, [this, report] { FinishAcquisition(report); });
}

void AcquisitionController::FinishAcquisition(const QString& report) {
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

bool AcquisitionController::ConfirmStop() {
    const int n = Outstanding();
    if (n == 0)
        return true;
    const QString question = (n == 1 ? QStringLiteral("1 prescription is")
                                     : QStringLiteral("%1 prescriptions are").arg(n)) +
                             QStringLiteral(" still being scanned. Stop and exit?");
    QPointer<AcquisitionController> self(this);
    if (MessageBoxes::Show(question, MsgIcon::Question, MsgButtons::YesNo, MsgAnswer::No) !=
        MsgAnswer::Yes)
        return false;
    if (!self)
        return true;
    waitingForDocument_ = false;
    feederTimer_->stop();
    FeederOff();
    QStringList reports;
    if (current_)
        reports << current_->Report(true);
    for (const Acquisition& a : queued_)
        reports << a.Report(true);
    current_.reset();
    queued_.clear();
    busy_ = false;
    ctx_.SetProgress(0, 0);
    reports.removeAll(QString());
    if (!reports.isEmpty())
        MessageBoxes::Show(reports.join(QLatin1Char('\n')), MsgIcon::Exclamation);
    return true;
}

void AcquisitionController::SetRotateSource(int bufferIndex, const QString& imageName) {
    previewIndex_ = imageName.isEmpty() ? -1 : bufferIndex;
    previewFile_ = imageName;
    window_->Command2->setEnabled(previewIndex_ >= 0);
}

void AcquisitionController::PreviewShowsFile(const QString& imageName) {
    for (const auto& [index, name] : bufferFiles_) {
        if (name == imageName && Scanner() && index < Scanner()->ImageCount()) {
            SetRotateSource(index, name);
            return;
        }
    }
    SetRotateSource(-1, QString());
}

void AcquisitionController::PreviewCleared() {
    SetRotateSource(-1, QString());
}

void AcquisitionController::Command2_Click() {
    frmScan* w = window_;
    ScannerControl* sc = Scanner();
    if (!w->Image1->HasPicture() || !sc || sc->ImageCount() < 1)
        return;
    // Only the buffer page the preview shows, written over its own file.
    if (previewIndex_ < 0 || previewFile_.isEmpty() || previewIndex_ >= sc->ImageCount())
        return;
    const int p = previewIndex_;
    if (sc->RotateImage(p, 90, 0) == 0) {
        MessageBoxes::Show(sc->ErrorText());
        return;
    }
    ShowBufferImage(p);
    if (sc->SaveImage(p, ctx_.ImagePath(previewFile_)) == 0)
        MessageBoxes::Show(
            QStringLiteral("The turned image could not be saved to %1: %2")
                .arg(FileSystem::Native(ctx_.ImagePath(previewFile_)), sc->ErrorText()),
            MsgIcon::Critical);
}

} // namespace quiller
