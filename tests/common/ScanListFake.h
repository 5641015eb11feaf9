#pragma once
// The list of prescriptions to scan, kept as the entry texts ("42-1"). Header only: for
// tests that link the intake layer.
#include "intake/ScanListPort.h"

#include <QStringList>

namespace quiller::test {

class ScanListFake : public ScanListPort {
public:
    void Clear() override { entries.clear(); }
    void Append(const QString& text, const QString&, const QString&, const QString&,
                const QString&) override {
        entries << text;
    }
    int Count() const override { return int(entries.size()); }
    void RemoveFrom(int first) override { entries.resize(qMin<qsizetype>(first, entries.size())); }
    QStringList entries;
};

} // namespace quiller::test
