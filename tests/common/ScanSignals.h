#pragma once
// Reading a spy on ScannerControl::PostScan, running an acquisition to its end, and the
// file a buffered page is stored as (its bytes, its density). Header only.
#include "scanner/ScannerControl.h"

#include <QtTest>

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
    if (!scanner.Acquire().ok() || !QTest::qWaitFor([&] { return Ended(spy); }, timeoutMs) ||
        scanner.IsAcquiring())
        return {-1};
    return Flags(spy);
}

// The density a JPEG file states, in dots per inch.
inline int Dpi(const QByteArray& jpeg) {
    return qRound(QImage::fromData(jpeg, "JPEG").dotsPerMeterX() * 0.0254);
}

// The bytes of the file SaveImage writes for page `index` (empty when it writes none).
inline QByteArray SavedFile(ScannerControl& scanner, int index) {
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("page.jpg")));
    return scanner.SaveImage(index, file.fileName()).ok() && file.open(QIODevice::ReadOnly)
               ? file.readAll()
               : QByteArray();
}

} // namespace quiller::test
