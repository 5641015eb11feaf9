#include "scanner/SaneDeviceList.h"

#include "base/Log.h"
#include "scanner/SaneSession.h"
#include "scanner/SaneWorker.h"

#include <algorithm>
#include <chrono>
#include <mutex>

namespace quiller::sane {

namespace {
// Never destroyed: a listing left behind may end after main() has returned.
std::mutex& LastMutex() {
    static auto* m = new std::mutex;
    return *m;
}
QList<SaneSource>& Last() {
    static auto* last = new QList<SaneSource>;
    return *last;
}
// Held for the whole of a listing, by its own thread, and never taken back. SANE frees
// the list of one listing when the next begins, and a listing left behind in a backend
// that never answered may come back at any time and read its list: so a second listing
// never runs beside one that is still in SANE, abandoned or not.
std::timed_mutex& ListingMutex() {
    static auto* m = new std::timed_mutex;
    return *m;
}
} // namespace

std::optional<QList<SaneSource>> ListDevices(Worker& worker) {
    QList<SaneSource> found;
    const int limit = LimitMs("sane_get_devices");
    const SANE_Device** list = nullptr;
    // The list belongs to SANE until the next listing: it is copied while this listing
    // still holds the listing lock.
    const bool answered = worker.Timed("sane_get_devices", limit, [&] {
        std::unique_lock listing(ListingMutex(), std::defer_lock);
        if (!listing.try_lock_for(std::chrono::milliseconds(limit)) || worker.Cancelled())
            return false;
        if (!EnterGate(&worker, limit))
            return false;
        if (sane_get_devices(&list, SANE_FALSE) == SANE_STATUS_GOOD && list) {
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
        }
        LeaveGate(&worker);
        return true;
    });
    for (const SaneSource& s : found)
        qCInfo(lcScanner).noquote() << "scanner found:" << s.name << "(" << s.device << ")";
    if (!answered)
        return std::nullopt;
    if (found.isEmpty())
        qCInfo(lcScanner) << "no scanner found";
    return found;
}

void MergeSources(QList<SaneSource>& known, const QList<SaneSource>& found) {
    QList<SaneSource> added;
    for (const SaneSource& s : found) {
        const auto same = [&](const SaneSource& k) {
            return k.device == s.device;
        };
        if (std::none_of(known.cbegin(), known.cend(), same) &&
            std::none_of(added.cbegin(), added.cend(), same))
            added.append(s);
    }
    const auto taken = [&](const QString& name, int self) {
        for (const SaneSource& k : std::as_const(known))
            if (k.name == name)
                return true;
        for (int i = 0; i < added.size(); ++i)
            if (i != self && added.at(i).name == name)
                return true;
        return false;
    };
    QList<SaneSource> named = added;
    for (int i = 0; i < added.size(); ++i)
        if (taken(added.at(i).name, i))
            named[i].name = QStringLiteral("%1 (%2)").arg(added.at(i).name,
                                                          QString::fromUtf8(added.at(i).device));
    known.append(named);
}

void RememberListing(const QList<SaneSource>& found) {
    std::lock_guard lock(LastMutex());
    Last() = found;
}

QList<SaneSource> LastListing() {
    std::lock_guard lock(LastMutex());
    return Last();
}

} // namespace quiller::sane
