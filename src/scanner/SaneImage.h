#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <sane/sane.h>

namespace quiller {

// One frame as a SANE device delivers it: the parameters reported for the frame and
// the bytes read until end of file.
struct SaneFrame {
    SANE_Parameters parameters{};
    QByteArray data;
};

// Builds the page image from the frames of one page. Supported: a single grey frame of
// 1, 8 or 16 bits per sample, a single interleaved RGB frame of 8 or 16 bits per
// sample, and three single-colour frames (red, green, blue in any order) of 8 or 16
// bits. 1-bit samples are black where set; 16-bit samples are in host byte order.
// A height of -1 (unknown in advance) is taken from the bytes read; bytes missing at
// the end of a frame leave white lines. Anything else gives a null image.
QImage BuildSaneImage(const QList<SaneFrame>& frames);

} // namespace quiller
