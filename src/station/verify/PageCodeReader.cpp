#include "station/verify/PageCodeReader.h"
#include "station/verify/LabelRegions.h"

#include <ZXing/ReadBarcode.h>

#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <vector>

namespace quiller {

namespace {

QRect outline(const ZXing::Result& r, QPoint offset) {
    const ZXing::Position& p = r.position();
    return QPolygon({QPoint(p.topLeft().x, p.topLeft().y), QPoint(p.topRight().x, p.topRight().y),
                     QPoint(p.bottomRight().x, p.bottomRight().y),
                     QPoint(p.bottomLeft().x, p.bottomLeft().y)})
        .boundingRect()
        .translated(offset);
}

// The codes found so far on one page, each once, with where they lie on the page.
class Found {
public:
    explicit Found(const LabelPattern& labels) : labels_(labels) {}

    // Results of reading the part of the page whose top left corner is at `offset`.
    void add(const ZXing::Results& results, QPoint offset) {
        for (const ZXing::Result& r : results)
            if (r.isValid())
                kept_.append({outline(r, offset), r.format(), QString::fromStdString(r.text())});
    }
    // Results of reading a view of the page whose points `toPage` takes to the page's.
    template <class ToPage> void add(const ZXing::Results& results, ToPage toPage) {
        for (const ZXing::Result& r : results) {
            if (!r.isValid())
                continue;
            QPolygon corners;
            for (const ZXing::PointI& p : r.position())
                corners << toPage(p);
            kept_.append({corners.boundingRect(), r.format(), QString::fromStdString(r.text())});
        }
    }
    // Each code once. zxing-cpp may report, beside a whole linear code, a few of its
    // characters read along a slanted scan line or in a part of the page that cuts the
    // code (Interleaved 2 of 5 carries no check digit to refuse them). A shorter code of
    // the same symbology whose text is part of another's and that lies on or beside it
    // is such a part, not a second code, whichever was found first.
    QList<PageCode> codes() const {
        QList<PageCode> codes;
        for (const Kept& k : kept_) {
            const bool part = std::any_of(kept_.begin(), kept_.end(), [&](const Kept& whole) {
                const int reach = std::max(whole.where.width(), whole.where.height()) / 2 + 16;
                const QPoint apart = whole.where.center() - k.where.center();
                return whole.format == k.format && whole.text.size() > k.text.size() &&
                       whole.text.contains(k.text) && apart.manhattanLength() <= 2 * reach;
            });
            const PageCode code{k.text, QString::fromLatin1(ZXing::ToString(k.format))};
            if (!part && !codes.contains(code))
                codes.append(code);
        }
        return codes;
    }
    bool hasLabel() const {
        const QList<PageCode> found = codes();
        return std::any_of(found.begin(), found.end(),
                           [&](const PageCode& c) { return labels_.parse(c.text).has_value(); });
    }

private:
    struct Kept {
        QRect where;
        ZXing::BarcodeFormat format;
        QString text;
    };
    const LabelPattern& labels_;
    QList<Kept> kept_;
};

ZXing::ImageView viewOf(const QImage& grey) {
    return ZXing::ImageView(grey.constBits(), grey.width(), grey.height(), ZXing::ImageFormat::Lum,
                            int(grey.bytesPerLine()));
}

// One line in this many is read across a place for linear codes, and one in this many down
// it for a linear code turned upright. zxing-cpp's thorough search reads every line of a
// small image, both ways; a label's bars are far taller than a few lines, so every fourth
// line finds the same codes for a quarter of the work.
constexpr int LineStep = 4;

// Every code in `part`, a part of the page whose top left corner is at `at`: the matrix
// codes on the whole of it, the linear codes along every LineStep-th line across and down it.
void readPlace(const ZXing::ImageView& part, QPoint at, const ZXing::DecodeHints& hints,
               Found& found) {
    ZXing::DecodeHints matrix = hints;
    matrix.setFormats(hints.formats() & ZXing::BarcodeFormat::MatrixCodes);
    found.add(ZXing::ReadBarcodes(part, matrix), at);

    ZXing::DecodeHints linear = hints;
    linear.setFormats(hints.formats() & ZXing::BarcodeFormat::LinearCodes).setTryRotate(false);
    const ZXing::ImageView across(part.data(0, 0), part.width(), part.height() / LineStep,
                                  ZXing::ImageFormat::Lum, part.rowStride() * LineStep,
                                  part.pixStride());
    found.add(ZXing::ReadBarcodes(across, linear),
              [&](const ZXing::PointI& p) { return at + QPoint(p.x, p.y * LineStep); });
    // The place turned a quarter to the left: its lines are the place's columns, its first
    // one the place's bottom row.
    const ZXing::ImageView turned = part.rotated(90);
    const ZXing::ImageView down(turned.data(0, 0), turned.width(), turned.height() / LineStep,
                                ZXing::ImageFormat::Lum, turned.rowStride() * LineStep,
                                turned.pixStride());
    found.add(ZXing::ReadBarcodes(down, linear), [&](const ZXing::PointI& p) {
        return at + QPoint(p.y * LineStep, part.height() - 1 - p.x);
    });
}

// A part of the page in black and white by its own neighbourhood: a pixel is ink when it
// is clearly darker than the mean of the square around it. Whatever the paper's grey (a
// coloured form, dark paper, a pale print), a label's bars come out black on white, and
// so does the print on the paper; flat paper is white.
QImage localInk(const QImage& grey, const QRect& place) {
    constexpr int Half = 24;   // half the neighbourhood's side: wider than a bar or module
    constexpr int Darker = 10; // grey levels below the mean that make ink, above the noise
    const int w = place.width(), h = place.height();
    std::vector<qint64> sum(size_t(w + 1) * size_t(h + 1), 0); // integral image
    auto at = [&](int x, int y) -> qint64& {
        return sum[size_t(y) * size_t(w + 1) + size_t(x)];
    };
    for (int y = 0; y < h; ++y) {
        const uchar* line = grey.constScanLine(place.top() + y) + place.left();
        qint64 row = 0;
        for (int x = 0; x < w; ++x) {
            row += line[x];
            at(x + 1, y + 1) = at(x + 1, y) + row;
        }
    }
    QImage out(w, h, QImage::Format_Grayscale8);
    for (int y = 0; y < h; ++y) {
        const uchar* line = grey.constScanLine(place.top() + y) + place.left();
        uchar* o = out.scanLine(y);
        const int y0 = std::max(0, y - Half), y1 = std::min(h, y + Half + 1);
        for (int x = 0; x < w; ++x) {
            const int x0 = std::max(0, x - Half), x1 = std::min(w, x + Half + 1);
            const qint64 total = at(x1, y1) - at(x0, y1) - at(x1, y0) + at(x0, y0);
            const qint64 n = qint64(x1 - x0) * qint64(y1 - y0);
            o[x] = qint64(line[x] + Darker) * n < total ? 0 : 255;
        }
    }
    return out;
}

// A part of the page turned by a few `degrees` about its middle, whole, on a white ground
// large enough to hold its corners.
QImage turned(const QImage& grey, const QRect& place, double degrees) {
    const int w = place.width(), h = place.height();
    QImage out(w + h / 4, h + w / 4, QImage::Format_Grayscale8);
    out.fill(255);
    QPainter p(&out);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.translate(QPointF(out.width(), out.height()) / 2);
    p.rotate(degrees);
    p.translate(-QPointF(w, h) / 2);
    p.drawImage(QPoint(), grey, place);
    return out;
}

} // namespace

QList<PageCode> PageCodeReader::read(const QImage& page, const LabelPattern& labels) const {
    if (page.isNull())
        return {};
    const QImage grey = page.format() == QImage::Format_Grayscale8
                            ? page
                            : page.convertToFormat(QImage::Format_Grayscale8);
    const ZXing::ImageView view = viewOf(grey);
    Found found(labels);

    // Every symbology, every line (tryHarder; in a place, every LineStep-th line), the four
    // orientations for the linear codes.
    // No downscaled pass: zxing-cpp 1.4 (Debian 12) aborts on an assertion when it merges
    // a linear code found at two scales, and the labels' modules are small at 200 dpi.
    ZXing::DecodeHints hints;
    hints.setFormats(ZXing::BarcodeFormat::Any)
        .setTryHarder(true)
        .setTryRotate(true)
        .setTryDownscale(false);

    // First every place that looks like a code, busiest first: each is a small part of
    // the page, so they cost a few milliseconds together instead of a whole-page read.
    const QList<QRect> places = labelRegions(grey, LikelyLabelPlaces);
    for (const QRect& place : places)
        readPlace(view.cropped(place.x(), place.y(), place.width(), place.height()),
                  place.topLeft(), hints, found);
    if (found.hasLabel())
        return found.codes();

    // The same places in black and white by their own neighbourhood, for a label the
    // library's binarisers part badly from its surroundings: a white sticker on dark or
    // coloured paper, a pale print.
    ZXing::DecodeHints binary = hints;
    binary.setBinarizer(ZXing::Binarizer::FixedThreshold);
    for (const QRect& place : places) {
        const QImage ink = localInk(grey, place);
        readPlace(viewOf(ink), place.topLeft(), binary, found);
    }
    if (found.hasLabel())
        return found.codes();

    // zxing-cpp 1.4 misses a PDF417 symbol turned more than a few degrees: the places
    // once more, widened (a long symbol's busiest part may be all a place holds) and
    // turned back by a little either way.
    ZXing::DecodeHints stacked = hints;
    stacked.setFormats(ZXing::BarcodeFormat::PDF417);
    for (const QRect& busy : places) {
        const QRect place = busy.adjusted(-busy.width() / 2, -busy.height() / 2, busy.width() / 2,
                                          busy.height() / 2)
                                .intersected(grey.rect());
        for (const double degrees : {-8.0, 8.0}) {
            // The outline found in the turned part is near enough to the code's place
            // on the page to tell a code from a part of it.
            found.add(ZXing::ReadBarcodes(viewOf(turned(grey, place, degrees)), stacked),
                      place.topLeft());
        }
    }
    if (found.hasLabel())
        return found.codes();

    // Then the whole page at once.
    found.add(ZXing::ReadBarcodes(view, hints), QPoint());
    if (found.hasLabel())
        return found.codes();

    // No label yet. zxing-cpp 1.4 finds a Data Matrix symbol only near the middle of the
    // image it is given, and misses some PDF417 symbols on a full page. Look again in
    // overlapping tiles, each larger than any label, stepped finely enough that a label
    // lies near the middle of one of them; matrix codes only, with the fixed threshold
    // (four times faster than the local one, and a label is dark print on a light
    // sticker). The first tile that holds a label ends the search.
    constexpr int Tile = 480;
    constexpr int Step = 120;
    hints
        .setFormats(ZXing::BarcodeFormat::QRCode | ZXing::BarcodeFormat::DataMatrix |
                    ZXing::BarcodeFormat::PDF417)
        .setBinarizer(ZXing::Binarizer::FixedThreshold);
    for (int top = 0; top < view.height(); top += Step) {
        for (int left = 0; left < view.width(); left += Step) {
            found.add(ZXing::ReadBarcodes(view.cropped(left, top, Tile, Tile), hints),
                      QPoint(left, top));
            if (found.hasLabel())
                return found.codes();
            if (left + Tile >= view.width())
                break;
        }
        if (top + Tile >= view.height())
            break;
    }
    return found.codes();
}

} // namespace quiller
