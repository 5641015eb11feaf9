#include "gui/help/PrintCommands.h"

#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QWidget>

#include <QCoreApplication>
#include <exception>

namespace quiller {

namespace {

// What a printer dialog may change on the printer. Taken before a dialog is shown and
// put back when it is cancelled, so a cancel never leaves half-applied settings
// whichever dialog implementation the platform provides.
struct PrinterSettings {
    QString printerName;
    QPrinter::OutputFormat outputFormat;
    QString outputFileName;
    QPageLayout pageLayout;
    QPrinter::ColorMode colorMode;
    QPrinter::DuplexMode duplex;
    int copyCount;
    bool collateCopies;
    QPrinter::PrintRange printRange;
    int fromPage;
    int toPage;
    QPrinter::PaperSource paperSource;

    static PrinterSettings Of(const QPrinter& p) {
        return {p.printerName(), p.outputFormat(), p.outputFileName(), p.pageLayout(),
                p.colorMode(),   p.duplex(),       p.copyCount(),      p.collateCopies(),
                p.printRange(),  p.fromPage(),     p.toPage(),         p.paperSource()};
    }

    void RestoreTo(QPrinter& p) const {
        // The output format first: choosing it resets the printer name and back again.
        if (p.outputFormat() != outputFormat)
            p.setOutputFormat(outputFormat);
        if (outputFormat == QPrinter::NativeFormat && p.printerName() != printerName)
            p.setPrinterName(printerName);
        p.setOutputFileName(outputFileName);
        p.setPageLayout(pageLayout);
        p.setColorMode(colorMode);
        p.setDuplex(duplex);
        p.setCopyCount(copyCount);
        p.setCollateCopies(collateCopies);
        p.setPrintRange(printRange);
        p.setFromTo(fromPage, toPage);
        p.setPaperSource(paperSource);
    }
};

} // namespace

PrintCommands::PrintCommands(QWidget* dialogParent)
    : dialogParent_(dialogParent), printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)),
      pageSetupRunner_([](QPageSetupDialog& d) { return d.exec() == QDialog::Accepted; }),
      printRunner_([](QPrintDialog& d) { return d.exec() == QDialog::Accepted; }) {}

PrintCommands::~PrintCommands() = default;

std::unique_ptr<QPrinter> PrintCommands::NewPrinterAsChosen() const {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    PrinterSettings::Of(*printer_).RestoreTo(*printer);
    return printer;
}

bool PrintCommands::mnuFilePageSetup_Click() {
    const PrinterSettings before = PrinterSettings::Of(*printer_);
    QPageSetupDialog dialog(printer_.get(), dialogParent_);
    dialog.setWindowTitle(QCoreApplication::translate("PrintCommands", "Page Setup"));
    const bool accepted = pageSetupRunner_ && pageSetupRunner_(dialog);
    if (!accepted)
        before.RestoreTo(*printer_);
    return accepted;
}

bool PrintCommands::mnuFilePrint_Click(bool hasActiveChild,
                                       const std::function<bool()>& previewHasPicture,
                                       const std::function<void()>& showPicForm) {
    if (!hasActiveChild)
        return false;

    const PrinterSettings before = PrinterSettings::Of(*printer_);
    bool accepted = false;
    {
        QPrintDialog dialog(printer_.get(), dialogParent_);
        dialog.setWindowTitle(QCoreApplication::translate("PrintCommands", "Print"));
        // The picture is printed whole on one page: no page range, no selection.
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
        dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
        dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
        accepted = printRunner_ && printRunner_(dialog);
    }
    if (!accepted) {
        before.RestoreTo(*printer_);
        return false;
    }
    // The command runs with its errors ignored: a failure to open the enlarged window
    // ends the command, not the program.
    try {
        if (previewHasPicture && previewHasPicture() && showPicForm)
            showPicForm();
    } catch (const std::exception&) {
    }
    return true;
}

} // namespace quiller
