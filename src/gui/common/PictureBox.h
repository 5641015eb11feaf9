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

    // Shows a picture that did not come from a file.
    void SetPicture(const QImage& picture);
    void Clear() { SetPicture(QImage()); }
    bool HasPicture() const { return !picture_.isNull(); }
    const QImage& Picture() const { return picture_; }
    // Loads a picture file; false (and no picture) when it cannot be read.
    bool LoadFile(const QString& path);
    // The file the shown picture was loaded from; empty for any other picture.
    const QString& SourcePath() const { return source_; }

signals:
    void doubleClicked();
    // The picture was replaced or removed.
    void pictureChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void Assign(const QImage& picture, const QString& source);

    QImage picture_;
    QString source_;
};

} // namespace quiller
