#include "station/verify/PageReading.h"

#include <QMetaObject>
#include <QThread>

#include <algorithm>

namespace quiller {

PageReading::PageReading(int threads, QObject* parent) : QObject(parent) {
    pool_.setMaxThreadCount(threads > 0 ? threads : std::max(1, QThread::idealThreadCount() - 1));
}

PageReading::~PageReading() {
    pool_.clear();
    pool_.waitForDone();
}

QList<PageCode> PageReading::ReadNow(const QImage& scanned, const QByteArray& jpeg,
                                     const LabelPattern& labels) {
    const QImage page = scanned.isNull() ? QImage::fromData(jpeg, "JPEG") : scanned;
    return PageCodeReader().read(page, labels);
}

void PageReading::Read(quint64 batch, int page, const QImage& scanned, const QByteArray& jpeg,
                       const LabelPattern& labels) {
    // Each read compiles the pattern for itself: no regular expression is shared between
    // threads.
    pool_.start([this, batch, page, scanned, jpeg, pattern = labels.pattern()] {
        const Checked<LabelPattern> own = LabelPattern::fromSetting(pattern);
        const QList<PageCode> codes = ReadNow(scanned, jpeg, own.valueOr(LabelPattern()));
        // Queued to this object's thread; the destructor waits for this task, so `this`
        // is alive here, and a call still queued when it goes is dropped with it.
        QMetaObject::invokeMethod(
            this, [this, batch, page, codes] { emit PageRead(batch, page, codes); },
            Qt::QueuedConnection);
    });
}

} // namespace quiller
