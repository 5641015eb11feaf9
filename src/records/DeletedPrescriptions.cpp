#include "records/DeletedPrescriptions.h"

#include "base/Error.h"
#include "records/SqlSupport.h"

#include <QCoreApplication>

namespace quiller {

namespace DeletedPrescriptions {

namespace {

// Runs `work` inside one transaction of `db`, rolled back when it throws.
template <typename Work> auto InTransaction(Database& db, Work&& work) {
    db.BeginTransaction();
    try {
        auto result = work();
        db.Commit();
        return result;
    } catch (...) {
        try {
            db.Rollback();
        } catch (const QuillerError&) {
            // The first failure is the one reported.
        }
        throw;
    }
}

} // namespace

bool Move(Database& db, const QString& rxNbr, const QString& refNo, const QString& keptAs,
          const QString& station, const QString& account, const QDateTime& at) {
    const QString source = QStringLiteral("DeletedPrescriptions.Move");
    return InTransaction(db, [&] {
        QSqlQuery copy(db.Connection());
        if (!copy.prepare(QStringLiteral(
                "INSERT INTO DeletedPrescriptions (RxNbr, RefNo, FillDate, Drug, FirstName, "
                "LastName, RxImage, KeptAs, DeletedAt, Station, Account) "
                "SELECT RxNbr, RefNo, FillDate, Drug, FirstName, LastName, RxImage, ?, ?, ?, ? "
                "FROM RxImages WHERE RxNbr = ? AND RefNo = ?")))
            throw SqlFailure(copy.lastError(), source);
        copy.addBindValue(BoundText(keptAs));
        copy.addBindValue(at.toUTC().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzzZ")));
        copy.addBindValue(BoundText(station));
        copy.addBindValue(BoundText(account));
        copy.addBindValue(BoundText(rxNbr));
        copy.addBindValue(BoundText(refNo));
        Exec(copy, source);
        if (copy.numRowsAffected() < 1)
            return false;
        QSqlQuery remove(db.Connection());
        if (!remove.prepare(QStringLiteral("DELETE FROM RxImages WHERE RxNbr = ? AND RefNo = ?")))
            throw SqlFailure(remove.lastError(), source);
        remove.addBindValue(BoundText(rxNbr));
        remove.addBindValue(BoundText(refNo));
        Exec(remove, source);
        return true;
    });
}

std::optional<Deleted> Newest(Database& db, const QString& rxNbr, const QString& refNo) {
    const QString source = QStringLiteral("DeletedPrescriptions.Newest");
    QSqlQuery query(db.Connection());
    if (!query.prepare(QStringLiteral(
            "SELECT RxNbr, RefNo, FillDate, Drug, FirstName, LastName, RxImage, KeptAs, "
            "DeletedAt, Station, Account, rowid FROM DeletedPrescriptions "
            "WHERE RxNbr = ? AND RefNo = ? ORDER BY rowid DESC LIMIT 1")))
        throw SqlFailure(query.lastError(), source);
    query.addBindValue(BoundText(rxNbr));
    query.addBindValue(BoundText(refNo));
    Exec(query, source);
    if (!query.next())
        return std::nullopt;
    Deleted d;
    ReadPrescription(query, 0, d.row);
    d.keptAs = query.value(7).toString();
    d.deletedAt = query.value(8).toString();
    d.station = query.value(9).toString();
    d.account = query.value(10).toString();
    d.id = query.value(11).toLongLong();
    return d;
}

void Restore(Database& db, const Deleted& deleted) {
    const QString source = QStringLiteral("DeletedPrescriptions.Restore");
    InTransaction(db, [&] {
        QSqlQuery present(db.Connection());
        if (!present.prepare(
                QStringLiteral("SELECT count(*) FROM RxImages WHERE RxNbr = ? AND RefNo = ?")))
            throw SqlFailure(present.lastError(), source);
        present.addBindValue(BoundText(deleted.row.RxNbr));
        present.addBindValue(BoundText(deleted.row.RefNo));
        Exec(present, source);
        if (present.next() && present.value(0).toInt() > 0)
            throw QuillerError(
                kErrorUnknown,
                QCoreApplication::translate("DeletedPrescriptions",
                                            "Prescription %1-%2 is recorded again since it was "
                                            "deleted; the deleted record is kept as it is.")
                    .arg(deleted.row.RxNbr, deleted.row.RefNo),
                source);
        QSqlQuery back(db.Connection());
        if (!back.prepare(QStringLiteral(
                "INSERT INTO RxImages (RxNbr, RefNo, FillDate, Drug, FirstName, LastName, RxImage) "
                "SELECT RxNbr, RefNo, FillDate, Drug, FirstName, LastName, RxImage "
                "FROM DeletedPrescriptions WHERE rowid = ?")))
            throw SqlFailure(back.lastError(), source);
        back.addBindValue(deleted.id);
        Exec(back, source);
        QSqlQuery remove(db.Connection());
        if (!remove.prepare(QStringLiteral("DELETE FROM DeletedPrescriptions WHERE rowid = ?")))
            throw SqlFailure(remove.lastError(), source);
        remove.addBindValue(deleted.id);
        Exec(remove, source);
        return true;
    });
}

} // namespace DeletedPrescriptions

} // namespace quiller
