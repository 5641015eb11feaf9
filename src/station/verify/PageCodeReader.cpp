#include "station/verify/PageCodeReader.h"
#include "station/verify/LabelRegions.h"

#include <ZXing/ReadBarcode.h>

#include <QPolygon>

#include <algorithm>

namespace quiller {

namespace {

constexpr ZXing::BarcodeFormats labelFormats() {
    using F = ZXing::BarcodeFormat;
    return F::Code128 | F::Code39 | F::ITF | F::QRCode | F::DataMatrix | F::PDF417;
}

QRect outline(const ZXing::Result& r) {
    const ZXing::Position& p = r.position();
    return QPolygon({QPoint(p.topLeft().x, p.topLeft().y), QPoint(p.topRight().x, p.topRight().y),
                     QPoint(p.bottomRight().x, p.bottomRight().y),
                     QPoint(p.bottomLeft().x, p.bottomLeft().y)})
        .boundingRect();
}

QList<PageCode> collect(ZXing::Results results) {
    // zxing-cpp may report, beside a whole linear code, a few of its characters read along
    // a slanted scan line (Interleaved 2 of 5 carries no check digit to refuse them). A
    // shorter code of the same symbology lying within another's outline is such a part,
    // not a second label: longest first, parts dropped.
    std::stable_sort(results.begin(), results.end(), [](const auto& a, const auto& b) {
        return a.text().size() > b.text().size();
    });
    QList<PageCode> codes;
    QList<std::pair<QRect, ZXing::BarcodeFormat>> kept;
    for (const ZXing::Result& r : results) {
        if (!r.isValid())
            continue;
        const QPoint centre = outline(r).center();
        const bool part = std::any_of(kept.begin(), kept.end(), [&](const auto& k) {
            return k.second == r.format() && k.first.adjusted(-8, -8, 8, 8).contains(centre);
        });
        if (part)
            continue;
        kept.append({outline(r), r.format()});
        PageCode code{QString::fromStdString(r.text()),
                      QString::fromLatin1(ZXing::ToString(r.format()))};
        if (!codes.contains(code))
            codes.append(code);
    }
    return codes;
}

} // namespace

QList<PageCode> PageCodeReader::read(const QImage& page) const {
    if (page.isNull())
        return {};
    const QImage grey = page.format() == QImage::Format_Grayscale8
                            ? page
                            : page.convertToFormat(QImage::Format_Grayscale8);
    const ZXing::ImageView view(grey.constBits(), grey.width(), grey.height(),
                                ZXing::ImageFormat::Lum, int(grey.bytesPerLine()));

    // Every line (tryHarder), the four orientations for the linear codes. No downscaled
    // pass: zxing-cpp 1.4 (Debian 12) aborts on an assertion when it merges a linear code
    // found at two scales, and the labels' modules are small at 200 dpi anyway.
    ZXing::DecodeHints hints;
    hints.setFormats(labelFormats()).setTryHarder(true).setTryRotate(true).setTryDownscale(false);

    // First the few places that look like a label, busiest first: each is a small part of
    // the page, so a label found there costs a few milliseconds instead of a whole-page
    // read. The first place that holds a code ends the search: a page carries one label.
    QList<PageCode> codes;
    for (const QRect& place : labelRegions(grey, LikelyLabelPlaces)) {
        codes = collect(ZXing::ReadBarcodes(
            view.cropped(place.x(), place.y(), place.width(), place.height()), hints));
        if (!codes.isEmpty())
            return codes;
    }

    // Then the whole page at once.
    codes = collect(ZXing::ReadBarcodes(view, hints));
    if (!codes.isEmpty())
        return codes;

    // Nothing found. zxing-cpp 1.4 finds a Data Matrix symbol only near the middle of the
    // image it is given, and misses some PDF417 symbols on a full page. Look again in
    // overlapping tiles, each larger than any label, stepped finely enough that a label
    // lies near the middle of one of them; matrix codes only, with the fixed threshold
    // (four times faster than the local one, and a label is dark print on a light
    // sticker). The first tile that holds a code ends the search: a page has one label.
    constexpr int Tile = 480;
    constexpr int Step = 120;
    hints
        .setFormats(ZXing::BarcodeFormat::QRCode | ZXing::BarcodeFormat::DataMatrix |
                    ZXing::BarcodeFormat::PDF417)
        .setBinarizer(ZXing::Binarizer::FixedThreshold);
    for (int top = 0; top < view.height(); top += Step) {
        for (int left = 0; left < view.width(); left += Step) {
            codes = collect(ZXing::ReadBarcodes(view.cropped(left, top, Tile, Tile), hints));
            if (!codes.isEmpty())
                return codes;
            if (left + Tile >= view.width())
                break;
        }
        if (top + Tile >= view.height())
            break;
    }
    return codes;
}

} // namespace quiller
