#include "gui/view/Deletion.h"

#include "base/Error.h"
#include "base/Log.h"
#include "base/MessageBoxes.h"
#include "gui/view/Preview.h"
#include "records/Database.h"
#include "records/SearchResultModel.h"
#include "station/PatientRecords.h"
#include "station/StationContext.h"

#include <QKeyEvent>
#include <QTreeView>

namespace quiller {

Deletion::Deletion(const ViewWidgets& widgets, ViewContext& context, SearchResultModel* model,
                   QObject* parent)
    : QObject(parent), w_(widgets), context_(context), model_(model) {
    if (w_.ListView2)
        w_.ListView2->installEventFilter(this);
}

void Deletion::ListView2_KeyDown(int key, Qt::KeyboardModifiers) {
    if (key != Qt::Key_Delete)
        return;
    if (!model_ || model_->rowCount() < 1)
        return;
    const int row = Preview::SelectedRow(w_.ListView2);
    if (row < 0)
        return;
    const QString text = model_->RowText(row);
    const MsgAnswer answer =
        MessageBoxes::Show(tr("You are deleting %1, Continue?").arg(text), MsgIcon::Question,
                           MsgButtons::YesNo, MsgAnswer::No);
    if (answer != MsgAnswer::Yes)
        return;

    // The key is the row's stored Rx number and refill number (its text joins the two
    // with "-"), so a number that holds a "-" itself still names its own record.
    const SearchRow& record = model_->Row(row);
    // The record moves to the deleted prescriptions and its image to Deleted/, where an
    // administrator can restore both; the operator sees it gone from every list.
    try {
        PatientRecords::DeleteKeepingImage(context_.app(), record.RxNbr, record.RefNo,
                                           record.RxImage);
    } catch (const QuillerError& e) {
        // Nothing was deleted: the row stays so the list matches the database.
        MessageBoxes::Show(e.description(), MsgIcon::Critical);
        return;
    }
    model_->removeRow(row);
    // The row that took its place (or the new last row) becomes the selected row.
    const int next = std::min(row, model_->rowCount() - 1);
    if (next >= 0 && w_.ListView2 && w_.ListView2->selectionModel())
        w_.ListView2->selectionModel()->setCurrentIndex(model_->index(next, 0),
                                                        QItemSelectionModel::ClearAndSelect |
                                                            QItemSelectionModel::Rows);
}

bool Deletion::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && w_.ListView2 && watched == w_.ListView2) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Delete) {
            ListView2_KeyDown(key->key(), key->modifiers());
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace quiller
