#include "gui/help/AppIcon.h"

namespace quiller {

QIcon ApplicationIcon() {
    QIcon icon;
    for (int size : {48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/quiller/icon-%1.png").arg(size), QSize(size, size));
    return icon;
}

QString ApplicationIconPath() {
    return QStringLiteral(":/quiller/icon.png");
}

QString TrayToolTip() {
    return QStringLiteral("Tellan Marrowby that scanns and views prescriptions");
}

} // namespace quiller
