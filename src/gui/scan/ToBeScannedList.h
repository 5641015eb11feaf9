#pragma once

#include <QObject>
#include <Qt>

class QTreeWidget;
class QTreeWidgetItem;

namespace quiller {

class BatchEntries;

// ListView1 as a view of the station core's to-be-scanned entries: one item per
// prescription with the columns "Rx Number", "Date", "Drug Name", "Patient" and "Page"
// (how its page was filed), a check box once its page is stored, the tag in
// data(0, Qt::UserRole) and the key beside it. A refused entry is shown in red with its
// reason and has no check box. The list only displays; the entries are the core's.
class ToBeScannedList : public QObject {
    Q_OBJECT
public:
    ToBeScannedList(QTreeWidget* listView1, const BatchEntries& entries, QObject* parent = nullptr);

    // Item data roles that carry the key beside the tag (Qt::UserRole).
    static constexpr int kRxNbrRole = Qt::UserRole + 1;
    static constexpr int kRefNoRole = Qt::UserRole + 2;
    static constexpr int kRefusalRole = Qt::UserRole + 3;
    // The "Page" column: how the entry's page was filed (verified, by position, missing).
    static constexpr int kFilingColumn = 4;

private:
    void Fill();
    void Show(QTreeWidgetItem* item, int row);

    QTreeWidget* list_;
    const BatchEntries& entries_;
};

} // namespace quiller
