#include "BenchScanner.h"

#include "scanner/LosslessJpeg.h"
#include "scanner/SaneScanner.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QTemporaryDir>
#include <QTransform>
#include <sane/sane.h>

#include <vector>

namespace quiller::bench {

namespace {

void Figure(QTextStream& out, const char* name, double value) {
    out << name << '=' << QString::number(value, 'f', 2) << Qt::endl;
}

QImage Page(int k) {
    QImage page(1700, 2200, QImage::Format_Grayscale8);
    page.fill(235);
    for (int y = 150 + 40 * k; y < 2000; y += 37) // lines of "text"
        for (int x = 150; x < 1550; ++x)
            if ((x / 9 + y / 37 + k) % 5 != 0)
                page.setPixel(x, y, qRgb(30, 30, 30));
    return page;
}

// The backend's own time: every page read with plain libsane calls.
double PlainSaneMs(int pages) {
    QElapsedTimer t;
    t.start();
    SANE_Int version = 0;
    sane_init(&version, nullptr);
    SANE_Handle h = nullptr;
    int read = 0;
    if (sane_open("quillerfake:bench", &h) == SANE_STATUS_GOOD) {
        std::vector<SANE_Byte> chunk(256 * 1024);
        while (read < pages && sane_start(h) == SANE_STATUS_GOOD) {
            SANE_Int n = 0;
            while (sane_read(h, chunk.data(), SANE_Int(chunk.size()), &n) == SANE_STATUS_GOOD) {
            }
            ++read;
        }
        sane_cancel(h);
        sane_close(h);
    }
    sane_exit();
    return read == pages ? double(t.nsecsElapsed()) / 1e6 : -1;
}

} // namespace

void UseFakeSane(const QString& folder, const QString& config, const QString& fakeLib) {
    const QDir dir(folder);
    QFile conf(dir.filePath(QStringLiteral("quillerfake.conf")));
    conf.open(QIODevice::WriteOnly);
    conf.write(config.toUtf8());
    conf.close();
    QFile dll(dir.filePath(QStringLiteral("dll.conf")));
    dll.open(QIODevice::WriteOnly);
    dll.write("quillerfake\n");
    dll.close();
    qputenv("SANE_CONFIG_DIR", folder.toUtf8());
    qputenv("QUILLER_FAKE_SANE_CONFIG", conf.fileName().toUtf8());
    qputenv("LD_LIBRARY_PATH", fakeLib.toUtf8() + ':' + qgetenv("LD_LIBRARY_PATH"));
}

int Feeder(int pages, const QString& fakeLib, QTextStream& out) {
    QTemporaryDir dir;
    QDir().mkpath(dir.filePath(QStringLiteral("pages")));
    for (int k = 0; k < pages; ++k)
        Page(k).save(dir.filePath(QStringLiteral("pages/p%1.pgm").arg(k, 3, 10, QLatin1Char('0'))));
    UseFakeSane(dir.path(),
                QStringLiteral("[bench]\ntype = sheetfed scanner\nsources = Flatbed | ADF Front | "
                               "ADF Duplex\nmodes = Lineart | Gray | Color\nresolutions = 200\n"
                               "image_dpi = 200\ncounting = session\npages = %1\n")
                    .arg(dir.filePath(QStringLiteral("pages"))),
                fakeLib);

    const double plain = PlainSaneMs(pages);
    if (plain < 0) {
        out << "feeder: the test backend did not serve the pages (" << fakeLib << ")" << Qt::endl;
        return 1;
    }
    SaneScanner s;
    s.StartDevice();
    s.SelectDevice(QStringLiteral("quillerfake:bench"));
    s.SetScanSettingH(1);
    s.SetScanSettingE(200);
    s.SetScanFrame(0, 0, 8.5f, 11);
    s.SetFeedSettingA(1);
    bool ended = false;
    QObject::connect(&s, &ScannerControl::PostScan, [&](int flag) { ended = ended || flag != 0; });
    QElapsedTimer t;
    t.start();
    s.Acquire();
    while (!ended)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const double station = double(t.nsecsElapsed()) / 1e6;
    if (s.ImageCount() != pages) {
        out << "feeder: " << s.ImageCount() << " pages, " << s.AcquisitionResult().text << Qt::endl;
        return 1;
    }
    out << "feeder_pages=" << pages << Qt::endl;
    Figure(out, "feeder_backend_ms_per_page", plain / pages);
    Figure(out, "feeder_station_ms_per_page", station / pages);
    Figure(out, "feeder_overhead_ms_per_page", (station - plain) / pages);
    return 0;
}

int Rotate(int runs, QTextStream& out) {
    const EncodedPage page = EncodePage(Page(0).copy(0, 0, 1600, 2200));
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < runs; ++i)
        if (!RotateJpegLossless(page.jpeg, 1))
            return 1;
    const double lossless = double(t.nsecsElapsed()) / 1e6 / runs;
    t.restart();
    for (int i = 0; i < runs; ++i)
        EncodePage(QImage::fromData(page.jpeg).transformed(QTransform().rotate(90)));
    const double reencode = double(t.nsecsElapsed()) / 1e6 / runs;
    Figure(out, "rotate_lossless_ms", lossless);
    Figure(out, "rotate_decode_encode_ms", reencode);
    return 0;
}

} // namespace quiller::bench
