#include "view/PictureBox.h"

#include <QImageReader>
#include <QPainter>

namespace quiller {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void PictureBox::SetPicture(const QImage& picture) {
    picture_ = picture;
    update();
}

bool PictureBox::LoadFile(const QString& path) {
    QImageReader reader(path);
    QImage image = reader.read();
    SetPicture(image);
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

void PictureBox::mouseDoubleClickEvent(QMouseEvent*) { emit doubleClicked(); }

} // namespace quiller
