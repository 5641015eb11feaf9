#pragma once

#include "scanner/SimulatedScanner.h"

#include <QTimer>

namespace quiller::test {

// The simulated scanner with every behaviour scripted and every call that matters logged
// in order, for fast tests of everything above the device adapter.
class ScriptedScanner : public SimulatedScanner {
public:
    struct Script : SimulatedScanner::Script {
        // Answers of DocumentLoaded, consumed in order; then documentLoadedDefault.
        QList<int> documentLoadedAnswers;
        // When >= 0: the acquisition fails after this many pages.
        int failAfterPages = -1;
        int failCode = 9;
        QString failText = QStringLiteral("The document feeder jammed.");
        // When true, Acquire delivers nothing by itself; the test calls DeliverPage and
        // FinishAcquisition.
        bool manual = false;
        // When true, Acquire refuses to start (and nothing arrives).
        bool refuseAcquire = false;
        bool refuseDelete = false;
    };

    explicit ScriptedScanner(QObject* parent = nullptr) : SimulatedScanner(parent) {
        UseScript(script_);
    }

    Script& script() { return script_; }
    // Calls and written values in order: "ScanSettingB=0", "OpenSource",
    // "SetScanFrame(0,0,8,12)", "Acquire", ...
    const QStringList& log() const { return log_; }
    void clearLog() { log_.clear(); }
    int acquireCount() const { return acquireCount_; }
    int documentLoadedCount() const { return documentLoadedCount_; }
    // Puts images into the buffer without raising PostScan (buffer set-up in tests).
    void AddImages(int count) {
        for (int i = 0; i < count; ++i)
            AppendImage(MakePage(NextPageNumber()));
    }

    bool StartDevice() override {
        log_ << QStringLiteral("StartDevice");
        return SimulatedScanner::StartDevice();
    }
    void StopDevice() override {
        log_ << QStringLiteral("StopDevice");
        SimulatedScanner::StopDevice();
    }
    void SetSourceIndex(int index) override {
        log_ << QStringLiteral("SourceIndex=%1").arg(index);
        SimulatedScanner::SetSourceIndex(index);
    }
    ScanResult OpenSource() override {
        log_ << QStringLiteral("OpenSource");
        return ScanResult::Done();
    }
    ScanResult CloseSource() override {
        log_ << QStringLiteral("CloseSource");
        return ScanResult::Done();
    }
    ScanResult Acquire() override {
        log_ << QStringLiteral("Acquire");
        ++acquireCount_;
        if (script_.refuseAcquire)
            return ScanResult::Failed(10, QStringLiteral("The scanner is warming up."));
        manualNow_ = script_.manual;
        return SimulatedScanner::Acquire();
    }
    int DocumentFeedAvailable() override {
        log_ << QStringLiteral("DocumentFeedAvailable");
        return SimulatedScanner::DocumentFeedAvailable();
    }
    int DocumentLoaded() override {
        ++documentLoadedCount_;
        log_ << QStringLiteral("DocumentLoaded");
        if (!script_.documentLoadedAnswers.isEmpty())
            return script_.documentLoadedAnswers.takeFirst();
        return SimulatedScanner::DocumentLoaded();
    }
    ScanResult SetScanFrame(float left, float top, float right, float bottom) override {
        log_ << QStringLiteral("SetScanFrame(%1,%2,%3,%4)")
                    .arg(left)
                    .arg(top)
                    .arg(right)
                    .arg(bottom);
        return SimulatedScanner::SetScanFrame(left, top, right, bottom);
    }
    ScanResult DeleteImage(int index) override {
        if (script_.refuseDelete)
            return ScanResult::Failed(5, QStringLiteral("The image cannot be deleted."));
        return SimulatedScanner::DeleteImage(index);
    }

protected:
    void DeliverNext() override {
        if (manualNow_ || !IsAcquiring())
            return;
        if (script_.failAfterPages >= 0 && Delivered() >= script_.failAfterPages) {
            FinishAcquisition(script_.failCode, script_.failText);
            return;
        }
        SimulatedScanner::DeliverNext();
    }
    void OnValueWritten(Setting s, int value) override {
        log_ << QStringLiteral("%1=%2").arg(SettingName(s)).arg(value);
    }

private:
    Script script_;
    QStringList log_;
    bool manualNow_ = false;
    int acquireCount_ = 0;
    int documentLoadedCount_ = 0;
};

} // namespace quiller::test
