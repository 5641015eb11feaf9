#pragma once

#include <QString>
#include <QStringList>

namespace quiller {

class LabelPattern;
class PageStaging;
struct StationContext;

// What finishing an earlier run's staging did.
struct RecoveryResult {
    int filed = 0;      // pages filed under their prescription
    int reconciled = 0; // images that had their name and now have their row too
    QStringList kept;   // pages kept in "Unmatched/", as "Unmatched/<name>: reason"
    QStringList failed; // what could not be done, in words; those pages stay in staging
    bool Empty() const {
        return filed == 0 && reconciled == 0 && kept.isEmpty() && failed.isEmpty();
    }
    // One message for the operator; empty when there was nothing to do.
    QString Report() const;
};

// Finishes what earlier runs of this station left in its own staging folder (a crash, a
// power cut, a kill), from their journals:
// - a page whose place was decided is filed there: by its label, or by its position when
//   the journal shows that its batch had ended (without label reading, a page's position
//   is decided when it arrives);
// - an image that took its name while its row was not written yet gets its row;
// - every other page goes to "Unmatched/" with the reason "the station stopped before
//   this page was filed"; a page file no journal line names goes there too.
// A journal whose pages have all left staging is removed. `staging` must be open (this
// process holds the folder); another station's staging is never read.
RecoveryResult RecoverStaging(StationContext& ctx, PageStaging& staging,
                              const LabelPattern& pattern);

} // namespace quiller
