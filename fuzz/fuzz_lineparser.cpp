// Fuzz target: one data-file line through the Windows-1252 decoder and the fixed-width
// field cutter, and a whole buffer through the line splitter.
#include "intake/LineParser.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace quiller;

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));

    // One character per byte, never a byte lost or added.
    const QString text = DecodeCp1252(bytes);
    Check(text.size() == bytes.size());

    const ParsedLine parsed = ParseLine(text);
    // The fields never reach beyond their columns.
    Check(parsed.p.RxNbr.size() <= 6);
    Check(parsed.p.RefNo.size() <= 2);
    Check(parsed.drug.size() <= 30);
    Check(parsed.p.FirstName.size() <= 15);
    Check(parsed.p.LastName.size() <= 15);
    Check(parsed.dateText.size() <= 10);
    Check(parsed.entryText == parsed.p.RxNbr + QLatin1Char('-') + parsed.p.RefNo);
    Check(!parsed.p.RxNbr.isNull() && !parsed.p.RefNo.isNull());

    const QStringList lines = DataFileLines(bytes);
    qsizetype total = 0;
    for (const QString& line : lines) {
        Check(!line.isEmpty());
        Check(line.size() <= kMaxDataLine);
        Check(!line.contains(QLatin1Char('\n')));
        total += line.size();
        ParseLine(line);
    }
    Check(total <= bytes.size());
    return 0;
}
