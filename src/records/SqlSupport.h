#pragma once
// Helpers of the records layer's own statements (not for other layers).

#include "base/Error.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace quiller {

// A database's failure as QuillerError: SQLite's result code as the number; for
// PostgreSQL (a five-character SQLSTATE) kErrorServerUnavailable when the server or the
// connection failed, else kErrorUnknown with the SQLSTATE in the text.
// With the driver, a statement that failed because the connection to the server broke
// is kErrorServerUnavailable too.
QuillerError SqlFailure(const QSqlError& error, const QString& source,
                        const QSqlDriver* driver = nullptr);

void Exec(QSqlQuery& query, const QString& source);
void ExecText(const QSqlDatabase& db, const QString& text, const QString& source);

// A text column gets text: a field cut from beyond the end of a short line is empty,
// never NULL.
QVariant BoundText(const QString& value);

struct Prescription;

// The prescription columns RxNbr, RefNo, FillDate, Drug, FirstName, LastName and RxImage
// (in that order, from column `first`) of the query's current row; a null image name
// reads as empty.
void ReadPrescription(const QSqlQuery& query, int first, Prescription& row);

} // namespace quiller
