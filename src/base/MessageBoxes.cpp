#include "base/MessageBoxes.h"

#include "base/Log.h"

namespace quiller {

namespace {
MessageBoxes::Responder& CurrentResponder() {
    // Without a window half (headless tools) a box cannot be answered by a person:
    // take the default button.
    static MessageBoxes::Responder responder = [](const MessageBoxRequest& r) {
        return r.defaultButton;
    };
    return responder;
}
} // namespace

QString AppTitle() {
    return QStringLiteral("Quiller");
}

MsgAnswer MessageBoxes::Show(const MessageBoxRequest& request) {
    MessageBoxRequest r = request;
    if (r.caption.isEmpty())
        r.caption = AppTitle();
    // Every box the operator sees is in the log; failures (critical, and the error
    // report's boxes without an icon) as warnings.
    QString logged = r.text;
    logged.replace(QStringLiteral("\r\n"), QStringLiteral(" | "));
    if (r.icon == MsgIcon::Critical || r.icon == MsgIcon::NoIcon)
        qCWarning(lcOperator).noquote() << r.caption << "-" << logged;
    else
        qCInfo(lcOperator).noquote() << r.caption << "-" << logged;
    return CurrentResponder()(r);
}

MsgAnswer MessageBoxes::Show(const QString& text, MsgIcon icon, MsgButtons buttons,
                             MsgAnswer defaultButton) {
    return Show(MessageBoxRequest{text, QString(), icon, buttons, defaultButton});
}

MsgAnswer MessageBoxes::Ask(const QString& text, const QString& caption) {
    return Show(
        MessageBoxRequest{text, caption, MsgIcon::Question, MsgButtons::YesNo, MsgAnswer::No});
}

MessageBoxes::Responder MessageBoxes::SetResponder(Responder responder) {
    Responder previous = CurrentResponder();
    CurrentResponder() = std::move(responder);
    return previous;
}

} // namespace quiller
