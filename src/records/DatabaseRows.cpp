#include "records/Database.h"

#include "base/Error.h"
#include "records/DatabaseStatements.h"
#include "records/SqlSupport.h"

#include <QSqlQuery>

namespace quiller {

namespace {

// Prepares a kept statement the first time it is used; a statement that could not be
// prepared is tried again next time.
void PrepareOnce(QSqlQuery& query, bool& prepared, const char* text, const QString& source) {
    if (prepared)
        return;
    if (!query.prepare(QString::fromLatin1(text)))
        throw SqlFailure(query.lastError(), source);
    prepared = true;
}

// Runs a kept statement and leaves it reset (no statement of the connection stays
// open between calls, whatever the outcome).
void ExecKept(QSqlQuery& query, const QString& source) {
    if (!query.exec()) {
        const QSqlError error = query.lastError();
        query.finish();
        throw SqlFailure(error, source, query.driver());
    }
}

} // namespace

std::optional<QString> Database::ReadScannerSource() {
    Usable(QStringLiteral("Database.ReadScannerSource"));
    QSqlQuery query(Connection());
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT ScannerSource FROM Configuration ORDER BY rowid LIMIT 1"));
    Exec(query, QStringLiteral("Database.ReadScannerSource"));
    if (!query.next())
        return std::nullopt;
    const QVariant value = query.value(0);
    return value.isNull() ? QString() : value.toString();
}

void Database::WriteScannerSource(int position) {
    Usable(QStringLiteral("Database.WriteScannerSource"));
    QSqlQuery update(Connection());
    update.prepare(
        QStringLiteral("UPDATE Configuration SET ScannerSource = :p "
                       "WHERE rowid = (SELECT rowid FROM Configuration ORDER BY rowid LIMIT 1)"));
    update.bindValue(QStringLiteral(":p"), position);
    Exec(update, QStringLiteral("Database.WriteScannerSource"));
    if (update.numRowsAffected() > 0)
        return;
    QSqlQuery insert(Connection());
    insert.prepare(QStringLiteral("INSERT INTO Configuration (ScannerSource) VALUES (:p)"));
    insert.bindValue(QStringLiteral(":p"), position);
    Exec(insert, QStringLiteral("Database.WriteScannerSource"));
}

void Database::UpsertPrescription(const Prescription& p) {
    const QString iso = IsoDate(p.FillDate);
    const QString source = QStringLiteral("Database.UpsertPrescription");
    Usable(source);
    Statements& s = Prepared();
    QSqlQuery& upsert = s.upsert;
    // The same text on both engines; the row of an existing key keeps its rowid (its
    // place in the lists) and gets the new values.
    PrepareOnce(upsert, s.upsertPrepared,
                "INSERT INTO RxImages (RxNbr, RefNo, FillDate, Drug, FirstName, LastName, RxImage) "
                "VALUES (:rx, :ref, :d, :drug, :f, :l, '') "
                "ON CONFLICT (RxNbr, RefNo) DO UPDATE SET FillDate = excluded.FillDate, "
                "Drug = excluded.Drug, FirstName = excluded.FirstName, "
                "LastName = excluded.LastName, RxImage = ''",
                source);
    upsert.bindValue(QStringLiteral(":rx"), BoundText(p.RxNbr));
    upsert.bindValue(QStringLiteral(":ref"), BoundText(p.RefNo));
    upsert.bindValue(QStringLiteral(":d"), iso);
    upsert.bindValue(QStringLiteral(":drug"), BoundText(p.Drug));
    upsert.bindValue(QStringLiteral(":f"), BoundText(p.FirstName));
    upsert.bindValue(QStringLiteral(":l"), BoundText(p.LastName));
    // A statement PostgreSQL refuses spoils the whole transaction; within one, the row
    // is written in a savepoint of its own, so a refused line leaves the file's other
    // lines as SQLite leaves them.
    const bool guard = engine_ == Engine::PostgreSql && inTransaction_;
    if (guard)
        Savepoint(QStringLiteral("quiller_row"));
    try {
        ExecKept(upsert, source);
    } catch (...) {
        if (guard)
            RollbackToSavepoint(QStringLiteral("quiller_row"));
        throw;
    }
    upsert.finish();
    if (guard)
        ReleaseSavepoint(QStringLiteral("quiller_row"));
}

int Database::SetRxImage(const QString& rxNbr, const QString& refNo, const QString& imageName) {
    Usable(QStringLiteral("Database.SetRxImage"));
    Statements& s = Prepared();
    QSqlQuery& query = s.setImage;
    const QString source = QStringLiteral("Database.SetRxImage");
    PrepareOnce(query, s.setImagePrepared,
                "UPDATE RxImages SET RxImage = :img WHERE RxNbr = :rx AND RefNo = :ref", source);
    query.bindValue(QStringLiteral(":img"), BoundText(imageName));
    query.bindValue(QStringLiteral(":rx"), BoundText(rxNbr));
    query.bindValue(QStringLiteral(":ref"), BoundText(refNo));
    ExecKept(query, source);
    const int rows = query.numRowsAffected();
    query.finish();
    return rows;
}

void Database::DeletePrescription(const QString& rxNbr, const QString& refNo) {
    Usable(QStringLiteral("Database.DeletePrescription"));
    QSqlQuery query(Connection());
    query.prepare(QStringLiteral("DELETE FROM RxImages WHERE RxNbr = :rx AND RefNo = :ref"));
    query.bindValue(QStringLiteral(":rx"), BoundText(rxNbr));
    query.bindValue(QStringLiteral(":ref"), BoundText(refNo));
    Exec(query, QStringLiteral("Database.DeletePrescription"));
}

std::optional<Prescription> Database::Find(const QString& rxNbr, const QString& refNo) {
    Usable(QStringLiteral("Database.Find"));
    QSqlQuery query(Connection());
    query.setForwardOnly(true);
    query.prepare(
        QStringLiteral("SELECT RxNbr, RefNo, FillDate, Drug, FirstName, LastName, RxImage "
                       "FROM RxImages WHERE RxNbr = :rx AND RefNo = :ref"));
    query.bindValue(QStringLiteral(":rx"), BoundText(rxNbr));
    query.bindValue(QStringLiteral(":ref"), BoundText(refNo));
    Exec(query, QStringLiteral("Database.Find"));
    if (!query.next())
        return std::nullopt;
    Prescription p;
    ReadPrescription(query, 0, p);
    return p;
}

} // namespace quiller
