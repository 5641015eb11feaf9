#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QTimer;

namespace quiller {

class frmScan;
struct StationContext;
class ScannerControl;

// Item data roles of the to-be-scanned list beside the tag (Qt::UserRole): the
// prescription's key as the data file gave it.
enum ScanListRole { kRxNbrRole = Qt::UserRole + 1, kRefNoRole = Qt::UserRole + 2 };

// Starts acquisitions (the Scan button, the batch after a polling tick), waits for a
// loaded document on a timer, files every acquired page under its own prescription,
// and turns the previewed page.
//
// Every acquisition carries the list of prescriptions it is for, fixed when it starts:
// its k-th page is stored for its k-th prescription and for no other, whatever the
// lists show by the time the page arrives. Prescriptions whose page never arrives keep
// an empty image name and are reported at the end.
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

    // True from the start of an acquisition (including the wait for a document) to
    // its end.
    bool Busy() const { return current_.has_value(); }
    bool BatchQueued() const { return batchQueued_; }
    // The elements of the last batch, in list order.
    const QStringList& BatchItems() const { return batchItems_; }

    // The preview now shows the file of this name (or nothing): Rotate is enabled only
    // while that is a page of the buffer whose file the station wrote.
    void PreviewShowsFile(const QString& imageName);
    void PreviewCleared();
    // Whether the preview shows a page of the buffer whose file the station wrote (the
    // rule for enabling Rotate after a list click or a search).
    bool PreviewIsBufferImage() const { return previewIndex_ >= 0; }

    static constexpr int kFeederPollMs = 200;

private:
    struct Target {
        QString entryText;
        QString rxNbr;
        QString refNo;
        QString mark;
        int viewRow = -1; // row of the viewing list, for a rescan from it
    };
    struct Acquisition {
        bool viewing = false;
        QList<Target> targets;
        int bufferBase = 0;
        int received = 0;
        QStringList stored; // entry texts stored
        QStringList failed; // "entry: reason"
        int extra = 0;
    };

    static Target MakeTarget(const QString& text, const QString& tag, const QVariant& rxNbr,
                             const QVariant& refNo);
    // Writes a page's file and records it for its prescription; onSaved runs between.
    bool StoreFile(int index, const Target& target,
                   const std::function<void(const QString&)>& onSaved, QStringList& errors);
    void SetUp(const QString& mark);
    void StartAcquire();
    void WaitForDocument();
    void OnFeederPoll();
    void StoreScanningImage(int index, const Target& target, QStringList& errors);
    void StoreViewingImage(int index, const Target& target, QStringList& errors);
    void EndAcquisition();
    void ResumePolling();
    void RemoveLockFile(QStringList& errors);
    void ReportShortfall(const Acquisition& a);
    void TickEntry(const QString& entryText, const QString& imageName);
    void SetRotateSource(int bufferIndex, const QString& imageName);
    void ShowBufferImage(int index);
    void OnPreviewChanged();
    ScannerControl* Scanner() const;

    StationContext& ctx_;
    QPointer<frmScan> window_;
    ScannerAccess access_;
    std::optional<Acquisition> current_;
    QStringList batchItems_;
    bool batchQueued_ = false;
    bool waitingForDocument_ = false;
    QTimer* feederTimer_;
    // Files written from the buffer of the latest acquisition: buffer index -> name.
    QList<QPair<int, QString>> bufferFiles_;
    int previewIndex_ = -1;
    bool showingOwnPicture_ = false;
    QString previewFile_;
};

} // namespace quiller
