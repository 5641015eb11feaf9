#include "gui/scan/frmScan.h"

#include "base/ErrorReport.h"
#include "gui/common/ColumnFit.h"
#include "gui/common/FieldWidth.h"
#include "gui/common/PictureBox.h"
#include "gui/common/Twips.h"
#include "gui/view/ViewWidgets.h"
#include "settings/StationSettings.h"
#include "station/StationContext.h"
#include "station/StationCore.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDate>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>
#include <algorithm>

namespace quiller {

namespace {

template <typename W> W* Make(QWidget* parent, const char* name) {
    auto* w = new W(parent);
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

QGroupBox* MakeFrame(QWidget* parent, const char* name, const QString& caption) {
    auto* frame = Make<QGroupBox>(parent, name);
    frame->setTitle(caption);
    // Frames are opaque: the search and viewing frames lie in front of the
    // to-be-scanned frame and cover it.
    frame->setAutoFillBackground(true);
    return frame;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption) {
    auto* button = Make<QPushButton>(parent, name);
    button->setText(caption);
    return button;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& caption) {
    auto* label = Make<QLabel>(parent, name);
    label->setText(caption);
    return label;
}

QStringList ListColumns() {
    // Translated when the list is made, in the language the station runs in.
    return {QCoreApplication::translate("quiller::frmScan", "Rx Number"),
            QCoreApplication::translate("quiller::frmScan", "Date"),
            QCoreApplication::translate("quiller::frmScan", "Drug Name"),
            QCoreApplication::translate("quiller::frmScan", "Patient"),
            QCoreApplication::translate("quiller::frmScan", "Page")};
}

} // namespace

frmScan::frmScan(StationContext& context, StationCore& core, QWidget* parent)
    : QWidget(parent), context_(context), core_(core) {
    setObjectName(QStringLiteral("frmScan"));
    setWindowTitle(tr("Scanning Prescriptions"));
    setAttribute(Qt::WA_DeleteOnClose, false);

    Frame1 = MakeFrame(this, "Frame1", tr("Prescriptions to be scanned"));
    ListView1 = Make<QTreeWidget>(Frame1, "ListView1");
    ListView1->setRootIsDecorated(false);
    ListView1->setHeaderLabels(ListColumns());
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setAllColumnsShowFocus(true);
    FitColumns(ListView1);

    Frame2 = MakeFrame(this, "Frame2", tr("Rx image"));
    Image1 = Make<PictureBox>(Frame2, "Image1");
    Image1->setToolTip(tr("Double click the image to view larger picture"));
    Label1 = MakeLabel(Frame2, "Label1", tr("Scanner"));
    Combo1 = Make<QComboBox>(Frame2, "Combo1");
    Combo1->setEditable(false); // the operator can only choose a source
    Command1 = MakeButton(Frame2, "Command1", tr("&Scan"));
    Command2 = MakeButton(Frame2, "Command2", tr("&Rotate"));
    Command4 = MakeButton(Frame2, "Command4", tr("&View Larger Image/Print"));
    cmdScanRest = MakeButton(Frame2, "cmdScanRest", tr("Scan &the rest"));
    cmdScanRest->setEnabled(false);
    cmdScanRest->setToolTip(tr("Scan the prescriptions of the last batch that were "
                               "not scanned, in one go"));
    cmdStop = MakeButton(Frame2, "cmdStop", tr("Sto&p waiting for paper"));
    cmdStop->setToolTip(tr("End the batch now; its prescriptions are reported as "
                           "not scanned and can be scanned later"));
    cmdStop->hide();
    LabelImageNum = MakeLabel(Frame2, "LabelImageNum", tr("No images"));
    LabelImageNum->setAlignment(Qt::AlignCenter);

    fraSearch = MakeFrame(this, "fraSearch", tr("Search for"));
    Combo2 = Make<QComboBox>(fraSearch, "Combo2");
    // A drop-down with an editable text; what is typed is never added as an entry.
    Combo2->setEditable(true);
    Combo2->setInsertPolicy(QComboBox::NoInsert);
    Text1 = Make<QLineEdit>(fraSearch, "Text1");
    const char* labelNames[] = {"lblDate(0)", "lblDate(1)"};
    const char* pickerNames[] = {"DTPicker1(0)", "DTPicker1(1)"};
    const QString labelTexts[] = {tr("From fill date"), tr("To fill date")};
    for (int i = 0; i < 2; ++i) {
        lblDate[i] = MakeLabel(fraSearch, labelNames[i], labelTexts[i]);
        DTPicker1[i] = Make<QDateEdit>(fraSearch, pickerNames[i]);
        DTPicker1[i]->setCalendarPopup(true);
        DTPicker1[i]->setDate(QDate::currentDate());
    }
    cmdKept = MakeButton(fraSearch, "cmdKept", tr("&Kept pages"));
    cmdKept->setToolTip(tr("Pages kept apart in the Unmatched folder: file them under a "
                           "prescription or set them aside"));
    fraSearch->hide();

    fraList = MakeFrame(this, "fraList", tr("Prescriptions to be viewed"));
    ListView2 = Make<QTreeView>(fraList, "ListView2");
    ListView2->setRootIsDecorated(false);
    ListView2->setUniformRowHeights(true);
    ListView2->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView2->setAllColumnsShowFocus(true);
    fraList->hide();

    // Names for screen readers, and labels tied to their fields.
    ListView1->setAccessibleName(tr("Prescriptions to be scanned"));
    ListView2->setAccessibleName(tr("Prescriptions to be viewed"));
    Image1->setAccessibleName(tr("Prescription image"));
    Image1->setAccessibleDescription(Image1->toolTip());
    Combo2->setAccessibleName(tr("Search by"));
    Text1->setAccessibleName(tr("Search text"));
    Label1->setBuddy(Combo1);
    for (int i = 0; i < 2; ++i)
        lblDate[i]->setBuddy(DTPicker1[i]);

    Timer1 = core.PollTimer();
    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setInterval(1000);

    LayOut();
    resize(Twips(kDesignWidth, this), Twips(kDesignHeight, this));
    FitHeight();
}

void frmScan::LayOut() {
    // Each frame's contents follow its width; buttons and labels take what their texts
    // need, and the preview the rest.
    auto frameLayout = [](QGroupBox* frame) {
        auto* grid = new QGridLayout(frame);
        grid->setContentsMargins(Twips(120, frame), Twips(60, frame), Twips(120, frame),
                                 Twips(60, frame));
        return grid;
    };
    frameLayout(Frame1)->addWidget(ListView1, 0, 0);
    frameLayout(fraList)->addWidget(ListView2, 0, 0);

    // The search row: the field chooser, then the text or the two dates.
    QGridLayout* search = frameLayout(fraSearch);
    search->addWidget(Combo2, 0, 0);
    search->addWidget(Text1, 0, 1, 1, 2);
    search->addWidget(lblDate[0], 0, 1);
    search->addWidget(DTPicker1[0], 0, 2);
    search->addWidget(lblDate[1], 0, 3);
    search->addWidget(DTPicker1[1], 0, 4);
    search->setColumnStretch(5, 1);
    search->addWidget(cmdKept, 0, 6);
    // Columns as wide as designed at least; the chooser widens with its entries.
    WidenWithEntries(Combo2);
    search->setColumnMinimumWidth(0, Twips(1455, this));
    search->setColumnMinimumWidth(2, Twips(1235, this));
    search->setColumnMinimumWidth(4, Twips(1235, this));
    Text1->setMinimumWidth(Twips(2055, Text1));

    // The preview on the left; the scanner box and the buttons in a column on the right,
    // with Stop in the Scan button's place while a batch waits for paper.
    QGridLayout* image = frameLayout(Frame2);
    image->addWidget(Image1, 0, 0, 6, 1);
    image->addWidget(Label1, 0, 1);
    image->addWidget(Combo1, 0, 2);
    image->addWidget(Command1, 1, 2);
    image->addWidget(cmdStop, 1, 2);
    image->addWidget(Command2, 2, 2);
    image->addWidget(Command4, 3, 2);
    image->addWidget(cmdScanRest, 4, 2);
    image->addWidget(LabelImageNum, 5, 1, 1, 2);
    image->setColumnStretch(0, 3375);
    image->setColumnStretch(2, 2655);
    image->setRowStretch(5, 1);
    WidenWithEntries(Combo1);
    Image1->setMinimumSize(Twips(1500, Image1), Twips(1500, Image1));
    LabelImageNum->setAlignment(Qt::AlignLeft | Qt::AlignBottom);

    // The to-be-scanned frame above the image frame; the search and viewing frames lie
    // over it, in the same place, and cover it in viewing mode.
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(Twips(120, this), 0, Twips(80, this), Twips(120, this));
    // The search and viewing frames touch, so that nothing of the frame under them shows
    // between them; an empty row keeps the image frame apart.
    grid->setVerticalSpacing(0);
    grid->addWidget(Frame1, 0, 0, 2, 1);
    grid->addWidget(fraSearch, 0, 0);
    grid->addWidget(fraList, 1, 0);
    grid->setRowMinimumHeight(2, Twips(105, this));
    grid->addWidget(Frame2, 3, 0);
    grid->setRowStretch(0, 0);
    grid->setRowStretch(1, 3735);
    grid->setRowStretch(3, 3015);
    Frame1->stackUnder(fraSearch);
}

void frmScan::FitHeight() {
    // The height is the designed one, more when texts need it; the width at least what
    // they need.
    const QSize needed = layout() ? layout()->minimumSize() : QSize();
    const int height = std::max(Twips(kDesignHeight, this), needed.height());
    const int width = std::max(Twips(2000, this), needed.width());
    // The sub-window around the window grows with it.
    const QSize missing(std::max(0, width - this->width()), std::max(0, height - this->height()));
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()); sub && !missing.isNull())
        sub->resize(sub->size() + missing);
    if (minimumHeight() != height || maximumHeight() != height)
        setFixedHeight(height);
    if (minimumWidth() != width)
        setMinimumWidth(width);
}

bool frmScan::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    if (event->type() == QEvent::LayoutRequest)
        FitHeight();
    return handled;
}

frmScan::~frmScan() = default;

bool frmScan::Busy() const {
    return core_.Busy();
}

bool frmScan::ViewingMode() const {
    return !fraList->isHidden();
}

void frmScan::SetListView2Columns() {
    if (ListView2->model())
        FitColumns(ListView2);
}

bool frmScan::Form_Load() {
    // Scanner start-up (may end the program when no scanner is configured).
    if (behaviours_.load && !behaviours_.load())
        return false;

    Combo2->clear();
    // Each item carries its criterion in English, which the search understands whatever
    // the language shown.
    Combo2->addItem(tr("Rx Number"), QStringLiteral("Rx Number"));
    Combo2->addItem(tr("Patient"), QStringLiteral("Patient"));
    Combo2->addItem(tr("Date"), QStringLiteral("Date"));
    Combo2->addItem(tr("Drug"), QStringLiteral("Drug"));
    Combo2->addItem(tr("Not scanned"), QStringLiteral("Not scanned"));
    Combo2->setCurrentIndex(0);

    for (int i = 0; i < 2; ++i) {
        lblDate[i]->hide();
        DTPicker1[i]->hide();
        DTPicker1[i]->setDate(QDate::currentDate());
    }

    context_.ScannerID = StationSettings().StationId();

    // Top left of the main window's client area.
    if (QWidget* frame = parentWidget())
        frame->move(0, 0);

    Timer2->stop();
    loaded_ = true;
    core_.SetViewing(ViewingMode());
    core_.Resume();
    return true;
}

bool frmScan::MayStop() {
    return unloaded_ || !behaviours_.mayStop || behaviours_.mayStop();
}

bool frmScan::Form_Unload() {
    if (unloaded_)
        return true;
    try {
        Timer2->stop();
        if (behaviours_.unload)
            behaviours_.unload();
    } catch (const QuillerError& e) {
        ReportError(e, QStringLiteral("Form_Unload of frmScan"));
        return false;
    }
    unloaded_ = true;
    loaded_ = false;
    emit unloaded();
    return true;
}

void frmScan::closeEvent(QCloseEvent* event) {
    // A batch is stopped (the operator asked) before its window goes.
    if (MayStop() && Form_Unload())
        event->accept();
    else
        event->ignore();
}

ViewWidgets frmScan::ViewControls() const {
    ViewWidgets view;
    view.ListView1 = ListView1;
    view.ListView2 = ListView2;
    view.Image1 = Image1;
    view.Frame2 = Frame2;
    view.Command2 = Command2;
    view.Command4 = Command4;
    view.fraList = fraList;
    view.Combo2 = Combo2;
    view.Text1 = Text1;
    view.lblDate = {lblDate[0], lblDate[1]};
    view.DTPicker1 = {DTPicker1[0], DTPicker1[1]};
    view.cmdKept = cmdKept;
    return view;
}

} // namespace quiller
