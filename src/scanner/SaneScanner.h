#pragma once

#include "scanner/ScannerControl.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QPair>
#include <QThread>
#include <atomic>
#include <deque>
#include <memory>

namespace quiller {

class SaneWorker;
struct SaneListing;

// A source as the device manager lists it.
struct SaneSource {
    QByteArray device; // SANE device name ("test:0", "fujitsu:libusb:001:004")
    QString name;      // shown to the operator
};

// What an opened device offers, learnt on the worker thread.
struct SaneCapabilities {
    bool feeder = false;
    bool flatbed = false;
    QByteArray sensorOption; // a page-loaded sensor, empty when the device has none
};

// The scanner control over SANE.
//
// SANE calls block, so the device listing and every device call (open, options,
// scanning, close, sensor reads) run on worker threads; the GUI thread only posts
// work and receives results. Each finished page is queued to the GUI thread, appended
// to the image buffer there and announced with PostScan(0); the end of the
// acquisition follows with PostScan(1), ErrorCode and ErrorText telling how it ended.
//
// Written values: ScanSettingE is the resolution in dpi, ScanSettingH the pixel type
// (0 black and white, 1 grey, 2 colour), the scan frame is in inches, FeedSettingA
// non-zero scans from the document feeder until it runs empty. They are applied on
// the worker just before each scan; a value the device does not support is skipped.
class SaneScanner : public ScannerControl {
    Q_OBJECT
public:
    explicit SaneScanner(QObject* parent = nullptr);
    ~SaneScanner() override;

    // How long StartDevice waits for the device listing (3 s); a listing still running
    // then finishes in the background and announces its sources through
    // SourcesChanged. A negative wait does not wait at all (tests of the late path).
    static void SetListingWait(int milliseconds);
    static int ListingWait();

    bool StartDevice() override;
    void StopDevice() override;
    int SourceCount() const override { return int(sources_.size()); }
    QString SourceName(int index) const override;
    int SourceIndex() const override { return sourceIndex_; }
    void SetSourceIndex(int index) override;
    int OpenSource() override;
    int CloseSource() override;
    int Acquire() override;
    bool IsAcquiring() const override { return acquiring_; }
    int DocumentFeedAvailable() override;
    int DocumentLoaded() override;

    // The SANE device name of a source; empty when out of range.
    QByteArray DeviceName(int index) const;
    // Device options set by name before each scan, after the station's own values
    // (for example a test device's simulated failures). A value the device does not
    // accept is skipped.
    void SetDeviceOption(const QByteArray& name, const QByteArray& value);
    void ClearDeviceOptions() { deviceOptions_.clear(); }
    // The capabilities of the selected source once it has been opened.
    bool CapabilitiesKnown() const;

signals:
    // The selected source has been opened and its capabilities are known (tests wait
    // for it; the station asks DocumentFeedAvailable when it needs the answer).
    void SourceOpened();

private:
    struct Delivery {
        bool end = false;
        EncodedPage page;
        int code = 0;
        QString text;
    };

    void AddSources(const QList<SaneSource>& found);
    void OnLateSources(const QList<SaneSource>& found);
    void OpenSelected();
    void Enqueue(Delivery d);
    void DeliverPending();
    void PostToWorker(std::function<void()> job);

    friend class SaneWorker;
    void OnOpened(const QByteArray& device, bool ok, const SaneCapabilities& caps);
    void OnPage(quint64 generation, const EncodedPage& page);
    void OnFinished(quint64 generation, int code, const QString& text);
    void OnSensor(const QByteArray& device, int loaded);

    bool started_ = false;
    QList<SaneSource> sources_;
    int sourceIndex_ = 0;
    bool openWanted_ = false;
    std::shared_ptr<SaneListing> listing_;

    std::unique_ptr<QThread> thread_;
    SaneWorker* worker_ = nullptr;
    std::shared_ptr<std::atomic<bool>> cancel_;

    QHash<QByteArray, SaneCapabilities> capabilities_;
    QHash<QByteArray, int> sensorValue_;
    bool sensorRequestPending_ = false;
    QList<QPair<QByteArray, QByteArray>> deviceOptions_;
    bool written_[12] = {};

    bool acquiring_ = false;
    quint64 generation_ = 0;
    std::deque<Delivery> pending_;
    bool delivering_ = false;

protected:
    void OnValueWritten(Setting s, int value) override;
};

// Makes the station's scanner controls SaneScanner instances.
void InstallSaneScannerFactory();

} // namespace quiller
