#include "gui/common/PictureBox.h"

#include <QImageReader>
#include <QPainter>

namespace quiller {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void PictureBox::SetPicture(const QImage& picture) {
    Assign(picture, QString());
}

void PictureBox::Assign(const QImage& picture, const QString& source) {
    picture_ = picture;
    source_ = picture.isNull() ? QString() : source;
    update();
    emit pictureChanged();
}

bool PictureBox::LoadFile(const QString& path) {
    QImageReader reader(path);
    const QImage image = reader.read();
    Assign(image, path);
    return !image.isNull();
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (!picture_.isNull())
        painter.drawImage(rect(), picture_);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent*) {
    emit doubleClicked();
}

} // namespace quiller
