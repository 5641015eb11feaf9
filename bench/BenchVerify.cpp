#include "BenchVerify.h"
#include "BenchSupport.h"

#include "LabelPages.h"
#include "station/verify/PageCodeReader.h"

#include <QElapsedTimer>
#include <QTextStream>

#include <algorithm>

namespace quiller::bench {

namespace {

double median(QList<double> times) {
    if (times.isEmpty())
        return 0;
    std::sort(times.begin(), times.end());
    const qsizetype n = times.size();
    return n % 2 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2;
}

double timedRead(const PageCodeReader& reader, const QImage& page, QList<PageCode>* codes) {
    QElapsedTimer timer;
    timer.start();
    *codes = reader.read(page);
    return double(timer.nsecsElapsed()) / 1e6;
}

} // namespace

QList<PaperFigures> benchPaperSweep(int perGrey) {
    static const char* const formats[] = {"Code128", "Code39",     "ITF",
                                          "QRCode",  "DataMatrix", "PDF417"};
    static const QPointF places[] = {{0.72, 0.18}, {0.25, 0.82}, {0.50, 0.45}, {0.82, 0.70}};
    static const int resolutions[] = {150, 200, 300};
    const quiller::PageCodeReader reader;
    QList<PaperFigures> sweep;
    for (int grey = 40; grey <= 255; grey = grey == 240 ? 255 : grey + 20) {
        PaperFigures f;
        f.paper = grey;
        f.pages = std::max(0, perGrey);
        QList<double> times;
        for (int i = 0; i < f.pages; ++i) {
            testing::LabelSpec label;
            label.format = QString::fromLatin1(formats[i % 6]);
            label.text =
                label.format == QLatin1String("ITF")
                    ? QStringLiteral("%1%2")
                          .arg(710000 + i, 8, 10, QLatin1Char('0'))
                          .arg(i % 3, 2, 10, QLatin1Char('0'))
                    : QStringLiteral("%1-%2").arg(710000 + i).arg(i % 3, 2, 10, QLatin1Char('0'));
            label.centre = places[(i / 6) % 4];
            // The four orientations, up to 10 degrees askew.
            label.angle = 90.0 * (i % 4) + ((i * 7) % 21 - 10);
            label.contrast = 200 - 40 * (i % 3); // down to a pale print
            testing::PageSpec page{{label}, grey, resolutions[(i / 4) % 3]};
            const QImage image = testing::makePage(page, i + grey);
            QList<PageCode> codes;
            times.append(timedRead(reader, image, &codes));
            if (codes.size() == 1 && codes.first().text == label.text)
                ++f.read;
            else
                f.missed << QStringLiteral("%1 %2dpi %3deg contrast %4")
                                .arg(label.format)
                                .arg(page.dpi)
                                .arg(label.angle)
                                .arg(label.contrast);
            if (times.last() > f.slowestMs) {
                f.slowestMs = times.last();
                f.slowest = QStringLiteral("%1 %2dpi %3deg contrast %4")
                                .arg(label.format)
                                .arg(page.dpi)
                                .arg(label.angle)
                                .arg(label.contrast);
            }
        }
        f.medianMs = median(times);
        f.slowestMs = times.isEmpty() ? 0 : *std::max_element(times.begin(), times.end());
        sweep.append(f);
    }
    return sweep;
}

VerifyFigures benchVerify(int pages) {
    static const char* const formats[] = {"Code128", "Code39",     "ITF",
                                          "QRCode",  "DataMatrix", "PDF417"};
    // Far enough from the top and bottom edges that a PDF417 label (about 700 pixels
    // long) turned upright still lies whole on the page.
    static const QPointF places[] = {{0.72, 0.18}, {0.25, 0.82}, {0.50, 0.45}, {0.82, 0.70}};
    const quiller::PageCodeReader reader;
    VerifyFigures figures;
    figures.pages = std::max(0, pages);
    QList<double> times;
    for (int i = 0; i < figures.pages; ++i) {
        testing::LabelSpec label;
        label.format = QString::fromLatin1(formats[i % 6]);
        // ITF carries digits only, in pairs: Rx number and refill run together.
        label.text =
            label.format == QLatin1String("ITF")
                ? QStringLiteral("%1%2")
                      .arg(700000 + i, 8, 10, QLatin1Char('0'))
                      .arg(i % 3, 2, 10, QLatin1Char('0'))
                : QStringLiteral("%1-%2").arg(700000 + i).arg(i % 3, 2, 10, QLatin1Char('0'));
        label.centre = places[(i / 6) % 4];
        label.angle = 90.0 * (i % 4) + ((i * 7) % 11 - 5);
        // Labels printed paler as a printer's ribbon wears.
        label.contrast = 200 - 25 * (i % 3);
        const QImage page = testing::makeLabelPage(label, i);

        QList<PageCode> codes;
        times.append(timedRead(reader, page, &codes));
        if (codes.size() == 1 && codes.first().text == label.text)
            ++figures.decoded;
    }
    figures.medianMs = median(times);
    figures.slowestMs = times.isEmpty() ? 0 : *std::max_element(times.begin(), times.end());
    QList<double> unlabelled;
    for (int i = 0; i < 5; ++i) {
        QList<PageCode> codes;
        unlabelled.append(timedRead(reader, testing::makeLabelPage({}, i), &codes));
    }
    figures.unlabelledMs = median(unlabelled);
    QTextStream out(stdout);
    out << "verify_pages=" << figures.pages << '\n'
        << "verify_decoded=" << figures.decoded << '\n'
        << "verify_decode_median_ms=" << QString::number(figures.medianMs, 'f', 1) << '\n'
        << "verify_decode_slowest_ms=" << QString::number(figures.slowestMs, 'f', 1) << '\n'
        << "verify_unlabelled_ms=" << QString::number(figures.unlabelledMs, 'f', 1) << '\n';
    return figures;
}

} // namespace quiller::bench

namespace quiller::bench {

int Verify(const Args& a) {
    // The figures tell how many labels were read back; the run itself always succeeds.
    benchVerify(int(a.Number(QStringLiteral("--pages"), 100)));
    QTextStream out(stdout);
    QList<double> slowest;
    const int perGrey = int(a.Number(QStringLiteral("--per-grey"), 24));
    for (const PaperFigures& f : perGrey > 0 ? benchPaperSweep(perGrey) : QList<PaperFigures>()) {
        out << "verify_paper_" << f.paper << "_read=" << f.read << '/' << f.pages
            << " median_ms=" << QString::number(f.medianMs, 'f', 1)
            << " slowest_ms=" << QString::number(f.slowestMs, 'f', 1) << " (" << f.slowest << ")";
        if (!f.missed.isEmpty())
            out << " missed: " << f.missed.join(QStringLiteral(", "));
        out << '\n';
        slowest.append(f.slowestMs);
    }
    if (!slowest.isEmpty())
        out << "verify_paper_slowest_ms="
            << QString::number(*std::max_element(slowest.begin(), slowest.end()), 'f', 1) << '\n';
    return 0;
}

} // namespace quiller::bench
