#pragma once

#include <QWidget>
#include <functional>

class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class QTreeView;
class QTreeWidget;

namespace quiller {

class StationCore;
struct StationContext;
struct ViewWidgets;

class PictureBox;

// The scan window: the to-be-scanned list, the search frame and viewing list, the
// preview with the scan, rotate and enlarge buttons, the scanner box and the two
// timers. The window owns the widgets and lays them out; the behaviours behind them
// live in their subsystems and are attached through Behaviours.
class frmScan : public QWidget {
    Q_OBJECT
public:
    frmScan(StationContext& context, StationCore& core, QWidget* parent = nullptr);
    StationContext& Context() const { return context_; }
    // The station core the window shows and sends the operator's commands to; it
    // outlives the window.
    StationCore& Core() const { return core_; }
    ~frmScan() override;

    // Load: scanner start-up, choice boxes, station identifier, layout; the core then
    // resumes (lock file down, polling on, "Idle", unless a batch runs). Returns false
    // when the program must end (no scanner configured).
    bool Form_Load();
    // Unload: releases the scanner. False when the unload was refused.
    bool Form_Unload();
    bool IsLoaded() const { return loaded_; }
    // Exit and Restart ask this first: while prescriptions are still being scanned the
    // operator is asked whether to stop; false when the window must stay.
    bool MayStop();

    // The window is in viewing mode while the viewing list's frame is visible.
    bool ViewingMode() const;
    // The controls that searching, previewing, enlarging and deletion act on.
    ViewWidgets ViewControls() const;
    // The viewing list's column widths, once its model is set.
    void SetListView2Columns();

    // Hooks the behaviours install; the window calls them at the right moments.
    struct Behaviours {
        std::function<bool()> load;   // scanner start-up; false ends the program
        std::function<void()> unload; // scanner shutdown; throws on failure
        // Before the window goes away: false keeps it (the operator lets a batch run on).
        std::function<bool()> mayStop;
    };
    Behaviours& behaviours() { return behaviours_; }
    // True while a batch runs or its report is open (the core's busy state).
    bool Busy() const;

    // Controls, by their names.
    QGroupBox* Frame1;
    QTreeWidget* ListView1;
    QGroupBox* Frame2;
    PictureBox* Image1;
    QLabel* Label1;
    QComboBox* Combo1;
    QPushButton* Command1;
    QPushButton* Command2;
    QPushButton* Command4;
    QPushButton* cmdScanRest; // Scan the rest (of the latest batches)
    QPushButton* cmdStop;     // Stop a batch waiting for paper (in the Scan button's place)
    QLabel* LabelImageNum;
    QGroupBox* fraSearch;
    QComboBox* Combo2;
    QLineEdit* Text1;
    QLabel* lblDate[2];
    QDateEdit* DTPicker1[2];
    QPushButton* cmdKept; // the kept pages window (viewing mode)
    QGroupBox* fraList;
    QTreeView* ListView2;
    QTimer* Timer1; // the core's polling timer
    QTimer* Timer2;

    // Design sizes, in twips.
    static constexpr int kDesignWidth = 7515;
    static constexpr int kDesignHeight = 7185;

signals:
    void unloaded();
    // The main window's Print command asks for the enlarged image window.
    void showPicFormRequested();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void LayOut();
    // Fixes the height at the designed one, or at what the texts need when more.
    void FitHeight();

    StationContext& context_;
    StationCore& core_;
    Behaviours behaviours_;
    bool loaded_ = false;
    bool unloaded_ = false;
};

} // namespace quiller
