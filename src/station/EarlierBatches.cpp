#include "station/EarlierBatches.h"

#include "station/PageStaging.h"
#include "station/verify/LabelPattern.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace quiller {

void EarlierBatches::Load() {
    entries_.clear();
    QFile file(file_);
    if (!file.open(QIODevice::ReadOnly))
        return;
    for (const QJsonValue& v : QJsonDocument::fromJson(file.readAll()).array()) {
        const QJsonObject o = v.toObject();
        Entry e;
        e.target.entryText = o.value("entry").toString();
        e.target.rxNbr = o.value("rx").toString();
        e.target.refNo = o.value("ref").toString();
        e.target.mark = o.value("mark").toString();
        e.when = QDateTime::fromString(o.value("when").toString(), Qt::ISODate);
        if (!e.target.entryText.isEmpty() && e.when.isValid())
            entries_ << e;
    }
}

Outcome EarlierBatches::Save() const {
    QJsonArray list;
    for (const Entry& e : entries_)
        list.append(QJsonObject{{"entry", e.target.entryText},
                                {"rx", e.target.rxNbr},
                                {"ref", e.target.refNo},
                                {"mark", e.target.mark},
                                {"when", e.when.toUTC().toString(Qt::ISODate)}});
    return PageStaging::WriteDurably(file_, QJsonDocument(list).toJson(QJsonDocument::Compact));
}

void EarlierBatches::Add(const QList<ScanTarget>& targets, const QDateTime& when) {
    const QDateTime oldest = when.addDays(-kKeepDays);
    QList<Entry> kept;
    for (const Entry& e : std::as_const(entries_)) {
        if (e.when < oldest)
            continue;
        const bool again = std::any_of(targets.cbegin(), targets.cend(), [&e](const ScanTarget& t) {
            return t.rxNbr == e.target.rxNbr && t.refNo == e.target.refNo;
        });
        if (!again)
            kept << e;
    }
    for (const ScanTarget& t : targets) {
        if (!t.refusal.isEmpty())
            continue;
        ScanTarget plain = t;
        plain.viewRow = -1;
        kept << Entry{plain, when};
    }
    entries_ = kept;
}

std::optional<ScanTarget> EarlierBatches::Named(const LabelKey& key, const QList<ScanTarget>& more,
                                                const QDateTime& now) const {
    const QDateTime oldest = now.addDays(-kKeepDays);
    QList<ScanTarget> candidates;
    for (const Entry& e : entries_)
        if (e.when >= oldest)
            candidates << e.target;
    for (const ScanTarget& t : more)
        if (t.refusal.isEmpty())
            candidates << t;
    std::optional<ScanTarget> found;
    for (const ScanTarget& t : std::as_const(candidates)) {
        if (LabelPattern::number(t.rxNbr) != key.rx)
            continue;
        const std::optional<qint64> refill =
            LabelPattern::number(t.refNo.trimmed().isEmpty() ? QStringLiteral("0") : t.refNo);
        if (key.refill) {
            if (refill == *key.refill)
                return t;
            continue;
        }
        // Without refill: the same prescription listed twice is still one.
        if (found && (found->rxNbr != t.rxNbr || found->refNo != t.refNo))
            return std::nullopt;
        found = t;
    }
    return found;
}

} // namespace quiller
