#include "gui/view/ShowPic.h"

#include "base/Log.h"
#include "station/ImageNaming.h"
#include "station/PatientRecords.h"
#include "station/StationContext.h"

#include "base/MessageBoxes.h"
#include "gui/common/PictureBox.h"
#include "gui/common/Twips.h"
#include "gui/view/Preview.h"
#include "records/SearchCriteria.h"
#include "settings/StationSettings.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTreeView>
#include <QTreeWidget>

namespace quiller {

namespace {

QPointer<frmShowPic>& CurrentWindow() {
    static QPointer<frmShowPic> window;
    return window;
}

frmShowPic::PrinterFactory& Factory() {
    static frmShowPic::PrinterFactory factory;
    return factory;
}

void Validate(QLineEdit* box, const QString& defaultText) {
    const QString text = box->text();
    if (text.isEmpty() || !IsNumericText(text))
        box->setText(defaultText);
}

} // namespace

frmShowPic::frmShowPic(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("frmShowPic"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Scanned Image for Prescription"));

    Image1 = new PictureBox(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Label1 = new QLabel(QStringLiteral("Height"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    txtHeight = new QLineEdit(DefaultHeight(), this);
    txtHeight->setObjectName(QStringLiteral("txtHeight"));
    Label2 = new QLabel(QStringLiteral("Width"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    txtWidth = new QLineEdit(DefaultWidth(), this);
    txtWidth->setObjectName(QStringLiteral("txtWidth"));
    Command1 = new QPushButton(QStringLiteral("&Print"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command2 = new QPushButton(QStringLiteral("&Cancel"), this);
    Command2->setObjectName(QStringLiteral("Command2"));

    resize(Twips(6855, this), Twips(6450, this));
    PlaceTwips(Image1, 120, 120, 6495, 5655);
    PlaceTwips(Label1, 120, 6000, 495, 255);
    PlaceTwips(txtHeight, 720, 6000, 495, 285);
    PlaceTwips(Label2, 1320, 6000, 495, 255);
    PlaceTwips(txtWidth, 1920, 6000, 495, 285);
    PlaceTwips(Command1, 4440, 6000, 1095, 375);
    PlaceTwips(Command2, 5640, 6000, 975, 375);

    txtWidth->installEventFilter(this);
    txtHeight->installEventFilter(this);
    connect(Command1, &QPushButton::clicked, this, &frmShowPic::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmShowPic::Command2_Click);

    Form_Load();
    CurrentWindow() = this;
}

frmShowPic::~frmShowPic() {
    if (CurrentWindow() == this)
        CurrentWindow() = nullptr;
}

frmShowPic* frmShowPic::Current() {
    return CurrentWindow();
}

frmShowPic* frmShowPic::Instance(QWidget* parent) {
    if (!CurrentWindow())
        new frmShowPic(parent);
    return CurrentWindow();
}

void frmShowPic::Form_Load() {
    // Stored sizes are shown as they are; they are checked before they are printed.
    const StationSettings settings;
    const QString width = settings.PrintWidthText();
    if (!width.isEmpty())
        txtWidth->setText(width);
    const QString height = settings.PrintHeightText();
    if (!height.isEmpty())
        txtHeight->setText(height);
}

void frmShowPic::SetPicture(const QImage& picture) {
    Image1->SetPicture(picture);
}

QImage frmShowPic::Picture() const {
    return Image1->Picture();
}

void frmShowPic::SetPrinterFactory(PrinterFactory factory) {
    Factory() = std::move(factory);
}

void frmShowPic::ValidateWidth() {
    Validate(txtWidth, DefaultWidth());
}

void frmShowPic::ValidateHeight() {
    Validate(txtHeight, DefaultHeight());
}

bool frmShowPic::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        if (watched == txtWidth)
            ValidateWidth();
        else if (watched == txtHeight)
            ValidateHeight();
    }
    return QWidget::eventFilter(watched, event);
}

Outcome frmShowPic::PrintPicture(QPrinter& printer, const QString& caption, const QImage& picture,
                                 double widthTwips, double heightTwips) {
    auto fail = [](const QString& reason) {
        return Outcome::Failed(reason);
    };
    if (printer.outputFormat() == QPrinter::NativeFormat &&
        (printer.printerName().isEmpty() || !printer.isValid()))
        return fail(QStringLiteral("No default printer is set up on this workstation."));

    QPainter painter;
    if (!painter.begin(&printer))
        return fail(QStringLiteral("The printer could not be started."));
    // The painter's origin is the top left corner of the printable area.
    const double perTwip = printer.resolution() / 1440.0;
    const QFontMetricsF metrics(painter.font(), &printer);
    painter.drawText(QPointF(0, metrics.ascent()), caption);

    if (!picture.isNull() && widthTwips != 0 && heightTwips != 0) {
        const QRectF target =
            QRectF(500 * perTwip, 500 * perTwip, widthTwips * perTwip, heightTwips * perTwip)
                .normalized();
        const QImage drawn = picture.mirrored(widthTwips < 0, heightTwips < 0);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(target, drawn);
    }
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        return fail(QStringLiteral("The page could not be sent to the printer."));
    qCInfo(lcView).noquote() << "image printed on" << printer.printerName();
    return Succeeded();
}

void frmShowPic::Command1_Click() {
    // A size read from the settings has not been through the boxes' check yet.
    ValidateWidth();
    ValidateHeight();
    StationSettings().SetPrintSize(txtWidth->text(), txtHeight->text());

    double width = 0;
    double height = 0;
    IsNumericText(txtWidth->text(), &width);
    IsNumericText(txtHeight->text(), &height);

    std::unique_ptr<QPrinter> printer =
        Factory() ? Factory()() : std::make_unique<QPrinter>(QPrinter::HighResolution);
    const Outcome outcome =
        printer ? PrintPicture(*printer, windowTitle(), Image1->Picture(), width, height)
                : Outcome::Failed(QStringLiteral("No printer is available."));
    const bool printed = outcome.ok();
    const QString why = outcome.why();
    if (printRecorder_) {
        const QString where = !printer                              ? QString()
                              : printer->outputFileName().isEmpty() ? printer->printerName()
                                                                    : printer->outputFileName();
        printRecorder_(QStringLiteral("printer %1, %2 copies")
                           .arg(where)
                           .arg(printer ? printer->copyCount() : 0),
                       printed ? QStringLiteral("done") : QStringLiteral("failed: ") + why);
    }
    if (printed) {
        MessageBoxes::Show(QStringLiteral("The image was sent to printer,"), MsgIcon::Information);
        return;
    }
    MessageBoxes::Show(QStringLiteral("The image could not be printed. ") + why, MsgIcon::Critical);
}

void frmShowPic::Command2_Click() {
    close();
}

EnlargedView::EnlargedView(const ViewWidgets& widgets, ViewContext& context, QObject* parent)
    : QObject(parent), w_(widgets), context_(context) {
    if (w_.Command4)
        connect(w_.Command4, &QPushButton::clicked, this, &EnlargedView::ShowPicForm);
    if (w_.Image1)
        connect(w_.Image1, &PictureBox::doubleClicked, this, &EnlargedView::ShowPicForm);
}

void EnlargedView::ShowPicForm() {
    const bool viewing = w_.fraList && !w_.fraList->isHidden();
    QString text;
    QString tag;
    if (viewing) {
        const int row = Preview::SelectedRow(w_.ListView2);
        if (row < 0)
            return;
        text = Preview::RowText(w_.ListView2, row);
        tag = Preview::RowTag(w_.ListView2, row);
    } else {
        QTreeWidgetItem* item = Preview::SelectedItem(w_.ListView1);
        if (!item)
            return;
        text = item->text(0);
        tag = item->data(0, Qt::UserRole).toString();
    }
    if (!w_.Image1 || !w_.Image1->HasPicture() || tag.isEmpty() || !IsSafeImageName(tag))
        return;
    // The picture of the same row as the caption: its own file, whatever the preview
    // happens to show.
    const QImage picture(context_.app().ImagePath(tag));
    if (picture.isNull())
        return;
    frmShowPic* window = frmShowPic::Instance(w_.Image1->window());
    const PrescriptionKey key = SplitEntryText(text);
    StationContext& app = context_.app();
    PatientRecords::RecordAccess(app, QStringLiteral("enlarge"), key.rxNbr, key.refNo);
    window->SetPrintRecorder([&app, key](const QString& detail, const QString& outcome) {
        PatientRecords::RecordAccess(app, QStringLiteral("print"), key.rxNbr, key.refNo, detail,
                                     outcome);
    });
    window->SetPicture(picture);
    window->setWindowTitle(QStringLiteral("Scanned Image for Prescription ") + text);
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace quiller
