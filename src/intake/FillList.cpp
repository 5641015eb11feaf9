#include "intake/FillList.h"

#include "intake/LineParser.h"
#include "intake/ScanListPort.h"
#include "records/Database.h"
#include <QCoreApplication>

namespace quiller {

FillResult FillList(Database& db, ScanListPort& list, const QString& line, const QString& mark) {
    FillResult result;
    if (line.isEmpty())
        return result;

    const ParsedLine parsed = ParseLine(line);
    // The entry is listed before the database is touched and stays even when its row
    // cannot be written: the list follows the paper.
    list.Append(parsed.entryText, parsed.dateText, parsed.drug, parsed.patient, mark);
    list.SetLastKey(parsed.p.RxNbr, parsed.p.RefNo);

    // The row is written whole or not at all (UpsertPrescription checks the date before
    // writing and writes with one statement), so a refused line leaves nothing behind
    // and the file's other lines stay; no savepoint of its own is needed, which spares
    // the database a copy of every page each line touches.
    if (!db.IsOpen()) {
        result.outcome = FillOutcome::Unavailable;
        result.error = QuillerError(
            kErrorUnknown, QCoreApplication::translate("FillList", "The database is not open."),
            QStringLiteral("FillList"));
        return result;
    }
    try {
        db.UpsertPrescription(parsed.p);
        result.outcome = FillOutcome::Stored;
    } catch (const QuillerError& e) {
        result.error = e;
        result.outcome =
            Database::IsUnavailable(e) ? FillOutcome::Unavailable : FillOutcome::Refused;
    }
    return result;
}

} // namespace quiller
