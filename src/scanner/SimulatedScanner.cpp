#include "scanner/SimulatedScanner.h"

#include <QPainter>
#include <QTimer>

namespace quiller {

SimulatedScanner::SimulatedScanner(QObject* parent) : ScannerControl(parent) {}

QImage SimulatedScanner::MakePage(int number) const {
    QImage page(script_.pageSize, script_.pageFormat);
    page.fill(Qt::white);
    QPainter painter(&page);
    painter.setPen(Qt::black);
    painter.drawRect(page.rect().adjusted(2, 2, -3, -3));
    painter.drawText(page.rect(), Qt::AlignCenter, QStringLiteral("Page %1").arg(number));
    return page;
}

void SimulatedScanner::AddImages(int count) {
    for (int i = 0; i < count; ++i)
        AppendImage(MakePage(++pageNumber_));
}

bool SimulatedScanner::StartDevice() {
    log_ << QStringLiteral("StartDevice");
    started_ = script_.startDeviceAnswer;
    return started_;
}

void SimulatedScanner::StopDevice() {
    log_ << QStringLiteral("StopDevice");
    acquiring_ = false;
    started_ = false;
}

QString SimulatedScanner::SourceName(int index) const {
    return index >= 0 && index < script_.sources.size() ? script_.sources.at(index) : QString();
}

void SimulatedScanner::SetSourceIndex(int index) {
    log_ << QStringLiteral("SourceIndex=%1").arg(index);
    sourceIndex_ = index;
}

int SimulatedScanner::OpenSource() {
    log_ << QStringLiteral("OpenSource");
    return 1;
}

int SimulatedScanner::CloseSource() {
    log_ << QStringLiteral("CloseSource");
    return 1;
}

int SimulatedScanner::Acquire() {
    log_ << QStringLiteral("Acquire");
    ++acquireCount_;
    acquiring_ = true;
    delivered_ = 0;
    ClearError();
    if (!script_.manual)
        QTimer::singleShot(0, this, &SimulatedScanner::DeliverNext);
    return 1;
}

void SimulatedScanner::DeliverNext() {
    if (!acquiring_)
        return;
    if (script_.failAfterPages >= 0 && delivered_ >= script_.failAfterPages) {
        FinishAcquisition(script_.failCode, script_.failText);
        return;
    }
    if (delivered_ >= script_.pagesPerAcquire) {
        FinishAcquisition();
        return;
    }
    DeliverPage();
    QTimer::singleShot(0, this, &SimulatedScanner::DeliverNext);
}

void SimulatedScanner::DeliverPage(const QImage& page) {
    ++delivered_;
    AppendImage(page.isNull() ? MakePage(++pageNumber_) : page);
    emit PostScan(0);
}

void SimulatedScanner::FinishAcquisition(int errorCode, const QString& errorText) {
    acquiring_ = false;
    SetError(errorCode, errorText);
    emit PostScan(1);
}

int SimulatedScanner::DocumentFeedAvailable() {
    log_ << QStringLiteral("DocumentFeedAvailable");
    return script_.feederAvailable ? 1 : 0;
}

int SimulatedScanner::DocumentLoaded() {
    ++documentLoadedCount_;
    log_ << QStringLiteral("DocumentLoaded");
    if (!script_.documentLoadedAnswers.isEmpty())
        return script_.documentLoadedAnswers.takeFirst();
    return script_.documentLoadedDefault;
}

int SimulatedScanner::SetScanFrame(float left, float top, float right, float bottom) {
    log_ << QStringLiteral("SetScanFrame(%1,%2,%3,%4)").arg(left).arg(top).arg(right).arg(bottom);
    return ScannerControl::SetScanFrame(left, top, right, bottom);
}

int SimulatedScanner::DeleteImage(int index) {
    if (script_.refuseDelete) {
        SetError(5, tr("The image cannot be deleted."));
        return 0;
    }
    return ScannerControl::DeleteImage(index);
}

int SimulatedScanner::RotateImage(int index, float angle, int flags) {
    if (script_.refuseRotate) {
        SetError(6, tr("The image cannot be rotated."));
        return 0;
    }
    return ScannerControl::RotateImage(index, angle, flags);
}

void SimulatedScanner::OnValueWritten(Setting s, int value) {
    log_ << QStringLiteral("%1=%2").arg(SettingName(s)).arg(value);
}

} // namespace quiller
