#pragma once

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

} // namespace quiller::bench
