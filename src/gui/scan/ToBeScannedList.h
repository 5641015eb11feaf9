#pragma once

#include <Qt>

#include "intake/ScanListPort.h"

class QTreeWidget;

namespace quiller {

// ListView1 as the intake fills it: one item per prescription with the columns
// "Rx Number", "Date", "Drug Name", "Patient" and "Page" (filled in as its page is
// filed), an unchecked check box in the first
// column and the tag in data(0, Qt::UserRole).
class ToBeScannedList : public ScanListPort {
public:
    explicit ToBeScannedList(QTreeWidget* listView1) : list_(listView1) {}

    void Clear() override;
    void Append(const QString& text, const QString& date, const QString& drug,
                const QString& patient, const QString& tag) override;
    void SetLastKey(const QString& rxNbr, const QString& refNo) override;
    void MarkLastRefused(const QString& reason) override;
    int Count() const override;
    // Item data roles that carry the key beside the tag (Qt::UserRole).
    static constexpr int kRxNbrRole = Qt::UserRole + 1;
    static constexpr int kRefNoRole = Qt::UserRole + 2;
    static constexpr int kRefusalRole = Qt::UserRole + 3;
    // The "Page" column: how the entry's page was filed (verified, by position, missing).
    static constexpr int kFilingColumn = 4;
    void RemoveFrom(int first) override;

private:
    QTreeWidget* list_;
};

} // namespace quiller
