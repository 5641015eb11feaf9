#pragma once

#include "station/Acquisition.h"

#include <QList>
#include <functional>

namespace quiller {

// The prescriptions of the latest batches whose page never came (a feeder without a
// sensor that ran empty, a jam, a batch cancelled at the glass), in their batches' order:
// what "Scan the rest" acquires in one go.
class BatchRest {
public:
    // A new run of batches begins: what an earlier run left is no longer the rest.
    void Clear() { targets_.clear(); }
    // A batch has ended: its prescriptions from the first page that did not come on.
    void Ended(const Acquisition& a);
    bool IsEmpty() const { return targets_.isEmpty(); }
    const QList<ScanTarget>& Targets() const { return targets_; }
    // The rest as an earlier run of the program left it.
    void Restore(QList<ScanTarget> targets) { targets_ = std::move(targets); }
    // Takes the rest, without the prescriptions `scannedSince` says got their page by
    // now (one at a time, with the Scan button).
    QList<ScanTarget> Take(const std::function<bool(const ScanTarget&)>& scannedSince);

private:
    QList<ScanTarget> targets_;
};

} // namespace quiller
