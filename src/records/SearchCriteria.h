#pragma once

#include "base/Text.h"
#include "records/DatabaseServer.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QVariant>
#include <optional>
#include <utility>

namespace quiller {

// How the operator's search text is read, and the statement each search runs.
//
// The numeric helpers follow the reading rules the station has always used for typed
// numbers: a leading number is read after skipping blanks and stops at the first
// character that cannot continue it; a refill number is shown with at least two digits.

// The value of the leading number of a text: blanks, tabs and line feeds are skipped
// anywhere, an optional sign, digits with an optional decimal point and exponent
// (E or D), or a hexadecimal (&H) or octal (&O) integer. No number gives 0.
double Val(const QString& text);

// A whole number is a number with a plain decimal form: optional blanks, an optional
// sign, digits with an optional fraction, an optional exponent, optional blanks.
bool IsNumericText(const QString& text, double* value = nullptr);

// The numeric pattern "00": a number is rounded to a whole number (halves away from
// zero) and written with at least two digits; any other text is returned unchanged.
QString FormatTwoDigits(const QString& text);

// The search fields of the criterion box, compared exactly (letter case included).
enum class SearchField { RxNumber, Patient, Date, Drug, NotScanned, Unrecognised };
SearchField ParseSearchField(const QString& criterion);

struct RxNumberCriterion {
    double rxValue = 0; // numeric value of the Rx number
    QString refill;     // already formatted; empty when no refill was typed
};
// "123-1" gives 123 and "01"; "00123-" gives 123 and no refill; "abc" gives 0.
RxNumberCriterion ParseRxNumber(const QString& text);

struct PatientCriterion {
    QString lastName;
    QString firstName;
};
// "Smith, John" (last, first), "John Smith" (first last; of more words the second is
// the last name), or one word as the last name.
PatientCriterion ParsePatient(const QString& text);

// One search as statements over RxImages. The rows are read page by page in the order
// of the index that serves the search (key column, then rowid), and each page starts
// where the previous one ended, so a search never holds a statement open between pages
// and any result size is listed at once. The statements are written for one engine;
// both engines list the same rows in the same order.
struct SearchQuery {
    Engine engine = Engine::Sqlite;
    // The matching condition; empty for every row.
    QString filter;
    // The same condition written so that it offers the planner no range of its own
    // (columns behind a unary "+"), used when a page continues after a known key.
    QString continuationFilter;
    // The column (on PostgreSQL: the indexed expression) whose index orders the rows;
    // empty for rowid order.
    QString keyColumn;
    // An optional bound that ends the key range ("LastName < :hi"); only narrows the
    // scan, never the rows (the continuation filter decides which rows match).
    QString keyUpperBound;
    QList<std::pair<QString, QVariant>> bindings;
    // Rowid order from the newest row back (only without a key column).
    bool newestFirst = false;
};

SearchQuery RxNumberQuery(const RxNumberCriterion& criterion, Engine engine = Engine::Sqlite);
SearchQuery PatientQuery(const PatientCriterion& criterion, Engine engine = Engine::Sqlite);
SearchQuery DateQuery(const QDate& first, const QDate& last, Engine engine = Engine::Sqlite);
SearchQuery DrugQuery(const QString& text, Engine engine = Engine::Sqlite);
// The prescriptions recorded without an image, newest first.
SearchQuery NotScannedQuery(Engine engine = Engine::Sqlite);

// The range of the NOCASE order (ASCII letters folded) that holds every text beginning,
// case-insensitively, with the literal prefix of the typed text (up to a "%" or "_"):
// low <= text < high (no end when high is empty). Beyond the first letter outside ASCII
// that has a case the range no longer narrows. None when the prefix is empty.
struct KeyRange {
    QString low;
    QString high;
};
std::optional<KeyRange> NoCasePrefixRange(const QString& text);

// True when the text holds a letter beyond ASCII that has an upper and a lower case.
bool HasNonAsciiCasedLetter(const QString& text);
// A GLOB pattern matching what a case-insensitive LIKE pattern matches, for every
// letter ("%" any run, "_" any one character; GLOB's own special characters literal).
QString CaseInsensitiveGlob(const QString& likePattern);
// The same as a PostgreSQL regular expression (anchored at the start).
QString CaseInsensitiveRegex(const QString& likePattern);

// Statement texts of the pages.
struct PageKey {
    QVariant key; // value of the key column of the last row read (unused for rowid order)
    qint64 rowid = 0;
};
QString FirstPageStatement(const SearchQuery& query);
// Rows with the same key as the last one read and a larger rowid.
QString SameKeyPageStatement(const SearchQuery& query);
// Rows with a larger key (or, in rowid order, a larger rowid).
QString NextKeyPageStatement(const SearchQuery& query);

} // namespace quiller
