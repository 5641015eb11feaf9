#include "station/verify/LabelPattern.h"
#include <QCoreApplication>

namespace quiller {

const QString LabelPattern::DefaultPattern =
    QStringLiteral(R"(^\s*(?<rx>\d{1,12})(?:[-_ ](?<refill>\d{1,2}))?\s*$)");

LabelPattern::LabelPattern() : m_regex(DefaultPattern) {}

Checked<LabelPattern> LabelPattern::fromSetting(const QString& pattern) {
    QRegularExpression regex(pattern);
    QString problem;
    if (pattern.trimmed().isEmpty())
        problem = QCoreApplication::translate("LabelPattern", "the label pattern is empty");
    else if (!regex.isValid())
        problem = QCoreApplication::translate(
                      "LabelPattern", "the label pattern \"%1\" is not a valid regular expression: "
                                      "%2 at position %3")
                      .arg(pattern, regex.errorString())
                      .arg(regex.patternErrorOffset());
    else if (!regex.namedCaptureGroups().contains(QStringLiteral("rx")))
        problem = QCoreApplication::translate("LabelPattern",
                                              "the label pattern \"%1\" has no group named rx "
                                              "(write (?<rx>...) around the Rx number)")
                      .arg(pattern);
    if (!problem.isEmpty())
        return Checked<LabelPattern>::Failed(problem);
    regex.optimize();
    return LabelPattern(std::move(regex));
}

std::optional<qint64> LabelPattern::number(const QString& digits) {
    const QString t = digits.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    qint64 value = 0;
    int significant = 0;
    for (const QChar c : t) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        value = value * 10 + (c.unicode() - '0');
        if (value != 0 && ++significant > 18)
            return std::nullopt;
    }
    return value;
}

std::optional<LabelKey> LabelPattern::parse(const QString& text) const {
    const QRegularExpressionMatch m = m_regex.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const std::optional<qint64> rx = number(m.captured(QStringLiteral("rx")));
    if (!rx)
        return std::nullopt;
    LabelKey key{*rx, std::nullopt};
    const QString refill = m.captured(QStringLiteral("refill"));
    if (!refill.isEmpty()) {
        const std::optional<qint64> r = number(refill);
        if (!r || *r > 9999)
            return std::nullopt;
        key.refill = int(*r);
    }
    return key;
}

} // namespace quiller
