#include "records/SearchCriteria.h"

#include <QLocale>
#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <limits>

namespace quiller {

namespace {

QString Like(const QString& text) {
    return text + QLatin1Char('%');
}

// The expression a search orders by and its index holds: on PostgreSQL the column folded
// as SQLite's NOCASE folds it.
QString KeyOf(const SearchQuery& q, const QString& column, bool folded) {
    return q.engine == Engine::PostgreSql && folded
               ? QStringLiteral("quiller_fold(") + column + QLatin1Char(')')
               : column;
}

QString FoldAscii(const QString& text) {
    QString out = text;
    for (QChar& c : out)
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + 32);
    return out;
}

// The typed text's prefix match on one text column, ignoring letter case. SQLite's
// LIKE folds ASCII letters only; a text with other letters that have a case (é, Ü) is
// matched with an equivalent GLOB pattern that lists both cases of every letter.
// PostgreSQL matches the same: LIKE (with no escape character, as in SQLite) on the
// folded column with the folded text, or a regular expression that lists both cases.
void AddPrefixMatch(SearchQuery& q, QStringList& filter, QStringList& continuation,
                    const QString& column, const QString& placeholder, const QString& text) {
    const bool glob = HasNonAsciiCasedLetter(text);
    if (q.engine == Engine::PostgreSql) {
        const QString match = glob ? column + QStringLiteral(" ~ ") + placeholder
                                   : KeyOf(q, column, true) + QStringLiteral(" LIKE ") +
                                         placeholder + QStringLiteral(" ESCAPE ''");
        filter << match;
        continuation << match;
        q.bindings.append(
            {placeholder, glob ? CaseInsensitiveRegex(Like(text)) : FoldAscii(Like(text))});
        return;
    }
    const QString op = glob ? QStringLiteral(" GLOB ") : QStringLiteral(" LIKE ");
    filter << column + op + placeholder;
    continuation << QLatin1Char('+') + column + op + placeholder;
    q.bindings.append({placeholder, glob ? CaseInsensitiveGlob(Like(text)) : Like(text)});
}

// Bounds the key range of a prefix search at both ends, so the index is read only where
// matching names can lie (the prefix match in the filter still decides which rows match).
void AddKeyRange(SearchQuery& q, const QString& column, const QString& text) {
    const std::optional<KeyRange> range = NoCasePrefixRange(text);
    q.keyColumn = KeyOf(q, column, true);
    if (!range)
        return;
    q.filter += QStringLiteral(" AND ") + q.keyColumn + QStringLiteral(" >= :lo");
    q.bindings.append({QStringLiteral(":lo"), range->low});
    if (range->high.isEmpty())
        return;
    q.filter += QStringLiteral(" AND ") + q.keyColumn + QStringLiteral(" < :hi");
    q.keyUpperBound = q.keyColumn + QStringLiteral(" < :hi");
    q.bindings.append({QStringLiteral(":hi"), range->high});
}

QString Columns(const SearchQuery& q) {
    QString cols =
        QStringLiteral("SELECT rowid, RxNbr, RefNo, FillDate, Drug, FirstName, LastName, RxImage");
    if (!q.keyColumn.isEmpty())
        cols += QStringLiteral(", ") + q.keyColumn;
    return cols + QStringLiteral(" FROM RxImages");
}

QString OrderBy(const SearchQuery& q) {
    if (q.keyColumn.isEmpty() && q.newestFirst)
        return QStringLiteral(" ORDER BY rowid DESC LIMIT :n");
    return q.keyColumn.isEmpty()
               ? QStringLiteral(" ORDER BY rowid LIMIT :n")
               : QStringLiteral(" ORDER BY ") + q.keyColumn + QStringLiteral(", rowid LIMIT :n");
}

QString AndParenthesised(const QString& condition) {
    return condition.isEmpty() ? QString()
                               : QStringLiteral(" AND (") + condition + QLatin1Char(')');
}

} // namespace

SearchField ParseSearchField(const QString& criterion) {
    if (criterion == QLatin1String("Rx Number"))
        return SearchField::RxNumber;
    if (criterion == QLatin1String("Patient"))
        return SearchField::Patient;
    if (criterion == QLatin1String("Date"))
        return SearchField::Date;
    if (criterion == QLatin1String("Drug"))
        return SearchField::Drug;
    if (criterion == QLatin1String("Not scanned"))
        return SearchField::NotScanned;
    return SearchField::Unrecognised;
}

RxNumberCriterion ParseRxNumber(const QString& text) {
    RxNumberCriterion c;
    QString numberPiece = text;
    if (text.contains(QLatin1Char('-'))) {
        const QStringList pieces = text.split(QLatin1Char('-'));
        numberPiece = pieces.at(0);
        c.refill = TrimBlanks(pieces.at(1));
    }
    c.rxValue = Val(numberPiece);
    if (!c.refill.isEmpty())
        c.refill = FormatTwoDigits(c.refill);
    return c;
}

PatientCriterion ParsePatient(const QString& text) {
    PatientCriterion c;
    if (text.contains(QLatin1Char(','))) {
        const QStringList pieces = text.split(QLatin1Char(','));
        c.lastName = TrimBlanks(pieces.at(0));
        c.firstName = TrimBlanks(pieces.at(1));
    } else if (text.contains(QLatin1Char(' '))) {
        const QStringList pieces = text.split(QLatin1Char(' '));
        c.firstName = TrimBlanks(pieces.at(0));
        c.lastName = TrimBlanks(pieces.at(1));
    } else {
        c.lastName = text;
    }
    return c;
}

SearchQuery RxNumberQuery(const RxNumberCriterion& criterion, Engine engine) {
    SearchQuery q;
    q.engine = engine;
    // The expression of the RxImages_RxValue index, so the search is an index lookup.
    // CAST (and quiller_rx_value, its equivalent on PostgreSQL) reads the leading integer
    // of the stored text after leading blanks, as the typed number is read, so "00123"
    // and " 123" both have the value 123. Stored values are whole numbers: a typed
    // fraction matches none.
    const double v = criterion.rxValue;
    if (std::trunc(v) == v && std::fabs(v) < 9.0e18) {
        q.filter = engine == Engine::PostgreSql ? QStringLiteral("quiller_rx_value(RxNbr) = :rx")
                                                : QStringLiteral("CAST(RxNbr AS INTEGER) = :rx");
        q.bindings.append({QStringLiteral(":rx"), qint64(v)});
    } else {
        q.filter = QStringLiteral("1 = 0");
    }
    if (!criterion.refill.isEmpty()) {
        q.filter += QStringLiteral(" AND RefNo = :ref");
        q.bindings.append({QStringLiteral(":ref"), criterion.refill});
    }
    q.continuationFilter = q.filter; // rowid order: the same index serves every page
    return q;
}

SearchQuery PatientQuery(const PatientCriterion& criterion, Engine engine) {
    SearchQuery q;
    q.engine = engine;
    QStringList filter;
    QStringList continuation;
    if (!criterion.lastName.isEmpty())
        AddPrefixMatch(q, filter, continuation, QStringLiteral("LastName"), QStringLiteral(":last"),
                       criterion.lastName);
    if (!criterion.firstName.isEmpty())
        AddPrefixMatch(q, filter, continuation, QStringLiteral("FirstName"),
                       QStringLiteral(":first"), criterion.firstName);
    q.filter = filter.join(QStringLiteral(" AND "));
    q.continuationFilter = continuation.join(QStringLiteral(" AND "));
    if (!criterion.lastName.isEmpty())
        AddKeyRange(q, QStringLiteral("LastName"), criterion.lastName);
    else if (!criterion.firstName.isEmpty())
        AddKeyRange(q, QStringLiteral("FirstName"), criterion.firstName);
    return q;
}

SearchQuery DateQuery(const QDate& first, const QDate& last, Engine engine) {
    SearchQuery q;
    q.engine = engine;
    q.filter = QStringLiteral("FillDate BETWEEN :from AND :to");
    // SQLite: a unary "+" keeps the planner on the key's index; PostgreSQL has no "+" for
    // text and reads the (FillDate, rowid) index anyway.
    q.continuationFilter =
        engine == Engine::PostgreSql ? q.filter : QStringLiteral("+FillDate BETWEEN :from AND :to");
    q.keyColumn = QStringLiteral("FillDate");
    q.keyUpperBound = QStringLiteral("FillDate <= :to");
    q.bindings.append({QStringLiteral(":from"), first.toString(Qt::ISODate)});
    q.bindings.append({QStringLiteral(":to"), last.toString(Qt::ISODate)});
    return q;
}

SearchQuery DrugQuery(const QString& text, Engine engine) {
    SearchQuery q;
    q.engine = engine;
    QStringList filter;
    QStringList continuation;
    AddPrefixMatch(q, filter, continuation, QStringLiteral("Drug"), QStringLiteral(":drug"), text);
    q.filter = filter.constFirst();
    q.continuationFilter = continuation.constFirst();
    AddKeyRange(q, QStringLiteral("Drug"), text);
    return q;
}

bool HasNonAsciiCasedLetter(const QString& text) {
    for (QChar c : text)
        if (c.unicode() > 0x7F && c.toLower() != c.toUpper())
            return true;
    return false;
}

QString CaseInsensitiveGlob(const QString& likePattern) {
    QString glob;
    glob.reserve(likePattern.size() * 4);
    for (QChar c : likePattern) {
        if (c == QLatin1Char('%')) {
            glob += QLatin1Char('*');
        } else if (c == QLatin1Char('_')) {
            glob += QLatin1Char('?');
        } else if (c == QLatin1Char('*') || c == QLatin1Char('?') || c == QLatin1Char('[')) {
            glob += QLatin1Char('[') + c + QLatin1Char(']');
        } else if (c.toLower() != c.toUpper()) {
            glob += QLatin1Char('[') + c.toLower() + c.toUpper() + QLatin1Char(']');
        } else {
            glob += c;
        }
    }
    return glob;
}

QString CaseInsensitiveRegex(const QString& likePattern) {
    QString regex = QStringLiteral("^");
    for (QChar c : likePattern) {
        if (c == QLatin1Char('%'))
            regex += QStringLiteral(".*");
        else if (c == QLatin1Char('_'))
            regex += QLatin1Char('.');
        else if (c.toLower() != c.toUpper())
            regex += QLatin1Char('[') + c.toLower() + c.toUpper() + QLatin1Char(']');
        else if (c.isLetterOrNumber() || c.unicode() > 0x7F || c == QLatin1Char(' '))
            regex += c;
        else
            regex += QLatin1Char('\\') + c; // every other ASCII mark is literal
    }
    return regex;
}

std::optional<KeyRange> NoCasePrefixRange(const QString& text) {
    QString low;
    for (QChar c : text) {
        if (c == QLatin1Char('%') || c == QLatin1Char('_'))
            break; // a typed wildcard ends the literal prefix
        if (c.unicode() > 0x7F && c.toLower() != c.toUpper()) {
            // Both cases of this letter start a matching name; the range spans from the
            // smaller to just past the larger. UTF-8 keeps the order of code points up to
            // the surrogates, beyond which no end is given.
            const ushort a = std::min(c.toLower().unicode(), c.toUpper().unicode());
            const ushort b = std::max(c.toLower().unicode(), c.toUpper().unicode());
            if (b >= 0xD7FF)
                return KeyRange{low + QChar(a), QString()};
            return KeyRange{low + QChar(a), low + QChar(ushort(b + 1))};
        }
        // The NOCASE order folds ASCII letters.
        low.append(c >= QLatin1Char('A') && c <= QLatin1Char('Z') ? QChar(c.unicode() + 32) : c);
    }
    if (low.isEmpty())
        return std::nullopt;
    QString high = low;
    const ushort last = high.back().unicode();
    if (last >= 0xD7FF)
        return KeyRange{low, QString()};
    high.back() = QChar(ushort(last + 1));
    return KeyRange{low, high};
}

SearchQuery NotScannedQuery(Engine engine) {
    SearchQuery q;
    q.engine = engine;
    // Written as the partial index's own condition, so that the index serves it.
    q.filter = QStringLiteral("RxImage = ''");
    q.continuationFilter = q.filter;
    q.newestFirst = true;
    return q;
}

QString FirstPageStatement(const SearchQuery& q) {
    QString s = Columns(q);
    if (!q.filter.isEmpty())
        s += QStringLiteral(" WHERE ") + q.filter;
    return s + OrderBy(q);
}

QString SameKeyPageStatement(const SearchQuery& q) {
    if (q.keyColumn.isEmpty())
        return NextKeyPageStatement(q);
    return Columns(q) + QStringLiteral(" WHERE ") + q.keyColumn +
           QStringLiteral(" = :k AND rowid > :after") + AndParenthesised(q.continuationFilter) +
           QStringLiteral(" ORDER BY rowid LIMIT :n");
}

QString NextKeyPageStatement(const SearchQuery& q) {
    if (q.keyColumn.isEmpty())
        return Columns(q) +
               (q.newestFirst ? QStringLiteral(" WHERE rowid < :after")
                              : QStringLiteral(" WHERE rowid > :after")) +
               AndParenthesised(q.filter) + OrderBy(q);
    return Columns(q) + QStringLiteral(" WHERE ") + q.keyColumn + QStringLiteral(" > :k") +
           AndParenthesised(q.keyUpperBound) + AndParenthesised(q.continuationFilter) + OrderBy(q);
}

} // namespace quiller
