#include "LabelPages.h"
#include "station/verify/LabelRegions.h"
#include "station/verify/PageCodeReader.h"

#include <QTest>

#include <algorithm>
#include <array>

#include <thread>

using namespace quiller;
using namespace quiller::testing;

Q_DECLARE_METATYPE(quiller::testing::LabelSpec)

class TstPageCodeReader : public QObject {
    Q_OBJECT
private slots:
    void decodes_data();
    void decodes();
    void everyCodeOnThePage_data();
    void everyCodeOnThePage();
    void pageWithoutLabel();
    void readsFromSeveralThreads();
};

void TstPageCodeReader::decodes_data() {
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("angle");
    QTest::addColumn<QPointF>("centre");
    QTest::addColumn<int>("paper"); // grey of the paper
    QTest::addColumn<int>("dpi");
    QTest::addColumn<int>("contrast");
    const QList<std::pair<QString, QString>> symbols = {
        {"Code128", "000123-01"}, {"Code39", "123-01"},     {"ITF", "0001230001"},
        {"QRCode", "000123-01"},  {"DataMatrix", "123-01"}, {"PDF417", "000123-01"}};
    const QList<QPointF> places = {{0.72, 0.10}, {0.25, 0.90}, {0.5, 0.5}};
    int n = 0;
    for (const auto& [format, text] : symbols) {
        for (double angle : {0.0, 90.0, 180.0, 270.0, 5.0, -5.0})
            QTest::addRow("%s %g", qPrintable(format), angle)
                << format << text << angle << places[n++ % places.size()] << 255 << 200 << 200;
        // Coloured forms scanned in grey and dark paper, pale print, turned and askew,
        // at the resolutions a station scans at; placed so that a long label turned
        // upright still lies whole on the page.
        const QList<std::array<int, 4>> papers = {{40, 10, 150, 200},  {60, 270, 300, 160},
                                                  {90, 180, 200, 120}, {110, -10, 200, 120},
                                                  {140, 10, 300, 160}, {255, -10, 150, 200}};
        const QList<QPointF> inner = {{0.5, 0.5}, {0.72, 0.3}, {0.3, 0.7}};
        int k = 0;
        for (const auto& [paper, angle, dpi, contrast] : papers)
            QTest::addRow("%s paper %d, %d dpi, %d degrees", qPrintable(format), paper, dpi, angle)
                << format << text << double(angle) << inner[k++ % inner.size()] << paper << dpi
                << contrast;
    }
    QTest::newRow("PDF417 paper 60, 300 dpi, 274 degrees, long")
        << "PDF417"
        << "710023-02" << 274.0 << QPointF(0.5, 0.5) << 60 << 300 << 120;
}

void TstPageCodeReader::decodes() {
    QFETCH(QString, format);
    QFETCH(QString, text);
    QFETCH(double, angle);
    QFETCH(QPointF, centre);
    QFETCH(int, paper);
    QFETCH(int, dpi);
    QFETCH(int, contrast);
    const QImage page = makePage(
        {{{.text = text, .format = format, .centre = centre, .angle = angle, .contrast = contrast}},
         paper,
         dpi},
        1);
    const QList<PageCode> codes = PageCodeReader().read(page);
    QCOMPARE(codes, (QList<PageCode>{{text, format}}));
    // The whole label is in one of the places read before the whole page, so reading stays
    // fast: that part of the page alone reads as the label.
    const QPoint at(int(centre.x() * page.width()), int(centre.y() * page.height()));
    const QList<QRect> places = labelRegions(page, LikelyLabelPlaces);
    QVERIFY(std::any_of(places.begin(), places.end(), [&](const QRect& r) {
        return r.contains(at) && PageCodeReader().read(page.copy(r)) == codes;
    }));
}

void TstPageCodeReader::everyCodeOnThePage_data() {
    QTest::addColumn<QList<LabelSpec>>("printed");
    QTest::addColumn<int>("paper");
    const LabelSpec label{.text = "7315-00", .centre = {0.72, 0.12}};
    const LabelSpec prescriber{
        .text = "DEA AB1234567", .centre = {0.30, 0.20}, .contrast = 240, .sticker = false};
    const LabelSpec eRx{.text = "ERX:2026-7315;PT:LEE ANN;DOB:19500307",
                        .format = "QRCode",
                        .centre = {0.75, 0.30},
                        .contrast = 240,
                        .sticker = false};
    const LabelSpec second{.text = "7316-00", .format = "QRCode", .centre = {0.30, 0.85}};
    QTest::newRow("prescriber's code beside the label")
        << QList<LabelSpec>{label, prescriber} << 255;
    QTest::newRow("e-prescription code beside the label") << QList<LabelSpec>{label, eRx} << 255;
    QTest::newRow("another code, no label") << QList<LabelSpec>{prescriber} << 255;
    QTest::newRow("two labels") << QList<LabelSpec>{label, second} << 255;
    QTest::newRow("two labels and a code, dark paper")
        << QList<LabelSpec>{label, second, prescriber} << 70;
}

void TstPageCodeReader::everyCodeOnThePage() {
    QFETCH(QList<LabelSpec>, printed);
    QFETCH(int, paper);
    const QList<PageCode> codes = PageCodeReader().read(makePage({printed, paper}, 3));
    QCOMPARE(codes.size(), printed.size());
    for (const LabelSpec& code : printed)
        QVERIFY2(codes.contains(PageCode{code.text, code.format}), qPrintable(code.text));
}

void TstPageCodeReader::pageWithoutLabel() {
    QVERIFY(PageCodeReader().read(makeLabelPage(LabelSpec{}, 2)).isEmpty());
    QVERIFY(PageCodeReader().read(QImage()).isEmpty());
}

void TstPageCodeReader::readsFromSeveralThreads() {
    // One reader shared by workers, each reading its own pages, as the station does;
    // Data Matrix labels away from the middle of the page, as a stack places them.
    const QStringList labels = {"100-00", "101-00", "102-01", "103-00"};
    const QList<QImage> pages = makeStack(labels, "DataMatrix");
    const PageCodeReader reader;
    QList<QList<PageCode>> found(pages.size());
    std::vector<std::thread> workers;
    for (int i = 0; i < pages.size(); ++i)
        workers.emplace_back([&, i] { found[i] = reader.read(pages[i]); });
    for (auto& w : workers)
        w.join();
    for (int i = 0; i < pages.size(); ++i)
        QCOMPARE(found[i], (QList<PageCode>{{labels[i], "DataMatrix"}}));
}

QTEST_MAIN(TstPageCodeReader)
#include "tst_pagecodereader.moc"
