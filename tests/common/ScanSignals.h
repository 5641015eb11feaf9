#pragma once
// Reading a spy on ScannerControl::PostScan. Header only.
#include <QList>
#include <QSignalSpy>

namespace quiller::test {

// The flags PostScan carried, in order (0: a page, non-zero: the acquisition ended).
inline QList<int> Flags(const QSignalSpy& spy) {
    QList<int> flags;
    for (const QList<QVariant>& args : spy)
        flags << args.at(0).toInt();
    return flags;
}

// The acquisition has ended: the last PostScan carried a non-zero flag.
inline bool Ended(const QSignalSpy& spy) {
    return !spy.isEmpty() && spy.constLast().at(0).toInt() != 0;
}

} // namespace quiller::test
