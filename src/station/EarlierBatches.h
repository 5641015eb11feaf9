#pragma once

#include "base/Checked.h"
#include "station/Acquisition.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

namespace quiller {

struct LabelKey;

// The prescriptions this station has scanned for over the last days, kept in a file of
// its staging folder. A page whose label names none of its own batch's prescriptions may
// belong to one of these (the sheets left in the feeder after a double feed come in the
// next batch): it is filed there when that prescription is still without its image.
// Only this station's batches count: a label of another station's prescription on a
// shared database stays unmatched.
class EarlierBatches {
public:
    static constexpr int kKeepDays = 14;

    explicit EarlierBatches(QString file) : file_(std::move(file)) {}
    const QString& File() const { return file_; }

    // Reads the file (a missing or damaged file is an empty list).
    void Load();
    // Writes it durably; false with `error` set when it cannot.
    Outcome Save() const;

    // The prescriptions of a batch begun at `when`; entries older than kKeepDays are
    // dropped, and a prescription listed again keeps its latest time.
    void Add(const QList<ScanTarget>& targets, const QDateTime& when);
    int Count() const { return int(entries_.size()); }

    // The prescription the label names among these (not older than kKeepDays before
    // `now`) and `more` (the rest list): the Rx number must be the same number, and so
    // must the refill when the label has one; a label without refill names a
    // prescription only when one alone has its Rx number. Prescriptions not recorded are
    // never named.
    std::optional<ScanTarget> Named(const LabelKey& key, const QList<ScanTarget>& more,
                                    const QDateTime& now) const;

private:
    struct Entry {
        ScanTarget target;
        QDateTime when;
    };
    QString file_;
    QList<Entry> entries_;
};

} // namespace quiller
