#pragma once

#include "records/Database.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

namespace quiller {

// One line of a prescription data file, cut into its fixed-width fields:
//   1-6 Rx number, 7-8 refill number, 9-16 fill date yyyyMMdd, 17-46 drug name,
//   47-61 first name, 62-76 last name; anything after position 76 is ignored.
struct ParsedLine {
    Prescription p;    // RxNbr, RefNo trimmed; FillDate "MM/dd/yyyy"; Drug as is; names trimmed
    QString entryText; // "42-1": the list entry's text
    QString dateText;  // "03/07/2006": the list's Date column (same as p.FillDate)
    QString drug;      // the drug field with its blanks
    QString patient;   // "First Last"
};

// Cuts one line. A short line gives empty or shortened trailing fields; a line under
// 9 characters gives the date text "//". Only the blank ' ' is trimmed.
ParsedLine ParseLine(const QString& line);

// Single-byte Windows-1252 text to Unicode (0x80-0x9F as Windows maps them).
QString DecodeCp1252(QByteArrayView bytes);

// The longest line kept from a data file; the rest of a longer line is ignored (a line
// is read only up to position 76, so this leaves a wide margin).
constexpr qsizetype kMaxDataLine = 256;

// Splits the bytes of a data file into lines at LF or CR LF, decodes each as
// Windows-1252 and drops empty lines. Each line is cut to kMaxDataLine characters.
// `numbers`, when given, gets each kept line's number in the file (from 1, empty lines
// counted), so that a line can be named without quoting it.
QStringList DataFileLines(QByteArrayView content, QList<int>* numbers = nullptr);

} // namespace quiller
