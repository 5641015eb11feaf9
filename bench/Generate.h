#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

namespace quiller::bench {

// Deterministic, realistic data for the benchmark: the same arguments always give the
// same rows, lines and pages, so figures of different runs compare.

// The drug and name pools every generator draws from (a fixed seed: the same every run).
struct Pools {
    QStringList drugs; // 30-character drug fields, as the data file gives them
    QStringList firstNames;
    QStringList lastNames;
    Pools();
};
const Pools& ThePools();

// A database file of `rows` prescriptions filled over ten years (2016-2025): Rx numbers
// from 100000 on, refills of earlier prescriptions, drug names of a large formulary,
// patients who come back, an image name for all but the most recent fills. Written
// through the station's schema. Returns an empty text or what went wrong.
QString GenerateDatabase(const QString& path, qint64 rows);

// A data file of `lines` fixed-width prescription lines (CR LF), as the pharmacy system
// writes them: mostly new prescriptions (Rx numbers from `firstRx` on), some refills of
// prescriptions the generated database already holds.
QString GenerateDataFile(const QString& path, qint64 lines, int firstRx = 700000);

// A letter-size grey page at `dpi` that looks like a scanned prescription: paper
// texture and scanner noise, a printed header and handwritten-looking lines. `number`
// varies the text so that pages differ.
QImage MakeScannedPage(int dpi, int number);

// `count` files addressed to other stations ("B", "C", ...) in a folder.
QString GenerateForeignFiles(const QString& folder, int count);

} // namespace quiller::bench
