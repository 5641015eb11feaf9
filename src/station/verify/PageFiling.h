#pragma once

#include "station/verify/LabelPattern.h"
#include "station/verify/PageCodeReader.h"

#include <QList>
#include <QString>
#include <optional>

namespace quiller {

// Which prescription each scanned page of an acquisition belongs to.
//
// The label on a page decides, wherever the page comes in the stack: a page whose label
// names one of the acquisition's prescriptions is filed for it ("verified"). A page
// without a readable label is filed "by position": for the first prescription, in the
// acquisition's order, that has no page. Labels that name none of them keep their page
// apart ("unmatched"), and so does a second labelled page for a prescription that
// already has one ("duplicate"); the report names their labels. A page whose labels
// name two different prescriptions is never filed: it cannot say which one it is.
//
// The same prescription listed twice (two data files of one tick both name it) is one
// prescription: it gets one page, one outcome, and its page is verified by its label.
//
// Ordering: a labelled page may arrive after an unlabelled page that, counted in order,
// would have taken its prescription (sheets swapped, a double feed before it). So the
// labelled pages are decided first, over the whole batch, and the unlabelled ones fill
// the prescriptions left over, in arrival order. The cost is that a by-position choice
// is only final when the batch ends: a live batch shows provisional choices
// that a later labelled page may move, and the station stores pages when the batch ends.
// Filing each page for good as it arrives would be simpler, but would file the wrong
// page for the first prescription after every double feed.
enum class FilingMode {
    Off,     // no label is read: the k-th page is for the k-th prescription, as ever
    Check,   // labels decide; pages without one are filed by position
    Require, // labels decide; pages without one are kept apart
};

// "off", "check" or "require" (any case, blanks ignored); nothing for anything else (the
// caller says so and uses Check, the default).
std::optional<FilingMode> filingModeFromSetting(const QString& text);
QString filingModeName(FilingMode mode);

// A prescription of the acquisition as the data file gives it ("123", "01"). A blank
// refill is read as refill 0.
struct ExpectedRx {
    QString rx;
    QString refill;
    QString display() const; // "123-01"
};

struct PageDecision {
    enum class Status { Verified, ByPosition, Unmatched, Duplicate };
    // Why a page was kept apart (Unmatched only).
    enum class Why {
        None,
        ForeignLabel,       // its label names no prescription of this acquisition
        ConflictingLabels,  // its labels name two different prescriptions
        NoLabel,            // no label, and labels are required
        AmbiguousLabel,     // Rx number without refill, several refills expected; required
        NoPrescriptionLeft, // no label, and every prescription has its page
    };
    Status status = Status::Unmatched;
    Why why = Why::None;
    int prescription = -1; // index into the expected list; -1 when kept apart
    QString label;         // the label text that decided; for conflicting labels, each one
                           // as read, joined by ", "
    QStringList others;    // the page's codes that are not labels: "format: text"
    QList<int> named;      // conflicting labels: the prescriptions of the list they name
    friend bool operator==(const PageDecision&, const PageDecision&) = default;
};

struct FilingResult {
    QList<PageDecision> pages; // one per page, in arrival order
    int verified = 0;
    int byPosition = 0;
    int unmatched = 0;
    int duplicates = 0;
    QList<int> withoutPage; // prescriptions (indices, in order) that got no page; a
                            // prescription listed twice is named once
    // For each expected prescription, the index of its first listing: itself, or the
    // earlier entry it repeats (same Rx number and refill). A repeat shares its first
    // listing's page and outcome.
    QList<int> firstListing;
};

// Files a whole batch. `pages` holds each page's codes as PageCodeReader read them, in
// arrival order. Codes that are not labels of `pattern` (another barcode on the page)
// are ignored. A label with an Rx number but no refill names the prescription with that
// number when exactly one has it; when several refills of it are expected, the page is
// filed by position among those refills (in Require mode it is kept apart).
FilingResult fileBatch(const QList<ExpectedRx>& expected, const QList<QList<PageCode>>& pages,
                       FilingMode mode, const LabelPattern& pattern = LabelPattern());

// Why a page was kept apart, in words for the operator: "no label", "two labels: 7315-00,
// 7316-00", "label of another prescription: 999-00", "duplicate: 101-00"; empty for a
// filed page.
QString keptReason(const PageDecision& decision);
// The codes of a page that are not labels, as noted beside its filing: each "format:
// text", the text cut short and stripped of control characters, joined by "; ".
QString otherCodesNote(const QStringList& others);

// The result in plain words for the operator, e.g. "12 pages verified by their label,
// 1 filed by position, 1 kept as unmatched (label 999-00), no page for 124-00."
QString filingReport(const FilingResult& result, const QList<ExpectedRx>& expected);

} // namespace quiller
