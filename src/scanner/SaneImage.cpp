#include "scanner/SaneImage.h"

#include <QRgba64>
#include <cstring>

namespace quiller {

namespace {

// Lines of a frame: as announced, or as many whole lines as were read when the
// device did not know the height in advance.
int FrameLines(const SaneFrame& f) {
    const SANE_Parameters& p = f.parameters;
    if (p.bytes_per_line <= 0)
        return 0;
    if (p.lines >= 0)
        return p.lines;
    return int(f.data.size() / p.bytes_per_line);
}

// Line y of a frame, or nullptr when the device delivered fewer bytes than announced.
const uchar* FrameLine(const SaneFrame& f, int y) {
    const qsizetype bpl = f.parameters.bytes_per_line;
    const qsizetype offset = qsizetype(y) * bpl;
    if (offset + bpl > f.data.size())
        return nullptr;
    return reinterpret_cast<const uchar*>(f.data.constData()) + offset;
}

quint16 Sample16(const uchar* line, int index) {
    quint16 v;
    std::memcpy(&v, line + 2 * qsizetype(index), sizeof v);
    return v;
}

// The frame's lines copied as they come, `lineBytes` bytes each, into an image of
// `format`; a line the device never sent is filled with `missing` (paper white).
QImage CopyLines(const SaneFrame& f, int width, int height, QImage::Format format,
                 qsizetype lineBytes, uchar missing = 0xFF) {
    if (f.parameters.bytes_per_line < lineBytes)
        return {};
    QImage image(width, height, format);
    if (image.isNull())
        return {};
    for (int y = 0; y < height; ++y) {
        const uchar* src = FrameLine(f, y);
        if (src)
            std::memcpy(image.scanLine(y), src, size_t(lineBytes));
        else
            std::memset(image.scanLine(y), missing, size_t(lineBytes));
    }
    return image;
}

QImage BuildGray(const SaneFrame& f) {
    const SANE_Parameters& p = f.parameters;
    const int width = p.pixels_per_line;
    const int height = FrameLines(f);
    if (width <= 0 || height <= 0)
        return {};
    switch (p.depth) {
    case 1: {
        // A set bit is black.
        QImage image = CopyLines(f, width, height, QImage::Format_Mono, (width + 7) / 8, 0);
        if (!image.isNull())
            image.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
        return image;
    }
    case 8:
        return CopyLines(f, width, height, QImage::Format_Grayscale8, width);
    case 16:
        return CopyLines(f, width, height, QImage::Format_Grayscale16, 2 * qsizetype(width));
    default:
        return {};
    }
}

QImage BuildRgb(const SaneFrame& f) {
    const SANE_Parameters& p = f.parameters;
    const int width = p.pixels_per_line;
    const int height = FrameLines(f);
    if (width <= 0 || height <= 0)
        return {};
    if (p.depth == 8)
        return CopyLines(f, width, height, QImage::Format_RGB888, 3 * qsizetype(width));
    if (p.depth == 16) {
        if (p.bytes_per_line < 6 * width)
            return {};
        QImage image(width, height, QImage::Format_RGBX64);
        if (image.isNull())
            return {};
        for (int y = 0; y < height; ++y) {
            const uchar* src = FrameLine(f, y);
            auto* dst = reinterpret_cast<QRgba64*>(image.scanLine(y));
            for (int x = 0; x < width; ++x) {
                dst[x] = src ? QRgba64::fromRgba64(Sample16(src, 3 * x), Sample16(src, 3 * x + 1),
                                                   Sample16(src, 3 * x + 2), 0xFFFF)
                             : QRgba64::fromRgba64(0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF);
            }
        }
        return image;
    }
    return {};
}

// Three single-colour frames of one page, one per colour, combined into one image.
QImage BuildThreePass(const QList<SaneFrame>& frames) {
    const SaneFrame* band[3] = {nullptr, nullptr, nullptr};
    for (const SaneFrame& f : frames) {
        int c = -1;
        switch (f.parameters.format) {
        case SANE_FRAME_RED:
            c = 0;
            break;
        case SANE_FRAME_GREEN:
            c = 1;
            break;
        case SANE_FRAME_BLUE:
            c = 2;
            break;
        default:
            return {};
        }
        if (band[c])
            return {};
        band[c] = &f;
    }
    if (!band[0] || !band[1] || !band[2])
        return {};
    const SANE_Parameters& p = band[0]->parameters;
    const int width = p.pixels_per_line;
    int height = 0;
    for (const SaneFrame* f : band) {
        if (f->parameters.pixels_per_line != width || f->parameters.depth != p.depth)
            return {};
        height = qMax(height, FrameLines(*f));
    }
    if (width <= 0 || height <= 0)
        return {};
    const int sampleBytes = p.depth == 8 ? 1 : p.depth == 16 ? 2 : 0;
    if (sampleBytes == 0)
        return {};
    for (const SaneFrame* f : band)
        if (f->parameters.bytes_per_line < sampleBytes * width)
            return {};
    QImage image(width, height, p.depth == 8 ? QImage::Format_RGB888 : QImage::Format_RGBX64);
    if (image.isNull())
        return {};
    for (int y = 0; y < height; ++y) {
        const uchar* src[3] = {FrameLine(*band[0], y), FrameLine(*band[1], y),
                               FrameLine(*band[2], y)};
        uchar* dst = image.scanLine(y);
        if (p.depth == 8) {
            for (int x = 0; x < width; ++x)
                for (int c = 0; c < 3; ++c)
                    dst[3 * x + c] = src[c] ? src[c][x] : 0xFF;
        } else {
            auto* out = reinterpret_cast<QRgba64*>(dst);
            for (int x = 0; x < width; ++x) {
                quint16 v[3];
                for (int c = 0; c < 3; ++c)
                    v[c] = src[c] ? Sample16(src[c], x) : 0xFFFF;
                out[x] = QRgba64::fromRgba64(v[0], v[1], v[2], 0xFFFF);
            }
        }
    }
    return image;
}

} // namespace

QImage BuildSaneImage(const QList<SaneFrame>& frames) {
    if (frames.size() == 1) {
        const SaneFrame& f = frames.constFirst();
        if (f.parameters.format == SANE_FRAME_GRAY)
            return BuildGray(f);
        if (f.parameters.format == SANE_FRAME_RGB)
            return BuildRgb(f);
        return {};
    }
    if (frames.size() == 3)
        return BuildThreePass(frames);
    return {};
}

} // namespace quiller
