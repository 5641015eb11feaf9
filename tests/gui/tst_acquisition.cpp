// Acquisitions on the simulated scanner: what is filed where, what is reported.
#include "common/AcquisitionRig.h"
#include "gui/common/PictureBox.h"

#include <QImageReader>
#include <QSqlQuery>

using namespace quiller;
using quiller::test::SharedContext;

class AcquisitionTests : public QObject {
    Q_OBJECT

    std::unique_ptr<test::AcquisitionRig> rig;
    test::StatusLine status;

    // Entries 1-00 to n-00.
    void addEntries(int n) {
        for (int i = 1; i <= n; ++i)
            rig->AddEntry(QString::number(i), "00");
    }
    // A batch over the list, the scanner giving `pages` pages, run to its end.
    void runBatch(int pages) {
        rig->scanner.script().pagesPerAcquire = pages;
        rig->core->AcquireBatch();
        rig->WaitIdle();
    }
    QTreeWidgetItem* entry(int i) { return rig->window->ListView1->topLevelItem(i); }

private slots:
    void init() { rig = std::make_unique<test::AcquisitionRig>(&status); }
    void cleanup() { rig.reset(); }

    void lateImagesFollowTheirOwnBatch() {
        addEntries(2);
        rig->scanner.script().manual = true;
        rig->core->AcquireBatch();
        rig->scanner.DeliverPage();
        // A polling tick takes a new data file meanwhile.
        rig->core->Entries().Clear();
        rig->AddEntry("9", "00");
        rig->core->AcquireBatch(); // queued behind the running one
        QVERIFY(rig->core->BatchQueued());
        rig->scanner.DeliverPage();
        QCOMPARE(rig->RxImage("2", "00"), QStringLiteral("2_00.jpg"));
        QCOMPARE(rig->RxImage("9", "00"), QString());
        QCOMPARE(entry(0)->checkState(0), Qt::Unchecked); // 9-00 is not 2-00
        QCOMPARE(entry(0)->data(0, Qt::UserRole).toString(), QStringLiteral("X"));
        rig->scanner.FinishAcquisition();
        // The queued batch starts for the new list once the first has ended.
        QTRY_COMPARE(rig->scanner.acquireCount(), 2);
        QCOMPARE(rig->core->BatchItems(), QStringList({"9-00"}));
        rig->scanner.DeliverPage();
        rig->scanner.FinishAcquisition();
        QCOMPARE(rig->RxImage("9", "00"), QStringLiteral("9_00.jpg"));
        QCOMPARE(rig->boxes.count(), 0);
    }

    // A batch ticks each entry with its page; the operator then rescans a ticked one.
    void scanButtonStoresForTheConfirmedEntry() {
        addEntries(3);
        test::WriteFile(SharedContext().LockFilePath(), "Locked\r\n");
        runBatch(3);
        QCOMPARE(entry(1)->checkState(0), Qt::Checked);
        QCOMPARE(entry(1)->data(0, Qt::UserRole).toString(), QStringLiteral("2_00.jpg"));
        QVERIFY(!QFile::exists(SharedContext().LockFilePath()) && rig->window->Timer1->isActive());
        QCOMPARE(status.StatusText(), QStringLiteral("Idle"));
        // The operator rescans the second entry from the to-be-scanned list.
        SharedContext().DbConnection->SetRxImage("2", "00", "");
        QFile::remove(rig->Image("2_00.jpg"));
        rig->window->ListView1->setCurrentItem(entry(1));
        rig->boxes.answer(MsgAnswer::Yes);
        rig->scanner.script().pagesPerAcquire = 1;
        rig->controller->Command1_Click();
        rig->WaitIdle();
        QCOMPARE(rig->RxImage("2", "00"), QStringLiteral("2_00.jpg"));
        QVERIFY(QFile::exists(rig->Image("2_00.jpg")));
        QCOMPARE(rig->RxImage("1", "00"), QStringLiteral("1_00.jpg"));
        QCOMPARE(rig->core->BatchItems(), QStringList({"1-00", "2-00", "3-00"}));
    }

    void scanButtonMessages() {
        rig->controller->Command1_Click();
        QCOMPARE(rig->boxes.last().text, QStringLiteral("No prescription is in the list."));

        rig->AddEntry("1", "00");
        rig->window->ListView1->clearSelection();
        rig->window->ListView1->setCurrentItem(nullptr);
        rig->controller->Command1_Click();
        QCOMPARE(rig->boxes.last().text,
                 QStringLiteral("Select a prescription from the list to scan."));

        rig->window->ListView1->setCurrentItem(entry(0));
        rig->boxes.clear();
        rig->boxes.answer(MsgAnswer::No);
        rig->controller->Command1_Click();
        QCOMPARE(rig->boxes.texts(), QStringList({"Rescan prescription 1-00?",
                                                  "Select a prescription from the list to scan."}));
        QCOMPARE(rig->boxes.shown().at(0).buttons, MsgButtons::YesNo);
        QCOMPARE(rig->scanner.acquireCount(), 0);

        // A second acquisition is refused while one is pending.
        rig->scanner.script().manual = true;
        rig->core->AcquireBatch();
        rig->boxes.clear();
        rig->controller->Command1_Click();
        QCOMPARE(rig->boxes.count(), 1);
        QVERIFY(rig->boxes.last().text.contains("in progress"));
        QCOMPARE(rig->scanner.acquireCount(), 1);
        rig->scanner.FinishAcquisition();
    }

    void frameCoversEveryMark_data() {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::addColumn<QString>("frame");
        for (const auto& [first, last, frame] :
             {std::tuple("X", "P", "0,0,8,12"), {"P", "X", "0,0,8,12"}, {"X", "p", "1,0,7,6"}})
            QTest::addRow("%s then %s", first, last)
                << QString(first) << QString(last) << QString("SetScanFrame(%1)").arg(frame);
    }
    void frameCoversEveryMark() {
        QFETCH(QString, first);
        QFETCH(QString, last);
        QFETCH(QString, frame);
        rig->AddEntry("1", "00", first);
        rig->AddEntry("2", "00", last);
        rig->scanner.script().manual = true;
        rig->core->AcquireBatch();
        // The frame is set before the pages are asked for.
        const QStringList log = rig->scanner.log();
        QVERIFY2(log.contains(frame) && log.indexOf(frame) < log.indexOf("Acquire"),
                 qPrintable(log.join(' ')));
        rig->scanner.FinishAcquisition();
    }

    void feederWaitPollsOnATimer() {
        rig->AddEntry("1", "00");
        rig->scanner.script().feederAvailable = true;
        rig->scanner.script().documentLoadedAnswers = {0, 0, 0};
        int ticks = 0;
        QTimer other;
        connect(&other, &QTimer::timeout, [&] { ++ticks; });
        other.start(10);
        rig->core->AcquireBatch();
        QCOMPARE(status.StatusText(), QStringLiteral("No document loaded, waiting ..."));
        QCOMPARE(rig->scanner.acquireCount(), 0);
        QVERIFY(rig->controller->Busy());
        QTRY_COMPARE_WITH_TIMEOUT(rig->scanner.acquireCount(), 1, 5000);
        QCOMPARE(rig->scanner.documentLoadedCount(), 4);
        QVERIFY(ticks > 0); // the event loop ran during the wait
        QVERIFY(rig->scanner.log().contains("FeedSettingA=1"));
        QVERIFY(rig->scanner.log().contains("FeedSettingB=1"));
        rig->WaitIdle();
        QCOMPARE(rig->scanner.acquireCount(), 1);
    }

    void rotationTurnsThePreviewedPageAndRewritesItsFile() {
        addEntries(3);
        rig->scanner.script().pageSize = QSize(100, 160);
        runBatch(3);
        const QString third = rig->Image("3_00.jpg");
        QCOMPARE(QImageReader(third).size(), QSize(100, 160));
        rig->controller->Command2_Click();
        QCOMPARE(QImageReader(third).size(), QSize(160, 100));
        QCOMPARE(rig->window->Image1->Picture().size(), QSize(160, 100));
        QCOMPARE(QImageReader(rig->Image("1_00.jpg")).size(), QSize(100, 160));

        // The preview moves to the first entry's file (a list click loads it): that page
        // turns, not the third.
        rig->window->Image1->LoadFile(rig->Image("1_00.jpg"));
        QVERIFY(rig->controller->PreviewIsBufferImage());
        QVERIFY(rig->window->Command2->isEnabled());
        rig->controller->Command2_Click();
        QCOMPARE(QImageReader(rig->Image("1_00.jpg")).size(), QSize(160, 100));
        QCOMPARE(QImageReader(third).size(), QSize(160, 100));

        // A file the buffer did not write cannot be turned: Rotate goes off as soon as
        // the preview shows it, and a press does nothing.
        QVERIFY(QFile::copy(rig->Image("2_00.jpg"), rig->Image("9_99.jpg")));
        rig->window->Image1->LoadFile(rig->Image("9_99.jpg"));
        QVERIFY(!rig->controller->PreviewIsBufferImage());
        QVERIFY(!rig->window->Command2->isEnabled());
        rig->controller->Command2_Click();
        QCOMPARE(QImageReader(rig->Image("9_99.jpg")).size(), QSize(100, 160));
        rig->window->Image1->Clear();
        QVERIFY(!rig->window->Command2->isEnabled());
        // After the buffer was emptied Rotate does nothing.
        while (rig->scanner.ImageCount() > 0)
            rig->scanner.DeleteImage(0);
        rig->controller->PreviewShowsFile("1_00.jpg");
        rig->controller->Command2_Click();
        QCOMPARE(QImageReader(rig->Image("1_00.jpg")).size(), QSize(160, 100));
        QCOMPARE(rig->boxes.count(), 0);
    }

    void hostileNamesNeverLeaveTheImageFolder() {
        rig->AddEntry("..", "/x");
        rig->AddEntry("7", "00");
        runBatch(2);
        QCOMPARE(rig->Files(), QStringList({"7_00.jpg"}));
        QCOMPARE(QDir(rig->env.home()).entryList({"*.jpg"}), QStringList());
        QCOMPARE(rig->RxImage("7", "00"), QStringLiteral("7_00.jpg"));
        QCOMPARE(rig->boxes.count(), 1);
        QVERIFY(
            rig->boxes.last().text.contains("..-/x: its image name would leave the image folder "
                                            "(its page is kept as Unmatched/"));
        QCOMPARE(rig->Files("/Unmatched").size(), 1);
    }

    void failedSaveLeavesNoRowPointingAtAMissingFile() {
        addEntries(2);
        SharedContext().dataPath = rig->env.home() + "/gone"; // the image folder disappeared
        runBatch(2);
        QCOMPARE(rig->RxImage("1", "00"), QString());
        QCOMPARE(rig->RxImage("2", "00"), QString());
        // No page is scanned that could not be kept on disk until it is filed.
        QCOMPARE(rig->scanner.acquireCount(), 0);
        QCOMPARE(rig->boxes.count(), 1);
        QVERIFY(rig->boxes.last().text.startsWith("Nothing was scanned"));
        QVERIFY(rig->boxes.last().text.contains("0 of 2 prescriptions scanned and stored."));
        QVERIFY(!QFileInfo::exists(rig->env.home() + "/gone")); // nothing made outside
        QVERIFY(!rig->window->Command2->isEnabled());
        QCOMPARE(status.StatusText(), QStringLiteral("Idle"));
    }

    void failingStatementIsReportedAndTheNextPageHandled() {
        addEntries(2);
        rig->scanner.script().pagesPerAcquire = 2;
        rig->scanner.script().manual = true;
        rig->core->AcquireBatch();
        QSqlQuery(SharedContext().DbConnection->Connection()).exec("DROP TABLE RxImages");
        rig->scanner.DeliverPage();
        rig->scanner.DeliverPage();
        QCOMPARE(rig->boxes.count(), 0); // nothing shown inside the scanner's handler
        // No page stands under a name no row holds: both are kept in Unmatched.
        QCOMPARE(rig->Files(), QStringList());
        QCOMPARE(rig->Files("/Unmatched").size(), 2);
        rig->scanner.FinishAcquisition();
        rig->WaitIdle();
        QCOMPARE(rig->boxes.count(), 1);
        QVERIFY(rig->boxes.last().text.contains("2-00: its row could not be updated"));
    }
};

QTEST_MAIN(AcquisitionTests)
#include "tst_acquisition.moc"
