#pragma once

#include "scanner/ScannerControl.h"

#include <QSize>
#include <QStringList>

namespace quiller {

// An in-process scanner for fast tests of everything above the device adapter. Every
// behaviour is scripted; every call that matters is logged in order.
class SimulatedScanner : public ScannerControl {
    Q_OBJECT
public:
    struct Script {
        QStringList sources{QStringLiteral("Simulated Flatbed"),
                            QStringLiteral("Simulated Feeder")};
        bool startDeviceAnswer = true;
        bool feederAvailable = false;
        // Answers of DocumentLoaded, consumed in order; then documentLoadedDefault.
        QList<int> documentLoadedAnswers;
        int documentLoadedDefault = 1;
        // Pages an acquisition delivers, one per event-loop turn, then the end.
        int pagesPerAcquire = 1;
        QSize pageSize{170, 220};
        QImage::Format pageFormat = QImage::Format_Grayscale8;
        // When >= 0: the acquisition fails after this many pages.
        int failAfterPages = -1;
        int failCode = 9;
        QString failText = QStringLiteral("The document feeder jammed.");
        // When true, Acquire delivers nothing by itself; the test calls
        // DeliverPage and FinishAcquisition.
        bool manual = false;
        bool refuseDelete = false;
        bool refuseRotate = false;
    };

    explicit SimulatedScanner(QObject* parent = nullptr);

    Script& script() { return script_; }
    // Calls and written values in order: "ScanSettingB=0", "OpenSource",
    // "SetScanFrame(0,0,8,12)", "Acquire", ...
    const QStringList& log() const { return log_; }
    void clearLog() { log_.clear(); }
    int acquireCount() const { return acquireCount_; }
    int documentLoadedCount() const { return documentLoadedCount_; }

    // Manual delivery.
    void DeliverPage(const QImage& page = QImage());
    void FinishAcquisition(int errorCode = 0, const QString& errorText = QString());
    // Puts images into the buffer without raising PostScan (buffer set-up in tests).
    void AddImages(int count);
    QImage MakePage(int number) const;

    bool StartDevice() override;
    void StopDevice() override;
    int SourceCount() const override { return started_ ? int(script_.sources.size()) : 0; }
    QString SourceName(int index) const override;
    int SourceIndex() const override { return sourceIndex_; }
    void SetSourceIndex(int index) override;
    int OpenSource() override;
    int CloseSource() override;
    int Acquire() override;
    bool IsAcquiring() const override { return acquiring_; }
    int DocumentFeedAvailable() override;
    int DocumentLoaded() override;
    int SetScanFrame(float left, float top, float right, float bottom) override;
    int DeleteImage(int index) override;
    int RotateImage(int index, float angle, int flags) override;

protected:
    void OnValueWritten(Setting s, int value) override;

private:
    void DeliverNext();

    Script script_;
    QStringList log_;
    bool started_ = false;
    bool acquiring_ = false;
    int sourceIndex_ = 0;
    int acquireCount_ = 0;
    int documentLoadedCount_ = 0;
    int delivered_ = 0;
    int pageNumber_ = 0;
};

} // namespace quiller
