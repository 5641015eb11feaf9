#pragma once

#include "base/Checked.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QImage>
#include <QRectF>
#include <QString>
#include <QStringList>

class QPainter;
class QPrinter;

namespace quiller {

// What the caption under a printed prescription image says about it.
struct CopyDetails {
    QString rxNbr;
    QString refNo;
    QString patient;
    QString drug;
    QString fillDate; // as the lists show it
    QString station;
    QDateTime printedAt; // set when the page is printed
};

// A printed copy of a stored prescription image: the image at the size it was scanned
// (scaled down whole when the page is too small, never stretched), and under it a
// caption that names the prescription and marks the page as a copy. Each copy the
// printer is asked for is laid out as its own page of one job, so every printer and
// every file gets them all, whatever it does with a copy count.
class PrintedCopy {
    Q_DECLARE_TR_FUNCTIONS(PrintedCopy)
public:
    // The resolution an image was scanned at, from its stored density; an image that
    // tells none (or an implausible one) is taken at the station's 200 dpi.
    static double ScanDpi(const QImage& image);
    // "4711-02": the Rx number and the refill number in two digits.
    static QString RxRefill(const QString& rxNbr, const QString& refNo);
    // The title of the print job and of a PDF file: "Rx 4711-02".
    static QString Title(const CopyDetails& details);
    // The caption's lines, first to last.
    static QStringList CaptionLines(const CopyDetails& details);

    // Where the image goes inside `area` (device pixels at `resolution` dpi) when
    // `captionHeight` pixels below it are kept for the caption: its true size when that
    // fits, else scaled down whole; centred across the area's width.
    static QRectF ImageRect(const QImage& image, const QRectF& area, double resolution,
                            double captionHeight);

    // Draws every page (one per copy) with `painter`, already begun on `printer`.
    static void Paint(QPainter& painter, QPrinter& printer, const QImage& image,
                      const CopyDetails& details, int copies);

    // Prints the copies the printer is set to and titles the job. Stamps the time
    // printed into `details`. Failed with the reason when nothing could be printed.
    static Outcome Print(QPrinter& printer, const QImage& image, CopyDetails& details);
};

} // namespace quiller
