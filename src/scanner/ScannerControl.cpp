#include "scanner/ScannerControl.h"

#include "scanner/LosslessJpeg.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>
#include <QTransform>
#include <cmath>
#include <utility>

namespace quiller {

namespace {
ScannerControl::Factory& CurrentFactory() {
    static ScannerControl::Factory factory;
    return factory;
}

// The depth a page had when it arrived, as the station reports it.
int BitsPerPixelOf(const QImage& image) {
    if (image.isNull())
        return 0;
    if (image.format() == QImage::Format_Mono || image.format() == QImage::Format_MonoLSB)
        return 1;
    if (image.isGrayscale() && image.depth() <= 8)
        return 8;
    return image.format() == QImage::Format_RGB888 ? 24 : image.depth();
}
} // namespace

EncodedPage EncodePage(const QImage& image) {
    EncodedPage page;
    if (image.isNull())
        return page;
    page.width = image.width();
    page.height = image.height();
    page.bitsPerPixel = BitsPerPixelOf(image);
    // The same writer and settings as a file written from the raw page, so the bytes
    // kept are the bytes of that file.
    QBuffer buffer(&page.jpeg);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    if (!writer.write(image)) {
        page.jpeg.clear();
        page.error = writer.errorString();
    }
    return page;
}

QString ScannerControl::SettingName(Setting s) {
    static const char* const names[] = {
        "ScanSettingA", "ScanSettingB", "ScanSettingC", "ScanSettingD",
        "ScanSettingE", "ScanSettingF", "ScanSettingG", "ScanSettingH",
        "ScanSettingJ", "ScanSettingK", "FeedSettingA", "FeedSettingB",
    };
    return QString::fromLatin1(names[int(s)]);
}

ScannerControl::ScannerControl(QObject* parent) : QObject(parent) {}
ScannerControl::~ScannerControl() = default;

void ScannerControl::SetFactory(Factory factory) {
    CurrentFactory() = std::move(factory);
}

std::unique_ptr<ScannerControl> ScannerControl::Create() {
    Q_ASSERT(CurrentFactory());
    return CurrentFactory()();
}

ScanResult ScannerControl::SetScanFrame(float left, float top, float right, float bottom) {
    frame_ = Frame{left, top, right, bottom};
    return ScanResult::Done();
}

void ScannerControl::SetValue(Setting s, int value) {
    values_[int(s)] = value;
    OnValueWritten(s, value);
}

int ScannerControl::Value(Setting s) const {
    return values_[int(s)];
}

void ScannerControl::OnValueWritten(Setting, int) {}

const ScannerControl::BufferEntry* ScannerControl::Entry(int index) const {
    if (index < 0 || index >= buffer_.size())
        return nullptr;
    return &buffer_.at(index);
}

QImage ScannerControl::GetImage(int index) const {
    const BufferEntry* entry = Entry(index);
    if (!entry || entry->page.jpeg.isEmpty())
        return QImage();
    // The page is decoded from the bytes its file holds; the last one decoded is kept,
    // since the preview and the image text ask for the same page in a row.
    if (decodedId_ != entry->id) {
        decoded_ = QImage::fromData(entry->page.jpeg, "JPEG");
        decodedId_ = entry->id;
    }
    return decoded_;
}

int ScannerControl::ImageWidth(int index) const {
    const BufferEntry* entry = Entry(index);
    return entry ? entry->page.width : 0;
}

int ScannerControl::ImageHeight(int index) const {
    const BufferEntry* entry = Entry(index);
    return entry ? entry->page.height : 0;
}

int ScannerControl::ImageBitsPerPixel(int index) const {
    const BufferEntry* entry = Entry(index);
    return entry ? entry->page.bitsPerPixel : 0;
}

ScanResult ScannerControl::SaveImage(int index, const QString& path) {
    const BufferEntry* entry = Entry(index);
    if (!entry || entry->page.width == 0) {
        return ScanResult::Failed(1, tr("There is no image %1 in the buffer.").arg(index));
    }
    if (entry->page.jpeg.isEmpty()) {
        return ScanResult::Failed(2, tr("Cannot write %1: %2").arg(path, entry->page.error));
    }
    // The page was encoded once, when it arrived; these are the bytes of its file.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return ScanResult::Failed(2, tr("Cannot write %1: %2").arg(path, file.errorString()));
    }
    if (file.write(entry->page.jpeg) != entry->page.jpeg.size()) {
        file.cancelWriting();
        return ScanResult::Failed(2, tr("Cannot write %1: %2").arg(path, file.errorString()));
    }
    if (!file.commit()) {
        return ScanResult::Failed(2, tr("Cannot write %1: %2").arg(path, file.errorString()));
    }
    return ScanResult::Done();
}

int ScannerControl::FindSource(const QString& device) const {
    if (device.isEmpty())
        return -1;
    for (int i = 0; i < SourceCount(); ++i)
        if (SourceDevice(i) == device)
            return i;
    return -1;
}

int ScannerControl::ChooseSource(const ScannerControl& s, const QString& device, int position) {
    if (!device.isEmpty())
        return s.FindSource(device);
    return position >= 0 && position < s.SourceCount() ? position : -1;
}

ScanResult ScannerControl::DeleteImage(int index) {
    if (index < 0 || index >= buffer_.size()) {
        return ScanResult::Failed(3, tr("There is no image %1 in the buffer.").arg(index));
    }
    if (buffer_.at(index).id == decodedId_) {
        decoded_ = QImage();
        decodedId_ = 0;
    }
    buffer_.removeAt(index);
    return ScanResult::Done();
}

ScanResult ScannerControl::RotateImage(int index, float angle, int) {
    if (index < 0 || index >= buffer_.size()) {
        return ScanResult::Failed(4, tr("There is no image %1 in the buffer.").arg(index));
    }
    const float quarter = std::fmod(angle, 90.0f);
    if (quarter != 0.0f) {
        return ScanResult::Failed(4, tr("Images can only be turned by multiples of 90 degrees."));
    }
    const int turns = int(angle / 90.0f);
    const EncodedPage& old = buffer_.at(index).page;
    EncodedPage page;
    if (const std::optional<QByteArray> turned = RotateJpegLossless(old.jpeg, turns)) {
        page.jpeg = *turned;
        const bool across = turns % 2 != 0;
        page.width = across ? old.height : old.width;
        page.height = across ? old.width : old.height;
    } else {
        // An edge with a partial block: the decoded page is turned and encoded again.
        page = EncodePage(GetImage(index).transformed(QTransform().rotate(angle)));
    }
    if (page.jpeg.isEmpty()) {
        return ScanResult::Failed(4, tr("The image cannot be turned: %1").arg(page.error));
    }
    // The page keeps the depth it was scanned with.
    page.bitsPerPixel = buffer_.at(index).page.bitsPerPixel;
    BufferEntry& entry = buffer_[index];
    entry.page = std::move(page);
    entry.id = nextId_++;
    decoded_ = QImage();
    decodedId_ = 0;
    return ScanResult::Done();
}

void ScannerControl::AppendImage(const QImage& image) {
    EncodedPage page = EncodePage(image);
    page.scanned = image;
    AppendPage(std::move(page));
}

void ScannerControl::AppendPage(EncodedPage page) {
    if (!keepScanned_)
        page.scanned = QImage();
    buffer_.append(BufferEntry{std::move(page), nextId_++});
}

QImage ScannerControl::TakeScannedPage(int index) {
    if (index < 0 || index >= buffer_.size())
        return QImage();
    return std::exchange(buffer_[index].page.scanned, QImage());
}

QByteArray ScannerControl::PageJpeg(int index) const {
    const BufferEntry* entry = Entry(index);
    return entry ? entry->page.jpeg : QByteArray();
}

} // namespace quiller
