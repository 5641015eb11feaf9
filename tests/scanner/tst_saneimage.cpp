// The page image built from SANE frame parameters and bytes.
#include "scanner/SaneImage.h"

#include <QtTest>
#include <cstring>

using namespace quiller;

namespace {

SaneFrame Frame(SANE_Frame format, int depth, int width, int lines, int bytesPerLine,
                const QByteArray& data, bool last = true) {
    SaneFrame f;
    f.parameters.format = format;
    f.parameters.last_frame = last ? SANE_TRUE : SANE_FALSE;
    f.parameters.depth = depth;
    f.parameters.pixels_per_line = width;
    f.parameters.lines = lines;
    f.parameters.bytes_per_line = bytesPerLine;
    f.data = data;
    return f;
}

QByteArray Bytes(std::initializer_list<int> values) {
    QByteArray b;
    for (int v : values)
        b.append(char(v));
    return b;
}

QByteArray Samples16(std::initializer_list<quint16> values) {
    QByteArray b;
    for (quint16 v : values)
        b.append(reinterpret_cast<const char*>(&v), sizeof v);
    return b;
}

} // namespace

Q_DECLARE_METATYPE(QList<quiller::SaneFrame>)

class TestSaneImage : public QObject {
    Q_OBJECT
private slots:
    void grey8KeepsEveryPixelAndSkipsLinePadding() {
        // 3 pixels a line, padded to 4 bytes.
        const QImage image = BuildSaneImage(
            {Frame(SANE_FRAME_GRAY, 8, 3, 2, 4, Bytes({0, 128, 255, 99, 10, 20, 30, 99}))});
        QCOMPARE(image.format(), QImage::Format_Grayscale8);
        QCOMPARE(image.size(), QSize(3, 2));
        QCOMPARE(qGray(image.pixel(0, 0)), 0);
        QCOMPARE(qGray(image.pixel(1, 0)), 128);
        QCOMPARE(qGray(image.pixel(2, 0)), 255);
        QCOMPARE(qGray(image.pixel(0, 1)), 10);
        QCOMPARE(qGray(image.pixel(2, 1)), 30);
    }

    void grey1SetBitsAreBlack() {
        // 10 pixels: 1000 0000 01 / 0111 1111 10
        const QImage image =
            BuildSaneImage({Frame(SANE_FRAME_GRAY, 1, 10, 2, 2, Bytes({0x80, 0x40, 0x7F, 0x80}))});
        QCOMPARE(image.format(), QImage::Format_Mono);
        QCOMPARE(image.size(), QSize(10, 2));
        QCOMPARE(image.pixel(0, 0), qRgb(0, 0, 0));
        QCOMPARE(image.pixel(1, 0), qRgb(255, 255, 255));
        QCOMPARE(image.pixel(9, 0), qRgb(0, 0, 0));
        QCOMPARE(image.pixel(8, 0), qRgb(255, 255, 255));
        QCOMPARE(image.pixel(0, 1), qRgb(255, 255, 255));
        QCOMPARE(image.pixel(1, 1), qRgb(0, 0, 0));
        QCOMPARE(image.pixel(8, 1), qRgb(0, 0, 0));
        QCOMPARE(image.pixel(9, 1), qRgb(255, 255, 255));
    }

    void grey16InHostOrder() {
        const QImage image =
            BuildSaneImage({Frame(SANE_FRAME_GRAY, 16, 2, 1, 4, Samples16({0x1234, 0xFFFF}))});
        QCOMPARE(image.format(), QImage::Format_Grayscale16);
        QCOMPARE(reinterpret_cast<const quint16*>(image.constScanLine(0))[0], quint16(0x1234));
        QCOMPARE(reinterpret_cast<const quint16*>(image.constScanLine(0))[1], quint16(0xFFFF));
    }

    void rgb8Interleaved() {
        const QImage image =
            BuildSaneImage({Frame(SANE_FRAME_RGB, 8, 2, 1, 6, Bytes({255, 0, 0, 1, 2, 3}))});
        QCOMPARE(image.format(), QImage::Format_RGB888);
        QCOMPARE(image.pixel(0, 0), qRgb(255, 0, 0));
        QCOMPARE(image.pixel(1, 0), qRgb(1, 2, 3));
    }

    void rgb16Interleaved() {
        const QImage image = BuildSaneImage(
            {Frame(SANE_FRAME_RGB, 16, 1, 1, 6, Samples16({0xFFFF, 0x8000, 0x0000}))});
        QCOMPARE(image.format(), QImage::Format_RGBX64);
        const QRgba64 p = image.pixelColor(0, 0).rgba64();
        QCOMPARE(p.red(), quint16(0xFFFF));
        QCOMPARE(p.green(), quint16(0x8000));
        QCOMPARE(p.blue(), quint16(0));
    }

    void threePassFramesInAnyOrder_data() {
        QTest::addColumn<int>("depth");
        QTest::newRow("8 bit") << 8;
        QTest::newRow("16 bit") << 16;
    }
    void threePassFramesInAnyOrder() {
        QFETCH(int, depth);
        auto band = [&](SANE_Frame f, int a, int b, bool last) {
            return depth == 8 ? Frame(f, 8, 2, 1, 2, Bytes({a, b}), last)
                              : Frame(f, 16, 2, 1, 4,
                                      Samples16({quint16(a * 257), quint16(b * 257)}), last);
        };
        const QImage image = BuildSaneImage({band(SANE_FRAME_BLUE, 30, 60, false),
                                             band(SANE_FRAME_RED, 10, 40, false),
                                             band(SANE_FRAME_GREEN, 20, 50, true)});
        QVERIFY(!image.isNull());
        QCOMPARE(image.size(), QSize(2, 1));
        QCOMPARE(image.pixel(0, 0), qRgb(10, 20, 30));
        QCOMPARE(image.pixel(1, 0), qRgb(40, 50, 60));
    }

    void unknownHeightIsTakenFromTheBytesRead() {
        const QImage image =
            BuildSaneImage({Frame(SANE_FRAME_GRAY, 8, 2, -1, 2, Bytes({1, 2, 3, 4, 5, 6, 7}))});
        QCOMPARE(image.size(), QSize(2, 3)); // the half line at the end is dropped
        QCOMPARE(qGray(image.pixel(1, 2)), 6);
    }

    void missingBytesLeaveWhiteLines() {
        const QImage grey = BuildSaneImage({Frame(SANE_FRAME_GRAY, 8, 2, 3, 2, Bytes({0, 0}))});
        QCOMPARE(grey.size(), QSize(2, 3));
        QCOMPARE(qGray(grey.pixel(0, 0)), 0);
        QCOMPARE(qGray(grey.pixel(0, 1)), 255);
        QCOMPARE(qGray(grey.pixel(1, 2)), 255);
        const QImage mono = BuildSaneImage({Frame(SANE_FRAME_GRAY, 1, 8, 2, 1, Bytes({0xFF}))});
        QCOMPARE(mono.pixel(3, 0), qRgb(0, 0, 0));
        QCOMPARE(mono.pixel(3, 1), qRgb(255, 255, 255));
    }

    void unusableFramesGiveNoImage_data() {
        QTest::addColumn<QList<SaneFrame>>("frames");
        const QByteArray four = Bytes({1, 2, 3, 4});
        QTest::newRow("no frame") << QList<SaneFrame>{};
        QTest::newRow("depth 4") << QList<SaneFrame>{Frame(SANE_FRAME_GRAY, 4, 2, 1, 1, four)};
        QTest::newRow("line shorter than its pixels")
            << QList<SaneFrame>{Frame(SANE_FRAME_GRAY, 8, 5, 1, 4, four)};
        QTest::newRow("rgb line too short")
            << QList<SaneFrame>{Frame(SANE_FRAME_RGB, 8, 2, 1, 4, four)};
        QTest::newRow("zero width") << QList<SaneFrame>{Frame(SANE_FRAME_GRAY, 8, 0, 1, 4, four)};
        QTest::newRow("no bytes, height unknown")
            << QList<SaneFrame>{Frame(SANE_FRAME_GRAY, 8, 2, -1, 2, QByteArray())};
        QTest::newRow("single colour frame alone")
            << QList<SaneFrame>{Frame(SANE_FRAME_RED, 8, 2, 1, 2, four)};
        QTest::newRow("two reds and a blue")
            << QList<SaneFrame>{Frame(SANE_FRAME_RED, 8, 2, 1, 2, four, false),
                                Frame(SANE_FRAME_RED, 8, 2, 1, 2, four, false),
                                Frame(SANE_FRAME_BLUE, 8, 2, 1, 2, four)};
        QTest::newRow("bands of different widths")
            << QList<SaneFrame>{Frame(SANE_FRAME_RED, 8, 2, 1, 2, four, false),
                                Frame(SANE_FRAME_GREEN, 8, 1, 1, 2, four, false),
                                Frame(SANE_FRAME_BLUE, 8, 2, 1, 2, four)};
    }
    void unusableFramesGiveNoImage() {
        QFETCH(QList<SaneFrame>, frames);
        QVERIFY(BuildSaneImage(frames).isNull());
    }
};

QTEST_GUILESS_MAIN(TestSaneImage)
#include "tst_saneimage.moc"
