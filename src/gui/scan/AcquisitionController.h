#pragma once

#include <QList>
#include <QObject>
#include <QPair>
#include <QPointer>
#include <QString>
#include <functional>

#include "station/Acquisition.h"

namespace quiller {

class frmScan;
class StationCore;
struct StationContext;
class ScannerControl;

// Item data roles of the to-be-scanned list beside the tag (Qt::UserRole): the
// prescription's key as the data file gave it.
// kRefusalRole: why the entry's row was not recorded (empty when it was).
enum ScanListRole {
    kRxNbrRole = Qt::UserRole + 1,
    kRefNoRole = Qt::UserRole + 2,
    kRefusalRole = Qt::UserRole + 3
};

// The scan window's side of acquisitions: it turns the operator's Scan, Scan the rest,
// Stop and Rotate into the station core's commands, and shows what the core reports (the
// page in the preview, the image label, a rescan's image in the viewing list). The core
// decides everything about batches and pages; nothing here does.
class AcquisitionController : public QObject {
    Q_OBJECT
public:
    // What the controller needs of the scan window's scanner start-up.
    struct ScannerAccess {
        std::function<ScannerControl*()> scanner;
        std::function<int&()> currentImageIndex;
        // The image text of a buffer image; postScanForm ends in " bpp )".
        std::function<QString(int index, bool postScanForm)> imageText;
    };

    AcquisitionController(frmScan* window, StationCore& core, ScannerAccess access,
                          QObject* parent = nullptr);
    ~AcquisitionController() override;

    void Command1_Click(); // the Scan button
    void Command2_Click(); // Rotate
    void ScanRest_Click(); // Scan the rest
    void Stop_Click();     // Stop, while a batch waits for paper

    StationCore& Core() const { return core_; }
    bool Busy() const;
    // Before the scan window goes away (Exit, Restart): asks the operator while anything
    // of a batch is unfinished; on going on, the core stops every batch and the report is
    // shown. False when the operator keeps the batch running.
    bool ConfirmStop();

    // The preview now shows the file of this name (or nothing): Rotate is enabled only
    // while that is a page of the buffer whose file the station wrote.
    void PreviewShowsFile(const QString& imageName);
    void PreviewCleared();
    bool PreviewIsBufferImage() const { return previewIndex_ >= 0; }

private:
    void OnPageShown(int index, const QString& storedAs);
    void OnPageStored(const ScanTarget& target, const QString& name, const QString& filed,
                      bool viewing);
    void OnFilingShown(const ScanTarget& target, const QString& filed, bool viewing);
    void OnBufferCleared();
    void OnWaitingForPaper(bool waiting);
    void SetRotateSource(int bufferIndex, const QString& imageName);
    void ShowBufferImage(int index);
    void OnPreviewChanged();
    bool SelectedTarget(ScanTarget& target, bool viewing);
    ScannerControl* Scanner() const;

    StationContext& ctx_;
    StationCore& core_;
    QPointer<frmScan> window_;
    ScannerAccess access_;
    // Files written from the buffer of the latest acquisition: buffer index -> name.
    QList<QPair<int, QString>> bufferFiles_;
    int previewIndex_ = -1;
    bool showingOwnPicture_ = false;
    QString previewFile_;
};

} // namespace quiller
