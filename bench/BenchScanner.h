#pragma once

#include <QString>
#include <QTextStream>

// The scanner layer's figures (quiller-bench feeder / rotate).
namespace quiller::bench {

// A feeder batch of `pages` letter pages at 200 dpi grey on the test SANE backend (from
// fakeLib): the backend's own time per page (plain libsane calls) beside the station's
// (SaneScanner: worker, image building, JPEG encoding, delivery to the buffer).
int Feeder(int pages, const QString& fakeLib, QTextStream& out);

// Makes the test SANE backend (from fakeLib) the only backend of this process, with the
// device `config` describes, its files in `folder`.
void UseFakeSane(const QString& folder, const QString& config, const QString& fakeLib);

// One 200-dpi page turned by 90 degrees: the lossless JPEG transform beside decoding,
// turning and encoding again.
int Rotate(int runs, QTextStream& out);

} // namespace quiller::bench
