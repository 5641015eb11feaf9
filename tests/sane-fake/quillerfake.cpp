// quillerfake: a SANE backend for the tests. SANE's dll backend loads it like any
// scanner driver; its devices are described in an INI-like file (see README.md) and
// behave like real scanners: their source and mode strings, a paper sensor, double-feed
// options, pages served from a folder of PGM images, and faults at chosen pages
// (jams, double feeds, unplugging, calls that never return). Plain C++17 without Qt: it is loaded
// into the station's process.
#include <sane/sane.h>
#include <sane/saneopts.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <memory>
#include <mutex>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <tuple>
#include <vector>

#define FAKE_API extern "C" __attribute__((visibility("default")))

namespace {

using Strings = std::vector<std::string>;

struct Fault {
    int page = 0;
    std::string kind; // jam, double-feed, gone, hang
    bool atRead = false;
    bool fired = false;
};

struct Device {
    std::string name, vendor = "Quiller", model = "Fake scanner", type = "flatbed scanner";
    Strings sources{"Flatbed"}, modes{"Gray", "Color"}, lineartModes;
    std::string defaultSource, defaultMode;
    std::vector<SANE_Word> resolutions{75, 150, 300};
    bool resolutionRange = false, resolutionFixed = false;
    SANE_Range resRange{75, 600, 1};
    int defaultResolution = 150;
    double imageDpi = 150;
    SANE_Range xRange{0, SANE_FIX(215.9), 0}, yRange{0, SANE_FIX(355.6), 0};
    std::string sensor, paperFile;
    bool doubleFeedOptions = false;
    std::string pagesDir, glass, unplugFile;
    int readDelayMs = 0;
    bool hangOpen = false, countPerSession = false;
    std::vector<Fault> faults;
    // State: which feeder image comes next and how many pages were served.
    size_t feederPos = 0;
    int served = 0;
    bool isOpen = false;
    SANE_Device sane{};
};

struct Config {
    std::string path, text, logFile, releaseFile;
    int listDelayMs = 0;
    bool hangList = false;
    std::vector<std::unique_ptr<Device>> devices;
};

struct Image {
    int width = 0, height = 0;
    std::vector<unsigned char> pixels;
};

const char* const kDfActions[] = {"Default", "Continue", "Stop", nullptr};

// One option of a handle: its descriptor and the value behind it, a string (mode, source,
// df-action) or a word (the others).
struct Option {
    SANE_Option_Descriptor d;
    std::string* text;
    SANE_Word* word;
};

struct Handle {
    Device* dev = nullptr;
    std::vector<Option> options;
    std::vector<const char*> sourceList, modeList;
    std::vector<SANE_Word> resList;
    std::string source, mode, dfAction = "Default";
    SANE_Word count = 0, paper = 0, resolution = 0, tlX = 0, tlY = 0, brX = 0, brY = 0;
    // The page being transferred.
    bool scanning = false, fromFeeder = false;
    SANE_Parameters params{};
    std::vector<unsigned char> data;
    size_t pos = 0;
    Fault* readFault = nullptr;
    std::atomic<bool> cancelled{false};
};

std::mutex gMutex;
Config gConfig;
std::vector<const SANE_Device*> gDeviceList;

bool exists(const std::string& path) {
    struct stat st;
    return !path.empty() && stat(path.c_str(), &st) == 0;
}

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

std::string trim(const std::string& s) {
    size_t b = s.find_first_not_of(" \t\r"), e = s.find_last_not_of(" \t\r");
    return b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
}

std::string lower(std::string s) {
    for (char& c : s)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

bool contains(const std::string& s, const char* part) {
    return lower(s).find(part) != std::string::npos;
}

bool listed(const Strings& list, const std::string& s) {
    return std::find(list.begin(), list.end(), s) != list.end();
}

Strings split(const std::string& s, char sep) {
    Strings out;
    std::stringstream in(s);
    std::string item;
    while (std::getline(in, item, sep))
        if (!trim(item).empty())
            out.push_back(trim(item));
    return out;
}

// ${NAME} is replaced by the environment variable NAME (empty when unset).
std::string expandEnv(const std::string& v) {
    std::string out;
    for (size_t i = 0; i < v.size(); ++i) {
        size_t end;
        if (v.compare(i, 2, "${") == 0 && (end = v.find('}', i)) != std::string::npos) {
            const char* value = std::getenv(v.substr(i + 2, end - i - 2).c_str());
            out += value ? value : "";
            i = end;
        } else {
            out += v[i];
        }
    }
    return out;
}

std::string configPath() {
    if (const char* env = std::getenv("QUILLER_FAKE_SANE_CONFIG"); env && *env)
        return env;
    const char* dirs = std::getenv("SANE_CONFIG_DIR");
    for (const std::string& dir : split(dirs ? dirs : "", ':'))
        if (exists(dir + "/quillerfake.conf"))
            return dir + "/quillerfake.conf";
    return {};
}

bool parseInts(const std::string& v, std::vector<double>& out, size_t count) {
    out.clear();
    for (const std::string& item : split(v, ',')) {
        char* end = nullptr;
        out.push_back(std::strtod(item.c_str(), &end));
        if (*end)
            return false;
    }
    return count == 0 ? !out.empty() : out.size() == count;
}

bool parseFaults(const std::string& v, std::vector<Fault>& faults) {
    static const Strings kinds{"jam", "double-feed", "gone", "hang"};
    for (const std::string& item : split(v, ',')) {
        Fault f;
        const size_t colon = item.find(':'), at = item.find('@', colon);
        if (colon == std::string::npos || (f.page = std::atoi(item.c_str())) < 1)
            return false;
        f.kind = trim(item.substr(colon + 1, at - colon - 1));
        const std::string where = at == std::string::npos ? "start" : item.substr(at + 1);
        f.atRead = where == "read";
        if (!listed(kinds, f.kind) || (!f.atRead && where != "start"))
            return false;
        faults.push_back(f);
    }
    return true;
}

// Sets one key of a device; false for an unknown key or a malformed value.
template <typename T> using Members = std::vector<std::pair<std::string, T Device::*>>;

template <typename T> T* member(Device& d, const Members<T>& table, const std::string& key) {
    for (const auto& [name, m] : table)
        if (name == key)
            return &(d.*m);
    return nullptr;
}

bool setDeviceKey(Device& d, const std::string& key, const std::string& v) {
    static const Members<std::string> texts{{"vendor", &Device::vendor},
                                            {"model", &Device::model},
                                            {"type", &Device::type},
                                            {"default_source", &Device::defaultSource},
                                            {"sensor", &Device::sensor},
                                            {"default_mode", &Device::defaultMode},
                                            {"pages", &Device::pagesDir},
                                            {"glass", &Device::glass},
                                            {"paper_file", &Device::paperFile},
                                            {"unplug_file", &Device::unplugFile}};
    static const Members<Strings> lists{{"sources", &Device::sources},
                                        {"modes", &Device::modes},
                                        {"lineart_modes", &Device::lineartModes}};
    static const Members<int> ints{{"default_resolution", &Device::defaultResolution},
                                   {"read_delay_ms", &Device::readDelayMs}};
    static const Members<bool> flags{{"double_feed", &Device::doubleFeedOptions},
                                     {"hang_open", &Device::hangOpen}};
    std::vector<double> n;
    if (auto* text = member(d, texts, key))
        *text = v;
    else if (auto* list = member(d, lists, key))
        *list = split(v, '|');
    else if (auto* number = member(d, ints, key))
        *number = std::atoi(v.c_str());
    else if (auto* flag = member(d, flags, key))
        *flag = v == "yes";
    else if (key == "image_dpi")
        return (d.imageDpi = std::atof(v.c_str())) > 0;
    else if (key == "resolution_type")
        d.resolutionFixed = v == "fixed";
    else if (key == "counting")
        d.countPerSession = v == "session";
    else if (key == "faults")
        return parseFaults(v, d.faults);
    else if (key == "resolutions" && parseInts(v, n, 0)) {
        d.resolutions.assign(n.begin(), n.end());
        d.resolutionRange = false;
    } else if (key == "resolution_range" && parseInts(v, n, 3)) {
        d.resRange = {SANE_Word(n[0]), SANE_Word(n[1]), SANE_Word(n[2])};
        d.resolutionRange = true;
    } else if ((key == "x_range" || key == "y_range") && parseInts(v, n, 2) && n[0] < n[1]) {
        (key == "x_range" ? d.xRange : d.yRange) = {SANE_FIX(n[0]), SANE_FIX(n[1]), 0};
    } else {
        return false;
    }
    return true;
}

void finishDevice(Device& d) {
    if (d.resolutionFixed)
        d.resRange = {SANE_FIX(d.resRange.min), SANE_FIX(d.resRange.max),
                      SANE_FIX(d.resRange.quant)};
    d.sane = {d.name.c_str(), d.vendor.c_str(), d.model.c_str(), d.type.c_str()};
}

// Parses the file into a fresh configuration; a mistake is reported on stderr and
// leaves no device, so a broken test configuration fails visibly.
Config parseConfig(const std::string& path, const std::string& text) {
    Config c;
    c.path = path;
    c.text = text;
    std::istringstream in(text);
    std::string line;
    Device* dev = nullptr;
    for (int no = 1; std::getline(in, line); ++no) {
        line = trim(line);
        if (line.empty() || line[0] == '#' || line[0] == ';')
            continue;
        bool ok = true;
        if (line[0] == '[' && line.back() == ']') {
            c.devices.push_back(std::make_unique<Device>());
            dev = c.devices.back().get();
            dev->name = trim(line.substr(1, line.size() - 2));
            ok = !dev->name.empty();
        } else if (size_t eq = line.find('='); eq == std::string::npos) {
            ok = false;
        } else {
            const std::string key = trim(line.substr(0, eq)),
                              v = expandEnv(trim(line.substr(eq + 1)));
            if (dev)
                ok = setDeviceKey(*dev, key, v);
            else if (key == "log_file")
                c.logFile = v;
            else if (key == "release_file")
                c.releaseFile = v;
            else if (key == "list_delay_ms")
                c.listDelayMs = std::atoi(v.c_str());
            else if (key == "hang_list")
                c.hangList = v == "yes";
            else
                ok = false;
        }
        if (!ok || (dev && (dev->sources.empty() || dev->modes.empty()))) {
            std::fprintf(stderr, "quillerfake: %s:%d: cannot use \"%s\"\n", path.c_str(), no,
                         line.c_str());
            c.devices.clear();
            return c;
        }
    }
    for (auto& d : c.devices)
        finishDevice(*d);
    return c;
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

Strings imageFiles(const std::string& dir) {
    Strings files;
    if (DIR* d = opendir(dir.c_str())) {
        while (dirent* e = readdir(d)) {
            const std::string n = e->d_name;
            if (n.size() > 4 && lower(n.substr(n.size() - 4)) == ".pgm")
                files.push_back(dir + "/" + n);
        }
        closedir(d);
    }
    std::sort(files.begin(), files.end());
    return files;
}

// Reads a binary PGM (P5) image with 8-bit samples and no comments in its header.
bool loadImage(const std::string& path, Image& img) {
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int maxval = 0;
    if (!(in >> magic >> img.width >> img.height >> maxval) || magic != "P5" || maxval != 255 ||
        img.width <= 0 || img.height <= 0 || img.width > 20000 || img.height > 20000)
        return false;
    in.get();
    img.pixels.resize(size_t(img.width) * img.height);
    return static_cast<bool>(
        in.read(reinterpret_cast<char*>(img.pixels.data()), img.pixels.size()));
}

int colourKind(const Handle& h) {
    const std::string& m = h.mode;
    if (contains(m, "color") || contains(m, "colour"))
        return 2;
    const bool oneBit = contains(m, "lineart") || contains(m, "binary") || contains(m, "halftone");
    return oneBit || listed(h.dev->lineartModes, m) ? 0 : 1;
}

double dpi(const Handle& h) {
    return h.dev->resolutionFixed ? SANE_UNFIX(h.resolution) : double(h.resolution);
}

SANE_Parameters computeParams(const Handle& h) {
    SANE_Parameters p{};
    int kind = colourKind(h);
    p.format = kind == 2 ? SANE_FRAME_RGB : SANE_FRAME_GRAY;
    p.last_frame = SANE_TRUE;
    p.depth = kind == 0 ? 1 : 8;
    // A small allowance keeps whole pixel counts whole despite fixed-point rounding.
    p.pixels_per_line = std::max(0, int(SANE_UNFIX(h.brX - h.tlX) / 25.4 * dpi(h) + 1e-3));
    p.lines = std::max(0, int(SANE_UNFIX(h.brY - h.tlY) / 25.4 * dpi(h) + 1e-3));
    p.bytes_per_line =
        kind == 0 ? (p.pixels_per_line + 7) / 8 : p.pixels_per_line * (kind == 2 ? 3 : 1);
    return p;
}

// Renders the scan area of the page at the chosen resolution (nearest neighbour; the
// image is taken to be at image_dpi from the top-left of the glass, white beyond it).
void render(Handle& h, const Image& img) {
    const SANE_Parameters& p = h.params;
    const int kind = colourKind(h);
    const double scale = h.dev->imageDpi / dpi(h);
    const double x0 = SANE_UNFIX(h.tlX) / 25.4 * h.dev->imageDpi;
    const double y0 = SANE_UNFIX(h.tlY) / 25.4 * h.dev->imageDpi;
    h.data.assign(size_t(p.bytes_per_line) * p.lines, 0);
    for (int y = 0; y < p.lines; ++y) {
        unsigned char* row = h.data.data() + size_t(y) * p.bytes_per_line;
        const int sy = int(y0 + (y + 0.5) * scale);
        for (int x = 0; x < p.pixels_per_line; ++x) {
            const int sx = int(x0 + (x + 0.5) * scale);
            const bool inside = sx >= 0 && sy >= 0 && sx < img.width && sy < img.height;
            const unsigned char grey = inside ? img.pixels[size_t(sy) * img.width + sx] : 255;
            if (kind == 2)
                std::memset(row + x * 3, grey, 3);
            else if (kind == 1)
                row[x] = grey;
            else if (grey < 128)
                row[x / 8] |= static_cast<unsigned char>(0x80 >> (x % 8));
        }
    }
}

bool paperLoaded(const Device& d) {
    if (!d.paperFile.empty())
        return exists(d.paperFile);
    return d.feederPos < imageFiles(d.pagesDir).size();
}

const SANE_Int kSoft = SANE_CAP_SOFT_SELECT | SANE_CAP_SOFT_DETECT;

// Adds an option whose value is the word `word`, kept within `range` when one is given.
SANE_Option_Descriptor& addOption(Handle& h, const char* name, const char* title,
                                  SANE_Value_Type type, SANE_Unit unit, SANE_Int cap,
                                  SANE_Word* word, const SANE_Range* range = nullptr) {
    h.options.push_back(
        {{name, title, title, type, unit, sizeof(SANE_Word), cap, {}, {}}, nullptr, word});
    SANE_Option_Descriptor& o = h.options.back().d;
    o.constraint_type = range ? SANE_CONSTRAINT_RANGE : SANE_CONSTRAINT_NONE;
    o.constraint.range = range;
    return o;
}

// A string option whose value is `text`, one of the null-terminated `list`.
void addList(Handle& h, const char* name, const char* title, const char* const* list, SANE_Int cap,
             std::string* text) {
    SANE_Option_Descriptor& o =
        addOption(h, name, title, SANE_TYPE_STRING, SANE_UNIT_NONE, cap, nullptr);
    h.options.back().text = text;
    for (const char* const* s = list; *s; ++s)
        o.size = std::max(o.size, SANE_Int(std::strlen(*s) + 1));
    o.constraint_type = SANE_CONSTRAINT_STRING_LIST;
    o.constraint.string_list = list;
}

void buildOptions(Handle& h) {
    Device& d = *h.dev;
    for (const std::string& s : d.sources)
        h.sourceList.push_back(s.c_str());
    for (const std::string& m : d.modes)
        h.modeList.push_back(m.c_str());
    h.sourceList.push_back(nullptr);
    h.modeList.push_back(nullptr);
    addOption(h, "", SANE_TITLE_NUM_OPTIONS, SANE_TYPE_INT, SANE_UNIT_NONE, SANE_CAP_SOFT_DETECT,
              &h.count);
    addList(h, SANE_NAME_SCAN_MODE, SANE_TITLE_SCAN_MODE, h.modeList.data(), kSoft, &h.mode);
    addList(h, SANE_NAME_SCAN_SOURCE, SANE_TITLE_SCAN_SOURCE, h.sourceList.data(), kSoft,
            &h.source);
    SANE_Option_Descriptor& res =
        addOption(h, SANE_NAME_SCAN_RESOLUTION, SANE_TITLE_SCAN_RESOLUTION,
                  d.resolutionFixed ? SANE_TYPE_FIXED : SANE_TYPE_INT, SANE_UNIT_DPI, kSoft,
                  &h.resolution, d.resolutionRange ? &d.resRange : nullptr);
    if (!d.resolutionRange) {
        h.resList.push_back(SANE_Word(d.resolutions.size()));
        for (SANE_Word r : d.resolutions)
            h.resList.push_back(d.resolutionFixed ? SANE_FIX(r) : r);
        res.constraint_type = SANE_CONSTRAINT_WORD_LIST;
        res.constraint.word_list = h.resList.data();
    }
    auto area = [&h](const char* name, const char* title, SANE_Word* value, SANE_Range* range) {
        addOption(h, name, title, SANE_TYPE_FIXED, SANE_UNIT_MM, kSoft, value, range);
    };
    area(SANE_NAME_SCAN_TL_X, SANE_TITLE_SCAN_TL_X, &h.tlX, &d.xRange);
    area(SANE_NAME_SCAN_TL_Y, SANE_TITLE_SCAN_TL_Y, &h.tlY, &d.yRange);
    area(SANE_NAME_SCAN_BR_X, SANE_TITLE_SCAN_BR_X, &h.brX, &d.xRange);
    area(SANE_NAME_SCAN_BR_Y, SANE_TITLE_SCAN_BR_Y, &h.brY, &d.yRange);
    if (!d.sensor.empty() && d.sensor != "none")
        addOption(h, d.sensor.c_str(), "Paper loaded", SANE_TYPE_BOOL, SANE_UNIT_NONE,
                  SANE_CAP_HARD_SELECT | SANE_CAP_SOFT_DETECT | SANE_CAP_ADVANCED, &h.paper);
    if (d.doubleFeedOptions)
        addList(h, "df-action", "DF action", kDfActions, kSoft | SANE_CAP_ADVANCED, &h.dfAction);
    h.count = SANE_Word(h.options.size());
    h.source = d.defaultSource.empty() ? d.sources.front() : d.defaultSource;
    h.mode = d.defaultMode.empty() ? d.modes.front() : d.defaultMode;
    h.resolution = d.resolutionFixed ? SANE_FIX(d.defaultResolution) : d.defaultResolution;
    std::tie(h.tlX, h.tlY, h.brX, h.brY) =
        std::tie(d.xRange.min, d.yRange.min, d.xRange.max, d.yRange.max);
}

// Matches a string against a list as SANE's own backends do: exactly, then ignoring
// case, then as an unambiguous case-insensitive prefix.
const char* matchString(const char* const* list, const char* value) {
    const char *same = nullptr, *prefix = nullptr;
    int prefixes = 0;
    for (const char* const* s = list; *s; ++s) {
        if (std::strcmp(*s, value) == 0)
            return *s;
        if (lower(*s) == lower(value)) {
            same = *s;
        } else if (*value && lower(*s).rfind(lower(value), 0) == 0) {
            prefix = *s;
            ++prefixes;
        }
    }
    return same ? same : prefixes == 1 ? prefix : nullptr;
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
