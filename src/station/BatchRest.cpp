#include "station/BatchRest.h"

#include <algorithm>
#include <utility>

namespace quiller {

void BatchRest::Ended(const Acquisition& a) {
    if (a.kind() == Acquisition::Kind::Batch)
        targets_ << a.WithoutPage();
}

QList<ScanTarget> BatchRest::Take(const std::function<bool(const ScanTarget&)>& scannedSince) {
    QList<ScanTarget> rest;
    for (const ScanTarget& t : std::as_const(targets_))
        if (!scannedSince(t))
            rest << t;
    targets_.clear();
    return rest;
}

} // namespace quiller
