#pragma once

#include <QImage>
#include <QWidget>

namespace quiller {

// An image control: shows its picture stretched to its own box (the aspect ratio is
// not kept), may hold no picture, and reports double-clicks.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);

    void SetPicture(const QImage& picture);
    void Clear() { SetPicture(QImage()); }
    bool HasPicture() const { return !picture_.isNull(); }
    const QImage& Picture() const { return picture_; }
    // Loads a picture file; false (and no picture) when it cannot be read.
    bool LoadFile(const QString& path);

signals:
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QImage picture_;
};

} // namespace quiller
