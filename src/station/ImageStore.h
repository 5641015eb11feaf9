#pragma once

#include "base/Checked.h"

#include <QDateTime>
#include <QString>

namespace quiller {

struct PageCheck;
struct StationContext;
struct StagedPage;

// Files scanned pages in the image folder and records them in their rows.
//
// - A page comes from the station's staging folder (PageStaging), where it is on disk
//   already; filing renames it out of there, so a page is never written twice and never
//   half-written under its own name. Its row names it last; when the row cannot, the page
//   goes back to staging (and from there to "Unmatched/").
// - An image about to be replaced is moved first into "Replaced/" as
//   "<name> yyyy-MM-dd HH.mm.ss.jpg", byte for byte.
// - A page that cannot be filed (its prescription was not recorded, its name would
//   leave the folder, its row is gone) is kept in "Unmatched/" under a safe name with
//   the date and time: paper that went through the scanner is never lost.
// Nothing is ever written outside the image folder.
class ImageStore {
public:
    static QString ReplacedFolder() { return QStringLiteral("Replaced"); }
    static QString UnmatchedFolder() { return QStringLiteral("Unmatched"); }

    struct Result {
        bool stored = false; // the page is the prescription's image and its row says so
        QString keptAs;      // otherwise: the page's file relative to the image folder
                             // ("Unmatched/..."), empty when it could not be written at all
        QString reason;      // otherwise: why, in plain words
        // The database server is unavailable: the page was left in staging as it was, to
        // be filed once the server is back (a lost connection never sends it elsewhere).
        bool waiting = false;
    };

    explicit ImageStore(StationContext& ctx) : ctx_(ctx) {}

    // A staged page as the image `name` of (rxNbr, refNo). With a check, how the page was
    // matched is recorded in the same transaction as its name.
    Result Store(const StagedPage& page, const QString& name, const QString& rxNbr,
                 const QString& refNo, const PageCheck* check = nullptr);
    // Keeps a staged page that belongs to no recorded prescription; `hint` (an entry
    // text, say) starts its name. Gives the kept file relative to the image folder, or
    // why it could not be kept (the page then stays in staging).
    // Beside the kept page a small hidden note ".<kept name>.json" says why it was kept (`why`,
    // the hint when empty), the label read, when and by which station, for the kept
    // pages list.
    Checked<QString> KeepUnmatched(const QString& stagedPath, const QString& hint,
                                   const QString& why = {}, const QString& label = {});
    // The note beside a kept page.
    static QString NoteOf(const QString& keptPath);
    // Names the row of (rxNbr, refNo) after an image that took its name before a station
    // ended could write the row. True when the row now names it.
    bool Reconcile(const QString& name, const QString& rxNbr, const QString& refNo,
                   const PageCheck* check = nullptr);

    // "<base> yyyy-MM-dd HH.mm.ss.jpg" with the base cut to safe characters.
    static QString StampedName(const QString& base, const QDateTime& when);

    // The clock the stamps are taken from (tests set a fixed one).
    void SetClock(QDateTime (*now)()) { now_ = now; }

private:
    // A name in `folder` not yet taken: "<stamped>.jpg", then "<stamped> 2.jpg", ...
    QString FreeName(const QString& folder, const QString& base) const;
    QString Folder(const QString& sub) const;

    StationContext& ctx_;
    QDateTime (*now_)() = &QDateTime::currentDateTime;
};

} // namespace quiller
