#pragma once

#include "station/verify/PageCodeReader.h"

#include <QByteArray>
#include <QImage>
#include <QObject>
#include <QThreadPool>

namespace quiller {

// Reads the labels of scanned pages on worker threads, so neither the window nor the
// scanner waits for them. Each result comes back on the thread that owns this object,
// through a queued signal, tagged with the batch and page it was asked for.
class PageReading : public QObject {
    Q_OBJECT
public:
    // `threads`: how many pages are read at once (0: one fewer than the cores, at least 1:
    // the scanner's own worker encodes pages meanwhile).
    explicit PageReading(int threads = 0, QObject* parent = nullptr);
    // Waits for reads under way; their results are dropped.
    ~PageReading() override;

    // Reads a page: the scanned image when there is one, else its JPEG bytes, decoded on
    // the worker; the search goes on until it finds a code that is a label by `labels`.
    // Returns at once.
    void Read(quint64 batch, int page, const QImage& scanned, const QByteArray& jpeg,
              const LabelPattern& labels = LabelPattern());
    // Reads a page now, on the calling thread (a stop that cannot wait for the workers).
    static QList<PageCode> ReadNow(const QImage& scanned, const QByteArray& jpeg,
                                   const LabelPattern& labels = LabelPattern());

signals:
    void PageRead(quint64 batch, int page, const QList<quiller::PageCode>& codes);

private:
    QThreadPool pool_;
};

} // namespace quiller
