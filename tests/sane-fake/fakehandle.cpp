// A handle's options, built from its device, and the page images it serves.
#include "fakebackend.h"

#include <sane/saneopts.h>

#include <algorithm>
#include <cstring>
#include <dirent.h>
#include <fstream>

namespace quillerfake {

namespace {

const char* const kDfActions[] = {"Default", "Continue", "Stop", nullptr};

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

} // namespace

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

} // namespace quillerfake
