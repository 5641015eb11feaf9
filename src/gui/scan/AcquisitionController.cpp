#include "gui/scan/AcquisitionController.h"

#include "base/MessageBoxes.h"
#include "gui/common/PictureBox.h"
#include "gui/scan/frmScan.h"
#include "records/SearchResultModel.h"
#include "scanner/ScannerControl.h"
#include "station/ImageNaming.h"
#include "station/PatientRecords.h"
#include "station/StationContext.h"
#include "station/StationCore.h"

#include <QAbstractItemModel>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QTreeView>
#include <QTreeWidget>

namespace quiller {

AcquisitionController::AcquisitionController(frmScan* window, StationCore& core,
                                             ScannerAccess access, QObject* parent)
    : QObject(parent), ctx_(window->Context()), core_(core), window_(window),
      access_(std::move(access)) {
    connect(&core_, &StationCore::PageShown, this, &AcquisitionController::OnPageShown);
    connect(&core_, &StationCore::PageStored, this, &AcquisitionController::OnPageStored);
    connect(&core_, &StationCore::FilingShown, this, &AcquisitionController::OnFilingShown);
    connect(&core_, &StationCore::BufferCleared, this, &AcquisitionController::OnBufferCleared);
    connect(&core_, &StationCore::WaitingForPaperChanged, this,
            &AcquisitionController::OnWaitingForPaper);
    connect(&core_, &StationCore::RestChanged, window->cmdScanRest, &QPushButton::setEnabled);
    connect(window->Image1, &PictureBox::pictureChanged, this,
            &AcquisitionController::OnPreviewChanged);
    window->cmdScanRest->setEnabled(!core_.Busy() && core_.RestAvailable());
    OnWaitingForPaper(core_.WaitingForPaper());
}

AcquisitionController::~AcquisitionController() = default;

ScannerControl* AcquisitionController::Scanner() const {
    return access_.scanner ? access_.scanner() : nullptr;
}

bool AcquisitionController::Busy() const {
    return core_.Busy();
}

void AcquisitionController::OnBufferCleared() {
    bufferFiles_.clear();
    access_.currentImageIndex() = -1;
    window_->LabelImageNum->clear();
    SetRotateSource(-1, QString());
}

void AcquisitionController::OnPageShown(int index, const QString& storedAs) {
    if (!window_ || !Scanner() || index < 0 || index >= Scanner()->ImageCount())
        return;
    access_.currentImageIndex() = index;
    window_->LabelImageNum->setText(access_.imageText(index, true));
    if (!storedAs.isEmpty())
        bufferFiles_.append({index, storedAs});
    ShowBufferImage(index);
    SetRotateSource(index, storedAs);
}

void AcquisitionController::OnPageStored(const ScanTarget& target, const QString& name,
                                         const QString&, bool viewing) {
    if (!window_ || !viewing)
        return;
    QAbstractItemModel* model = window_->ListView2->model();
    if (auto* results = qobject_cast<SearchResultModel*>(model))
        results->SetImageOf(target.rxNbr, target.refNo, name);
    else if (model && target.viewRow >= 0 && target.viewRow < model->rowCount())
        model->setData(model->index(target.viewRow, 0), name, Qt::UserRole);
    window_->ListView2->setFocus();
}

void AcquisitionController::OnFilingShown(const ScanTarget& target, const QString& filed,
                                          bool viewing) {
    if (!window_ || !viewing)
        return;
    if (auto* results = qobject_cast<SearchResultModel*>(window_->ListView2->model()))
        results->SetFiledOf(target.rxNbr, target.refNo, filed);
}

// While a batch waits for paper, Stop takes the Scan button's place.
void AcquisitionController::OnWaitingForPaper(bool waiting) {
    if (!window_)
        return;
    window_->cmdStop->setVisible(waiting);
    window_->Command1->setVisible(!waiting);
}

void AcquisitionController::Stop_Click() {
    const QString report = core_.Stop();
    if (!report.isEmpty())
        MessageBoxes::Show(report, MsgIcon::Exclamation);
}

// The entry the operator selected, in the viewing list or the to-be-scanned list; false
// (and the operator told) when there is none.
bool AcquisitionController::SelectedTarget(ScanTarget& target, bool viewing) {
    frmScan* w = window_;
    if (viewing) {
        QAbstractItemModel* model = w->ListView2->model();
        if (!model || model->rowCount() == 0) {
            MessageBoxes::Show(tr("No prescription is in the list."), MsgIcon::Exclamation);
            return false;
        }
        const QModelIndex current = w->ListView2->currentIndex();
        const bool selected = current.isValid() && w->ListView2->selectionModel() &&
                              w->ListView2->selectionModel()->isRowSelected(current.row(), {});
        if (!selected) {
            MessageBoxes::Show(tr("Select a prescription from the list to scan."),
                               MsgIcon::Information);
            return false;
        }
        const QModelIndex first = model->index(current.row(), 0);
        target.entryText = first.data(Qt::DisplayRole).toString();
        target.mark = first.data(Qt::UserRole).toString();
        // The key is the row's stored Rx number and refill, never its text split at "-".
        if (auto* results = qobject_cast<SearchResultModel*>(model)) {
            target.rxNbr = results->Row(current.row()).RxNbr;
            target.refNo = results->Row(current.row()).RefNo;
        } else {
            const PrescriptionKey key = SplitEntryText(target.entryText);
            target.rxNbr = key.rxNbr;
            target.refNo = key.refNo;
        }
        target.viewRow = current.row();
        return true;
    }
    if (w->ListView1->topLevelItemCount() == 0) {
        MessageBoxes::Show(tr("No prescription is in the list."), MsgIcon::Exclamation);
        return false;
    }
    QTreeWidgetItem* item = w->ListView1->currentItem();
    const int row = item ? w->ListView1->indexOfTopLevelItem(item) : -1;
    if (!item || !item->isSelected() || row < 0 || row >= core_.Entries().Count()) {
        MessageBoxes::Show(tr("Select a prescription from the list to scan."),
                           MsgIcon::Information);
        return false;
    }
    target = core_.Entries().At(row).Target();
    return true;
}

void AcquisitionController::Command1_Click() {
    if (Busy()) {
        MessageBoxes::Show(tr("A scan is in progress. Wait until it has finished, "
                              "then scan again."),
                           MsgIcon::Information);
        return;
    }
    QPointer<AcquisitionController> self(this);
    const bool viewing = window_->ViewingMode();
    ScanTarget target;
    if (!SelectedTarget(target, viewing))
        return;
    const MsgAnswer answer = MessageBoxes::Ask(tr("Rescan prescription %1?").arg(target.entryText));
    if (!self || Busy())
        return;
    if (answer != MsgAnswer::Yes) {
        MessageBoxes::Show(tr("Select a prescription from the list to scan."),
                           MsgIcon::Information);
        return;
    }
    if (!Scanner() || (Scanner()->ListingComplete() && Scanner()->SelectedDevice().isEmpty())) {
        MessageBoxes::Show(StationCore::NoScannerText(), MsgIcon::Exclamation);
        return;
    }
    MessageBoxes::Show(tr("Put the prescription on the scanner.  Then press Ok button."),
                       MsgIcon::Information);
    if (!self || Busy() || !Scanner())
        return;
    PatientRecords::RecordAccess(ctx_, QStringLiteral("rescan"), target.rxNbr, target.refNo,
                                 viewing ? QStringLiteral("viewing list")
                                         : QStringLiteral("to-be-scanned list"));
    core_.ScanOne(target, viewing);
}

void AcquisitionController::ScanRest_Click() {
    if (Busy()) {
        MessageBoxes::Show(tr("A scan is in progress. Wait until it has finished, "
                              "then scan the rest."),
                           MsgIcon::Information);
        return;
    }
    if (window_->ViewingMode()) {
        MessageBoxes::Show(tr("Scan the rest works on the prescriptions to be "
                              "scanned. Leave the viewing list first."),
                           MsgIcon::Information);
        return;
    }
    if (!core_.ScanRest())
        MessageBoxes::Show(tr("Every prescription of the last batch has been scanned."),
                           MsgIcon::Information);
}

bool AcquisitionController::ConfirmStop() {
    const int n = core_.Outstanding();
    if (n > 0) {
        const QString question =
            n == 1 ? tr("1 prescription is still being scanned. Stop and exit?")
                   : tr("%1 prescriptions are still being scanned. Stop and exit?").arg(n);
        if (MessageBoxes::Show(question, MsgIcon::Question, MsgButtons::YesNo, MsgAnswer::No) !=
            MsgAnswer::Yes)
            return false;
    }
    // The core outlives this window: what it reports is shown even when the window has
    // gone meanwhile.
    const QString report = core_.Stop();
    if (!report.isEmpty())
        MessageBoxes::Show(report, MsgIcon::Exclamation);
    return true;
}

} // namespace quiller
