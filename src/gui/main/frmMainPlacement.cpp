#include "gui/main/frmMain.h"

#include "base/Error.h"
#include "base/Log.h"
#include "gui/common/Twips.h"
#include "settings/StationSettings.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>

// The main window's placement: restored at load, saved on resize and at the real exit.
namespace quiller {

namespace {

int ToPixels(double twips, const QWidget* w) {
    return Twips(twips, w);
}

double ToTwips(int pixels, const QWidget* w) {
    return pixels * 1440.0 / w->logicalDpiX();
}

} // namespace

void frmMain::RestorePlacement() {
    const StationSettings::Placement p = StationSettings().MainPlacement();
    placementStored_ = p.stored;
    move(ToPixels(p.left, this), ToPixels(p.top, this));
    resize(ToPixels(p.width, this), ToPixels(p.height, this));
}

void frmMain::SavePlacement() {
    if (isMinimized() || !loaded_)
        return;
    const QRect g = QRect(pos(), size());
    StationSettings::Placement p;
    p.left = ToTwips(g.x(), this);
    p.top = ToTwips(g.y(), this);
    p.width = ToTwips(g.width(), this);
    p.height = ToTwips(g.height(), this);
    StationSettings().SetMainPlacement(p);
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
