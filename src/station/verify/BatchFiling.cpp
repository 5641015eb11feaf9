#include "station/verify/BatchFiling.h"

namespace quiller {

BatchFiling::BatchFiling(QList<ExpectedRx> expected, FilingMode mode, LabelPattern pattern)
    : expected_(std::move(expected)), mode_(mode), pattern_(std::move(pattern)) {}

int BatchFiling::AddPage(int bufferIndex) {
    pages_.append(Page{bufferIndex, std::nullopt, false});
    return int(pages_.size()) - 1;
}

void BatchFiling::SetCodes(int page, const QList<PageCode>& codes) {
    if (page >= 0 && page < pages_.size() && !pages_[page].codes)
        pages_[page].codes = codes;
}

int BatchFiling::ReadPrefix() const {
    int n = 0;
    while (n < pages_.size() && pages_[n].codes)
        ++n;
    return n;
}

QList<std::pair<int, int>> BatchFiling::Unread() const {
    QList<std::pair<int, int>> unread;
    for (int p = 0; p < pages_.size(); ++p)
        if (!pages_[p].codes)
            unread.append({p, pages_[p].bufferIndex});
    return unread;
}

bool BatchFiling::AllRead() const {
    return ReadPrefix() == pages_.size();
}

FilingResult BatchFiling::Result() const {
    QList<QList<PageCode>> codes;
    for (int p = 0, n = ReadPrefix(); p < n; ++p)
        codes.append(*pages_[p].codes);
    return fileBatch(expected_, codes, mode_, pattern_);
}

QList<BatchFiling::Settled> BatchFiling::TakeSettled(bool ended) {
    using Status = PageDecision::Status;
    const FilingResult result = Result();
    QList<Settled> settled;
    for (int p = 0; p < result.pages.size(); ++p) {
        Page& page = pages_[p];
        const PageDecision& d = result.pages[p];
        // Labels are decided in arrival order before any page is placed by position, so
        // a label's decision over the pages read so far stands whatever comes later.
        const bool byLabel =
            d.status == Status::Verified || d.status == Status::Duplicate ||
            (d.status == Status::Unmatched && d.why != PageDecision::Why::NoPrescriptionLeft);
        if (page.handedOut || !(ended || byLabel))
            continue;
        page.handedOut = true;
        settled.append(Settled{p, page.bufferIndex, d});
    }
    return settled;
}

} // namespace quiller
