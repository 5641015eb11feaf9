#include "LabelPages.h"
#include "Generate.h"

#include <QDir>
#include <QPainter>

#include <ZXing/BitMatrix.h>
#include <ZXing/MultiFormatWriter.h>

#include <algorithm>
#include <cmath>

namespace quiller::testing {

namespace {

constexpr int Sticker = 248; // grey of the label sticker

bool isLinear(ZXing::BarcodeFormat f) {
    return f == ZXing::BarcodeFormat::Code128 || f == ZXing::BarcodeFormat::Code39 ||
           f == ZXing::BarcodeFormat::ITF;
}

// The barcode, bars `contrast` grey levels below the sticker, on a sticker that leaves
// at least ten modules (linear) or four (2D) and 0.2" around it; without a sticker, the
// bars alone on a transparent ground, as printed on the paper.
QImage renderSymbol(const LabelSpec& label, int dpi) {
    const ZXing::BarcodeFormat format = ZXing::BarcodeFormatFromString(label.format.toStdString());
    if (format == ZXing::BarcodeFormat::None)
        return {};
    const bool linear = isLinear(format);
    // Pixels per module at 200 dpi: Data Matrix labels are printed with 1.3 mm modules
    // (10 pixels): zxing-cpp 1.4 misses smaller ones turned by 90 degrees or skewed near
    // the page's clutter. Other resolutions scale the same printed size.
    const int module200 = linear ? 3 : format == ZXing::BarcodeFormat::DataMatrix ? 10 : 5;
    const int module = std::max(2, (module200 * dpi + PageDpi / 2) / PageDpi);
    const ZXing::BitMatrix bits =
        ZXing::MultiFormatWriter(format).setMargin(0).encode(label.text.toStdString(), 0, 0);
    const int quiet = std::max((linear ? 10 : 4) * module, dpi / 5);
    const int rows = linear ? 0 : bits.height();
    const int symbolHeight = linear ? dpi / 2 : rows * module;
    QImage image(bits.width() * module + 2 * quiet, symbolHeight + 2 * quiet,
                 QImage::Format_ARGB32);
    image.fill(label.sticker ? QColor(Sticker, Sticker, Sticker) : QColor(Qt::transparent));
    const int ink = std::max(0, Sticker - label.contrast);
    const QRgb bar = qRgb(ink, ink, ink);
    for (int y = 0; y < symbolHeight; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(quiet + y));
        const int row = linear ? 0 : y / module;
        for (int x = 0; x < bits.width() * module; ++x)
            if (bits.get(x / module, row))
                line[quiet + x] = bar;
    }
    return image;
}

} // namespace

QImage makePage(const PageSpec& wanted, int number) {
    QImage page = bench::MakeScannedPage(wanted.dpi, number);
    // The resolution travels with the page, as the scanner's pages carry it.
    page.setDotsPerMeterX(qRound(wanted.dpi / 0.0254));
    page.setDotsPerMeterY(qRound(wanted.dpi / 0.0254));
    if (wanted.paper < 255) {
        // Coloured or grey paper: the paper and everything printed on it darker alike.
        for (int y = 0; y < page.height(); ++y) {
            uchar* line = page.scanLine(y);
            for (int x = 0; x < page.width(); ++x)
                line[x] = uchar(line[x] * std::max(0, wanted.paper) / 255);
        }
    }
    QPainter p(&page);
    for (const LabelSpec& label : wanted.codes) {
        if (label.text.isEmpty())
            continue;
        const QImage symbol = renderSymbol(label, wanted.dpi);
        if (symbol.isNull())
            continue;
        p.save();
        p.setRenderHint(QPainter::SmoothPixmapTransform, std::fmod(label.angle, 90.0) != 0);
        p.translate(label.centre.x() * page.width(), label.centre.y() * page.height());
        p.rotate(label.angle);
        p.drawImage(QPointF(-symbol.width() / 2.0, -symbol.height() / 2.0), symbol);
        p.restore();
    }
    return page;
}

QImage makeLabelPage(const LabelSpec& label, int number) {
    return makePage(PageSpec{{label}}, number);
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
    case StackFault::TwoLabels:
        if (hasNext)
            pages[at] += u'+' + pages.at(at + 1);
        break;
    }
    return pages;
}

QList<QImage> makeStack(const QStringList& pageLabels, const QString& format,
                        const StackStyle& style) {
    static const QPointF places[] = {{0.72, 0.10}, {0.25, 0.90}, {0.50, 0.50}, {0.80, 0.75}};
    QList<QImage> pages;
    for (int i = 0; i < pageLabels.size(); ++i) {
        PageSpec page;
        page.paper = style.paper;
        const QStringList labels = pageLabels.at(i).split(u'+', Qt::SkipEmptyParts);
        if (labels.isEmpty() && !style.other.text.isEmpty()) {
            LabelSpec other = style.other;
            other.centre = {0.3, 0.2};
            page.codes.append(other);
        }
        for (int k = 0; k < labels.size(); ++k) {
            LabelSpec label;
            label.text = labels.at(k);
            label.format = format;
            label.centre = places[(i + 2 * k) % 4];
            label.angle = 90.0 * ((i / 4) % 4) + (i % 3 - 1) * 3.0;
            page.codes.append(label);
            if (k == 0 && !style.other.text.isEmpty()) {
                // Beside the label, upright, as a form prints it.
                LabelSpec other = style.other;
                other.centre = {label.centre.x() < 0.5 ? label.centre.x() + 0.35 : 0.3,
                                label.centre.y() < 0.5 ? label.centre.y() + 0.12
                                                       : label.centre.y() - 0.12};
                page.codes.append(other);
            }
        }
        pages.append(makePage(page, i));
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
