#include "station/GlassPrompts.h"

#include "base/MessageBoxes.h"
#include "scanner/ScannerControl.h"
#include "station/Acquisition.h"

#include <QPointer>
#include <QTimer>

namespace quiller {

GlassPrompts::GlassPrompts(Hooks hooks, QObject* parent)
    : QObject(parent), hooks_(std::move(hooks)) {}

bool GlassPrompts::Applies(ScannerControl& scanner, const Acquisition& a) {
    return a.kind() == Acquisition::Kind::Batch && scanner.FlatbedAvailable() &&
           scanner.DocumentFeedAvailable() != 1;
}

void GlassPrompts::Begin() {
    ++serial_;
    active_ = true;
    Ask(0);
}

bool GlassPrompts::Continue() {
    const Acquisition* a = active_ ? hooks_.current() : nullptr;
    if (!a || a->Outstanding() == 0)
        return false;
    Ask(a->Received());
    return true;
}

void GlassPrompts::Stop() {
    ++serial_;
    active_ = false;
}

void GlassPrompts::Ask(int page) {
    const quint64 serial = serial_;
    // Still this acquisition, still waiting for this page?
    const auto waiting = [this, serial, page] {
        const Acquisition* a = hooks_.current();
        return serial == serial_ && a && a->Received() == page && page < a->Total();
    };
    QTimer::singleShot(0, this, [this, waiting, page] {
        if (!waiting())
            return;
        const QString entry = hooks_.current()->Targets().at(page).entryText;
        QPointer<GlassPrompts> self(this);
        const MsgAnswer answer =
            MessageBoxes::Show(tr("Place %1 on the glass, then OK").arg(entry),
                               MsgIcon::Information, MsgButtons::OkCancel, MsgAnswer::Ok);
        // The box ran the event loop: the window may have gone, the batch been stopped.
        if (!self || !waiting())
            return;
        if (answer == MsgAnswer::Ok)
            hooks_.acquire();
        else
            hooks_.cancel();
    });
}

} // namespace quiller
