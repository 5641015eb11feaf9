#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QSqlDatabase>
#include <QString>

namespace quiller {

// One access to patient data as the station records it. Time, operating-system account
// and (on a server) the database role are taken when the entry is appended.
struct AuditEntry {
    QString station; // the station's identifier
    QString action;  // "search", "preview", "enlarge", "print", "delete", ...
    QString rxNbr;   // the prescription acted on; empty for a search
    QString refNo;
    QString detail;  // what else the action names: the search criterion, the printer
    QString outcome; // "done", or why it failed
};

struct AuditRow : AuditEntry {
    QString at;      // UTC, "yyyy-MM-ddTHH:mm:ss.zzzZ"
    QString account; // the operating-system account
    QString role;    // the PostgreSQL role; empty on a SQLite file
};

// The audit trail: table AuditTrail, appended to only (the tables refuse an update).
namespace AuditTrail {

// The account the program runs as (from the system's user database, not the
// environment, which the operator sets).
QString OsAccount();
// Appends one entry; throws QuillerError when the row cannot be written.
void Append(const QSqlDatabase& db, const AuditEntry& entry,
            const QDateTime& at = QDateTime::currentDateTimeUtc());

// Rows of local days `from` to `to` (either may be null: open), of Rx number `rxNbr`
// (empty: all), oldest first.
QList<AuditRow> Read(const QSqlDatabase& db, const QDate& from, const QDate& to,
                     const QString& rxNbr);
// The rows as CSV (RFC 4180, a header line first) for an auditor's spreadsheet.
QString Csv(const QList<AuditRow>& rows);
// Removes the rows older than `before`; gives how many.
int RemoveBefore(const QSqlDatabase& db, const QDateTime& before);

} // namespace AuditTrail

} // namespace quiller
