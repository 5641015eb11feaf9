#include "gui/scan/ToBeScannedList.h"

#include <QTreeWidget>
#include <QtTest>

using namespace quiller;

class TstToBeScannedList : public QObject {
    Q_OBJECT
private slots:
    void appendRemoveFromAndClear();
};

void TstToBeScannedList::appendRemoveFromAndClear() {
    QTreeWidget view;
    view.setColumnCount(4);
    ToBeScannedList list(&view);
    list.Append("42-1", "03/07/2006", "AMOXICILLIN ", "JOHN SMITH", "P");
    for (const char* text : {"2-0", "3-0", "4-0"})
        list.Append(text, "", "", "", "X");
    const QTreeWidgetItem* first = view.topLevelItem(0);
    QCOMPARE(QStringList({first->text(0), first->text(1), first->text(2), first->text(3)}),
             QStringList({"42-1", "03/07/2006", "AMOXICILLIN ", "JOHN SMITH"}));
    QCOMPARE(first->data(0, Qt::UserRole).toString(), "P"); // the file's mark
    QCOMPARE(first->checkState(0), Qt::Unchecked);
    QVERIFY(first->flags() & Qt::ItemIsUserCheckable);
    list.RemoveFrom(2);
    QCOMPARE(list.Count(), 2);
    QCOMPARE(view.topLevelItem(1)->text(0), "2-0");
    list.RemoveFrom(5); // beyond the end: nothing
    QCOMPARE(view.topLevelItemCount(), 2);
    list.Clear();
    QCOMPARE(view.topLevelItemCount(), 0);
}

QTEST_MAIN(TstToBeScannedList)
#include "tst_tobescannedlist.moc"
