#pragma once

#include <QRect>
#include <QWidget>

namespace quiller {

// Designed sizes are given in twips (1440 to the inch) and converted at the screen's
// logical DPI.
inline int Twips(double twips, const QWidget* widget = nullptr) {
    const double dpi = widget ? widget->logicalDpiX() : 96.0;
    return int(twips * dpi / 1440.0 + 0.5);
}

} // namespace quiller
