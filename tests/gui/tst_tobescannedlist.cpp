#include "gui/scan/ToBeScannedList.h"

#include <QTreeWidget>
#include <QtTest>

using namespace quiller;

class TestToBeScannedList : public QObject {
    Q_OBJECT
private slots:
    void entriesFollowTheListConventions();
    void removeFromAndClear();
};

void TestToBeScannedList::entriesFollowTheListConventions() {
    QTreeWidget listView1;
    listView1.setObjectName("ListView1");
    listView1.setColumnCount(4);
    ToBeScannedList list(&listView1);
    list.Append("42-1", "03/07/2006", QStringLiteral("AMOXICILLIN").leftJustified(30), "JOHN SMITH",
                "P");
    list.Append("7-0", "02/28/2005", QStringLiteral("METFORMIN").leftJustified(30), "PAT LEE", "X");
    QCOMPARE(list.Count(), 2);
    QCOMPARE(listView1.topLevelItemCount(), 2);
    const QTreeWidgetItem* first = listView1.topLevelItem(0);
    QCOMPARE(first->text(0), QStringLiteral("42-1"));
    QCOMPARE(first->text(1), QStringLiteral("03/07/2006"));
    QCOMPARE(first->text(2), QStringLiteral("AMOXICILLIN").leftJustified(30));
    QCOMPARE(first->text(3), QStringLiteral("JOHN SMITH"));
    QCOMPARE(first->data(0, Qt::UserRole).toString(), QStringLiteral("P"));
    QCOMPARE(first->checkState(0), Qt::Unchecked);
    QVERIFY(first->flags() & Qt::ItemIsUserCheckable);
    const QTreeWidgetItem* second = listView1.topLevelItem(1);
    QCOMPARE(second->text(0), QStringLiteral("7-0"));
    QCOMPARE(second->data(0, Qt::UserRole).toString(), QStringLiteral("X"));
}

void TestToBeScannedList::removeFromAndClear() {
    QTreeWidget listView1;
    listView1.setColumnCount(4);
    ToBeScannedList list(&listView1);
    for (const char* text : {"1-0", "2-0", "3-0", "4-0"})
        list.Append(text, "", "", "", "P");
    list.RemoveFrom(2);
    QCOMPARE(list.Count(), 2);
    QCOMPARE(listView1.topLevelItem(1)->text(0), QStringLiteral("2-0"));
    list.RemoveFrom(5); // beyond the end: nothing
    QCOMPARE(list.Count(), 2);
    list.Clear();
    QCOMPARE(listView1.topLevelItemCount(), 0);
}

QTEST_MAIN(TestToBeScannedList)
#include "tst_tobescannedlist.moc"
