#pragma once

#include <QDateTime>
#include <QString>

namespace quiller {

struct PageCheck;
struct StationContext;
class ScannerControl;

// Files scanned pages in the image folder and records them in their rows.
//
// - A page is written under a temporary name first and takes its own name only once
//   its row has been updated, so no file stands under a prescription's name that no
//   row points to, and a row never names a half-written file.
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
    };

    explicit ImageStore(StationContext& ctx) : ctx_(ctx) {}

    // Page `index` of the scanner's buffer as the image `name` of (rxNbr, refNo). With a
    // check, how the page was matched is recorded in the same transaction as its name.
    Result Store(ScannerControl& scanner, int index, const QString& name, const QString& rxNbr,
                 const QString& refNo, const PageCheck* check = nullptr);
    // Keeps a page that belongs to no recorded prescription; `hint` (an entry text,
    // say) starts its name. Gives the kept file relative to the image folder, or empty
    // with the scanner's error text in `reason`.
    QString KeepUnmatched(ScannerControl& scanner, int index, const QString& hint, QString* reason);

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
