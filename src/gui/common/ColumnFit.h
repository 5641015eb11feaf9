#pragma once

class QTreeView;

namespace quiller {

// Sizes the five columns of a prescription list (Rx Number, Date, Drug Name, Patient,
// Page) to their designed widths, narrowed together to the list's width but never below
// their headings or the values in the rows on screen; values wider than the list make it
// scroll sideways. The widths follow the list's size, its headings, its rows as they come
// and as it scrolls, until the operator sizes a column. Call again after a new model.
void FitColumns(QTreeView* list);

} // namespace quiller
