// The operator's commands on acquisitions: the Scan button and stopping a running batch.
#include "gui/scan/AcquisitionController.h"

#include "base/MessageBoxes.h"
#include "gui/scan/frmScan.h"
#include "records/SearchResultModel.h"
#include "scanner/ScannerControl.h"
#include "station/StationContext.h"

#include <QAbstractItemModel>
#include <QItemSelectionModel>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>

namespace quiller {

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
        MessageBoxes::Show(NoScannerText(), MsgIcon::Exclamation);
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
        // A rescan from the viewing list needs the document in the feeder now: the
        // sensor is read at this moment (off the window's thread) and the scan starts
        // when it answers that paper is loaded.
        busy_ = true;
        sc->RequestDocumentLoaded([self, a](int loaded) {
            if (!self)
                return;
            ScannerControl* scanner = self->Scanner();
            if (loaded != 1 || !scanner) {
                self->busy_ = false;
                self->FeederOff();
                return;
            }
            self->bufferBase_ = scanner->ImageCount();
            self->bufferFiles_.clear();
            self->current_ = a;
            self->PrepareFiling(*self->current_);
            self->StartAcquire();
        });
        return;
    } else {
        // One page: the feeder of an earlier batch must not run empty for it.
        FeederOff();
    }
    bufferBase_ = sc->ImageCount();
    bufferFiles_.clear();
    busy_ = true;
    current_ = std::move(a);
    PrepareFiling(*current_);
    StartAcquire();
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
    SettleOnStop();
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

} // namespace quiller
