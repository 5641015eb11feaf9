// The meaning of a label and the filing of a batch's pages by their labels.
#include "LabelPages.h"
#include "PageFiler.h"
#include "station/verify/LabelPattern.h"
#include "station/verify/PageFiling.h"

#include <QTest>

#include <array>

using namespace quiller;
using namespace quiller::testing;
using quiller::test::PageFiler;

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
    for (const PageDecision& d : r.pages) // letters in the order of PageDecision::Status
        out << QChar("VPUD"[int(d.status)]) + (d.status == PageDecision::Status::Unmatched
                                                   ? QString()
                                                   : QString::number(d.prescription));
    QStringList none;
    for (int i : r.withoutPage)
        none << QString::number(i);
    return out.join(' ') + " / " + none.join(',');
}

const QStringList Batch = {"100-00", "101-00", "102-01", "103-00", "104-00"};

// A row of the filing table: the batch's labels, each page's codes, mode, outcome.
void Filing(const char* name, const QStringList& expected, const QStringList& pages,
            const char* mode, const char* outcome) {
    QTest::newRow(name) << expected << pages << QString(mode) << QString(outcome);
}

} // namespace

class TstPageFiling : public QObject {
    Q_OBJECT
private slots:
    void labelPattern_data();
    void labelPattern();
    void files_data();
    void files();
    void reportInWords();
    void livePagesMoveWhenALabelArrives();
};

void TstPageFiling::files_data() {
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QStringList>("pages");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("outcome");

    auto stack = [](StackFault f) {
        return stackLabels(Batch, f, 1);
    };
    Filing("in order", Batch, stack(StackFault::None), "check", "V0 V1 V2 V3 V4 / ");
    Filing("double feed", Batch, stack(StackFault::DoubleFeed), "check", "V0 V1 V3 V4 / 2");
    Filing("missing sheet", Batch, stack(StackFault::MissingSheet), "check", "V0 V2 V3 V4 / 1");
    Filing("swapped", Batch, stack(StackFault::Swapped), "check", "V0 V2 V1 V3 V4 / ");
    Filing("foreign", Batch, stack(StackFault::Foreign), "check", "V0 V1 U V2 V3 V4 / ");
    Filing("duplicate", Batch, stack(StackFault::Duplicate), "check", "V0 V1 D1 V2 V3 V4 / ");
    Filing("unlabelled, check", Batch, stack(StackFault::Unlabelled), "check", "V0 P1 V2 V3 V4 / ");
    Filing("unlabelled, require", Batch, stack(StackFault::Unlabelled), "require",
           "V0 U V2 V3 V4 / 1");
    Filing("off: swapped sheets follow the order", Batch, stack(StackFault::Swapped), "off",
           "P0 P1 P2 P3 P4 / ");
    Filing("off: one page short, one too many", Batch,
           stack(StackFault::MissingSheet) + QStringList{"", ""}, "off", "P0 P1 P2 P3 P4 U / ");
    // An unlabelled page ahead of the labelled page of "its" prescription takes the next
    // prescription still free, not the one the label claims later.
    Filing("unlabelled before the labelled one", Batch,
           {"", "100-00", "102-01", "103-00", "104-00"}, "check", "P1 V0 V2 V3 V4 / ");
    Filing("unlabelled with every sheet taken", Batch, stack(StackFault::None) + QStringList{""},
           "check", "V0 V1 V2 V3 V4 U / ");
    Filing("leading zeros, refill as number", Batch,
           {"0100-0", "000101", "102_1", "103 00", "00104-00"}, "check", "V0 V1 V2 V3 V4 / ");
    Filing("other refill of an expected Rx is foreign", Batch, {"100-01", "101-00"}, "check",
           "U V1 / 0,2,3,4");
    Filing("two labels naming different prescriptions", Batch, {"100-00|101-00", "101-00"}, "check",
           "U V1 / 0,2,3,4");
    Filing("a label and one of another batch", Batch, {"100-00|999-00", "101-00"}, "check",
           "U V1 / 0,2,3,4");
    Filing("the same label twice is one label", Batch, {"100-00|0100-0", "101|101-00"}, "check",
           "V0 V1 / 2,3,4");
    Filing("two labels in require mode", Batch, {"100-00|101-00", ""}, "require",
           "U U / 0,1,2,3,4");
    const QStringList twice = {"100-00", "101-00", "100-00"};
    Filing("a prescription listed twice has one page, by its label", twice, {"101-00", "100-00"},
           "check", "V1 V0 / ");
    Filing("a prescription listed twice takes no second page by position", twice,
           {"100-00", "", ""}, "check", "V0 P1 U / ");
    Filing("a prescription listed twice without its page is named once", twice, {"101-00"}, "check",
           "V1 / 0");
    Filing("other barcodes than labels are ignored", Batch, {"100-00|LOT A17", "ABC"}, "check",
           "V0 P1 / 2,3,4");
    const QStringList refills = {"105-00", "105-01", "106-00"};
    Filing("Rx without refill, several refills: by position among them", refills,
           {"105-01", "105", "106"}, "check", "V1 P0 V2 / ");
    Filing("Rx without refill, several refills: require keeps it apart", refills,
           {"105", "105-01", "106"}, "require", "U V1 V2 / 0");
    Filing("ambiguous with both refills taken", refills, {"105-00", "105-01", "105"}, "check",
           "V0 V1 U / 2");
}

void TstPageFiling::labelPattern_data() {
    QTest::addColumn<QString>("pattern"); // empty: the default
    QTest::addColumn<QString>("text");
    // "rx refill" (refill -1: none on the label), "": none; "!words": the pattern is
    // refused with a message saying these words.
    QTest::addColumn<QString>("key");
    const QList<std::array<const char*, 4>> rows = {
        {"rx alone", "", "123", "123 -1"},
        {"leading zeros, dash refill", "", "000123-01", "123 1"},
        {"underscore", "", "123_7", "123 7"},
        {"blank, padded", "", " 123 02 ", "123 2"},
        {"three-digit refill", "", "123-001", ""},
        {"letters", "", "RX123", ""},
        {"empty", "", "", ""},
        {"custom fixed width", R"(^(?<rx>\d{7})(?<refill>\d{2})$)", "012345603", "123456 3"},
        {"custom, no refill group", R"(^RX:(?<rx>\d+)$)", "RX:0042", "42 -1"},
        {"custom rx not digits", R"(^(?<rx>\w+)$)", "12A", ""},
        {"rx too long for a number", R"(^(?<rx>\d+)$)", "1234567890123456789", ""},
        {"refused: syntax", R"(^(?<rx>\d+$)", "", "!not a valid regular expression"},
        {"refused: no rx group", R"(^(\d+)-(\d+)$)", "", "!no group named rx"},
        {"refused: empty", "  ", "", "!empty"}};
    for (const auto& [name, pattern, text, key] : rows)
        QTest::newRow(name) << QString(pattern) << QString(text) << QString(key);
}

void TstPageFiling::labelPattern() {
    QFETCH(QString, pattern);
    QFETCH(QString, text);
    QFETCH(QString, key);
    const Checked<LabelPattern> p = pattern.isEmpty() ? Checked<LabelPattern>(LabelPattern())
                                                      : LabelPattern::fromSetting(pattern);
    if (key.startsWith('!')) {
        QVERIFY(!p.ok());
        QVERIFY2(p.why().contains(key.mid(1)), qPrintable(p.why()));
        return;
    }
    QVERIFY2(p.ok(), qPrintable(p.why()));
    const std::optional<LabelKey> k = p.value().parse(text);
    QCOMPARE(k ? QStringLiteral("%1 %2").arg(k->rx).arg(k->refill.value_or(-1)) : QString(), key);
}

void TstPageFiling::files() {
    QFETCH(QStringList, expected);
    QFETCH(QStringList, pages);
    QFETCH(QString, mode);
    QFETCH(QString, outcome);
    const std::optional<FilingMode> m = filingModeFromSetting(mode);
    QVERIFY(m);
    const FilingResult r = fileBatch(prescriptions(expected), codesOf(pages), *m);
    QCOMPARE(::outcome(r), outcome);
    QCOMPARE(r.verified + r.byPosition + r.unmatched + r.duplicates, pages.size());
}

void TstPageFiling::reportInWords() {
    const QList<ExpectedRx> batch = prescriptions(Batch);
    QStringList pages = stackLabels(Batch, StackFault::Foreign, 0);
    pages = stackLabels(pages, StackFault::Unlabelled, 2); // 100, 999, (101), 102, 103, 104
    pages.removeLast();                                    // no page for 104-00
    pages << "103-00";
    FilingResult r = fileBatch(batch, codesOf(pages), FilingMode::Check);
    QCOMPARE(filingReport(r, batch),
             QString("3 pages verified by their label, 1 filed by position, 1 kept as unmatched "
                     "(label of another prescription: 999-00), 1 kept apart as a duplicate "
                     "(label 103-00), "
                     "no page for 104-00."));
    r = fileBatch(batch, codesOf({"", "999-00", "998-00"}), FilingMode::Require);
    QCOMPARE(filingReport(r, batch),
             QString("3 pages kept as unmatched (labels of other prescriptions: 999-00, 998-00; "
                     "no label), no page for 100-00, 101-00, 102-01, 103-00, 104-00."));
    // Labels of two prescriptions: the page is kept, the report names both, and the codes
    // that are not labels are noted.
    r = fileBatch(batch, codesOf({"100-00|101-00|DEA AB1234567", "101-00"}), FilingMode::Check);
    QCOMPARE(keptReason(r.pages[0]), QString("two labels: 100-00, 101-00"));
    QCOMPARE(r.pages[0].named, (QList<int>{0, 1}));
    QCOMPARE(otherCodesNote(r.pages[0].others), QString("Code128: DEA AB1234567"));
    QCOMPARE(filingReport(r, batch),
             QString("1 page verified by its label, 1 kept as unmatched (two labels: 100-00, "
                     "101-00), no page for 100-00, 102-01, 103-00, 104-00."));
    QCOMPARE(otherCodesNote({"QRCode: a\tb" + QString(130, 'x'), "Code39: X"}),
             "QRCode: a b" + QString(109, 'x') + "...; Code39: X");
}

void TstPageFiling::livePagesMoveWhenALabelArrives() {
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

QTEST_GUILESS_MAIN(TstPageFiling)
#include "tst_pagefiling.moc"
