#include "gui/scan/ToBeScannedList.h"

#include <QTreeWidget>
#include <QtTest>

using namespace quiller;

// An entry keeps the file's mark, which tells the acquisition the page size to scan.
class TstToBeScannedList : public QObject {
    Q_OBJECT
private slots:
    void appendKeepsColumnsAndMark() {
        QTreeWidget view;
        view.setColumnCount(4);
        ToBeScannedList list(&view);
        list.Append("42-1", "03/07/2006", "AMOXICILLIN ", "JOHN SMITH", "P");
        const QTreeWidgetItem* first = view.topLevelItem(0);
        QCOMPARE(QStringList({first->text(0), first->text(1), first->text(2), first->text(3)}),
                 QStringList({"42-1", "03/07/2006", "AMOXICILLIN ", "JOHN SMITH"}));
        QCOMPARE(first->data(0, Qt::UserRole).toString(), "P");
        QCOMPARE(first->checkState(0), Qt::Unchecked);
        QVERIFY(first->flags() & Qt::ItemIsUserCheckable);
    }
};

QTEST_MAIN(TstToBeScannedList)
#include "tst_tobescannedlist.moc"
