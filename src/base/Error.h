#pragma once

#include <QString>
#include <exception>

namespace quiller {

// Numbers the station gives its own errors; database errors carry the SQLite result
// code and file errors the system's errno instead.
enum ErrorNumber : int {
    kErrorUnknown = 1000,
    kErrorNotConfigured = 1001,
    kErrorBadDate = 1002,
    kErrorUnsafeName = 1003,
    kErrorScanner = 1004,
    kErrorBadSetting = 1005,
};

// One error shape for the whole program: what the shared error report shows.
struct ErrorInfo {
    int number = 0;
    QString description;
    QString source;
    int lastSystemError = 0;
};

class QuillerError : public std::exception {
public:
    explicit QuillerError(ErrorInfo info);
    QuillerError(int number, const QString& description, const QString& source,
                 int lastSystemError = 0);

    const ErrorInfo& info() const noexcept { return info_; }
    int number() const noexcept { return info_.number; }
    const QString& description() const noexcept { return info_.description; }
    const char* what() const noexcept override { return what_.constData(); }

private:
    ErrorInfo info_;
    QByteArray what_;
};

// A file-system failure; takes errno as both number and last system error.
QuillerError FileError(const QString& description, const QString& source);

} // namespace quiller
