#include "station/verify/LabelRegions.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace quiller {

namespace {

constexpr int Block200 = 32;    // pixels on a side of one counting block at 200 dpi
constexpr int Stride = 4;       // every Stride-th row and column is walked
constexpr int LabelBlocks = 3;  // a label is at least this many blocks across either way
constexpr int Margin = 3;       // blocks added around a region: the label's quiet zone
constexpr int LengthShare = 8;  // and this share of the region's length each way
constexpr int BusyPercent = 35; // a block is busy at this share of the busiest one's count
constexpr int JoinGap = 2;      // label-sized regions at most this many blocks apart are one

// Ink and paper told apart along a line by their difference, not by a grey level: the
// line turns to ink where it falls Swing below the lightest point since it last turned
// to paper, and back where it rises Swing above the darkest point since. The paper's own
// grey does not matter (white, a coloured form, dark paper), a pale print still turns,
// and scanner noise and paper texture, far smaller than Swing, never do.
constexpr int Swing = 40;

struct Edge {
    bool ink = false;
    int extreme = 0; // lightest point on paper, darkest in ink, since the last turn
    // Takes the next grey level; true when the line turned.
    bool step(int v) {
        if (ink) {
            extreme = std::min(extreme, v);
            if (v <= extreme + Swing)
                return false;
        } else {
            extreme = std::max(extreme, v);
            if (v >= extreme - Swing)
                return false;
        }
        ink = !ink;
        extreme = v;
        return true;
    }
};

struct Region {
    int left, top, right, bottom; // in blocks, inclusive
    qint64 changes = 0;
    int blocks = 0;
    double density() const { return double(changes) / double(blocks); }
    int thickness() const { return std::min(right - left, bottom - top) + 1; }
};

// Changes between ink and paper per block, along every Stride-th row and column.
std::vector<int> countChanges(const QImage& grey, int Block, int cols) {
    const int width = grey.width(), height = grey.height();
    const int rows = (height + Block - 1) / Block;
    std::vector<int> changes(size_t(cols) * size_t(rows), 0);
    auto count = [&](int x, int y) {
        ++changes[size_t(y / Block) * size_t(cols) + size_t(x / Block)];
    };
    for (int y = Stride / 2; y < height; y += Stride) {
        const uchar* line = grey.constScanLine(y);
        Edge edge{false, line[0]};
        for (int x = 1; x < width; ++x)
            if (edge.step(line[x]))
                count(x, y);
    }
    // Columns walked a row at a time so the page is read in memory order.
    std::vector<Edge> columns(size_t((width + Stride - 1) / Stride));
    const uchar* first = grey.constScanLine(0);
    for (int i = 0, x = Stride / 2; x < width; ++i, x += Stride)
        columns[size_t(i)].extreme = first[x];
    for (int y = 1; y < height; ++y) {
        const uchar* line = grey.constScanLine(y);
        for (int i = 0, x = Stride / 2; x < width; ++i, x += Stride)
            if (columns[size_t(i)].step(line[x]))
                count(x, y);
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

// Label-sized regions that nearly touch, in line with each other, are one symbol: a long one
// is crowded unevenly along its length (a PDF417's rows at 300 dpi leave a quieter band
// across it), and read in halves neither half is a code. In line: they share at least half
// the narrower one's width or height, as two parts of one strip do (a signature box and the
// text beside it, joined, would only make a large place slow to read).
void joinNeighbours(std::vector<Region>& regions) {
    auto near = [](const Region& a, const Region& b) {
        if (a.thickness() < LabelBlocks || b.thickness() < LabelBlocks ||
            b.left - a.right > JoinGap || a.left - b.right > JoinGap ||
            b.top - a.bottom > JoinGap || a.top - b.bottom > JoinGap)
            return false;
        const int sharedX = std::min(a.right, b.right) - std::max(a.left, b.left) + 1;
        const int sharedY = std::min(a.bottom, b.bottom) - std::max(a.top, b.top) + 1;
        const int narrowX = std::min(a.right - a.left, b.right - b.left) + 1;
        const int narrowY = std::min(a.bottom - a.top, b.bottom - b.top) + 1;
        return 2 * sharedX >= narrowX || 2 * sharedY >= narrowY;
    };
    // Joined until no two are near: a grown region may reach one it was not near before.
    for (bool joined = true; joined;) {
        joined = false;
        for (size_t a = 0; a < regions.size() && !joined; ++a)
            for (size_t b = a + 1; b < regions.size() && !joined; ++b) {
                if (!near(regions[a], regions[b]))
                    continue;
                Region& r = regions[a];
                const Region& other = regions[b];
                r.left = std::min(r.left, other.left);
                r.top = std::min(r.top, other.top);
                r.right = std::max(r.right, other.right);
                r.bottom = std::max(r.bottom, other.bottom);
                r.changes += other.changes;
                r.blocks += other.blocks;
                regions.erase(regions.begin() + std::ptrdiff_t(b));
                joined = true;
            }
    }
}

} // namespace

QList<QRect> labelRegions(const QImage& grey, int maxRegions) {
    if (grey.isNull() || grey.format() != QImage::Format_Grayscale8 || maxRegions <= 0)
        return {};
    // Blocks cover the same piece of paper at any resolution the scanner reports; an
    // image that tells none (Qt's 96 dpi default) is taken as 200 dpi.
    const int dpi = qRound(grey.dotsPerMeterX() * 0.0254);
    const int known = dpi >= 120 && dpi <= 1200 ? dpi : 200;
    const int Block = std::max(Stride, (Block200 * known / 200 + Stride / 2) / Stride * Stride);
    const int cols = (grey.width() + Block - 1) / Block;
    std::vector<Region> regions = busyRegions(countChanges(grey, Block, cols), cols);
    joinNeighbours(regions);
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
        // The quiet zone, and an eighth of the region's length more each way: a symbol's
        // ends (a PDF417's start and stop patterns, a linear code's outer bars) are less
        // crowded than its middle and may count below the busy share.
        const int aside = Margin + (r.right - r.left + 1) / LengthShare;
        const int above = Margin + (r.bottom - r.top + 1) / LengthShare;
        const QRect rect(
            QPoint((r.left - aside) * Block, (r.top - above) * Block),
            QPoint((r.right + 1 + aside) * Block - 1, (r.bottom + 1 + above) * Block - 1));
        found.append(rect.intersected(grey.rect()));
    }
    return found;
}

} // namespace quiller
