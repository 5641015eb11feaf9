#include "gui/scan/AcquisitionController.h"

#include "base/ErrorReport.h"
#include "base/MessageBoxes.h"
#include "gui/common/PictureBox.h"
#include "gui/scan/frmScan.h"
#include "intake/LockFile.h"
#include "records/Database.h"
#include "scanner/ScannerControl.h"
#include "station/ImageNaming.h"
#include "station/StationContext.h"

#include <QAbstractItemModel>
#include <QComboBox>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>

namespace quiller {

namespace {

const QString kPostScanLocation = QStringLiteral("Scanner1_PostScan of frmScan");

void ShowError(const QuillerError& e, QStringList& errors) {
    errors << e.description();
}

} // namespace

AcquisitionController::AcquisitionController(frmScan* window, ScannerAccess access, QObject* parent)
    : QObject(parent), ctx_(window->Context()), window_(window), access_(std::move(access)),
      feederTimer_(new QTimer(this)) {
    feederTimer_->setInterval(kFeederPollMs);
    connect(feederTimer_, &QTimer::timeout, this, &AcquisitionController::OnFeederPoll);
    connect(window->Image1, &PictureBox::pictureChanged, this,
            &AcquisitionController::OnPreviewChanged);
}

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

AcquisitionController::~AcquisitionController() = default;

// Polling on, the scanner watch off, "Idle": the station takes data files again.
void AcquisitionController::ResumePolling() {
    window_->Timer1->start();
    window_->Timer2->stop();
    ctx_.SetStatus(QStringLiteral("Idle"));
}

// Tells the pharmacy system the station is ready; a failure joins the handler's errors.
void AcquisitionController::RemoveLockFile(QStringList& errors) {
    try {
        LockFile::Remove(ctx_.LockFilePath());
    } catch (const QuillerError& e) {
        ShowError(e, errors);
    }
}

ScannerControl* AcquisitionController::Scanner() const {
    return access_.scanner ? access_.scanner() : nullptr;
}

void AcquisitionController::SetUp(const QString& mark) {
    ScannerControl* sc = Scanner();
    sc->SetScanSettingB(false);
    sc->OpenSource();
    sc->SetScanSettingH(1);
    sc->SetScanSettingF(0);
    sc->SetScanSettingK(0);
    sc->SetScanSettingE(200);
    sc->SetScanSettingJ(0);
    const ScanFrameInches f = FrameForMark(mark);
    sc->SetScanFrame(f.left, f.top, f.right, f.bottom);
}

// A prescription an acquisition is for, from a list entry: its text, its tag and,
// where the list keeps it, the key the data file gave.
AcquisitionController::Target AcquisitionController::MakeTarget(const QString& text,
                                                                const QString& tag,
                                                                const QVariant& rxNbr,
                                                                const QVariant& refNo) {
    Target t;
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

void AcquisitionController::Command1_Click() {
    if (Busy()) {
        MessageBoxes::Show(QStringLiteral("A scan is in progress. Wait until it has finished, "
                                          "then scan again."),
                           MsgIcon::Information);
        return;
    }
    frmScan* w = window_;
    const bool viewing = w->ViewingMode();
    Target target;
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
        target =
            MakeTarget(first.data(Qt::DisplayRole).toString(), first.data(Qt::UserRole).toString(),
                       first.data(kRxNbrRole), first.data(kRefNoRole));
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
    }

    if (MessageBoxes::Ask(QStringLiteral("Rescan prescription ") + target.entryText +
                          QStringLiteral("?")) != MsgAnswer::Yes) {
        MessageBoxes::Show(QStringLiteral("Select a prescription from the list to scan."),
                           MsgIcon::Information);
        return;
    }
    if (!Scanner()) {
        MessageBoxes::Show(QStringLiteral("No scanner is available. Choose a scanner under Tools, "
                                          "Configuration."),
                           MsgIcon::Exclamation);
        return;
    }
    access_.clearImageBuffer();
    MessageBoxes::Show(QStringLiteral("Put the precription on the scanner.  Then press Ok button."),
                       MsgIcon::Information);
    SetUp(target.mark);

    Acquisition a;
    a.viewing = viewing;
    a.targets = {target};
    a.bufferBase = Scanner()->ImageCount();
    bufferFiles_.clear();
    if (viewing && Scanner()->DocumentFeedAvailable() == 1) {
        Scanner()->SetFeedSettingA(1);
        Scanner()->SetFeedSettingB(1);
        // A rescan from the viewing list needs the document in the feeder now: the
        // sensor is read at this moment (off the window's thread) and the scan starts
        // when it answers that paper is loaded.
        QPointer<AcquisitionController> self(this);
        Scanner()->RequestDocumentLoaded([self, a](int loaded) {
            if (!self || loaded != 1 || self->Busy() || !self->Scanner())
                return;
            self->current_ = a;
            self->StartAcquire();
        });
        return;
    }
    current_ = a;
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
            QStringList errors;
            ResumePolling();
            RemoveLockFile(errors);
            for (const QString& error : errors)
                ReportError(ErrorInfo{kErrorUnknown, error, QStringLiteral("AcquireBatch"), 0},
                            kPostScanLocation);
        }
        return;
    }
    if (Busy()) {
        // The running acquisition ends first; this batch starts right after it.
        batchQueued_ = true;
        return;
    }
    Acquisition a;
    batchItems_.clear();
    QString mark;
    for (int i = 0; i < count; ++i) {
        QTreeWidgetItem* item = w->ListView1->topLevelItem(i);
        const Target t = MakeTarget(item->text(0), item->data(0, Qt::UserRole).toString(),
                                    item->data(0, kRxNbrRole), item->data(0, kRefNoRole));
        batchItems_ << t.entryText;
        a.targets << t;
        mark = t.mark; // the last entry's mark chooses the frame
    }
    ScannerControl* sc = Scanner();
    if (!sc) {
        MessageBoxes::Show(QStringLiteral("No scanner is available. Choose a scanner under Tools, "
                                          "Configuration."),
                           MsgIcon::Exclamation);
        current_ = a;
        EndAcquisition();
        return;
    }
    ctx_.SetStatus(QStringLiteral("Clear images in buffer"));
    access_.clearImageBuffer();
    ctx_.SetStatus(QStringLiteral("Acquire images"));
    SetUp(mark);
    a.bufferBase = sc->ImageCount();
    bufferFiles_.clear();
    current_ = a;
    ctx_.SetProgress(0, int(a.targets.size()));
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
        if (sc->ErrorCode() != 0) {
            w->show();
            MessageBoxes::Show(sc->ErrorText());
        }
        EndAcquisition();
        return;
    }

    const int n = sc->ImageCount();
    if (n == 0) {
        w->Command1->setEnabled(false);
        return;
    }
    QStringList errors;
    if (!current_) {
        // A page nobody asked for is not stored.
        errors << QStringLiteral("A scanned page arrived outside of any scan and was not stored.");
    } else if (current_->viewing) {
        ++current_->received;
        StoreViewingImage(n - 1, current_->targets.constFirst(), errors);
    } else {
        const int k = n - 1 - current_->bufferBase;
        ++current_->received;
        if (k < 0 || k >= current_->targets.size()) {
            ++current_->extra;
        } else {
            StoreScanningImage(n - 1, current_->targets.at(k), errors);
        }
        ctx_.SetProgress(std::min(current_->received, int(current_->targets.size())),
                         int(current_->targets.size()));
        ResumePolling();
        RemoveLockFile(errors);
    }
    // Reported last, so that a nested page arriving while the box is open finds the
    // state of this one complete.
    for (const QString& error : errors)
        ReportError(ErrorInfo{kErrorUnknown, error, QStringLiteral("Scanner1_PostScan"), 0},
                    kPostScanLocation);
}

bool AcquisitionController::StoreFile(int index, const Target& target,
                                      const std::function<void(const QString&)>& onSaved,
                                      QStringList& errors) {
    ScannerControl* sc = Scanner();
    const QString name = ImageFileName(target.entryText);
    if (!IsSafeImageName(name)) {
        current_->failed << target.entryText +
                                QStringLiteral(" (its name would leave the image folder)");
        return false;
    }
    ctx_.SetStatus(QStringLiteral("Saving image file ") + name);
    if (sc->SaveImage(index, ctx_.ImagePath(name)) == 0) {
        current_->failed << target.entryText + QStringLiteral(" (") + sc->ErrorText() +
                                QStringLiteral(")");
        return false;
    }
    onSaved(name);
    ctx_.SetStatus(QStringLiteral("Updating RxImage data table for file ") + name);
    try {
        // Only this prescription's row: other refills keep their own images.
        ctx_.DbConnection->SetRxImage(target.rxNbr, target.refNo, name);
        if (!current_->viewing || !current_->stored.contains(target.entryText))
            current_->stored << target.entryText;
    } catch (const QuillerError& e) {
        current_->failed << target.entryText + QStringLiteral(" (not recorded)");
        ShowError(e, errors);
    }
    ctx_.SetStatus(QString());
    bufferFiles_.append({index, name});
    return true;
}

void AcquisitionController::StoreScanningImage(int index, const Target& target,
                                               QStringList& errors) {
    access_.currentImageIndex() = index;
    const bool saved = StoreFile(
        index, target, [&](const QString& name) { TickEntry(target.entryText, name); }, errors);
    ShowBufferImage(index);
    window_->LabelImageNum->setText(access_.imageText(index, true));
    SetRotateSource(index, saved ? ImageFileName(target.entryText) : QString());
}

void AcquisitionController::StoreViewingImage(int index, const Target& target,
                                              QStringList& errors) {
    frmScan* w = window_;
    access_.currentImageIndex() = index;
    w->LabelImageNum->setText(access_.imageText(index, true));
    const bool saved = StoreFile(
        index, target,
        [&](const QString& name) {
            QAbstractItemModel* model = w->ListView2->model();
            if (model && target.viewRow >= 0 && target.viewRow < model->rowCount()) {
                const QModelIndex first = model->index(target.viewRow, 0);
                if (first.data(Qt::DisplayRole).toString() == target.entryText)
                    model->setData(first, name, Qt::UserRole);
            }
        },
        errors);
    if (saved)
        w->ListView2->setFocus();
    ShowBufferImage(index);
    try {
        LockFile::Remove(ctx_.LockFilePath());
    } catch (const QuillerError& e) {
        ShowError(e, errors);
    }
    SetRotateSource(index, saved ? ImageFileName(target.entryText) : QString());
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
        return; // the list moved on to another data file
    match->setCheckState(0, Qt::Checked);
    match->setData(0, Qt::UserRole, imageName);
    list->setCurrentItem(match);
}

void AcquisitionController::EndAcquisition() {
    waitingForDocument_ = false;
    feederTimer_->stop();
    ResumePolling();
    std::optional<Acquisition> ended;
    ended.swap(current_);
    ctx_.SetProgress(0, 0);
    // A station in scanning mode is ready again, whether or not a page arrived.
    if (ended && !ended->viewing) {
        try {
            LockFile::Remove(ctx_.LockFilePath());
        } catch (const QuillerError& e) {
            ReportError(e, kPostScanLocation);
        }
    }
    if (ended)
        ReportShortfall(*ended);
    if (batchQueued_) {
        batchQueued_ = false;
        AcquireBatch();
    }
}

void AcquisitionController::ReportShortfall(const Acquisition& a) {
    const int total = int(a.targets.size());
    QStringList notScanned;
    QStringList storedLeft = a.stored;
    for (const Target& t : a.targets) {
        const int at = int(storedLeft.indexOf(t.entryText));
        if (at >= 0)
            storedLeft.removeAt(at);
        else
            notScanned << t.entryText;
    }
    QStringList lines;
    if (!notScanned.isEmpty()) {
        lines << QStringLiteral("%1 of %2 prescriptions scanned. Not scanned: %3")
                     .arg(total - notScanned.size())
                     .arg(total)
                     .arg(notScanned.join(QStringLiteral(", ")));
        if (!a.failed.isEmpty())
            lines << QStringLiteral("Not stored: ") + a.failed.join(QStringLiteral(", "));
    }
    if (a.extra > 0)
        lines << QStringLiteral("%1 extra page(s) did not belong to any prescription and were "
                                "not stored.")
                     .arg(a.extra);
    if (!lines.isEmpty())
        MessageBoxes::Show(lines.join(QLatin1Char('\n')), MsgIcon::Exclamation);
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
