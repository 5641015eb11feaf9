#pragma once

#include <QRect>
#include <QWidget>

namespace quiller {

// Window layouts are given in twips (1440 to the inch) and converted at the screen's
// logical DPI.
inline int Twips(double twips, const QWidget* widget = nullptr) {
    const double dpi = widget ? widget->logicalDpiX() : 96.0;
    return int(twips * dpi / 1440.0 + 0.5);
}
inline void PlaceTwips(QWidget* w, double left, double top, double width, double height) {
    w->setGeometry(Twips(left, w), Twips(top, w), Twips(width, w), Twips(height, w));
}

} // namespace quiller
