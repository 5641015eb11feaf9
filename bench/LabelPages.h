#pragma once

#include <QImage>
#include <QList>
#include <QPointF>
#include <QString>
#include <QStringList>

namespace quiller::testing {

// Prescription-like grey pages carrying a label barcode, as the station's scanner returns
// them: letter size at 200 dpi (1700 x 2200), printed header, ruled lines and "words",
// handwriting-like strokes, scanner noise; the label is a sticker with a barcode of a
// chosen symbology, place, angle and contrast. Deterministic: the same arguments always
// give the same page.

constexpr int PageDpi = 200;
constexpr int PageWidth = 1700;
constexpr int PageHeight = 2200;

struct LabelSpec {
    QString text;               // what the barcode says; empty: the page has no label
    QString format = "Code128"; // zxing-cpp's name: Code128, Code39, ITF, QRCode, ...
    QPointF centre{0.72, 0.10}; // the label's centre, as fractions of the page's size
    double angle = 0;           // degrees, clockwise
    int contrast = 200;         // grey levels between the sticker and the bars
    bool sticker = true;        // on a white sticker; false: printed on the paper itself
};

// A page and every code on it.
struct PageSpec {
    QList<LabelSpec> codes; // labels and other codes (a prescriber's, an e-prescription's)
    int paper = 255;        // grey of the paper: 255 white, lower for coloured forms in grey
    int dpi = PageDpi;      // letter size at this resolution; code sizes follow it
};

// One page; `number` varies the clutter. Format_Grayscale8.
QImage makePage(const PageSpec& wanted, int number = 0);
QImage makeLabelPage(const LabelSpec& label, int number = 0);

// How a stack of sheets went wrong on its way through the feeder.
enum class StackFault {
    None,         // every sheet once, in order
    DoubleFeed,   // sheets `at` and `at`+1 went through together: only `at` was imaged
    MissingSheet, // sheet `at` is not in the stack
    Swapped,      // sheets `at` and `at`+1 exchanged
    Foreign,      // a sheet of another batch ("999-00") after sheet `at`
    Duplicate,    // sheet `at` twice in a row
    Unlabelled,   // sheet `at` has no label
    TwoLabels,    // sheet `at` carries its own label and the next sheet's ("a+b")
};

// The labels the pages of a stack carry, in feeding order ("" for a page without one),
// from the labels of the batch's prescriptions in order.
QStringList stackLabels(const QStringList& labels, StackFault fault, int at = 1);

// How the pages of a stack look beyond their labels.
struct StackStyle {
    int paper = 255;   // grey of the paper
    LabelSpec other{}; // another code printed beside each label (none when its text is empty)
};

// The pages of a stack: one page per entry of `pageLabels`, each entry a label, several
// labels joined by "+", or "" for none. Labels are placed and turned by page number so a
// stack covers several places and the four orientations.
QList<QImage> makeStack(const QStringList& pageLabels, const QString& format = "Code128",
                        const StackStyle& style = {});

// Writes the pages as binary PGM (P5) files page0001.pgm, page0002.pgm, ... into
// `folder` (created if needed), as a file-serving scanner backend reads them. Returns
// an empty text, or what went wrong.
QString writeStackAsPgm(const QString& folder, const QList<QImage>& pages);

} // namespace quiller::testing
