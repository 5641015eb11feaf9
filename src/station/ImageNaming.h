#pragma once

#include <QString>

namespace quiller {

// The image file of a prescription: the entry text ("123-01") with every "-" turned
// into "_", trimmed, and ".jpg" appended ("123_01.jpg"). Letter case stays.
QString ImageFileName(const QString& entryText);

// A name may be written into the image folder only when it stays there: no path
// separator, no "..", no control character, not empty.
bool IsSafeImageName(const QString& name);

// The key of an entry text: the part before the first "-" and the part after it.
struct PrescriptionKey {
    QString rxNbr;
    QString refNo;
};
PrescriptionKey SplitEntryText(const QString& entryText);

// The scan frame a data file's mark selects, in inches: "P" (exactly) the full page,
// any other mark the smaller frame.
struct ScanFrameInches {
    float left, top, right, bottom;
};
ScanFrameInches FrameForMark(const QString& mark);

} // namespace quiller
