#pragma once

#include <QList>
#include <QStringList>

namespace quiller::bench {

struct VerifyFigures {
    int pages = 0;
    int decoded = 0;     // pages whose label was read back exactly
    double medianMs = 0; // decode time per 1700 x 2200 page at 200 dpi
    double slowestMs = 0;
    double unlabelledMs = 0; // median over pages that carry no label: every place is tried
};

// Reads the label of `pages` generated prescription pages (the six symbologies, label in
// four places, turned 0/90/180/270 degrees and up to 5 degrees askew) with the station's
// page reader, one page at a time, and prints name=value lines:
// verify_pages, verify_decoded, verify_decode_median_ms, verify_decode_slowest_ms, and
// verify_unlabelled_ms for five pages without a label (the slowest kind: nothing ends the
// search early). Generating the pages is not timed.
VerifyFigures benchVerify(int pages = 100);

struct PaperFigures {
    int paper = 255; // grey of the paper
    int pages = 0;
    int read = 0; // labels read back exactly
    double medianMs = 0;
    double slowestMs = 0;
    QString slowest;    // the slowest page's label
    QStringList missed; // the labels not read back
};

// Labels on paper of every grey from 40 to white (40, 60, ..., 240, 255): `perGrey`
// pages each, the six symbologies, the four orientations up to 10 degrees askew, bars
// down to 120 grey levels below the sticker, 150, 200 and 300 dpi. Printed as
// verify_paper_<grey>_read=<read>/<pages> with the median and slowest read.
QList<PaperFigures> benchPaperSweep(int perGrey = 24);

} // namespace quiller::bench
