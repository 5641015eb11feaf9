#pragma once

#include "base/Checked.h"

#include <QRegularExpression>
#include <QString>

#include <optional>

namespace quiller {

// What a prescription label says: the Rx number and, when the label carries one, the
// refill. Both are numbers, so "000123" and "123" name the same prescription.
struct LabelKey {
    qint64 rx = 0;
    std::optional<int> refill;
    friend bool operator==(const LabelKey&, const LabelKey&) = default;
};

// The setting that says how a label's text reads: a regular expression with a named
// group "rx" and optionally a named group "refill". Both groups must capture digits
// (blanks around them are ignored). The pattern is used as written: anchor it (^...$)
// when the whole text must match, as the default does.
class LabelPattern {
public:
    // The Rx number alone ("123", "000123") or the Rx number, a separator (-, _ or a
    // blank) and a one- or two-digit refill ("123-01", "123_1", "123 01").
    static const QString DefaultPattern;

    // The default pattern.
    LabelPattern();

    // A pattern from the settings. Invalid patterns are not thrown about: the answer
    // says what is wrong, in words for the operator: a syntax error with its place, or a
    // missing "rx" group.
    static Checked<LabelPattern> fromSetting(const QString& pattern);

    // The label's meaning, or nothing when the text is not a label of this pattern.
    std::optional<LabelKey> parse(const QString& text) const;

    // Reads an Rx number or refill given as text ("000123", " 7 ") as a number: digits
    // only, at most 18 of them; nothing otherwise.
    static std::optional<qint64> number(const QString& digits);

    QString pattern() const { return m_regex.pattern(); }

private:
    explicit LabelPattern(QRegularExpression regex) : m_regex(std::move(regex)) {}
    QRegularExpression m_regex;
};

} // namespace quiller
