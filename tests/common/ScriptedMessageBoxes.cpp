#include "common/ScriptedMessageBoxes.h"

#include <QStringList>

namespace quiller::test {

ScriptedMessageBoxes::ScriptedMessageBoxes() {
    previous_ = MessageBoxes::SetResponder([this](const MessageBoxRequest& r) {
        shown_.append(r);
        if (hook_)
            hook_(r);
        return answers_.isEmpty() ? r.defaultButton : answers_.takeFirst();
    });
}

ScriptedMessageBoxes::~ScriptedMessageBoxes() {
    MessageBoxes::SetResponder(previous_);
}

QStringList ScriptedMessageBoxes::texts() const {
    QStringList out;
    for (const auto& r : shown_)
        out << r.text;
    return out;
}

} // namespace quiller::test
