#pragma once

#include <array>
#include <functional>

class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeView;
class QTreeWidget;

namespace quiller {

struct StationContext;
class PictureBox;
class ScannerControl;

// The widgets of the scan window that searching, previewing, the enlarged view and
// deletion act on. The window owns them; the behaviours only hold the pointers.
struct ViewWidgets {
    QTreeWidget* ListView1 = nullptr; // to be scanned; check box and tag in column 0
    QTreeView* ListView2 = nullptr;   // to be viewed; its model is set by SearchList
    PictureBox* Image1 = nullptr;     // the preview
    QGroupBox* Frame2 = nullptr;      // its caption names the row shown
    QPushButton* Command2 = nullptr;  // Rotate
    QPushButton* Command4 = nullptr;  // View Larger Image/Print
    QGroupBox* fraList = nullptr;     // shown in viewing mode
    QComboBox* Combo2 = nullptr;      // search criterion
    QLineEdit* Text1 = nullptr;       // search text
    std::array<QLabel*, 2> lblDate{};
    std::array<QDateEdit*, 2> DTPicker1{};
    QPushButton* cmdKept = nullptr; // opens the kept pages window
};

// What the behaviours share besides the widgets: the application state, the scan
// window's scanner control (may be null, and may be set later) and the rule that
// decides whether Rotate is enabled.
class ViewContext {
public:
    ViewContext(StationContext& app, ScannerControl* scanner) : app_(app), scanner_(scanner) {}

    StationContext& app() const { return app_; }
    ScannerControl* Scanner() const { return scanner_; }
    void SetScanner(ScannerControl* scanner) { scanner_ = scanner; }

    // By default Rotate is enabled exactly when the scanner control holds at least one
    // acquired image; a window that knows more (which image the preview shows) installs
    // its own rule here.
    using RotateRule = std::function<bool(const ViewContext&)>;
    void SetRotateRule(RotateRule rule) { rotateRule_ = std::move(rule); }
    bool RotateAllowed() const;
    // Sets the enabled state of Rotate by the rule.
    void ApplyRotateState(QPushButton* rotate) const;

private:
    StationContext& app_;
    ScannerControl* scanner_ = nullptr;
    RotateRule rotateRule_;
};

} // namespace quiller
