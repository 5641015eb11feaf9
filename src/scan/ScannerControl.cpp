#include "scan/ScannerControl.h"

#include <QFileInfo>
#include <QImageWriter>
#include <QSaveFile>
#include <QTransform>
#include <cmath>

namespace quiller {

namespace {
ScannerControl::Factory& CurrentFactory() {
    static ScannerControl::Factory factory;
    return factory;
}
} // namespace

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

void ScannerControl::SetFactory(Factory factory) { CurrentFactory() = std::move(factory); }

std::unique_ptr<ScannerControl> ScannerControl::Create() {
    Q_ASSERT(CurrentFactory());
    return CurrentFactory()();
}

int ScannerControl::SetScanFrame(float left, float top, float right, float bottom) {
    frame_ = Frame{left, top, right, bottom};
    return 1;
}

void ScannerControl::SetValue(Setting s, int value) {
    values_[int(s)] = value;
    OnValueWritten(s, value);
}

int ScannerControl::Value(Setting s) const { return values_[int(s)]; }

void ScannerControl::OnValueWritten(Setting, int) {}

QImage ScannerControl::GetImage(int index) const {
    if (index < 0 || index >= buffer_.size())
        return QImage();
    return buffer_.at(index);
}

int ScannerControl::ImageWidth(int index) const { return GetImage(index).width(); }
int ScannerControl::ImageHeight(int index) const { return GetImage(index).height(); }

int ScannerControl::ImageBitsPerPixel(int index) const {
    const QImage image = GetImage(index);
    if (image.isNull())
        return 0;
    if (image.format() == QImage::Format_Mono || image.format() == QImage::Format_MonoLSB)
        return 1;
    if (image.isGrayscale() && image.depth() <= 8)
        return 8;
    return image.format() == QImage::Format_RGB888 ? 24 : image.depth();
}

int ScannerControl::SaveImage(int index, const QString& path) {
    const QImage image = GetImage(index);
    if (image.isNull()) {
        SetError(1, QStringLiteral("There is no image %1 in the buffer.").arg(index));
        return 0;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        SetError(2, QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()));
        return 0;
    }
    QImageWriter writer(&file, "jpeg");
    if (!writer.write(image)) {
        file.cancelWriting();
        SetError(2, QStringLiteral("Cannot write %1: %2").arg(path, writer.errorString()));
        return 0;
    }
    if (!file.commit()) {
        SetError(2, QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()));
        return 0;
    }
    ClearError();
    return 1;
}

int ScannerControl::DeleteImage(int index) {
    if (index < 0 || index >= buffer_.size()) {
        SetError(3, QStringLiteral("There is no image %1 in the buffer.").arg(index));
        return 0;
    }
    buffer_.removeAt(index);
    ClearError();
    return 1;
}

int ScannerControl::RotateImage(int index, float angle, int) {
    if (index < 0 || index >= buffer_.size()) {
        SetError(4, QStringLiteral("There is no image %1 in the buffer.").arg(index));
        return 0;
    }
    const float quarter = std::fmod(angle, 90.0f);
    if (quarter != 0.0f) {
        SetError(4, QStringLiteral("Images can only be turned by multiples of 90 degrees."));
        return 0;
    }
    buffer_[index] = buffer_[index].transformed(QTransform().rotate(angle));
    ClearError();
    return 1;
}

void ScannerControl::AppendImage(const QImage& image) { buffer_.append(image); }

void ScannerControl::SetError(int code, const QString& text) {
    errorCode_ = code;
    errorText_ = text;
}

} // namespace quiller
