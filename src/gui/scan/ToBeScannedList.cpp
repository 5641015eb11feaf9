#include "gui/scan/ToBeScannedList.h"

#include "base/Text.h"
#include "records/PageChecks.h"
#include "station/BatchEntries.h"

#include <QBrush>
#include <QTreeWidget>

namespace quiller {

ToBeScannedList::ToBeScannedList(QTreeWidget* listView1, const BatchEntries& entries,
                                 QObject* parent)
    : QObject(parent), list_(listView1), entries_(entries) {
    connect(&entries, &BatchEntries::Cleared, this, [this] { list_->clear(); });
    connect(&entries, &BatchEntries::Appended, this, [this](int row) {
        auto* item = new QTreeWidgetItem;
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        list_->addTopLevelItem(item);
        Show(item, row);
    });
    connect(&entries, &BatchEntries::Changed, this, [this](int row) {
        if (QTreeWidgetItem* item = list_->topLevelItem(row)) {
            Show(item, row);
            if (entries_.At(row).scanned)
                list_->setCurrentItem(item);
        }
    });
    connect(&entries, &BatchEntries::RemovedFrom, this, [this](int first) {
        while (list_->topLevelItemCount() > qMax(first, 0))
            delete list_->takeTopLevelItem(list_->topLevelItemCount() - 1);
    });
    Fill();
}

void ToBeScannedList::Fill() {
    list_->clear();
    for (int row = 0; row < entries_.Count(); ++row) {
        auto* item = new QTreeWidgetItem;
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        list_->addTopLevelItem(item);
        Show(item, row);
    }
}

void ToBeScannedList::Show(QTreeWidgetItem* item, int row) {
    const BatchEntry& e = entries_.At(row);
    item->setText(0, e.text);
    item->setText(1, ListDateOfText(e.date)); // the file's date, in the locale's format
    item->setText(2, e.drug);
    item->setText(3, e.refusal.isEmpty() ? e.patient
                                         : tr("%1 - not recorded: %2").arg(e.patient, e.refusal));
    item->setText(kFilingColumn, PageChecks::Shown(e.filed));
    item->setData(0, Qt::UserRole, e.scanned ? e.imageName : e.mark);
    item->setData(0, kRxNbrRole, e.rxNbr);
    item->setData(0, kRefNoRole, e.refNo);
    item->setData(0, kRefusalRole, e.refusal);
    if (!e.refusal.isEmpty()) {
        // Its page will not be filed under it: no check box, a red line that says why.
        item->setFlags(item->flags() & ~Qt::ItemIsUserCheckable);
        item->setData(0, Qt::CheckStateRole, QVariant());
        for (int c = 0; c < item->columnCount(); ++c) {
            item->setForeground(c, QBrush(Qt::darkRed));
            item->setToolTip(c, tr("Not recorded: %1").arg(e.refusal));
        }
        return;
    }
    item->setCheckState(0, e.scanned ? Qt::Checked : Qt::Unchecked);
}

} // namespace quiller
