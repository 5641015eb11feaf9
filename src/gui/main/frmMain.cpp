#include "gui/main/frmMain.h"

#include "QuillerVersion.h"
#include "base/ErrorReport.h"
#include "base/Log.h"
#include "base/MessageBoxes.h"
#include "base/ProgramEnd.h"
#include "base/Text.h"
#include "gui/common/Mnemonics.h"
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
#include <QDateEdit>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
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
#include <QVBoxLayout>

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
    return tr("Tellan Rx Image Scan (V.%1.%2.%3)")
        .arg(QUILLER_VERSION_MAJOR)
        .arg(QUILLER_VERSION_MINOR)
        .arg(QUILLER_VERSION_PATCH);
}

frmMain::frmMain(StationContext& context, QWidget* parent)
    : QMainWindow(parent), context_(context), core_(new StationCore(context, this)) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(tr("Tellan Rx Image Scan"));

    auto* central = new QWidget(this);
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    Picture1 = new QWidget(central);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    // The button column is as wide as designed, wider when a caption needs it.
    Picture1->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    auto* buttons = new QVBoxLayout(Picture1);
    buttons->setContentsMargins(Twips(120, this), Twips(240, this), Twips(150, this), 0);
    buttons->setSpacing(Twips(105, this));
    buttons->addItem(new QSpacerItem(Twips(1215, this), 0, QSizePolicy::Fixed));
    QFont buttonFont = Picture1->font();
    buttonFont.setBold(true);
    buttonFont.setPointSizeF(12);
    // Alt+S and Alt+V belong to the scan window's Scan and View Larger Image buttons.
    const QString captions[2] = {tr("S&can"), tr("V&iew")};
    for (int i = 0; i < 2; ++i) {
        Command1[i] = new QPushButton(captions[i], Picture1);
        Command1[i]->setObjectName(QStringLiteral("Command1(%1)").arg(i));
        Command1[i]->setFont(buttonFont);
        Command1[i]->setAutoFillBackground(true);
        Command1[i]->setMinimumHeight(Twips(855, this));
        Command1[i]->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
        buttons->addWidget(Command1[i]);
        connect(Command1[i], &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
    }
    Label1 = new QLabel(tr("Ready to Scan"), Picture1);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont labelFont = Label1->font();
    labelFont.setPointSizeF(13.5);
    Label1->setFont(labelFont);
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label1->setAccessibleName(tr("Readiness"));
    SetReadyLabel(true);
    buttons->addSpacing(Twips(105, this));
    buttons->addWidget(Label1);
    buttons->addStretch(1);
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
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    auto add = [this](QMenu* menu, const QString& caption, const char* name, auto slot) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    add(file, tr("Page Set&up..."), "mnuFilePageSetup", &frmMain::mnuFilePageSetup_Click);
    add(file, tr("&Print..."), "mnuFilePrint", &frmMain::mnuFilePrint_Click)
        ->setShortcut(QKeySequence::Print);
    file->addSeparator();
    QAction* exitAction = add(file, tr("E&xit"), "mnuFileExit", &frmMain::mnuFileExit_Click);
    // Desktops without a quit key of their own get the common Ctrl+Q.
    const QList<QKeySequence> quit = QKeySequence::keyBindings(QKeySequence::Quit);
    exitAction->setShortcuts(
        quit.isEmpty() ? QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_Q)} : quit);

    QMenu* tools = menuBar()->addMenu(tr("&Tools"));
    tools->setObjectName(QStringLiteral("mnuTools"));
    add(tools, tr("&Restart"), "mnuRestart", &frmMain::mnuRestart_Click);
    add(tools, tr("&Configuration"), "mnuConfig", &frmMain::mnuConfig_Click);

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    add(help, tr("&Technical Support"), "mnuSupport", &frmMain::mnuSupport_Click)
        ->setShortcut(QKeySequence::HelpContents);

    // Find: viewing mode with the cursor in the search box.
    actFind = new QAction(tr("Find a prescription"), this);
    actFind->setObjectName(QStringLiteral("actFind"));
    actFind->setShortcut(QKeySequence::Find);
    addAction(actFind);
    connect(actFind, &QAction::triggered, this, &frmMain::FindPrescription);
    add(help, tr("&About "), "mnuHelpAbout", &frmMain::mnuHelpAbout_Click);

    // The tray's menu; never shown in the menu bar.
    mPopupSys = new QMenu(tr("&SysTray"), this);
    mPopupSys->setObjectName(QStringLiteral("mPopupSys"));
    add(mPopupSys, tr("&Restore"), "mPopRestore", &frmMain::mPopRestore_Click);
    add(mPopupSys, tr("&Exit"), "mPopExit", &frmMain::mPopExit_Click);
}

void frmMain::BuildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("sbStatusBar"));
    StatusPanels[0] = new QLabel(tr("Status"), bar);
    StatusPanels[1] = new QLabel(bar);
    StatusPanels[2] = new QLabel(bar);
    for (int i = 0; i < 3; ++i)
        StatusPanels[i]->setObjectName(QStringLiteral("sbStatusBar.Panels(%1)").arg(i + 1));
    bar->addWidget(StatusPanels[0], 1);
    // Progress of a batch: page n of N, beside the three panels.
    BatchProgress = new QProgressBar(bar);
    BatchProgress->setObjectName(QStringLiteral("BatchProgress"));
    BatchProgress->setFormat(tr("Image %v of %m"));
    BatchProgress->setMaximumWidth(Twips(2400, this));
    BatchProgress->hide();
    bar->addPermanentWidget(BatchProgress);
    bar->addPermanentWidget(StatusPanels[1]);
    bar->addPermanentWidget(StatusPanels[2]);
    clock_ = new QTimer(this);
    clock_->setInterval(1000);
    auto tick = [this] {
        const QLocale locale;
        StatusPanels[1]->setText(ListDate(QDate::currentDate(), locale));
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
        MakeMnemonicsUnique(this);
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
    Label1->setText(ready ? tr("Ready to Scan") : tr("Not Ready to Scan"));
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
        scan->Frame2->setTitle(tr("Rx Image"));
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
        IgnoringErrors([&] { SetStatusText(tr("View scanned images")); });
    IgnoringErrors([&] { SetReadyLabel(!view); });
    if (view && scan_)
        FocusSearch();
}

void frmMain::FocusSearch() {
    // The search text, or the first date when searching by date.
    QWidget* field = scan_->Text1->isVisibleTo(scan_) ? static_cast<QWidget*>(scan_->Text1)
                                                      : scan_->DTPicker1[0];
    field->setFocus(Qt::ShortcutFocusReason);
    if (field == scan_->Text1)
        scan_->Text1->selectAll();
}

void frmMain::FindPrescription() {
    if (!scan_ || !scan_->ViewingMode())
        Command1_Click(1);
    else
        FocusSearch();
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
