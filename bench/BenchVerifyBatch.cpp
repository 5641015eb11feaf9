// quiller-bench verify-batch: a feeder batch of labelled pages on the test SANE backend,
// as the scanner delivers it and with every page's label read and the batch filed, as an
// acquisition with label reading does it; the two alternate, --runs times each, and the
// medians are compared, so a moment of load on the machine does not fall on one side only.
#include "BenchScanner.h"
#include "BenchSupport.h"

#include "LabelPages.h"
#include "scanner/SaneScanner.h"
#include "station/verify/BatchFiling.h"
#include "station/verify/PageReading.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>

namespace quiller::bench {

namespace {

struct BatchRun {
    double ms = -1;
    int pages = 0;
    QString error;
    int verified = 0;
    double tailMs = 0; // from the scanner's end of the batch to the last page filed
};

BatchRun RunBatch(const QList<ExpectedRx>& expected, bool verify) {
    BatchRun run;
    SaneScanner s;
    s.StartDevice();
    while (!s.ListingComplete())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    s.SelectDevice(QStringLiteral("quillerfake:bench"));
    s.SetScanSettingH(1);
    s.SetScanSettingE(200);
    s.SetScanFrame(0, 0, 8.5f, 11);
    s.SetFeedSettingA(1);
    s.KeepScannedPages(verify);
    PageReading reading;
    BatchFiling filing(expected, FilingMode::Check, LabelPattern());
    bool ended = false;
    int read = 0;
    QObject::connect(&s, &ScannerControl::PostScan, [&](int flag) {
        if (flag != 0) {
            ended = true;
            return;
        }
        if (!verify)
            return;
        const int index = s.ImageCount() - 1;
        const int page = filing.AddPage(index);
        reading.Read(1, page, s.TakeScannedPage(index), s.PageJpeg(index));
    });
    QObject::connect(&reading, &PageReading::PageRead,
                     [&](quint64, int page, const QList<PageCode>& codes) {
                         filing.SetCodes(page, codes);
                         filing.TakeSettled(false);
                         ++read;
                     });
    QElapsedTimer t;
    t.start();
    s.Acquire();
    while (!ended)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const double scanned = double(t.nsecsElapsed()) / 1e6;
    while (verify && read < s.ImageCount())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    filing.TakeSettled(true);
    run.ms = double(t.nsecsElapsed()) / 1e6;
    run.tailMs = run.ms - scanned;
    run.pages = s.ImageCount();
    run.error = s.AcquisitionResult().text;
    run.verified = verify ? filing.Result().verified : 0;
    return run;
}

} // namespace

int VerifyBatch(const Args& a) {
    const int pages = int(a.Number(QStringLiteral("--pages"), 50));
    const int delay = int(a.Number(QStringLiteral("--read-delay-ms"), 2));
    const int runs = std::max(1, int(a.Number(QStringLiteral("--runs"), 3)));
    const QString fakeLib = a.Value(QStringLiteral("--fake-lib"), QUILLER_FAKE_SANE_LIBDIR);
    static const char* const formats[] = {"Code128", "Code39", "QRCode", "DataMatrix", "PDF417"};
    QTemporaryDir dir;
    QList<ExpectedRx> expected;
    QList<QImage> images;
    for (int i = 0; i < pages; ++i) {
        testing::LabelSpec label;
        label.text = QStringLiteral("%1-00").arg(800000 + i);
        label.format = QString::fromLatin1(formats[i % 5]);
        label.centre = QPointF(0.3 + 0.1 * (i % 5), 0.2 + 0.15 * (i % 4));
        label.angle = 90.0 * (i % 4) + (i % 3 - 1) * 3.0;
        images << testing::makeLabelPage(label, i);
        expected << ExpectedRx{QString::number(800000 + i), QStringLiteral("00")};
    }
    if (const QString error =
            testing::writeStackAsPgm(dir.filePath(QStringLiteral("pages")), images);
        !error.isEmpty())
        throw error;
    images.clear();
    UseFakeSane(dir.path(),
                QStringLiteral("[bench]\ntype = sheetfed scanner\nsources = ADF Front\n"
                               "modes = Gray\nresolutions = 200\nimage_dpi = 200\n"
                               "counting = session\nread_delay_ms = %1\npages = %2\n")
                    .arg(delay)
                    .arg(dir.filePath(QStringLiteral("pages"))),
                fakeLib);

    // The device of one run is closed on its worker while the next run starts; a run that
    // found it still busy is run again.
    auto runWhole = [&](bool verify) {
        BatchRun run = RunBatch(expected, verify);
        for (int attempt = 0; attempt < 20 && run.pages == 0; ++attempt) {
            QThread::msleep(100);
            run = RunBatch(expected, verify);
        }
        return run;
    };
    QList<BatchRun> backends, verifieds;
    for (int r = 0; r < runs; ++r) {
        backends << runWhole(false);
        verifieds << runWhole(true);
    }
    for (const BatchRun& run : backends + verifieds)
        if (run.pages != pages)
            throw QStringLiteral("the test backend served %1 of %2 pages (%3)")
                .arg(run.pages)
                .arg(pages)
                .arg(run.error);
    auto medianRun = [](QList<BatchRun> list) {
        std::sort(list.begin(), list.end(),
                  [](const BatchRun& x, const BatchRun& y) { return x.ms < y.ms; });
        return list[list.size() / 2];
    };
    const BatchRun backend = medianRun(backends);
    const BatchRun verified = medianRun(verifieds);
    Out() << "verify_batch_pages=" << pages << '\n'
          << "verify_batch_verified=" << verified.verified << '\n'
          << "verify_batch_backend_ms=" << QString::number(backend.ms, 'f', 0) << '\n'
          << "verify_batch_with_reading_ms=" << QString::number(verified.ms, 'f', 0) << '\n'
          << "verify_batch_ratio=" << QString::number(verified.ms / backend.ms, 'f', 3) << '\n'
          << "verify_batch_reading_tail_ms=" << QString::number(verified.tailMs, 'f', 0)
          << Qt::endl;
    return 0;
}

} // namespace quiller::bench
