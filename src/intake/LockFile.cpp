#include "intake/LockFile.h"

#include "base/Error.h"
#include "base/FileSystem.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <cerrno>

namespace quiller {

namespace {
// A link counts as present even when it leads nowhere: the station never writes
// through a link placed where its lock file belongs.
bool Present(const QString& path) {
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}
} // namespace

bool LockFile::Raise(const QString& path) {
    if (Present(path))
        return false;
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write("Locked\r\n") != 8 ||
        !file.flush())
        throw FileError(QCoreApplication::translate("LockFile", "Cannot write the lock file %1: %2")
                            .arg(FileSystem::Native(path), file.errorString()),
                        QStringLiteral("LockFile.Raise"));
    file.close();
    // The pharmacy system reads the lock file: it follows the interchange folder's own
    // sharing, not the image folder's.
    FileSystem::Protect(path, FileSystem::InterchangeSharingOf(QFileInfo(path).absolutePath()));
    return true;
}

bool LockFile::Remove(const QString& path) {
    if (!Present(path))
        return false;
    FileSystem::DeleteFile(path);
    return true;
}

} // namespace quiller
