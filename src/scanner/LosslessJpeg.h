#pragma once

#include <QByteArray>
#include <optional>

namespace quiller {

// Turns a JPEG by quarter turns (clockwise, any whole number) without decoding it: the
// coded blocks are rearranged (libjpeg-turbo's transform), so the picture loses nothing
// and four turns give back the same pixels. Markers (the JFIF resolution among them) are
// kept. Works when the turn needs no partial block at an edge (width and height whole
// multiples of the block size, which a frame of whole inches at 200 dpi gives); returns
// nothing otherwise, and for bytes that are not a JPEG, so the caller can turn the
// decoded image instead rather than cut the edge off.
std::optional<QByteArray> RotateJpegLossless(const QByteArray& jpeg, int quarterTurns);

} // namespace quiller
