#include "station/BatchEntries.h"

namespace quiller {

ScanTarget BatchEntry::Target() const {
    ScanTarget t;
    t.entryText = text;
    t.rxNbr = rxNbr;
    t.refNo = refNo;
    t.mark = mark;
    t.refusal = refusal;
    return t;
}

void BatchEntries::Clear() {
    entries_.clear();
    emit Cleared();
}

void BatchEntries::Append(const QString& text, const QString& date, const QString& drug,
                          const QString& patient, const QString& tag) {
    BatchEntry e;
    e.text = text;
    e.date = date;
    e.drug = drug;
    e.patient = patient;
    e.mark = tag;
    const PrescriptionKey key = SplitEntryText(text);
    e.rxNbr = key.rxNbr;
    e.refNo = key.refNo;
    entries_.append(e);
    emit Appended(Count() - 1);
}

void BatchEntries::SetLastKey(const QString& rxNbr, const QString& refNo) {
    if (entries_.isEmpty())
        return;
    entries_.last().rxNbr = rxNbr;
    entries_.last().refNo = refNo;
    emit Changed(Count() - 1);
}

void BatchEntries::MarkLastRefused(const QString& reason) {
    if (entries_.isEmpty())
        return;
    entries_.last().refusal = reason;
    emit Changed(Count() - 1);
}

void BatchEntries::RemoveFrom(int first) {
    first = std::max(first, 0);
    if (first >= Count())
        return;
    entries_.resize(first);
    emit RemovedFrom(first);
}

QList<ScanTarget> BatchEntries::Targets() const {
    QList<ScanTarget> targets;
    for (const BatchEntry& e : entries_)
        targets << e.Target();
    return targets;
}

// The first entry of this text for which `open` holds, else the first of that text; -1
// when no entry has the text. A prescription listed twice gets its outcomes in turn.
int BatchEntries::Find(const QString& text, bool (*open)(const BatchEntry&)) const {
    int match = -1;
    for (int i = 0; i < Count(); ++i) {
        if (entries_.at(i).text != text)
            continue;
        if (open(entries_.at(i)))
            return i;
        if (match < 0)
            match = i;
    }
    return match;
}

int BatchEntries::MarkScanned(const QString& text, const QString& imageName) {
    const int match = Find(text, [](const BatchEntry& e) { return !e.scanned; });
    if (match < 0)
        return -1;
    entries_[match].scanned = true;
    entries_[match].imageName = imageName;
    emit Changed(match);
    return match;
}

void BatchEntries::SetFiled(const QString& text, const QString& filed) {
    const int match = Find(text, [](const BatchEntry& e) { return e.filed.isEmpty(); });
    if (match < 0)
        return;
    entries_[match].filed = filed;
    emit Changed(match);
}

} // namespace quiller
