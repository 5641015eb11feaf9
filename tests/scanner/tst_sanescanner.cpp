// SaneScanner against SANE's virtual "test" devices (tests/data/sane-test-only): listing, flatbed
// acquisitions of every pixel kind, simulated device failures, stopping.
#include "common/ScanSignals.h"
#include "scanner/SaneScanner.h"

#include <QtTest>

using namespace quiller;

using quiller::test::Ended;
using quiller::test::Flags;

namespace {
constexpr int kTimeout = 20000;
} // namespace

class TestSaneScanner : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<SaneScanner> scanner_;

    // A started control (a new one when `fresh`) on test:<source>, opened, 200 dpi grey, a
    // half by quarter inch frame.
    void StartOn(int source, bool fresh = true) {
        if (fresh)
            scanner_ = std::make_unique<SaneScanner>();
        QVERIFY(scanner_->StartDevice());
        QTRY_VERIFY_WITH_TIMEOUT(scanner_->ListingComplete(), kTimeout);
        scanner_->SetSourceIndex(source);
        scanner_->OpenSource();
        QTRY_VERIFY_WITH_TIMEOUT(scanner_->CapabilitiesKnown(), kTimeout);
        scanner_->SetScanSettingH(1);
        scanner_->SetScanSettingE(200);
        scanner_->SetScanFrame(0, 0, 0.5f, 0.25f);
        scanner_->SetDeviceOption("test-picture", "Color pattern");
    }

    QList<int> AcquireToEnd() { return test::AcquireToEnd(*scanner_, kTimeout); }

private slots:
    void cleanup() { scanner_.reset(); }

    void listsTheVirtualDevices() {
        SaneScanner s;
        QCOMPARE(s.SourceCount(), 0);
        QSignalSpy changed(&s, &ScannerControl::SourcesChanged);
        QVERIFY(s.StartDevice());
        QVERIFY(changed.isEmpty()); // announced on the GUI thread, never inside StartDevice
        QTRY_COMPARE_WITH_TIMEOUT(changed.count(), 1, kTimeout);
        QCOMPARE(s.SourceCount(), 2);
        // Two devices of one model are told apart by their device names.
        QCOMPARE(
            (QStringList{s.SourceName(0), s.SourceName(1)}),
            (QStringList{"Noname frontend-tester (test:0)", "Noname frontend-tester (test:1)"}));
        QCOMPARE(s.DeviceName(1), QByteArray("test:1"));
        QCOMPARE(s.SourceName(2), QString());
        QCOMPARE(s.SourceName(-1), QString());
    }

    void flatbedPage_data() {
        QTest::addColumn<int>("pixelType");
        QTest::addColumn<QByteArray>("option");
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<int>("bitsPerPixel");
        QTest::newRow("black and white") << 0 << QByteArray() << QByteArray() << 1;
        QTest::newRow("grey 16 bit") << 1 << QByteArray("depth") << QByteArray("16") << 16;
        QTest::newRow("colour in three passes")
            << 2 << QByteArray("three-pass") << QByteArray("yes") << 24;
    }
    void flatbedPage() {
        QFETCH(int, pixelType);
        QFETCH(QByteArray, option);
        QFETCH(QByteArray, value);
        QFETCH(int, bitsPerPixel);
        StartOn(0);
        scanner_->SetScanSettingH(pixelType);
        if (!option.isEmpty())
            scanner_->SetDeviceOption(option, value);
        QCOMPARE(AcquireToEnd(), (QList<int>{0, 1}));
        QCOMPARE(scanner_->AcquisitionResult().code, 0);
        QCOMPARE(scanner_->ImageCount(), 1);
        // Half an inch by a quarter inch at 200 dpi.
        QCOMPARE(scanner_->ImageWidth(0), 100);
        QCOMPARE(scanner_->ImageHeight(0), 50);
        QCOMPARE(scanner_->ImageBitsPerPixel(0), bitsPerPixel);
        // Every kind of page can be stored as a JPEG file.
        QCOMPARE(QImage::fromData(test::SavedFile(*scanner_, 0), "JPEG").size(), QSize(100, 50));
    }

    // With a second control started and stopped meanwhile (SANE is shared).
    void resolutionAndFrameFollowTheWrittenValues() {
        SaneScanner dialogs;
        QVERIFY(dialogs.StartDevice());
        StartOn(1);
        dialogs.StopDevice(); // the other control keeps working
        QCOMPARE(scanner_->DocumentFeedAvailable(), 1);
        // The test device has no paper sensor: a document counts as loaded.
        QCOMPARE(scanner_->DocumentLoaded(), 1);
        scanner_->SetScanSettingE(100);
        scanner_->SetScanFrame(0.5f, 0.5f, 1.5f, 1.0f);
        QCOMPARE(AcquireToEnd(), (QList<int>{0, 1}));
        QCOMPARE(scanner_->AcquisitionResult().code, 0);
        QCOMPARE(scanner_->ImageWidth(0), 100);
        QCOMPARE(scanner_->ImageHeight(0), 50);
        // A frame beyond the glass is clamped to it; the page still arrives.
        scanner_->SetScanSettingE(10);
        scanner_->SetScanFrame(0, 0, 30.0f, 30.0f);
        QCOMPARE(AcquireToEnd(), (QList<int>{0, 1}));
        QCOMPARE(scanner_->AcquisitionResult().code, 0);
        QCOMPARE(scanner_->ImageCount(), 2);
        QVERIFY(scanner_->ImageWidth(1) > 0 && scanner_->ImageWidth(1) < 300);
    }

    void deviceFailureEndsWithReadableError_data() {
        QTest::addColumn<QByteArray>("status");
        QTest::addColumn<bool>("feeder");
        QTest::addColumn<QString>("words");
        QTest::newRow("jam") << QByteArray("SANE_STATUS_JAMMED") << true << "jammed";
        QTest::newRow("i/o error")
            << QByteArray("SANE_STATUS_IO_ERROR") << false << "could not be reached";
        QTest::newRow("cover open")
            << QByteArray("SANE_STATUS_COVER_OPEN") << false << "cover is open";
        QTest::newRow("empty feeder") << QByteArray("SANE_STATUS_NO_DOCS") << true << "no document";
        QTest::newRow("busy") << QByteArray("SANE_STATUS_DEVICE_BUSY") << false << "busy";
    }
    void deviceFailureEndsWithReadableError() {
        QFETCH(QByteArray, status);
        QFETCH(bool, feeder);
        QFETCH(QString, words);
        StartOn(0);
        // A page scanned before the failure stays in the buffer.
        QCOMPARE(AcquireToEnd(), (QList<int>{0, 1}));
        scanner_->SetFeedSettingA(feeder ? 1 : 0);
        scanner_->SetDeviceOption("read-return-value", status);
        QCOMPARE(AcquireToEnd(), QList<int>{1});
        QVERIFY(scanner_->AcquisitionResult().code != 0);
        QVERIFY2(scanner_->AcquisitionResult().text.contains(words, Qt::CaseInsensitive),
                 qPrintable(scanner_->AcquisitionResult().text));
        QCOMPARE(scanner_->ImageCount(), 1);
        // The next scan works again once the device behaves.
        scanner_->SetDeviceOption("read-return-value", "Default");
        scanner_->SetFeedSettingA(0);
        QCOMPARE(AcquireToEnd(), (QList<int>{0, 1}));
        QCOMPARE(scanner_->AcquisitionResult().code, 0);
        QCOMPARE(scanner_->ImageCount(), 2);
    }

    void stopDuringAcquisitionDropsItsPages() {
        StartOn(0);
        scanner_->SetDeviceOption("read-limit", "yes");
        scanner_->SetDeviceOption("read-limit-size", "1000");
        scanner_->SetDeviceOption("read-delay", "yes");
        scanner_->SetDeviceOption("read-delay-duration", "200000");
        scanner_->SetFeedSettingA(1);
        QSignalSpy spy(scanner_.get(), &ScannerControl::PostScan);
        QVERIFY(scanner_->Acquire().ok());
        QTest::qWait(300); // into the page: each read takes 0.2 s
        scanner_->StopDevice();
        QVERIFY(!scanner_->IsAcquiring());
        // Started again at once, the control waits for the stopped worker to let go of
        // the device (the backend answers "busy" until then) and scans normally; nothing
        // of the stopped acquisition arrives.
        StartOn(0, false);
        scanner_->SetFeedSettingA(0);
        scanner_->ClearDeviceOptions();
        QCOMPARE(AcquireToEnd(), (QList<int>{0, 1}));
        QCOMPARE(scanner_->AcquisitionResult().code, 0);
        QCOMPARE(Flags(spy).count(0), 1);
        QCOMPARE(scanner_->ImageCount(), 1);
    }

    void withoutASourceTheAcquisitionEndsWithAnError() {
        SaneScanner s;
        QSignalSpy spy(&s, &ScannerControl::PostScan);
        QVERIFY(s.Acquire().ok());
        QVERIFY(spy.isEmpty()); // reported later, never inside Acquire
        QTRY_VERIFY_WITH_TIMEOUT(Ended(spy), kTimeout);
        QCOMPARE(Flags(spy), QList<int>{1});
        QVERIFY(s.AcquisitionResult().code != 0);
        QVERIFY(s.AcquisitionResult().text.contains(QStringLiteral("Tools, Configuration")));
        QCOMPARE(s.ImageCount(), 0);
    }
};

QTEST_GUILESS_MAIN(TestSaneScanner)
#include "tst_sanescanner.moc"
