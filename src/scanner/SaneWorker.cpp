#include "scanner/SaneWorker.h"

#include "scanner/SaneSession.h"

#include <cstring>
#include <thread>
#include <vector>

namespace quiller::sane {

namespace {
std::mutex limitsMutex;
SaneTimeLimits limits;
} // namespace

int LimitMs(const char* call) {
    std::lock_guard lock(limitsMutex);
    if (std::strcmp(call, "sane_get_devices") == 0)
        return limits.listMs;
    if (std::strcmp(call, "sane_open") == 0)
        return limits.openMs;
    if (std::strcmp(call, "sane_start") == 0)
        return limits.startMs;
    if (std::strcmp(call, "sane_close") == 0)
        return limits.closeMs;
    return limits.readMs; // sane_read and the option calls
}

} // namespace quiller::sane

namespace quiller {

void SaneScanner::SetTimeLimits(const SaneTimeLimits& l) {
    std::lock_guard lock(sane::limitsMutex);
    sane::limits = l;
}

SaneTimeLimits SaneScanner::TimeLimits() {
    std::lock_guard lock(sane::limitsMutex);
    return sane::limits;
}

} // namespace quiller

namespace quiller::sane {

std::shared_ptr<Worker> Worker::Start(QObject* target) {
    if (!AddRef())
        return nullptr;
    std::shared_ptr<Worker> w(new Worker);
    w->target_ = target;
    // The thread holds a share of the worker: an abandoned worker lives on until its
    // call returns, whoever else has let go of it.
    std::thread([w] {
        w->Loop();
        Release();
    }).detach();
    return w;
}

Worker::~Worker() = default;

void Worker::Post(Job job) {
    {
        std::lock_guard lock(mutex_);
        if (stopping_)
            return;
        jobs_.push_back(std::move(job));
    }
    wake_.notify_one();
}

void Worker::Stop() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
}

void Worker::Detach() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        target_ = nullptr;
        jobs_.clear();
    }
    cancelled_ = true;
    wake_.notify_one();
}

void Worker::Abandon() {
    Detach();
    LeaveGate(this);
}

QByteArray Worker::Overdue() const {
    std::lock_guard lock(mutex_);
    if (call_ && std::chrono::steady_clock::now() > deadline_)
        return QByteArray(call_);
    return {};
}

void Worker::Begin(const char* call, int limitMs) {
    std::lock_guard lock(mutex_);
    call_ = call;
    deadline_ = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
}

void Worker::End() {
    std::lock_guard lock(mutex_);
    call_ = nullptr;
}

void Worker::Deliver(std::function<void()> onTargetThread) {
    std::lock_guard lock(mutex_);
    if (target_)
        QMetaObject::invokeMethod(target_, std::move(onTargetThread), Qt::QueuedConnection);
}

void Worker::Loop() {
    for (;;) {
        Job job;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [&] { return stopping_ || !jobs_.empty(); });
            if (jobs_.empty())
                break;
            job = std::move(jobs_.front());
            jobs_.pop_front();
        }
        job(*this);
    }
    Close();
}

bool Worker::EnsureOpen(const QByteArray& device, SANE_Status* status) {
    if (handle_ && device_ == device)
        return true;
    Close();
    const int limit = LimitMs("sane_open");
    SANE_Handle h = nullptr;
    *status = Timed("sane_open", limit, [&] {
        const auto opened = [&] {
            if (!EnterGate(this, limit / 2))
                return SANE_STATUS_DEVICE_BUSY;
            const SANE_Status s = sane_open(device.constData(), &h);
            LeaveGate(this);
            return s;
        };
        const SANE_Status s = opened();
        // Busy because a worker of this process, stopped a moment ago, is still closing
        // the device: once it has, the device is free. Busy for another program stays busy.
        if (s != SANE_STATUS_DEVICE_BUSY || !WaitUntilClosed(device, limit / 4))
            return s;
        return opened();
    });
    if (*status != SANE_STATUS_GOOD || !h)
        return false;
    NoteOpened(device);
    handle_ = h;
    device_ = device;
    return true;
}

void Worker::Close() {
    if (!handle_)
        return;
    const int limit = LimitMs("sane_close");
    Timed("sane_close", limit, [&] {
        sane_cancel(handle_);
        const bool gated = EnterGate(this, limit);
        sane_close(handle_);
        if (gated)
            LeaveGate(this);
        return 0;
    });
    NoteClosed(device_);
    handle_ = nullptr;
    device_.clear();
}

SANE_Status Worker::ReadPage(QList<SaneFrame>& frames) {
    std::vector<char> chunk(256 * 1024);
    for (;;) {
        SANE_Status status =
            Timed("sane_start", LimitMs("sane_start"), [&] { return sane_start(handle_); });
        if (status != SANE_STATUS_GOOD)
            return status;
        SaneFrame frame;
        status = Timed("sane_read", LimitMs("sane_read"),
                       [&] { return sane_get_parameters(handle_, &frame.parameters); });
        if (status != SANE_STATUS_GOOD)
            return status;
        const SANE_Parameters& p = frame.parameters;
        if (p.lines > 0 && p.bytes_per_line > 0)
            frame.data.reserve(qsizetype(p.lines) * p.bytes_per_line);
        const int readLimit = LimitMs("sane_read");
        for (;;) {
            if (cancelled_)
                return SANE_STATUS_CANCELLED;
            SANE_Int length = 0;
            status = Timed("sane_read", readLimit, [&] {
                return sane_read(handle_, reinterpret_cast<SANE_Byte*>(chunk.data()),
                                 SANE_Int(chunk.size()), &length);
            });
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

} // namespace quiller::sane
