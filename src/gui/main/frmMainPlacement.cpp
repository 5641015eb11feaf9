#include "gui/main/frmMain.h"

#include "base/Error.h"
#include "base/Log.h"
#include "gui/common/Twips.h"
#include "settings/SettingsStore.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>

// The main window's placement: restored at load, saved on resize and at the real exit.
namespace quiller {

namespace {

// Placement values are twips; a stored value that is not a number gives its default.
double ReadTwips(const SettingsStore& settings, const QString& key, double fallback) {
    bool ok = false;
    const double value =
        settings.Read(SettingsStore::Placement(), key, QString::number(fallback)).toDouble(&ok);
    return ok ? value : fallback;
}

int ToPixels(double twips, const QWidget* w) {
    return Twips(twips, w);
}

double ToTwips(int pixels, const QWidget* w) {
    return pixels * 1440.0 / w->logicalDpiX();
}

} // namespace

void frmMain::RestorePlacement() {
    const SettingsStore settings;
    placementStored_ =
        !settings.Read(SettingsStore::Placement(), QStringLiteral("MainWidth")).isEmpty();
    const double left = ReadTwips(settings, QStringLiteral("MainLeft"), 1000);
    const double top = ReadTwips(settings, QStringLiteral("MainTop"), 1000);
    const double width = ReadTwips(settings, QStringLiteral("MainWidth"), 6500);
    const double height = ReadTwips(settings, QStringLiteral("MainHeight"), 6500);
    move(ToPixels(left, this), ToPixels(top, this));
    resize(ToPixels(width, this), ToPixels(height, this));
}

void frmMain::SavePlacement() {
    if (isMinimized() || !loaded_)
        return;
    SettingsStore settings;
    const QString section = SettingsStore::Placement();
    const QRect g = QRect(pos(), size());
    settings.Write(section, QStringLiteral("MainLeft"), QString::number(ToTwips(g.x(), this)));
    settings.Write(section, QStringLiteral("MainTop"), QString::number(ToTwips(g.y(), this)));
    settings.Write(section, QStringLiteral("MainWidth"), QString::number(ToTwips(g.width(), this)));
    settings.Write(section, QStringLiteral("MainHeight"),
                   QString::number(ToTwips(g.height(), this)));
}

// With no placement stored yet the window opens large enough to show the whole scan
// window, within the screen's free area.
void frmMain::FitScanWindow() {
    if (!scanSub_)
        return;
    const int frame = 2 * MdiArea->frameWidth();
    QSize wanted(Picture1->width() + scanSub_->width() + frame,
                 menuBar()->sizeHint().height() + statusBar()->sizeHint().height() +
                     scanSub_->height() + frame);
    if (const QScreen* s = screen()) {
        const QSize room = s->availableGeometry().size() - (frameGeometry().size() - size());
        wanted = wanted.boundedTo(room);
        const QRect free = s->availableGeometry();
        move(free.topLeft() +
             QPoint((free.width() - wanted.width()) / 2, (free.height() - wanted.height()) / 2));
    }
    resize(wanted);
}

void frmMain::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    // An exception must not leave an event handler; the next resize or the exit
    // tries again.
    try {
        SavePlacement();
    } catch (const QuillerError& e) {
        qCWarning(lcSettings).noquote() << "placement not saved:" << e.description();
    }
}

} // namespace quiller
