#include "gui/main/WidgetMessageBoxes.h"

#include "base/MessageBoxes.h"

#include <QApplication>
#include <QMessageBox>

namespace quiller {

namespace {
QMessageBox::Icon ToIcon(MsgIcon icon) {
    switch (icon) {
    case MsgIcon::Critical:
        return QMessageBox::Critical;
    case MsgIcon::Question:
        return QMessageBox::Question;
    case MsgIcon::Exclamation:
        return QMessageBox::Warning;
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::NoIcon:
        break;
    }
    return QMessageBox::NoIcon;
}

MsgAnswer ShowBox(const MessageBoxRequest& r) {
    QMessageBox box(ToIcon(r.icon), r.caption, r.text, QMessageBox::NoButton,
                    QApplication::activeWindow());
    if (r.buttons == MsgButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(r.defaultButton == MsgAnswer::Yes ? QMessageBox::Yes
                                                               : QMessageBox::No);
        box.setEscapeButton(QMessageBox::No);
    } else if (r.buttons == MsgButtons::OkCancel) {
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(r.defaultButton == MsgAnswer::Cancel ? QMessageBox::Cancel
                                                                  : QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Cancel);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
        box.setDefaultButton(QMessageBox::Ok);
    }
    const int answer = box.exec();
    if (r.buttons == MsgButtons::YesNo)
        return answer == QMessageBox::Yes ? MsgAnswer::Yes : MsgAnswer::No;
    if (r.buttons == MsgButtons::OkCancel)
        return answer == QMessageBox::Ok ? MsgAnswer::Ok : MsgAnswer::Cancel;
    return MsgAnswer::Ok;
}
} // namespace

void InstallWidgetMessageBoxes() {
    MessageBoxes::SetResponder(ShowBox);
}

} // namespace quiller
