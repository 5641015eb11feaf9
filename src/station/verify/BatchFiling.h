#pragma once

#include "station/verify/PageFiling.h"

#include <QList>
#include <optional>

namespace quiller {

// The filing of one running acquisition whose pages are read for their labels while the
// scanner goes on. Pages are numbered in arrival order; their labels may be read in any
// order (reads run in parallel). A page's filing is handed out once, when it is final:
// - as soon as it and every page before it are read, for a page kept by its label
//   (verified, a duplicate, or kept apart for its label or for having none in require
//   mode): no later page can change that;
// - at the end of the batch, for the pages filed by position, whose prescription a later
//   labelled page could still take.
class BatchFiling {
public:
    BatchFiling(QList<ExpectedRx> expected, FilingMode mode, LabelPattern pattern);

    FilingMode Mode() const { return mode_; }
    const QList<ExpectedRx>& Expected() const { return expected_; }
    const LabelPattern& Pattern() const { return pattern_; }

    // A page has arrived at this place of the scanner's buffer; gives its number.
    int AddPage(int bufferIndex);
    // A page's labels have been read (a page read twice keeps the first reading).
    void SetCodes(int page, const QList<PageCode>& codes);
    int Pages() const { return int(pages_.size()); }
    // The pages not read yet: (page, buffer index).
    QList<std::pair<int, int>> Unread() const;
    bool AllRead() const;

    struct Settled {
        int page = -1;
        int bufferIndex = -1;
        PageDecision decision;
    };
    // The pages whose filing became final since the last call. With `ended` (the scanner
    // is done and AllRead()), every page not handed out yet.
    QList<Settled> TakeSettled(bool ended);
    // The filing of every page read so far, in arrival order up to the first unread one.
    FilingResult Result() const;

private:
    struct Page {
        int bufferIndex = -1;
        std::optional<QList<PageCode>> codes;
        bool handedOut = false;
    };
    int ReadPrefix() const;

    QList<ExpectedRx> expected_;
    FilingMode mode_;
    LabelPattern pattern_;
    QList<Page> pages_;
};

} // namespace quiller
