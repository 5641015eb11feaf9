#include "base/Error.h"

#include <cerrno>
#include <cstring>

namespace quiller {

QuillerError::QuillerError(ErrorInfo info)
    : info_(std::move(info)), what_(info_.description.toUtf8()) {}

QuillerError::QuillerError(int number, const QString& description, const QString& source,
                           int lastSystemError)
    : QuillerError(ErrorInfo{number, description, source, lastSystemError}) {}

QuillerError FileError(const QString& description, const QString& source) {
    const int err = errno;
    QString text = description;
    if (err != 0)
        text += QStringLiteral(" (%1)").arg(QString::fromLocal8Bit(std::strerror(err)));
    return QuillerError(err != 0 ? err : kErrorUnknown, text, source, err);
}

} // namespace quiller
