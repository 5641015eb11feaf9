#include "station/verify/PageFiling.h"

#include <QCoreApplication>
#include <QHash>

#include <algorithm>

namespace quiller {

using Status = PageDecision::Status;
using Why = PageDecision::Why;

std::optional<FilingMode> filingModeFromSetting(const QString& text) {
    const QString t = text.trimmed().toLower();
    if (t == QLatin1String("off"))
        return FilingMode::Off;
    if (t == QLatin1String("require"))
        return FilingMode::Require;
    if (t == QLatin1String("check"))
        return FilingMode::Check;
    return std::nullopt;
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
    QStringList others;
};

// Expected prescriptions by Rx number, each with its refill number (blank = 0). Rows whose
// Rx number or refill is not a number cannot be named by a label. A prescription listed
// twice is indexed once, under its first listing.
class Index {
public:
    explicit Index(const QList<ExpectedRx>& expected) : m_first(expected.size()) {
        for (int i = 0; i < expected.size(); ++i) {
            m_first[i] = i;
            const auto rx = LabelPattern::number(expected[i].rx);
            const QString r = expected[i].refill.trimmed();
            const auto refill = r.isEmpty() ? std::optional<qint64>(0) : LabelPattern::number(r);
            if (!rx || !refill)
                continue;
            QList<std::pair<int, qint64>>& listed = m_byRx[*rx];
            const auto same = std::find_if(listed.cbegin(), listed.cend(),
                                           [&](const auto& e) { return e.second == *refill; });
            if (same != listed.cend())
                m_first[i] = same->first;
            else
                listed.append({i, *refill});
        }
    }
    QList<int> matches(const LabelKey& key) const {
        QList<int> found;
        for (const auto& [i, refill] : m_byRx.value(key.rx))
            if (!key.refill || *key.refill == refill)
                found.append(i);
        return found;
    }
    const QList<int>& firstListing() const { return m_first; }

private:
    QHash<qint64, QList<std::pair<int, qint64>>> m_byRx;
    QList<int> m_first;
};

// Two readings of a label name the same prescription when their Rx numbers are equal and
// their refills are equal or one of them has none.
bool sameLabel(const LabelKey& a, const LabelKey& b) {
    return a.rx == b.rx && (!a.refill || !b.refill || *a.refill == *b.refill);
}

Reading readPage(const QList<PageCode>& codes, const Index& index, const LabelPattern& pattern) {
    Reading reading;
    // The distinct labels on the page: the same label read twice (or once with and once
    // without its refill) is one label, the more specific reading kept.
    QList<std::pair<LabelKey, QString>> labels;
    for (const PageCode& code : codes) {
        const std::optional<LabelKey> key = pattern.parse(code.text);
        if (!key) {
            reading.others.append(code.format + QStringLiteral(": ") + code.text);
            continue; // another barcode on the page, not a label
        }
        const auto same = std::find_if(labels.begin(), labels.end(),
                                       [&](const auto& l) { return sameLabel(l.first, *key); });
        if (same == labels.end())
            labels.append({*key, code.text});
        else if (!same->first.refill && key->refill)
            *same = {*key, code.text};
    }
    // Named in the order of their prescriptions, whatever order the page was read in.
    std::sort(labels.begin(), labels.end(), [](const auto& a, const auto& b) {
        return std::pair(a.first.rx, a.first.refill.value_or(-1)) <
               std::pair(b.first.rx, b.first.refill.value_or(-1));
    });
    QStringList texts;
    for (const auto& l : std::as_const(labels))
        texts.append(l.second);
    reading.label = texts.join(QStringLiteral(", "));
    if (labels.isEmpty()) {
        reading.kind = Reading::Kind::None;
    } else if (labels.size() > 1) {
        // Whichever prescriptions they name, in this batch or not: the page cannot say
        // which one it is.
        reading.kind = Reading::Kind::Conflict;
        for (const auto& l : std::as_const(labels))
            reading.prescriptions.append(index.matches(l.first));
    } else {
        const QList<int> found = index.matches(labels.first().first);
        reading.prescriptions = found;
        reading.kind = found.isEmpty()     ? Reading::Kind::Foreign
                       : found.size() == 1 ? Reading::Kind::Names
                                           : Reading::Kind::Among;
    }
    return reading;
}

} // namespace

FilingResult fileBatch(const QList<ExpectedRx>& expected, const QList<QList<PageCode>>& pages,
                       FilingMode mode, const LabelPattern& pattern) {
    FilingResult result;
    result.pages.resize(pages.size());
    QList<bool> hasPage(expected.size(), false);
    const Index index(expected);
    result.firstListing = index.firstListing();

    QList<QList<int>> waiting(pages.size()); // by-position candidates, per page
    QList<bool> byPosition(pages.size(), false);
    if (mode == FilingMode::Off) {
        byPosition.fill(true);
    } else {
        // A page without a label may take any prescription but a repeated listing: that
        // one shares the page of its first listing.
        QList<int> all;
        for (int i = 0; i < expected.size(); ++i)
            if (result.firstListing[i] == i)
                all.append(i);
        // First the labels, over the whole batch.
        for (int p = 0; p < pages.size(); ++p) {
            const Reading reading = readPage(pages[p], index, pattern);
            PageDecision& d = result.pages[p];
            d.label = reading.label;
            d.others = reading.others;
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
                d.named = reading.prescriptions;
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
    for (int i = 0; i < expected.size(); ++i) {
        const int first = result.firstListing[i];
        if (!hasPage[i] && !hasPage[first] && first == i)
            result.withoutPage.append(i);
    }
    return result;
}

QString keptReason(const PageDecision& d) {
    if (d.status == Status::Duplicate)
        return QCoreApplication::translate("PageFiling", "duplicate: ") + d.label;
    if (d.status != Status::Unmatched)
        return QString();
    switch (d.why) {
    case Why::ForeignLabel:
        return QCoreApplication::translate("PageFiling", "label of another prescription: ") +
               d.label;
    case Why::ConflictingLabels:
        return (d.label.count(QStringLiteral(", ")) == 1
                    ? QCoreApplication::translate("PageFiling", "two labels: ")
                    : QCoreApplication::translate("PageFiling", "several labels: ")) +
               d.label;
    case Why::AmbiguousLabel:
        return QCoreApplication::translate("PageFiling", "label without its refill: ") + d.label;
    case Why::None:
    case Why::NoLabel:
    case Why::NoPrescriptionLeft:
        break;
    }
    return d.label.isEmpty() ? QCoreApplication::translate("PageFiling", "no label")
                             : QCoreApplication::translate("PageFiling", "label ") + d.label;
}

QString otherCodesNote(const QStringList& others) {
    constexpr qsizetype Longest = 120; // an e-prescription's code can be long
    QStringList notes;
    for (const QString& other : others) {
        QString note;
        for (const QChar c : other.left(Longest))
            note += c.isPrint() ? c : QChar(u' ');
        if (other.size() > Longest)
            note += QStringLiteral("...");
        notes.append(note);
    }
    return notes.join(QStringLiteral("; "));
}

namespace {

// Why the pages of one status were kept apart: "label of another prescription: 999-00;
// two labels: 7315-00, 7316-00; no label" (duplicates: "label 101-00").
QString keptApart(const FilingResult& result, Status status) {
    QStringList foreign, labels, reasons;
    int unlabelled = 0;
    for (const PageDecision& d : result.pages) {
        if (d.status != status)
            continue;
        if (d.label.isEmpty())
            ++unlabelled;
        else if (status == Status::Duplicate)
            labels.append(d.label);
        else if (d.why == Why::ForeignLabel)
            foreign.append(d.label);
        else
            reasons.append(keptReason(d));
    }
    QStringList parts;
    if (!labels.isEmpty())
        parts.append((labels.size() == 1 ? QCoreApplication::translate("PageFiling", "label ")
                                         : QCoreApplication::translate("PageFiling", "labels ")) +
                     labels.join(QStringLiteral(", ")));
    if (!foreign.isEmpty())
        parts.append(
            (foreign.size() == 1
                 ? QCoreApplication::translate("PageFiling", "label of another prescription: ")
                 : QCoreApplication::translate("PageFiling", "labels of other prescriptions: ")) +
            foreign.join(QStringLiteral(", ")));
    parts.append(reasons);
    if (unlabelled == 1)
        parts.append(QCoreApplication::translate("PageFiling", "no label"));
    else if (unlabelled > 1)
        parts.append(QCoreApplication::translate("PageFiling", "%1 without label").arg(unlabelled));
    return parts.join(QStringLiteral("; "));
}

} // namespace

QString filingReport(const FilingResult& result, const QList<ExpectedRx>& expected) {
    QStringList parts;
    // The first count names what it counts ("12 pages ..."), the ones after it do not.
    auto count = [&parts](int n, const QString& one, const QString& many) {
        if (n == 0)
            return;
        const QString noun =
            parts.isEmpty() ? u' ' + (n == 1 ? QCoreApplication::translate("PageFiling", "page")
                                             : QCoreApplication::translate("PageFiling", "pages"))
                            : QString();
        parts.append(QString::number(n) + noun + u' ' + (n == 1 ? one : many));
    };
    count(result.verified, QCoreApplication::translate("PageFiling", "verified by its label"),
          QCoreApplication::translate("PageFiling", "verified by their label"));
    count(result.byPosition, QCoreApplication::translate("PageFiling", "filed by position"),
          QCoreApplication::translate("PageFiling", "filed by position"));
    if (result.unmatched > 0) {
        count(result.unmatched, QCoreApplication::translate("PageFiling", "kept as unmatched"),
              QCoreApplication::translate("PageFiling", "kept as unmatched"));
        parts.last() += QStringLiteral(" (%1)").arg(keptApart(result, Status::Unmatched));
    }
    if (result.duplicates > 0) {
        count(result.duplicates,
              QCoreApplication::translate("PageFiling", "kept apart as a duplicate"),
              QCoreApplication::translate("PageFiling", "kept apart as duplicates"));
        parts.last() += QStringLiteral(" (%1)").arg(keptApart(result, Status::Duplicate));
    }
    if (parts.isEmpty())
        parts.append(QCoreApplication::translate("PageFiling", "no pages"));
    if (!result.withoutPage.isEmpty()) {
        QStringList names;
        for (int i : result.withoutPage)
            names.append(i < expected.size() ? expected[i].display() : QString::number(i + 1));
        parts.append(QCoreApplication::translate("PageFiling", "no page for ") +
                     names.join(QStringLiteral(", ")));
    }
    QString text = parts.join(QStringLiteral(", ")) + u'.';
    text[0] = text[0].toUpper();
    return text;
}

} // namespace quiller
