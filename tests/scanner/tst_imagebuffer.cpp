// The scanner control's image buffer: pages are kept as the JPEG bytes of their files.
#include "scanner/SimulatedScanner.h"

#include <QBuffer>
#include <QFile>
#include <QImageWriter>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

using namespace quiller;

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

// The file the station wrote from a raw page before the buffer kept JPEG bytes.
QByteArray EncodedDirectly(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    return writer.write(image) ? bytes : QByteArray();
}

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The file the scanner stores for page `index`.
QByteArray Saved(SimulatedScanner& scanner, int index) {
    QTemporaryDir dir;
    return scanner.SaveImage(index, dir.filePath("p.jpg")) == 1 ? ReadAll(dir.filePath("p.jpg"))
                                                                : QByteArray();
}

} // namespace

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
        SimulatedScanner scanner;
        scanner.DeliverPage(raw);
        QCOMPARE(scanner.ImageCount(), 1);
        QCOMPARE(scanner.ImageWidth(0), 170);
        QCOMPARE(scanner.ImageHeight(0), 90);
        QCOMPARE(scanner.ImageBitsPerPixel(0), bitsPerPixel);

        // Byte for byte the file a raw page gives: no second encoding, no loss.
        const QByteArray stored = Saved(scanner, 0);
        QCOMPARE(stored, EncodedDirectly(raw));
        // What the preview shows is what the file holds; saving again writes the same.
        QCOMPARE(scanner.GetImage(0), QImage::fromData(stored, "JPEG"));
        QCOMPARE(Saved(scanner, 0), stored);
    }

    void pagesKeepTheirPlaceWhenOthersAreDeleted() {
        SimulatedScanner scanner;
        const QList<QImage> raws{Page(QSize(60, 40), QImage::Format_Grayscale8, 1),
                                 Page(QSize(80, 50), QImage::Format_Grayscale8, 2),
                                 Page(QSize(100, 30), QImage::Format_Grayscale8, 3)};
        for (const QImage& raw : raws)
            scanner.DeliverPage(raw);
        const QImage middle = scanner.GetImage(1); // decoded and kept
        QCOMPARE(scanner.DeleteImage(1), 1);
        QCOMPARE(scanner.ImageCount(), 2);
        // Index 1 is now the third page, never the kept picture of the deleted one.
        QCOMPARE(scanner.ImageWidth(1), 100);
        QCOMPARE(scanner.GetImage(1).size(), QSize(100, 30));
        QVERIFY(scanner.GetImage(1) != middle);
        QCOMPARE(scanner.GetImage(0).size(), QSize(60, 40));
        QCOMPARE(Saved(scanner, 1), EncodedDirectly(raws[2]));
    }

    void outOfRangeIndexesGiveNothing() {
        SimulatedScanner scanner;
        scanner.DeliverPage(Page(QSize(20, 10), QImage::Format_Grayscale8, 0));
        for (int index : {-1, 1}) {
            QVERIFY(scanner.GetImage(index).isNull());
            QCOMPARE(scanner.ImageWidth(index) + scanner.ImageHeight(index), 0);
            QCOMPARE(scanner.ImageBitsPerPixel(index), 0);
            QTemporaryDir dir;
            QCOMPARE(scanner.SaveImage(index, dir.filePath("x.jpg")), 0);
            QVERIFY(!QFile::exists(dir.filePath("x.jpg")));
            QVERIFY(scanner.ErrorText().contains(QString::number(index)));
        }
    }

    void rotationTurnsTheStoredPage_data() {
        QTest::addColumn<float>("angle");
        QTest::addColumn<QSize>("size");
        QTest::newRow("90") << 90.0f << QSize(50, 120);
        QTest::newRow("180") << 180.0f << QSize(120, 50);
        QTest::newRow("-90") << -90.0f << QSize(50, 120);
    }
    void rotationTurnsTheStoredPage() {
        QFETCH(float, angle);
        QFETCH(QSize, size);
        SimulatedScanner scanner;
        const QImage raw = Page(QSize(120, 50), QImage::Format_Grayscale8, 5);
        scanner.DeliverPage(raw);
        const QImage before = scanner.GetImage(0);
        QVERIFY(scanner.RotateImage(0, angle, 0) != 0);
        QCOMPARE(QSize(scanner.ImageWidth(0), scanner.ImageHeight(0)), size);
        QCOMPARE(scanner.ImageBitsPerPixel(0), 8);
        // The file holds the turned page, and it is what the preview shows.
        const QImage turned = scanner.GetImage(0);
        QCOMPARE(turned.size(), size);
        QCOMPARE(QImage::fromData(Saved(scanner, 0), "JPEG"), turned);
        // Turned back, the page is the page it was (within JPEG's loss).
        QVERIFY(scanner.RotateImage(0, -angle, 0) != 0);
        const QImage back = scanner.GetImage(0);
        QCOMPARE(back.size(), before.size());
        const QImage a = back.convertToFormat(QImage::Format_Grayscale8);
        const QImage b = before.convertToFormat(QImage::Format_Grayscale8);
        qint64 difference = 0;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x)
                difference += qAbs(int(a.constScanLine(y)[x]) - int(b.constScanLine(y)[x]));
        QVERIFY2(difference / (a.width() * a.height()) < 8,
                 qPrintable(QString::number(difference)));
    }
};

QTEST_GUILESS_MAIN(TstImageBuffer)
#include "tst_imagebuffer.moc"
