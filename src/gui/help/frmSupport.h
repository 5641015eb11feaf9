#pragma once

#include "gui/help/SupportContact.h"

#include <QWidget>

namespace quiller {

// The "Technical Support" panel: a picture, "If you have questions, please contact" and
// the support contact's lines below it. A window of its own, never a child of the main
// window; it stays open after the main window has gone.
class frmSupport : public QWidget {
    Q_OBJECT
public:
    explicit frmSupport(const SupportContact& contact, QWidget* parent = nullptr);

    const SupportContact& Contact() const { return contact_; }

private:
    SupportContact contact_;
};

// Shows the one support panel (created with the deployed contact when there is none),
// not modally, and brings it to the front. The panel deletes itself when closed.
frmSupport* ShowSupport();

// The open support panel, or nullptr. Closing the main window for good does not close
// it; the program's exit waits for it (its destroyed() signal) when one is open.
frmSupport* CurrentSupport();

} // namespace quiller
