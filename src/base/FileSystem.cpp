#include "base/FileSystem.h"

#include "base/Error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>

namespace quiller {

QString FileSystem::Join(const QString& folder, const QString& name) {
    return folder + QLatin1Char('/') + name;
}

QString FileSystem::Native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

bool FileSystem::FileExists(const QString& path) {
    const QFileInfo info(path);
    return info.exists() && info.isFile();
}

bool FileSystem::FolderExists(const QString& path) {
    return !path.isEmpty() && QFileInfo(path).isDir();
}

void FileSystem::CopyFile(const QString& from, const QString& to) {
    if (!QFile::exists(from)) {
        errno = ENOENT;
        throw FileError(QStringLiteral("File not found: %1").arg(Native(from)),
                        QStringLiteral("FileSystem.CopyFile"));
    }
    if (QFile::exists(to))
        DeleteFile(to);
    errno = 0;
    if (!QFile::copy(from, to))
        throw FileError(QStringLiteral("Cannot copy %1 to %2").arg(Native(from), Native(to)),
                        QStringLiteral("FileSystem.CopyFile"));
    // A copy of a read-only template must stay writable as a working database.
    QFile(to).setPermissions(QFile(to).permissions() | QFile::WriteOwner | QFile::ReadOwner);
}

void FileSystem::DeleteFile(const QString& path) {
    QFile file(path);
    // Forced: a read-only file goes too. A link is removed itself; the file it leads
    // to is left as it is.
    if (!QFileInfo(path).isSymLink())
        file.setPermissions(file.permissions() | QFile::WriteOwner);
    errno = 0;
    if (!file.remove())
        throw FileError(
            QStringLiteral("Cannot delete %1: %2").arg(Native(path), file.errorString()),
            QStringLiteral("FileSystem.DeleteFile"));
}

} // namespace quiller
