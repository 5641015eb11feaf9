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
// file's version runs, or none does. A SQLite file with rows is first copied whole to
// Backups/ ("Marrowby-before-schema-3-2026-12-07.mdb", logged) and is not upgraded
// when the copy cannot be made. A busy database is waited for, and the upgrade tried
// again. Doubled rows keep the one DoubledRows::Kept chooses (images in imageFolder);
// the other rows' images move to Replaced/ once the upgrade is committed. Throws
// QuillerError kErrorUpgradeFailed naming the file, the cause and the copy when the
// database cannot be brought up to date, or was made by a newer program.
void Migrate(QSqlDatabase& db, const QString& imageFolder = QString(),
             const QString& source = QStringLiteral("DatabaseCare.Migrate"));

// What a database file is found to be before it is opened.
struct FileHealth {
    enum Kind { Missing, Sound, Damaged } kind = Missing;
    QString finding; // for a damaged file: what is wrong, in plain words
};
// Missing only when no file exists; a 0-byte file, a file that is not a SQLite
// database, or one that fails quick_check is Damaged. A file another program holds
// busy is taken as sound (it is opened and checked again).
FileHealth InspectFile(const QString& path);
// The same without quick_check: only what the file's size and header tell.
FileHealth InspectHeader(const QString& path);
// The newest backup in Backups/ that is sound and holds prescriptions; empty when none.
QString NewestGoodBackup(const QString& dataPath);
// Puts `backup` in place of the damaged database of dataPath: the damaged file (and its
// journal files) is first kept aside as "Marrowby.mdb.damaged-<yyyyMMdd-HHmmss>".
// Returns the name it was kept as; throws QuillerError when a step fails (the damaged
// file then stays where it was or is kept aside, never lost).
QString RestoreBackup(const QString& dataPath, const QString& backup);

// SQLite's quick_check; empty when the file is sound, else what it found.
QString QuickCheck(const QSqlDatabase& db);

// The backup folder: Backups/ in the image folder.
QString BackupFolder(const QString& dataPath);
// Today's backup file name ("Marrowby-2026-12-06.mdb"); only files named so are the
// station's own and rotate (an administrator's copies stay).
QString BackupName(const QDate& day);
// Writes a copy of the open database with VACUUM INTO unless one was made on `day`,
// then keeps only the newest `keep` good backups (sound, with prescriptions). A
// database without prescriptions is not backed up (it would push a good backup out);
// a damaged one is refused (kErrorDatabaseDamaged). Leftover ".part" files of the
// station's backups are removed. Returns the file written, empty when none was due.
// Throws QuillerError when the copy cannot be made.
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
