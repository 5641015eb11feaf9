#pragma once

#include "station/verify/LabelPattern.h"

#include <QImage>
#include <QList>
#include <QString>

namespace quiller {

// One barcode found on a page: its text (UTF-8 decoded) and the symbology's name as
// zxing-cpp names it ("Code128", "Code39", "ITF", "QRCode", "DataMatrix", "PDF417").
struct PageCode {
    QString text;
    QString format;
    friend bool operator==(const PageCode&, const PageCode&) = default;
};

// Reads the barcodes on a scanned page, every symbology the barcode library knows (labels
// are Code 128, Code 39, Interleaved 2 of 5, QR, Data Matrix or PDF417; a prescriber's
// or an e-prescription's code may be anything), anywhere on the page, in any of the four
// orientations and a few degrees askew, on white or dark paper.
//
// The search looks at the places of the page that look like codes first and reads every
// one of them, so a second code, or a second label, beside the label is seen. Only when
// no code there is a label (by `labels`) does it go on to the whole page and then to
// tiles of it: another code alone does not end the search.
//
// read() is const and keeps no state between calls (zxing-cpp's reader works on the
// caller's stack), so one reader may be used from several threads at once, for example
// from a worker while the scanner goes on feeding pages.
class PageCodeReader {
public:
    PageCodeReader() = default;

    // Every code found, each once. Any QImage format; grey (Format_Grayscale8) is read
    // without a copy, others are converted to grey first. A null image has no codes.
    QList<PageCode> read(const QImage& page, const LabelPattern& labels = LabelPattern()) const;
};

} // namespace quiller
