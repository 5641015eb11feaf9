#include "gui/scan/ScanIntake.h"

#include "gui/scan/frmScan.h"

#include <QPointer>
#include <QTimer>

namespace quiller {

ScanIntake::ScanIntake(frmScan& scan, std::function<void()> startBatch, std::function<bool()> busy)
    : QObject(&scan), list_(scan.ListView1),
      tick_(scan.Context(), list_,
            PollingHooks{std::move(startBatch),
                         [timer = scan.Timer1](bool on) {
                             if (on)
                                 timer->start();
                             else
                                 timer->stop();
                         },
                         [timer = scan.Timer2] { timer->stop(); },
                         [this](std::vector<TickReport> reports) {
                             for (TickReport& r : reports)
                                 pending_.push_back(std::move(r));
                             QTimer::singleShot(0, this, &ScanIntake::ShowReports);
                         },
                         std::move(busy)}) {
    connect(scan.Timer1, &QTimer::timeout, this, &ScanIntake::Tick);
}

void ScanIntake::Tick() {
    if (!reporting_)
        tick_.Timer1_Timer();
}

void ScanIntake::ShowReports() {
    if (reporting_)
        return;
    reporting_ = true;
    QPointer<ScanIntake> self(this);
    while (!pending_.empty()) {
        const TickReport report = pending_.front();
        pending_.erase(pending_.begin());
        report.Show();
        if (!self)
            return; // the scan window went away while the box was open
    }
    reporting_ = false;
}

} // namespace quiller
