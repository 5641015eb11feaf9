#include "scanner/SaneScanner.h"

#include "scanner/SaneDeviceList.h"
#include "scanner/SaneOptions.h"
#include "scanner/SaneScan.h"
#include "scanner/SaneSession.h"
#include "scanner/SaneWorker.h"

#include "base/Log.h"
#include <QCoreApplication>

#include <QPointer>
#include <QTimer>

namespace quiller {

namespace {

// Error codes of the station's own (not the device's) for an ended acquisition.
constexpr int kNoDevice = 101;
constexpr int kAlreadyRunning = 103;
constexpr int kNoAnswer = 104;

QString NoDeviceText() {
    return QCoreApplication::translate("quiller::SaneScanner",
                                       "No scanner is available. Choose a scanner under Tools, "
                                       "Configuration.");
}

QString CallPhrase(const QByteArray& call) {
    if (call == "sane_get_devices")
        return QCoreApplication::translate("SaneScanner", "while listing the scanners");
    if (call == "sane_open")
        return QCoreApplication::translate("SaneScanner", "while connecting");
    if (call == "sane_start")
        return QCoreApplication::translate("SaneScanner", "when asked to feed the next page");
    if (call == "sane_close")
        return QCoreApplication::translate("SaneScanner", "while disconnecting");
    return QCoreApplication::translate("SaneScanner", "while sending a page");
}

} // namespace

SaneScanner::SaneScanner(QObject* parent) : ScannerControl(parent) {
    watchdog_ = new QTimer(this);
    watchdog_->setInterval(250);
    connect(watchdog_, &QTimer::timeout, this, &SaneScanner::Watch);
}

SaneScanner::~SaneScanner() {
    StopDevice();
}

bool SaneScanner::StartDevice() {
    if (started_)
        return true;
    if (!sane::AddRef())
        return false;
    started_ = true;
    sane::MergeSources(sources_, sane::LastListing());
    if (!selected_.isEmpty())
        sourceIndex_ = FindSource(SelectedDevice());
    else
        selected_ = DeviceName(sourceIndex_);
    watchdog_->start();
    RefreshSources();
    OpenSelected();
    return true;
}

void SaneScanner::StopDevice() {
    if (!started_)
        return;
    // Pages of an acquisition cut short here are dropped, and no end is announced. The
    // workers close their devices and end on their own; nothing waits for them.
    ++generation_;
    pending_.clear();
    acquiring_ = false;
    acquireAfterListing_ = false;
    if (worker_)
        worker_->Detach();
    worker_.reset();
    if (lister_)
        lister_->Detach();
    lister_.reset();
    watchdog_->stop();
    sensorPending_ = false;
    started_ = false;
    sane::Release();
}

sane::Worker& SaneScanner::Worker() {
    if (!worker_)
        worker_ = sane::Worker::Start(this);
    return *worker_;
}

void SaneScanner::RefreshSources() {
    if (!started_ || lister_)
        return;
    lister_ = sane::Worker::Start(this);
    if (!lister_)
        return;
    lister_->Post([this](sane::Worker& w) {
        const std::optional<QList<SaneSource>> listed = sane::ListDevices(w);
        const QList<SaneSource> found = listed.value_or(QList<SaneSource>());
        if (listed)
            sane::RememberListing(found);
        w.Deliver([this, found, answered = listed.has_value()] { OnListed(found, answered); });
    });
    lister_->Stop();
}

void SaneScanner::OnListed(const QList<SaneSource>& found, bool answered) {
    lister_.reset();
    if (!started_)
        return;
    if (!answered)
        qCWarning(lcScanner) << "the scanner list did not answer";
    sane::MergeSources(sources_, found);
    if (sourceIndex_ < 0 && !selected_.isEmpty())
        sourceIndex_ = FindSource(SelectedDevice());
    if (selected_.isEmpty() && !sources_.isEmpty()) {
        selected_ = DeviceName(sourceIndex_);
        OpenSelected();
    }
    emit SourcesChanged();
    AcquireAfterListing();
}

void SaneScanner::AcquireAfterListing() {
    if (!std::exchange(acquireAfterListing_, false))
        return;
    acquiring_ = false;
    Acquire();
}

// A call past its limit: its worker is left behind and the station goes on without it.
void SaneScanner::Watch() {
    if (lister_ && !lister_->Overdue().isEmpty()) {
        lister_->Abandon();
        lister_.reset();
        qCWarning(lcScanner) << "the scanner list did not answer";
        emit SourcesChanged();
        AcquireAfterListing();
    }
    if (worker_) {
        const QByteArray call = worker_->Overdue();
        if (!call.isEmpty())
            AbandonWorker(call);
    }
}

void SaneScanner::AbandonWorker(const QByteArray& call) {
    worker_->Abandon();
    worker_.reset();
    const QString text = tr("The scanner %1 did not answer %2. The batch was stopped; the pages "
                            "scanned so far are kept. Check that the scanner is switched on and "
                            "connected, then scan the rest.")
                             .arg(Described(selected_), CallPhrase(call));
    sensorPending_ = false;
    const auto waiters = std::exchange(sensorWaiters_, {});
    for (const auto& answer : waiters)
        answer(0);
    if (acquiring_) {
        ++generation_;
        Enqueue({true, EncodedPage(), kNoAnswer, text});
    } else {
        qCWarning(lcScanner).noquote() << text;
    }
}

QString SaneScanner::SourceName(int index) const {
    return index >= 0 && index < sources_.size() ? sources_.at(index).name : QString();
}

QString SaneScanner::SourceDevice(int index) const {
    return QString::fromUtf8(DeviceName(index));
}

QByteArray SaneScanner::DeviceName(int index) const {
    return index >= 0 && index < sources_.size() ? sources_.at(index).device : QByteArray();
}

// "FUJITSU fi-7160 (fujitsu:libusb:001:004)", or the device name alone when unlisted.
QString SaneScanner::Described(const QByteArray& device) const {
    const int i = FindSource(QString::fromUtf8(device));
    const QString name = QString::fromUtf8(device);
    return i < 0 ? name : QStringLiteral("%1 (%2)").arg(SourceName(i), name);
}

void SaneScanner::SetSourceIndex(int index) {
    if (index == sourceIndex_ && DeviceName(index) == selected_)
        return;
    sourceIndex_ = index;
    selected_ = DeviceName(index);
    OpenSelected();
}

void SaneScanner::SelectDevice(const QString& device) {
    selected_ = device.toUtf8();
    sourceIndex_ = FindSource(device);
    OpenSelected();
}

// Opens the selected device on the worker when the station has asked for it open, so
// that its feeder and sensor are known before the station asks about them.
void SaneScanner::OpenSelected() {
    if (!started_ || !openWanted_ || selected_.isEmpty())
        return;
    Worker().Post([this, device = selected_](sane::Worker& w) {
        SANE_Status status = SANE_STATUS_GOOD;
        const bool ok = w.EnsureOpen(device, &status);
        SaneCapabilities caps;
        int loaded = 1;
        if (ok)
            w.Timed("sane_control_option", sane::LimitMs("sane_read"), [&] {
                caps = sane::ReadCapabilities(w.Handle());
                loaded = sane::ReadSensor(w.Handle(), caps.sensorOption);
                return 0;
            });
        w.Deliver([this, device, ok, caps, loaded] { OnOpened(device, ok, caps, loaded); });
    });
}

ScanResult SaneScanner::OpenSource() {
    openWanted_ = true;
    OpenSelected();
    if (!started_ || selected_.isEmpty())
        return ScanResult::Failed(kNoDevice, NoDeviceText());
    return ScanResult::Done();
}

ScanResult SaneScanner::CloseSource() {
    openWanted_ = false;
    if (worker_)
        worker_->Post([](sane::Worker& w) { w.Close(); });
    return ScanResult::Done();
}

void SaneScanner::OnOpened(const QByteArray& device, bool ok, const SaneCapabilities& caps,
                           int loaded) {
    if (!ok)
        return;
    capabilities_.insert(device, caps);
    sensorValue_.insert(device, loaded);
    if (device == selected_)
        emit SourceOpened();
}

int SaneScanner::DocumentFeedAvailable() {
    const auto it = capabilities_.constFind(selected_);
    return it != capabilities_.cend() && it->feeder ? 1 : 0;
}

int SaneScanner::DocumentLoaded() {
    const auto it = capabilities_.constFind(selected_);
    if (it == capabilities_.cend() || it->sensorOption.isEmpty())
        return 1; // no sensor to ask: the operator is trusted to have loaded the paper
    // Answers with the latest reading and asks for a fresh one for the next question.
    if (!acquiring_)
        RequestDocumentLoaded([](int) {});
    return sensorValue_.value(selected_, 0);
}

void SaneScanner::RequestDocumentLoaded(std::function<void(int)> answer) {
    if (!started_ || selected_.isEmpty()) {
        answer(1); // the acquisition tells what is missing
        return;
    }
    sensorWaiters_.append(std::move(answer));
    if (sensorPending_)
        return;
    sensorPending_ = true;
    Worker().Post([this, device = selected_](sane::Worker& w) {
        SANE_Status status = SANE_STATUS_GOOD;
        int loaded = 1; // a device that cannot be opened: the acquisition says why
        if (w.EnsureOpen(device, &status))
            loaded = w.Timed("sane_control_option", sane::LimitMs("sane_read"), [&] {
                return sane::ReadSensor(w.Handle(),
                                        sane::ReadCapabilities(w.Handle()).sensorOption);
            });
        w.Deliver([this, device, loaded] { OnSensor(device, loaded); });
    });
}

void SaneScanner::OnSensor(const QByteArray& device, int loaded) {
    sensorPending_ = false;
    sensorValue_.insert(device, loaded);
    const auto waiters = std::exchange(sensorWaiters_, {});
    for (const auto& answer : waiters)
        answer(loaded);
}

void SaneScanner::SetDeviceOption(const QByteArray& name, const QByteArray& value) {
    for (auto& option : deviceOptions_)
        if (option.first == name) {
            option.second = value;
            return;
        }
    deviceOptions_.append({name, value});
}

void SaneScanner::OnValueWritten(Setting s, int) {
    written_[int(s)] = true;
}

ScanResult SaneScanner::Acquire() {
    if (acquiring_)
        return ScanResult::Failed(kAlreadyRunning, tr("The scanner is already scanning."));
    SetAcquisitionResult(ScanResult::Done());
    acquiring_ = true;
    if (started_ && selected_.isEmpty() && lister_) {
        // No device chosen yet because the listing is still running: the scan starts
        // once it has ended and the station has chosen (OnListed).
        acquireAfterListing_ = true;
        return ScanResult::Done();
    }
    if (!started_ || selected_.isEmpty()) {
        Enqueue({true, EncodedPage(), kNoDevice, NoDeviceText()});
        return ScanResult::Done();
    }
    sane::ScanRequest r;
    r.device = selected_;
    r.generation = ++generation_;
    if (written_[int(Setting::ScanSettingE)])
        r.resolution = Value(Setting::ScanSettingE);
    if (written_[int(Setting::ScanSettingH)])
        r.pixelType = Value(Setting::ScanSettingH);
    const Frame f = ScanFrame();
    r.frameSet = f.right > f.left && f.bottom > f.top;
    r.frame = f;
    r.feeder = Value(Setting::FeedSettingA) != 0;
    r.deviceOptions = deviceOptions_;
    Worker().Post([this, r, text = Described(selected_)](sane::Worker& w) {
        const quint64 g = r.generation;
        sane::Scan(
            w, r, text,
            [this, &w, g](EncodedPage page) {
                w.Deliver([this, g, page = std::move(page)] { OnPage(g, page); });
            },
            [this, &w, g](int code, const QString& t) {
                w.Deliver([this, g, code, t] { OnFinished(g, code, t); });
            });
    });
    return ScanResult::Done();
}

void SaneScanner::OnPage(quint64 generation, const EncodedPage& page) {
    if (generation == generation_)
        Enqueue({false, page, 0, QString()});
}

void SaneScanner::OnFinished(quint64 generation, int code, const QString& text) {
    if (generation == generation_)
        Enqueue({true, EncodedPage(), code, text});
}

void SaneScanner::Enqueue(Delivery d) {
    pending_.push_back(std::move(d));
    QMetaObject::invokeMethod(this, &SaneScanner::DeliverPending, Qt::QueuedConnection);
}

// Hands the pages over one at a time. A PostScan handler that opens a modal box runs
// the event loop; pages arriving meanwhile wait until that handler has returned.
void SaneScanner::DeliverPending() {
    if (delivering_)
        return;
    delivering_ = true;
    QPointer<SaneScanner> self(this);
    while (!pending_.empty()) {
        Delivery d = std::move(pending_.front());
        pending_.pop_front();
        if (d.end) {
            acquiring_ = false;
            SetAcquisitionResult({d.code, d.text});
            emit PostScan(1);
        } else {
            AppendPage(std::move(d.page));
            d.page = EncodedPage();
            emit PostScan(0);
        }
        if (!self)
            return;
    }
    delivering_ = false;
}

void InstallSaneScannerFactory() {
    ScannerControl::SetFactory([] { return std::make_unique<SaneScanner>(); });
}

} // namespace quiller
