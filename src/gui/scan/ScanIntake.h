#pragma once

#include "gui/scan/ToBeScannedList.h"
#include "station/PollingTick.h"

#include <QObject>
#include <functional>
#include <vector>

namespace quiller {

class frmScan;

// The intake half of the scan window: its list adapter and polling tick, living as long
// as the window. Timer1 runs the tick; the tick's reports are shown from a queued call
// after the tick has returned, so that the window may go away while a box is open, and
// no tick runs while one is open or while `busy` says a batch is running.
class ScanIntake : public QObject {
    Q_OBJECT
public:
    ScanIntake(frmScan& scan, std::function<void()> startBatch, std::function<bool()> busy);

    // What Timer1 runs: one polling tick, unless a report of an earlier tick is open.
    void Tick();
    bool Reporting() const { return reporting_; }

private:
    void ShowReports();

    ToBeScannedList list_;
    PollingTick tick_;
    std::vector<TickReport> pending_;
    bool reporting_ = false;
};

} // namespace quiller
