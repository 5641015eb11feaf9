#pragma once

// A worker thread that owns one SANE device handle and runs the jobs posted to it in
// order. Private to the scanner layer.
//
// Every SANE call is made through Timed(), which records the call and its deadline; the
// facade's watchdog asks Overdue() and abandons a worker whose call has run past its
// limit. An abandoned worker is never waited for: it owns its own state (the facade and
// the thread each hold a share of it), posts nothing more, and when its call returns at
// last it closes its device and ends.

#include "scanner/SaneImage.h"
#include "scanner/SaneOptions.h"

#include <QByteArray>
#include <QObject>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

namespace quiller::sane {

class Worker : public std::enable_shared_from_this<Worker> {
public:
    using Job = std::function<void(Worker&)>;
    // Starts the thread; null when SANE cannot be initialised. Results go to target
    // (an object of the GUI thread) for as long as the worker is attached to it.
    static std::shared_ptr<Worker> Start(QObject* target);
    ~Worker();

    void Post(Job job);
    // Runs the jobs already posted, closes the device and ends. Does not wait.
    void Stop();
    // Drops the jobs not started, cancels a scan at its next read, posts nothing more,
    // closes the device and ends. Does not wait.
    void Detach();
    // Detaches from the target and gives up the device gate; the thread ends when the
    // call it is in returns. Does not wait.
    void Abandon();
    // The SANE call that has run past its limit ("sane_start"); empty when none.
    QByteArray Overdue() const;

    // For jobs, on the worker thread.
    bool Cancelled() const { return cancelled_; }
    void Deliver(std::function<void()> onTargetThread);
    bool EnsureOpen(const QByteArray& device, SANE_Status* status);
    void Close();
    SANE_Handle Handle() const { return handle_; }
    QByteArray Device() const { return device_; }
    // Scans one page (one frame, or three single-colour frames) into frames.
    SANE_Status ReadPage(QList<SaneFrame>& frames);
    template <typename F> auto Timed(const char* call, int limitMs, F f) {
        Begin(call, limitMs);
        auto result = f();
        End();
        return result;
    }

private:
    Worker() = default;
    void Loop();
    void Begin(const char* call, int limitMs);
    void End();

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Job> jobs_;
    bool stopping_ = false;
    std::atomic<bool> cancelled_{false};
    QObject* target_ = nullptr;
    const char* call_ = nullptr;
    std::chrono::steady_clock::time_point deadline_;

    SANE_Handle handle_ = nullptr; // worker thread only
    QByteArray device_;
};

// The time limits of the calls, in milliseconds.
int LimitMs(const char* call);

} // namespace quiller::sane
