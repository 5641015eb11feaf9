#pragma once

#include "scanner/ScannerControl.h"

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class QComboBox;
class QLabel;
class QPushButton;
class QTimer;
class QWidget;

namespace quiller {

struct StationContext;

class PictureBox;

// The scan window's widgets the scanner start-up and the image buffer bookkeeping act
// on. The window keeps ownership.
struct ScanWidgets {
    StationContext* context = nullptr; // its status line
    QWidget* window = nullptr;         // frmScan, shown and raised before a message
    QComboBox* Combo1 = nullptr;       // scanner box: one entry per source, data = position
    PictureBox* Image1 = nullptr;      // preview
    QLabel* LabelImageNum = nullptr;   // image label
    QPushButton* Command2 = nullptr;   // Rotate
    QTimer* Timer2 = nullptr;          // the window's second timer (never runs)
};

// Brings the scan window's scanner control up and down, and keeps the current image
// index, the preview, the image label and the Rotate button in step with the
// control's image buffer. It connects Combo1's selection change to Combo1_Click
// itself; the window does not connect it again.
class ScannerStartup : public QObject {
    Q_OBJECT
public:
    // Ends the program at once; the window supplies it (tests observe it).
    using EndProgram = std::function<void()>;

    ScannerStartup(const ScanWidgets& widgets, EndProgram endProgram, QObject* parent = nullptr);
    ~ScannerStartup() override;

    // The scan window's first load steps: checks that a scanner is configured (ends the
    // program when not), writes the start-up values, starts the device manager, fills
    // the scanner box and selects the configured source. false when the program was
    // ended.
    bool Start();
    void StartScannerDevice();
    void Combo1_Click();
    void ClearImageBuffer();
    // CloseSource, StopDevice and release of the control instance.
    void Shutdown();

    // "Image  0 ( 1700 x  2200 x  8 bpp)"; postScanForm ends in " bpp )" instead.
    static QString ImageText(int index, int width, int height, int bitsPerPixel,
                             bool postScanForm = false);
    // The text for the current image index of the control's buffer.
    QString ImageText(bool postScanForm = false) const;
    // The decimal form of v after one blank, or after its minus sign when negative.
    static QString N(int v);

    ScannerControl* Scanner1() const { return scanner_.get(); }
    int CurrentImageIndex() const { return currentImageIndex_; }
    void SetCurrentImageIndex(int index) { currentImageIndex_ = index; }
    // The index itself, for the acquisitions that move it.
    int& CurrentImageIndexRef() { return currentImageIndex_; }

    static QString NotConfiguredText();
    static QString ScannerMissingText();
    static QString ScannerGoneText(const QString& device);

private:
    void FillScannerBox(int from);
    void SelectConfigured();
    void OnSourcesChanged();
    void TellIfMissing();

    ScanWidgets w_;
    EndProgram endProgram_;
    std::unique_ptr<ScannerControl> scanner_;
    int currentImageIndex_ = 0;
    int configured_ = -1;
    bool configuredSelected_ = false;
    bool missingTold_ = false;
    // Setting ScannerDevice: the scanner's device name, which wins over the position in
    // setting Scanner (kept for older settings and the Configuration row) when both are set.
    QString configuredDevice_;
};

} // namespace quiller
