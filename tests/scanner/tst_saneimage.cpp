// The page image built from SANE frame parameters and bytes.
#include "scanner/SaneImage.h"

#include <QtTest>

using namespace quiller;

namespace {

SaneFrame Frame(SANE_Frame format, int depth, int width, int lines, int bytesPerLine,
                const QByteArray& data, bool last = true) {
    return {{format, last ? SANE_TRUE : SANE_FALSE, bytesPerLine, width, lines, depth}, data};
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

QList<QRgb> Greys(std::initializer_list<int> values) {
    QList<QRgb> pixels;
    for (int v : values)
        pixels << qRgb(v, v, v);
    return pixels;
}

} // namespace

Q_DECLARE_METATYPE(QList<quiller::SaneFrame>)

class TestSaneImage : public QObject {
    Q_OBJECT
private slots:
    // Every pixel of the image, row by row, as the frames describe it; none for frames that
    // cannot make one.
    void pixels_data() {
        QTest::addColumn<QList<SaneFrame>>("frames");
        QTest::addColumn<int>("format");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QList<QRgb>>("pixels");
        auto row = [](const char* name, QList<SaneFrame> frames, QImage::Format format, QSize size,
                      QList<QRgb> pixels) {
            QTest::newRow(name) << frames << int(format) << size << pixels;
        };
        const int B = 0, W = 255;
        row("grey 8, lines padded",
            {Frame(SANE_FRAME_GRAY, 8, 3, 2, 4, Bytes({0, 128, 255, 99, 10, 20, 30, 99}))},
            QImage::Format_Grayscale8, {3, 2}, Greys({0, 128, 255, 10, 20, 30}));
        // 10 pixels a line: 1000 0000 01 / 0111 1111 10, set bits black.
        row("grey 1", {Frame(SANE_FRAME_GRAY, 1, 10, 2, 2, Bytes({0x80, 0x40, 0x7F, 0x80}))},
            QImage::Format_Mono, {10, 2},
            Greys({B, W, W, W, W, W, W, W, W, B, W, B, B, B, B, B, B, B, B, W}));
        row("rgb 8", {Frame(SANE_FRAME_RGB, 8, 2, 1, 6, Bytes({255, 0, 0, 1, 2, 3}))},
            QImage::Format_RGB888, {2, 1}, {qRgb(255, 0, 0), qRgb(1, 2, 3)});
        // 16-bit samples come in host byte order (swapped, 0x1234 would read as 0x34).
        row("grey 16", {Frame(SANE_FRAME_GRAY, 16, 2, 1, 4, Samples16({0x1234, 0xFFFF}))},
            QImage::Format_Grayscale16, {2, 1}, Greys({0x12, W}));
        row("rgb 16", {Frame(SANE_FRAME_RGB, 16, 1, 1, 6, Samples16({0xFFFF, 0x1234, 0}))},
            QImage::Format_RGBX64, {1, 1}, {qRgb(W, 0x12, B)});
        row("three passes in any order, 8 bit",
            {Frame(SANE_FRAME_BLUE, 8, 2, 1, 2, Bytes({30, 60}), false),
             Frame(SANE_FRAME_RED, 8, 2, 1, 2, Bytes({10, 40}), false),
             Frame(SANE_FRAME_GREEN, 8, 2, 1, 2, Bytes({20, 50}))},
            QImage::Format_RGB888, {2, 1}, {qRgb(10, 20, 30), qRgb(40, 50, 60)});
        row("three passes in any order, 16 bit",
            {Frame(SANE_FRAME_GREEN, 16, 2, 1, 4, Samples16({20 * 257, 50 * 257}), false),
             Frame(SANE_FRAME_BLUE, 16, 2, 1, 4, Samples16({30 * 257, 60 * 257}), false),
             Frame(SANE_FRAME_RED, 16, 2, 1, 4, Samples16({10 * 257, 40 * 257}))},
            QImage::Format_RGBX64, {2, 1}, {qRgb(10, 20, 30), qRgb(40, 50, 60)});
        // The half line at the end is dropped.
        row("height unknown: taken from the bytes",
            {Frame(SANE_FRAME_GRAY, 8, 2, -1, 2, Bytes({1, 2, 3, 4, 5, 6, 7}))},
            QImage::Format_Grayscale8, {2, 3}, Greys({1, 2, 3, 4, 5, 6}));
        row("missing bytes: white lines", {Frame(SANE_FRAME_GRAY, 8, 2, 3, 2, Bytes({0, 0}))},
            QImage::Format_Grayscale8, {2, 3}, Greys({0, 0, W, W, W, W}));
        row("missing bytes, grey 1", {Frame(SANE_FRAME_GRAY, 1, 8, 2, 1, Bytes({0xFF}))},
            QImage::Format_Mono, {8, 2}, Greys({B, B, B, B, B, B, B, B, W, W, W, W, W, W, W, W}));
        // Frames that give no image at all.
        const QByteArray four = Bytes({1, 2, 3, 4});
        auto none = [&row](const char* name, QList<SaneFrame> frames) {
            row(name, frames, QImage::Format_Invalid, {0, 0}, {});
        };
        none("no frame", {});
        none("depth 4", {Frame(SANE_FRAME_GRAY, 4, 2, 1, 1, four)});
        none("line shorter than its pixels", {Frame(SANE_FRAME_GRAY, 8, 5, 1, 4, four)});
        none("rgb line too short", {Frame(SANE_FRAME_RGB, 8, 2, 1, 4, four)});
        none("zero width", {Frame(SANE_FRAME_GRAY, 8, 0, 1, 4, four)});
        none("no bytes, height unknown", {Frame(SANE_FRAME_GRAY, 8, 2, -1, 2, QByteArray())});
        none("single colour frame alone", {Frame(SANE_FRAME_RED, 8, 2, 1, 2, four)});
        none("two reds and a blue", {Frame(SANE_FRAME_RED, 8, 2, 1, 2, four, false),
                                     Frame(SANE_FRAME_RED, 8, 2, 1, 2, four, false),
                                     Frame(SANE_FRAME_BLUE, 8, 2, 1, 2, four)});
        none("bands of different widths", {Frame(SANE_FRAME_RED, 8, 2, 1, 2, four, false),
                                           Frame(SANE_FRAME_GREEN, 8, 1, 1, 2, four, false),
                                           Frame(SANE_FRAME_BLUE, 8, 2, 1, 2, four)});
    }
    void pixels() {
        QFETCH(QList<SaneFrame>, frames);
        QFETCH(int, format);
        QFETCH(QSize, size);
        QFETCH(QList<QRgb>, pixels);
        const QImage image = BuildSaneImage(frames);
        QCOMPARE(image.size(), size);
        if (frames.size() == 1)
            QCOMPARE(image.format(), QImage::Format(format));
        QList<QRgb> got;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                got << image.pixel(x, y);
        QCOMPARE(got, pixels);
    }
};

QTEST_GUILESS_MAIN(TestSaneImage)
#include "tst_saneimage.moc"
