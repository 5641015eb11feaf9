#pragma once

#include <QString>
#include <QTextStream>

// The scanner layer's figures (quiller-bench feeder / rotate).
namespace quiller::bench {

// A feeder batch of `pages` letter pages at 200 dpi grey on the test SANE backend (from
// fakeLib): the backend's own time per page (plain libsane calls) beside the station's
// (SaneScanner: worker, image building, JPEG encoding, delivery to the buffer).
int Feeder(int pages, const QString& fakeLib, QTextStream& out);

// One 200-dpi page turned by 90 degrees: the lossless JPEG transform beside decoding,
// turning and encoding again.
int Rotate(int runs, QTextStream& out);

} // namespace quiller::bench
