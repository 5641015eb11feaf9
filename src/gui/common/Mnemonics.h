#pragma once

#include <QChar>
#include <QString>

class QWidget;

namespace quiller {

// The letter after a text's single '&' ("&&" is a literal ampersand), lower-cased; a null
// character when the text has none.
QChar MnemonicOf(const QString& text);

// Gives each Alt+letter of a window to one control. The menu bar's titles keep their
// letters first, then buttons, group boxes and labels with a buddy in creation order; a
// later control whose letter is taken moves its '&' to the first free letter of its own
// text, word starts first, or loses it when none is free. Each menu's items are made
// unique among themselves the same way. Runs on the texts as shown, so a translation that
// gives two controls one letter is corrected too; call it again after texts change.
void MakeMnemonicsUnique(QWidget* window);

} // namespace quiller
