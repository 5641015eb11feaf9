#include "station/verify/PageCodeReader.h"

#include <ZXing/ReadBarcode.h>

namespace quiller {

namespace {

constexpr ZXing::BarcodeFormats labelFormats() {
    using F = ZXing::BarcodeFormat;
    return F::Code128 | F::Code39 | F::ITF | F::QRCode | F::DataMatrix | F::PDF417;
}

QList<PageCode> collect(const ZXing::Results& results) {
    QList<PageCode> codes;
    for (const ZXing::Result& r : results) {
        if (!r.isValid())
            continue;
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

    // One pass over the whole page: every line (tryHarder), the four orientations for the
    // linear codes. No downscaled pass: zxing-cpp 1.4 (Debian 12) aborts on an assertion
    // when it merges a linear code found at two scales, and the labels' modules are small
    // at 200 dpi anyway.
    ZXing::DecodeHints hints;
    hints.setFormats(labelFormats()).setTryHarder(true).setTryRotate(true).setTryDownscale(false);
    QList<PageCode> codes = collect(ZXing::ReadBarcodes(view, hints));
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
