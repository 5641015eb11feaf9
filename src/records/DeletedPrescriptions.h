#pragma once

#include "records/Database.h"

#include <QDateTime>
#include <QString>
#include <optional>

namespace quiller {

// Prescriptions an operator deleted: their RxImages rows are moved whole into table
// DeletedPrescriptions, with where their image was kept, so an administrator can put
// them back. Nothing is erased.
namespace DeletedPrescriptions {

struct Deleted {
    qint64 id = 0;
    Prescription row; // FillDate as stored (ISO text)
    QString keptAs;   // the image's file relative to the image folder ("Deleted/...")
    QString deletedAt;
    QString station;
    QString account;
};

// Moves the row of (rxNbr, refNo) from RxImages into DeletedPrescriptions in one
// transaction. Returns false (and changes nothing) when RxImages has no such row;
// throws QuillerError when the database fails (nothing is then moved).
bool Move(Database& db, const QString& rxNbr, const QString& refNo, const QString& keptAs,
          const QString& station, const QString& account,
          const QDateTime& at = QDateTime::currentDateTimeUtc());
// The most recently deleted row of (rxNbr, refNo).
std::optional<Deleted> Newest(Database& db, const QString& rxNbr, const QString& refNo);
// Puts a deleted row back into RxImages and takes it out of DeletedPrescriptions in one
// transaction. Throws QuillerError, changing nothing, when RxImages holds a row of the
// same key again (it is never overwritten) or the database fails.
void Restore(Database& db, const Deleted& deleted);

} // namespace DeletedPrescriptions

} // namespace quiller
