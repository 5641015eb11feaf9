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
    return 0;
}

} // namespace quiller::bench
