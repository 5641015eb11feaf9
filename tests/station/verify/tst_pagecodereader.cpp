#include "LabelPages.h"
#include "station/verify/LabelRegions.h"
#include "station/verify/PageCodeReader.h"

#include <QTest>

#include <algorithm>

#include <thread>

using namespace quiller;
using namespace quiller::testing;

class TstPageCodeReader : public QObject {
    Q_OBJECT
private slots:
    void decodes_data();
    void decodes();
    void pageWithoutLabel();
    void readsFromSeveralThreads();
};

void TstPageCodeReader::decodes_data() {
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("angle");
    QTest::addColumn<QPointF>("centre");
    const QList<std::pair<QString, QString>> symbols = {
        {"Code128", "000123-01"}, {"Code39", "123-01"},     {"ITF", "0001230001"},
        {"QRCode", "000123-01"},  {"DataMatrix", "123-01"}, {"PDF417", "000123-01"}};
    const QList<QPointF> places = {{0.72, 0.10}, {0.25, 0.90}, {0.5, 0.5}};
    int n = 0;
    for (const auto& [format, text] : symbols)
        for (double angle : {0.0, 90.0, 180.0, 270.0, 5.0, -5.0})
            QTest::addRow("%s %g", qPrintable(format), angle)
                << format << text << angle << places[n++ % places.size()];
}

void TstPageCodeReader::decodes() {
    QFETCH(QString, format);
    QFETCH(QString, text);
    QFETCH(double, angle);
    QFETCH(QPointF, centre);
    const QImage page =
        makeLabelPage({.text = text, .format = format, .centre = centre, .angle = angle}, 1);
    const QList<PageCode> codes = PageCodeReader().read(page);
    QCOMPARE(codes, (QList<PageCode>{{text, format}}));
    // The label is among the places read before the whole page, so reading stays fast.
    const QPoint at(int(centre.x() * PageWidth), int(centre.y() * PageHeight));
    const QList<QRect> places = labelRegions(page, LikelyLabelPlaces);
    QVERIFY(
        std::any_of(places.begin(), places.end(), [&](const QRect& r) { return r.contains(at); }));
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
