#pragma once

#include <QLocale>
#include <QString>

class QDate;

namespace quiller {

// Removes the blank character (' ' only, not tabs or other white space) at both ends:
// the trimming rule of data-file fields, entry texts and typed search texts.
QString TrimBlanks(const QString& text);

// The date format both prescription lists show: the locale's short date order and
// separators, with the year always in four digits ("11/8/2006", "08.11.2006").
QString ListDateFormat(const QLocale& locale = QLocale());
// A fill date in that format. An invalid date gives an empty text.
QString ListDate(const QDate& date, const QLocale& locale = QLocale());
// A fill date as the data files give it (month/day/year, "11/08/2006") or as the
// database holds it (ISO, "2006-11-08") in that format; a text that is neither a real
// date is shown as it stands, so a malformed line stays recognisable.
QString ListDateOfText(const QString& text, const QLocale& locale = QLocale());

} // namespace quiller
