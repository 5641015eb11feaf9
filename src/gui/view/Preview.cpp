#include "gui/view/Preview.h"

#include "base/FileSystem.h"
#include "gui/common/PictureBox.h"
#include "station/ImageNaming.h"
#include "station/PatientRecords.h"
#include "station/StationContext.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QTreeView>
#include <QTreeWidget>

namespace quiller {

namespace {
// Read when shown, so that they come in the operator's language.
QString CaptionOf(const QString& entry) {
    return QCoreApplication::translate("quiller::Preview", "Rx Image of Rx# %1").arg(entry);
}
QString CaptionNone() {
    return QCoreApplication::translate("quiller::Preview", "Rx Image");
}
} // namespace

Preview::Preview(const ViewWidgets& widgets, ViewContext& context, QObject* parent)
    : QObject(parent), w_(widgets), context_(context) {
    if (w_.ListView1) {
        // itemClicked comes after the view has handled the click (a check-box toggle
        // included), so the reactions see the final state of the row.
        connect(w_.ListView1, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
            // A click on the check box itself only turns the tick (the operator may
            // clear it by hand); any other click on a row runs the reactions.
            const bool toggled =
                item && item == pressedItem_ && item->checkState(0) != pressedCheckState_;
            pressedItem_ = nullptr;
            if (toggled)
                return;
            ListView1_ItemClick(item);
            ListView1_Click();
        });
        w_.ListView1->installEventFilter(this);
        w_.ListView1->viewport()->installEventFilter(this);
    }
    if (w_.ListView2) {
        connect(w_.ListView2, &QAbstractItemView::clicked, this, [this] { ListView2_Click(); });
        w_.ListView2->installEventFilter(this);
        w_.ListView2->viewport()->installEventFilter(this);
    }
}

void Preview::FollowSelection() {
    if (w_.ListView2 && w_.ListView2->selectionModel())
        connect(w_.ListView2->selectionModel(), &QItemSelectionModel::selectionChanged, this,
                &Preview::ShowSelectedRow2);
    if (w_.ListView1)
        connect(w_.ListView1, &QTreeWidget::itemSelectionChanged, this, &Preview::ShowSelectedRow1);
}

void Preview::ShowSelectedRow2() {
    QTreeView* list = w_.ListView2;
    // Only while the viewing list is in use.
    if (!list || !list->model() || (w_.fraList && w_.fraList->isHidden()))
        return;
    if (w_.Command2)
        w_.Command2->setEnabled(false);
    w_.Image1->Clear();
    const int row = SelectedRow(list);
    const bool shown = row >= 0 && !RowTag(list, row).isEmpty() &&
                       LoadRowImage(RowTag(list, row), RowText(list, row));
    if (w_.Frame2)
        w_.Frame2->setTitle(shown ? CaptionOf(RowText(list, row)) : CaptionNone());
}

void Preview::ShowSelectedRow1() {
    QTreeWidget* list = w_.ListView1;
    if (!list)
        return;
    QTreeWidgetItem* item = SelectedItem(list);
    const QString tag = item ? item->data(0, Qt::UserRole).toString() : QString();
    // A to-be-scanned entry's tag is its mark until its page is stored.
    if (!item || !tag.endsWith(QLatin1String(".jpg"), Qt::CaseInsensitive)) {
        w_.Image1->Clear();
        if (w_.Frame2)
            w_.Frame2->setTitle(CaptionNone());
        return;
    }
    w_.Image1->Clear();
    const bool shown = LoadRowImage(tag, item->text(0));
    if (shown)
        context_.ApplyRotateState(w_.Command2);
    if (w_.Frame2)
        w_.Frame2->setTitle(shown ? CaptionOf(item->text(0)) : CaptionNone());
}

int Preview::SelectedRow(const QTreeView* list) {
    if (!list || !list->model() || !list->selectionModel())
        return -1;
    const QModelIndexList rows = list->selectionModel()->selectedRows(0);
    return rows.isEmpty() ? -1 : rows.constFirst().row();
}

QTreeWidgetItem* Preview::SelectedItem(const QTreeWidget* list) {
    if (!list)
        return nullptr;
    const QList<QTreeWidgetItem*> items = list->selectedItems();
    return items.isEmpty() ? nullptr : items.constFirst();
}

QString Preview::RowText(const QTreeView* list, int row) {
    return list->model()->index(row, 0).data(Qt::DisplayRole).toString();
}

QString Preview::RowTag(const QTreeView* list, int row) {
    return list->model()->index(row, 0).data(Qt::UserRole).toString();
}

bool Preview::LoadRowImage(const QString& tag, const QString& entryText) {
    const QString path = context_.app().ImagePath(tag);
    if (!FileSystem::FileExists(path))
        return false;
    // A file that cannot be read as a picture leaves the preview empty, as a missing one.
    if (!w_.Image1->LoadFile(path))
        return false;
    // Each prescription image shown is an access to patient data; the same one shown
    // again by the next reaction to one click is the same access.
    if (entryText != lastRecorded_) {
        lastRecorded_ = entryText;
        const PrescriptionKey key = SplitEntryText(entryText);
        PatientRecords::RecordAccess(context_.app(), QStringLiteral("preview"), key.rxNbr,
                                     key.refNo);
    }
    return true;
}

int Preview::ClearForRow2() {
    const QTreeView* list = w_.ListView2;
    if (!list || !list->model() || list->model()->rowCount() < 1)
        return -1;
    w_.Image1->Clear();
    return SelectedRow(list);
}

QTreeWidgetItem* Preview::ClearForItem1() {
    const QTreeWidget* list = w_.ListView1;
    if (!list || list->topLevelItemCount() < 1)
        return nullptr;
    w_.Image1->Clear();
    return SelectedItem(list);
}

void Preview::ListView2_Click() {
    if (w_.Command2)
        w_.Command2->setEnabled(false);
    const int row = ClearForRow2();
    if (row < 0)
        return;
    // The caption names a row only while its picture is shown.
    const QString tag = RowTag(w_.ListView2, row);
    const bool shown = !tag.isEmpty() && LoadRowImage(tag, RowText(w_.ListView2, row));
    if (w_.Frame2)
        w_.Frame2->setTitle(shown ? CaptionOf(RowText(w_.ListView2, row)) : CaptionNone());
}

void Preview::ListView1_Click() {
    QTreeWidgetItem* item = ClearForItem1();
    if (!item)
        return;
    const QString tag = item->data(0, Qt::UserRole).toString();
    if (!tag.isEmpty()) {
        const bool shown = LoadRowImage(tag, item->text(0));
        if (shown)
            context_.ApplyRotateState(w_.Command2);
        if (w_.Frame2)
            w_.Frame2->setTitle(shown ? CaptionOf(item->text(0)) : CaptionNone());
        item->setCheckState(0, Qt::Checked);
    } else {
        if (w_.Frame2)
            w_.Frame2->setTitle(CaptionNone());
        item->setCheckState(0, Qt::Unchecked);
    }
}

void Preview::ListView1_KeyUp(int key) {
    if (key != Qt::Key_Up && key != Qt::Key_Down)
        return;
    const QTreeWidgetItem* item = ClearForItem1();
    const QString tag = item ? item->data(0, Qt::UserRole).toString() : QString();
    if (!tag.isEmpty())
        LoadRowImage(tag, item->text(0));
}

void Preview::ListView2_KeyUp(int key) {
    if (key != Qt::Key_Up && key != Qt::Key_Down)
        return;
    const int row = ClearForRow2();
    const QString tag = row >= 0 ? RowTag(w_.ListView2, row) : QString();
    if (!tag.isEmpty())
        LoadRowImage(tag, RowText(w_.ListView2, row));
}

void Preview::ListView1_ItemClick(QTreeWidgetItem* item) {
    if (!item)
        return;
    const bool hasTag = !item->data(0, Qt::UserRole).toString().isEmpty();
    item->setCheckState(0, hasTag ? Qt::Checked : Qt::Unchecked);
}

bool Preview::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyRelease) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (!key->isAutoRepeat()) {
            if (w_.ListView1 && watched == w_.ListView1)
                ListView1_KeyUp(key->key());
            else if (w_.ListView2 && watched == w_.ListView2)
                ListView2_KeyUp(key->key());
        }
    } else if (event->type() == QEvent::MouseButtonPress &&
               ((w_.ListView1 && watched == w_.ListView1->viewport() &&
                 !w_.ListView1->indexAt(static_cast<QMouseEvent*>(event)->position().toPoint())
                      .isValid()) ||
                (w_.ListView2 && watched == w_.ListView2->viewport() &&
                 !w_.ListView2->indexAt(static_cast<QMouseEvent*>(event)->position().toPoint())
                      .isValid()))) {
        // A press beside the rows keeps the selected row (the view would clear it): the
        // click works on that row.
        if (w_.ListView1 && watched == w_.ListView1->viewport())
            pressedItem_ = nullptr;
        return true;
    } else if (event->type() == QEvent::MouseButtonPress && w_.ListView1 &&
               watched == w_.ListView1->viewport()) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        pressedItem_ = w_.ListView1->itemAt(mouse->position().toPoint());
        pressedCheckState_ = pressedItem_ ? pressedItem_->checkState(0) : Qt::Unchecked;
    } else if (event->type() == QEvent::MouseButtonRelease) {
        // A click beside the rows is still a click on the list; clicks on rows arrive
        // through the views' own signals.
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) {
            const QPoint pos = mouse->position().toPoint();
            if (w_.ListView1 && watched == w_.ListView1->viewport() &&
                !w_.ListView1->indexAt(pos).isValid())
                ListView1_Click();
            else if (w_.ListView2 && watched == w_.ListView2->viewport() &&
                     !w_.ListView2->indexAt(pos).isValid())
                ListView2_Click();
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace quiller
