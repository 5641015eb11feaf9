#include "station/verify/PageFiling.h"

#include <QHash>

namespace quiller {

using Status = PageDecision::Status;
using Why = PageDecision::Why;

FilingMode filingModeFromSetting(const QString& text, bool* ok) {
    const QString t = text.trimmed().toLower();
    if (ok)
        *ok = true;
    if (t == QLatin1String("off"))
        return FilingMode::Off;
    if (t == QLatin1String("require"))
        return FilingMode::Require;
    if (t != QLatin1String("check") && ok)
        *ok = false;
    return FilingMode::Check;
}

QString filingModeName(FilingMode mode) {
    switch (mode) {
    case FilingMode::Off:
        return QStringLiteral("off");
    case FilingMode::Require:
        return QStringLiteral("require");
    case FilingMode::Check:
        break;
    }
    return QStringLiteral("check");
}

QString ExpectedRx::display() const {
    return refill.trimmed().isEmpty() ? rx.trimmed() : rx.trimmed() + u'-' + refill.trimmed();
}

namespace {

// What one page's codes say before any prescription is given out.
struct Reading {
    enum class Kind { None, Names, Among, Foreign, Conflict } kind = Kind::None;
    QList<int> prescriptions; // Names: the one; Among: the refills to choose from
    QString label;
};

// Expected prescriptions by Rx number, each with its refill number (blank = 0). Rows whose
// Rx number or refill is not a number cannot be named by a label.
class Index {
public:
    explicit Index(const QList<ExpectedRx>& expected) {
        for (int i = 0; i < expected.size(); ++i) {
            const auto rx = LabelPattern::number(expected[i].rx);
            const QString r = expected[i].refill.trimmed();
            const auto refill = r.isEmpty() ? std::optional<qint64>(0) : LabelPattern::number(r);
            if (rx && refill)
                m_byRx[*rx].append({i, *refill});
        }
    }
    QList<int> matches(const LabelKey& key) const {
        QList<int> found;
        for (const auto& [i, refill] : m_byRx.value(key.rx))
            if (!key.refill || *key.refill == refill)
                found.append(i);
        return found;
    }

private:
    QHash<qint64, QList<std::pair<int, qint64>>> m_byRx;
};

Reading readPage(const QList<PageCode>& codes, const Index& index, const LabelPattern& pattern) {
    Reading reading;
    QStringList labels;
    QList<int> named;
    QList<int> among;
    for (const PageCode& code : codes) {
        const std::optional<LabelKey> key = pattern.parse(code.text);
        if (!key)
            continue; // another barcode on the page, not a label
        labels.append(code.text);
        const QList<int> found = index.matches(*key);
        if (found.size() == 1 && !named.contains(found.first()))
            named.append(found.first());
        else if (found.size() > 1 && among.isEmpty())
            among = found;
    }
    reading.label = labels.join(QStringLiteral(", "));
    if (labels.isEmpty())
        reading.kind = Reading::Kind::None;
    else if (named.size() == 1)
        reading = {Reading::Kind::Names, named, labels.join(QStringLiteral(", "))};
    else if (named.size() > 1)
        reading.kind = Reading::Kind::Conflict;
    else if (!among.isEmpty())
        reading = {Reading::Kind::Among, among, reading.label};
    else
        reading.kind = Reading::Kind::Foreign;
    return reading;
}

} // namespace

FilingResult fileBatch(const QList<ExpectedRx>& expected, const QList<QList<PageCode>>& pages,
                       FilingMode mode, const LabelPattern& pattern) {
    FilingResult result;
    result.pages.resize(pages.size());
    QList<bool> hasPage(expected.size(), false);

    QList<QList<int>> waiting(pages.size()); // by-position candidates, per page
    QList<bool> byPosition(pages.size(), false);
    if (mode == FilingMode::Off) {
        byPosition.fill(true);
    } else {
        const Index index(expected);
        QList<int> all(expected.size());
        for (int i = 0; i < all.size(); ++i)
            all[i] = i;
        // First the labels, over the whole batch.
        for (int p = 0; p < pages.size(); ++p) {
            const Reading reading = readPage(pages[p], index, pattern);
            PageDecision& d = result.pages[p];
            d.label = reading.label;
            switch (reading.kind) {
            case Reading::Kind::Names: {
                const int rx = reading.prescriptions.first();
                d.prescription = rx;
                d.status = hasPage[rx] ? Status::Duplicate : Status::Verified;
                hasPage[rx] = true;
                break;
            }
            case Reading::Kind::Foreign:
                d.why = Why::ForeignLabel;
                break;
            case Reading::Kind::Conflict:
                d.why = Why::ConflictingLabels;
                break;
            case Reading::Kind::Among:
                if (mode == FilingMode::Require) {
                    d.why = Why::AmbiguousLabel;
                } else {
                    byPosition[p] = true;
                    waiting[p] = reading.prescriptions;
                }
                break;
            case Reading::Kind::None:
                if (mode == FilingMode::Require) {
                    d.why = Why::NoLabel;
                } else {
                    byPosition[p] = true;
                    waiting[p] = all;
                }
                break;
            }
        }
    }
    // Then the pages without a deciding label fill what is left, in order.
    int next = 0; // Off: the k-th page is for the k-th prescription
    for (int p = 0; p < pages.size(); ++p) {
        if (!byPosition[p])
            continue;
        PageDecision& d = result.pages[p];
        int chosen = -1;
        if (mode == FilingMode::Off) {
            chosen = next < expected.size() ? next++ : -1;
        } else {
            for (int i : waiting[p])
                if (!hasPage[i]) {
                    chosen = i;
                    break;
                }
        }
        if (chosen >= 0) {
            d.status = Status::ByPosition;
            d.prescription = chosen;
            hasPage[chosen] = true;
        } else {
            d.why = Why::NoPrescriptionLeft;
        }
    }
    for (const PageDecision& d : std::as_const(result.pages)) {
        switch (d.status) {
        case Status::Verified:
            ++result.verified;
            break;
        case Status::ByPosition:
            ++result.byPosition;
            break;
        case Status::Unmatched:
            ++result.unmatched;
            break;
        case Status::Duplicate:
            ++result.duplicates;
            break;
        }
    }
    for (int i = 0; i < expected.size(); ++i)
        if (!hasPage[i])
            result.withoutPage.append(i);
    return result;
}

PageFiler::PageFiler(QList<ExpectedRx> expected, FilingMode mode, LabelPattern pattern)
    : m_expected(std::move(expected)), m_mode(mode), m_pattern(std::move(pattern)) {
    m_last = fileBatch(m_expected, m_pages, m_mode, m_pattern);
}

PageDecision PageFiler::addPage(const QList<PageCode>& codes) {
    m_pages.append(codes);
    FilingResult now = fileBatch(m_expected, m_pages, m_mode, m_pattern);
    m_moved.clear();
    for (int p = 0; p < m_last.pages.size(); ++p)
        if (!(m_last.pages[p] == now.pages[p]))
            m_moved.append(p);
    m_last = std::move(now);
    return m_last.pages.last();
}

FilingResult PageFiler::result() const {
    return m_last;
}

namespace {

// "label 999-00" / "labels 999-00, 998-00" / "no label", for the pages kept apart.
QString keptApart(const FilingResult& result, Status status) {
    QStringList labels;
    int unlabelled = 0;
    for (const PageDecision& d : result.pages) {
        if (d.status != status)
            continue;
        if (d.label.isEmpty())
            ++unlabelled;
        else
            labels.append(d.label);
    }
    QStringList parts;
    if (!labels.isEmpty())
        parts.append((labels.size() == 1 ? QStringLiteral("label ") : QStringLiteral("labels ")) +
                     labels.join(QStringLiteral(", ")));
    if (unlabelled == 1)
        parts.append(QStringLiteral("no label"));
    else if (unlabelled > 1)
        parts.append(QStringLiteral("%1 without label").arg(unlabelled));
    return parts.join(QStringLiteral("; "));
}

} // namespace

QString filingReport(const FilingResult& result, const QList<ExpectedRx>& expected) {
    QStringList parts;
    // The first count names what it counts ("12 pages ..."), the ones after it do not.
    auto count = [&parts](int n, const QString& one, const QString& many) {
        if (n == 0)
            return;
        const QString noun = parts.isEmpty()
                                 ? (n == 1 ? QStringLiteral(" page") : QStringLiteral(" pages"))
                                 : QString();
        parts.append(QString::number(n) + noun + u' ' + (n == 1 ? one : many));
    };
    count(result.verified, QStringLiteral("verified by its label"),
          QStringLiteral("verified by their label"));
    count(result.byPosition, QStringLiteral("filed by position"),
          QStringLiteral("filed by position"));
    if (result.unmatched > 0) {
        count(result.unmatched, QStringLiteral("kept as unmatched"),
              QStringLiteral("kept as unmatched"));
        parts.last() += QStringLiteral(" (%1)").arg(keptApart(result, Status::Unmatched));
    }
    if (result.duplicates > 0) {
        count(result.duplicates, QStringLiteral("kept apart as a duplicate"),
              QStringLiteral("kept apart as duplicates"));
        parts.last() += QStringLiteral(" (%1)").arg(keptApart(result, Status::Duplicate));
    }
    if (parts.isEmpty())
        parts.append(QStringLiteral("no pages"));
    if (!result.withoutPage.isEmpty()) {
        QStringList names;
        for (int i : result.withoutPage)
            names.append(i < expected.size() ? expected[i].display() : QString::number(i + 1));
        parts.append(QStringLiteral("no page for ") + names.join(QStringLiteral(", ")));
    }
    QString text = parts.join(QStringLiteral(", ")) + u'.';
    text[0] = text[0].toUpper();
    return text;
}

} // namespace quiller
