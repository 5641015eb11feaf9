#pragma once

#include <QDate>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

namespace quiller {

// Looking after the station's SQLite file: its schema version, its integrity, its daily
// backups and where it lies.
namespace DatabaseCare {

// The schema version this program writes (PRAGMA user_version).
int SchemaVersion();
// Brings an open database to SchemaVersion() in one transaction: every step above the
// file's version runs, or none does. Throws QuillerError when a step fails or when the
// file was made by a newer program.
void Migrate(QSqlDatabase& db);

// SQLite's quick_check; empty when the file is sound, else what it found.
QString QuickCheck(const QSqlDatabase& db);

// The backup folder: Backups/ in the image folder.
QString BackupFolder(const QString& dataPath);
// Today's backup file name ("Marrowby-2026-12-06.mdb").
QString BackupName(const QDate& day);
// Writes a copy of the open database with VACUUM INTO unless one was made on `day`,
// then keeps only the newest `keep` backups. Returns the file written, empty when
// today's existed. Throws QuillerError when the copy cannot be made.
QString BackUpIfDue(const QSqlDatabase& db, const QString& dataPath, const QDate& day,
                    int keep = 7);

// The name of the network file system a folder lies on ("NFS", "SMB/CIFS", ...), or
// empty for a local one. SQLite's file locking cannot be trusted over these.
QString NetworkFileSystemOf(const QString& folder);

// Puts a finished file at target only when nothing is there: never replaces a file
// that another station created in the meantime. Returns false (and removes `finished`)
// when the target existed; throws QuillerError on any other failure.
bool PlaceWithoutReplacing(const QString& finished, const QString& target);

} // namespace DatabaseCare

} // namespace quiller
