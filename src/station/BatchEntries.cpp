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

int BatchEntries::MarkScanned(const QString& text, const QString& imageName) {
    int match = -1;
    for (int i = 0; i < Count(); ++i) {
        if (entries_.at(i).text != text)
            continue;
        if (!entries_.at(i).scanned) {
            match = i;
            break;
        }
        if (match < 0)
            match = i;
    }
    if (match < 0)
        return -1;
    entries_[match].scanned = true;
    entries_[match].imageName = imageName;
    emit Changed(match);
    return match;
}

void BatchEntries::SetFiled(const QString& text, const QString& filed) {
    int match = -1;
    for (int i = 0; i < Count(); ++i) {
        if (entries_.at(i).text != text)
            continue;
        if (entries_.at(i).filed.isEmpty()) {
            match = i;
            break;
        }
        if (match < 0)
            match = i;
    }
    if (match < 0)
        return;
    entries_[match].filed = filed;
    emit Changed(match);
}

} // namespace quiller
