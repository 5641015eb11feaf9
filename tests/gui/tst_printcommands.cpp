#include "common/ScriptedMessageBoxes.h"
#include "gui/help/PrintCommands.h"

#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QTemporaryDir>
#include <QtTest>

#include <stdexcept>

using namespace quiller;

namespace {

QPageLayout::Orientation Other(QPageLayout::Orientation o) {
    return o == QPageLayout::Portrait ? QPageLayout::Landscape : QPageLayout::Portrait;
}

// Everything of the printer a dialog may touch, comparable in one go.
QString Describe(const QPrinter& p) {
    return QStringLiteral("%1|%2|%3|%4|%5|%6|%7|%8|%9")
        .arg(p.printerName())
        .arg(int(p.outputFormat()))
        .arg(p.outputFileName())
        .arg(p.pageLayout().pageSize().id())
        .arg(int(p.pageLayout().orientation()))
        .arg(p.copyCount())
        .arg(int(p.colorMode()))
        .arg(int(p.duplex()))
        .arg(int(p.printRange()));
}

} // namespace

class tst_PrintCommands : public QObject {
    Q_OBJECT
private slots:
    void pageSetup_data();
    void pageSetup();
    void print_data();
    void print();
    void cancelledPrintLeavesPrinterAsItWas();
    void previewIsAskedAfterTheDialog();
    void failingEnlargedWindowEndsOnlyTheCommand();
    void currentPrinterIsSharedByBothDialogs();
};

void tst_PrintCommands::pageSetup_data() {
    QTest::addColumn<bool>("accept");
    QTest::addColumn<bool>("pdf");
    QTest::newRow("cancelled, default printer") << false << false;
    QTest::newRow("cancelled, PDF output") << false << true;
    QTest::newRow("accepted, default printer") << true << false;
    QTest::newRow("accepted, PDF output") << true << true;
}

void tst_PrintCommands::pageSetup() {
    QFETCH(bool, accept);
    QFETCH(bool, pdf);
    test::ScriptedMessageBoxes boxes;
    QTemporaryDir dir;
    PrintCommands commands;
    QPrinter& printer = commands.CurrentPrinter();
    if (pdf) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath("out.pdf"));
    }
    printer.setPageSize(QPageSize(QPageSize::Letter));
    const QString before = Describe(printer);
    const QPageLayout::Orientation orientation = printer.pageLayout().orientation();

    int shown = 0;
    commands.SetPageSetupRunner([&](QPageSetupDialog& dialog) {
        ++shown;
        [&] {
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Page Setup"));
            QCOMPARE(dialog.printer(), &printer);
        }();
        // The operator changes the page in the dialog, then answers.
        dialog.printer()->setPageSize(QPageSize(QPageSize::A5));
        dialog.printer()->setPageOrientation(Other(orientation));
        return accept;
    });

    QCOMPARE(commands.mnuFilePageSetup_Click(), accept);
    QCOMPARE(shown, 1);
    if (accept) {
        QCOMPARE(printer.pageLayout().pageSize().id(), QPageSize::A5);
        QCOMPARE(printer.pageLayout().orientation(), Other(orientation));
    } else {
        QCOMPARE(Describe(printer), before);
    }
    QCOMPARE(boxes.count(), 0);
}

void tst_PrintCommands::print_data() {
    QTest::addColumn<bool>("hasActiveChild");
    QTest::addColumn<bool>("accept");
    QTest::addColumn<bool>("hasPicture");
    QTest::addColumn<int>("dialogsShown");
    QTest::addColumn<int>("picFormsOpened");

    QTest::newRow("no active child, picture") << false << true << true << 0 << 0;
    QTest::newRow("no active child, no picture") << false << true << false << 0 << 0;
    QTest::newRow("cancelled, picture") << true << false << true << 1 << 0;
    QTest::newRow("cancelled, no picture") << true << false << false << 1 << 0;
    QTest::newRow("accepted, empty preview") << true << true << false << 1 << 0;
    QTest::newRow("accepted, picture") << true << true << true << 1 << 1;
}

void tst_PrintCommands::print() {
    QFETCH(bool, hasActiveChild);
    QFETCH(bool, accept);
    QFETCH(bool, hasPicture);
    QFETCH(int, dialogsShown);
    QFETCH(int, picFormsOpened);

    test::ScriptedMessageBoxes boxes;
    PrintCommands commands;
    int shown = 0;
    commands.SetPrintRunner([&](QPrintDialog& dialog) {
        ++shown;
        [&] {
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Print"));
            QVERIFY(!dialog.testOption(QAbstractPrintDialog::PrintPageRange));
            QVERIFY(!dialog.testOption(QAbstractPrintDialog::PrintSelection));
            QVERIFY(!dialog.testOption(QAbstractPrintDialog::PrintCurrentPage));
            QCOMPARE(dialog.printer(), &commands.CurrentPrinter());
        }();
        return accept;
    });
    int opened = 0;
    const bool result = commands.mnuFilePrint_Click(
        hasActiveChild, [&] { return hasPicture; }, [&] { ++opened; });

    QCOMPARE(shown, dialogsShown);
    QCOMPARE(opened, picFormsOpened);
    QCOMPARE(result, hasActiveChild && accept);
    QCOMPARE(boxes.count(), 0);
}

void tst_PrintCommands::cancelledPrintLeavesPrinterAsItWas() {
    test::ScriptedMessageBoxes boxes;
    QTemporaryDir dir;
    PrintCommands commands;
    QPrinter& printer = commands.CurrentPrinter();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("first.pdf"));
    printer.setCopyCount(1);
    const QString before = Describe(printer);

    commands.SetPrintRunner([&](QPrintDialog& dialog) {
        dialog.printer()->setCopyCount(4);
        dialog.printer()->setOutputFileName(dir.filePath("other.pdf"));
        dialog.printer()->setColorMode(QPrinter::GrayScale);
        dialog.printer()->setPageOrientation(Other(dialog.printer()->pageLayout().orientation()));
        return false;
    });
    bool opened = false;
    QVERIFY(!commands.mnuFilePrint_Click(
        true, [] { return true; }, [&] { opened = true; }));
    QVERIFY(!opened);
    QCOMPARE(Describe(printer), before);
    QCOMPARE(boxes.count(), 0);
}

void tst_PrintCommands::previewIsAskedAfterTheDialog() {
    // Polling and scanning go on while the dialog is open: a picture that arrives in the
    // preview meanwhile is the one that is opened.
    PrintCommands commands;
    bool hasPicture = false;
    int asked = 0;
    commands.SetPrintRunner([&](QPrintDialog&) {
        [&] {
            QCOMPARE(asked, 0);
        }();
        hasPicture = true;
        return true;
    });
    int opened = 0;
    QVERIFY(commands.mnuFilePrint_Click(
        true,
        [&] {
            ++asked;
            return hasPicture;
        },
        [&] { ++opened; }));
    QCOMPARE(asked, 1);
    QCOMPARE(opened, 1);
}

void tst_PrintCommands::failingEnlargedWindowEndsOnlyTheCommand() {
    test::ScriptedMessageBoxes boxes;
    PrintCommands commands;
    commands.SetPrintRunner([](QPrintDialog&) { return true; });
    bool reached = false;
    QVERIFY(commands.mnuFilePrint_Click(
        true, [] { return true; },
        [&] {
            reached = true;
            throw std::runtime_error("cannot open");
        }));
    QVERIFY(reached);
    QCOMPARE(boxes.count(), 0);
}

void tst_PrintCommands::currentPrinterIsSharedByBothDialogs() {
    PrintCommands commands;
    QPrinter* fromSetup = nullptr;
    QPrinter* fromPrint = nullptr;
    commands.SetPageSetupRunner([&](QPageSetupDialog& d) {
        fromSetup = d.printer();
        d.printer()->setPageSize(QPageSize(QPageSize::Legal));
        return true;
    });
    QPageSize::PageSizeId seenByPrint = QPageSize::Custom;
    commands.SetPrintRunner([&](QPrintDialog& d) {
        fromPrint = d.printer();
        seenByPrint = d.printer()->pageLayout().pageSize().id();
        return false;
    });
    QVERIFY(commands.mnuFilePageSetup_Click());
    QVERIFY(!commands.mnuFilePrint_Click(true, nullptr, nullptr));
    QCOMPARE(fromSetup, &commands.CurrentPrinter());
    QCOMPARE(fromPrint, &commands.CurrentPrinter());
    QCOMPARE(seenByPrint, QPageSize::Legal);
    QCOMPARE(commands.CurrentPrinter().pageLayout().pageSize().id(), QPageSize::Legal);
}

QTEST_MAIN(tst_PrintCommands)
#include "tst_printcommands.moc"
