// Scan-window batches on scanners reached through the real libsane (the test backend of
// tests/sane-fake, devices in tests/data/sane-fake/sanebatches.conf): a flatbed asked
// prescription by prescription, Scan the rest after a jam, and a slowed feeder batch
// while a data file arrives or the operator stops. Page k of the feeder (and the glass
// page laid for prescription k) is grey 30 + 40k, so every stored image tells its page.
#include "common/AcquisitionRig.h"
#include "common/DataLines.h"
#include "scanner/SaneScanner.h"

using namespace quiller;
using test::ScriptedMessageBoxes;
using test::SharedContext;

namespace {
constexpr int kTimeout = 30000;

void WritePage(const QString& path, int k) {
    QImage page(170, 220, QImage::Format_Grayscale8);
    page.fill(30 + 40 * k);
    QVERIFY(page.save(path, "PGM"));
}
} // namespace

class SaneBatchTests : public QObject {
    Q_OBJECT
    QTemporaryDir state;
    std::unique_ptr<test::AcquisitionRig> rig;
    std::unique_ptr<SaneScanner> scanner;
    StationCore* core = nullptr;
    QPointer<frmScan> window;
    QPointer<AcquisitionController> controller;

    // A data file with prescriptions <n>-00.
    void drop(const QString& name, const QList<int>& rxs) {
        QByteArray lines;
        for (int rx : rxs)
            lines += test::Line(QByteArray::number(rx), "00", "20060307", "Drug", "Ann", "Lee");
        test::WriteFile(rig->env.interchangeFolder() + "/" + name, lines);
    }
    void ticks(int n) {
        for (int i = 0; i < n; ++i)
            core->Tick();
    }
    // The page stored for each prescription (0: none).
    QList<int> pagesOf(const QList<int>& rxs) {
        QList<int> pages;
        for (int rx : rxs) {
            const auto row = SharedContext().DbConnection->Find(QString::number(rx), "00");
            const QImage image(rig->Image(row ? row->RxImage : QString()));
            pages << (image.isNull() ? 0 : (qGray(image.pixel(50, 50)) - 10) / 40);
        }
        return pages;
    }
    void start(const QString& device) {
        scanner = std::make_unique<SaneScanner>();
        QVERIFY(scanner->StartDevice());
        QTRY_VERIFY_WITH_TIMEOUT(scanner->ListingComplete(), kTimeout);
        scanner->SelectDevice("quillerfake:" + device);
        scanner->OpenSource();
        QTRY_VERIFY_WITH_TIMEOUT(scanner->CapabilitiesKnown(), kTimeout);
        rig->device = scanner.get();
        core->SetScanner(scanner.get());
    }
    void waitIdle() { QTRY_VERIFY_WITH_TIMEOUT(!controller->Busy(), kTimeout); }

private slots:
    void initTestCase() {
        QVERIFY(state.isValid());
        qputenv("STATE", state.path().toUtf8());
        QVERIFY(QDir(state.path()).mkpath("pages"));
        for (int k = 1; k <= 5; ++k)
            WritePage(state.filePath(QString("pages/page%1.pgm").arg(k)), k);
    }
    void init() {
        QFile::remove(state.filePath("release"));
        rig = std::make_unique<test::AcquisitionRig>();
        core = rig->AttachIntake();
        window = rig->window;
        controller = rig->controller;
    }
    void cleanup() {
        test::WriteFile(state.filePath("release"), "go"); // a held page may return
        rig.reset();
        scanner.reset();
    }

    // A batch on a scanner without a feeder asks for each prescription in turn and files
    // what lies on the glass then; Cancel ends it with the rest reported as not scanned;
    // a window gone while a prompt is open starts nothing more.
    void flatbedAsksForEachPrescriptionInTurn_data() {
        QTest::addColumn<QString>("answers"); // O: OK, C: Cancel
        QTest::addColumn<int>("closeAtPrompt");
        QTest::addColumn<QList<int>>("pages");
        QTest::addColumn<QString>("report");
        QTest::newRow("all confirmed") << "OOO" << 0 << QList<int>{1, 2, 3} << QString();
        QTest::newRow("Cancel at the second")
            << "OC" << 0 << QList<int>{1, 0, 0}
            << "1 of 3 prescriptions scanned and stored.\nNot scanned: 2-00, 3-00";
        QTest::newRow("window closed at the second")
            << "O" << 2 << QList<int>{1, 0, 0} << QString();
    }
    void flatbedAsksForEachPrescriptionInTurn() {
        QFETCH(QString, answers);
        QFETCH(int, closeAtPrompt);
        QFETCH(QList<int>, pages);
        QFETCH(QString, report);
        start("glass");
        QCOMPARE(scanner->DocumentFeedAvailable(), 0);
        ScriptedMessageBoxes boxes;
        for (QChar c : answers)
            boxes.answer(c == 'O' ? MsgAnswer::Ok : MsgAnswer::Cancel);
        QStringList prompts;
        boxes.onShow([&](const MessageBoxRequest& box) {
            if (box.buttons != MsgButtons::OkCancel)
                return;
            prompts << box.text;
            WritePage(state.filePath("glass.pgm"), int(prompts.size())); // laid on the glass
            if (prompts.size() == closeAtPrompt) {
                core->Stop(); // as Exit or Restart does before the window goes
                delete window.data();
            }
        });
        drop("AX1.QLV", {1, 2, 3});
        ticks(2);
        QTRY_VERIFY_WITH_TIMEOUT(!controller || !controller->Busy(), kTimeout);
        QTRY_VERIFY_WITH_TIMEOUT(!scanner->IsAcquiring(), kTimeout);
        QCoreApplication::processEvents();
        QCOMPARE(prompts, (QStringList{"Place 1-00 on the glass, then OK",
                                       "Place 2-00 on the glass, then OK",
                                       "Place 3-00 on the glass, then OK"})
                              .mid(0, closeAtPrompt ? closeAtPrompt : answers.size()));
        QCOMPARE(pagesOf({1, 2, 3}), pages);
        QCOMPARE(boxes.count(), prompts.size() + (report.isEmpty() ? 0 : 1));
        if (!report.isEmpty())
            QCOMPARE(boxes.last().text, report);
    }

    // After a jam, Scan the rest acquires the prescriptions not scanned in one go, each
    // page under its own prescription.
    void scanTheRestAcquiresTheUnscannedInOneGo() {
        start("jam");
        ScriptedMessageBoxes boxes;
        drop("AX1.QLV", {1, 2, 3, 4, 5});
        ticks(2);
        waitIdle();
        QCOMPARE(boxes.count(), 1);
        QVERIFY2(boxes.last().text.contains("Not scanned: 3-00, 4-00, 5-00"),
                 qPrintable(boxes.last().text));
        QCOMPARE(pagesOf({1, 2, 3, 4, 5}), (QList<int>{1, 2, 0, 0, 0}));
        QVERIFY(window->cmdScanRest->isEnabled());
        window->cmdScanRest->click();
        QCOMPARE(core->BatchItems(), (QStringList{"3-00", "4-00", "5-00"}));
        QVERIFY(!window->cmdScanRest->isEnabled());
        waitIdle();
        QCOMPARE(boxes.count(), 1); // every page came: nothing to report
        QCOMPARE(pagesOf({1, 2, 3, 4, 5}), (QList<int>{1, 2, 3, 4, 5}));
        QVERIFY(!window->cmdScanRest->isEnabled());
    }

    // Slowed feeder pages, page 3 held by the device: a data file arriving meanwhile does
    // not shift the running batch's pages (the page beyond it is kept apart, the new
    // file's prescriptions are scanned or reported); stopping reports the rest and files
    // no later page under them.
    void slowFeederBatchKeepsItsPages_data() {
        QTest::addColumn<bool>("stop");
        QTest::addColumn<QList<int>>("pages"); // of 1-00, 2-00, 3-00, 4-00, 6-00, 7-00
        QTest::addColumn<int>("unmatched");
        QTest::addColumn<QString>("report");
        QTest::newRow("a data file arrives")
            << false << QList<int>{1, 2, 3, 4, 1, 2} << 1 << "3 extra page(s)";
        QTest::newRow("the operator stops") << true << QList<int>{1, 2, 0, 0, 0, 0} << 3
                                            << "Stopped before their page came: 3-00, 4-00";
    }
    void slowFeederBatchKeepsItsPages() {
        QFETCH(bool, stop);
        QFETCH(QList<int>, pages);
        QFETCH(int, unmatched);
        QFETCH(QString, report);
        start("slow");
        ScriptedMessageBoxes boxes;
        drop("AX1.QLV", {1, 2, 3, 4});
        ticks(2);
        QTRY_COMPARE_WITH_TIMEOUT(pagesOf({1, 2}), (QList<int>{1, 2}), kTimeout);
        QVERIFY(controller->Busy());
        if (stop) {
            boxes.answer(MsgAnswer::Yes);
            QVERIFY(window->MayStop());
            QVERIFY2(boxes.last().text.contains(report), qPrintable(boxes.last().text));
        } else {
            drop("AX2.QLV", {6, 7});
            ticks(3);
            QCOMPARE(window->ListView1->topLevelItemCount(), 4);
        }
        test::WriteFile(state.filePath("release"), "go");
        const QDir kept(rig->env.imageFolder() + "/Unmatched");
        QTRY_COMPARE_WITH_TIMEOUT(int(kept.entryList(QDir::Files).size()), unmatched, kTimeout);
        if (!stop) {
            waitIdle();
            ticks(2);
            QCOMPARE(core->BatchItems(), (QStringList{"6-00", "7-00"}));
            waitIdle();
            QVERIFY2(boxes.last().text.contains(report), qPrintable(boxes.last().text));
        }
        QTRY_VERIFY_WITH_TIMEOUT(!scanner->IsAcquiring(), kTimeout);
        QCOMPARE(pagesOf({1, 2, 3, 4, 6, 7}), pages);
    }
};

QTEST_MAIN(SaneBatchTests)
#include "tst_sanebatches.moc"
