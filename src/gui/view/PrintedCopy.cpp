#include "gui/view/PrintedCopy.h"

#include "base/Log.h"

#include <QFontMetricsF>
#include <QLocale>
#include <QPainter>
#include <QPrinter>

#include <algorithm>

namespace quiller {

namespace {

constexpr double kAssumedDpi = 200.0; // the station's scanning resolution
constexpr double kCaptionPoints = 10.0;

double DpiOf(int dotsPerMeter) {
    const double dpi = dotsPerMeter * 0.0254;
    // Qt's 96 dpi default, or no density at all, means the file does not say.
    return dpi >= 120.0 && dpi <= 1200.0 ? dpi : kAssumedDpi;
}

// The room between the image and its caption, and between caption lines and the edge.
double GapPixels(double resolution) {
    return resolution * 0.15;
}

} // namespace

double PrintedCopy::ScanDpi(const QImage& image) {
    return DpiOf(image.dotsPerMeterX());
}

QString PrintedCopy::RxRefill(const QString& rxNbr, const QString& refNo) {
    bool numeric = false;
    refNo.toInt(&numeric);
    const QString refill = numeric && refNo.size() == 1 ? QStringLiteral("0") + refNo : refNo;
    return rxNbr + QLatin1Char('-') + refill;
}

QString PrintedCopy::Title(const CopyDetails& details) {
    return tr("Rx %1").arg(RxRefill(details.rxNbr, details.refNo));
}

QStringList PrintedCopy::CaptionLines(const CopyDetails& details) {
    const QLocale locale;
    return {tr("Rx-refill: %1").arg(RxRefill(details.rxNbr, details.refNo)),
            tr("Patient: %1").arg(details.patient),
            tr("Drug: %1").arg(details.drug.trimmed()),
            tr("Fill date: %1").arg(details.fillDate),
            tr("Station: %1").arg(details.station),
            tr("Printed: %1").arg(locale.toString(details.printedAt, QLocale::LongFormat)),
            tr("Copy of a stored prescription image")};
}

QRectF PrintedCopy::ImageRect(const QImage& image, const QRectF& area, double resolution,
                              double captionHeight) {
    if (image.isNull() || area.isEmpty())
        return QRectF();
    const QSizeF trueSize(image.width() * resolution / DpiOf(image.dotsPerMeterX()),
                          image.height() * resolution / DpiOf(image.dotsPerMeterY()));
    const QSizeF room(area.width(), std::max(area.height() - captionHeight, 1.0));
    const double scale =
        std::min({1.0, room.width() / trueSize.width(), room.height() / trueSize.height()});
    const QSizeF size = trueSize * scale;
    return QRectF(area.left() + (area.width() - size.width()) / 2, area.top(), size.width(),
                  size.height());
}

void PrintedCopy::Paint(QPainter& painter, QPrinter& printer, const QImage& image,
                        const CopyDetails& details, int copies) {
    // The painter's origin is the top left corner of the printable area.
    const double resolution = printer.resolution();
    const QRectF area(QPointF(0, 0), printer.pageRect(QPrinter::DevicePixel).size());
    QFont font = painter.font();
    font.setPointSizeF(kCaptionPoints);
    painter.setFont(font);
    const QFontMetricsF metrics(font, &printer);
    const QStringList lines = CaptionLines(details);
    const double gap = GapPixels(resolution);
    const double captionHeight = gap + metrics.lineSpacing() * double(lines.size());
    const QRectF target = ImageRect(image, area, resolution, captionHeight);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (int copy = 0; copy < copies; ++copy) {
        if (copy > 0)
            printer.newPage();
        painter.drawImage(target, image);
        double baseline = target.bottom() + gap + metrics.ascent();
        for (const QString& line : lines) {
            painter.drawText(QPointF(area.left(), baseline),
                             metrics.elidedText(line, Qt::ElideRight, area.width()));
            baseline += metrics.lineSpacing();
        }
    }
}

Outcome PrintedCopy::Print(QPrinter& printer, const QImage& image, CopyDetails& details) {
    auto fail = [](const QString& reason) {
        return Outcome::Failed(reason);
    };
    // Without any print queue Qt falls back to PDF output, which needs a file.
    const bool native = printer.outputFormat() == QPrinter::NativeFormat;
    if ((native && (printer.printerName().isEmpty() || !printer.isValid())) ||
        (!native && printer.outputFileName().isEmpty()))
        return fail(tr("No printer is set up on this workstation."));
    if (image.isNull())
        return fail(tr("There is no image to print."));
    details.printedAt = QDateTime::currentDateTime();
    // The copies are pages of this job; the printer is asked for the job once.
    const int copies = std::max(1, printer.copyCount());
    printer.setCopyCount(1);
    printer.setDocName(Title(details));
    printer.setCreator(QCoreApplication::applicationName());
    QPainter painter;
    if (!painter.begin(&printer))
        return fail(tr("The printer could not be started."));
    Paint(painter, printer, image, details, copies);
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        return fail(tr("The page could not be sent to the printer."));
    qCInfo(lcView).noquote() << "copy printed:" << copies << "page(s) on"
                             << (printer.outputFileName().isEmpty() ? printer.printerName()
                                                                    : printer.outputFileName());
    return Succeeded();
}

} // namespace quiller
