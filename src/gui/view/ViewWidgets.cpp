#include "gui/view/ViewWidgets.h"

#include "scanner/ScannerControl.h"

#include <QPushButton>

namespace quiller {

bool ViewContext::RotateAllowed() const {
    if (rotateRule_)
        return rotateRule_(*this);
    return scanner_ && scanner_->ImageCount() >= 1;
}

void ViewContext::ApplyRotateState(QPushButton* rotate) const {
    if (rotate)
        rotate->setEnabled(RotateAllowed());
}

} // namespace quiller
