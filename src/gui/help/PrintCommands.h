#pragma once

#include <QPrinter>
#include <QString>
#include <functional>
#include <memory>

class QPageSetupDialog;
class QPrintDialog;
class QWidget;

namespace quiller {

// The main window's File -> "Page Setup..." and "Print..." commands. Both show the
// platform's printer dialogs on one shared printer, the current printer that the
// enlarged image window later prints on.
//
// The dialogs are shown through replaceable runners (true = accepted), so tests answer
// them without a person; the default runners show them modally.
class PrintCommands {
public:
    using PageSetupRunner = std::function<bool(QPageSetupDialog& dialog)>;
    using PrintRunner = std::function<bool(QPrintDialog& dialog)>;

    // `dialogParent` (the main window) owns the dialogs while they are shown.
    explicit PrintCommands(QWidget* dialogParent = nullptr);
    ~PrintCommands();
    PrintCommands(const PrintCommands&) = delete;
    PrintCommands& operator=(const PrintCommands&) = delete;

    // The current printer: the settings chosen in these dialogs, kept for the run.
    QPrinter& CurrentPrinter() { return *printer_; }
    // A new printer for one print job, set as the dialogs chose: the printer or the
    // file, copies, page, colour and sides.
    std::unique_ptr<QPrinter> NewPrinterAsChosen() const;

    void SetPageSetupRunner(PageSetupRunner runner) { pageSetupRunner_ = std::move(runner); }
    void SetPrintRunner(PrintRunner runner) { printRunner_ = std::move(runner); }

    // Page setup: shows the page-setup dialog titled "Page Setup". Accepting keeps the
    // chosen page settings on the current printer; cancelling leaves it as it was and
    // shows nothing. Returns whether the dialog was accepted.
    bool mnuFilePageSetup_Click();

    // Print: does nothing when the main window has no active child window. Otherwise
    // shows the printer dialog titled "Print" without page-number fields; cancelling stops
    // there, leaving the current printer as it was. Accepted: when the scan window's
    // preview holds a picture (asked after the dialog closed, since the preview may have
    // changed meanwhile) the enlarged image window is opened through `showPicForm`;
    // with an empty preview nothing more happens. Returns whether the dialog was shown
    // and accepted.
    bool mnuFilePrint_Click(bool hasActiveChild, const std::function<bool()>& previewHasPicture,
                            const std::function<void()>& showPicForm);

private:
    QWidget* dialogParent_;
    std::unique_ptr<QPrinter> printer_;
    PageSetupRunner pageSetupRunner_;
    PrintRunner printRunner_;
};

} // namespace quiller
