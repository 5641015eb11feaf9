#pragma once
// Reading a spy on ScannerControl::PostScan, and running an acquisition to its end. Header
// only.
#include "scanner/ScannerControl.h"

#include <QList>
#include <QSignalSpy>
#include <QTest>

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

// Runs one acquisition to its end: the PostScan flags it raised ({-1}: it never ended).
inline QList<int> AcquireToEnd(ScannerControl& scanner, int timeoutMs) {
    QSignalSpy spy(&scanner, &ScannerControl::PostScan);
    if (scanner.Acquire() != 1 || !QTest::qWaitFor([&] { return Ended(spy); }, timeoutMs) ||
        scanner.IsAcquiring())
        return {-1};
    return Flags(spy);
}

} // namespace quiller::test
