#include "base/Text.h"

#include <QDate>
#include <QRegularExpression>

namespace quiller {

QString TrimBlanks(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin) == QLatin1Char(' '))
        ++begin;
    while (end > begin && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.mid(begin, end - begin);
}

QString ListDateFormat(const QLocale& locale) {
    QString format = locale.dateFormat(QLocale::ShortFormat);
    // Any year field shorter than four letters becomes the full year.
    static const QRegularExpression shortYear(QStringLiteral("(?<!y)y{1,3}(?!y)"));
    format.replace(shortYear, QStringLiteral("yyyy"));
    return format;
}

QString ListDate(const QDate& date, const QLocale& locale) {
    return date.isValid() ? locale.toString(date, ListDateFormat(locale)) : QString();
}

QString ListDateOfText(const QString& text, const QLocale& locale) {
    QDate date = QDate::fromString(text, QStringLiteral("MM/dd/yyyy"));
    if (!date.isValid())
        date = QDate::fromString(text, Qt::ISODate);
    return date.isValid() ? ListDate(date, locale) : text;
}

} // namespace quiller
