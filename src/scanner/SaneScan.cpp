#include "scanner/SaneScan.h"

#include "scanner/SaneImage.h"
#include "scanner/SaneSession.h"

#include <QCoreApplication>
#include <cmath>

namespace quiller::sane {

void Scan(Worker& w, const ScanRequest& r, const QString& deviceText,
          const std::function<void(EncodedPage)>& deliverPage,
          const std::function<void(int, const QString&)>& finish) {
    SANE_Status status = SANE_STATUS_GOOD;
    if (!w.EnsureOpen(r.device, &status)) {
        finish(int(status),
               QCoreApplication::translate("SaneScan", "The scanner %1 could not be opened. %2")
                   .arg(deviceText, StatusText(status)));
        return;
    }
    const Applied applied =
        w.Timed("sane_control_option", LimitMs("sane_read"), [&] { return Apply(w.Handle(), r); });
    int code = 0;
    QString text;
    int pages = 0;
    while (!w.Cancelled()) {
        QList<SaneFrame> frames;
        status = w.ReadPage(frames);
        if (status == SANE_STATUS_NO_DOCS && r.feeder && pages > 0)
            break; // the feeder has run empty: the normal end of a feeder batch
        if (status == SANE_STATUS_JAMMED && r.feeder && applied.doubleFeedOn) {
            code = kDoubleFeed;
            text = QCoreApplication::translate(
                "SaneScan",
                "The scanner stopped: two sheets were pulled in at once, or the paper jammed. "
                "The pages scanned so far are kept. Take the sheets out of the scanner, put "
                "the ones not scanned back into the feeder and scan the rest.");
            break;
        }
        if (status != SANE_STATUS_GOOD) {
            code = int(status);
            text = StatusText(status);
            break;
        }
        QImage image = BuildSaneImage(frames);
        frames.clear();
        if (image.isNull()) {
            code = kUnreadableImage;
            text = QCoreApplication::translate(
                "SaneScan", "The scanner delivered an image in a form the station cannot read.");
            break;
        }
        // (by format: a colour page of grey pixels is still three samples a pixel)
        if (applied.convertToGrey && image.depth() >= 24)
            image = image.convertToFormat(QImage::Format_Grayscale8);
        if (applied.dpi > 0) { // so that the JPEG records the real resolution
            const int dpm = int(std::lround(applied.dpi / 0.0254));
            image.setDotsPerMeterX(dpm);
            image.setDotsPerMeterY(dpm);
        }
        ++pages;
        EncodedPage page = EncodePage(image);
        page.scanned = std::move(image); // dropped on arrival unless labels are read
        deliverPage(std::move(page));
        if (!r.feeder)
            break;
    }
    sane_cancel(w.Handle());
    if (w.Cancelled() && code == 0) {
        code = SANE_STATUS_CANCELLED;
        text = StatusText(SANE_STATUS_CANCELLED);
    }
    // After a device failure the next scan starts from a freshly opened device (one that
    // was unplugged and plugged in again needs it).
    if (code != 0 && code != kUnreadableImage)
        w.Close();
    finish(code, text);
}

} // namespace quiller::sane
