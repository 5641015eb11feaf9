#pragma once

#include "station/verify/PageFiling.h"

namespace quiller::test {

// Filing as a live batch sees it: pages are added one at a time as they arrive; result()
// is the filing of the pages so far, by the same rule as fileBatch (a by-position choice
// may still move).
class PageFiler {
public:
    PageFiler(QList<ExpectedRx> expected, FilingMode mode, LabelPattern pattern = LabelPattern())
        : m_expected(std::move(expected)), m_mode(mode), m_pattern(std::move(pattern)) {
        m_last = fileBatch(m_expected, m_pages, m_mode, m_pattern);
    }
    // Adds the next page; returns its decision as things stand now.
    PageDecision addPage(const QList<PageCode>& codes) {
        m_pages.append(codes);
        FilingResult now = fileBatch(m_expected, m_pages, m_mode, m_pattern);
        m_moved.clear();
        for (int p = 0; p < m_last.pages.size(); ++p)
            if (!(m_last.pages[p] == now.pages[p]))
                m_moved.append(p);
        m_last = std::move(now);
        return m_last.pages.last();
    }
    FilingResult result() const { return m_last; }
    // Indices of earlier pages whose decision the last addPage changed.
    const QList<int>& moved() const { return m_moved; }

private:
    QList<ExpectedRx> m_expected;
    FilingMode m_mode;
    LabelPattern m_pattern;
    QList<QList<PageCode>> m_pages;
    FilingResult m_last;
    QList<int> m_moved;
};

} // namespace quiller::test
