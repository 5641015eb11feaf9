// Scan the rest: the prescriptions of the latest batches whose page never came, acquired
// in one go instead of one by one.
#include "gui/scan/AcquisitionController.h"

#include "base/MessageBoxes.h"
#include "gui/scan/frmScan.h"

#include <QPushButton>
#include <QTreeWidget>

namespace quiller {

void AcquisitionController::ShowRestCommand() {
    if (window_)
        window_->cmdScanRest->setEnabled(!busy_ && !rest_.IsEmpty());
}

void AcquisitionController::ScanRest_Click() {
    if (Busy()) {
        MessageBoxes::Show(QStringLiteral("A scan is in progress. Wait until it has finished, "
                                          "then scan the rest."),
                           MsgIcon::Information);
        return;
    }
    if (window_->ViewingMode()) {
        MessageBoxes::Show(QStringLiteral("Scan the rest works on the prescriptions to be "
                                          "scanned. Leave the viewing list first."),
                           MsgIcon::Information);
        return;
    }
    // An entry ticked since (scanned alone with the Scan button) is not scanned again.
    const QTreeWidget* list = window_->ListView1;
    const QList<ScanTarget> rest = rest_.Take([list](const ScanTarget& t) {
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* item = list->topLevelItem(i);
            if (item->text(0) == t.entryText && item->checkState(0) == Qt::Checked)
                return true;
        }
        return false;
    });
    ShowRestCommand();
    if (rest.isEmpty()) {
        MessageBoxes::Show(QStringLiteral("Every prescription of the last batch has been scanned."),
                           MsgIcon::Information);
        return;
    }
    busy_ = true;
    Start(Acquisition(Acquisition::Kind::Batch, rest));
}

} // namespace quiller
