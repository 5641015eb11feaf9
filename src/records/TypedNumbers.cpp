#include "records/SearchCriteria.h"

#include <QLocale>
#include <QRegularExpression>
#include <cmath>
#include <limits>

// How typed numbers are read (the Rx number and refill of a search).

namespace quiller {

namespace {

bool IsSkippedInNumber(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n');
}

bool IsAsciiDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

int DigitValue(QChar c, int radix) {
    const ushort u = c.unicode();
    int d = -1;
    if (u >= '0' && u <= '9')
        d = u - '0';
    else if (u >= 'a' && u <= 'f')
        d = u - 'a' + 10;
    else if (u >= 'A' && u <= 'F')
        d = u - 'A' + 10;
    return d < radix ? d : -1;
}

// &H and &O integers: up to four hexadecimal digits (or an octal value up to 177777)
// make a 16-bit value, more a 32-bit value, both signed (so &HFFFF is -1), as typed
// numbers of this kind have always been read.
double RadixValue(const QString& digits, int radix) {
    quint64 value = 0;
    int used = 0;
    for (QChar c : digits) {
        const int d = DigitValue(c, radix);
        if (d < 0)
            break;
        value = (value * quint64(radix) + quint64(d)) & 0xFFFFFFFFull;
        ++used;
    }
    if (used == 0)
        return 0;
    const bool shortForm = radix == 16 ? used <= 4 : value <= 0xFFFF;
    if (shortForm)
        return double(qint16(quint16(value & 0xFFFF)));
    return double(qint32(quint32(value)));
}

} // namespace

double Val(const QString& text) {
    QString s;
    s.reserve(text.size());
    for (QChar c : text)
        if (!IsSkippedInNumber(c))
            s.append(c);

    if (s.startsWith(QLatin1Char('&')) && s.size() > 1) {
        const QChar kind = s.at(1).toUpper();
        if (kind == QLatin1Char('H'))
            return RadixValue(s.mid(2), 16);
        if (kind == QLatin1Char('O'))
            return RadixValue(s.mid(2), 8);
        if (s.at(1) >= QLatin1Char('0') && s.at(1) <= QLatin1Char('7'))
            return RadixValue(s.mid(1), 8);
        return 0;
    }

    QString number;
    qsizetype i = 0;
    if (i < s.size() && (s.at(i) == QLatin1Char('+') || s.at(i) == QLatin1Char('-')))
        number.append(s.at(i++));
    bool digits = false;
    while (i < s.size() && IsAsciiDigit(s.at(i))) {
        number.append(s.at(i++));
        digits = true;
    }
    if (i < s.size() && s.at(i) == QLatin1Char('.')) {
        number.append(s.at(i++));
        while (i < s.size() && IsAsciiDigit(s.at(i))) {
            number.append(s.at(i++));
            digits = true;
        }
    }
    if (!digits)
        return 0;
    if (i < s.size() && QStringLiteral("eEdD").contains(s.at(i))) {
        qsizetype j = i + 1;
        QString exponent = QStringLiteral("e");
        if (j < s.size() && (s.at(j) == QLatin1Char('+') || s.at(j) == QLatin1Char('-')))
            exponent.append(s.at(j++));
        bool expDigits = false;
        while (j < s.size() && IsAsciiDigit(s.at(j))) {
            exponent.append(s.at(j++));
            expDigits = true;
        }
        if (expDigits)
            number += exponent;
    }
    bool ok = false;
    const double value = QLocale::c().toDouble(number, &ok);
    if (!ok || !std::isfinite(value))
        return number.startsWith(QLatin1Char('-')) ? -std::numeric_limits<double>::max()
                                                   : std::numeric_limits<double>::max();
    return value;
}

bool IsNumericText(const QString& text, double* value) {
    static const QRegularExpression pattern(
        QStringLiteral("^\\s*[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?\\s*$"));
    if (!pattern.match(text).hasMatch())
        return false;
    bool ok = false;
    const double v = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(v))
        return false;
    if (value)
        *value = v;
    return true;
}

QString FormatTwoDigits(const QString& text) {
    double v = 0;
    if (!IsNumericText(text, &v))
        return text;
    const double rounded = std::round(v); // halves away from zero
    const bool negative = rounded < 0;
    QString digits = QString::number(std::fabs(rounded), 'f', 0);
    if (digits.size() < 2)
        digits.prepend(QString(2 - digits.size(), QLatin1Char('0')));
    return negative ? QLatin1Char('-') + digits : digits;
}

} // namespace quiller
