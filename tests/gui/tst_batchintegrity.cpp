// The scan window's intake and acquisitions together on the simulated scanner: every page
// under its own prescription, every prescription scanned or reported.
#include "common/ScriptedMessageBoxes.h"
#include "common/TestEnv.h"
#include "common/ViewFixture.h"
#include "gui/scan/AcquisitionController.h"
#include "gui/scan/ScanIntake.h"
#include "gui/scan/frmScan.h"
#include "records/Database.h"
#include "records/SearchResultModel.h"
#include "reliability/DataLines.h"
#include "scanner/SimulatedScanner.h"
#include "station/StationContext.h"

#include <QGroupBox>
#include <QSqlQuery>
#include <QTreeView>
#include <QTreeWidget>
#include <QtTest>

using namespace quiller;
using quiller::test::Line;
using quiller::test::ScriptedMessageBoxes;
using quiller::test::SharedContext;

namespace {
QByteArray Rx(const QByteArray& rx, const QByteArray& date = "20060307") {
    return Line(rx, "00", date, "Drug", "Ann", "Lee");
}
QByteArray Bytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

class BatchIntegrityTests : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TestEnv> env;
    QPointer<frmScan> window;
    std::unique_ptr<SimulatedScanner> scanner;
    AcquisitionController* controller = nullptr;
    ScanIntake* intake = nullptr;
    int currentIndex = 0;

    QString images() const { return env->imageFolder(); }
    void drop(const QString& name, const QByteArray& content) {
        test::WriteFile(env->interchangeFolder() + "/" + name, content);
    }
    void ticks(int n) {
        for (int i = 0; i < n; ++i)
            intake->Tick();
    }
    QString rxImage(const QString& rx) {
        auto row = SharedContext().DbConnection->Find(rx, "00");
        return row ? row->RxImage : QStringLiteral("<no row>");
    }
    QStringList files(const QString& sub = QString()) const {
        return QDir(images() + sub).entryList({"*.jpg"}, QDir::Files);
    }
    // Every JPEG in the image folder is the image of a row.
    void noOrphans() {
        for (const QString& f : files()) {
            QSqlQuery q(SharedContext().DbConnection->Connection());
            q.prepare("SELECT COUNT(*) FROM RxImages WHERE RxImage = ?");
            q.addBindValue(f);
            QVERIFY(q.exec() && q.next());
            QVERIFY2(q.value(0).toInt() > 0, qPrintable(f));
        }
    }
    void waitIdle() { QTRY_VERIFY_WITH_TIMEOUT(!controller->Busy(), 5000); }

private slots:
    void init() {
        env = std::make_unique<test::TestEnv>();
        StationContext& app = SharedContext();
        app.dataPath = env->imageFolder();
        app.filePath = env->interchangeFolder();
        app.ScannerID = "A";
        Database::EnsureFile(app.dataPath, QString());
        app.DbConnection = std::make_unique<Database>();
        app.DbConnection->Open(app.dataPath);
        window = new frmScan(app);
        scanner = std::make_unique<SimulatedScanner>();
        scanner->StartDevice();
        scanner->script().manual = true;
        AcquisitionController::ScannerAccess access;
        access.scanner = [this] {
            return scanner.get();
        };
        access.currentImageIndex = [this]() -> int& {
            return currentIndex;
        };
        access.clearImageBuffer = [this] {
            while (scanner->ImageCount() > 0)
                scanner->DeleteImage(0);
        };
        access.imageText = [](int index, bool) {
            return QString::number(index);
        };
        controller = new AcquisitionController(window, access, window);
        connect(scanner.get(), &ScannerControl::PostScan, controller,
                &AcquisitionController::Scanner1_PostScan);
        window->behaviours().mayStop = [c = controller] {
            return c->ConfirmStop();
        };
        intake = new ScanIntake(
            *window, [c = controller] { c->AcquireBatch(); },
            [c = controller] { return c->Busy(); });
    }
    void cleanup() {
        delete window.data();
        scanner.reset();
        SharedContext().DbConnection.reset();
        env.reset();
    }

    // Files arriving during a batch, and while its report is open, change nothing of it
    // and are all scanned in the next batch; the unscanned one is reported.
    void filesDuringABatchAreAllScannedOrReported() {
        ScriptedMessageBoxes boxes;
        drop("AX1.QLV", Rx("1") + Rx("2"));
        ticks(2);
        QCOMPARE(scanner->acquireCount(), 1);
        drop("AP2.QLV", Rx("3"));
        drop("AX3.QLV", Rx("4"));
        ticks(3); // busy: nothing taken
        QCOMPARE(window->ListView1->topLevelItemCount(), 2);
        scanner->DeliverPage();
        int inside = 0;
        boxes.onShow([&](const MessageBoxRequest& box) {
            if (inside++ > 0)
                return;
            QVERIFY(box.text.contains("Not scanned: 2-00"));
            ticks(3); // the report is open: still busy
            QVERIFY(QFile::exists(env->interchangeFolder() + "/AP2.QLV"));
            QVERIFY(QFile::exists(SharedContext().LockFilePath()));
            QCOMPARE(scanner->acquireCount(), 1);
        });
        scanner->FinishAcquisition();
        waitIdle();
        QCOMPARE(boxes.count(), 1);
        QVERIFY(window->Timer1->isActive());
        QVERIFY(!QFile::exists(SharedContext().LockFilePath()));
        ticks(2); // both waiting files go into one batch, with a frame covering P and X
        QCOMPARE(controller->BatchItems(), QStringList({"3-00", "4-00"}));
        QVERIFY(scanner->log().contains("SetScanFrame(0,0,8,12)"));
        scanner->DeliverPage();
        scanner->DeliverPage();
        scanner->FinishAcquisition();
        waitIdle();
        QCOMPARE(boxes.count(), 1);
        QCOMPARE(QStringList({rxImage("1"), rxImage("2"), rxImage("3"), rxImage("4")}),
                 QStringList({"1_00.jpg", "", "3_00.jpg", "4_00.jpg"}));
        noOrphans();
    }

    // A refused line keeps its place; its page goes to Unmatched and is named. A file
    // none of whose lines could be recorded lists nothing and starts no batch.
    void refusedLinePageIsKeptApart() {
        ScriptedMessageBoxes boxes;
        drop("AX1.QLV", Rx("6301") + Rx("6302", "20241399") + Rx("6303"));
        ticks(2);
        QTRY_COMPARE(boxes.count(), 1); // one plain report for the file, after the tick
        QVERIFY(boxes.last().text.startsWith("The data file AX1.QLV: 2 line(s) taken, 1 refused."));
        QTreeWidgetItem* refused = window->ListView1->topLevelItem(1);
        QVERIFY(refused->text(3).contains("not recorded"));
        for (int i = 0; i < 3; ++i)
            scanner->DeliverPage();
        QCOMPARE(files(), QStringList({"6301_00.jpg", "6303_00.jpg"}));
        QCOMPARE(files("/Unmatched").size(), 1);
        QVERIFY(files("/Unmatched").first().startsWith("6302-00 "));
        scanner->FinishAcquisition();
        waitIdle();
        QCOMPARE(boxes.count(), 2);
        QVERIFY(boxes.last().text.contains("Unmatched/" + files("/Unmatched").first()));
        QCOMPARE(refused->checkState(0), Qt::Unchecked);
        noOrphans();

        drop("AX2.QLV", Rx("7", "2024XX01") + Rx("8", "20241399"));
        ticks(2);
        QCOMPARE(window->ListView1->topLevelItemCount(), 0);
        QCOMPARE(scanner->acquireCount(), 1);
        QTRY_COMPARE(boxes.count(), 3);
        QVERIFY(boxes.last().text.contains("kept as AX2.QLV.err"));
        QVERIFY(!controller->Busy());
    }

    // A viewing rescan with ten sheets in the feeder stores one page once; the image it
    // replaces is kept byte for byte; the search row shows the new image.
    void viewingRescanStoresOnePage() {
        ScriptedMessageBoxes boxes;
        boxes.answer(MsgAnswer::Yes);
        SharedContext().DbConnection->UpsertPrescription(
            Prescription{"5", "00", "03/07/2006", "Drug", "Ann", "Lee", ""});
        test::WriteFile(images() + "/5_00.jpg", "the old page");
        auto* model = new SearchResultModel(window);
        window->ListView2->setModel(model);
        model->Start(NotScannedQuery(), SharedContext().DbConnection->Connection());
        QCOMPARE(model->rowCount(), 1);
        window->fraList->show();
        window->ListView2->setCurrentIndex(model->index(0, 0));
        scanner->script().manual = false;
        scanner->script().feederAvailable = true;
        scanner->script().pagesPerAcquire = 10;
        controller->Command1_Click();
        waitIdle();
        QCOMPARE(files(), QStringList({"5_00.jpg"}));
        QCOMPARE(QImage(images() + "/5_00.jpg").size(), scanner->script().pageSize);
        const QStringList replaced = files("/Replaced");
        QCOMPARE(replaced.size(), 1);
        QVERIFY(QRegularExpression(R"(^5_00 \d{4}-\d\d-\d\d \d\d\.\d\d\.\d\d\.jpg$)")
                    .match(replaced.first())
                    .hasMatch());
        QCOMPARE(Bytes(images() + "/Replaced/" + replaced.first()), QByteArray("the old page"));
        QCOMPARE(files("/Unmatched").size(), 9);
        QVERIFY(boxes.last().text.contains("9 extra page(s)"));
        QCOMPARE(model->RowTag(0), QStringLiteral("5_00.jpg"));
        QCOMPARE(rxImage("5"), QStringLiteral("5_00.jpg"));
    }

    // Exit or Restart in the middle of a batch asks; going on reports the rest.
    void stopMidBatchAsks() {
        ScriptedMessageBoxes boxes;
        scanner->script().feederAvailable = true;
        scanner->script().documentLoadedDefault = 0; // waiting for paper
        drop("AX1.QLV", Rx("1") + Rx("2") + Rx("3"));
        ticks(2);
        QVERIFY(controller->Busy());
        boxes.answer(MsgAnswer::No);
        QVERIFY(!window->MayStop());
        QCOMPARE(boxes.last().text,
                 QStringLiteral("3 prescriptions are still being scanned. Stop and exit?"));
        QVERIFY(controller->Busy());
        boxes.answer(MsgAnswer::Yes);
        QVERIFY(window->MayStop());
        QCOMPARE(boxes.count(), 3);
        QVERIFY(boxes.last().text.contains("Stopped before their page came: 1-00, 2-00, 3-00"));
        QVERIFY(!controller->Busy());
    }

    // The window goes away (Exit) while a tick's report is open: the report was shown
    // after the tick returned, and nothing touches the window afterwards.
    void windowGoesAwayWhileTickReportIsOpen() {
        ScriptedMessageBoxes boxes;
        drop("AX1.QLV", Rx("9", "20241399"));
        ticks(2);
        QCOMPARE(boxes.count(), 0); // not inside the tick
        boxes.onShow([&](const MessageBoxRequest&) { delete window.data(); });
        QTRY_COMPARE(boxes.count(), 1);
        QVERIFY(!window);
        QCoreApplication::processEvents();
    }

    // "Not scanned" lists exactly the rows without an image, newest first, from its
    // partial index.
    void notScannedSearch() {
        Database& db = *SharedContext().DbConnection;
        for (const char* rx : {"1", "2", "3", "4"})
            db.UpsertPrescription(Prescription{rx, "00", "03/07/2006", "D", "A", "L", ""});
        db.SetRxImage("2", "00", "2_00.jpg");
        SearchResultModel model;
        model.SetPageSize(1); // pages continue newest first too
        model.Start(NotScannedQuery(), db.Connection());
        while (model.canFetchMore({}))
            model.fetchMore({});
        QStringList rows;
        for (int i = 0; i < model.rowCount(); ++i)
            rows << model.RowText(i);
        QCOMPARE(rows, QStringList({"4-00", "3-00", "1-00"}));
        QSqlQuery plan(db.Connection());
        QVERIFY(plan.exec("EXPLAIN QUERY PLAN " +
                          QString(FirstPageStatement(NotScannedQuery())).replace(":n", "20")));
        QVERIFY(plan.next());
        QVERIFY2(plan.value(3).toString().contains("RxImages_NotScanned"),
                 qPrintable(plan.value(3).toString()));
    }
};

QTEST_MAIN(BatchIntegrityTests)
#include "tst_batchintegrity.moc"
