#pragma once

#include "base/Checked.h"
#include "gui/view/ViewWidgets.h"

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>

class QLabel;
class QLineEdit;
class QPrinter;
class QPushButton;

namespace quiller {

class PictureBox;

// The enlarged image window: shows the preview's picture larger and prints it on the
// default printer at a chosen size (twips), remembered in the settings picWidth and
// picHeight. One instance at a time; closing it unloads it.
class frmShowPic : public QWidget {
    Q_OBJECT
public:
    static QString DefaultWidth() { return QStringLiteral("6000"); }
    static QString DefaultHeight() { return QStringLiteral("5500"); }

    // Loads the window (reads the stored sizes).
    explicit frmShowPic(QWidget* parent = nullptr);
    ~frmShowPic() override;

    // The open window, or null.
    static frmShowPic* Current();
    // The open window, created (and loaded) when there is none.
    static frmShowPic* Instance(QWidget* parent = nullptr);

    void SetPicture(const QImage& picture);
    QImage Picture() const;

    // Where prints go. By default the system's default printer; tests print to PDF.
    using PrinterFactory = std::function<std::unique_ptr<QPrinter>()>;
    static void SetPrinterFactory(PrinterFactory factory);
    // Told of each print of the shown prescription: the printer and copies, and "done"
    // or why it failed (for the audit trail).
    using PrintRecorder = std::function<void(const QString& detail, const QString& outcome)>;
    void SetPrintRecorder(PrintRecorder recorder) { printRecorder_ = std::move(recorder); }

    // Prints the caption as one line at the top left of the printable area and the
    // picture 500 twips right of and below it at width x height twips (a negative size
    // mirrors the picture, as a negative size always has). Says why when the page could
    // not be printed.
    static Outcome PrintPicture(QPrinter& printer, const QString& caption, const QImage& picture,
                                double widthTwips, double heightTwips);

public slots:
    void Command1_Click(); // Print
    void Command2_Click(); // Cancel: unloads the window
    // Leaving a size box: an empty or non-numeric text becomes the default.
    void ValidateWidth();
    void ValidateHeight();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    PrintRecorder printRecorder_;
    void Form_Load();

    PictureBox* Image1;
    QLabel* Label1;
    QLineEdit* txtHeight;
    QLabel* Label2;
    QLineEdit* txtWidth;
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
