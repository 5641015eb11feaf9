#pragma once

#include <QObject>
#include <functional>

namespace quiller {

class Acquisition;
class ScannerControl;

// A batch on a scanner without a feeder: the operator lays each prescription on the
// glass in turn and confirms it, one page acquisition each. Every prompt is shown from a
// queued call, never inside the scanner's handler, and is dropped when by then the
// acquisition it was for has ended (or the window went away) or has its page already.
class GlassPrompts : public QObject {
    Q_OBJECT
public:
    struct Hooks {
        std::function<Acquisition*()> current; // the running acquisition, or null
        std::function<void()> acquire;         // scan one page from the glass
        std::function<void()> cancel;          // end the acquisition, the rest not scanned
    };
    GlassPrompts(Hooks hooks, QObject* parent);

    // Whether a batch on this scanner is scanned from the glass, page by page.
    static bool Applies(ScannerControl& scanner, const Acquisition& a);
    // The acquisition starts on the glass: asks for its first prescription.
    void Begin();
    // A page acquisition has ended well: asks for the next prescription. False when this
    // is not a glass batch or every prescription has its page.
    bool Continue();
    // The acquisition has ended: a prompt still queued asks nothing.
    void Stop();

private:
    void Ask(int page);

    Hooks hooks_;
    quint64 serial_ = 0; // tells the prompts of one acquisition from a later one's
    bool active_ = false;
};

} // namespace quiller
