// The scan window's scanner start-up, scanner box, image-buffer clearing, image text
// and shutdown, on the simulated scanner.
#include "common/ViewFixture.h"
#include "gui/scan/ScannerStartup.h"

#include "common/ScriptedMessageBoxes.h"
#include "common/TestEnv.h"
#include "gui/common/PictureBox.h"
#include "scanner/SaneScanner.h"
#include "scanner/SimulatedScanner.h"
#include "settings/SettingsStore.h"
#include "station/StationContext.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QTimer>
#include <QtTest>

using namespace quiller;
using quiller::test::SharedContext;

namespace {

class RecordingStatus : public MainWindowPort {
public:
    void SetStatusText(const QString& text) override { history << text; }
    QString StatusText() const override { return history.isEmpty() ? QString() : history.last(); }
    QStringList history;
};

// What the window showed each time the buffer was asked to delete an image.
struct DeletionView {
    int index;
    QString label;
    bool rotateEnabled;
    bool picture;
};

class RecordingScanner : public SimulatedScanner {
public:
    ~RecordingScanner() override {
        if (onRelease)
            onRelease(log());
    }
    std::function<void(int)> onDelete;
    std::function<void(const QStringList&)> onRelease; // the log when released
    int DeleteImage(int index) override {
        if (onDelete)
            onDelete(index);
        return SimulatedScanner::DeleteImage(index);
    }
};

} // namespace

class TestScannerStartup : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<test::TestEnv> env_;
    std::unique_ptr<test::ScriptedMessageBoxes> boxes_;
    RecordingStatus status_;
    QWidget* window_ = nullptr;
    ScanWidgets w_;
    std::unique_ptr<ScannerStartup> startup_;
    int ended_ = 0;
    // Applied to each control the factory makes; the last one made.
    std::function<void(SimulatedScanner::Script&)> script_;
    RecordingScanner* sim_ = nullptr;

    void Configure(const QString& scanner) {
        SettingsStore().Write(SettingsStore::Setup(), QStringLiteral("Scanner"), scanner);
    }

    SimulatedScanner& Sim() { return *sim_; }

    // Starts with the given configured position and a buffer of `images` pages.
    void StartWithImages(int images) {
        Configure(QStringLiteral("0"));
        QVERIFY(startup_->Start());
        sim_->AddImages(images);
    }

private slots:
    void init() {
        env_ = std::make_unique<test::TestEnv>();
        // QSettings reads XDG_CONFIG_HOME once per process; follow this test's home.
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                           env_->home() + QStringLiteral("/.config"));
        boxes_ = std::make_unique<test::ScriptedMessageBoxes>();
        status_.history.clear();
        SharedContext().MainWindow = &status_;
        window_ = new QWidget;
        w_.context = &SharedContext();
        w_.window = window_;
        w_.Combo1 = new QComboBox(window_);
        w_.Image1 = new PictureBox(window_);
        w_.LabelImageNum = new QLabel(QStringLiteral("No images"), window_);
        w_.Command2 = new QPushButton(QStringLiteral("&Rotate"), window_);
        w_.Timer2 = new QTimer(window_);
        w_.Timer2->setInterval(1000);
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

    void imageText_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("bpp");
        QTest::addColumn<bool>("postScanForm");
        QTest::addColumn<QString>("text");
        QTest::newRow("letter grey")
            << 0 << 1700 << 2200 << 8 << false << "Image  0 ( 1700 x  2200 x  8 bpp)";
        QTest::newRow("post-scan form")
            << 0 << 1700 << 2200 << 8 << true << "Image  0 ( 1700 x  2200 x  8 bpp )";
        QTest::newRow("colour, later image")
            << 12 << 850 << 1100 << 24 << false << "Image  12 ( 850 x  1100 x  24 bpp)";
        QTest::newRow("negative values")
            << -1 << 0 << -5 << 1 << false << "Image -1 ( 0 x -5 x  1 bpp)";
    }
    void imageText() {
        QFETCH(int, index);
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(int, bpp);
        QFETCH(bool, postScanForm);
        QFETCH(QString, text);
        QCOMPARE(ScannerStartup::ImageText(index, width, height, bpp, postScanForm), text);
    }

    void imageTextOfTheCurrentImage() {
        StartWithImages(2);
        if (QTest::currentTestFailed())
            return;
        startup_->SetCurrentImageIndex(1);
        QCOMPARE(startup_->ImageText(), QStringLiteral("Image  1 ( 170 x  220 x  8 bpp)"));
        QCOMPARE(startup_->ImageText(true), QStringLiteral("Image  1 ( 170 x  220 x  8 bpp )"));
    }

    void unconfiguredScannerEndsTheProgram_data() {
        QTest::addColumn<QString>("scanner");
        QTest::newRow("no setting") << QString();
        QTest::newRow("empty setting") << QStringLiteral("");
    }
    void unconfiguredScannerEndsTheProgram() {
        QFETCH(QString, scanner);
        if (!scanner.isNull())
            Configure(scanner);
        int endedWhenShown = -1;
        bool visibleWhenShown = false;
        boxes_->onShow([&](const MessageBoxRequest&) {
            endedWhenShown = ended_;
            visibleWhenShown = window_->isVisible();
        });
        QVERIFY(!startup_->Start());
        QCOMPARE(boxes_->count(), 1);
        QCOMPARE(boxes_->last().text,
                 QStringLiteral("Configuration is not completed yet. Restart this program and "
                                "complete configuration first."));
        QCOMPARE(boxes_->last().icon, MsgIcon::NoIcon);
        QCOMPARE(boxes_->last().buttons, MsgButtons::Ok);
        QCOMPARE(boxes_->last().caption, AppTitle());
        QCOMPARE(endedWhenShown, 0);
        QVERIFY(visibleWhenShown);
        QCOMPARE(ended_, 1);
        // Nothing else happened: no control, no status, no sources.
        QVERIFY(startup_->Scanner1() == nullptr);
        QVERIFY(sim_ == nullptr);
        QVERIFY(status_.history.isEmpty());
        QCOMPARE(w_.Combo1->count(), 0);
    }

    void startUpSelectsTheConfiguredSource_data() {
        QTest::addColumn<QString>("scanner");
        QTest::addColumn<int>("position");
        QTest::newRow("second") << QStringLiteral("1") << 1;
        QTest::newRow("first") << QStringLiteral("0") << 0;
        QTest::newRow("blanks around") << QStringLiteral(" 1 ") << 1;
    }
    void startUpSelectsTheConfiguredSource() {
        QFETCH(QString, scanner);
        QFETCH(int, position);
        Configure(scanner);
        w_.Timer2->start();
        QVERIFY(startup_->Start());
        QCOMPARE(ended_, 0);
        QCOMPARE(boxes_->count(), 0);
        QVERIFY(!w_.Timer2->isActive());
        QCOMPARE(w_.Combo1->count(), 2);
        QCOMPARE(w_.Combo1->itemText(0), QStringLiteral("Simulated Flatbed"));
        QCOMPARE(w_.Combo1->itemText(1), QStringLiteral("Simulated Feeder"));
        QCOMPARE(w_.Combo1->itemData(0).toInt(), 0);
        QCOMPARE(w_.Combo1->itemData(1).toInt(), 1);
        QCOMPARE(w_.Combo1->currentIndex(), position);
        QCOMPARE(Sim().SourceIndex(), position);
        QCOMPARE(startup_->CurrentImageIndex(), 0);
        const QString selected = QStringLiteral("SourceIndex=%1").arg(position);
        QCOMPARE(Sim().log(),
                 (QStringList{"ScanSettingB=0", "OpenSource", "ScanSettingH=1", "ScanSettingF=0",
                              "ScanSettingA=1", "ScanSettingD=15", "ScanSettingK=0",
                              "ScanSettingE=200", "ScanSettingJ=0", "StartDevice",
                              "ScanSettingD=10", "ScanSettingB=0", "ScanSettingG=0",
                              "ScanSettingA=0", "ScanSettingC=1", selected, selected}));
        QCOMPARE(status_.history, (QStringList{"Start scanner", "Start device"}));
        // The choice is not stored.
        QCOMPARE(SettingsStore().Read(SettingsStore::Setup(), QStringLiteral("Scanner")), scanner);
    }

    void deviceManagerNotStarted() {
        script_ = [](SimulatedScanner::Script& s) {
            s.startDeviceAnswer = false;
        };
        Configure(QStringLiteral("0"));
        startup_->SetCurrentImageIndex(5);
        QVERIFY(startup_->Start());
        QCOMPARE(status_.history, QStringList{"Start scanner"});
        QVERIFY(!Sim().log().contains(QStringLiteral("ScanSettingD=10")));
        QVERIFY(!Sim().log().contains(QStringLiteral("ScanSettingC=1")));
        QCOMPARE(startup_->CurrentImageIndex(), 0);
        // No sources listed: the configured one is missing.
        QCOMPARE(w_.Combo1->count(), 0);
        QCOMPARE(boxes_->count(), 1);
        QCOMPARE(boxes_->last().icon, MsgIcon::Exclamation);
    }

    void missingConfiguredSourceIsTold_data() {
        QTest::addColumn<QString>("scanner");
        QTest::addColumn<int>("sources");
        QTest::newRow("beyond the list") << QStringLiteral("2") << 2;
        QTest::newRow("no scanner at all") << QStringLiteral("0") << 0;
        QTest::newRow("not a number") << QStringLiteral("Fujitsu") << 2;
        QTest::newRow("negative") << QStringLiteral("-1") << 2;
    }
    void missingConfiguredSourceIsTold() {
        QFETCH(QString, scanner);
        QFETCH(int, sources);
        script_ = [sources](SimulatedScanner::Script& s) {
            s.sources = s.sources.mid(0, sources);
        };
        Configure(scanner);
        QVERIFY(startup_->Start());
        QCOMPARE(ended_, 0);
        QCOMPARE(boxes_->count(), 1);
        QCOMPARE(boxes_->last().text,
                 QStringLiteral("The configured scanner is not available. Choose a scanner "
                                "under Tools, Configuration."));
        QCOMPARE(boxes_->last().icon, MsgIcon::Exclamation);
        QCOMPARE(boxes_->last().buttons, MsgButtons::Ok);
        QCOMPARE(w_.Combo1->count(), sources);
        QCOMPARE(w_.Combo1->currentIndex(), -1);
        for (const QString& entry : Sim().log())
            QVERIFY2(!entry.startsWith(QStringLiteral("SourceIndex=")), qPrintable(entry));
        QCOMPARE(status_.history.constLast(), QStringLiteral("Start device"));
    }

    void sourcesListedLateJoinTheBox() {
        script_ = [](SimulatedScanner::Script& s) {
            s.sources = s.sources.mid(0, 1);
        };
        Configure(QStringLiteral("1"));
        QVERIFY(startup_->Start());
        QCOMPARE(boxes_->count(), 1);
        QCOMPARE(w_.Combo1->currentIndex(), -1);
        Sim().clearLog();
        Sim().script().sources << QStringLiteral("Late Feeder") << QStringLiteral("Later One");
        emit Sim().SourcesChanged();
        QCOMPARE(w_.Combo1->count(), 3);
        QCOMPARE(w_.Combo1->itemText(1), QStringLiteral("Late Feeder"));
        QCOMPARE(w_.Combo1->itemData(2).toInt(), 2);
        QCOMPARE(w_.Combo1->currentIndex(), 1);
        QCOMPARE(Sim().SourceIndex(), 1);
        // A further change keeps the operator's choice.
        w_.Combo1->setCurrentIndex(0);
        Sim().script().sources << QStringLiteral("Latest");
        emit Sim().SourcesChanged();
        QCOMPARE(w_.Combo1->count(), 4);
        QCOMPARE(w_.Combo1->currentIndex(), 0);
        QCOMPARE(Sim().SourceIndex(), 0);
        QCOMPARE(boxes_->count(), 1);
    }

    void choosingASourceUsesIt() {
        Configure(QStringLiteral("1"));
        QVERIFY(startup_->Start());
        Sim().clearLog();
        w_.Combo1->setCurrentIndex(0);
        QCOMPARE(Sim().log(), QStringList{"SourceIndex=0"});
        startup_->Combo1_Click();
        QCOMPARE(Sim().SourceIndex(), 0);
        QCOMPARE(SettingsStore().Read(SettingsStore::Setup(), QStringLiteral("Scanner")),
                 QStringLiteral("1"));
    }

    void clearingAnEmptyBufferTouchesNothing() {
        StartWithImages(0);
        if (QTest::currentTestFailed())
            return;
        const QImage shown(10, 10, QImage::Format_Grayscale8);
        w_.Image1->SetPicture(shown);
        startup_->SetCurrentImageIndex(0);
        startup_->ClearImageBuffer();
        QCOMPARE(w_.LabelImageNum->text(), QStringLiteral("No images"));
        QVERIFY(w_.Command2->isEnabled());
        QVERIFY(w_.Image1->HasPicture());
        QCOMPARE(startup_->CurrentImageIndex(), 0);
        QCOMPARE(boxes_->count(), 0);
    }

    void clearingFollowsEachDeletion_data() {
        QTest::addColumn<int>("startIndex");
        QTest::addColumn<QList<int>>("indexes");
        QTest::addColumn<QStringList>("labels");
        const QString first = QStringLiteral("Image  0 ( 170 x  220 x  8 bpp)");
        QTest::newRow("from the first image")
            << 0 << QList<int>{0, 0, 0} << QStringList{"No images", first, first};
        QTest::newRow("from the last image")
            << 2 << QList<int>{2, 1, 0}
            << QStringList{"No images", "Image  1 ( 170 x  220 x  8 bpp)", first};
    }
    void clearingFollowsEachDeletion() {
        QFETCH(int, startIndex);
        QFETCH(QList<int>, indexes);
        QFETCH(QStringList, labels);
        StartWithImages(3);
        if (QTest::currentTestFailed())
            return;
        w_.Command2->setEnabled(false);
        startup_->SetCurrentImageIndex(startIndex);
        QList<DeletionView> views;
        sim_->onDelete = [&](int index) {
            views.append({index, w_.LabelImageNum->text(), w_.Command2->isEnabled(),
                          w_.Image1->HasPicture()});
        };
        startup_->ClearImageBuffer();
        QCOMPARE(views.size(), 3);
        QList<int> seenIndexes;
        QStringList seenLabels;
        for (const DeletionView& v : views) {
            seenIndexes << v.index;
            seenLabels << v.label;
        }
        QCOMPARE(seenIndexes, indexes);
        QCOMPARE(seenLabels, labels);
        // Between deletions the preview shows a picture and Rotate is enabled.
        QVERIFY(views.at(1).rotateEnabled && views.at(2).rotateEnabled);
        QVERIFY(views.at(1).picture && views.at(2).picture);
        QCOMPARE(Sim().ImageCount(), 0);
        QCOMPARE(w_.LabelImageNum->text(), QString());
        QVERIFY(!w_.Command2->isEnabled());
        QVERIFY(!w_.Image1->HasPicture());
        QCOMPARE(startup_->CurrentImageIndex(), -1);
        QCOMPARE(boxes_->count(), 0);
    }

    void refusedDeletionsAreToldEachPass() {
        script_ = [](SimulatedScanner::Script& s) {
            s.refuseDelete = true;
        };
        StartWithImages(3);
        if (QTest::currentTestFailed())
            return;
        int deletions = 0;
        sim_->onDelete = [&](int) {
            ++deletions;
        };
        window_->hide();
        startup_->ClearImageBuffer();
        QCOMPARE(deletions, 3);
        QCOMPARE(boxes_->count(), 3);
        for (const MessageBoxRequest& box : boxes_->shown()) {
            QCOMPARE(box.text, QStringLiteral("The image cannot be deleted."));
            QCOMPARE(box.icon, MsgIcon::NoIcon);
            QCOMPARE(box.buttons, MsgButtons::Ok);
        }
        QVERIFY(window_->isVisible());
        QCOMPARE(Sim().ImageCount(), 3);
        QCOMPARE(w_.LabelImageNum->text(), QStringLiteral("No images"));
        QCOMPARE(startup_->CurrentImageIndex(), 0);
    }

    void shutdownClosesStopsAndReleases() {
        Configure(QStringLiteral("0"));
        QVERIFY(startup_->Start());
        QPointer<QObject> control(startup_->Scanner1());
        Sim().clearLog();
        startup_->Shutdown();
        QVERIFY(control.isNull());
        QVERIFY(startup_->Scanner1() == nullptr);
        // A second start makes a new control and runs the start-up again.
        QVERIFY(startup_->Start());
        QVERIFY(startup_->Scanner1() != nullptr);
        QCOMPARE(Sim().log().first(), QStringLiteral("ScanSettingB=0"));
    }

    void startsTheVirtualScanner() {
        InstallSaneScannerFactory();
        Configure(QStringLiteral("1"));
        QVERIFY(startup_->Start());
        // The device listing runs off the window's thread; the box fills in when it ends.
        QTRY_VERIFY_WITH_TIMEOUT(w_.Combo1->count() >= 2, 20000);
        QCOMPARE(boxes_->count(), 0);
        QCOMPARE(w_.Combo1->currentIndex(), 1);
        auto* sane = qobject_cast<SaneScanner*>(startup_->Scanner1());
        QVERIFY(sane != nullptr);
        QCOMPARE(sane->SourceIndex(), 1);
        QCOMPARE(sane->DeviceName(1), QByteArray("test:1"));
        QCOMPARE(w_.Combo1->currentText(), sane->SourceName(1));
        QCOMPARE(status_.history, (QStringList{"Start scanner", "Start device"}));
        // The feeder of the selected device is known once it is open.
        QTRY_VERIFY_WITH_TIMEOUT(sane->CapabilitiesKnown(), 20000);
        QCOMPARE(sane->DocumentFeedAvailable(), 1);
        startup_->Shutdown();
        QVERIFY(startup_->Scanner1() == nullptr);
    }

    void shutdownOrder() {
        Configure(QStringLiteral("0"));
        QVERIFY(startup_->Start());
        QStringList log;
        sim_->onRelease = [&](const QStringList& released) {
            log = released;
        };
        Sim().clearLog();
        startup_->Shutdown();
        QCOMPARE(log, (QStringList{"CloseSource", "StopDevice"}));
    }
};

QTEST_MAIN(TestScannerStartup)
#include "tst_scannerstartup.moc"
