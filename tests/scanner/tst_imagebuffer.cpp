// The scanner control's image buffer: pages are kept as the JPEG bytes of their files.
#include "common/ScanSignals.h"
#include "common/ScriptedScanner.h"
#include "common/TestEnv.h"
#include "scanner/LosslessJpeg.h"

#include <QImageWriter>
#include <QPainter>
#include <QtTest>

using namespace quiller;
using quiller::test::ScriptedScanner;

namespace {

QImage Page(QSize size, QImage::Format format, int seed) {
    QImage page(size, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter p(&page);
    p.setPen(QColor(seed % 200, 40, 90));
    for (int i = 0; i < 20; ++i)
        p.drawLine(i * 7 % size.width(), 0, (i * 13 + seed) % size.width(), size.height() - 1);
    p.fillRect(QRect(seed % size.width(), size.height() / 3, size.width() / 4, size.height() / 3),
               QColor(20, 20, 20));
    p.end();
    return page.convertToFormat(format);
}

// The mean difference of two grey pages' pixels (255 when their sizes differ).
int MeanDifference(const QImage& x, const QImage& y) {
    if (x.size() != y.size())
        return 255;
    const QImage a = x.convertToFormat(QImage::Format_Grayscale8);
    const QImage b = y.convertToFormat(QImage::Format_Grayscale8);
    qint64 sum = 0;
    for (int row = 0; row < a.height(); ++row)
        for (int col = 0; col < a.width(); ++col)
            sum += qAbs(int(a.constScanLine(row)[col]) - int(b.constScanLine(row)[col]));
    return int(sum / (qint64(a.width()) * a.height()));
}

// The file the station wrote from a raw page before the buffer kept JPEG bytes.
QByteArray EncodedDirectly(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    return writer.write(image) ? bytes : QByteArray();
}

} // namespace

using test::SavedFile;

class TstImageBuffer : public QObject {
    Q_OBJECT
private slots:
    void storedFileIsTheEncodedPageAndTheBufferReportsItsScan_data() {
        QTest::addColumn<int>("format");
        QTest::addColumn<int>("bitsPerPixel");
        QTest::newRow("grey") << int(QImage::Format_Grayscale8) << 8;
        QTest::newRow("colour") << int(QImage::Format_RGB888) << 24;
        QTest::newRow("black and white") << int(QImage::Format_Mono) << 1;
        QTest::newRow("grey 16 bit") << int(QImage::Format_Grayscale16) << 16;
        QTest::newRow("colour 32 bit") << int(QImage::Format_RGB32) << 32;
    }
    void storedFileIsTheEncodedPageAndTheBufferReportsItsScan() {
        QFETCH(int, format);
        QFETCH(int, bitsPerPixel);
        const QImage raw = Page(QSize(170, 90), QImage::Format(format), 3);
        ScriptedScanner scanner;
        scanner.DeliverPage(raw);
        QCOMPARE(scanner.ImageWidth(0), 170);
        QCOMPARE(scanner.ImageHeight(0), 90);
        QCOMPARE(scanner.ImageBitsPerPixel(0), bitsPerPixel);

        // Byte for byte the file a raw page gives: no second encoding, no loss.
        const QByteArray stored = SavedFile(scanner, 0);
        QCOMPARE(stored, EncodedDirectly(raw));
        // What the preview shows is what the file holds; saving again writes the same.
        QCOMPARE(scanner.GetImage(0), QImage::fromData(stored, "JPEG"));
        QCOMPARE(SavedFile(scanner, 0), stored);
    }

    void pagesKeepTheirPlaceWhenOthersAreDeleted() {
        ScriptedScanner scanner;
        const QList<QImage> raws{Page(QSize(60, 40), QImage::Format_Grayscale8, 1),
                                 Page(QSize(80, 50), QImage::Format_Grayscale8, 2),
                                 Page(QSize(100, 30), QImage::Format_Grayscale8, 3)};
        for (const QImage& raw : raws)
            scanner.DeliverPage(raw);
        const QImage middle = scanner.GetImage(1); // decoded and kept
        QVERIFY(scanner.DeleteImage(1).ok());
        QCOMPARE(scanner.ImageCount(), 2);
        // Index 1 is now the third page, never the kept picture of the deleted one.
        QCOMPARE(scanner.ImageWidth(1), 100);
        QCOMPARE(scanner.GetImage(1).size(), QSize(100, 30));
        QVERIFY(scanner.GetImage(1) != middle);
        QCOMPARE(scanner.GetImage(0).size(), QSize(60, 40));
        QCOMPARE(SavedFile(scanner, 1), EncodedDirectly(raws[2]));
        // Out of range: nothing, and an older file of the name is kept.
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("123_01.jpg"));
        test::WriteFile(path, "an older file that is no JPEG");
        for (int index : {-1, 2}) {
            QVERIFY(scanner.GetImage(index).isNull());
            QCOMPARE(scanner.ImageWidth(index) + scanner.ImageHeight(index), 0);
            QCOMPARE(scanner.ImageBitsPerPixel(index), 0);
            const ScanResult saved = scanner.SaveImage(index, path);
            QVERIFY(!saved.ok());
            QCOMPARE(test::ReadFile(path), "an older file that is no JPEG");
            QVERIFY(saved.text.contains(QString::number(index)));
        }
        // A page replaces it, leaving no other file behind.
        QVERIFY(scanner.SaveImage(0, path).ok());
        QCOMPARE(QImage(path, "JPEG").size(), QSize(60, 40));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"123_01.jpg"});
    }

    // A page of whole 8x8 blocks is turned without decoding (turned back, it has the same
    // pixels); one with a partial block at an edge is decoded, turned and encoded again.
    void rotationTurnsTheStoredPage_data() {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<float>("angle");
        QTest::addColumn<QSize>("turned");
        QTest::newRow("90") << QSize(120, 50) << 90.0f << QSize(50, 120);
        QTest::newRow("180") << QSize(120, 50) << 180.0f << QSize(120, 50);
        QTest::newRow("whole blocks, 90") << QSize(200, 400) << 90.0f << QSize(400, 200);
        QTest::newRow("whole blocks, -90") << QSize(200, 400) << -90.0f << QSize(400, 200);
    }
    void rotationTurnsTheStoredPage() {
        QFETCH(QSize, size);
        QFETCH(float, angle);
        QFETCH(QSize, turned);
        const bool lossless = size.width() % 8 == 0 && size.height() % 8 == 0;
        ScriptedScanner scanner;
        QImage raw = Page(size, QImage::Format_Grayscale8, 5);
        raw.setDotsPerMeterX(7874); // 200 dpi
        raw.setDotsPerMeterY(7874);
        scanner.DeliverPage(raw);
        const QImage before = scanner.GetImage(0);
        QCOMPARE(RotateJpegLossless(SavedFile(scanner, 0), 1).has_value(), lossless);
        QVERIFY(scanner.RotateImage(0, angle, 0).ok());
        QCOMPARE(QSize(scanner.ImageWidth(0), scanner.ImageHeight(0)), turned);
        QCOMPARE(scanner.ImageBitsPerPixel(0), 8);
        // The file holds the page turned the right way round, at its density, and it is
        // what the preview shows.
        const QByteArray file = SavedFile(scanner, 0);
        QCOMPARE(scanner.GetImage(0), QImage::fromData(file, "JPEG"));
        QCOMPARE(test::Dpi(file), 200);
        QVERIFY(MeanDifference(scanner.GetImage(0),
                               before.transformed(QTransform().rotate(angle))) < 8);
        // Turned back, the page is the page it was (within JPEG's loss when re-encoded).
        QVERIFY(scanner.RotateImage(0, -angle, 0).ok());
        if (lossless)
            QCOMPARE(scanner.GetImage(0), before);
        QVERIFY(MeanDifference(scanner.GetImage(0), before) < 8);
    }
};

QTEST_GUILESS_MAIN(TstImageBuffer)
#include "tst_imagebuffer.moc"
