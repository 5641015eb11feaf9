#include "intake/FillList.h"

#include "intake/Database.h"
#include "intake/LineParser.h"
#include "intake/ScanListPort.h"

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

    const QString savepoint = QStringLiteral("fill_line");
    try {
        db.Savepoint(savepoint);
    } catch (const QuillerError& e) {
        result.outcome = FillOutcome::Unavailable;
        result.error = e;
        return result;
    }
    try {
        db.UpsertPrescription(parsed.p);
        db.ReleaseSavepoint(savepoint);
        result.outcome = FillOutcome::Stored;
    } catch (const QuillerError& e) {
        result.error = e;
        result.outcome =
            Database::IsUnavailable(e) ? FillOutcome::Unavailable : FillOutcome::Refused;
        try {
            db.RollbackToSavepoint(savepoint);
        } catch (const QuillerError&) {
            // The line's own changes could not be undone: the file's transaction as a
            // whole must not be kept.
            result.outcome = FillOutcome::Unavailable;
        }
    }
    return result;
}

} // namespace quiller
