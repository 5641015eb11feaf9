#pragma once

// One acquisition on the worker. Private to the scanner layer.

#include "scanner/SaneWorker.h"

#include <functional>

namespace quiller::sane {

// Error codes of the station's own (not the device's) for an ended acquisition.
constexpr int kUnreadableImage = 102;
constexpr int kDoubleFeed = 105;

// Opens the device, applies the request and reads pages (one from the flatbed; from the
// feeder until it runs empty), each built, brought to the asked pixel type, stamped with
// the device's real resolution and encoded here, off the GUI thread. deliverPage gets each
// page, finish the end (0 and empty text, or the code and a sentence for the operator).
void Scan(Worker& w, const ScanRequest& r, const QString& deviceText,
          const std::function<void(EncodedPage)>& deliverPage,
          const std::function<void(int, const QString&)>& finish);

} // namespace quiller::sane
