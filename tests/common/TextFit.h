#pragma once

// Whether the texts of a window show whole: labels, buttons, group box titles, fields,
// combo boxes, column headings and the values in the rows of a list on screen, in their
// fonts and their style's text areas, and not cut off by the widgets they lie in.
#include <QStringList>

class QWidget;

namespace quiller::test {

// One line per text shown cut off ("objectName: text"); empty when all fit.
QStringList ClippedTexts(QWidget* window);

// Makes every translatable text of a window about 40 % longer, each word by 40 %, as
// long translations are: labels, buttons, group box titles, combo box entries and the
// headings of item lists. Data in fields is left as it is.
void LengthenTexts(QWidget* window);

} // namespace quiller::test
