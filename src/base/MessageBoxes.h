#pragma once

#include <QString>
#include <functional>

namespace quiller {

enum class MsgIcon { NoIcon, Critical, Question, Exclamation, Information };
enum class MsgButtons { Ok, YesNo, OkCancel };
enum class MsgAnswer { Ok, Yes, No, Cancel };

struct MessageBoxRequest {
    QString text;
    QString caption;
    MsgIcon icon = MsgIcon::NoIcon;
    MsgButtons buttons = MsgButtons::Ok;
    MsgAnswer defaultButton = MsgAnswer::Ok;
};

// Every message box of the program goes through here. The window half installs a
// responder that shows a real modal box; tests install one that records and answers.
class MessageBoxes {
public:
    using Responder = std::function<MsgAnswer(const MessageBoxRequest&)>;

    static MsgAnswer Show(const MessageBoxRequest& request);
    static MsgAnswer Show(const QString& text, MsgIcon icon = MsgIcon::NoIcon,
                          MsgButtons buttons = MsgButtons::Ok,
                          MsgAnswer defaultButton = MsgAnswer::Ok);
    static MsgAnswer Ask(const QString& text, const QString& caption = QString());

    // Replaces the responder and returns the previous one.
    static Responder SetResponder(Responder responder);
};

// The program's title: the caption of every box that names none of its own.
QString AppTitle();

} // namespace quiller
