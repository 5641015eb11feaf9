#include "gui/help/AppIcon.h"

#include <QCoreApplication>

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
    return QCoreApplication::translate("Tray",
                                       "Tellan Marrowby that scans and views prescriptions");
}

} // namespace quiller
