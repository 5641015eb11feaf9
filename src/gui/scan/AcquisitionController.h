#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "station/Acquisition.h"
#include "station/BatchRest.h"
#include "station/verify/PageReading.h"

class QTimer;

namespace quiller {

class frmScan;
class GlassPrompts;
struct StationContext;
class ScannerControl;
struct PageCheck;

// Item data roles of the to-be-scanned list beside the tag (Qt::UserRole): the
// prescription's key as the data file gave it.
// kRefusalRole: why the entry's row was not recorded (empty when it was).
enum ScanListRole {
    kRxNbrRole = Qt::UserRole + 1,
    kRefNoRole = Qt::UserRole + 2,
    kRefusalRole = Qt::UserRole + 3
};

// The scan window's half of acquisitions: starts them (the Scan button, the batch after
// a polling tick), waits for a loaded document on a timer, moves what the station's
// Acquisition and ImageStore decide into the widgets, and turns the previewed page.
// Every message box runs from a queued call, never inside a scanner or timer handler.
class AcquisitionController : public QObject {
    Q_OBJECT
public:
    // What the controller needs of the scan window's scanner start-up.
    struct ScannerAccess {
        std::function<ScannerControl*()> scanner;
        std::function<int&()> currentImageIndex;
        std::function<void()> clearImageBuffer;
        // The image text of a buffer image; postScanForm ends in " bpp )".
        std::function<QString(int index, bool postScanForm)> imageText;
    };

    AcquisitionController(frmScan* window, ScannerAccess access, QObject* parent = nullptr);
    ~AcquisitionController() override;

    void Command1_Click(); // the Scan button
    void AcquireBatch();   // the whole to-be-scanned list, after a polling tick
    void Scanner1_PostScan(int flag);
    void Command2_Click(); // Rotate
    // Scan the rest: the prescriptions of the latest batches whose page never came, in
    // one acquisition.
    void ScanRest_Click();

    // The station is busy from the start of an acquisition (the batch a polling tick
    // starts, or the Scan button) until its end-of-batch report has been closed and the
    // batches queued behind it have ended as well. While busy, polling stays off, the
    // lock file stays raised and no polling tick may take data files.
    bool Busy() const { return busy_; }
    bool BatchQueued() const { return !queued_.isEmpty(); }
    // The elements of the last batch, in list order.
    const QStringList& BatchItems() const { return batchItems_; }
    // Prescriptions of the running and queued acquisitions still waiting for a page.
    int Outstanding() const;
    // Before the scan window goes away (Exit, Restart): asks the operator while
    // prescriptions are still waiting; on going on, stops the acquisition and reports
    // the unscanned prescriptions. False when the operator keeps the batch running.
    bool ConfirmStop();

    // The preview now shows the file of this name (or nothing): Rotate is enabled only
    // while that is a page of the buffer whose file the station wrote.
    void PreviewShowsFile(const QString& imageName);
    void PreviewCleared();
    // Whether the preview shows a page of the buffer whose file the station wrote (the
    // rule for enabling Rotate after a list click or a search).
    bool PreviewIsBufferImage() const { return previewIndex_ >= 0; }

    static constexpr int kFeederPollMs = 200;

private:
    static QString NoScannerText();
    static ScanTarget MakeTarget(const QString& text, const QString& tag, const QVariant& rxNbr,
                                 const QVariant& refNo);
    void Start(Acquisition a);
    void SetUp(const Acquisition& a);
    void StartAcquire();
    void WaitForDocument();
    void OnFeederPoll();
    void HandlePage(int index);
    bool FileFor(int index, const ScanTarget& target, const PageCheck* check);
    void ShowStored(int index, const ScanTarget& target, const QString& name, bool stored);
    // Label reading (AcquisitionFiling.cpp).
    void PrepareFiling(Acquisition& a);
    void ReadPage(int index);
    void OnPageRead(quint64 batch, int page, const QList<PageCode>& codes);
    void FileSettled(bool ended);
    void FileSettledPage(const BatchFiling::Settled& s);
    bool EndFiling(const QString& scannerError);
    void SettleOnStop();
    void ShowFiling(const ScanTarget& target, const QString& filed);
    void EndAcquisition(const QString& scannerError = QString());
    void FinishAcquisition(const QString& report);
    void ResumePolling();
    void TickEntry(const QString& entryText, const QString& imageName);
    void SetRotateSource(int bufferIndex, const QString& imageName);
    void ShowBufferImage(int index);
    void OnPreviewChanged();
    void FeederOff();
    ScannerControl* Scanner() const;
    void ShowRestCommand();

    StationContext& ctx_;
    QPointer<frmScan> window_;
    ScannerAccess access_;
    std::optional<Acquisition> current_;
    int bufferBase_ = 0;
    QList<Acquisition> queued_;
    GlassPrompts* glass_;
    BatchRest rest_;
    QStringList batchItems_;
    bool busy_ = false;
    bool waitingForDocument_ = false;
    QTimer* feederTimer_;
    // Files written from the buffer of the latest acquisition: buffer index -> name.
    QList<QPair<int, QString>> bufferFiles_;
    int previewIndex_ = -1;
    bool showingOwnPicture_ = false;
    QString previewFile_;
    // Label reading: the reads run on workers; results of another batch are dropped.
    PageReading* reading_;
    quint64 batchTicket_ = 0;
    bool endWaitsForReads_ = false;
    QString endError_;
};

} // namespace quiller
