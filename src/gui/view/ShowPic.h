#pragma once

#include "base/Checked.h"
#include "gui/view/PrintedCopy.h"
#include "gui/view/ViewWidgets.h"

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>

class QPrinter;
class QPrintPreviewDialog;
class QPushButton;

namespace quiller {

class PictureBox;

// The enlarged image window: shows the preview's picture larger and prints it as a copy
// of the stored image (true size, captioned) on the printer the print dialogs chose,
// with a print preview. One instance at a time; closing it unloads it.
class frmShowPic : public QWidget {
    Q_OBJECT
public:
    explicit frmShowPic(QWidget* parent = nullptr);
    ~frmShowPic() override;

    // The open window, or null.
    static frmShowPic* Current();
    // The open window, created when there is none.
    static frmShowPic* Instance(QWidget* parent = nullptr);

    void SetPicture(const QImage& picture);
    QImage Picture() const;
    // What the printed caption says about the prescription shown.
    void SetCopyDetails(const CopyDetails& details) { details_ = details; }
    const CopyDetails& Details() const { return details_; }

    // Where prints go: a printer set as the print dialogs chose (printer, copies, file).
    // Without a factory, the system's default printer.
    using PrinterFactory = std::function<std::unique_ptr<QPrinter>()>;
    static void SetPrinterFactory(PrinterFactory factory);
    // Told of each print of the shown prescription: the printer and copies, and "done"
    // or why it failed (for the audit trail).
    using PrintRecorder = std::function<void(const QString& detail, const QString& outcome)>;
    void SetPrintRecorder(PrintRecorder recorder) { printRecorder_ = std::move(recorder); }

public slots:
    void Command1_Click(); // Print
    void Command2_Click(); // Cancel: unloads the window
    void Command3_Click(); // Preview: the pages as they will print, printable from there

private:
    static std::unique_ptr<QPrinter> NewPrinter();
    void Record(const QPrinter* printer, int copies, bool printed, const QString& why);

    PrintRecorder printRecorder_;
    CopyDetails details_;
    std::unique_ptr<QPrinter> previewPrinter_;
    QPointer<QPrintPreviewDialog> preview_;

    PictureBox* Image1;
    QPushButton* Command3;
    QPushButton* Command1;
    QPushButton* Command2;
};

// ShowPicForm of the scan window: opens the enlarged window for the picture in the
// preview, captioned with the selected row of the list of the current mode.
class EnlargedView : public QObject {
    Q_OBJECT
public:
    // Hooks Command4 and a double-click on Image1 (either may be null).
    // The caption and the picture are both taken from the selected row: its text and
    // its own image file.
    EnlargedView(const ViewWidgets& widgets, ViewContext& context, QObject* parent = nullptr);

public slots:
    void ShowPicForm();

private:
    ViewWidgets w_;
    ViewContext& context_;
};

} // namespace quiller
