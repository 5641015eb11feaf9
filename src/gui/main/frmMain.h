#pragma once

#include "gui/scan/frmScan.h"
#include "station/StationContext.h"

#include <QMainWindow>
#include <QPointer>
#include <functional>

class QAction;
class QColor;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QProgressBar;
class QPushButton;
class QSystemTrayIcon;
class QTimer;

namespace quiller {

// The main window: a frame for the scan window, the Scan/View switch with the lock
// file, the status bar the station writes its progress into, the menus, the placement
// and the tray icon.
class StationCore;

class frmMain : public QMainWindow, public MainWindowPort {
    Q_OBJECT
public:
    explicit frmMain(StationContext& context, QWidget* parent = nullptr);
    ~frmMain() override;

    // Placement, scan window, caption, tray icon.
    void Form_Load();
    // The mode switch: 0 Scan, 1 View.
    void Command1_Click(int index);

    void mnuRestart_Click();
    void mnuConfig_Click();
    void mnuSupport_Click();
    void mnuHelpAbout_Click();
    void mnuFileExit_Click();
    void mnuFilePageSetup_Click();
    void mnuFilePrint_Click();
    void mPopRestore_Click();
    void mPopExit_Click();
    // Ctrl+F: viewing mode (switched to when scanning) with the cursor in the search box.
    void FindPrescription();

    // The current scan window; nullptr before the load and after the real exit.
    frmScan* ScanWindow() const { return scan_; }
    // Shows the scan window, creating and loading a fresh one when there is none.
    frmScan* ShowScanWindow();

    bool ExitRequested() const { return exitRequested_; }
    // Brings the station back from the tray or the task bar (a second launch, the tray).
    void BringToFront();
    // True while a notification area is there to hold the tray icon.
    static bool TrayAvailable();
    // Tests decide whether a tray is there; an empty probe asks the desktop.
    static void SetTrayProbe(std::function<bool()> probe);
    QSystemTrayIcon* TrayIcon() const { return cSysTray1; }
    static QString Caption();
    // The readiness label's text colour on a window background.
    static QColor ReadinessColour(bool ready, const QColor& background);

    // MainWindowPort
    void SetStatusText(const QString& text) override;
    QString StatusText() const override;
    void SetProgress(int done, int total) override;

    // Hooks for windows built elsewhere.
    struct Commands {
        std::function<void(QWidget* owner)> configure;  // modal configuration dialog
        std::function<void(QWidget* owner)> about;      // modal About box
        std::function<void()> support;                  // support panel, not modal
        std::function<void(frmScan*)> attachScanWindow; // behaviours of a new scan window
        std::function<void(QWidget* owner)> pageSetup;
        std::function<void(QWidget* owner, frmScan*)> print;
    };
    Commands& commands() { return commands_; }
    StationContext& Context() const { return context_; }
    // The station core: every batch, polling and the lock file; it lives as long as this
    // window, across Restarts of the scan window.
    StationCore& Core() const { return *core_; }

    QWidget* Picture1;
    QPushButton* Command1[2];
    QLabel* Label1;
    QLabel* StatusPanels[3];
    QProgressBar* BatchProgress;
    QMdiArea* MdiArea;
    QMenu* mPopupSys;
    QAction* actFind; // Find, not in a menu: a shortcut of the whole window

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void FocusSearch();
    void BuildMenus();
    void BuildStatusBar();
    void RestorePlacement();
    void SavePlacement();
    void SetButtonColours(int highlighted);
    void SetReadyLabel(bool ready);
    // Closes the scan window; false when it could not be closed (it stays open).
    bool UnloadScanWindow();
    void FitScanWindow();
    void WatchTray();
    bool ConfirmExit();
    void RealExit();

    StationContext& context_;
    StationCore* core_;
    QPointer<frmScan> scan_;
    QPointer<QMdiSubWindow> scanSub_;
    QSystemTrayIcon* cSysTray1 = nullptr;
    QTimer* clock_ = nullptr;
    QTimer* trayWatch_ = nullptr;
    bool exitRequested_ = false;
    bool loaded_ = false;
    bool placementStored_ = false;
    Commands commands_;
};

} // namespace quiller
