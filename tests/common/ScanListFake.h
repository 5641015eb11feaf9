#pragma once
// The list of prescriptions to scan, kept as its entries. Header only: for tests that link
// the intake layer.
#include "intake/ScanListPort.h"

#include <QList>
#include <QStringList>

namespace quiller::test {

class ScanListFake : public ScanListPort {
public:
    struct Entry {
        QString text, date, drug, patient, tag, refusal;
    };
    QList<Entry> entries;
    int clears = 0;

    void Clear() override {
        entries.clear();
        ++clears;
    }
    void Append(const QString& text, const QString& date, const QString& drug,
                const QString& patient, const QString& tag) override {
        entries.append(Entry{text, date, drug, patient, tag, {}});
    }
    void MarkLastRefused(const QString& reason) override { entries.last().refusal = reason; }
    int Count() const override { return int(entries.size()); }
    void RemoveFrom(int first) override { entries.resize(qMin<qsizetype>(first, entries.size())); }
    QStringList texts() const {
        QStringList out;
        for (const Entry& e : entries)
            out << e.text;
        return out;
    }
};

} // namespace quiller::test
