#include "scanner/SimulatedScanner.h"

#include <QPainter>
#include <QTimer>

namespace quiller {

SimulatedScanner::SimulatedScanner(QObject* parent) : ScannerControl(parent) {}

QImage SimulatedScanner::MakePage(int number) const {
    const Script& s = script();
    QImage page(s.pageSize, s.pageFormat);
    page.fill(Qt::white);
    QPainter painter(&page);
    painter.setPen(Qt::black);
    painter.drawRect(page.rect().adjusted(2, 2, -3, -3));
    painter.drawText(page.rect(), Qt::AlignCenter, QStringLiteral("Page %1").arg(number));
    return page;
}

bool SimulatedScanner::StartDevice() {
    started_ = script().startDeviceAnswer;
    return started_;
}

void SimulatedScanner::StopDevice() {
    acquiring_ = false;
    started_ = false;
}

int SimulatedScanner::SourceCount() const {
    return started_ ? int(script().sources.size()) : 0;
}

QString SimulatedScanner::SourceName(int index) const {
    const QStringList& sources = script().sources;
    return index >= 0 && index < sources.size() ? sources.at(index) : QString();
}

ScanResult SimulatedScanner::Acquire() {
    acquiring_ = true;
    delivered_ = 0;
    SetAcquisitionResult(ScanResult::Done());
    QTimer::singleShot(0, this, &SimulatedScanner::DeliverNext);
    return ScanResult::Done();
}

void SimulatedScanner::DeliverNext() {
    if (!acquiring_)
        return;
    if (delivered_ >= script().pagesPerAcquire) {
        FinishAcquisition();
        return;
    }
    DeliverPage();
    QTimer::singleShot(0, this, &SimulatedScanner::DeliverNext);
}

void SimulatedScanner::DeliverPage(const QImage& page) {
    ++delivered_;
    AppendImage(page.isNull() ? MakePage(NextPageNumber()) : page);
    emit PostScan(0);
}

void SimulatedScanner::FinishAcquisition(int errorCode, const QString& errorText) {
    acquiring_ = false;
    SetAcquisitionResult({errorCode, errorText});
    emit PostScan(1);
}

int SimulatedScanner::DocumentFeedAvailable() {
    return script().feederAvailable ? 1 : 0;
}

int SimulatedScanner::DocumentLoaded() {
    return script().documentLoadedDefault;
}

} // namespace quiller
