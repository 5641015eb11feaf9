#pragma once

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

// Reads every label barcode on a scanned page: Code 128, Code 39, Interleaved 2 of 5,
// QR, Data Matrix and PDF417, anywhere on the page, in any of the four orientations and
// a few degrees askew.
//
// read() is const and keeps no state between calls (zxing-cpp's reader works on the
// caller's stack), so one reader may be used from several threads at once, for example
// from a worker while the scanner goes on feeding pages.
class PageCodeReader {
public:
    PageCodeReader() = default;

    // Any QImage format; grey (Format_Grayscale8) is read without a copy, others are
    // converted to grey first. A null image has no codes.
    QList<PageCode> read(const QImage& page) const;
};

} // namespace quiller
