// SaneScanner through the real libsane against the test backend (tests/sane-fake), whose
// devices carry real backends' source, mode, resolution, sensor and double-feed strings:
// resolution, grey and the simplex feeder, the device found by name, late and changing
// device lists, calls that never return, the paper sensor, double feeds.
#include "common/ScanSignals.h"
#include "scanner/SaneScanner.h"

#include "common/TestEnv.h"

#include <QtTest>

using namespace quiller;

namespace {
constexpr int kTimeout = 30000;

// Pages are letter size at 20 dpi, each its own shade of grey.
constexpr const char* kDevices = R"(
[fujitsu]
vendor = FUJITSU
model = fi-7160
sources = Flatbed | ADF Front | ADF Back | ADF Duplex
modes = Lineart | Halftone | Gray | Color
resolutions = 150, 300, 600
default_resolution = 300
sensor = page-loaded
paper_file = @STATE@/paper
[brother]
sources = FlatBed | Automatic Document Feeder(left aligned,Duplex) | Automatic Document Feeder(left aligned)
modes = Black & White | True Gray | 24bit Color
lineart_modes = Black & White
resolution_range = 100, 1200, 100
default_resolution = 300
[escl]
sources = Flatbed | ADF Duplex | ADF
modes = Color
resolutions = 75, 300, 600
resolution_type = fixed
default_resolution = 75
[canon_dr]
sources = ADF Duplex | ADF Front | ADF Back
modes = Lineart | Halftone | Gray | Color
resolutions = 150, 200, 300
double_feed = yes
faults = 3:double-feed
[avision]
vendor = Avision
model = AD240
sources = Normal | ADF Front | ADF Back | ADF Duplex
counting = device
unplug_file = @STATE@/unplugged
faults = 2:gone
[pixma]
sources = Flatbed | Automatic Document Feeder | ADF Duplex
faults = 1:hang@start
[epsonds]
sources = Flatbed | ADF Front | ADF Duplex
faults = 1:hang@read
[airscan]
sources = Flatbed | ADF | ADF Duplex
hang_open = yes
)";

} // namespace

class TestRealScanners : public QObject {
    Q_OBJECT
    QTemporaryDir state_;
    std::unique_ptr<SaneScanner> scanner_;

    QString State(const char* name) const { return state_.filePath(QString::fromUtf8(name)); }

    // The global keys; the first listings take as long as stock Debian's backend list.
    QByteArray globals_ = "list_delay_ms = 3600\n";
    int run_ = 0;

    // Every test function has a release file of its own: one left hanging by an earlier
    // function stays released.
    QString Release() const { return State("release") + QString::number(run_); }

    void WriteConfig(const QByteArray& globals) {
        globals_ = globals;
        QByteArray text = "log_file = @STATE@/scan.log\nrelease_file = " + Release().toUtf8() +
                          "\n" + globals + kDevices;
        // Every section: a feeder of the letter-size pages.
        text.replace("]\n", "]\ntype = sheetfed scanner\nimage_dpi = 20\npages = @STATE@/pages\n"
                            "y_range = 0, 279.4\n");
        text.replace("@STATE@", state_.path().toUtf8());
        test::WriteFile(State("fake.conf"), text);
    }

    // A started control on device quillerfake:<name>, grey at 200 dpi, a 1 by 2 inch frame.
    void Start(const char* name, bool feeder = true) {
        scanner_ = std::make_unique<SaneScanner>();
        QVERIFY(scanner_->StartDevice());
        QTRY_VERIFY_WITH_TIMEOUT(scanner_->ListingComplete(), kTimeout);
        scanner_->SelectDevice(QStringLiteral("quillerfake:") + QLatin1String(name));
        scanner_->OpenSource();
        scanner_->SetScanSettingH(1);
        scanner_->SetScanSettingE(200);
        scanner_->SetScanFrame(0, 0, 1, 2);
        scanner_->SetFeedSettingA(feeder ? 1 : 0);
    }

    QList<int> AcquireToEnd() { return test::AcquireToEnd(*scanner_, kTimeout); }

    QStringList LogLines() {
        QFile log(State("scan.log"));
        log.open(QIODevice::ReadOnly);
        return QString::fromUtf8(log.readAll()).split(QLatin1Char('\n'));
    }
    // The sources the device was started with, in order, as its log tells.
    QStringList StartedSources(const QString& device) {
        QStringList sources;
        for (const QString& line : LogLines())
            if (line.startsWith(QStringLiteral("start %1 source=").arg(device)))
                sources << line.section(QStringLiteral(" source="), 1).section(" status=", 0, 0);
        return sources;
    }
    // How many listings have reached the backend.
    qsizetype Listings() { return LogLines().count(QStringLiteral("list")); }

private slots:
    void initTestCase() {
        QVERIFY(state_.isValid());
        QDir().mkpath(State("pages"));
        for (int k = 0; k < 10; ++k) {
            QImage page(170, 220, QImage::Format_Grayscale8);
            page.fill(40 + 20 * k);
            QVERIFY(page.save(State("pages") +
                              QStringLiteral("/page%1.pgm").arg(k, 2, 10, QLatin1Char('0'))));
        }
        qputenv("QUILLER_FAKE_SANE_CONFIG", State("fake.conf").toUtf8());
    }
    void init() {
        ++run_;
        WriteConfig(globals_);
    }
    void cleanup() {
        scanner_.reset();
        test::WriteFile(Release(), "go"); // lets a call left hanging return
    }

    void slowDeviceListArrivesWithoutBlocking() {
        SaneScanner s;
        QVERIFY(s.StartDevice());
        QVERIFY(!s.ListingComplete()); // the listing sleeps 3.6 s; StartDevice did not wait
        QCOMPARE(s.SourceCount(), 0);
        // A batch asked for meanwhile runs on the first device once the listing has ended.
        s.SetFeedSettingA(1);
        QCOMPARE(test::AcquireToEnd(s, kTimeout).size(), 11); // ten pages, then the end
        QCOMPARE(s.AcquisitionResult().code, 0);
        QCOMPARE(s.ImageCount(), 10);
        QVERIFY(s.ListingComplete());
        QCOMPARE(s.SourceCount(), 8);
        QCOMPARE(s.SourceName(0), QStringLiteral("FUJITSU fi-7160"));
        // A second control shows the devices at once.
        SaneScanner second;
        QVERIFY(second.StartDevice());
        QCOMPARE(second.SourceCount(), 8);
    }

    void hungDeviceListEndsAndTheStationGoesOn() {
        WriteConfig("hang_list = yes\n");
        SaneScanner::SetTimeLimits({1000, 1000, 1000, 1000, 1000});
        SaneScanner s;
        QSignalSpy changed(&s, &ScannerControl::SourcesChanged);
        QVERIFY(s.StartDevice());
        QTRY_VERIFY_WITH_TIMEOUT(!changed.isEmpty(), kTimeout);
        QVERIFY(s.ListingComplete());
        s.StopDevice();
        // SANE frees a listing's list when the next begins: while the first is still in
        // the backend, a second control lists nothing and says so.
        const qsizetype listings = Listings();
        SaneScanner second;
        QSignalSpy secondChanged(&second, &ScannerControl::SourcesChanged);
        QVERIFY(second.StartDevice());
        QTRY_VERIFY_WITH_TIMEOUT(!secondChanged.isEmpty(), kTimeout);
        QCOMPARE(Listings(), listings);
        // Once the first comes back, listing works again.
        SaneScanner::SetTimeLimits({});
        WriteConfig({});
        test::WriteFile(Release(), "go");
        SaneScanner third;
        QVERIFY(third.StartDevice());
        QTRY_VERIFY_WITH_TIMEOUT(third.ListingComplete(), kTimeout);
        QCOMPARE(Listings(), listings + 1);
    }

    // A flatbed page at the resolution the device offers nearest to 200 dpi, in grey
    // (converted where the device has colour only), then a feeder batch that takes the
    // simplex source for every page.
    void resolutionGreyAndSimplexFeeder_data() {
        QTest::addColumn<QString>("device");
        QTest::addColumn<int>("dpi");
        QTest::addColumn<QString>("feeder");
        QTest::newRow("fujitsu: list 150/300/600") << "fujitsu" << 150 << "ADF Front";
        QTest::newRow("brother: range 100..1200 step 100, True Gray")
            << "brother" << 200 << "Automatic Document Feeder(left aligned)";
        QTest::newRow("escl: fixed list 75/300/600, colour only") << "escl" << 300 << "ADF";
    }
    void resolutionGreyAndSimplexFeeder() {
        QFETCH(QString, device);
        QFETCH(int, dpi);
        QFETCH(QString, feeder);
        Start(device.toUtf8().constData(), false);
        QCOMPARE(AcquireToEnd(), (QList<int>{0, 1}));
        QCOMPARE(scanner_->ImageWidth(0), dpi);
        QCOMPARE(scanner_->ImageHeight(0), 2 * dpi);
        QCOMPARE(scanner_->ImageBitsPerPixel(0), 8);
        QCOMPARE(test::Dpi(test::SavedFile(*scanner_, 0)), dpi);
        const qsizetype before = StartedSources(device).size();
        QCOMPARE(scanner_->DocumentFeedAvailable(), 1);
        QVERIFY(scanner_->FlatbedAvailable());
        scanner_->SetFeedSettingA(1);
        QCOMPARE(AcquireToEnd().size(), 11); // ten pages, then the end
        QCOMPARE(scanner_->AcquisitionResult().code, 0);
        const QStringList started = StartedSources(device).mid(before);
        QVERIFY(started.size() >= 10);
        QCOMPARE(started, QStringList(started.size(), feeder));
    }

    void unpluggedDeviceIsFoundByNameOnTheNextBatch() {
        Start("avision");
        const int avision = scanner_->FindSource(QStringLiteral("quillerfake:avision"));
        QVERIFY(avision > 0);
        // A stored position that now names another device loses to the device name.
        QCOMPARE(ScannerControl::ChooseSource(*scanner_, QStringLiteral("quillerfake:avision"), 0),
                 avision);
        QCOMPARE(ScannerControl::ChooseSource(*scanner_, QString(), 0), 0);
        QCOMPARE(ScannerControl::ChooseSource(*scanner_, QStringLiteral("quillerfake:gone"), 0),
                 -1);
        QCOMPARE(AcquireToEnd(), (QList<int>{0, 1})); // page 1, then the device goes away
        QVERIFY(
            scanner_->AcquisitionResult().text.contains(QStringLiteral("could not be reached")));
        QCOMPARE(AcquireToEnd(), QList<int>{1}); // still unplugged: told by name
        QVERIFY2(scanner_->AcquisitionResult().text.contains(
                     QStringLiteral("Avision AD240 (quillerfake:avision)")),
                 qPrintable(scanner_->AcquisitionResult().text));
        QVERIFY(QFile::remove(State("unplugged"))); // plugged in again
        QCOMPARE(AcquireToEnd().size(), 10);
        QCOMPARE(scanner_->AcquisitionResult().code, 0);
        QCOMPARE(scanner_->ImageCount(), 10); // pages 2 to 10 follow page 1
    }

    void doubleFeedStopsTheBatchAndKeepsThePagesBefore() {
        Start("canon_dr");
        QCOMPARE(AcquireToEnd(), (QList<int>{0, 0, 1}));
        QCOMPARE(scanner_->ImageCount(), 2);
        QVERIFY2(
            scanner_->AcquisitionResult().text.contains(QStringLiteral("two sheets")) &&
                scanner_->AcquisitionResult().text.contains(QStringLiteral("back into the feeder")),
            qPrintable(scanner_->AcquisitionResult().text));
        QCOMPARE(StartedSources(QStringLiteral("canon_dr")).value(0), QStringLiteral("ADF Front"));
    }

    void paperSensorIsReadWhenAsked() {
        Start("fujitsu");
        for (const bool paper : {false, true, false}) {
            if (paper)
                test::WriteFile(State("paper"), "sheets");
            else
                QFile::remove(State("paper"));
            int answer = -1;
            scanner_->RequestDocumentLoaded([&](int loaded) { answer = loaded; });
            QTRY_VERIFY_WITH_TIMEOUT(answer != -1, kTimeout);
            QCOMPARE(answer, paper ? 1 : 0);
        }
    }

    void callThatNeverReturnsEndsTheBatch_data() {
        QTest::addColumn<QString>("device");
        QTest::addColumn<QString>("words");
        QTest::newRow("sane_start")
            << QString("pixma") << QString("when asked to feed the next page");
        QTest::newRow("sane_read") << QString("epsonds") << QString("while sending a page");
        QTest::newRow("sane_open") << QString("airscan") << QString("while connecting");
    }
    void callThatNeverReturnsEndsTheBatch() {
        QFETCH(QString, device);
        QFETCH(QString, words);
        SaneScanner::SetTimeLimits({1000, 1000, 1000, 1000, 1000});
        Start(device.toUtf8().constData());
        const QList<int> flags = AcquireToEnd();
        SaneScanner::SetTimeLimits({});
        QCOMPARE(flags, QList<int>{1});
        QCOMPARE(scanner_->AcquisitionResult().code, 104);
        QVERIFY2(scanner_->AcquisitionResult().text.contains(words) &&
                     scanner_->AcquisitionResult().text.contains(QStringLiteral("quillerfake:") +
                                                                 device),
                 qPrintable(scanner_->AcquisitionResult().text));
        // The station goes on with the call left behind: another device scans.
        scanner_->SelectDevice(QStringLiteral("quillerfake:fujitsu"));
        scanner_->SetFeedSettingA(0);
        QCOMPARE(AcquireToEnd(), (QList<int>{0, 1}));
        QCOMPARE(scanner_->AcquisitionResult().code, 0);
        scanner_->StopDevice(); // never waits for the worker left behind
    }
};

QTEST_GUILESS_MAIN(TestRealScanners)
#include "tst_realscanners.moc"
