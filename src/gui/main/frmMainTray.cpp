#include "gui/main/frmMain.h"
#include "station/PatientRecords.h"
#include "station/StationCore.h"

#include "base/ErrorReport.h"
#include "base/Log.h"
#include "base/MessageBoxes.h"
#include "base/ProgramEnd.h"
#include "gui/scan/frmScan.h"
#include "records/Database.h"

#include <QApplication>
#include <QCloseEvent>
#include <QSystemTrayIcon>
#include <QTimer>

// The tray icon, hiding on close, and the real exit.
namespace quiller {

namespace {

// After the real exit: ends the event loop as soon as no window of the program is
// visible any more, checking again whenever a window is hidden or closed.
class LastWindowWatcher : public QObject {
public:
    explicit LastWindowWatcher(QObject* parent) : QObject(parent) { Check(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if ((event->type() == QEvent::Hide || event->type() == QEvent::Close) &&
            watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow())
            Check();
        return false;
    }

private:
    void Check() {
        QTimer::singleShot(0, this, [this] {
            if (done_)
                return;
            for (QWidget* w : QApplication::topLevelWidgets())
                if (w->isVisible())
                    return;
            done_ = true;
            qApp->removeEventFilter(this);
            QuitEventLoop();
            deleteLater();
        });
    }
    bool done_ = false;
};

void QuitWhenNoWindowIsLeft() {
    auto* watcher = new LastWindowWatcher(qApp);
    qApp->installEventFilter(watcher);
}

std::function<bool()>& TrayProbe() {
    static std::function<bool()> probe;
    return probe;
}

// Errors are skipped step by step: the next step still runs.
template <typename F> void IgnoringErrors(F&& step) {
    try {
        step();
    } catch (const QuillerError&) {
    }
}

} // namespace

bool frmMain::TrayAvailable() {
    return TrayProbe() ? TrayProbe()() : QSystemTrayIcon::isSystemTrayAvailable();
}

void frmMain::SetTrayProbe(std::function<bool()> probe) {
    TrayProbe() = std::move(probe);
}

void frmMain::WatchTray() {
    auto check = [this] {
        // A tray that comes up after the station (log-in autostart) gets the icon too.
        const bool available = TrayAvailable();
        if (available && !cSysTray1->isVisible())
            cSysTray1->show();
        else if (!available && cSysTray1->isVisible())
            cSysTray1->hide();
    };
    check();
    trayWatch_ = new QTimer(this);
    trayWatch_->setInterval(3000);
    connect(trayWatch_, &QTimer::timeout, this, check);
    trayWatch_->start();
}

void frmMain::mnuFileExit_Click() {
    // With a tray the window goes there; without one File > Exit is the way out.
    if (TrayAvailable() && cSysTray1 && cSysTray1->isVisible())
        close();
    else
        mPopExit_Click();
}

bool frmMain::ConfirmExit() {
    // While prescriptions are still being scanned the scan window asks first.
    return !scan_ || scan_->MayStop();
}

void frmMain::BringToFront() {
    mPopRestore_Click();
}

void frmMain::mPopRestore_Click() {
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
    frmScan* scan = ShowScanWindow();
    if (scan && scan->Timer1->isActive())
        Command1_Click(0);
}

void frmMain::mPopExit_Click() {
    if (!ConfirmExit())
        return;
    IgnoringErrors([&] {
        if (scan_)
            scan_->Timer2->stop();
    });
    UnloadScanWindow();
    // Polling ends and the lock file comes down with the station.
    core_->Shutdown();
    exitRequested_ = true;
    close();
}

void frmMain::RealExit() {
    // Every step runs whatever the one before it did: the real exit always ends the
    // program, even when the placement cannot be saved.
    try {
        SavePlacement();
    } catch (const QuillerError& e) {
        ReportError(e, QStringLiteral("MDIForm_Unload of frmMain"));
    }
    IgnoringErrors([&] {
        PatientRecords::WriteHeldAccesses(context_);
        if (context_.DbConnection && context_.DbConnection->IsOpen())
            context_.DbConnection->Close();
        context_.DbConnection.reset();
    });
    if (trayWatch_)
        trayWatch_->stop();
    if (cSysTray1)
        cSysTray1->hide();
    qCInfo(lcOperator) << "station ended by the operator";
    // The program ends when no window is left; a support panel still open keeps it
    // running until it is closed too.
    QuitWhenNoWindowIsLeft();
}

void frmMain::closeEvent(QCloseEvent* event) {
    if (exitRequested_) {
        event->accept();
        RealExit();
        return;
    }
    bool cancel = false;
    try {
        // Closing only hides the station: polling goes on and the tray brings it back.
        cancel = true;
        event->ignore();
        showMinimized();
        core_->PollWhileHidden();
        if (cSysTray1 && cSysTray1->isVisible() && TrayAvailable())
            hide();
    } catch (const QuillerError& e) {
        ReportError(e, QStringLiteral("MDIForm_Unload of frmMain"));
        if (cancel)
            event->ignore();
        else
            event->accept();
    }
}

} // namespace quiller
