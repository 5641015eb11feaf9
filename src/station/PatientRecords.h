#pragma once

#include "station/StationContext.h"

#include <QDate>
#include <QString>

namespace quiller {

struct StationContext;
class SettingsStore;

// What the station does with patient data beyond filing it: the audit trail of every
// access, deletion that keeps the record and its image for an administrator, and the
// administrator's commands (audit listing, purge of old audit rows, restore).
namespace PatientRecords {

// The folder of deleted prescriptions' images, inside the image folder.
inline QString DeletedFolder() {
    return QStringLiteral("Deleted");
}

// Appends one access to the audit trail of the open database. A failure to record is
// logged and never stops the operator's action.
void RecordAccess(const StationContext& app, const QString& action, const QString& rxNbr = {},
                  const QString& refNo = {}, const QString& detail = {},
                  const QString& outcome = QStringLiteral("done"));

// While one is alive, the accesses recorded on `app` are held back instead of written:
// each entry is a commit that waits for the disk or the server, and a search records
// itself and the preview of its first row before its rows can be painted. The held
// entries keep the time they were recorded and are written, in their order, by
// WriteHeldAccesses, which every later RecordAccess runs first.
class AccessHold {
public:
    explicit AccessHold(const StationContext& app) : app_(app) { ++app_.accessHolds; }
    ~AccessHold() { --app_.accessHolds; }
    AccessHold(const AccessHold&) = delete;
    AccessHold& operator=(const AccessHold&) = delete;

private:
    const StationContext& app_;
};
void WriteHeldAccesses(const StationContext& app);

// The operator's Delete: the image `imageName` (may be empty) moves to Deleted/ under a
// stamped name and the row to the deleted prescriptions, each put back when the other
// fails. Recorded in the audit trail either way; throws QuillerError on failure.
void DeleteKeepingImage(const StationContext& app, const QString& rxNbr, const QString& refNo,
                        const QString& imageName);

// Gives back the most recently deleted record of "RX-REFILL" and its identical image;
// says what it did. Throws QuillerError (nothing changed) when there is none, or when
// its key or image name is in use again.
QString RestoreDeleted(const StationContext& app, const QString& rxRefill);

// Opens the database the settings name for an administrator's command, without a
// window: the file in the image folder (never created here) or the server. Sets the
// context's folders and station identifier from the settings.
void OpenForTool(StationContext& app, const SettingsStore& settings);

// How many years audit rows are kept before --purge-older-than may remove them
// ([audit] KeepYears, 7 by default; never less than 1).
int AuditKeepYears(const SettingsStore& settings);
// Removes the audit rows older than `olderThan`, which must lie at least `keepYears`
// before `today`; says how many went. Throws QuillerError otherwise.
QString PurgeAudit(const StationContext& app, int keepYears, const QDate& olderThan,
                   const QDate& today = QDate::currentDate());

// An administrator's command given on the command line.
struct AdminCommand {
    bool audit = false;   // print the audit trail as CSV
    QDate from, to;       // its days (null: open)
    QString rxNbr;        // its prescription (empty: all)
    QDate purgeOlderThan; // remove audit rows older than this day (null: none)
    QString restore;      // "RX-REFILL" to restore (empty: none)
    bool any() const { return audit || purgeOlderThan.isValid() || !restore.isEmpty(); }
};
// Runs it on the database of `settings` without a display: what it prints goes to
// `out`, a failure to `error`. Gives the exit status (0 done, 1 failed).
int RunAdminCommand(const AdminCommand& command, const SettingsStore& settings, QString& out,
                    QString& error);

} // namespace PatientRecords

} // namespace quiller
