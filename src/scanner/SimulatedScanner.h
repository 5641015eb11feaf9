#pragma once

#include "scanner/ScannerControl.h"

#include <QSize>
#include <QStringList>

namespace quiller {

// An in-process scanner with generated pages: a device list, a feeder or not, and an
// acquisition that delivers its pages one per event-loop turn, then the end. It stands in
// for a device where no scanner is wanted (quiller-bench); the tests' scripted scanner
// builds on it.
class SimulatedScanner : public ScannerControl {
    Q_OBJECT
public:
    struct Script {
        QStringList sources{QStringLiteral("Simulated Flatbed"),
                            QStringLiteral("Simulated Feeder")};
        bool startDeviceAnswer = true;
        bool feederAvailable = false;
        int documentLoadedDefault = 1;
        // Pages an acquisition delivers, one per event-loop turn, then the end.
        int pagesPerAcquire = 1;
        QSize pageSize{170, 220};
        QImage::Format pageFormat = QImage::Format_Grayscale8;
    };

    explicit SimulatedScanner(QObject* parent = nullptr);

    Script& script() { return *active_; }
    const Script& script() const { return *active_; }

    // Hands a page over as a scanner does (a generated one when none is given).
    void DeliverPage(const QImage& page = QImage());
    // Ends the acquisition, as it ended on a device.
    void FinishAcquisition(int errorCode = 0, const QString& errorText = QString());
    QImage MakePage(int number) const;

    bool StartDevice() override;
    void StopDevice() override;
    int SourceCount() const override;
    QString SourceName(int index) const override;
    int SourceIndex() const override { return sourceIndex_; }
    void SetSourceIndex(int index) override { sourceIndex_ = index; }
    ScanResult OpenSource() override { return ScanResult::Done(); }
    ScanResult CloseSource() override { return ScanResult::Done(); }
    ScanResult Acquire() override;
    bool IsAcquiring() const override { return acquiring_; }
    int DocumentFeedAvailable() override;
    int DocumentLoaded() override;

protected:
    // A subclass with a script of its own (derived from Script) makes it the one read.
    void UseScript(Script& script) { active_ = &script; }
    // Delivers the next page of the running acquisition, or its end.
    virtual void DeliverNext();
    int Delivered() const { return delivered_; }
    int NextPageNumber() { return ++pageNumber_; }

private:
    Script script_;
    Script* active_ = &script_;
    bool started_ = false;
    bool acquiring_ = false;
    int sourceIndex_ = 0;
    int delivered_ = 0;
    int pageNumber_ = 0;
};

} // namespace quiller
