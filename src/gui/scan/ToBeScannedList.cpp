#include "gui/scan/ToBeScannedList.h"

#include <QBrush>
#include <QTreeWidget>

namespace quiller {

void ToBeScannedList::Clear() {
    list_->clear();
}

void ToBeScannedList::Append(const QString& text, const QString& date, const QString& drug,
                             const QString& patient, const QString& tag) {
    auto* item = new QTreeWidgetItem(QStringList{text, date, drug, patient});
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(0, Qt::Unchecked);
    item->setData(0, Qt::UserRole, tag);
    list_->addTopLevelItem(item);
}

void ToBeScannedList::SetLastKey(const QString& rxNbr, const QString& refNo) {
    if (QTreeWidgetItem* last = list_->topLevelItem(list_->topLevelItemCount() - 1)) {
        last->setData(0, kRxNbrRole, rxNbr);
        last->setData(0, kRefNoRole, refNo);
    }
}

void ToBeScannedList::MarkLastRefused(const QString& reason) {
    QTreeWidgetItem* last = list_->topLevelItem(list_->topLevelItemCount() - 1);
    if (!last)
        return;
    last->setData(0, kRefusalRole, reason);
    // Its page will not be filed under it: no check box, a red line that says why.
    last->setFlags(last->flags() & ~Qt::ItemIsUserCheckable);
    last->setData(0, Qt::CheckStateRole, QVariant());
    last->setText(3, last->text(3) + QStringLiteral(" - not recorded: ") + reason);
    for (int c = 0; c < last->columnCount(); ++c) {
        last->setForeground(c, QBrush(Qt::darkRed));
        last->setToolTip(c, QStringLiteral("Not recorded: ") + reason);
    }
}

int ToBeScannedList::Count() const {
    return list_->topLevelItemCount();
}

void ToBeScannedList::RemoveFrom(int first) {
    while (list_->topLevelItemCount() > qMax(first, 0))
        delete list_->takeTopLevelItem(list_->topLevelItemCount() - 1);
}

} // namespace quiller
