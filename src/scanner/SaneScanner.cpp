#include "scanner/SaneScanner.h"

#include "scanner/SaneImage.h"

#include "base/Log.h"

#include <QPointer>
#include <QTimer>
#include <sane/sane.h>
#include <sane/saneopts.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <optional>
#include <thread>

namespace quiller {

namespace {

// Error codes of the station's own (not the device's) for an ended acquisition.
constexpr int kNoDevice = 101;
constexpr int kUnreadableImage = 102;
constexpr int kAlreadyRunning = 103;

// SANE is initialised once for the whole process and shared by every scanner control
// (the scan window and the configuration dialog each hold one) and by device listings
// still running in the background. The last one to let go ends SANE. The objects are
// never destroyed, so a listing that outlives main() finds them intact.
class SaneSession {
public:
    static bool AddRef() {
        std::lock_guard lock(RefMutex());
        if (Count() == 0) {
            SANE_Int version = 0;
            if (sane_init(&version, nullptr) != SANE_STATUS_GOOD)
                return false;
        }
        ++Count();
        return true;
    }
    static void Release() {
        std::lock_guard lock(RefMutex());
        if (Count() > 0 && --Count() == 0)
            sane_exit();
    }
    // Serialises the calls that act on SANE's device tables (listing, opening and
    // closing), which backends do not expect from two threads at once.
    static std::mutex& CallMutex() {
        static auto* m = new std::mutex;
        return *m;
    }

private:
    static std::mutex& RefMutex() {
        static auto* m = new std::mutex;
        return *m;
    }
    static int& Count() {
        static int count = 0;
        return count;
    }
};

QList<SaneSource> ListDevices() {
    QList<SaneSource> found;
    std::lock_guard lock(SaneSession::CallMutex());
    const SANE_Device** list = nullptr;
    if (sane_get_devices(&list, SANE_FALSE) != SANE_STATUS_GOOD || !list)
        return found;
    for (int i = 0; list[i]; ++i) {
        const SANE_Device* d = list[i];
        SaneSource s;
        s.device = QByteArray(d->name ? d->name : "");
        const QString vendor = QString::fromUtf8(d->vendor ? d->vendor : "").trimmed();
        const QString model = QString::fromUtf8(d->model ? d->model : "").trimmed();
        s.name = (vendor + QLatin1Char(' ') + model).trimmed();
        if (s.name.isEmpty())
            s.name = QString::fromUtf8(s.device);
        if (!s.device.isEmpty())
            found.append(s);
    }
    for (const SaneSource& s : found)
        qCInfo(lcScanner).noquote() << "scanner found:" << s.name << "(" << s.device << ")";
    if (found.isEmpty())
        qCInfo(lcScanner) << "no scanner found";
    return found;
}

QString StatusText(int status) {
    switch (status) {
    case SANE_STATUS_JAMMED:
        return QStringLiteral("The document feeder is jammed. Clear the jam and scan again.");
    case SANE_STATUS_NO_DOCS:
        return QStringLiteral(
            "There is no document in the scanner. Put the prescription on the scanner and "
            "scan again.");
    case SANE_STATUS_COVER_OPEN:
        return QStringLiteral("The scanner cover is open. Close it and scan again.");
    case SANE_STATUS_IO_ERROR:
        return QStringLiteral(
            "The scanner could not be reached. Check that it is switched on and connected, "
            "then scan again.");
    case SANE_STATUS_DEVICE_BUSY:
        return QStringLiteral("The scanner is busy. Wait a moment and scan again.");
    case SANE_STATUS_NO_MEM:
        return QStringLiteral(
            "The scanner ran out of memory. Scan again; if it happens again, switch the "
            "scanner off and on.");
    case SANE_STATUS_INVAL:
        return QStringLiteral("The scanner did not accept the scan. Check the scanner under Tools, "
                              "Configuration and scan again.");
    case SANE_STATUS_ACCESS_DENIED:
        return QStringLiteral("The station is not allowed to use the scanner.");
    case SANE_STATUS_UNSUPPORTED:
        return QStringLiteral("The scanner does not support this kind of scan.");
    case SANE_STATUS_CANCELLED:
        return QStringLiteral("The scan was cancelled.");
    case 12: // SANE_STATUS_WARMING_UP
        return QStringLiteral("The scanner is warming up. Wait a moment and scan again.");
    case 13: // SANE_STATUS_HW_LOCKED
        return QStringLiteral("The scanner is locked for transport. Unlock it and scan again.");
    default:
        return QStringLiteral("The scanner reported an error: %1.")
            .arg(QString::fromUtf8(sane_strstatus(SANE_Status(status))));
    }
}

// Options of an open device, looked up by name.
struct Option {
    SANE_Int index = -1;
    const SANE_Option_Descriptor* d = nullptr;
    explicit operator bool() const { return d != nullptr; }
    bool settable() const {
        return d && SANE_OPTION_IS_ACTIVE(d->cap) && SANE_OPTION_IS_SETTABLE(d->cap);
    }
};

Option FindOption(SANE_Handle h, const char* name) {
    SANE_Int count = 0;
    if (sane_control_option(h, 0, SANE_ACTION_GET_VALUE, &count, nullptr) != SANE_STATUS_GOOD)
        return {};
    for (SANE_Int i = 1; i < count; ++i) {
        const SANE_Option_Descriptor* d = sane_get_option_descriptor(h, i);
        if (d && d->name && std::strcmp(d->name, name) == 0)
            return {i, d};
    }
    return {};
}

QList<QByteArray> StringList(const Option& o) {
    QList<QByteArray> list;
    if (o && o.d->type == SANE_TYPE_STRING && o.d->constraint_type == SANE_CONSTRAINT_STRING_LIST)
        for (const SANE_String_Const* s = o.d->constraint.string_list; s && *s; ++s)
            list.append(QByteArray(*s));
    return list;
}

bool SetString(SANE_Handle h, const char* name, const QByteArray& value) {
    const Option o = FindOption(h, name);
    if (!o.settable() || o.d->type != SANE_TYPE_STRING)
        return false;
    QByteArray buffer(qMax<qsizetype>(o.d->size, value.size() + 1), '\0');
    std::memcpy(buffer.data(), value.constData(), value.size());
    return sane_control_option(h, o.index, SANE_ACTION_SET_VALUE, buffer.data(), nullptr) ==
           SANE_STATUS_GOOD;
}

double WordValue(const SANE_Option_Descriptor* d, SANE_Word w) {
    return d->type == SANE_TYPE_FIXED ? SANE_UNFIX(w) : double(w);
}

// Sets a single-valued number option to the supported value nearest to value. A far
// edge (roundUp) is rounded up to the next fixed-point step, so that a frame of whole
// inches gives whole pixel counts on devices that truncate.
bool SetNumber(SANE_Handle h, const char* name, double value, bool roundUp = false) {
    const Option o = FindOption(h, name);
    if (!o.settable() || (o.d->type != SANE_TYPE_INT && o.d->type != SANE_TYPE_FIXED) ||
        o.d->size != SANE_Int(sizeof(SANE_Word)))
        return false;
    const SANE_Option_Descriptor* d = o.d;
    if (d->constraint_type == SANE_CONSTRAINT_RANGE && d->constraint.range) {
        const double lo = WordValue(d, d->constraint.range->min);
        const double hi = WordValue(d, d->constraint.range->max);
        const double quant = WordValue(d, d->constraint.range->quant);
        value = std::clamp(value, lo, hi);
        if (quant > 0)
            value = std::min(hi, lo + std::round((value - lo) / quant) * quant);
    } else if (d->constraint_type == SANE_CONSTRAINT_WORD_LIST && d->constraint.word_list &&
               d->constraint.word_list[0] > 0) {
        double best = WordValue(d, d->constraint.word_list[1]);
        for (SANE_Int i = 1; i <= d->constraint.word_list[0]; ++i) {
            const double v = WordValue(d, d->constraint.word_list[i]);
            if (std::abs(v - value) < std::abs(best - value))
                best = v;
        }
        value = best;
    }
    SANE_Word w = 0;
    if (d->type == SANE_TYPE_FIXED) {
        const double scaled = value * (1 << SANE_FIXED_SCALE_SHIFT);
        w = SANE_Word(roundUp ? std::ceil(scaled - 1e-3) : std::floor(scaled + 1e-3));
        if (d->constraint_type == SANE_CONSTRAINT_RANGE && d->constraint.range)
            w = std::clamp(w, d->constraint.range->min, d->constraint.range->max);
    } else {
        w = SANE_Word(std::lround(value));
    }
    return sane_control_option(h, o.index, SANE_ACTION_SET_VALUE, &w, nullptr) == SANE_STATUS_GOOD;
}

std::optional<double> GetNumber(SANE_Handle h, const char* name) {
    const Option o = FindOption(h, name);
    if (!o || !SANE_OPTION_IS_ACTIVE(o.d->cap) ||
        (o.d->type != SANE_TYPE_INT && o.d->type != SANE_TYPE_FIXED) ||
        o.d->size != SANE_Int(sizeof(SANE_Word)))
        return std::nullopt;
    SANE_Word w = 0;
    if (sane_control_option(h, o.index, SANE_ACTION_GET_VALUE, &w, nullptr) != SANE_STATUS_GOOD)
        return std::nullopt;
    return WordValue(o.d, w);
}

// Sets an option from its text form, whatever its type.
void SetFromText(SANE_Handle h, const QByteArray& name, const QByteArray& value) {
    const Option o = FindOption(h, name.constData());
    if (!o.settable())
        return;
    switch (o.d->type) {
    case SANE_TYPE_BOOL: {
        const QByteArray v = value.trimmed().toLower();
        SANE_Bool b = (v == "1" || v == "yes" || v == "true") ? SANE_TRUE : SANE_FALSE;
        sane_control_option(h, o.index, SANE_ACTION_SET_VALUE, &b, nullptr);
        break;
    }
    case SANE_TYPE_INT:
    case SANE_TYPE_FIXED: {
        bool ok = false;
        const double v = value.trimmed().toDouble(&ok);
        if (ok)
            SetNumber(h, name.constData(), v);
        break;
    }
    case SANE_TYPE_STRING:
        SetString(h, name.constData(), value);
        break;
    default:
        break;
    }
}

QByteArray FirstContaining(const QList<QByteArray>& list, std::initializer_list<const char*> keys,
                           Qt::CaseSensitivity cs) {
    for (const QByteArray& entry : list)
        for (const char* key : keys)
            if (QString::fromUtf8(entry).contains(QLatin1String(key), cs))
                return entry;
    return {};
}

QByteArray FeederSource(const QList<QByteArray>& sources) {
    QByteArray s = FirstContaining(sources, {"ADF"}, Qt::CaseSensitive);
    if (s.isEmpty())
        s = FirstContaining(sources, {"Automatic Document Feeder", "Document Feeder"},
                            Qt::CaseInsensitive);
    return s;
}

QByteArray FlatbedSource(const QList<QByteArray>& sources) {
    return FirstContaining(sources, {"Flatbed"}, Qt::CaseInsensitive);
}

const char* const kSensorOptions[] = {SANE_NAME_PAGE_LOADED, "document-loaded", "paper-loaded",
                                      "adf-loaded"};

struct AcquireRequest {
    QByteArray device;
    quint64 generation = 0;
    int resolution = 0; // 0: leave the device's
    int pixelType = -1; // -1: leave the device's
    bool frameSet = false;
    ScannerControl::Frame frame;
    bool feeder = false;
    QList<QPair<QByteArray, QByteArray>> deviceOptions;
};

} // namespace

// Shared by the GUI thread and a listing running on its own thread.
struct SaneListing {
    std::mutex mutex;
    std::condition_variable doneCondition;
    bool done = false;
    bool late = false;      // the owner stopped waiting: deliver the result to it
    bool abandoned = false; // the owner has stopped the device or is gone
    QList<SaneSource> found;
    SaneScanner* owner = nullptr;
};

// Lives on the scanner's worker thread and owns the device handle.
class SaneWorker : public QObject {
public:
    SaneWorker(SaneScanner* owner, std::shared_ptr<std::atomic<bool>> cancel)
        : owner_(owner), cancel_(std::move(cancel)) {}
    ~SaneWorker() override { Close(); }

    void Open(const QByteArray& device) {
        SANE_Status status = SANE_STATUS_GOOD;
        const bool ok = EnsureOpen(device, &status);
        ReportOpened(device, ok);
    }

    void Close() {
        if (!handle_)
            return;
        sane_cancel(handle_);
        std::lock_guard lock(SaneSession::CallMutex());
        sane_close(handle_);
        handle_ = nullptr;
        device_.clear();
    }

    void ReadSensor(const QByteArray& device) {
        int loaded = 1;
        if (handle_ && device_ == device) {
            for (const char* name : kSensorOptions) {
                const Option o = FindOption(handle_, name);
                if (o && SANE_OPTION_IS_ACTIVE(o.d->cap) && o.d->type == SANE_TYPE_BOOL) {
                    SANE_Bool b = SANE_FALSE;
                    if (sane_control_option(handle_, o.index, SANE_ACTION_GET_VALUE, &b, nullptr) ==
                        SANE_STATUS_GOOD)
                        loaded = b ? 1 : 0;
                    break;
                }
            }
        }
        QMetaObject::invokeMethod(
            owner_, [o = owner_, device, loaded] { o->OnSensor(device, loaded); },
            Qt::QueuedConnection);
    }

    void Run(const AcquireRequest& r) {
        int code = 0;
        QString text;
        SANE_Status status = SANE_STATUS_GOOD;
        if (!EnsureOpen(r.device, &status)) {
            ReportOpened(r.device, false);
            Finish(r.generation, int(status),
                   QStringLiteral("The scanner could not be opened. %1").arg(StatusText(status)));
            return;
        }
        ReportOpened(r.device, true);
        Apply(r);
        int pages = 0;
        while (!cancel_->load()) {
            QList<SaneFrame> frames;
            status = ReadPage(frames);
            if (status == SANE_STATUS_NO_DOCS && r.feeder && pages > 0)
                break; // the feeder has run empty: the normal end of a feeder batch
            if (status != SANE_STATUS_GOOD) {
                code = int(status);
                text = StatusText(status);
                break;
            }
            QImage image = BuildSaneImage(frames);
            frames.clear();
            if (image.isNull()) {
                code = kUnreadableImage;
                text = QStringLiteral(
                    "The scanner delivered an image in a form the station cannot read.");
                break;
            }
            ++pages;
            // Encoded here, so the GUI thread only files the bytes; the raw page is
            // released at once.
            EncodedPage page = EncodePage(image);
            image = QImage();
            QMetaObject::invokeMethod(
                owner_,
                [o = owner_, g = r.generation, page = std::move(page)] { o->OnPage(g, page); },
                Qt::QueuedConnection);
            if (!r.feeder)
                break;
        }
        sane_cancel(handle_);
        if (cancel_->load() && code == 0) {
            code = SANE_STATUS_CANCELLED;
            text = StatusText(SANE_STATUS_CANCELLED);
        }
        // After a device failure the next scan starts from a freshly opened device (a
        // scanner that was switched off and on again needs it).
        if (code != 0 && code != kUnreadableImage)
            Close();
        Finish(r.generation, code, text);
    }

private:
    bool EnsureOpen(const QByteArray& device, SANE_Status* status) {
        if (handle_ && device_ == device)
            return true;
        Close();
        std::lock_guard lock(SaneSession::CallMutex());
        SANE_Handle h = nullptr;
        *status = sane_open(device.constData(), &h);
        if (*status != SANE_STATUS_GOOD || !h)
            return false;
        handle_ = h;
        device_ = device;
        return true;
    }

    SaneCapabilities Capabilities() const {
        SaneCapabilities caps;
        if (!handle_)
            return caps;
        const QList<QByteArray> sources = StringList(FindOption(handle_, SANE_NAME_SCAN_SOURCE));
        caps.feeder = !FeederSource(sources).isEmpty();
        caps.flatbed = !FlatbedSource(sources).isEmpty();
        for (const char* name : kSensorOptions) {
            const Option o = FindOption(handle_, name);
            if (o && o.d->type == SANE_TYPE_BOOL && (o.d->cap & SANE_CAP_SOFT_DETECT)) {
                caps.sensorOption = name;
                break;
            }
        }
        return caps;
    }

    void ReportOpened(const QByteArray& device, bool ok) {
        const SaneCapabilities caps = ok ? Capabilities() : SaneCapabilities{};
        QMetaObject::invokeMethod(
            owner_, [o = owner_, device, ok, caps] { o->OnOpened(device, ok, caps); },
            Qt::QueuedConnection);
    }

    void Finish(quint64 generation, int code, const QString& text) {
        QMetaObject::invokeMethod(
            owner_, [o = owner_, generation, code, text] { o->OnFinished(generation, code, text); },
            Qt::QueuedConnection);
    }

    // The station's values first, then the named device options.
    void Apply(const AcquireRequest& r) {
        const QList<QByteArray> sources = StringList(FindOption(handle_, SANE_NAME_SCAN_SOURCE));
        const QByteArray source = r.feeder ? FeederSource(sources) : FlatbedSource(sources);
        if (!source.isEmpty())
            SetString(handle_, SANE_NAME_SCAN_SOURCE, source);

        if (r.pixelType >= 0)
            ApplyPixelType(r.pixelType);
        if (r.resolution > 0)
            SetNumber(handle_, SANE_NAME_SCAN_RESOLUTION, r.resolution);
        if (r.frameSet)
            ApplyFrame(r.frame, r.resolution);
        for (const auto& [name, value] : r.deviceOptions)
            SetFromText(handle_, name, value);
    }

    void ApplyPixelType(int pixelType) {
        const QList<QByteArray> modes = StringList(FindOption(handle_, SANE_NAME_SCAN_MODE));
        QByteArray mode;
        int depth = 8;
        switch (pixelType) {
        case 0:
            mode = FirstContaining(modes, {"Lineart", "Binary", "Black"}, Qt::CaseInsensitive);
            if (mode.isEmpty()) // a grey mode one bit deep is black and white too
                mode = FirstContaining(modes, {"Gray", "Grey"}, Qt::CaseInsensitive);
            depth = 1;
            break;
        case 1:
            mode = FirstContaining(modes, {"Gray", "Grey"}, Qt::CaseInsensitive);
            break;
        case 2:
            mode = FirstContaining(modes, {"Color", "Colour"}, Qt::CaseInsensitive);
            break;
        default:
            return;
        }
        if (!mode.isEmpty())
            SetString(handle_, SANE_NAME_SCAN_MODE, mode);
        const Option d = FindOption(handle_, SANE_NAME_BIT_DEPTH);
        if (d.settable() && d.d->constraint_type == SANE_CONSTRAINT_WORD_LIST) {
            for (SANE_Int i = 1; i <= d.d->constraint.word_list[0]; ++i)
                if (d.d->constraint.word_list[i] == depth) {
                    SetNumber(handle_, SANE_NAME_BIT_DEPTH, depth);
                    break;
                }
        }
    }

    // The frame in inches, converted to the device's unit and clamped to its range.
    void ApplyFrame(const ScannerControl::Frame& f, int requestedDpi) {
        const Option tl = FindOption(handle_, SANE_NAME_SCAN_TL_X);
        if (!tl)
            return;
        double scale = 25.4;
        if (tl.d->unit == SANE_UNIT_PIXEL) {
            const std::optional<double> dpi = GetNumber(handle_, SANE_NAME_SCAN_RESOLUTION);
            scale = dpi ? *dpi : requestedDpi > 0 ? requestedDpi : 0;
            if (scale <= 0)
                return;
        } else if (tl.d->unit != SANE_UNIT_MM) {
            return;
        }
        SetNumber(handle_, SANE_NAME_SCAN_TL_X, f.left * scale);
        SetNumber(handle_, SANE_NAME_SCAN_TL_Y, f.top * scale);
        SetNumber(handle_, SANE_NAME_SCAN_BR_X, f.right * scale, true);
        SetNumber(handle_, SANE_NAME_SCAN_BR_Y, f.bottom * scale, true);
    }

    // One page: one frame, or three single-colour frames from a three-pass device.
    SANE_Status ReadPage(QList<SaneFrame>& frames) {
        std::vector<char> chunk(256 * 1024);
        for (;;) {
            SANE_Status status = sane_start(handle_);
            if (status != SANE_STATUS_GOOD)
                return status;
            SaneFrame frame;
            status = sane_get_parameters(handle_, &frame.parameters);
            if (status != SANE_STATUS_GOOD)
                return status;
            const SANE_Parameters& p = frame.parameters;
            if (p.lines > 0 && p.bytes_per_line > 0)
                frame.data.reserve(qsizetype(p.lines) * p.bytes_per_line);
            for (;;) {
                if (cancel_->load())
                    return SANE_STATUS_CANCELLED;
                SANE_Int length = 0;
                status = sane_read(handle_, reinterpret_cast<SANE_Byte*>(chunk.data()),
                                   SANE_Int(chunk.size()), &length);
                if (status == SANE_STATUS_EOF)
                    break;
                if (status != SANE_STATUS_GOOD)
                    return status;
                frame.data.append(chunk.data(), length);
            }
            const bool last = p.last_frame;
            frames.append(std::move(frame));
            if (last)
                return SANE_STATUS_GOOD;
            if (frames.size() >= 3)
                return SANE_STATUS_UNSUPPORTED;
        }
    }

    SaneScanner* owner_;
    std::shared_ptr<std::atomic<bool>> cancel_;
    SANE_Handle handle_ = nullptr;
    QByteArray device_;
};

namespace {
std::atomic<int> listingWaitMs{3000};
} // namespace

void SaneScanner::SetListingWait(int milliseconds) {
    listingWaitMs = milliseconds;
}
int SaneScanner::ListingWait() {
    return listingWaitMs;
}

SaneScanner::SaneScanner(QObject* parent)
    : ScannerControl(parent), cancel_(std::make_shared<std::atomic<bool>>(false)) {}

SaneScanner::~SaneScanner() {
    StopDevice();
}

bool SaneScanner::StartDevice() {
    if (started_)
        return true;
    if (!SaneSession::AddRef())
        return false;
    started_ = true;
    cancel_->store(false);
    thread_ = std::make_unique<QThread>();
    thread_->setObjectName(QStringLiteral("SaneScanner"));
    worker_ = new SaneWorker(this, cancel_);
    worker_->moveToThread(thread_.get());
    thread_->start();

    // The listing runs on a thread of its own holding its own share of SANE, so that a
    // listing that outlasts the wait below can finish after this control has stopped.
    auto listing = std::make_shared<SaneListing>();
    listing->owner = this;
    listing->late = ListingWait() < 0;
    listing_ = listing;
    SaneSession::AddRef();
    std::thread([listing] {
        QList<SaneSource> found = ListDevices();
        {
            std::lock_guard lock(listing->mutex);
            listing->found = found;
            listing->done = true;
            if (listing->late && !listing->abandoned) {
                SaneScanner* owner = listing->owner;
                QMetaObject::invokeMethod(
                    owner, [owner, found] { owner->OnLateSources(found); }, Qt::QueuedConnection);
            }
        }
        listing->doneCondition.notify_all();
        SaneSession::Release();
    }).detach();

    std::unique_lock lock(listing->mutex);
    const int wait = ListingWait();
    if (wait >= 0 && listing->doneCondition.wait_for(lock, std::chrono::milliseconds(wait),
                                                     [&] { return listing->done; })) {
        const QList<SaneSource> found = listing->found;
        lock.unlock();
        AddSources(found);
    } else {
        listing->late = true;
    }
    OpenSelected();
    return true;
}

void SaneScanner::StopDevice() {
    if (!started_)
        return;
    if (listing_) {
        std::lock_guard lock(listing_->mutex);
        listing_->abandoned = true;
    }
    listing_.reset();
    // Pages of an acquisition cut short here are dropped, and no end is announced.
    ++generation_;
    pending_.clear();
    acquiring_ = false;
    cancel_->store(true);
    // The device is closed on the worker after the jobs already queued there, then the
    // worker's thread ends; a running scan stops at its next read.
    PostToWorker([w = worker_] {
        w->Close();
        QThread::currentThread()->quit();
    });
    thread_->wait();
    delete worker_;
    worker_ = nullptr;
    thread_.reset();
    started_ = false;
    SaneSession::Release();
}

void SaneScanner::AddSources(const QList<SaneSource>& found) {
    QList<SaneSource> added;
    for (const SaneSource& s : found) {
        const bool known = std::any_of(sources_.cbegin(), sources_.cend(),
                                       [&](const SaneSource& k) { return k.device == s.device; });
        if (!known)
            added.append(s);
    }
    // Two devices of one model would read alike: their device names tell them apart.
    auto nameTaken = [&](const SaneSource& s, int self) {
        for (const SaneSource& k : std::as_const(sources_))
            if (k.name == s.name)
                return true;
        for (int i = 0; i < added.size(); ++i)
            if (i != self && added.at(i).name == s.name)
                return true;
        return false;
    };
    QList<SaneSource> named = added;
    for (int i = 0; i < added.size(); ++i)
        if (nameTaken(added.at(i), i))
            named[i].name = QStringLiteral("%1 (%2)").arg(added.at(i).name,
                                                          QString::fromUtf8(added.at(i).device));
    sources_.append(named);
}

void SaneScanner::OnLateSources(const QList<SaneSource>& found) {
    if (!started_)
        return;
    const int before = SourceCount();
    AddSources(found);
    if (SourceCount() != before) {
        OpenSelected();
        emit SourcesChanged();
    }
}

QString SaneScanner::SourceName(int index) const {
    return index >= 0 && index < sources_.size() ? sources_.at(index).name : QString();
}

QByteArray SaneScanner::DeviceName(int index) const {
    return index >= 0 && index < sources_.size() ? sources_.at(index).device : QByteArray();
}

void SaneScanner::SetSourceIndex(int index) {
    if (index == sourceIndex_)
        return;
    sourceIndex_ = index;
    OpenSelected();
}

void SaneScanner::PostToWorker(std::function<void()> job) {
    if (worker_)
        QMetaObject::invokeMethod(worker_, std::move(job), Qt::QueuedConnection);
}

// Opens the selected source on the worker when the station has asked for it open, so
// that its feeder and sensors are known before the station asks about them.
void SaneScanner::OpenSelected() {
    const QByteArray device = DeviceName(sourceIndex_);
    if (!started_ || !openWanted_ || device.isEmpty())
        return;
    PostToWorker([w = worker_, device] { w->Open(device); });
}

int SaneScanner::OpenSource() {
    openWanted_ = true;
    OpenSelected();
    return started_ && !DeviceName(sourceIndex_).isEmpty() ? 1 : 0;
}

int SaneScanner::CloseSource() {
    openWanted_ = false;
    PostToWorker([w = worker_] { w->Close(); });
    return 1;
}

bool SaneScanner::CapabilitiesKnown() const {
    return capabilities_.contains(DeviceName(sourceIndex_));
}

void SaneScanner::OnOpened(const QByteArray& device, bool ok, const SaneCapabilities& caps) {
    if (ok)
        capabilities_.insert(device, caps);
    if (ok && device == DeviceName(sourceIndex_))
        emit SourceOpened();
}

int SaneScanner::DocumentFeedAvailable() {
    const auto it = capabilities_.constFind(DeviceName(sourceIndex_));
    return it != capabilities_.cend() && it->feeder ? 1 : 0;
}

int SaneScanner::DocumentLoaded() {
    const QByteArray device = DeviceName(sourceIndex_);
    const auto it = capabilities_.constFind(device);
    if (it == capabilities_.cend() || it->sensorOption.isEmpty())
        return 1; // no sensor to ask: the operator is trusted to have loaded the paper
    // The sensor is read on the worker; this answers with the last reading (not loaded
    // until a first one has arrived), and the next question gets a fresh one.
    if (!sensorRequestPending_ && !acquiring_) {
        sensorRequestPending_ = true;
        PostToWorker([w = worker_, device] { w->ReadSensor(device); });
    }
    return sensorValue_.value(device, 0);
}

void SaneScanner::OnSensor(const QByteArray& device, int loaded) {
    sensorRequestPending_ = false;
    sensorValue_.insert(device, loaded);
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

int SaneScanner::Acquire() {
    if (acquiring_) {
        SetError(kAlreadyRunning, QStringLiteral("The scanner is already scanning."));
        return 0;
    }
    ClearError();
    acquiring_ = true;
    const QByteArray device = DeviceName(sourceIndex_);
    if (!started_ || device.isEmpty()) {
        Enqueue({true, EncodedPage(), kNoDevice,
                 QStringLiteral("No scanner is available. Choose a scanner under Tools, "
                                "Configuration.")});
        return 1;
    }
    AcquireRequest r;
    r.device = device;
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
    cancel_->store(false);
    PostToWorker([w = worker_, r] { w->Run(r); });
    return 1;
}

void SaneScanner::OnPage(quint64 generation, const EncodedPage& page) {
    if (generation != generation_)
        return;
    Enqueue({false, page, 0, QString()});
}

void SaneScanner::OnFinished(quint64 generation, int code, const QString& text) {
    if (generation != generation_)
        return;
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
            SetError(d.code, d.text);
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
