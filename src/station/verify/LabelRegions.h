#pragma once

#include <QImage>
#include <QList>
#include <QRect>

namespace quiller {

// Where on a scanned page a barcode label may lie, found cheaply before any decoding.
//
// A barcode is a patch crowded with sharp changes between ink and paper: bars every few
// pixels across a linear code, modules in both directions across a matrix code. Every
// fourth row and column is walked counting those changes per 32-pixel block (a change is
// a clear rise or fall of the grey level, whatever the paper's own grey), and connected blocks that
// count at least a fraction of the busiest block's changes make one region; label-sized
// regions a block or two apart are one (a long symbol crowded unevenly along its length),
// and each is widened by its quiet zone and a share of its length. Printed text
// and handwriting make regions too; they are only slower to rule out. Regions at least a
// label's size across both ways come first (a line of text is long but thin), each group
// busiest first, and their number is bounded.
//
// A hint, never a verdict: a label the regions miss is still found by reading the whole
// page (see PageCodeReader).
QList<QRect> labelRegions(const QImage& grey, int maxRegions);

// How many likely places the page reader tries before it reads the whole page: enough
// that printed text ranked above the label rarely pushes it out, few enough that a page
// without a label loses little time to them.
constexpr int LikelyLabelPlaces = 8;

} // namespace quiller
