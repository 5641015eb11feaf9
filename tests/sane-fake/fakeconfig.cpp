// The test backend's configuration file: an INI-like text of [device] sections and
// key = value lines (README.md), read into devices.
#include "fakebackend.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <sys/stat.h>

namespace quillerfake {

bool exists(const std::string& path) {
    struct stat st;
    return !path.empty() && stat(path.c_str(), &st) == 0;
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

} // namespace quillerfake
