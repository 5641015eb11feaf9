// The scan window's scanner start-up, scanner box, image-buffer clearing and shutdown, on
// the simulated scanner.
#include "common/ViewFixture.h"
#include "gui/scan/ScannerStartup.h"

#include "common/ScriptedMessageBoxes.h"
#include "common/ScriptedScanner.h"
#include "common/TestEnv.h"
#include "gui/common/PictureBox.h"
#include "settings/SettingsStore.h"
#include "station/StationContext.h"

#include <QtTest>
#include <QtWidgets>

using namespace quiller;
using quiller::test::ScriptedScanner;
using quiller::test::SharedContext;

namespace {

const QString kNotConfigured = QStringLiteral(
    "Configuration is not completed yet. Restart this program and complete configuration first.");
const QString kMissing = QStringLiteral(
    "The configured scanner is not available. Choose a scanner under Tools, Configuration.");

class RecordingScanner : public ScriptedScanner {
public:
    ~RecordingScanner() override {
        if (logAtRelease)
            *logAtRelease = log();
    }
    QList<int> deleted; // the indexes DeleteImage was asked for, in order
    QStringList* logAtRelease = nullptr;
    ScanResult DeleteImage(int index) override {
        deleted << index;
        return ScriptedScanner::DeleteImage(index);
    }
};

} // namespace

class TestScannerStartup : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<test::TestEnv> env_;
    std::unique_ptr<test::ScriptedMessageBoxes> boxes_;
    test::StatusLine status_;
    QWidget* window_ = nullptr;
    ScanWidgets w_;
    std::unique_ptr<ScannerStartup> startup_;
    int ended_ = 0;
    // Applied to each control the factory makes; the last one made.
    std::function<void(ScriptedScanner::Script&)> script_;
    RecordingScanner* sim_ = nullptr;

    void Configure(const QString& scanner) {
        SettingsStore().Write(SettingsStore::Setup(), QStringLiteral("Scanner"), scanner);
    }

private slots:
    void init() {
        env_ = std::make_unique<test::TestEnv>();
        boxes_ = std::make_unique<test::ScriptedMessageBoxes>();
        SharedContext().MainWindow = &status_;
        window_ = new QWidget;
        w_.context = &SharedContext();
        w_.window = window_;
        w_.Combo1 = new QComboBox(window_);
        w_.Image1 = new PictureBox(window_);
        w_.LabelImageNum = new QLabel(QStringLiteral("No images"), window_);
        w_.Command2 = new QPushButton(QStringLiteral("&Rotate"), window_);
        w_.Timer2 = new QTimer(window_);
        ended_ = 0;
        script_ = nullptr;
        sim_ = nullptr;
        ScannerControl::SetFactory([this] {
            auto s = std::make_unique<RecordingScanner>();
            if (script_)
                script_(s->script());
            sim_ = s.get();
            return std::unique_ptr<ScannerControl>(std::move(s));
        });
        startup_ = std::make_unique<ScannerStartup>(w_, [this] { ++ended_; });
    }

    void cleanup() {
        startup_.reset();
        delete window_;
        window_ = nullptr;
        SharedContext().MainWindow = nullptr;
        boxes_.reset();
        env_.reset();
    }

    // The configured position (a null text: no setting) among the sources listed; the
    // entry selected (-1: none) and the message the operator gets.
    void startUp_data() {
        QTest::addColumn<QString>("scanner");
        QTest::addColumn<int>("sources");
        QTest::addColumn<bool>("deviceStarts");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("message");
        auto row = [](const char* name, const QString& scanner, int sources, bool deviceStarts,
                      int selected, const QString& message) {
            QTest::newRow(name) << scanner << sources << deviceStarts << selected << message;
        };
        row("no setting", QString(), 2, true, -1, kNotConfigured);
        row("empty setting", "", 2, true, -1, kNotConfigured);
        row("second", "1", 2, true, 1, "");
        row("first", "0", 2, true, 0, "");
        row("blanks around", " 1 ", 2, true, 1, "");
        row("beyond the list", "2", 2, true, -1, kMissing);
        row("no scanner at all", "0", 0, true, -1, kMissing);
        row("not a number", "Fujitsu", 2, true, -1, kMissing);
        row("device manager not started", "0", 2, false, -1, kMissing);
    }
    void startUp() {
        QFETCH(QString, scanner);
        QFETCH(int, sources);
        QFETCH(bool, deviceStarts);
        QFETCH(int, selected);
        QFETCH(QString, message);
        script_ = [=](ScriptedScanner::Script& s) {
            s.sources = s.sources.mid(0, sources);
            s.startDeviceAnswer = deviceStarts;
        };
        if (!scanner.isNull())
            Configure(scanner);
        w_.Timer2->start();
        const bool configured = message != kNotConfigured;
        QCOMPARE(startup_->Start(), configured);
        QCOMPARE(ended_, configured ? 0 : 1); // without configuration the program ends
        QCOMPARE(boxes_->texts(), message.isEmpty() ? QStringList() : QStringList{message});
        if (!configured) {
            QVERIFY(startup_->Scanner1() == nullptr);
            return;
        }
        QVERIFY(!w_.Timer2->isActive());
        QCOMPARE(w_.Combo1->count(), deviceStarts ? sources : 0);
        QCOMPARE(w_.Combo1->currentIndex(), selected);
        // Without a configured scanner found, none is chosen: nothing is scanned with a
        // device nobody picked.
        QCOMPARE(sim_->SourceIndex(), selected >= 0 ? selected : -1);
        for (const QString& entry : sim_->log())
            QVERIFY2(selected >= 0 || !entry.startsWith(QStringLiteral("SourceIndex=")) ||
                         entry == QStringLiteral("SourceIndex=-1"),
                     qPrintable(entry));
        // The choice is not stored.
        QCOMPARE(SettingsStore().Read(SettingsStore::Setup(), QStringLiteral("Scanner")), scanner);
    }

    void sourcesListedLateJoinTheBox() {
        script_ = [](ScriptedScanner::Script& s) {
            s.sources = s.sources.mid(0, 1);
        };
        Configure(QStringLiteral("1"));
        QVERIFY(startup_->Start());
        QCOMPARE(w_.Combo1->currentIndex(), -1);
        sim_->script().sources << QStringLiteral("Late Feeder") << QStringLiteral("Later One");
        emit sim_->SourcesChanged();
        QCOMPARE(w_.Combo1->count(), 3);
        QCOMPARE(w_.Combo1->itemText(1), QStringLiteral("Late Feeder"));
        QCOMPARE(w_.Combo1->currentIndex(), 1);
        QCOMPARE(sim_->SourceIndex(), 1);
        // A further change keeps the operator's choice.
        w_.Combo1->setCurrentIndex(0);
        sim_->script().sources << QStringLiteral("Latest");
        emit sim_->SourcesChanged();
        QCOMPARE(w_.Combo1->count(), 4);
        QCOMPARE(w_.Combo1->currentIndex(), 0);
        QCOMPARE(sim_->SourceIndex(), 0);
        QCOMPARE(boxes_->count(), 1); // the missing scanner, told once
        // Choosing is not configuring.
        QCOMPARE(SettingsStore().Read(SettingsStore::Setup(), QStringLiteral("Scanner")),
                 QStringLiteral("1"));
    }

    // Every image left in the buffer would be filed under the next prescription: clearing
    // deletes them all, or tells each one it cannot delete.
    void clearImageBuffer_data() {
        QTest::addColumn<int>("images");
        QTest::addColumn<int>("startIndex");
        QTest::addColumn<bool>("refuse");
        QTest::addColumn<QList<int>>("deleted");
        QTest::newRow("empty") << 0 << 0 << false << QList<int>{};
        QTest::newRow("from the first image") << 3 << 0 << false << QList<int>{0, 0, 0};
        QTest::newRow("from the last image") << 3 << 2 << false << QList<int>{2, 1, 0};
        QTest::newRow("deletion refused") << 3 << 0 << true << QList<int>{0, 0, 0};
    }
    void clearImageBuffer() {
        QFETCH(int, images);
        QFETCH(int, startIndex);
        QFETCH(bool, refuse);
        QFETCH(QList<int>, deleted);
        script_ = [=](ScriptedScanner::Script& s) {
            s.refuseDelete = refuse;
        };
        Configure(QStringLiteral("0"));
        QVERIFY(startup_->Start());
        sim_->AddImages(images);
        w_.Image1->SetPicture(QImage(10, 10, QImage::Format_Grayscale8));
        startup_->SetCurrentImageIndex(startIndex);
        window_->hide();
        startup_->ClearImageBuffer();
        QCOMPARE(sim_->deleted, deleted);
        QCOMPARE(sim_->ImageCount(), refuse ? images : 0);
        QCOMPARE(boxes_->texts(), QStringList(refuse ? images : 0, "The image cannot be deleted."));
        QCOMPARE(window_->isVisible(), refuse); // raised for the operator to read
        const bool emptied = images > 0 && !refuse;
        QCOMPARE(w_.Image1->HasPicture(), !emptied);
        QCOMPARE(w_.Command2->isEnabled(), !emptied);
        QCOMPARE(w_.LabelImageNum->text(), emptied ? QString() : QStringLiteral("No images"));
        QCOMPARE(startup_->CurrentImageIndex(), emptied ? -1 : startIndex);
    }

    // Shutdown closes the source, stops the device and releases the control; a second
    // start makes a new one.
    void shutdown() {
        Configure(QStringLiteral("0"));
        QVERIFY(startup_->Start());
        QPointer<QObject> control(startup_->Scanner1());
        QStringList log;
        sim_->logAtRelease = &log;
        sim_->clearLog();
        startup_->Shutdown();
        QCOMPARE(log, (QStringList{"CloseSource", "StopDevice"}));
        QVERIFY(control.isNull() && startup_->Scanner1() == nullptr);
        QVERIFY(startup_->Start() && startup_->Scanner1() != nullptr);
        QVERIFY(sim_->log().contains(QStringLiteral("StartDevice")));
    }
};

QTEST_MAIN(TestScannerStartup)
#include "tst_scannerstartup.moc"
