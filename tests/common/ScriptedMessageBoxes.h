#pragma once

#include "base/MessageBoxes.h"

#include <QList>

namespace quiller::test {

// Answers every message box of the program while it lives: records each request and
// answers from a queue of scripted answers (the box's default button when the queue
// is empty). Restores the previous responder when destroyed.
class ScriptedMessageBoxes {
public:
    ScriptedMessageBoxes();
    ~ScriptedMessageBoxes();

    void answer(MsgAnswer a) { answers_.append(a); }
    // Runs when a box is shown, before it is answered (to check the state then).
    void onShow(std::function<void(const MessageBoxRequest&)> hook) { hook_ = std::move(hook); }

    const QList<MessageBoxRequest>& shown() const { return shown_; }
    QStringList texts() const;
    int count() const { return int(shown_.size()); }
    const MessageBoxRequest& last() const { return shown_.constLast(); }
    void clear() { shown_.clear(); }

private:
    QList<MsgAnswer> answers_;
    QList<MessageBoxRequest> shown_;
    std::function<void(const MessageBoxRequest&)> hook_;
    MessageBoxes::Responder previous_;
};

} // namespace quiller::test
