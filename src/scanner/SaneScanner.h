#pragma once

#include "scanner/ScannerControl.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QPair>
#include <deque>
#include <functional>
#include <memory>

class QTimer;

namespace quiller {

namespace sane {
class Worker;
}

// A device as the device list shows it.
struct SaneSource {
    QByteArray device; // SANE device name ("fujitsu:libusb:001:004"): what identifies it
    QString name;      // shown to the operator
};

// What an opened device offers.
struct SaneCapabilities {
    bool feeder = false;
    bool flatbed = false;
    QByteArray sensorOption; // a paper sensor, empty when the device has none
};

// How long each SANE call may take before the station gives up on it, in milliseconds.
struct SaneTimeLimits {
    int listMs = 30000;  // sane_get_devices (network backends take seconds)
    int openMs = 20000;  // sane_open
    int startMs = 60000; // sane_start (a lamp warming up, a feeder pulling the sheet)
    int readMs = 30000;  // sane_read, sane_get_parameters and the option calls
    int closeMs = 10000; // sane_close
};

// The scanner control over SANE: the facade over the device list (SaneDeviceList), the
// device's options (SaneOptions) and the worker that owns the device (SaneWorker).
//
// Nothing here blocks the GUI thread. StartDevice returns at once with the devices of
// this process's last listing; a fresh listing runs on a worker and announces itself
// through SourcesChanged. Every device call runs on the worker, each with a time limit
// (SetTimeLimits): a call that runs past it ends the acquisition with PostScan(1) and
// an AcquisitionResult saying so, and the worker is left behind to end when its call returns.
// Each finished page is queued to the GUI thread, appended to the image buffer and
// announced with PostScan(0); the end follows with PostScan(1).
//
// Written values: ScanSettingE resolution in dpi (the nearest the device offers),
// ScanSettingH pixel type (0 black and white, 1 grey, 2 colour; grey from colour where the
// device has no grey mode), the scan frame in inches, FeedSettingA non-zero scans from the
// simplex feeder until it runs empty, with double-feed detection on where offered. They
// are applied on the worker just before each scan; a value the device lacks is skipped.
class SaneScanner : public ScannerControl {
    Q_OBJECT
public:
    explicit SaneScanner(QObject* parent = nullptr);
    ~SaneScanner() override;

    static void SetTimeLimits(const SaneTimeLimits& limits);
    static SaneTimeLimits TimeLimits();

    bool StartDevice() override;
    void StopDevice() override;
    int SourceCount() const override { return int(sources_.size()); }
    QString SourceName(int index) const override;
    QString SourceDevice(int index) const override;
    int SourceIndex() const override { return sourceIndex_; }
    void SetSourceIndex(int index) override;
    void SelectDevice(const QString& device) override;
    QString SelectedDevice() const override { return QString::fromUtf8(selected_); }
    bool ListingComplete() const override { return started_ && !lister_; }
    void RefreshSources() override;
    ScanResult OpenSource() override;
    ScanResult CloseSource() override;
    ScanResult Acquire() override;
    bool IsAcquiring() const override { return acquiring_; }
    int DocumentFeedAvailable() override;
    bool FlatbedAvailable() const override { return capabilities_.value(selected_).flatbed; }
    int DocumentLoaded() override;
    void RequestDocumentLoaded(std::function<void(int)> answer) override;

    // The SANE device name of a source; empty when out of range.
    QByteArray DeviceName(int index) const;
    // Device options set by name before each scan, after the station's own values
    // (a test device's simulated failures, say). A value the device refuses is skipped.
    void SetDeviceOption(const QByteArray& name, const QByteArray& value);
    void ClearDeviceOptions() { deviceOptions_.clear(); }
    // The capabilities of the selected device once it has been opened.
    bool CapabilitiesKnown() const { return capabilities_.contains(selected_); }

signals:
    // The selected device has been opened and its capabilities are known.
    void SourceOpened();

private:
    struct Delivery {
        bool end = false;
        EncodedPage page;
        int code = 0;
        QString text;
    };

    sane::Worker& Worker();
    void OpenSelected();
    void Watch();
    void AbandonWorker(const QByteArray& call);
    void OnListed(const QList<SaneSource>& found, bool answered);
    void AcquireAfterListing();
    void OnOpened(const QByteArray& device, bool ok, const SaneCapabilities& caps, int loaded);
    void OnSensor(const QByteArray& device, int loaded);
    void OnPage(quint64 generation, const EncodedPage& page);
    void OnFinished(quint64 generation, int code, const QString& text);
    void Enqueue(Delivery d);
    void DeliverPending();
    QString Described(const QByteArray& device) const;

    bool started_ = false;
    QList<SaneSource> sources_;
    int sourceIndex_ = 0;
    QByteArray selected_;
    bool openWanted_ = false;
    std::shared_ptr<sane::Worker> worker_;
    std::shared_ptr<sane::Worker> lister_;
    QTimer* watchdog_ = nullptr;

    QHash<QByteArray, SaneCapabilities> capabilities_;
    QHash<QByteArray, int> sensorValue_;
    bool sensorPending_ = false;
    QList<std::function<void(int)>> sensorWaiters_;
    QList<QPair<QByteArray, QByteArray>> deviceOptions_;
    bool written_[12] = {};

    bool acquiring_ = false;
    bool acquireAfterListing_ = false;
    quint64 generation_ = 0;
    std::deque<Delivery> pending_;
    bool delivering_ = false;

protected:
    void OnValueWritten(Setting s, int value) override;
};

// Makes the station's scanner controls SaneScanner instances.
void InstallSaneScannerFactory();

} // namespace quiller
