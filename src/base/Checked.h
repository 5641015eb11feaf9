#pragma once

#include <QString>
#include <optional>
#include <utility>

namespace quiller {

// The answer of a step that may fail in the normal course of things (a file that cannot
// be written, a setting that does not parse): its value, or in words why there is none.
// Failures that end an action are thrown as QuillerError instead.
template <typename T> class Checked {
public:
    Checked(T value) : value_(std::move(value)) {} // NOLINT: a value is a success
    static Checked Failed(QString why) {
        Checked c;
        c.why_ = std::move(why);
        return c;
    }

    bool ok() const { return value_.has_value(); }
    explicit operator bool() const { return ok(); }
    const T& value() const { return *value_; }
    T valueOr(T fallback) const { return value_ ? *value_ : std::move(fallback); }
    // Why there is no value; empty when there is one.
    const QString& why() const { return why_; }

private:
    Checked() = default;
    std::optional<T> value_;
    QString why_;
};

// For steps without a value: done, or why not.
struct Done {};
using Outcome = Checked<Done>;
inline Outcome Succeeded() {
    return Done{};
}

} // namespace quiller
