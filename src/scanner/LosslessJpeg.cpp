#include "scanner/LosslessJpeg.h"

#include <turbojpeg.h>

namespace quiller {

std::optional<QByteArray> RotateJpegLossless(const QByteArray& jpeg, int quarterTurns) {
    const int turns = ((quarterTurns % 4) + 4) % 4;
    if (jpeg.isEmpty())
        return std::nullopt;
    if (turns == 0)
        return jpeg;
    tjhandle handle = tjInitTransform();
    if (!handle)
        return std::nullopt;
    tjtransform transform{};
    transform.op = turns == 1 ? TJXOP_ROT90 : turns == 2 ? TJXOP_ROT180 : TJXOP_ROT270;
    // Refused rather than trimmed when an edge holds a partial block.
    transform.options = TJXOPT_PERFECT;
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    std::optional<QByteArray> result;
    if (tjTransform(handle, reinterpret_cast<const unsigned char*>(jpeg.constData()),
                    static_cast<unsigned long>(jpeg.size()), 1, &out, &outSize, &transform,
                    0) == 0 &&
        out)
        result = QByteArray(reinterpret_cast<const char*>(out), qsizetype(outSize));
    tjFree(out);
    tjDestroy(handle);
    return result;
}

} // namespace quiller
