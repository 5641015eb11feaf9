#pragma once

// The list of SANE devices. Private to the scanner layer.

#include "scanner/SaneScanner.h"

#include <QList>
#include <optional>

namespace quiller::sane {

class Worker;

// Lists the devices (on a worker thread; the call can take seconds on a network).
// Devices without a name are left out. No list when SANE did not answer in time.
std::optional<QList<SaneSource>> ListDevices(Worker& worker);

// Appends to known the devices of found it does not hold yet. Two devices of one model
// would read alike: their device names tell them apart.
void MergeSources(QList<SaneSource>& known, const QList<SaneSource>& found);

// The last complete listing of this process, so that a second scanner control (the
// configuration dialog beside the scan window) shows the devices at once.
void RememberListing(const QList<SaneSource>& found);
QList<SaneSource> LastListing();

} // namespace quiller::sane
