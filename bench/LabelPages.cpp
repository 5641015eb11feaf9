#include "LabelPages.h"
#include "Generate.h"

#include <QDir>
#include <QPainter>

#include <ZXing/BitMatrix.h>
#include <ZXing/MultiFormatWriter.h>

#include <algorithm>

namespace quiller::testing {

namespace {

constexpr int Sticker = 248; // grey of the label sticker

bool isLinear(ZXing::BarcodeFormat f) {
    return f == ZXing::BarcodeFormat::Code128 || f == ZXing::BarcodeFormat::Code39 ||
           f == ZXing::BarcodeFormat::ITF;
}

// The barcode, bars `contrast` grey levels below the sticker, on a sticker that leaves
// at least ten modules (linear) or four (2D) and 0.2" around it.
QImage renderSymbol(const LabelSpec& label) {
    const ZXing::BarcodeFormat format = ZXing::BarcodeFormatFromString(label.format.toStdString());
    if (format == ZXing::BarcodeFormat::None)
        return {};
    const bool linear = isLinear(format);
    // Pixels per module: Data Matrix labels are printed with 1.3 mm modules (10 pixels at
    // 200 dpi): zxing-cpp 1.4 misses smaller ones turned by 90 degrees or skewed near the
    // page's clutter.
    const int module = linear ? 3 : format == ZXing::BarcodeFormat::DataMatrix ? 10 : 5;
    const ZXing::BitMatrix bits =
        ZXing::MultiFormatWriter(format).setMargin(0).encode(label.text.toStdString(), 0, 0);
    const int quiet = std::max((linear ? 10 : 4) * module, PageDpi / 5);
    const int rows = linear ? 0 : bits.height();
    const int symbolHeight = linear ? 100 : rows * module;
    QImage image(bits.width() * module + 2 * quiet, symbolHeight + 2 * quiet,
                 QImage::Format_Grayscale8);
    image.fill(Sticker);
    const int ink = std::max(0, Sticker - label.contrast);
    for (int y = 0; y < symbolHeight; ++y) {
        uchar* line = image.scanLine(quiet + y);
        const int row = linear ? 0 : y / module;
        for (int x = 0; x < bits.width() * module; ++x)
            if (bits.get(x / module, row))
                line[quiet + x] = uchar(ink);
    }
    return image;
}

} // namespace

QImage makeLabelPage(const LabelSpec& label, int number) {
    QImage page = bench::MakeScannedPage(PageDpi, number);
    {
        QPainter p(&page);
        if (!label.text.isEmpty()) {
            const QImage symbol = renderSymbol(label);
            if (!symbol.isNull()) {
                p.setRenderHint(QPainter::SmoothPixmapTransform, std::fmod(label.angle, 90.0) != 0);
                p.translate(label.centre.x() * PageWidth, label.centre.y() * PageHeight);
                p.rotate(label.angle);
                p.drawImage(QPointF(-symbol.width() / 2.0, -symbol.height() / 2.0), symbol);
            }
        }
    }
    return page;
}

QStringList stackLabels(const QStringList& labels, StackFault fault, int at) {
    QStringList pages = labels;
    if (at < 0 || at >= pages.size())
        return pages;
    const bool hasNext = at + 1 < pages.size();
    switch (fault) {
    case StackFault::None:
        break;
    case StackFault::DoubleFeed:
        if (hasNext)
            pages.removeAt(at + 1);
        break;
    case StackFault::MissingSheet:
        pages.removeAt(at);
        break;
    case StackFault::Swapped:
        if (hasNext)
            pages.swapItemsAt(at, at + 1);
        break;
    case StackFault::Foreign:
        pages.insert(at + 1, QStringLiteral("999-00"));
        break;
    case StackFault::Duplicate:
        pages.insert(at + 1, pages.at(at));
        break;
    case StackFault::Unlabelled:
        pages[at].clear();
        break;
    }
    return pages;
}

QList<QImage> makeStack(const QStringList& pageLabels, const QString& format) {
    static const QPointF places[] = {{0.72, 0.10}, {0.25, 0.90}, {0.50, 0.50}, {0.80, 0.75}};
    QList<QImage> pages;
    for (int i = 0; i < pageLabels.size(); ++i) {
        LabelSpec label;
        label.text = pageLabels.at(i);
        label.format = format;
        label.centre = places[i % 4];
        label.angle = 90.0 * ((i / 4) % 4) + (i % 3 - 1) * 3.0;
        pages.append(makeLabelPage(label, i));
    }
    return pages;
}

QString writeStackAsPgm(const QString& folder, const QList<QImage>& pages) {
    if (!QDir().mkpath(folder))
        return QStringLiteral("cannot create the folder %1").arg(folder);
    for (int i = 0; i < pages.size(); ++i) {
        const QString path =
            QDir(folder).filePath(QStringLiteral("page%1.pgm").arg(i + 1, 4, 10, QLatin1Char('0')));
        // Qt writes a grey image as a binary PGM (P5, maxval 255).
        if (!pages.at(i).convertToFormat(QImage::Format_Grayscale8).save(path, "PGM"))
            return QStringLiteral("cannot write %1").arg(path);
    }
    return {};
}

} // namespace quiller::testing
