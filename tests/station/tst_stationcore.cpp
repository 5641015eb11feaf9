// The station core without windows: what every command does in every phase of a batch
// (lock file, polling, busy, the rest, the files), a run that ends without warning and is
// finished at the next start, and a feeder without a paper sensor loaded late.
#include "common/CoreRig.h"
#include "station/EarlierBatches.h"
#include "station/StagingRecovery.h"
#include "station/verify/LabelPattern.h"

using namespace quiller;
using quiller::test::Rig;

class TstStationCore : public QObject {
    Q_OBJECT
private slots:
    // Stop (Exit, Restart) and the mode switch in each phase of a batch.
    void commandsInEveryPhase_data() {
        QTest::addColumn<QString>("mode"); // label reading
        QTest::addColumn<QString>("phase");
        QTest::addColumn<int>("delivered");   // pages the scanner delivered
        QTest::addColumn<int>("stored");      // pages stored once the batch was stopped
        QTest::addColumn<int>("outstanding"); // what the stop question counts
        QTest::newRow("waiting for paper") << QStringLiteral("off") << "waiting" << 0 << 0 << 3;
        QTest::newRow("feeding") << QStringLiteral("off") << "feeding" << 1 << 1 << 2;
        // Every sheet is in, filed by position only when the batch ends: the late Restart.
        QTest::newRow("pages pending") << QStringLiteral("check") << "pending" << 3 << 3 << 3;
        QTest::newRow("queued batch") << QStringLiteral("off") << "queued" << 1 << 1 << 3;
    }
    void commandsInEveryPhase() {
        QFETCH(QString, mode);
        QFETCH(QString, phase);
        QFETCH(int, delivered);
        QFETCH(int, stored);
        QFETCH(int, outstanding);
        Rig rig(mode);
        QVERIFY(rig.core->Polling());
        QVERIFY(!rig.Lock());
        rig.scanner.script().documentLoadedDefault = phase == "waiting" ? 0 : 1;
        rig.Batch(3);
        QVERIFY(rig.core->Busy());
        QCOMPARE(rig.core->WaitingForPaper(), phase == "waiting");
        if (phase != "waiting")
            QTRY_VERIFY(rig.scanner.IsAcquiring());
        for (int k = 0; k < delivered; ++k)
            rig.scanner.DeliverPage();
        if (phase == "queued") {
            rig.core->Entries().Clear();
            rig.core->Entries().Append("1-00", "", "", "", "X");
            rig.core->AcquireBatch();
            QVERIFY(rig.core->BatchQueued());
        }
        // The polling tick is off and the pharmacy system sees the lock file.
        QVERIFY(!rig.core->Polling());
        rig.core->SetViewing(true);
        rig.core->SetViewing(false);
        QVERIFY(rig.core->Busy());
        QVERIFY(!rig.core->Polling());
        QCOMPARE(rig.core->Outstanding(), outstanding);

        const QString report = rig.core->Stop();
        QVERIFY(!rig.core->Busy() && !rig.Lock() && rig.core->Polling());
        QCOMPARE(rig.Files().size(), stored);
        rig.CheckNothingLost(delivered);
        QCOMPARE(rig.core->RestAvailable(), stored < 3);
        if (stored < 3)
            QVERIFY2(report.contains("Stopped"), qPrintable(report));
        // A page the stopped scanner still delivers is kept, never lost.
        rig.scanner.DeliverPage();
        QCOMPARE(rig.Files("/Unmatched").size() + rig.Files().size(), delivered + 1);
    }

    // The report of a batch is open: busy and locked until it is closed; a Restart then
    // leaves the station idle and the lock file down.
    void reportOpenKeepsTheStationBusyUntilClosed() {
        Rig rig;
        bool checked = false;
        rig.boxes.onShow([&](const MessageBoxRequest&) {
            checked = rig.core->Busy() && rig.Lock() && !rig.core->Polling() &&
                      rig.core->Outstanding() == 0;
        });
        rig.Batch(2);
        QTRY_VERIFY(rig.scanner.IsAcquiring());
        rig.scanner.DeliverPage();
        rig.scanner.FinishAcquisition();
        QTRY_COMPARE(rig.boxes.count(), 1); // "1 of 2 ... Not scanned: 2-00"
        QVERIFY(checked);
        QTRY_VERIFY(!rig.core->Busy());
        QVERIFY(!rig.Lock());
        QVERIFY(rig.core->RestAvailable());
    }

    // An acquisition the scanner refuses to start ends the batch with its reason: the
    // station does not stay busy waiting for an end that never comes.
    void refusedAcquisitionEndsTheBatch() {
        Rig rig;
        rig.scanner.script().refuseAcquire = true;
        rig.Batch(2);
        QTRY_COMPARE(rig.boxes.count(), 1);
        QVERIFY2(rig.boxes.last().text.contains("warming up"), qPrintable(rig.boxes.last().text));
        QTRY_VERIFY(!rig.core->Busy());
        QVERIFY(!rig.Lock());
        QVERIFY(rig.core->RestAvailable());
    }

    // The rest outlives the program: a new start offers it again and scans only what
    // still has no image.
    void restSurvivesANewStart() {
        Rig rig;
        rig.Batch(3);
        QTRY_VERIFY(rig.scanner.IsAcquiring());
        rig.scanner.DeliverPage();
        rig.core->Stop();
        rig.core.reset();
        rig.Start();
        QVERIFY(rig.core->RestAvailable());
        QVERIFY(rig.core->ScanRest());
        QCOMPARE(rig.core->BatchItems(), QStringList({"2-00", "3-00"}));
        QTRY_VERIFY(rig.scanner.IsAcquiring());
        rig.scanner.DeliverPage();
        rig.scanner.DeliverPage();
        rig.scanner.FinishAcquisition();
        QTRY_VERIFY(!rig.core->Busy());
        QCOMPARE(rig.Image(2), "2_00.jpg");
        QCOMPARE(rig.Image(3), "3_00.jpg");
    }

    // The station ends without warning (a crash, a power cut) with pages delivered; the
    // next start files what is decided and keeps the rest.
    void endedRunIsFinishedAtTheNextStart_data() {
        QTest::addColumn<bool>("scannerDone");
        QTest::addColumn<int>("filed");
        QTest::newRow("batch running: kept") << false << 0;
        QTest::newRow("scanner done: by position") << true << 3;
    }
    void endedRunIsFinishedAtTheNextStart() {
        QFETCH(bool, scannerDone);
        QFETCH(int, filed);
        Rig rig("check");
        rig.Batch(3);
        QTRY_VERIFY(rig.scanner.IsAcquiring());
        // Unlabelled pages wait for the batch's end to be filed by position.
        for (int k = 0; k < 3; ++k)
            rig.scanner.DeliverPage();
        QTRY_COMPARE(rig.Staged().size(), 3);
        const QString folder = PageStaging::FolderFor(rig.ctx.dataPath, "A");
        const QString journal = folder + "/" + rig.core->Staging()->JournalName();
        rig.core.reset(); // the run ends here, nothing finished
        if (scannerDone) {
            // The journal shows that the scanner had finished the batch.
            const QByteArray lines = test::ReadFile(journal);
            const QByteArray batch = lines.mid(lines.indexOf("\"b\":\"") + 5).split('"').first();
            test::WriteFile(journal, lines + "{\"e\":\"end\",\"b\":\"" + batch + "\"}\n");
        }
        QCOMPARE(rig.Files().size(), 0);

        rig.Start();
        const RecoveryResult r = RecoverStaging(rig.ctx, *rig.core->Staging(), LabelPattern());
        QCOMPARE(r.filed, filed);
        QCOMPARE(r.kept.size(), 3 - filed);
        for (const QString& k : r.kept)
            QVERIFY2(k.contains("the station stopped before this page was filed"), qPrintable(k));
        QVERIFY(!r.Report().isEmpty());
        rig.CheckNothingLost(3);
        // Nothing is done twice.
        QVERIFY(RecoverStaging(rig.ctx, *rig.core->Staging(), LabelPattern()).Empty());
    }

    // A page that took its name before its row was written gets its row at the next start.
    void imageWithoutItsRowIsReconciled() {
        Rig rig;
        rig.ctx.DbConnection->UpsertPrescription(
            Prescription{"10194", "00", "03/07/2006", "Drug", "Ann", "Lee", ""});
        PageStaging* staging = rig.core->Staging();
        ScanTarget t;
        t.entryText = "10194-00";
        t.rxNbr = "10194";
        t.refNo = "00";
        const QString batch =
            staging->BeginBatch(Acquisition(Acquisition::Kind::Batch, {t}), "off");
        const StagedPage page = staging->Stage(batch, 0, QByteArray("not a real jpeg"), 200);
        staging->Filing(batch, 0, t, "10194_00.jpg");
        QVERIFY(QFile::rename(page.path, rig.env.imageFolder() + "/10194_00.jpg"));
        rig.core.reset();
        rig.Start();
        const RecoveryResult r = RecoverStaging(rig.ctx, *rig.core->Staging(), LabelPattern());
        QCOMPARE(r.reconciled, 1);
        QCOMPARE(rig.Image(10194), "10194_00.jpg");
        // A page file no journal line names is kept too.
        QVERIFY(QDir().mkpath(PageStaging::FolderFor(rig.ctx.dataPath, "B")));
        test::WriteFile(PageStaging::FolderFor(rig.ctx.dataPath, "B") + "/x.jpg", "other");
        rig.core.reset();
        QDir().mkpath(PageStaging::FolderFor(rig.ctx.dataPath, "A"));
        test::WriteFile(PageStaging::FolderFor(rig.ctx.dataPath, "A") + "/stray.jpg", "page");
        rig.Start();
        const RecoveryResult s = RecoverStaging(rig.ctx, *rig.core->Staging(), LabelPattern());
        QCOMPARE(s.kept.size(), 1);
        // Another station's staging is never touched.
        QVERIFY(QFile::exists(PageStaging::FolderFor(rig.ctx.dataPath, "B") + "/x.jpg"));
    }

    // A configured scanner that is not there (a position out of range) scans nothing and
    // the batch says so.
    void noChosenScannerScansNothing() {
        Rig rig;
        rig.scanner.SetSourceIndex(-7);
        rig.Batch(2);
        QTRY_COMPARE(rig.boxes.count(), 1);
        QVERIFY2(rig.boxes.last().text.contains("No scanner is available"),
                 qPrintable(rig.boxes.last().text));
        QCOMPARE(rig.scanner.acquireCount(), 0);
        QTRY_VERIFY(!rig.core->Busy());
        QVERIFY(!rig.Lock());
    }

    // Which earlier prescription a label names: its own Rx number and refill, within the
    // days kept, recorded ones only; a label without refill only when one alone fits.
    void earlierBatchesNameTheirPrescriptions_data() {
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("daysLater");
        QTest::addColumn<QString>("named");
        QTest::newRow("same numbers") << "007014-0" << 1 << "7014-00";
        QTest::newRow("other refill") << "7014-02" << 1 << "";
        QTest::newRow("no refill, one fits") << "7015" << 1 << "7015-00";
        QTest::newRow("no refill, two fit") << "7014" << 1 << "";
        QTest::newRow("older than kept") << "7014-00" << 15 << "";
        QTest::newRow("not recorded") << "7016-00" << 1 << "";
        QTest::newRow("the rest list") << "7017-00" << 30 << "7017-00";
    }
    void earlierBatchesNameTheirPrescriptions() {
        QFETCH(QString, label);
        QFETCH(int, daysLater);
        QFETCH(QString, named);
        auto target = [](const QString& entry, const QString& refusal = {}) {
            ScanTarget t;
            t.entryText = entry;
            t.rxNbr = entry.section('-', 0, 0);
            t.refNo = entry.section('-', 1);
            t.refusal = refusal;
            return t;
        };
        test::TestEnv env;
        const QDateTime start(QDate(2026, 3, 1), QTime(9, 0));
        EarlierBatches saved(env.home() + "/earlier.json");
        saved.Add({target("7014-00"), target("7014-01"), target("7016-00", "bad date")}, start);
        saved.Add({target("7015-00")}, start.addSecs(60));
        const Outcome written = saved.Save();
        QVERIFY2(written.ok(), qPrintable(written.why()));
        EarlierBatches list(env.home() + "/earlier.json");
        list.Load();
        QCOMPARE(list.Count(), 3);
        const std::optional<ScanTarget> found =
            list.Named(*LabelPattern().parse(label), {target("7017-00")}, start.addDays(daysLater));
        QCOMPARE(found ? found->entryText : QString(), named);
    }

    // A feeder without a paper sensor, loaded after the batch began: the batch waits and
    // tries again until the paper is there, then scans it all.
    void sensorlessFeederWaitsForPaper() {
        Rig rig;
        rig.scanner.script().manual = false;
        rig.scanner.script().failAfterPages = 0;
        rig.scanner.script().failCode = ScannerControl::kNoDocument;
        rig.scanner.script().failText = "There is no document in the scanner.";
        rig.Batch(2);
        QTRY_COMPARE(rig.scanner.acquireCount(), 1);
        QTRY_VERIFY(rig.core->WaitingForPaper());
        QVERIFY(rig.core->Busy());
        QCOMPARE(rig.boxes.count(), 0);           // no shortfall reported while waiting
        rig.scanner.script().failAfterPages = -1; // the operator loads the sheets
        rig.scanner.script().pagesPerAcquire = 2;
        QTRY_VERIFY_WITH_TIMEOUT(!rig.core->Busy(), 15000);
        QCOMPARE(rig.scanner.acquireCount(), 2);
        QCOMPARE(rig.Image(1), "1_00.jpg");
        QCOMPARE(rig.Image(2), "2_00.jpg");
        QCOMPARE(rig.boxes.count(), 0);
    }
};

QTEST_MAIN(TstStationCore)
#include "tst_stationcore.moc"
