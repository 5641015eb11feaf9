#include "records/SqlSupport.h"

#include "records/Database.h"

namespace quiller {

namespace {

// SQLSTATE classes that say the server or the connection cannot take the statement
// now, whatever the row: connection lost, server shutting down or out of resources,
// a read-only transaction, a lock or a deadlock, a statement over its time limit, a
// transaction an earlier failure spoilt, a table missing or not granted (a database
// restored or set up wrongly: the data file waits, it is not set aside).
bool IsServerUnavailable(const QString& state) {
    static const char* const prefixes[] = {"08",    "53",    "57",    "58",    "25006", "25P02",
                                           "40001", "40P01", "55P03", "42P01", "42501", "XX"};
    for (const char* prefix : prefixes)
        if (state.startsWith(QLatin1String(prefix)))
            return true;
    return false;
}

} // namespace

QuillerError SqlFailure(const QSqlError& error, const QString& source, const QSqlDriver* driver) {
    const QString native = error.nativeErrorCode();
    QString text = error.databaseText();
    if (text.isEmpty())
        text = error.text();
    // A server's error without a SQLSTATE comes from libpq itself: the connection failed
    // (its state may read broken only at the next call).
    if (ServerConnectionLost(driver) ||
        (driver && driver->dbmsType() == QSqlDriver::PostgreSQL && native.isEmpty()))
        return QuillerError(
            kErrorServerUnavailable,
            Database::ServerUnavailableStatus() + QStringLiteral(": ") + text.trimmed(), source);
    // SQLite's result codes have at most four digits; SQLSTATEs are five characters.
    if (native.size() == 5)
        return QuillerError(
            IsServerUnavailable(native) ? kErrorServerUnavailable : kErrorUnknown,
            text.trimmed() + QStringLiteral(" (SQLSTATE ") + native + QLatin1Char(')'), source);
    if (native.isEmpty() && error.type() == QSqlError::ConnectionError)
        return QuillerError(kErrorServerUnavailable, text.trimmed(), source);
    bool ok = false;
    const int code = native.toInt(&ok);
    return QuillerError(ok && code != 0 ? code : kErrorUnknown, text, source);
}

void Exec(QSqlQuery& query, const QString& source) {
    if (!query.exec())
        throw SqlFailure(query.lastError(), source, query.driver());
}

void ExecText(const QSqlDatabase& db, const QString& text, const QString& source) {
    QSqlQuery query(db);
    if (!query.exec(text))
        throw SqlFailure(query.lastError(), source, db.driver());
}

QVariant BoundText(const QString& value) {
    return value.isNull() ? QVariant(QString::fromLatin1("", 0)) : QVariant(value);
}

void ReadPrescription(const QSqlQuery& query, int first, Prescription& row) {
    row.RxNbr = query.value(first).toString();
    row.RefNo = query.value(first + 1).toString();
    row.FillDate = query.value(first + 2).toString();
    row.Drug = query.value(first + 3).toString();
    row.FirstName = query.value(first + 4).toString();
    row.LastName = query.value(first + 5).toString();
    const QVariant image = query.value(first + 6);
    row.RxImage = image.isNull() ? QString() : image.toString();
}

} // namespace quiller
