#include "scanner/SaneSession.h"

#include <QCoreApplication>
#include <QHash>
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace quiller::sane {

namespace {

// Never destroyed: a worker left behind in a call may outlive main().
struct Shared {
    std::mutex refMutex;
    int count = 0;
    std::mutex gateMutex;
    std::condition_variable gateFree;
    const void* holder = nullptr;
    std::mutex openMutex;
    std::condition_variable closed;
    QHash<QByteArray, int> open; // device -> handles open on it
};

Shared& State() {
    static auto* s = new Shared;
    return *s;
}

} // namespace

bool AddRef() {
    Shared& s = State();
    std::lock_guard lock(s.refMutex);
    if (s.count == 0) {
        SANE_Int version = 0;
        if (sane_init(&version, nullptr) != SANE_STATUS_GOOD)
            return false;
    }
    ++s.count;
    return true;
}

void Release() {
    Shared& s = State();
    std::lock_guard lock(s.refMutex);
    if (s.count > 0 && --s.count == 0)
        sane_exit();
}

bool EnterGate(const void* holder, int timeoutMs) {
    Shared& s = State();
    std::unique_lock lock(s.gateMutex);
    if (!s.gateFree.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                             [&] { return s.holder == nullptr; }))
        return false;
    s.holder = holder;
    return true;
}

void LeaveGate(const void* holder) {
    Shared& s = State();
    {
        std::lock_guard lock(s.gateMutex);
        if (s.holder != holder)
            return;
        s.holder = nullptr;
    }
    s.gateFree.notify_all();
}

void NoteOpened(const QByteArray& device) {
    Shared& s = State();
    std::lock_guard lock(s.openMutex);
    ++s.open[device];
}

void NoteClosed(const QByteArray& device) {
    Shared& s = State();
    {
        std::lock_guard lock(s.openMutex);
        if (--s.open[device] <= 0)
            s.open.remove(device);
    }
    s.closed.notify_all();
}

bool WaitUntilClosed(const QByteArray& device, int timeoutMs) {
    Shared& s = State();
    std::unique_lock lock(s.openMutex);
    return s.closed.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                             [&] { return !s.open.contains(device); });
}

QString StatusText(int status) {
    switch (status) {
    case SANE_STATUS_JAMMED:
        return QCoreApplication::translate(
            "SaneSession", "The document feeder is jammed. Clear the jam and scan again.");
    case SANE_STATUS_NO_DOCS:
        return QCoreApplication::translate(
            "SaneSession",
            "There is no document in the scanner. Put the prescription on the scanner and "
            "scan again.");
    case SANE_STATUS_COVER_OPEN:
        return QCoreApplication::translate("SaneSession",
                                           "The scanner cover is open. Close it and scan again.");
    case SANE_STATUS_IO_ERROR:
        return QCoreApplication::translate(
            "SaneSession",
            "The scanner could not be reached. Check that it is switched on and connected, "
            "then scan again.");
    case SANE_STATUS_DEVICE_BUSY:
        return QCoreApplication::translate("SaneSession",
                                           "The scanner is busy. Wait a moment and scan again.");
    case SANE_STATUS_NO_MEM:
        return QCoreApplication::translate(
            "SaneSession",
            "The scanner ran out of memory. Scan again; if it happens again, switch the "
            "scanner off and on.");
    case SANE_STATUS_INVAL:
        return QCoreApplication::translate(
            "SaneSession", "The scanner did not accept the scan. Check that it is switched "
                           "on and connected, and the scanner under Tools, Configuration.");
    case SANE_STATUS_ACCESS_DENIED:
        return QCoreApplication::translate("SaneSession",
                                           "The station is not allowed to use the scanner.");
    case SANE_STATUS_UNSUPPORTED:
        return QCoreApplication::translate("SaneSession",
                                           "The scanner does not support this kind of scan.");
    case SANE_STATUS_CANCELLED:
        return QCoreApplication::translate("SaneSession", "The scan was cancelled.");
    case 12: // SANE_STATUS_WARMING_UP
        return QCoreApplication::translate(
            "SaneSession", "The scanner is warming up. Wait a moment and scan again.");
    case 13: // SANE_STATUS_HW_LOCKED
        return QCoreApplication::translate(
            "SaneSession", "The scanner is locked for transport. Unlock it and scan again.");
    default:
        return QCoreApplication::translate("SaneSession", "The scanner reported an error: %1.")
            .arg(QString::fromUtf8(sane_strstatus(SANE_Status(status))));
    }
}

} // namespace quiller::sane
