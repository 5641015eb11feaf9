#pragma once

// The test backend's devices as its configuration file describes them and its open
// handles, shared by the configuration reader (fakeconfig.cpp), the handles' options and
// pages (fakehandle.cpp) and the SANE entry points (quillerfake.cpp).
#include <sane/sane.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

namespace quillerfake {

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

// A handle's options, from its device (fakehandle.cpp); a string option's value matched
// against its list, nullptr for a value the list does not hold.
void buildOptions(Handle& h);
const char* matchString(const char* const* list, const char* value);
// The page images of a folder in name order, a binary PGM read, and a page's parameters
// and bytes for the handle's mode and resolution.
Strings imageFiles(const std::string& dir);
bool loadImage(const std::string& path, Image& img);
SANE_Parameters computeParams(const Handle& h);
void render(Handle& h, const Image& img);

// Text and file helpers of the configuration and of the option values.
bool exists(const std::string& path);
std::string trim(const std::string& s);
std::string lower(std::string s);
bool contains(const std::string& s, const char* part);
bool listed(const Strings& list, const std::string& s);
Strings split(const std::string& s, char sep);

// The configuration file's path: $QUILLER_FAKE_SANE_CONFIG, else quillerfake.conf in
// SANE's configuration folder.
std::string configPath();
// Parses the file into a fresh configuration; a mistake is reported on stderr and
// leaves no device, so a broken test configuration fails visibly.
Config parseConfig(const std::string& path, const std::string& text);

} // namespace quillerfake
