// Searches from the scan window's own controls over a fixture database, and deleting a
// listed prescription.
#include "base/FileSystem.h"
#include "common/ScriptedMessageBoxes.h"
#include "common/ViewRig.h"
#include "records/AuditTrail.h"
#include "records/DeletedPrescriptions.h"

#include <QLabel>
#include <QSqlQuery>

using namespace quiller;
using namespace quiller::test;

class TestViewSearch : public QObject, public ViewRig {
    Q_OBJECT

private slots:
    void init() { SetUp(); }
    void cleanup() { TearDown(); }

    // ---------------------------------------------------------------- search triggers

    void enterSearches_data() {
        QTest::addColumn<QString>("criterion");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("rx with refill")
            << QStringLiteral("Rx Number") << "123-1" << QStringList{"123-01"};
        QTest::newRow("patient") << QStringLiteral("Patient") << "O'Neil" << QStringList{"abc-00"};
        QTest::newRow("no rows") << QStringLiteral("Rx Number") << "999" << QStringList{};
        QTest::newRow("unknown criterion") << QStringLiteral("Doctor") << "123" << QStringList{};
    }

    void enterSearches() {
        QFETCH(QString, criterion);
        QFETCH(QString, text);
        QFETCH(QStringList, rows);
        Search("Rx Number", "123-1"); // a row shown before
        QCOMPARE(window->Frame2->title(), QStringLiteral("Rx Image of Rx# 123-01"));
        Search(criterion, text);
        QCOMPARE(Listed(), rows);
        if (rows.isEmpty()) {
            // No rows: the preview empties (an unknown criterion reads nothing at all), its
            // caption stays.
            QVERIFY(criterion == "Doctor" || !window->Image1->HasPicture());
            QCOMPARE(window->Frame2->title(), QStringLiteral("Rx Image of Rx# 123-01"));
        } else {
            // The first row is selected and shown through the click reaction.
            QCOMPARE(Preview::SelectedRow(window->ListView2), 0);
            QVERIFY(ShowsRow(0));
        }
        QCOMPARE(status.StatusText(), QStringLiteral("Idle"));

        // Enter in an empty box, and any other key, leave the list as it is.
        window->Text1->clear();
        QTest::keyClick(window->Text1, Qt::Key_Return);
        window->Text1->setText("Smith");
        QTest::keyClick(window->Text1, Qt::Key_L);
        QCOMPARE(Listed(), rows);
    }

    // Date shows the pickers and searches at once; another criterion shows the empty text
    // box with the focus and does not search.
    void criterionChoiceSwitchesBoxes() {
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        window->Text1->setText("left over");
        SetDatesQuietly(7, 9);
        ChooseCriterion("Date");
        QCOMPARE(window->Text1->text(), QString());
        QVERIFY(window->Text1->isHidden());
        for (int i = 0; i < 2; ++i)
            QVERIFY(window->DTPicker1[i]->isVisible() && window->lblDate[i]->isVisible());
        const QStringList dated{" 123-1", "00123-02", "123-01", "126-01"};
        QCOMPARE(Listed(), dated);

        window->Text1->setText("x");
        ChooseCriterion("Drug");
        QCOMPARE(window->Text1->text(), QString());
        QVERIFY(window->Text1->isVisible() && window->Text1->hasFocus());
        for (int i = 0; i < 2; ++i)
            QVERIFY(window->DTPicker1[i]->isHidden() && window->lblDate[i]->isHidden());
        QCOMPARE(Listed(), dated);
    }

    void pickerChangeSearchesOnlyInOrder() {
        SetDatesQuietly(7, 7);
        ChooseCriterion("Date");
        const QStringList sameDay = {"123-01", "126-01"};
        QCOMPARE(Listed(), sameDay);
        // First date after the last: nothing happens.
        window->DTPicker1[0]->setDate(QDate(2006, 3, 8));
        QCOMPARE(Listed(), sameDay);
        // Last date moved so the range is in order again: searches.
        window->DTPicker1[1]->setDate(QDate(2006, 3, 8));
        QCOMPARE(Listed(), QStringList{"00123-02"});
        // Equal dates search (both ends included).
        window->DTPicker1[0]->setDate(QDate(2006, 3, 6));
        const QStringList range{"00123-02", "123-01", "126-01", "128-01"};
        QCOMPARE(Listed(), range);
        // Hidden pickers (another criterion chosen) take new dates without searching.
        ChooseCriterion("Patient");
        window->DTPicker1[0]->setDate(QDate(2006, 3, 1));
        window->DTPicker1[1]->setDate(QDate(2006, 3, 31));
        QCOMPARE(Listed(), range);
    }

    // A failing search, first page or later, empties nothing it has not read, asks nothing
    // and says why on the status line.
    void failingSearchWritesStatus_data() {
        QTest::addColumn<QString>("how");
        for (const char* how : {"first page", "later page"})
            QTest::newRow(how) << QString::fromLatin1(how);
    }

    void failingSearchWritesStatus() {
        QFETCH(QString, how);
        ScriptedMessageBoxes boxes;
        SearchResultModel* m = view->search()->Model();
        if (how == "later page") {
            window->hide(); // a shown view reads further pages to fill itself
            m->SetPageSize(2);
        }
        Search("Patient", how == "later page" ? "," : "Smith");
        const int before = m->rowCount();
        QVERIFY(before >= 2);
        QSqlQuery drop(SharedContext().DbConnection->Connection());
        QVERIFY(drop.exec("DROP TABLE RxImages"));
        if (how == "first page") {
            Search("Patient", "Jones");
            QCOMPARE(Listed(), QStringList());
        } else {
            m->fetchMore(QModelIndex());
            QCOMPARE(m->rowCount(), before);
        }
        QVERIFY2(status.StatusText().contains("RxImages"), qPrintable(status.StatusText()));
        QCOMPARE(boxes.count(), 0);
    }

    // A shown list asks for the further pages it has room for.
    void shownListReadsPagesItNeeds() {
        SearchResultModel* m = view->search()->Model();
        m->SetPageSize(3);
        Search("Patient", ",");
        QVERIFY(m->rowCount() >= 3);
        // Scrolled to the end, the list reads on until every row is in.
        QTRY_VERIFY((window->ListView2->scrollToBottom(), !m->canFetchMore(QModelIndex())));
        QCOMPARE(m->rowCount(), int(FixtureRows().size()));
    }

    // ---------------------------------------------------------------- deletion

    void deleteAsksAndRemovesOnlyThatRow() {
        Search("Rx Number", "123");
        // The search and its first preview reach the trail once the list is shown.
        const auto actions = [] {
            QStringList a;
            for (const AuditRow& r : AuditTrail::Read(SharedContext().DbConnection->Connection(),
                                                      QDate(), QDate(), QString()))
                a << r.action;
            return a;
        };
        QTRY_COMPARE(actions().mid(actions().lastIndexOf("search")),
                     (QStringList{"search", "preview"}));
        const int row = RowOf("123-01");
        ClickRow(RowOf("00123-02"));
        window->ListView2->selectionModel()->setCurrentIndex(
            window->ListView2->model()->index(row, 0),
            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        QTreeWidgetItem* alsoToScan = AddScanRow("123-01", "123_01.jpg");

        ScriptedMessageBoxes boxes;
        boxes.answer(MsgAnswer::Yes);
        window->ListView2->setFocus();
        QTest::keyClick(window->ListView2, Qt::Key_Delete);
        QCOMPARE(boxes.count(), 1);
        QCOMPARE(boxes.last().text, QStringLiteral("You are deleting 123-01, Continue?"));
        QCOMPARE(boxes.last().buttons, MsgButtons::YesNo);
        QCOMPARE(boxes.last().defaultButton, MsgAnswer::No);

        QCOMPARE(Listed(), (QStringList{" 123-1", "00123-02", "123-0'"}));
        Database& db = *SharedContext().DbConnection;
        QVERIFY(!db.Find("123", "01"));
        QVERIFY(db.Find("00123", "02") && db.Find(" 123", "1") && db.Find("123", "0'"));
        // The record and its image are kept for an administrator, the image byte for byte.
        QVERIFY(!QFile::exists(SharedContext().ImagePath("123_01.jpg")));
        const auto deleted = DeletedPrescriptions::Newest(db, "123", "01");
        QVERIFY(deleted && deleted->keptAs.startsWith("Deleted/123_01 "));
        QFile kept(FileSystem::Join(SharedContext().dataPath, deleted->keptAs));
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(QImage::fromData(kept.readAll()).size(), QSize(40, 30));
        // The audit trail names the search's criterion, the previews and the deletion.
        QStringList audit;
        const QList<AuditRow> rows = AuditTrail::Read(db.Connection(), QDate(), QDate(), QString());
        for (const AuditRow& r : rows)
            audit << r.action + " " + r.rxNbr + "-" + r.refNo + " " + r.detail;
        // On a server the role is the server's name for the connection.
        QCOMPARE(rows.constLast().role.isEmpty(), db.engine() == Engine::Sqlite);
        QCOMPARE(rows.constLast().account, AuditTrail::OsAccount());
        QCOMPARE(audit.mid(audit.lastIndexOf("search - Rx Number")),
                 (QStringList{"search - Rx Number", "preview 123-01 ", "preview 00123-02 ",
                              "preview 123-01 ", "delete 123-01 " + deleted->keptAs,
                              "preview 00123-02 "}));
        // A row is selected again and the preview shows it.
        const int now = Preview::SelectedRow(window->ListView2);
        QVERIFY(now >= 0);
        QVERIFY(ShowsRow(now));
        QCOMPARE(window->ListView1->topLevelItemCount(), 1);
        QCOMPARE(window->ListView1->topLevelItem(0), alsoToScan);
    }

    // No (the default button, as Enter answers), a failing delete and an empty list keep
    // every row; a failure says why.
    void deleteRefusedOrFailedKeepsRow() {
        ScriptedMessageBoxes boxes;
        view->deletion()->ListView2_KeyDown(Qt::Key_Delete);
        Search("Rx Number", "999");
        QTest::keyClick(window->ListView2, Qt::Key_Delete);
        QCOMPARE(boxes.count(), 0);

        Search("Rx Number", "123-1");
        QTest::keyClick(window->ListView2, Qt::Key_Delete);
        boxes.answer(MsgAnswer::No);
        QTest::keyClick(window->ListView2, Qt::Key_Delete);
        QCOMPARE(boxes.count(), 2);

        QSqlQuery readOnly(SharedContext().DbConnection->Connection());
        QVERIFY(readOnly.exec("PRAGMA query_only = 1"));
        boxes.answer(MsgAnswer::Yes);
        QTest::keyClick(window->ListView2, Qt::Key_Delete);
        QCOMPARE(boxes.count(), 4);
        QCOMPARE(boxes.last().icon, MsgIcon::Critical);
        QVERIFY2(boxes.last().text.contains("readonly"), qPrintable(boxes.last().text));
        QCOMPARE(Listed(), QStringList{"123-01"});
        QVERIFY(readOnly.exec("PRAGMA query_only = 0"));
        QVERIFY(SharedContext().DbConnection->Find("123", "01"));
    }
};

QTEST_MAIN(TestViewSearch)
#include "tst_viewsearch.moc"
