#pragma once

#include "base/Error.h"

#include <QString>
#include <optional>

namespace quiller {

class Database;
class ScanListPort;

// What became of one data-file line.
enum class FillOutcome {
    Skipped,    // an empty line: nothing done
    Stored,     // listed, and its row inserted or overwritten
    Refused,    // listed; the database refused the row (a bad date, say); nothing written
    Unavailable // listed; the database itself could not be written (busy, read-only, ...)
};

struct FillResult {
    FillOutcome outcome = FillOutcome::Skipped;
    std::optional<QuillerError> error; // for Refused and Unavailable
};

// One line of a data file: appends its entry to the to-be-scanned list (tagged with the
// file's mark), then inserts or overwrites its row in RxImages with an empty image name;
// the row is written whole or not at all, so a refused line leaves nothing behind and
// the file's other lines stay. Does not report:
// the caller reports after the file's transaction has ended, so that no message box is
// open while the database is held.
FillResult FillList(Database& db, ScanListPort& list, const QString& line, const QString& mark);

} // namespace quiller
