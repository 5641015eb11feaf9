// quillerfake: a SANE backend for the tests. SANE's dll backend loads it like any
// scanner driver; its devices are described in an INI-like file (see README.md) and
// behave like real scanners: their source and mode strings, a paper sensor, double-feed
// options, pages served from a folder of PGM images, and faults at chosen pages
// (jams, double feeds, unplugging, calls that never return). Plain C++17 without Qt: it is loaded
// into the station's process.
#include "fakebackend.h"

#include <sane/saneopts.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#define FAKE_API extern "C" __attribute__((visibility("default")))

namespace quillerfake {
namespace {

std::mutex gMutex;
Config gConfig;
std::vector<const SANE_Device*> gDeviceList;

void sleepMs(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// A call that never returns: waits with the lock released until the release file appears
// (forever without one).
void hangUntilReleased(std::unique_lock<std::mutex>& lock) {
    const std::string releaseFile = gConfig.releaseFile;
    lock.unlock();
    while (!exists(releaseFile))
        sleepMs(20);
    lock.lock();
}

const char* statusName(SANE_Status s) {
    static const char* const names[] = {"GOOD",       "UNSUPPORTED", "CANCELLED", "DEVICE_BUSY",
                                        "INVAL",      "EOF",         "JAMMED",    "NO_DOCS",
                                        "COVER_OPEN", "IO_ERROR",    "NO_MEM",    "ACCESS_DENIED"};
    return unsigned(s) < sizeof names / sizeof *names ? names[s] : "OTHER";
}

// Appends one line to the scan log, opened per line so a test can read it at any time.
void logLine(const std::string& line) {
    if (gConfig.logFile.empty())
        return;
    if (FILE* f = std::fopen(gConfig.logFile.c_str(), "a")) {
        std::fprintf(f, "%s\n", line.c_str());
        std::fclose(f);
    }
}

// Reads the configuration again when its text changed and no device is open, so one
// process can run several differently configured cases; device state survives otherwise.
void reloadConfig() {
    std::string path = configPath();
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    if (path == gConfig.path && text.str() == gConfig.text)
        return;
    for (auto& d : gConfig.devices)
        if (d->isOpen)
            return;
    gConfig = parseConfig(path, text.str());
}

Device* findDevice(const std::string& name) {
    for (auto& d : gConfig.devices)
        if (name.empty() || d->name == name)
            return d.get();
    return nullptr;
}

bool unplugged(const Device& d) {
    return exists(d.unplugFile);
}

bool paperLoaded(const Device& d) {
    if (!d.paperFile.empty())
        return exists(d.paperFile);
    return d.feederPos < imageFiles(d.pagesDir).size();
}

SANE_Word constrainWord(const SANE_Option_Descriptor& o, SANE_Word v) {
    if (o.constraint_type == SANE_CONSTRAINT_RANGE) {
        const SANE_Range& r = *o.constraint.range;
        v = std::clamp(v, r.min, r.max);
        if (r.quant > 0)
            v = r.min + (v - r.min + r.quant / 2) / r.quant * r.quant;
        return std::min(v, r.max);
    }
    if (o.constraint_type == SANE_CONSTRAINT_WORD_LIST) {
        SANE_Word best = o.constraint.word_list[1];
        for (SANE_Int i = 1; i <= o.constraint.word_list[0]; ++i)
            if (std::abs(o.constraint.word_list[i] - v) < std::abs(best - v))
                best = o.constraint.word_list[i];
        return best;
    }
    return v;
}

// Fires a fault: a hang waits for the release file and lets the call go on (GOOD);
// the others answer with the status real backends use. Called with the lock held.
SANE_Status fire(Handle& h, Fault& f, const std::string& where,
                 std::unique_lock<std::mutex>& lock) {
    f.fired = true;
    logLine("fault " + h.dev->name + " page=" + std::to_string(f.page) + " " + f.kind + "@" +
            where);
    if (f.kind == "gone" && !h.dev->unplugFile.empty())
        if (FILE* marker = std::fopen(h.dev->unplugFile.c_str(), "w"))
            std::fclose(marker);
    if (f.kind == "hang")
        hangUntilReleased(lock);
    if (f.kind == "hang" || (f.kind == "double-feed" && h.dfAction == "Continue"))
        return SANE_STATUS_GOOD;
    return f.kind == "gone" ? SANE_STATUS_IO_ERROR : SANE_STATUS_JAMMED;
}

Fault* faultAt(Device& d, int page) {
    for (Fault& f : d.faults)
        if (!f.fired && f.page == page)
            return &f;
    return nullptr;
}

SANE_Status startPage(Handle& h) {
    Device& d = *h.dev;
    std::unique_lock<std::mutex> lock(gMutex);
    h.scanning = false;
    h.readFault = nullptr;
    h.cancelled = false;
    if (unplugged(d))
        return SANE_STATUS_IO_ERROR;
    const int page = d.served + 1;
    Fault* fault = faultAt(d, page);
    if (fault && !fault->atRead)
        if (SANE_Status s = fire(h, *fault, "start", lock); s != SANE_STATUS_GOOD)
            return s;
    h.fromFeeder = !contains(h.source, "flat");
    const Strings files = imageFiles(d.pagesDir);
    if (h.fromFeeder && d.feederPos >= files.size())
        return SANE_STATUS_NO_DOCS;
    const std::string file = h.fromFeeder                        ? files[d.feederPos]
                             : !d.glass.empty() || files.empty() ? d.glass
                                                                 : files[0];
    Image img;
    if (!loadImage(file, img)) {
        std::fprintf(stderr, "quillerfake: cannot read page image \"%s\"\n", file.c_str());
        return SANE_STATUS_IO_ERROR;
    }
    h.params = computeParams(h);
    if (h.params.lines <= 0 || h.params.pixels_per_line <= 0)
        return SANE_STATUS_INVAL;
    render(h, img);
    h.pos = 0;
    h.scanning = true;
    h.readFault = fault && fault->atRead ? fault : nullptr;
    d.served++;
    if (h.fromFeeder)
        d.feederPos++;
    logLine("page " + d.name + " page=" + std::to_string(page) +
            " file=" + file.substr(file.find_last_of('/') + 1));
    return SANE_STATUS_GOOD;
}

} // namespace
} // namespace quillerfake

using namespace quillerfake;

FAKE_API SANE_Status sane_quillerfake_init(SANE_Int* version_code, SANE_Auth_Callback) {
    if (version_code)
        *version_code = SANE_VERSION_CODE(SANE_CURRENT_MAJOR, 0, 1);
    std::lock_guard<std::mutex> lock(gMutex);
    reloadConfig();
    return SANE_STATUS_GOOD;
}

FAKE_API void sane_quillerfake_exit(void) {
    std::lock_guard<std::mutex> lock(gMutex);
    gConfig = Config();
    gDeviceList = std::vector<const SANE_Device*>(); // frees its buffer
}

FAKE_API SANE_Status sane_quillerfake_get_devices(const SANE_Device*** list, SANE_Bool) {
    std::unique_lock<std::mutex> lock(gMutex);
    reloadConfig(); // a listing hangs or waits as the file says when it is asked for
    logLine("list");
    if (gConfig.hangList)
        hangUntilReleased(lock);
    const int delay = gConfig.listDelayMs;
    lock.unlock();
    sleepMs(delay);
    lock.lock();
    gDeviceList.clear();
    for (auto& d : gConfig.devices)
        if (!unplugged(*d))
            gDeviceList.push_back(&d->sane);
    gDeviceList.push_back(nullptr);
    *list = gDeviceList.data();
    return SANE_STATUS_GOOD;
}

FAKE_API SANE_Status sane_quillerfake_open(SANE_String_Const name, SANE_Handle* handle) {
    std::unique_lock<std::mutex> lock(gMutex);
    reloadConfig();
    Device* d = findDevice(name ? name : "");
    logLine(std::string("open ") + (name ? name : ""));
    if (!d || unplugged(*d))
        return SANE_STATUS_INVAL;
    if (d->hangOpen)
        hangUntilReleased(lock);
    if (d->isOpen)
        return SANE_STATUS_DEVICE_BUSY;
    if (d->countPerSession) {
        d->served = 0;
        d->feederPos = 0;
        for (Fault& f : d->faults)
            f.fired = false;
    }
    auto h = new Handle;
    h->dev = d;
    buildOptions(*h);
    d->isOpen = true;
    *handle = h;
    return SANE_STATUS_GOOD;
}

FAKE_API void sane_quillerfake_close(SANE_Handle handle) {
    std::lock_guard<std::mutex> lock(gMutex);
    Handle* h = static_cast<Handle*>(handle);
    logLine("close " + h->dev->name);
    h->dev->isOpen = false;
    delete h;
}

FAKE_API const SANE_Option_Descriptor* sane_quillerfake_get_option_descriptor(SANE_Handle handle,
                                                                              SANE_Int n) {
    Handle* h = static_cast<Handle*>(handle);
    return n >= 0 && size_t(n) < h->options.size() ? &h->options[size_t(n)].d : nullptr;
}

FAKE_API SANE_Status sane_quillerfake_control_option(SANE_Handle handle, SANE_Int n,
                                                     SANE_Action action, void* value,
                                                     SANE_Int* info) {
    std::lock_guard<std::mutex> lock(gMutex);
    Handle& h = *static_cast<Handle*>(handle);
    if (info)
        *info = 0;
    if (n < 0 || size_t(n) >= h.options.size() || !value)
        return SANE_STATUS_INVAL;
    if (unplugged(*h.dev))
        return SANE_STATUS_IO_ERROR;
    const Option& o = h.options[size_t(n)];
    SANE_Word* word = static_cast<SANE_Word*>(value);
    char* text = static_cast<char*>(value);
    if (action == SANE_ACTION_GET_VALUE) {
        if (o.word == &h.paper)
            h.paper = paperLoaded(*h.dev) ? SANE_TRUE : SANE_FALSE;
        if (o.text)
            std::snprintf(text, size_t(o.d.size), "%s", o.text->c_str());
        else
            *word = *o.word;
        return SANE_STATUS_GOOD;
    }
    if (action != SANE_ACTION_SET_VALUE || !(o.d.cap & SANE_CAP_SOFT_SELECT))
        return SANE_STATUS_INVAL;
    if (h.scanning)
        return SANE_STATUS_DEVICE_BUSY;
    bool exact = true;
    if (o.text) {
        const char* match = matchString(o.d.constraint.string_list, text);
        if (!match)
            return SANE_STATUS_INVAL;
        exact = std::strcmp(match, text) == 0;
        *o.text = match;
    } else {
        const SANE_Word v = constrainWord(o.d, *word);
        exact = v == *word;
        *o.word = v;
    }
    if (info)
        *info = (exact ? 0 : SANE_INFO_INEXACT) | SANE_INFO_RELOAD_PARAMS;
    return SANE_STATUS_GOOD;
}

FAKE_API SANE_Status sane_quillerfake_get_parameters(SANE_Handle handle, SANE_Parameters* params) {
    std::lock_guard<std::mutex> lock(gMutex);
    Handle& h = *static_cast<Handle*>(handle);
    *params = h.scanning ? h.params : computeParams(h);
    return SANE_STATUS_GOOD;
}

FAKE_API SANE_Status sane_quillerfake_start(SANE_Handle handle) {
    Handle& h = *static_cast<Handle*>(handle);
    SANE_Status s = startPage(h);
    std::lock_guard<std::mutex> lock(gMutex);
    logLine("start " + h.dev->name + " source=" + h.source + " status=" + statusName(s));
    return s;
}

FAKE_API SANE_Status sane_quillerfake_read(SANE_Handle handle, SANE_Byte* buf, SANE_Int max_len,
                                           SANE_Int* len) {
    Handle& h = *static_cast<Handle*>(handle);
    *len = 0;
    if (!h.scanning && !h.cancelled)
        return h.data.empty() ? SANE_STATUS_INVAL : SANE_STATUS_EOF;
    for (int waited = 0; waited < h.dev->readDelayMs && !h.cancelled; waited += 20)
        sleepMs(std::min(20, h.dev->readDelayMs - waited));
    if (h.cancelled || unplugged(*h.dev)) {
        h.scanning = false;
        return h.cancelled ? SANE_STATUS_CANCELLED : SANE_STATUS_IO_ERROR;
    }
    if (h.readFault && h.pos >= h.data.size() / 2) {
        Fault& f = *h.readFault;
        h.readFault = nullptr;
        std::unique_lock<std::mutex> lock(gMutex);
        if (SANE_Status s = fire(h, f, "read", lock); s != SANE_STATUS_GOOD) {
            // The page stays in the feeder: the next start serves it again.
            h.dev->served--;
            if (h.fromFeeder)
                h.dev->feederPos--;
            h.scanning = false;
            logLine("read " + h.dev->name + " status=" + statusName(s));
            return s;
        }
    }
    if (h.pos >= h.data.size()) {
        h.scanning = false;
        return SANE_STATUS_EOF;
    }
    size_t n = std::min(h.data.size() - h.pos, size_t(std::max(0, max_len)));
    // With a fault pending mid-page, stop the chunk at the middle so it fires there.
    if (h.readFault && h.pos < h.data.size() / 2)
        n = std::min(n, h.data.size() / 2 - h.pos);
    std::memcpy(buf, h.data.data() + h.pos, n);
    h.pos += n;
    *len = SANE_Int(n);
    return SANE_STATUS_GOOD;
}

FAKE_API void sane_quillerfake_cancel(SANE_Handle handle) {
    static_cast<Handle*>(handle)->cancelled = true;
}

FAKE_API SANE_Status sane_quillerfake_set_io_mode(SANE_Handle, SANE_Bool non_blocking) {
    return non_blocking ? SANE_STATUS_UNSUPPORTED : SANE_STATUS_GOOD;
}

FAKE_API SANE_Status sane_quillerfake_get_select_fd(SANE_Handle, SANE_Int*) {
    return SANE_STATUS_UNSUPPORTED;
}
