#include "gui/scan/frmScan.h"

#include "base/ErrorReport.h"
#include "gui/common/PictureBox.h"
#include "gui/common/Twips.h"
#include "gui/view/ViewWidgets.h"
#include "settings/SettingsStore.h"
#include "station/StationContext.h"
#include "station/StationCore.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDate>
#include <QDateEdit>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
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

const QStringList& ListColumns() {
    static const QStringList columns{QStringLiteral("Rx Number"), QStringLiteral("Date"),
                                     QStringLiteral("Drug Name"), QStringLiteral("Patient"),
                                     QStringLiteral("Page")};
    return columns;
}

void SetColumnWidths(QHeaderView* header, const QWidget* w) {
    const int widths[] = {1200, 1200, 2000, 2440, 1100};
    for (int i = 0; i < std::min(5, header->count()); ++i)
        header->resizeSection(i, Twips(widths[i], w));
}

} // namespace

frmScan::frmScan(StationContext& context, StationCore& core, QWidget* parent)
    : QWidget(parent), context_(context), core_(core) {
    setObjectName(QStringLiteral("frmScan"));
    setWindowTitle(QStringLiteral("Scanning Prescriptions"));
    setAttribute(Qt::WA_DeleteOnClose, false);

    Frame1 = MakeFrame(this, "Frame1", QStringLiteral("Prescriptions to be scanned"));
    PlaceTwips(Frame1, 120, 0, 7335, 3735);
    ListView1 = Make<QTreeWidget>(Frame1, "ListView1");
    PlaceTwips(ListView1, 120, 240, 7095, 3255);
    ListView1->setRootIsDecorated(false);
    ListView1->setHeaderLabels(ListColumns());
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setAllColumnsShowFocus(true);
    SetColumnWidths(ListView1->header(), this);

    Frame2 = MakeFrame(this, "Frame2", QStringLiteral("Rx image"));
    PlaceTwips(Frame2, 120, 3840, 7335, 3015);
    Image1 = Make<PictureBox>(Frame2, "Image1");
    PlaceTwips(Image1, 120, 360, 3375, 2535);
    Image1->setToolTip(QStringLiteral("Double click the image to view larger picture"));
    Label1 = MakeLabel(Frame2, "Label1", QStringLiteral("Scanner"));
    PlaceTwips(Label1, 3600, 360, 735, 255);
    Combo1 = Make<QComboBox>(Frame2, "Combo1");
    PlaceTwips(Combo1, 4440, 360, 2655, 315);
    Combo1->setEditable(false); // the operator can only choose a source
    Command1 = MakeButton(Frame2, "Command1", QStringLiteral("&Scan"));
    PlaceTwips(Command1, 4440, 840, 2655, 375);
    Command2 = MakeButton(Frame2, "Command2", QStringLiteral("&Rotate"));
    PlaceTwips(Command2, 4440, 1320, 2655, 375);
    Command4 = MakeButton(Frame2, "Command4", QStringLiteral("&View Larger Image/Print"));
    PlaceTwips(Command4, 4440, 1800, 2655, 375);
    cmdScanRest = MakeButton(Frame2, "cmdScanRest", QStringLiteral("Scan &the rest"));
    PlaceTwips(cmdScanRest, 4440, 2205, 2655, 315);
    cmdScanRest->setEnabled(false);
    cmdScanRest->setToolTip(QStringLiteral("Scan the prescriptions of the last batch that were "
                                           "not scanned, in one go"));
    cmdStop = MakeButton(Frame2, "cmdStop", QStringLiteral("Sto&p waiting for paper"));
    PlaceTwips(cmdStop, 4440, 840, 2655, 375);
    cmdStop->setToolTip(QStringLiteral("End the batch now; its prescriptions are reported as "
                                       "not scanned and can be scanned later"));
    cmdStop->hide();
    LabelImageNum = MakeLabel(Frame2, "LabelImageNum", QStringLiteral("No images"));
    PlaceTwips(LabelImageNum, 3600, 2520, 2055, 255);
    LabelImageNum->setAlignment(Qt::AlignCenter);

    fraSearch = MakeFrame(this, "fraSearch", QStringLiteral("Search for"));
    PlaceTwips(fraSearch, 120, 0, 7335, 735);
    Combo2 = Make<QComboBox>(fraSearch, "Combo2");
    // A drop-down with an editable text; what is typed is never added as an entry.
    Combo2->setEditable(true);
    Combo2->setInsertPolicy(QComboBox::NoInsert);
    PlaceTwips(Combo2, 120, 240, 1455, 315);
    Text1 = Make<QLineEdit>(fraSearch, "Text1");
    PlaceTwips(Text1, 1680, 240, 2055, 285);
    const char* labelNames[] = {"lblDate(0)", "lblDate(1)"};
    const char* pickerNames[] = {"DTPicker1(0)", "DTPicker1(1)"};
    const QString labelTexts[] = {QStringLiteral("From fill date"), QStringLiteral("Ro fill date")};
    const int labelGeometry[2][4] = {{1680, 240, 975, 255}, {4080, 240, 855, 255}};
    const int pickerGeometry[2][4] = {{2640, 240, 1235, 315}, {4920, 240, 1235, 315}};
    for (int i = 0; i < 2; ++i) {
        lblDate[i] = MakeLabel(fraSearch, labelNames[i], labelTexts[i]);
        PlaceTwips(lblDate[i], labelGeometry[i][0], labelGeometry[i][1], labelGeometry[i][2],
                   labelGeometry[i][3]);
        DTPicker1[i] = Make<QDateEdit>(fraSearch, pickerNames[i]);
        PlaceTwips(DTPicker1[i], pickerGeometry[i][0], pickerGeometry[i][1], pickerGeometry[i][2],
                   pickerGeometry[i][3]);
        DTPicker1[i]->setCalendarPopup(true);
        DTPicker1[i]->setDate(QDate::currentDate());
    }
    cmdKept = MakeButton(fraSearch, "cmdKept", tr("&Kept pages"));
    PlaceTwips(cmdKept, 6240, 240, 975, 315);
    cmdKept->setToolTip(tr("Pages kept apart in the Unmatched folder: file them under a "
                           "prescription or set them aside"));
    fraSearch->hide();

    fraList = MakeFrame(this, "fraList", QStringLiteral("Prescriptions to be viewed"));
    PlaceTwips(fraList, 120, 720, 7335, 3015);
    ListView2 = Make<QTreeView>(fraList, "ListView2");
    PlaceTwips(ListView2, 120, 240, 7095, 2655);
    ListView2->setRootIsDecorated(false);
    ListView2->setUniformRowHeights(true);
    ListView2->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView2->setAllColumnsShowFocus(true);
    fraList->hide();

    // Names for screen readers, and labels tied to their fields.
    ListView1->setAccessibleName(QStringLiteral("Prescriptions to be scanned"));
    ListView2->setAccessibleName(QStringLiteral("Prescriptions to be viewed"));
    Image1->setAccessibleName(QStringLiteral("Prescription image"));
    Image1->setAccessibleDescription(Image1->toolTip());
    Combo2->setAccessibleName(QStringLiteral("Search by"));
    Text1->setAccessibleName(QStringLiteral("Search text"));
    Label1->setBuddy(Combo1);
    for (int i = 0; i < 2; ++i)
        lblDate[i]->setBuddy(DTPicker1[i]);

    Timer1 = core.PollTimer();
    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setInterval(1000);

    setMinimumWidth(Twips(2000, this));
    resize(Twips(kDesignWidth, this), Twips(kDesignHeight, this));
    setFixedHeight(Twips(kDesignHeight, this));
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
        SetColumnWidths(ListView2->header(), this);
}

bool frmScan::Form_Load() {
    // Scanner start-up (may end the program when no scanner is configured).
    if (behaviours_.load && !behaviours_.load())
        return false;

    Combo2->clear();
    Combo2->addItems({QStringLiteral("Rx Number"), QStringLiteral("Patient"),
                      QStringLiteral("Date"), QStringLiteral("Drug"),
                      QStringLiteral("Not scanned")});
    Combo2->setCurrentIndex(0);

    for (int i = 0; i < 2; ++i) {
        lblDate[i]->hide();
        DTPicker1[i]->hide();
        DTPicker1[i]->setDate(QDate::currentDate());
    }

    context_.ScannerID = SettingsStore().Read(SettingsStore::Setup(), QStringLiteral("ScannerID"));

    // Top left of the main window's client area.
    if (QWidget* frame = parentWidget())
        frame->move(0, 0);

    Form_Resize();
    Timer2->stop();
    loaded_ = true;
    core_.SetViewing(ViewingMode());
    core_.Resume();
    return true;
}

void frmScan::Form_Resize() {
    // Only widths follow the window; a width that would be negative is skipped.
    auto setWidth = [](QWidget* w, int width) {
        if (width >= 0)
            w->resize(width, w->height());
    };
    const int margin = Twips(200, this);
    const int frameWidth = width() - margin;
    if (frameWidth < 0)
        return;
    setWidth(Frame1, frameWidth);
    setWidth(Frame2, frameWidth);
    setWidth(ListView1, frameWidth - margin);
    setWidth(fraSearch, frameWidth);
    setWidth(fraList, frameWidth);
    setWidth(ListView2, frameWidth - margin);
    for (QWidget* w : {static_cast<QWidget*>(Combo1), static_cast<QWidget*>(Command1),
                       static_cast<QWidget*>(Command2), static_cast<QWidget*>(Command4),
                       static_cast<QWidget*>(cmdScanRest), static_cast<QWidget*>(cmdStop),
                       static_cast<QWidget*>(LabelImageNum)})
        setWidth(w, frameWidth - w->x() - margin);
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

void frmScan::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Form_Resize();
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
