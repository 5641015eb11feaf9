#include "gui/main/frmMain.h"

#include "QuillerVersion.h"
#include "base/ErrorReport.h"
#include "base/Log.h"
#include "base/MessageBoxes.h"
#include "base/ProgramEnd.h"
#include "gui/common/PictureBox.h"
#include "gui/common/Twips.h"
#include "gui/help/AppIcon.h"
#include "gui/scan/frmScan.h"
#include "records/Database.h"
#include "settings/SettingsStore.h"
#include "station/StationCore.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDate>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QTime>
#include <QTimer>

namespace quiller {

namespace {

// Errors in the mode switch are skipped step by step: the next step still runs.
template <typename F> void IgnoringErrors(F&& step) {
    try {
        step();
    } catch (const QuillerError&) {
    }
}

} // namespace

QColor frmMain::ReadinessColour(bool ready, const QColor& background) {
    // Green for ready and red for not ready, dark enough on a light window and light
    // enough on a dark one to be read (a contrast of at least 4.5:1).
    const bool darkBackground = background.lightnessF() < 0.5;
    if (ready)
        return darkBackground ? QColor(0, 255, 0) : QColor(0, 120, 0);
    return darkBackground ? QColor(255, 120, 120) : QColor(192, 0, 0);
}

QString frmMain::Caption() {
    return QStringLiteral("Tellan Rx Image Scan (V.%1.%2.%3)")
        .arg(QUILLER_VERSION_MAJOR)
        .arg(QUILLER_VERSION_MINOR)
        .arg(QUILLER_VERSION_PATCH);
}

frmMain::frmMain(StationContext& context, QWidget* parent)
    : QMainWindow(parent), context_(context), core_(new StationCore(context, this)) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Tellan Rx Image Scan"));

    auto* central = new QWidget(this);
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    Picture1 = new QWidget(central);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setFixedWidth(Twips(1485, this));
    QFont buttonFont = Picture1->font();
    buttonFont.setBold(true);
    buttonFont.setPointSizeF(12);
    // Alt+S and Alt+V belong to the scan window's Scan and View Larger Image buttons.
    const QString captions[2] = {QStringLiteral("S&can"), QStringLiteral("V&iew")};
    const int tops[2] = {240, 1200};
    for (int i = 0; i < 2; ++i) {
        Command1[i] = new QPushButton(captions[i], Picture1);
        Command1[i]->setObjectName(QStringLiteral("Command1(%1)").arg(i));
        Command1[i]->setFont(buttonFont);
        Command1[i]->setAutoFillBackground(true);
        PlaceTwips(Command1[i], 120, tops[i], 1215, 855);
        connect(Command1[i], &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
    }
    Label1 = new QLabel(QStringLiteral("Ready to Scan"), Picture1);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont labelFont = Label1->font();
    labelFont.setPointSizeF(13.5);
    Label1->setFont(labelFont);
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label1->setAccessibleName(QStringLiteral("Readiness"));
    SetReadyLabel(true);
    PlaceTwips(Label1, 120, 2160, 1215, 1815);
    layout->addWidget(Picture1);

    MdiArea = new QMdiArea(central);
    MdiArea->setObjectName(QStringLiteral("MdiArea"));
    setTabOrder(Command1[0], Command1[1]);
    setTabOrder(Command1[1], MdiArea);
    MdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    MdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    layout->addWidget(MdiArea, 1);
    setCentralWidget(central);

    BuildMenus();
    BuildStatusBar();
}

frmMain::~frmMain() {
    if (context_.MainWindow == this)
        context_.MainWindow = nullptr;
}

void frmMain::BuildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    auto add = [this](QMenu* menu, const QString& caption, const char* name, auto slot) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    add(file, QStringLiteral("Page Set&up..."), "mnuFilePageSetup",
        &frmMain::mnuFilePageSetup_Click);
    add(file, QStringLiteral("&Print..."), "mnuFilePrint", &frmMain::mnuFilePrint_Click);
    file->addSeparator();
    add(file, QStringLiteral("E&xit"), "mnuFileExit", &frmMain::mnuFileExit_Click);

    QMenu* tools = menuBar()->addMenu(QStringLiteral("&Tools"));
    tools->setObjectName(QStringLiteral("mnuTools"));
    add(tools, QStringLiteral("&Restart"), "mnuRestart", &frmMain::mnuRestart_Click);
    add(tools, QStringLiteral("&Configuration"), "mnuConfig", &frmMain::mnuConfig_Click);

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    add(help, QStringLiteral("&Technical Support"), "mnuSupport", &frmMain::mnuSupport_Click);
    add(help, QStringLiteral("&About "), "mnuHelpAbout", &frmMain::mnuHelpAbout_Click);

    // The tray's menu; never shown in the menu bar.
    mPopupSys = new QMenu(QStringLiteral("&SysTray"), this);
    mPopupSys->setObjectName(QStringLiteral("mPopupSys"));
    add(mPopupSys, QStringLiteral("&Restore"), "mPopRestore", &frmMain::mPopRestore_Click);
    add(mPopupSys, QStringLiteral("&Exit"), "mPopExit", &frmMain::mPopExit_Click);
}

void frmMain::BuildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("sbStatusBar"));
    StatusPanels[0] = new QLabel(QStringLiteral("Status"), bar);
    StatusPanels[1] = new QLabel(bar);
    StatusPanels[2] = new QLabel(bar);
    for (int i = 0; i < 3; ++i)
        StatusPanels[i]->setObjectName(QStringLiteral("sbStatusBar.Panels(%1)").arg(i + 1));
    bar->addWidget(StatusPanels[0], 1);
    // Progress of a batch: page n of N, beside the three panels.
    BatchProgress = new QProgressBar(bar);
    BatchProgress->setObjectName(QStringLiteral("BatchProgress"));
    BatchProgress->setFormat(QStringLiteral("Image %v of %m"));
    BatchProgress->setMaximumWidth(Twips(2400, this));
    BatchProgress->hide();
    bar->addPermanentWidget(BatchProgress);
    bar->addPermanentWidget(StatusPanels[1]);
    bar->addPermanentWidget(StatusPanels[2]);
    clock_ = new QTimer(this);
    clock_->setInterval(1000);
    auto tick = [this] {
        const QLocale locale;
        StatusPanels[1]->setText(locale.toString(QDate::currentDate(), QLocale::ShortFormat));
        StatusPanels[2]->setText(locale.toString(QTime::currentTime(), QLocale::ShortFormat));
    };
    connect(clock_, &QTimer::timeout, this, tick);
    tick();
    clock_->start();
}

void frmMain::SetStatusText(const QString& text) {
    StatusPanels[0]->setText(text);
}
QString frmMain::StatusText() const {
    return StatusPanels[0]->text();
}

void frmMain::SetProgress(int done, int total) {
    if (total <= 0) {
        BatchProgress->hide();
        return;
    }
    BatchProgress->setRange(0, total);
    BatchProgress->setValue(done);
    BatchProgress->show();
}

void frmMain::Form_Load() {
    context_.MainWindow = this;
    RestorePlacement();
    SetButtonColours(0);
    loaded_ = true;
    setWindowTitle(Caption());
    cSysTray1 = new QSystemTrayIcon(windowIcon(), this);
    cSysTray1->setObjectName(QStringLiteral("cSysTray1"));
    cSysTray1->setToolTip(TrayToolTip());
    cSysTray1->setContextMenu(mPopupSys);
    connect(cSysTray1, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason != QSystemTrayIcon::Context)
                    mPopRestore_Click();
            });
    WatchTray();
    ShowScanWindow();
    if (!placementStored_)
        FitScanWindow();
}

frmScan* frmMain::ShowScanWindow() {
    if (!scan_) {
        auto* scan = new frmScan(context_, *core_);
        scan_ = scan;
        if (commands_.attachScanWindow)
            commands_.attachScanWindow(scan);
        QMdiSubWindow* sub = MdiArea->addSubWindow(scan, Qt::SubWindow | Qt::WindowTitleHint |
                                                             Qt::WindowMinMaxButtonsHint);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        sub->setWindowTitle(scan->windowTitle());
        scanSub_ = sub;
        sub->show();
        // The child starts at the top left of the client area with its design size.
        const QSize frame = sub->size() - scan->size();
        sub->resize(QSize(Twips(frmScan::kDesignWidth, scan), scan->height()) + frame);
        sub->move(0, 0);
        if (!scan->Form_Load())
            return scan;
    }
    scanSub_->show();
    scan_->show();
    return scan_;
}

bool frmMain::UnloadScanWindow() {
    if (!scan_)
        return true;
    // A window that cannot be closed has told the operator why already.
    if (!scan_->Form_Unload())
        return false;
    if (scanSub_)
        delete scanSub_.data();
    scan_ = nullptr;
    return true;
}

void frmMain::SetButtonColours(int highlighted) {
    for (int i = 0; i < 2; ++i) {
        QPalette p = Command1[i]->palette();
        const QColor colour =
            palette().color(i == highlighted ? QPalette::Light : QPalette::Button);
        p.setColor(QPalette::Button, colour);
        Command1[i]->setPalette(p);
    }
}

void frmMain::SetReadyLabel(bool ready) {
    Label1->setText(ready ? QStringLiteral("Ready to Scan") : QStringLiteral("Not Ready to Scan"));
    const QColor c = ReadinessColour(ready, palette().color(QPalette::Window));
    Label1->setStyleSheet(
        QStringLiteral("color: rgb(%1, %2, %3);").arg(c.red()).arg(c.green()).arg(c.blue()));
}

void frmMain::Command1_Click(int index) {
    const bool view = index == 1;
    IgnoringErrors([&] { SetButtonColours(view ? 1 : 0); });
    IgnoringErrors([&] {
        frmScan* scan = ShowScanWindow();
        scan->fraList->setVisible(view);
        scan->fraSearch->setVisible(view);
        scan->Frame2->setTitle(QStringLiteral("Rx Image"));
        scan->Image1->Clear();
        // The core switches polling and the lock file: viewing raises it; back to
        // scanning it goes, unless a batch still runs, whose end removes it.
        core_->SetViewing(view);
        if (scanSub_) {
            MdiArea->setActiveSubWindow(scanSub_);
            scanSub_->raise();
        }
    });
    if (view)
        IgnoringErrors([&] { SetStatusText(QStringLiteral("View scanned images")); });
    IgnoringErrors([&] { SetReadyLabel(!view); });
}

void frmMain::mnuRestart_Click() {
    if (scan_ && !scan_->MayStop())
        return; // the operator lets the batch run on
    // The open scan window releases its scanner before a fresh one starts it again; one
    // that could not be closed stays as it is.
    if (UnloadScanWindow())
        ShowScanWindow();
}

void frmMain::mnuConfig_Click() {
    if (commands_.configure)
        commands_.configure(this);
}

void frmMain::mnuSupport_Click() {
    if (commands_.support)
        commands_.support();
}

void frmMain::mnuHelpAbout_Click() {
    if (commands_.about)
        commands_.about(this);
}

void frmMain::mnuFilePageSetup_Click() {
    if (commands_.pageSetup)
        commands_.pageSetup(this);
}

void frmMain::mnuFilePrint_Click() {
    if (commands_.print)
        commands_.print(this, scan_);
}

} // namespace quiller
