#pragma once

#include "station/verify/LabelPattern.h"

#include <QDateTime>
#include <QList>
#include <QString>

namespace quiller {

struct StationContext;

// A page kept in "Unmatched/" of the image folder.
struct KeptPage {
    QString file;    // relative to the image folder: "Unmatched/<name>"
    QString why;     // why it was kept ("duplicate: 101-00", "no label", ...)
    QString label;   // the label read on it, empty when none
    QDateTime when;  // when it was kept
    QString station; // the station that kept it; empty when unknown
};

// The operator's work on kept pages: listing them, filing one under a prescription, or
// setting one aside into "Discarded/". A kept page is never erased: it is either filed
// (and an image it replaces moves to "Replaced/") or moved. Every action goes into the
// audit trail with the operator's account and time.
class KeptPages {
public:
    static QString DiscardedFolder() { return QStringLiteral("Discarded"); }

    explicit KeptPages(StationContext& ctx, LabelPattern pattern = LabelPattern())
        : ctx_(ctx), pattern_(std::move(pattern)) {}

    // The pages in Unmatched/, newest first. Why and label come from the note kept beside
    // the page; a page without one (kept by an older version, or its note could not be
    // written) is described by its file name and time.
    QList<KeptPage> List() const;

    enum class Outcome {
        Filed,
        HasImage,   // the prescription has an image: confirm to replace it
        OtherLabel, // the page's label names another prescription: confirm to file anyway
        Failed,     // nothing changed; `text` says why
    };
    struct Filing {
        Outcome outcome = Outcome::Failed;
        QString text;  // for the operator
        QString image; // the image name it was filed as
    };
    // Files `page` as the image of (rxNbr, refNo). Without the confirmations it stops at
    // the first question: a label naming another prescription, then an image that would
    // be replaced.
    Filing File(const KeptPage& page, const QString& rxNbr, const QString& refNo,
                bool labelConfirmed, bool replaceConfirmed);
    // Moves `page` (and its note) into Discarded/; gives the new place relative to the
    // image folder. Throws QuillerError when it cannot be moved (nothing changed).
    QString SetAside(const KeptPage& page);

private:
    StationContext& ctx_;
    LabelPattern pattern_;
};

} // namespace quiller
