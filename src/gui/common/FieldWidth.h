#pragma once

#include <QString>

class QLineEdit;

namespace quiller {

// The width a line edit needs to show text whole, in its font and style.
int TextFieldWidth(const QLineEdit* box, const QString& text);
// The widest a field grows to fit its text: three quarters of the width of its screen.
int MaxFieldWidth(const QLineEdit* box);

} // namespace quiller

class QComboBox;

namespace quiller {

// Keeps a combo box at least as wide as its longest entry (up to half its screen) as
// entries come and change, so that a name listed later shows whole too.
void WidenWithEntries(QComboBox* combo);

} // namespace quiller
