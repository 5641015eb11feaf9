// Acquisitions on the simulated scanner: what is filed where, what is reported.
#include "common/ScriptedMessageBoxes.h"
#include "common/TestEnv.h"
#include "common/ViewFixture.h"
#include "gui/common/PictureBox.h"
#include "gui/scan/AcquisitionController.h"
#include "gui/scan/frmScan.h"
#include "records/Database.h"
#include "scanner/SimulatedScanner.h"
#include "station/ImageNaming.h"
#include "station/StationContext.h"

#include <QFile>
#include <QGroupBox>
#include <QImageReader>
#include <QLabel>
#include <QPushButton>
#include <QSqlQuery>
#include <QStandardItemModel>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>
#include <QtTest>

using namespace quiller;
using quiller::test::ScriptedMessageBoxes;
using quiller::test::SharedContext;
using quiller::test::TestEnv;

namespace {

class StatusLog : public MainWindowPort {
public:
    void SetStatusText(const QString& text) override {
        current = text;
        texts << text;
    }
    QString StatusText() const override { return current; }
    QString current;
    QStringList texts;
};

} // namespace

class AcquisitionTests : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnv> env;
    std::unique_ptr<frmScan> window;
    std::unique_ptr<SimulatedScanner> scanner;
    std::unique_ptr<AcquisitionController> controller;
    StatusLog status;
    int currentIndex = 0;

    void addEntry(const QString& rx, const QString& ref, const QString& mark = "X") {
        auto* item = new QTreeWidgetItem(window->ListView1);
        item->setText(0, rx + "-" + ref);
        item->setCheckState(0, Qt::Unchecked);
        item->setData(0, Qt::UserRole, mark);
        item->setData(0, kRxNbrRole, rx);
        item->setData(0, kRefNoRole, ref);
        if (!SharedContext().DbConnection->Find(rx, ref))
            SharedContext().DbConnection->UpsertPrescription(
                Prescription{rx, ref, "03/07/2006", "Amoxicillin", "John", "Smith", ""});
    }
    QString rxImage(const QString& rx, const QString& ref) {
        auto row = SharedContext().DbConnection->Find(rx, ref);
        return row ? row->RxImage : QStringLiteral("<no row>");
    }
    QString lockPath() const { return SharedContext().LockFilePath(); }
    void waitUntilIdle() { QTRY_VERIFY_WITH_TIMEOUT(!controller->Busy(), 5000); }
    QTreeWidgetItem* entry(int i) { return window->ListView1->topLevelItem(i); }

private slots:
    void init() {
        env = std::make_unique<TestEnv>();
        StationContext& app = SharedContext();
        app.dataPath = env->imageFolder();
        app.filePath = env->interchangeFolder();
        app.ScannerID = "A";
        app.MainWindow = &status;
        status.texts.clear();
        Database::EnsureFile(app.dataPath, QString());
        app.DbConnection = std::make_unique<Database>();
        app.DbConnection->Open(app.dataPath);
        window = std::make_unique<frmScan>(SharedContext());
        scanner = std::make_unique<SimulatedScanner>();
        scanner->StartDevice();
        currentIndex = 0;
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
            currentIndex = -1;
        };
        access.imageText = [this](int index, bool) {
            return QStringLiteral("Image %1 (%2 x %3)")
                .arg(index)
                .arg(scanner->ImageWidth(index))
                .arg(scanner->ImageHeight(index));
        };
        controller = std::make_unique<AcquisitionController>(window.get(), access);
        connect(scanner.get(), &ScannerControl::PostScan, controller.get(),
                &AcquisitionController::Scanner1_PostScan);
    }
    void cleanup() {
        controller.reset();
        scanner.reset();
        window.reset();
        SharedContext().DbConnection.reset();
        SharedContext().MainWindow = nullptr;
        env.reset();
    }

    void batchFilesEveryPageUnderItsOwnPrescription() {
        ScriptedMessageBoxes boxes;
        addEntry("123", "01");
        addEntry("124", "00");
        addEntry("125", "02");
        test::WriteFile(lockPath(), "Locked\r\n");
        scanner->script().pagesPerAcquire = 3;
        controller->AcquireBatch();
        QCOMPARE(controller->BatchItems(), QStringList({"123-01", "124-00", "125-02"}));
        waitUntilIdle();
        QCOMPARE(boxes.count(), 0);
        const QStringList names{"123_01.jpg", "124_00.jpg", "125_02.jpg"};
        for (int i = 0; i < 3; ++i) {
            const QString path = env->imageFolder() + "/" + names[i];
            QImageReader reader(path);
            QCOMPARE(reader.size(), scanner->script().pageSize);
            QCOMPARE(entry(i)->checkState(0), Qt::Checked);
            QCOMPARE(entry(i)->data(0, Qt::UserRole).toString(), names[i]);
        }
        QCOMPARE(rxImage("123", "01"), names[0]);
        QCOMPARE(rxImage("124", "00"), names[1]);
        QCOMPARE(rxImage("125", "02"), names[2]);
        QVERIFY(!QFile::exists(lockPath()));
        QVERIFY(window->Timer1->isActive());
        QCOMPARE(status.current, QStringLiteral("Idle"));
        QVERIFY(window->Image1->HasPicture());
        QVERIFY(window->Command2->isEnabled());
        QCOMPARE(currentIndex, 2);
        // The status texts of the first page, in order.
        const QStringList expected{"Looking for items to be scanned.",
                                   "Clear images in buffer",
                                   "Acquire images",
                                   "Scanning: image 1 of 3",
                                   "Saving image file 123_01.jpg",
                                   "Scanning: image 2 of 3"};
        QCOMPARE(status.texts.mid(0, expected.size()), expected);
    }

    void extraPagesAreNotStored() {
        ScriptedMessageBoxes boxes;
        addEntry("1", "00");
        addEntry("2", "00");
        addEntry("3", "00");
        scanner->script().pagesPerAcquire = 4;
        controller->AcquireBatch();
        waitUntilIdle();
        QCOMPARE(QDir(env->imageFolder()).entryList({"*.jpg"}).size(), 3);
        QCOMPARE(currentIndex, 2); // the preview keeps the third page
        QCOMPARE(window->Image1->Picture(), scanner->GetImage(2));
        QCOMPARE(boxes.count(), 1);
        QVERIFY(boxes.last().text.contains("1 extra page"));
        QCOMPARE(boxes.last().icon, MsgIcon::Exclamation);
        QVERIFY(window->Timer1->isActive());
    }

    void shortBatchLeavesTheRestUnscannedAndSaysWhich() {
        ScriptedMessageBoxes boxes;
        addEntry("1", "00");
        addEntry("2", "00");
        addEntry("3", "00");
        test::WriteFile(lockPath(), "Locked\r\n");
        scanner->script().pagesPerAcquire = 3;
        scanner->script().failAfterPages = 1;
        scanner->script().failText = "The document feeder jammed.";
        controller->AcquireBatch();
        waitUntilIdle();
        QCOMPARE(rxImage("1", "00"), QStringLiteral("1_00.jpg"));
        QCOMPARE(rxImage("2", "00"), QString());
        QCOMPARE(rxImage("3", "00"), QString());
        QCOMPARE(entry(1)->checkState(0), Qt::Unchecked);
        QCOMPARE(entry(1)->data(0, Qt::UserRole).toString(), QStringLiteral("X"));
        QVERIFY(!QFile::exists(env->imageFolder() + "/2_00.jpg"));
        QCOMPARE(boxes.texts(), QStringList({"The document feeder jammed.\n1 of 3 prescriptions "
                                             "scanned and stored.\nNot scanned: 2-00, 3-00"}));
        QCOMPARE(boxes.shown().at(0).icon, MsgIcon::Exclamation);
        QCOMPARE(status.current, QStringLiteral("Idle"));
        QVERIFY(window->Timer1->isActive());
    }

    void scanningModeEndWithoutPagesRemovesTheLockFile() {
        ScriptedMessageBoxes boxes;
        addEntry("1", "00");
        test::WriteFile(lockPath(), "Locked\r\n");
        scanner->script().failAfterPages = 0;
        scanner->script().failText = "The scanner reported an I/O error.";
        controller->AcquireBatch();
        waitUntilIdle();
        QVERIFY(!QFile::exists(lockPath()));
        QVERIFY(window->Timer1->isActive());
        QCOMPARE(boxes.count(), 1);
    }

    void lateImagesFollowTheirOwnBatch() {
        ScriptedMessageBoxes boxes;
        addEntry("1", "00");
        addEntry("2", "00");
        scanner->script().manual = true;
        controller->AcquireBatch();
        scanner->DeliverPage();
        // A polling tick takes a new data file meanwhile.
        window->ListView1->clear();
        addEntry("9", "00");
        controller->AcquireBatch(); // queued behind the running one
        QVERIFY(controller->BatchQueued());
        scanner->DeliverPage();
        QCOMPARE(rxImage("2", "00"), QStringLiteral("2_00.jpg"));
        QCOMPARE(rxImage("9", "00"), QString());
        QCOMPARE(entry(0)->checkState(0), Qt::Unchecked); // 9-00 is not 2-00
        QCOMPARE(entry(0)->data(0, Qt::UserRole).toString(), QStringLiteral("X"));
        scanner->FinishAcquisition();
        // The queued batch starts for the new list once the first has ended.
        QTRY_COMPARE(scanner->acquireCount(), 2);
        QCOMPARE(controller->BatchItems(), QStringList({"9-00"}));
        scanner->DeliverPage();
        scanner->FinishAcquisition();
        QCOMPARE(rxImage("9", "00"), QStringLiteral("9_00.jpg"));
        QCOMPARE(boxes.count(), 0);
    }

    void viewingRescanUpdatesOnlyItsRow() {
        ScriptedMessageBoxes boxes;
        boxes.answer(MsgAnswer::Yes);
        SharedContext().DbConnection->UpsertPrescription(
            {"123", "01", "01/02/2006", "A", "B", "C", ""});
        SharedContext().DbConnection->UpsertPrescription(
            {"123", "02", "01/03/2006", "A", "B", "C", ""});
        SharedContext().DbConnection->SetRxImage("123", "02", "123_02.jpg");
        QStandardItemModel model(0, 4);
        model.appendRow(new QStandardItem("123-01"));
        model.appendRow(new QStandardItem("123-02"));
        model.item(0)->setData("", Qt::UserRole);
        window->ListView2->setModel(&model);
        window->ListView2->setCurrentIndex(model.index(0, 0));
        window->fraList->show();
        test::WriteFile(lockPath(), "Locked\r\n");
        controller->Command1_Click();
        waitUntilIdle();
        QCOMPARE(boxes.texts().at(0), QStringLiteral("Rescan prescription 123-01?"));
        QCOMPARE(boxes.shown().at(0).defaultButton, MsgAnswer::No);
        QCOMPARE(boxes.texts().at(1),
                 QStringLiteral("Put the precription on the scanner.  Then press Ok button."));
        QCOMPARE(rxImage("123", "01"), QStringLiteral("123_01.jpg"));
        QCOMPARE(rxImage("123", "02"), QStringLiteral("123_02.jpg"));
        QCOMPARE(model.item(0)->data(Qt::UserRole).toString(), QStringLiteral("123_01.jpg"));
        QVERIFY(QFile::exists(env->imageFolder() + "/123_01.jpg"));
        QVERIFY(!QFile::exists(lockPath()));
        window->ListView2->setModel(nullptr);
    }

    void scanButtonStoresForTheConfirmedEntry() {
        ScriptedMessageBoxes boxes;
        addEntry("1", "00");
        addEntry("2", "00");
        addEntry("3", "00");
        scanner->script().pagesPerAcquire = 3;
        controller->AcquireBatch();
        waitUntilIdle();
        // The operator rescans the second entry from the to-be-scanned list.
        SharedContext().DbConnection->SetRxImage("2", "00", "");
        QFile::remove(env->imageFolder() + "/2_00.jpg");
        window->ListView1->setCurrentItem(entry(1));
        boxes.answer(MsgAnswer::Yes);
        scanner->script().pagesPerAcquire = 1;
        controller->Command1_Click();
        waitUntilIdle();
        QCOMPARE(rxImage("2", "00"), QStringLiteral("2_00.jpg"));
        QVERIFY(QFile::exists(env->imageFolder() + "/2_00.jpg"));
        QCOMPARE(rxImage("1", "00"), QStringLiteral("1_00.jpg"));
        QCOMPARE(controller->BatchItems(), QStringList({"1-00", "2-00", "3-00"}));
    }

    void scanButtonMessages() {
        ScriptedMessageBoxes boxes;
        controller->Command1_Click();
        QCOMPARE(boxes.last().text, QStringLiteral("No prescription is in the list."));
        QCOMPARE(boxes.last().icon, MsgIcon::Exclamation);

        addEntry("1", "00");
        window->ListView1->clearSelection();
        window->ListView1->setCurrentItem(nullptr);
        controller->Command1_Click();
        QCOMPARE(boxes.last().text, QStringLiteral("Select a prescription from the list to scan."));
        QCOMPARE(boxes.last().icon, MsgIcon::Information);

        window->ListView1->setCurrentItem(entry(0));
        boxes.clear();
        boxes.answer(MsgAnswer::No);
        controller->Command1_Click();
        QCOMPARE(boxes.texts(), QStringList({"Rescan prescription 1-00?",
                                             "Select a prescription from the list to scan."}));
        QCOMPARE(boxes.shown().at(0).icon, MsgIcon::Question);
        QCOMPARE(boxes.shown().at(0).buttons, MsgButtons::YesNo);
        QCOMPARE(scanner->acquireCount(), 0);

        // A second acquisition is refused while one is pending.
        scanner->script().manual = true;
        controller->AcquireBatch();
        boxes.clear();
        controller->Command1_Click();
        QCOMPARE(boxes.count(), 1);
        QCOMPARE(boxes.last().icon, MsgIcon::Information);
        QVERIFY(boxes.last().text.contains("in progress"));
        QCOMPARE(scanner->acquireCount(), 1);
        scanner->FinishAcquisition();
    }

    void frameCoversEveryMark_data() {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::addColumn<QString>("frame");
        QTest::newRow("X then P") << "X"
                                  << "P"
                                  << "SetScanFrame(0,0,8,12)";
        QTest::newRow("P then X") << "P"
                                  << "X"
                                  << "SetScanFrame(0,0,8,12)";
        QTest::newRow("lower-case p") << "X"
                                      << "p"
                                      << "SetScanFrame(1,0,7,6)";
    }
    void frameCoversEveryMark() {
        QFETCH(QString, first);
        QFETCH(QString, last);
        QFETCH(QString, frame);
        addEntry("1", "00", first);
        addEntry("2", "00", last);
        scanner->script().manual = true;
        scanner->clearLog();
        controller->AcquireBatch();
        const QStringList expected{
            "ScanSettingB=0",        "OpenSource",       "ScanSettingH=1", "ScanSettingF=0",
            "ScanSettingK=0",        "ScanSettingE=200", "ScanSettingJ=0", frame,
            "DocumentFeedAvailable", "Acquire"};
        QCOMPARE(scanner->log(), expected);
        scanner->FinishAcquisition();
    }

    void feederWaitPollsOnATimer() {
        addEntry("1", "00");
        scanner->script().feederAvailable = true;
        scanner->script().documentLoadedAnswers = {0, 0, 0};
        int ticks = 0;
        QTimer other;
        connect(&other, &QTimer::timeout, [&] { ++ticks; });
        other.start(10);
        controller->AcquireBatch();
        QCOMPARE(status.current, QStringLiteral("No document loaded, waiting ..."));
        QCOMPARE(scanner->acquireCount(), 0);
        QVERIFY(controller->Busy());
        QTRY_COMPARE_WITH_TIMEOUT(scanner->acquireCount(), 1, 5000);
        QCOMPARE(scanner->documentLoadedCount(), 4);
        QVERIFY(ticks > 0); // the event loop ran during the wait
        const int waiting = int(status.texts.indexOf("No document loaded, waiting ..."));
        QVERIFY(waiting >= 0);
        QCOMPARE(status.texts.at(waiting + 1), QStringLiteral("Acquiring image ..."));
        QVERIFY(scanner->log().contains("FeedSettingA=1"));
        QVERIFY(scanner->log().contains("FeedSettingB=1"));
        waitUntilIdle();
        QCOMPARE(scanner->acquireCount(), 1);
    }

    void rotationTurnsThePreviewedPageAndRewritesItsFile() {
        ScriptedMessageBoxes boxes;
        addEntry("1", "00");
        addEntry("2", "00");
        addEntry("3", "00");
        scanner->script().pagesPerAcquire = 3;
        scanner->script().pageSize = QSize(100, 160);
        controller->AcquireBatch();
        waitUntilIdle();
        const QString third = env->imageFolder() + "/3_00.jpg";
        QCOMPARE(QImageReader(third).size(), QSize(100, 160));
        controller->Command2_Click();
        QCOMPARE(QImageReader(third).size(), QSize(160, 100));
        QCOMPARE(window->Image1->Picture().size(), QSize(160, 100));
        QCOMPARE(QImageReader(env->imageFolder() + "/1_00.jpg").size(), QSize(100, 160));

        // The preview moves to the first entry's file (a list click loads it): that page
        // turns, not the third.
        window->Image1->LoadFile(env->imageFolder() + "/1_00.jpg");
        QVERIFY(controller->PreviewIsBufferImage());
        QVERIFY(window->Command2->isEnabled());
        controller->Command2_Click();
        QCOMPARE(QImageReader(env->imageFolder() + "/1_00.jpg").size(), QSize(160, 100));
        QCOMPARE(QImageReader(third).size(), QSize(160, 100));

        // A file the buffer did not write cannot be turned: Rotate goes off as soon as
        // the preview shows it, and a press does nothing.
        QVERIFY(QFile::copy(env->imageFolder() + "/2_00.jpg", env->imageFolder() + "/9_99.jpg"));
        window->Image1->LoadFile(env->imageFolder() + "/9_99.jpg");
        QVERIFY(!controller->PreviewIsBufferImage());
        QVERIFY(!window->Command2->isEnabled());
        controller->Command2_Click();
        QCOMPARE(QImageReader(env->imageFolder() + "/9_99.jpg").size(), QSize(100, 160));
        window->Image1->Clear();
        QVERIFY(!window->Command2->isEnabled());
        // After the buffer was emptied Rotate does nothing.
        while (scanner->ImageCount() > 0)
            scanner->DeleteImage(0);
        controller->PreviewShowsFile("1_00.jpg");
        controller->Command2_Click();
        QCOMPARE(QImageReader(env->imageFolder() + "/1_00.jpg").size(), QSize(160, 100));
        QCOMPARE(boxes.count(), 0);
    }

    void hostileNamesNeverLeaveTheImageFolder() {
        ScriptedMessageBoxes boxes;
        addEntry("..", "/x");
        addEntry("7", "00");
        scanner->script().pagesPerAcquire = 2;
        controller->AcquireBatch();
        waitUntilIdle();
        QCOMPARE(QDir(env->imageFolder()).entryList({"*.jpg"}), QStringList({"7_00.jpg"}));
        QCOMPARE(QDir(env->home()).entryList({"*.jpg"}), QStringList());
        QCOMPARE(rxImage("7", "00"), QStringLiteral("7_00.jpg"));
        QCOMPARE(boxes.count(), 1);
        QVERIFY(boxes.last().text.contains("..-/x: its image name would leave the image folder "
                                           "(its page is kept as Unmatched/"));
        QCOMPARE(QDir(env->imageFolder() + "/Unmatched").entryList({"*.jpg"}).size(), 1);
    }

    void failedSaveLeavesNoRowPointingAtAMissingFile() {
        ScriptedMessageBoxes boxes;
        addEntry("1", "00");
        addEntry("2", "00");
        SharedContext().dataPath = env->home() + "/gone"; // the image folder disappeared
        scanner->script().pagesPerAcquire = 2;
        controller->AcquireBatch();
        waitUntilIdle();
        QCOMPARE(rxImage("1", "00"), QString());
        QCOMPARE(rxImage("2", "00"), QString());
        QCOMPARE(boxes.count(), 1);
        QVERIFY(boxes.last().text.startsWith("0 of 2 prescriptions scanned and stored."));
        QVERIFY(!QFileInfo::exists(env->home() + "/gone")); // nothing made outside
        QVERIFY(!window->Command2->isEnabled());
        QCOMPARE(status.current, QStringLiteral("Idle"));
    }

    void failingStatementIsReportedAndTheNextPageHandled() {
        ScriptedMessageBoxes boxes;
        addEntry("1", "00");
        addEntry("2", "00");
        scanner->script().pagesPerAcquire = 2;
        scanner->script().manual = true;
        controller->AcquireBatch();
        QSqlQuery(SharedContext().DbConnection->Connection()).exec("DROP TABLE RxImages");
        scanner->DeliverPage();
        scanner->DeliverPage();
        QCOMPARE(boxes.count(), 0); // nothing shown inside the scanner's handler
        // No page stands under a name no row holds: both are kept in Unmatched.
        QCOMPARE(QDir(env->imageFolder()).entryList({"*.jpg"}), QStringList());
        QCOMPARE(QDir(env->imageFolder() + "/Unmatched").entryList({"*.jpg"}).size(), 2);
        scanner->FinishAcquisition();
        waitUntilIdle();
        QCOMPARE(boxes.count(), 1);
        QVERIFY(boxes.last().text.contains("2-00: its row could not be updated"));
    }
};

QTEST_MAIN(AcquisitionTests)
#include "tst_acquisition.moc"
