#include "station/verify/LabelRegions.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <vector>

namespace quiller {

namespace {

constexpr int Block = 32;       // pixels on a side of one counting block
constexpr int Stride = 4;       // every Stride-th row and column is walked
constexpr int LabelBlocks = 3;  // a label is at least this many blocks across either way
constexpr int Margin = 3;       // blocks added around a region: the label's quiet zone
constexpr int BusyPercent = 35; // a block is busy at this share of the busiest one's count

// Otsu's threshold over a sparse sample of the page: the grey level that best parts ink
// from paper, whatever the scanner's brightness.
int inkThreshold(const QImage& grey) {
    std::array<qint64, 256> histogram{};
    qint64 samples = 0;
    for (int y = 0; y < grey.height(); y += 8) {
        const uchar* line = grey.constScanLine(y);
        for (int x = 0; x < grey.width(); x += 8, ++samples)
            ++histogram[line[x]];
    }
    double sumAll = 0;
    for (int g = 0; g < 256; ++g)
        sumAll += double(g) * double(histogram[size_t(g)]);
    double sumBelow = 0, best = -1;
    qint64 below = 0;
    int threshold = 128;
    for (int g = 0; g < 256; ++g) {
        below += histogram[size_t(g)];
        sumBelow += double(g) * double(histogram[size_t(g)]);
        const qint64 above = samples - below;
        if (below == 0 || above == 0)
            continue;
        const double meanBelow = sumBelow / double(below);
        const double meanAbove = (sumAll - sumBelow) / double(above);
        const double between =
            double(below) * double(above) * (meanBelow - meanAbove) * (meanBelow - meanAbove);
        if (between > best) {
            best = between;
            threshold = g;
        }
    }
    return threshold;
}

struct Region {
    int left, top, right, bottom; // in blocks, inclusive
    qint64 changes = 0;
    int blocks = 0;
    double density() const { return double(changes) / double(blocks); }
    int thickness() const { return std::min(right - left, bottom - top) + 1; }
};

// Changes between ink and paper per block, along every Stride-th row and column.
std::vector<int> countChanges(const QImage& grey, int cols) {
    const int width = grey.width(), height = grey.height();
    const int rows = (height + Block - 1) / Block;
    const uchar threshold = uchar(inkThreshold(grey));
    std::vector<int> changes(size_t(cols) * size_t(rows), 0);
    auto count = [&](int x, int y) {
        ++changes[size_t(y / Block) * size_t(cols) + size_t(x / Block)];
    };
    for (int y = Stride / 2; y < height; y += Stride) {
        const uchar* line = grey.constScanLine(y);
        bool ink = line[0] <= threshold;
        for (int x = 1; x < width; ++x) {
            const bool here = line[x] <= threshold;
            if (here != ink) {
                ink = here;
                count(x, y);
            }
        }
    }
    // Columns walked a row at a time so the page is read in memory order.
    std::vector<uchar> inkAbove(size_t((width + Stride - 1) / Stride));
    for (int y = 0; y < height; ++y) {
        const uchar* line = grey.constScanLine(y);
        for (int i = 0, x = Stride / 2; x < width; ++i, x += Stride) {
            const uchar here = line[x] <= threshold;
            if (y > 0 && here != inkAbove[size_t(i)])
                count(x, y);
            inkAbove[size_t(i)] = here;
        }
    }
    return changes;
}

// Connected busy blocks (eight neighbours) make one region.
std::vector<Region> busyRegions(const std::vector<int>& changes, int cols) {
    const int rows = int(changes.size()) / cols;
    const int busiest = *std::max_element(changes.begin(), changes.end());
    if (busiest == 0)
        return {};
    const int busy = std::max(1, busiest * BusyPercent / 100);
    std::vector<bool> taken(changes.size(), false);
    std::vector<Region> regions;
    std::vector<int> stack;
    for (int start = 0; start < int(changes.size()); ++start) {
        if (changes[size_t(start)] < busy || taken[size_t(start)])
            continue;
        Region r{start % cols, start / cols, start % cols, start / cols};
        taken[size_t(start)] = true;
        stack.push_back(start);
        while (!stack.empty()) {
            const int b = stack.back();
            stack.pop_back();
            const int bx = b % cols, by = b / cols;
            r.left = std::min(r.left, bx);
            r.right = std::max(r.right, bx);
            r.top = std::min(r.top, by);
            r.bottom = std::max(r.bottom, by);
            r.changes += changes[size_t(b)];
            ++r.blocks;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const int nx = bx + dx, ny = by + dy;
                    if (nx < 0 || ny < 0 || nx >= cols || ny >= rows)
                        continue;
                    const size_t n = size_t(ny * cols + nx);
                    if (changes[n] >= busy && !taken[n]) {
                        taken[n] = true;
                        stack.push_back(int(n));
                    }
                }
        }
        regions.push_back(r);
    }
    return regions;
}

} // namespace

QList<QRect> labelRegions(const QImage& grey, int maxRegions) {
    if (grey.isNull() || grey.format() != QImage::Format_Grayscale8 || maxRegions <= 0)
        return {};
    const int cols = (grey.width() + Block - 1) / Block;
    std::vector<Region> regions = busyRegions(countChanges(grey, cols), cols);
    // Label-sized first (a line of text is long but only a block or two high), then
    // densest first: a label is crowded all over, a signature only here and there.
    std::sort(regions.begin(), regions.end(), [](const Region& a, const Region& b) {
        const bool labelSizedA = a.thickness() >= LabelBlocks;
        const bool labelSizedB = b.thickness() >= LabelBlocks;
        if (labelSizedA != labelSizedB)
            return labelSizedA;
        return a.density() > b.density();
    });

    QList<QRect> found;
    for (const Region& r : regions) {
        if (found.size() == maxRegions)
            break;
        const QRect rect(
            QPoint((r.left - Margin) * Block, (r.top - Margin) * Block),
            QPoint((r.right + 1 + Margin) * Block - 1, (r.bottom + 1 + Margin) * Block - 1));
        found.append(rect.intersected(grey.rect()));
    }
    return found;
}

} // namespace quiller
