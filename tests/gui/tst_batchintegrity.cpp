// The scan window's intake and acquisitions together on the simulated scanner: every page
// under its own prescription, every prescription scanned or reported.
#include "common/AcquisitionRig.h"
#include "common/DataLines.h"
#include "records/SearchResultModel.h"

#include <QGroupBox>

using namespace quiller;
using quiller::test::Line;
using quiller::test::SharedContext;

namespace {
QByteArray Rx(const QByteArray& rx, const QByteArray& date = "20060307") {
    return Line(rx, "00", date, "Drug", "Ann", "Lee");
}
} // namespace

class BatchIntegrityTests : public QObject {
    Q_OBJECT

    std::unique_ptr<test::AcquisitionRig> rig;
    StationCore* intake = nullptr;

    void drop(const QString& name, const QByteArray& content) {
        test::WriteFile(rig->env.interchangeFolder() + "/" + name, content);
    }
    void ticks(int n) {
        for (int i = 0; i < n; ++i)
            intake->Tick();
    }
    QString rxImage(const QString& rx) { return rig->RxImage(rx, "00"); }

private slots:
    void init() {
        rig = std::make_unique<test::AcquisitionRig>();
        rig->scanner.script().manual = true;
        intake = rig->AttachIntake();
    }
    void cleanup() {
        rig.reset();
        QLocale::setDefault(QLocale::system());
    }

    // Files arriving during a batch, and while its report is open, change nothing of it
    // and are all scanned in the next batch; the unscanned one is reported.
    void filesDuringABatchAreAllScannedOrReported() {
        drop("AX1.QLV", Rx("1") + Rx("2"));
        ticks(2);
        QCOMPARE(rig->scanner.acquireCount(), 1);
        drop("AP2.QLV", Rx("3"));
        drop("AX3.QLV", Rx("4"));
        ticks(3); // busy: nothing taken
        QCOMPARE(rig->window->ListView1->topLevelItemCount(), 2);
        const QTreeWidgetItem* first = rig->window->ListView1->topLevelItem(0);
        QCOMPARE(QStringList({first->text(0), first->text(1), first->text(2), first->text(3)}),
                 QStringList({"1-00", "7 Mar 2006", QString("Drug").leftJustified(30), "Ann Lee"}));
        rig->scanner.DeliverPage();
        int inside = 0;
        rig->boxes.onShow([&](const MessageBoxRequest& box) {
            if (inside++ > 0)
                return;
            QVERIFY(box.text.contains("Not scanned: 2-00"));
            ticks(3); // the report is open: still busy
            QVERIFY(QFile::exists(rig->env.interchangeFolder() + "/AP2.QLV"));
            QVERIFY(QFile::exists(SharedContext().LockFilePath()));
            QCOMPARE(rig->scanner.acquireCount(), 1);
        });
        rig->scanner.FinishAcquisition();
        rig->WaitIdle();
        QCOMPARE(rig->boxes.count(), 1);
        QVERIFY(rig->window->Timer1->isActive());
        QVERIFY(!QFile::exists(SharedContext().LockFilePath()));
        ticks(2); // both waiting files go into one batch, with a frame covering P and X
        QCOMPARE(rig->core->BatchItems(), QStringList({"3-00", "4-00"}));
        QVERIFY(rig->scanner.log().contains("SetScanFrame(0,0,8,12)"));
        rig->scanner.DeliverPage();
        rig->scanner.DeliverPage();
        rig->scanner.FinishAcquisition();
        rig->WaitIdle();
        QCOMPARE(rig->boxes.count(), 1);
        QCOMPARE(QStringList({rxImage("1"), rxImage("2"), rxImage("3"), rxImage("4")}),
                 QStringList({"1_00.jpg", "", "3_00.jpg", "4_00.jpg"}));
        QCOMPARE(rig->Files(), QStringList({"1_00.jpg", "3_00.jpg", "4_00.jpg"})); // no stray page
    }

    // A refused line keeps its place; its page goes to Unmatched and is named. A file
    // none of whose lines could be recorded lists nothing and starts no batch.
    void refusedLinePageIsKeptApart() {
        drop("AX1.QLV", Rx("6301") + Rx("6302", "20241399") + Rx("6303"));
        ticks(2);
        QTRY_COMPARE(rig->boxes.count(), 1); // one plain report for the file, after the tick
        QVERIFY(rig->boxes.last().text.startsWith(
            "The data file AX1.QLV: 2 line(s) taken, 1 refused."));
        QTreeWidgetItem* refused = rig->window->ListView1->topLevelItem(1);
        QVERIFY(refused->text(3).contains("not recorded"));
        for (int i = 0; i < 3; ++i)
            rig->scanner.DeliverPage();
        QCOMPARE(rig->Files(), QStringList({"6301_00.jpg", "6303_00.jpg"}));
        QCOMPARE(rig->Files("/Unmatched").size(), 1);
        QVERIFY(rig->Files("/Unmatched").first().startsWith("6302-00 "));
        rig->scanner.FinishAcquisition();
        rig->WaitIdle();
        QCOMPARE(rig->boxes.count(), 2);
        QVERIFY(rig->boxes.last().text.contains("Unmatched/" + rig->Files("/Unmatched").first()));
        QCOMPARE(refused->checkState(0), Qt::Unchecked);
        QCOMPARE(QStringList({rxImage("6301"), rxImage("6302"), rxImage("6303")}),
                 QStringList({"6301_00.jpg", "<no row>", "6303_00.jpg"}));

        drop("AX2.QLV", Rx("7", "2024XX01") + Rx("8", "20241399"));
        ticks(2);
        QCOMPARE(rig->window->ListView1->topLevelItemCount(), 0);
        QCOMPARE(rig->scanner.acquireCount(), 1);
        QTRY_COMPARE(rig->boxes.count(), 3);
        QVERIFY(rig->boxes.last().text.contains("kept as AX2.QLV.err"));
        QVERIFY(!rig->controller->Busy());
    }

    // One prescription shows one date in both lists, in the locale's order with four
    // year digits.
    void bothListsShowOneDate_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("shown");
        QTest::newRow("English") << QStringLiteral("en_US") << "11/8/2006";
        QTest::newRow("German") << QStringLiteral("de_DE") << "08.11.2006";
    }
    void bothListsShowOneDate() {
        QFETCH(QString, locale);
        QFETCH(QString, shown);
        QLocale::setDefault(QLocale(locale));
        drop("AX1.QLV", Rx("7", "20061108"));
        ticks(2);
        QCOMPARE(rig->window->ListView1->topLevelItemCount(), 1);
        QCOMPARE(rig->window->ListView1->topLevelItem(0)->text(1), shown);
        SearchResultModel model;
        model.Start(NotScannedQuery(), SharedContext().DbConnection->Connection());
        QCOMPARE(model.rowCount(), 1);
        QCOMPARE(model.RowText(0), QStringLiteral("7-00"));
        QCOMPARE(model.data(model.index(0, 1)).toString(), shown);
    }

    // A viewing rescan with ten sheets in the feeder stores one page once, under the
    // selected row only; the image it replaces is kept byte for byte; the search row
    // shows the new image; the lock file is down afterwards.
    void viewingRescanStoresOnePage() {
        rig->boxes.answer(MsgAnswer::Yes);
        for (const char* rx : {"5", "6"})
            SharedContext().DbConnection->UpsertPrescription(
                Prescription{rx, "00", "03/07/2006", "Drug", "Ann", "Lee", ""});
        test::WriteFile(rig->Image("5_00.jpg"), "the old page");
        auto* model = new SearchResultModel(rig->window);
        rig->window->ListView2->setModel(model);
        model->Start(NotScannedQuery(), SharedContext().DbConnection->Connection());
        QCOMPARE(model->RowText(1), QStringLiteral("5-00")); // newest first
        rig->window->fraList->show();
        rig->window->ListView2->setCurrentIndex(model->index(1, 0));
        test::WriteFile(SharedContext().LockFilePath(), "Locked\r\n");
        rig->scanner.script().manual = false;
        rig->scanner.script().feederAvailable = true;
        rig->scanner.script().pagesPerAcquire = 10;
        rig->controller->Command1_Click();
        rig->WaitIdle();
        QCOMPARE(rig->boxes.shown().at(0).text, QStringLiteral("Rescan prescription 5-00?"));
        QCOMPARE(rig->boxes.shown().at(0).defaultButton, MsgAnswer::No);
        QCOMPARE(rig->Files(), QStringList({"5_00.jpg"}));
        QCOMPARE(QImage(rig->Image("5_00.jpg")).size(), rig->scanner.script().pageSize);
        const QStringList replaced = rig->Files("/Replaced");
        QCOMPARE(replaced.size(), 1);
        QVERIFY(QRegularExpression(R"(^5_00 \d{4}-\d\d-\d\d \d\d\.\d\d\.\d\d\.jpg$)")
                    .match(replaced.first())
                    .hasMatch());
        QCOMPARE(test::ReadFile(rig->Image("Replaced/") + replaced.first()), "the old page");
        QCOMPARE(rig->Files("/Unmatched").size(), 9);
        QVERIFY(rig->boxes.last().text.contains("9 extra page(s)"));
        QCOMPARE(model->RowTag(1), QStringLiteral("5_00.jpg"));
        QCOMPARE(model->RowTag(0), QString());
        QCOMPARE(rxImage("5"), QStringLiteral("5_00.jpg"));
        QCOMPARE(rxImage("6"), QString());
        QVERIFY(!QFile::exists(SharedContext().LockFilePath()));
    }

    // Exit or Restart in the middle of a batch asks; No lets the batch go on.
    void stopMidBatchAsks() {
        rig->scanner.script().feederAvailable = true;
        rig->scanner.script().documentLoadedDefault = 0; // waiting for paper
        drop("AX1.QLV", Rx("1") + Rx("2") + Rx("3"));
        ticks(2);
        QVERIFY(rig->controller->Busy());
        rig->boxes.answer(MsgAnswer::No);
        QVERIFY(!rig->window->MayStop());
        QCOMPARE(rig->boxes.last().text,
                 QStringLiteral("3 prescriptions are still being scanned. Stop and exit?"));
        QVERIFY(rig->controller->Busy());
        QVERIFY(QFile::exists(SharedContext().LockFilePath()));
    }

    // The window goes away (Exit) while a tick's report is open: the report was shown
    // after the tick returned, and nothing touches the window afterwards.
    void windowGoesAwayWhileTickReportIsOpen() {
        drop("AX1.QLV", Rx("9", "20241399"));
        ticks(2);
        QCOMPARE(rig->boxes.count(), 0); // not inside the tick
        rig->boxes.onShow([&](const MessageBoxRequest&) { delete rig->window.data(); });
        QTRY_COMPARE(rig->boxes.count(), 1);
        QVERIFY(!rig->window);
        QCoreApplication::processEvents();
    }
};

QTEST_MAIN(BatchIntegrityTests)
#include "tst_batchintegrity.moc"
