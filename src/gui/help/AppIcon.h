#pragma once

#include <QIcon>
#include <QString>

namespace quiller {

// The program's own icon (a prescription page under a scanner's light bar), built from
// the PNG renderings compiled into the program (":/quiller/icon-<size>.png"). It is the
// window icon of every window and the tray icon.
QIcon ApplicationIcon();

// Resource path of the largest rendering (":/quiller/icon.png"), for pictures such as
// the About box's logo.
QString ApplicationIconPath();

// The tray icon's tooltip.
QString TrayToolTip();

} // namespace quiller
