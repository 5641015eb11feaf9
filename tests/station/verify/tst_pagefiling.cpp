#include "LabelPages.h"
#include "station/verify/PageFiling.h"

#include <QTest>

using namespace quiller;
using namespace quiller::testing;

namespace {

QList<ExpectedRx> prescriptions(const QStringList& labels) {
    QList<ExpectedRx> list;
    for (const QString& l : labels)
        list.append({l.section('-', 0, 0), l.section('-', 1, 1)});
    return list;
}

// Each page's codes: "" no barcode, "a|b" two barcodes.
QList<QList<PageCode>> codesOf(const QStringList& pages) {
    QList<QList<PageCode>> all;
    for (const QString& p : pages) {
        QList<PageCode> codes;
        for (const QString& text : p.split('|', Qt::SkipEmptyParts))
            codes.append({text, "Code128"});
        all.append(codes);
    }
    return all;
}

// "V2" verified for prescription 2, "P1" by position, "U" unmatched, "D0" duplicate of 0.
QString outcome(const FilingResult& r) {
    QStringList out;
    for (const PageDecision& d : r.pages) {
        switch (d.status) {
        case PageDecision::Status::Verified:
            out << QStringLiteral("V%1").arg(d.prescription);
            break;
        case PageDecision::Status::ByPosition:
            out << QStringLiteral("P%1").arg(d.prescription);
            break;
        case PageDecision::Status::Unmatched:
            out << QStringLiteral("U");
            break;
        case PageDecision::Status::Duplicate:
            out << QStringLiteral("D%1").arg(d.prescription);
            break;
        }
    }
    QStringList none;
    for (int i : r.withoutPage)
        none << QString::number(i);
    return out.join(' ') + " / " + none.join(',');
}

const QStringList Batch = {"100-00", "101-00", "102-01", "103-00", "104-00"};

} // namespace

class TestPageFiling : public QObject {
    Q_OBJECT
private slots:
    void files_data();
    void files();
    void reportInWords();
    void livePagesMoveWhenALabelArrives();
};

void TestPageFiling::files_data() {
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QStringList>("pages");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("outcome");

    auto stack = [](StackFault f, int at = 1) {
        return stackLabels(Batch, f, at);
    };
    QTest::newRow("in order") << Batch << stack(StackFault::None) << "check"
                              << "V0 V1 V2 V3 V4 / ";
    QTest::newRow("double feed") << Batch << stack(StackFault::DoubleFeed) << "check"
                                 << "V0 V1 V3 V4 / 2";
    QTest::newRow("missing sheet") << Batch << stack(StackFault::MissingSheet) << "check"
                                   << "V0 V2 V3 V4 / 1";
    QTest::newRow("swapped") << Batch << stack(StackFault::Swapped) << "check"
                             << "V0 V2 V1 V3 V4 / ";
    QTest::newRow("foreign") << Batch << stack(StackFault::Foreign) << "check"
                             << "V0 V1 U V2 V3 V4 / ";
    QTest::newRow("duplicate") << Batch << stack(StackFault::Duplicate) << "check"
                               << "V0 V1 D1 V2 V3 V4 / ";
    QTest::newRow("unlabelled, check") << Batch << stack(StackFault::Unlabelled) << "check"
                                       << "V0 P1 V2 V3 V4 / ";
    QTest::newRow("unlabelled, require") << Batch << stack(StackFault::Unlabelled) << "require"
                                         << "V0 U V2 V3 V4 / 1";
    QTest::newRow("off: swapped sheets follow the order")
        << Batch << stack(StackFault::Swapped) << "off"
        << "P0 P1 P2 P3 P4 / ";
    QTest::newRow("off: one page short, one too many")
        << Batch << stack(StackFault::MissingSheet) + QStringList{"", ""} << "off"
        << "P0 P1 P2 P3 P4 U / ";
    // An unlabelled page ahead of the labelled page of "its" prescription takes the next
    // prescription still free, not the one the label claims later.
    QTest::newRow("unlabelled before the labelled one")
        << Batch << QStringList{"", "100-00", "102-01", "103-00", "104-00"} << "check"
        << "P1 V0 V2 V3 V4 / ";
    QTest::newRow("unlabelled with every sheet taken")
        << Batch << stack(StackFault::None) + QStringList{""} << "check"
        << "V0 V1 V2 V3 V4 U / ";
    QTest::newRow("leading zeros, refill as number")
        << Batch << QStringList{"0100-0", "000101", "102_1", "103 00", "00104-00"} << "check"
        << "V0 V1 V2 V3 V4 / ";
    QTest::newRow("other refill of an expected Rx is foreign")
        << Batch << QStringList{"100-01", "101-00"} << "check"
        << "U V1 / 0,2,3,4";
    QTest::newRow("two labels naming different prescriptions")
        << Batch << QStringList{"100-00|101-00", "101-00"} << "check"
        << "U V1 / 0,2,3,4";
    QTest::newRow("other barcodes than labels are ignored")
        << Batch << QStringList{"100-00|LOT A17", "ABC"} << "check"
        << "V0 P1 / 2,3,4";
    const QStringList refills = {"105-00", "105-01", "106-00"};
    QTest::newRow("Rx without refill, several refills: by position among them")
        << refills << QStringList{"105-01", "105", "106"} << "check"
        << "V1 P0 V2 / ";
    QTest::newRow("Rx without refill, several refills: require keeps it apart")
        << refills << QStringList{"105", "105-01", "106"} << "require"
        << "U V1 V2 / 0";
    QTest::newRow("ambiguous with both refills taken")
        << refills << QStringList{"105-00", "105-01", "105"} << "check"
        << "V0 V1 U / 2";
}

void TestPageFiling::files() {
    QFETCH(QStringList, expected);
    QFETCH(QStringList, pages);
    QFETCH(QString, mode);
    QFETCH(QString, outcome);
    bool ok = false;
    const FilingMode m = filingModeFromSetting(mode, &ok);
    QVERIFY(ok);
    const FilingResult r = fileBatch(prescriptions(expected), codesOf(pages), m);
    QCOMPARE(::outcome(r), outcome);
    QCOMPARE(r.verified + r.byPosition + r.unmatched + r.duplicates, pages.size());
}

void TestPageFiling::reportInWords() {
    const QList<ExpectedRx> batch = prescriptions(Batch);
    QStringList pages = stackLabels(Batch, StackFault::Foreign, 0);
    pages = stackLabels(pages, StackFault::Unlabelled, 2); // 100, 999, (101), 102, 103, 104
    pages.removeLast();                                    // no page for 104-00
    pages << "103-00";
    FilingResult r = fileBatch(batch, codesOf(pages), FilingMode::Check);
    QCOMPARE(filingReport(r, batch),
             QString("3 pages verified by their label, 1 filed by position, 1 kept as unmatched "
                     "(label 999-00), 1 kept apart as a duplicate (label 103-00), "
                     "no page for 104-00."));
    r = fileBatch(batch, codesOf({"", "999-00", "998-00"}), FilingMode::Require);
    QCOMPARE(filingReport(r, batch),
             QString("3 pages kept as unmatched (labels 999-00, 998-00; no label), no page for "
                     "100-00, 101-00, 102-01, 103-00, 104-00."));
}

void TestPageFiling::livePagesMoveWhenALabelArrives() {
    PageFiler filer(prescriptions(Batch), FilingMode::Check);
    QCOMPARE(filer.addPage({}).prescription, 0); // provisional: first free prescription
    const PageDecision second = filer.addPage({{"100-00", "QRCode"}});
    QCOMPARE(second.status, PageDecision::Status::Verified);
    QCOMPARE(second.prescription, 0);
    QCOMPARE(filer.moved(), QList<int>{0});
    QCOMPARE(filer.result().pages[0].prescription, 1);
    filer.addPage({{"102-01", "QRCode"}});
    QVERIFY(filer.moved().isEmpty());
    QCOMPARE(filer.result().withoutPage, (QList<int>{3, 4}));
}

QTEST_GUILESS_MAIN(TestPageFiling)
#include "tst_pagefiling.moc"
