// A letter-size grey page that looks like a scanned prescription: print, handwriting,
// a signature, the paper's shade and the sensor's noise.
#include "Generate.h"

#include <QDate>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <random>

namespace quiller::bench {

QImage MakeScannedPage(int dpi, int number) {
    const int width = dpi * 17 / 2;
    const int height = dpi * 11;
    QImage page(width, height, QImage::Format_RGB32);
    page.fill(Qt::white);
    {
        QPainter p(&page);
        p.setRenderHint(QPainter::Antialiasing);
        const double pt = dpi / 72.0; // pixels per point
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(int(14 * pt));
        font.setBold(true);
        p.setFont(font);
        p.setPen(QColor(30, 30, 30));
        p.drawText(QRectF(0, 0.6 * dpi, width, 0.4 * dpi), Qt::AlignHCenter,
                   QStringLiteral("GREENFIELD FAMILY MEDICINE"));
        font.setBold(false);
        font.setPixelSize(int(9 * pt));
        p.setFont(font);
        p.drawText(QRectF(0, 1.05 * dpi, width, 0.3 * dpi), Qt::AlignHCenter,
                   QStringLiteral("1200 Orchard Road, Suite %1 - Tel. (555) 014-%2")
                       .arg(100 + number % 400)
                       .arg(1000 + number % 9000));
        p.drawLine(QPointF(0.75 * dpi, 1.45 * dpi), QPointF(width - 0.75 * dpi, 1.45 * dpi));
        const Pools& pools = ThePools();
        font.setPixelSize(int(11 * pt));
        p.setFont(font);
        double y = 1.8 * dpi;
        const QStringList labels{QStringLiteral("Patient:"), QStringLiteral("Address:"),
                                 QStringLiteral("Date:")};
        for (const QString& label : labels) {
            p.drawText(QPointF(0.9 * dpi, y), label);
            p.drawLine(QPointF(2.0 * dpi, y + 4), QPointF(width - 0.9 * dpi, y + 4));
            y += 0.45 * dpi;
        }
        // Handwriting: the patient, the drugs and the directions in a slanted hand.
        QFont hand(QStringLiteral("DejaVu Serif"));
        hand.setItalic(true);
        hand.setPixelSize(int(15 * pt));
        p.setFont(hand);
        p.setPen(QPen(QColor(20, 30, 70), 2.5));
        p.drawText(QPointF(2.1 * dpi, 1.8 * dpi - 6),
                   pools.firstNames.at(number % pools.firstNames.size()) + QLatin1Char(' ') +
                       pools.lastNames.at((number * 7) % pools.lastNames.size()));
        p.drawText(QPointF(2.1 * dpi, 2.25 * dpi - 6),
                   QStringLiteral("%1 Elm Street, Marrowby").arg(10 + number % 90));
        p.drawText(QPointF(2.1 * dpi, 2.7 * dpi - 6),
                   QDate(2026, 1, 1).addDays(number % 365).toString(QStringLiteral("MM/dd/yyyy")));
        font.setPixelSize(int(40 * pt));
        font.setBold(true);
        p.setFont(font);
        p.setPen(QColor(30, 30, 30));
        p.drawText(QPointF(0.9 * dpi, 3.8 * dpi), QStringLiteral("Rx"));
        p.setFont(hand);
        p.setPen(QPen(QColor(20, 30, 70), 2.5));
        y = 4.5 * dpi;
        for (int line = 0; line < 4; ++line) {
            p.drawText(QPointF(1.2 * dpi, y),
                       pools.drugs.at((number * 13 + line * 101) % pools.drugs.size()).trimmed());
            p.drawText(QPointF(1.6 * dpi, y + 0.45 * dpi),
                       QStringLiteral("Sig: %1 tab by mouth %2 times daily  #%3  Refills: %4")
                           .arg(1 + line % 2)
                           .arg(1 + (number + line) % 3)
                           .arg(30 + 30 * (line % 3))
                           .arg((number + line) % 6));
            y += 1.2 * dpi;
        }
        // The signature: a scribble of curves.
        QPainterPath signature;
        std::mt19937 rng(static_cast<quint32>(number));
        QPointF at(width * 0.55, height - 1.6 * dpi);
        signature.moveTo(at);
        for (int i = 0; i < 12; ++i) {
            const QPointF next =
                at + QPointF(0.15 * dpi + double(rng() % 20), double(int(rng() % 80) - 40));
            signature.cubicTo(at + QPointF(0, -0.3 * dpi), next + QPointF(0, 0.3 * dpi), next);
            at = next;
        }
        p.setPen(QPen(QColor(10, 20, 60), 3));
        p.setBrush(Qt::NoBrush);
        p.drawPath(signature);
        p.setPen(QColor(30, 30, 30));
        p.setFont(font);
        font.setPixelSize(int(9 * pt));
        font.setBold(false);
        p.setFont(font);
        p.drawLine(QPointF(width * 0.5, height - 1.3 * dpi),
                   QPointF(width - 0.9 * dpi, height - 1.3 * dpi));
        p.drawText(QPointF(width * 0.5, height - 1.05 * dpi),
                   QStringLiteral("Prescriber signature    DEA AB%1").arg(1234567 + number));
    }
    QImage grey = page.convertToFormat(QImage::Format_Grayscale8);
    // Paper and sensor: a slightly darker, slightly uneven background and noise on
    // every pixel, as a scanner delivers it.
    quint32 state = 0x9E3779B9u ^ quint32(number * 2654435761u);
    for (int yy = 0; yy < height; ++yy) {
        uchar* row = grey.scanLine(yy);
        const int shade = 8 + (yy * 5 / height);
        for (int xx = 0; xx < width; ++xx) {
            state ^= state << 13;
            state ^= state >> 17;
            state ^= state << 5;
            const int noise = int(state & 7) - 3;
            row[xx] = uchar(qBound(0, int(row[xx]) - shade + noise, 255));
        }
    }
    return grey;
}

} // namespace quiller::bench
