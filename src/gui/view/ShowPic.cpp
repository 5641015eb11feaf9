#include "gui/view/ShowPic.h"

#include "base/Log.h"
#include "station/ImageNaming.h"
#include "station/PatientRecords.h"
#include "station/StationContext.h"

#include "base/MessageBoxes.h"
#include "base/Text.h"
#include "gui/common/FieldWidth.h"
#include "gui/common/Mnemonics.h"
#include "gui/common/PictureBox.h"
#include "gui/common/Twips.h"
#include "gui/view/Preview.h"
#include "records/SearchCriteria.h"
#include "records/SearchResultModel.h"
#include "settings/StationSettings.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QShortcut>
#include <QSysInfo>
#include <QTreeView>
#include <QTreeWidget>
#include <QVBoxLayout>

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

} // namespace

frmShowPic::frmShowPic(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("frmShowPic"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("Scanned Image for Prescription"));

    Image1 = new PictureBox(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Command3 = new QPushButton(tr("Pre&view"), this);
    Command3->setObjectName(QStringLiteral("Command3"));
    Command1 = new QPushButton(tr("&Print"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command2 = new QPushButton(tr("&Cancel"), this);
    Command2->setObjectName(QStringLiteral("Command2"));

    // The picture fills the window; under it the buttons on the right, each as wide as
    // its text needs.
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(Twips(120, this), Twips(120, this), Twips(120, this),
                               Twips(120, this));
    column->addWidget(Image1, 1);
    auto* row = new QGridLayout;
    QWidget* cells[] = {Command3, Command1, Command2};
    row->setColumnStretch(0, 1);
    for (int i = 0; i < int(std::size(cells)); ++i)
        row->addWidget(cells[i], 0, i + 1);
    // The buttons are as wide as designed, wider when their texts need it.
    row->setColumnMinimumWidth(1, Twips(1095, this));
    row->setColumnMinimumWidth(2, Twips(1095, this));
    row->setColumnMinimumWidth(3, Twips(975, this));
    column->addLayout(row);
    resize(Twips(6855, this), Twips(6450, this));
    // Escape closes the window as Cancel does.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WindowShortcut);
    connect(escape, &QShortcut::activated, this, &frmShowPic::Command2_Click);
    MakeMnemonicsUnique(this);

    connect(Command1, &QPushButton::clicked, this, &frmShowPic::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmShowPic::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &frmShowPic::Command3_Click);
    CurrentWindow() = this;
}

frmShowPic::~frmShowPic() {
    delete preview_; // it paints on previewPrinter_
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

void frmShowPic::SetPicture(const QImage& picture) {
    Image1->SetPicture(picture);
}

QImage frmShowPic::Picture() const {
    return Image1->Picture();
}

void frmShowPic::SetPrinterFactory(PrinterFactory factory) {
    Factory() = std::move(factory);
}

std::unique_ptr<QPrinter> frmShowPic::NewPrinter() {
    return Factory() ? Factory()() : std::make_unique<QPrinter>(QPrinter::HighResolution);
}

void frmShowPic::Record(const QPrinter* printer, int copies, bool printed, const QString& why) {
    if (!printRecorder_)
        return;
    const QString where = !printer                              ? QString()
                          : printer->outputFileName().isEmpty() ? printer->printerName()
                                                                : printer->outputFileName();
    printRecorder_(QStringLiteral("printer %1, %2 copies").arg(where).arg(copies),
                   printed ? QStringLiteral("done") : QStringLiteral("failed: ") + why);
}

void frmShowPic::Command1_Click() {
    std::unique_ptr<QPrinter> printer = NewPrinter();
    const int copies = printer ? std::max(1, printer->copyCount()) : 0;
    const Outcome outcome = printer ? PrintedCopy::Print(*printer, Picture(), details_)
                                    : Outcome::Failed(tr("No printer is available."));
    const bool printed = outcome.ok();
    const QString why = outcome.why();
    Record(printer.get(), copies, printed, why);
    if (!printed) {
        MessageBoxes::Show(tr("The image could not be printed. ") + why, MsgIcon::Critical);
        return;
    }
    const QString file =
        printer->outputFormat() == QPrinter::PdfFormat ? printer->outputFileName() : QString();
    MessageBoxes::Show(file.isEmpty()
                           ? tr("The image was sent to the printer %1.").arg(printer->printerName())
                           : tr("The image was saved as %1.").arg(file),
                       MsgIcon::Information);
}

void frmShowPic::Command2_Click() {
    close();
}

void frmShowPic::Command3_Click() {
    if (Picture().isNull())
        return;
    delete preview_; // before the printer it paints on
    previewPrinter_ = NewPrinter();
    QPrinter* printer = previewPrinter_.get();
    if (!printer)
        return;
    preview_ = new QPrintPreviewDialog(printer, this);
    preview_->setObjectName(QStringLiteral("printPreview"));
    preview_->setAttribute(Qt::WA_DeleteOnClose);
    preview_->setWindowTitle(tr("Print Preview - %1").arg(PrintedCopy::Title(details_)));
    printer->setDocName(PrintedCopy::Title(details_));
    // The copies asked for are drawn as pages of one job; a print dialog opened from the
    // preview may change their number, which is then taken over the same way.
    auto copies = std::make_shared<int>(std::max(1, printer->copyCount()));
    auto details = std::make_shared<CopyDetails>(details_);
    const QImage picture = Picture();
    connect(preview_, &QPrintPreviewDialog::paintRequested, preview_,
            [copies, details, picture](QPrinter* target) {
                if (target->copyCount() > 1) {
                    *copies = target->copyCount();
                    target->setCopyCount(1);
                }
                details->printedAt = QDateTime::currentDateTime();
                QPainter painter(target);
                PrintedCopy::Paint(painter, *target, picture, *details, *copies);
            });
    // The preview closes as accepted once its pages have been printed.
    connect(preview_, &QDialog::accepted, this, [this, printer, copies] {
        const bool failed = printer->printerState() == QPrinter::Error;
        Record(printer, *copies, !failed,
               failed ? tr("The page could not be sent to the printer.") : QString());
    });
    preview_->open();
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
    CopyDetails details; // as the list shows the prescription
    if (viewing) {
        const int row = Preview::SelectedRow(w_.ListView2);
        if (row < 0)
            return;
        text = Preview::RowText(w_.ListView2, row);
        tag = Preview::RowTag(w_.ListView2, row);
        const QAbstractItemModel* model = w_.ListView2->model();
        details.fillDate = model->index(row, 1).data().toString();
        details.drug = model->index(row, 2).data().toString();
        if (const auto* found = qobject_cast<const SearchResultModel*>(model)) {
            const SearchRow& r = found->Row(row);
            details.patient = TrimBlanks(r.FirstName + u' ' + r.LastName);
        } else {
            details.patient = model->index(row, 3).data().toString();
        }
    } else {
        QTreeWidgetItem* item = Preview::SelectedItem(w_.ListView1);
        if (!item)
            return;
        text = item->text(0);
        tag = item->data(0, Qt::UserRole).toString();
        details.fillDate = item->text(1);
        details.drug = item->text(2);
        details.patient = item->text(3);
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
    details.rxNbr = key.rxNbr;
    details.refNo = key.refNo;
    details.station = app.ScannerID + QStringLiteral(" - ") + QSysInfo::machineHostName();
    PatientRecords::RecordAccess(app, QStringLiteral("enlarge"), key.rxNbr, key.refNo);
    window->SetPrintRecorder([&app, key](const QString& detail, const QString& outcome) {
        PatientRecords::RecordAccess(app, QStringLiteral("print"), key.rxNbr, key.refNo, detail,
                                     outcome);
    });
    window->SetPicture(picture);
    window->SetCopyDetails(details);
    window->setWindowTitle(tr("Scanned Image for Prescription %1").arg(text));
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace quiller
