#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace quiller {

// The folder picker: asks the operator for a folder, shows the chosen path in a
// message box, and gives it back (empty text when the operator cancels).
class getDir {
public:
    QString SelectedDir(QWidget* caller);

    // The dialog that asks for the folder; tests replace it. Gives "" on cancel.
    using Chooser = std::function<QString(QWidget* owner, const QString& title)>;
    static Chooser SetChooser(Chooser chooser);
};

} // namespace quiller
