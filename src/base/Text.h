#pragma once

#include <QString>

namespace quiller {

// Removes the blank character (' ' only, not tabs or other white space) at both ends:
// the trimming rule of data-file fields, entry texts and typed search texts.
QString TrimBlanks(const QString& text);

} // namespace quiller
