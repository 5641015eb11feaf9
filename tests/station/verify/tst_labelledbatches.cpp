// Batches whose pages are filed by their labels, end to end: data file, scan window,
// the real libsane with the test backend serving a stack of labelled pages, the store.
// Each stack went wrong in one way; every labelled page must end under its own
// prescription, pages of no prescription in Unmatched, and the report must count them.
#include "LabelPages.h"
#include "common/DataLines.h"
#include "common/ScriptedMessageBoxes.h"
#include "common/TestEnv.h"
#include "common/ViewFixture.h"
#include "records/PageChecks.h"
#include "records/SearchCriteria.h"
#include "records/SearchResultModel.h"
#include "scanner/SaneScanner.h"
#include "station/StationCore.h"
#include "station/verify/LabelPattern.h"
#include "station/verify/PageCodeReader.h"

#include <QSqlQuery>
#include <QTreeWidget>
#include <QtTest>

using namespace quiller;
using namespace quiller::testing;
using quiller::test::SharedContext;

Q_DECLARE_METATYPE(quiller::testing::StackFault)

namespace {
const QStringList kLabels = {"100-00", "101-00", "102-00", "103-00"};

// Opens the shared station context on env's folders, and `scanner` on the test backend's
// feeder serving the stack in `pages`, with `more` of its settings.
void OpenFeeder(const test::TestEnv& env, const QString& pages, const QByteArray& more,
                std::unique_ptr<SaneScanner>& scanner) {
    test::WriteFile(env.home() + "/fake.conf",
                    "[feeder]\ntype = sheetfed scanner\nsources = ADF Front\nmodes = Gray\n"
                    "resolutions = 200\nimage_dpi = 200\nsensor = none\n" +
                        more + "pages = " + pages.toUtf8() + "\n");
    qputenv("QUILLER_FAKE_SANE_CONFIG", QFile::encodeName(env.home() + "/fake.conf"));
    StationContext& app = SharedContext();
    app.dataPath = env.imageFolder();
    app.filePath = env.interchangeFolder();
    app.ScannerID = "A";
    Database::EnsureFile(app.dataPath, QString());
    app.DbConnection = std::make_unique<Database>();
    app.DbConnection->Open(app.dataPath);
    scanner = std::make_unique<SaneScanner>();
    QVERIFY(scanner->StartDevice());
    QTRY_VERIFY_WITH_TIMEOUT(scanner->ListingComplete(), 30000);
    scanner->SelectDevice("quillerfake:feeder");
    scanner->OpenSource(); // the batch uses the feeder once the device is known to have one
    QTRY_COMPARE_WITH_TIMEOUT(scanner->DocumentFeedAvailable(), 1, 30000);
}
} // namespace

class TstLabelledBatches : public QObject {
    Q_OBJECT
private slots:
    void fileByLabel_data();
    void fileByLabel();
    void laterBatchCarriesTheRest();
};

void TstLabelledBatches::fileByLabel_data() {
    QTest::addColumn<StackFault>("fault");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("byPosition");    // the prescription the unlabelled page takes
    QTest::addColumn<QStringList>("unmatched"); // names in Unmatched start so
    QTest::addColumn<QStringList>("report");    // the report says these; none: no report
    QTest::addColumn<int>("paper");             // grey of the paper
    QTest::addColumn<bool>("otherCode");        // a prescriber's barcode beside each label
    QTest::addColumn<QString>("repeated");      // listed again in a second data file
    auto row = [](const char* name, StackFault fault, const char* mode, const char* byPosition,
                  QStringList unmatched, QStringList report, int paper = 255,
                  bool otherCode = false, const char* repeated = "") {
        QTest::newRow(name) << fault << QString(mode) << QString(byPosition) << unmatched << report
                            << paper << otherCode << QString(repeated);
    };
    using F = StackFault;
    row("double feed", F::DoubleFeed, "check", "", {},
        {"3 pages verified by their label", "no page for 102-00",
         "3 of 4 prescriptions scanned and stored"});
    row("missing sheet", F::MissingSheet, "check", "", {},
        {"3 pages verified by their label", "no page for 101-00"});
    row("swapped", F::Swapped, "check", "", {}, {});
    row("swapped, mode misspelt", F::Swapped, "chekc", "", {},
        {"Check the [verify] settings", "4 pages verified by their label."});
    row("foreign", F::Foreign, "require", "", {"999-00 "},
        {"4 pages verified", "1 kept as unmatched (label of another prescription: 999-00)",
         "Unmatched/999-00 "});
    row("duplicate", F::Duplicate, "check", "", {"duplicate_101-00 "},
        {"4 pages verified", "1 kept apart as a duplicate (label 101-00)"});
    row("unlabelled", F::Unlabelled, "check", "101-00", {},
        {"3 pages verified", "1 filed by position"});
    row("unlabelled, required", F::Unlabelled, "require", "", {"unlabelled "},
        {"3 pages verified", "1 kept as unmatched (no label)", "no page for 101-00"});
    // Papers as a pharmacy scans them.
    row("another code beside each label", F::None, "check", "", {}, {}, 255, true);
    row("another code beside each label, double feed", F::DoubleFeed, "check", "", {},
        {"3 pages verified by their label", "no page for 102-00"}, 255, true);
    row("another code beside each label, required", F::Swapped, "require", "", {}, {}, 255, true);
    row("another code and no label, required", F::Unlabelled, "require", "", {"unlabelled "},
        {"1 kept as unmatched (no label)"}, 255, true);
    row("two labels on one sheet", F::TwoLabels, "check", "", {"two_labels_101-00__102-00 "},
        {"3 pages verified", "1 kept as unmatched (two labels: 101-00, 102-00)",
         "no page for 101-00"});
    row("dark paper, swapped", F::Swapped, "check", "", {}, {}, 50);
    row("coloured form in grey, swapped", F::Swapped, "check", "", {}, {}, 150, true);
    row("the same prescription in two data files", F::Swapped, "check", "", {}, {}, 255, false,
        "101-00");
}

void TstLabelledBatches::fileByLabel() {
    QFETCH(StackFault, fault);
    QFETCH(QString, mode);
    QFETCH(QString, byPosition);
    QFETCH(QStringList, unmatched);
    QFETCH(QStringList, report);
    QFETCH(int, paper);
    QFETCH(bool, otherCode);
    QFETCH(QString, repeated);
    test::TestEnv env;
    env.writeSettings("[verify]\nmode = " + mode + "\n");
    const QStringList pageLabels = stackLabels(kLabels, fault);
    const QString pages = env.home() + "/pages";
    StackStyle style{paper, {}};
    if (otherCode)
        style.other = {.text = "DEA AB1234567", .contrast = 240, .sticker = false};
    QCOMPARE(writeStackAsPgm(pages, makeStack(pageLabels, "Code128", style)), QString());
    StationContext& app = SharedContext();
    const auto closeDatabase = qScopeGuard([&] { app.DbConnection.reset(); });
    std::unique_ptr<SaneScanner> scanner;
    OpenFeeder(env, pages, "counting = session\n", scanner);
    if (QTest::currentTestFailed())
        return;
    {
        StationCore core(app);
        core.SetScanner(scanner.get());
        StationCore* intake = &core;
        StationCore* controller = &core;
        test::ScriptedMessageBoxes boxes;
        QByteArray lines;
        for (const QString& label : kLabels)
            lines += test::Line(label.left(3).toLatin1(), "00", "20240307", "Drug", "Ann", "Lee");
        test::WriteFile(env.interchangeFolder() + "/AP1.QLV", lines);
        if (!repeated.isEmpty())
            test::WriteFile(
                env.interchangeFolder() + "/AP2.QLV",
                test::Line(repeated.left(3).toLatin1(), "00", "20240307", "Drug", "Ann", "Lee"));
        intake->Tick();
        intake->Tick();
        QTRY_VERIFY(controller->Busy());
        QTRY_VERIFY_WITH_TIMEOUT(!controller->Busy(), 60000);

        // Every prescription: its own labelled page, the unlabelled one, or none; a
        // prescription whose page carried another's label too is marked so in the list.
        const QHash<QString, QString> filed =
            PageChecks::FiledOf(app.DbConnection->Connection(),
                                {{"100", "00"}, {"101", "00"}, {"102", "00"}, {"103", "00"}});
        auto labelsOn = [&](const QString& image) {
            QStringList labels;
            for (const PageCode& code : PageCodeReader().read(QImage(app.ImagePath(image))))
                if (LabelPattern().parse(code.text))
                    labels << code.text;
            return labels;
        };
        for (int k = 0; k < kLabels.size(); ++k) {
            const QString rx = kLabels[k].left(3);
            const QString expected = pageLabels.contains(kLabels[k]) ? PageChecks::Verified()
                                     : kLabels[k] == byPosition      ? PageChecks::ByPosition()
                                                                     : QString();
            const bool conflict =
                !expected.isEmpty()
                    ? false
                    : pageLabels.filter("+").join("+").split("+").contains(kLabels[k]);
            QCOMPARE(filed.value(PageChecks::Key(rx, "00")), expected);
            const QString listed = expected.isEmpty()
                                       ? (conflict ? QString("two labels") : QString("missing"))
                                       : expected;
            QCOMPARE(core.Entries().At(k).filed, listed);
            if (kLabels[k] == repeated) // its second listing: the same one outcome
                QCOMPARE(core.Entries().At(int(kLabels.size())).filed, listed);
            const QString image = app.DbConnection->Find(rx, "00")->RxImage;
            QCOMPARE(image, expected.isEmpty() ? QString() : rx + "_00.jpg");
            if (expected.isEmpty())
                continue;
            // Which sheet is where: the stored page carries this prescription's label.
            QCOMPARE(labelsOn(image),
                     expected == PageChecks::Verified() ? QStringList{kLabels[k]} : QStringList{});
            // The other code on the page is noted beside its filing.
            QSqlQuery others(app.DbConnection->Connection());
            others.prepare("SELECT OtherCodes FROM PageChecks WHERE RxNbr = ? AND RefNo = '00'");
            others.addBindValue(rx);
            QVERIFY(others.exec() && others.next());
            QCOMPARE(others.value(0).toString(),
                     otherCode ? QString("Code128: DEA AB1234567") : QString());
        }
        // The viewing list shows the same for the stored pages.
        SearchResultModel found;
        found.Start(DateQuery(QDate(2024, 3, 7), QDate(2024, 3, 7)),
                    app.DbConnection->Connection());
        QCOMPARE(found.rowCount(), kLabels.size()); // a prescription listed twice has one row
        for (int r = 0; r < found.rowCount(); ++r)
            QCOMPARE(found.index(r, 4).data().toString(),
                     filed.value(PageChecks::Key(found.Row(r).RxNbr, "00")));
        QStringList kept = QDir(env.imageFolder() + "/Unmatched").entryList(QDir::Files);
        QCOMPARE(kept.size(), unmatched.size());
        for (int i = 0; i < kept.size(); ++i)
            QVERIFY2(kept[i].startsWith(unmatched[i]), qPrintable(kept[i]));
        QCOMPARE(boxes.count(), report.isEmpty() ? 0 : 1);
        for (const QString& words : report)
            QVERIFY2(boxes.last().text.contains(words), qPrintable(boxes.last().text));
    }
    scanner.reset();
}

// A double feed stops the feeder after two of four sheets; the next batch (two other
// prescriptions) feeds the sheets left, and one already scanned again. The two left go to
// their prescriptions of the earlier batch, the one scanned again is kept as a duplicate.
void TstLabelledBatches::laterBatchCarriesTheRest() {
    test::TestEnv env;
    env.writeSettings("[verify]\nmode = check\n");
    const QString pages = env.home() + "/pages";
    const QStringList sheets = {"100-00", "101-00", "102-00", "103-00",
                                "200-00", "201-00", "100-00"};
    QCOMPARE(writeStackAsPgm(pages, makeStack(sheets)), QString());
    StationContext& app = SharedContext();
    const auto closeDatabase = qScopeGuard([&] { app.DbConnection.reset(); });
    std::unique_ptr<SaneScanner> scanner;
    OpenFeeder(env, pages, "counting = device\nfaults = 3:double-feed\n", scanner);
    if (QTest::currentTestFailed())
        return;
    {
        StationCore core(app);
        core.SetScanner(&*scanner);
        test::ScriptedMessageBoxes boxes;
        const auto batch = [&](const QString& file, const QStringList& rxs) {
            QByteArray lines;
            for (const QString& rx : rxs)
                lines += test::Line(rx.toLatin1(), "00", "20240307", "Drug", "Ann", "Lee");
            test::WriteFile(env.interchangeFolder() + "/" + file, lines);
            core.Tick();
            core.Tick();
            QTRY_VERIFY(core.Busy());
            QTRY_VERIFY_WITH_TIMEOUT(!core.Busy(), 60000);
        };
        batch("AP1.QLV", {"100", "101", "102", "103"});
        QVERIFY2(boxes.last().text.contains("no page for 102-00, 103-00"),
                 qPrintable(boxes.last().text));
        batch("AP2.QLV", {"200", "201"});
        const QString report = boxes.last().text;
        QVERIFY2(report.contains("102-00 filed from an earlier batch") &&
                     report.contains("103-00 filed from an earlier batch") &&
                     report.contains("1 kept apart as a duplicate"),
                 qPrintable(report));
        QVERIFY2(!report.contains("unmatched"), qPrintable(report));
    }
    // Which sheet is where: each stored page carries its own prescription's label.
    const QHash<QString, QString> filed = PageChecks::FiledOf(
        app.DbConnection->Connection(),
        {{"100", "00"}, {"101", "00"}, {"102", "00"}, {"103", "00"}, {"200", "00"}, {"201", "00"}});
    for (const QString rx : {"100", "101", "102", "103", "200", "201"}) {
        const QString image = app.DbConnection->Find(rx, "00")->RxImage;
        QCOMPARE(image, rx + "_00.jpg");
        QCOMPARE(filed.value(PageChecks::Key(rx, "00")), PageChecks::Verified());
        QStringList labels;
        for (const PageCode& code : PageCodeReader().read(QImage(app.ImagePath(image))))
            labels << code.text;
        QCOMPARE(labels, QStringList{rx + "-00"});
    }
    const QStringList kept = QDir(env.imageFolder() + "/Unmatched").entryList(QDir::Files);
    QCOMPARE(kept.size(), 1);
    QVERIFY2(kept[0].startsWith("duplicate_100-00 "), qPrintable(kept[0]));
    scanner.reset();
}

QTEST_MAIN(TstLabelledBatches)
#include "tst_labelledbatches.moc"
