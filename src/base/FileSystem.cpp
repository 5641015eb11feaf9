#include "base/FileSystem.h"

#include "base/Error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <cstring>
#ifdef Q_OS_UNIX
#include <QCoreApplication>
#include <sys/stat.h>
#include <unistd.h>
#endif

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
        throw FileError(
            QCoreApplication::translate("FileSystem", "File not found: %1").arg(Native(from)),
            QStringLiteral("FileSystem.CopyFile"));
    }
    if (QFile::exists(to))
        DeleteFile(to);
    errno = 0;
    if (!QFile::copy(from, to))
        throw FileError(QCoreApplication::translate("FileSystem", "Cannot copy %1 to %2")
                            .arg(Native(from), Native(to)),
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
        throw FileError(QCoreApplication::translate("FileSystem", "Cannot delete %1: %2")
                            .arg(Native(path), file.errorString()),
                        QStringLiteral("FileSystem.DeleteFile"));
}

namespace {

QString SystemReason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// Qt's permission flags hold one hexadecimal digit per octal digit of a mode, the
// owner's twice (as owner and as user).
QFile::Permissions QtPermissions(unsigned mode) {
    const unsigned owner = (mode >> 6) & 7U, group = (mode >> 3) & 7U, other = mode & 7U;
    return QFile::Permissions::fromInt(
        static_cast<int>((owner << 12) | (owner << 8) | (group << 4) | other));
}

#ifdef Q_OS_UNIX
bool StatOf(const QString& path, struct stat& info) {
    return ::stat(QFile::encodeName(path).constData(), &info) == 0;
}
#endif

} // namespace

FileSystem::Sharing FileSystem::SharingOf(const QString& folder) {
    Sharing sharing;
#ifdef Q_OS_UNIX
    struct stat info {};
    if (StatOf(folder, info) && S_ISDIR(info.st_mode) && (info.st_mode & S_IWGRP) &&
        (info.st_mode & S_ISGID)) {
        sharing.group = true;
        sharing.fileMode = 0660;
        sharing.folderMode = 02770;
    }
#else
    Q_UNUSED(folder);
#endif
    return sharing;
}

FileSystem::Sharing FileSystem::InterchangeSharingOf(const QString& folder) {
    Sharing sharing = SharingOf(folder);
#ifdef Q_OS_UNIX
    struct stat info {};
    if (StatOf(folder, info) && S_ISDIR(info.st_mode)) {
        const unsigned bits = static_cast<unsigned>(info.st_mode);
        sharing.fileMode = 0600 | (bits & 0060) | (bits & 0004);
        sharing.folderMode = (bits & 02000) | 0700 | (bits & 0070) | (bits & 0005);
    }
#endif
    return sharing;
}

void FileSystem::Protect(const QString& path, const Sharing& sharing) {
#ifdef Q_OS_UNIX
    struct stat info {};
    if (!StatOf(path, info))
        throw FileError(QCoreApplication::translate("FileSystem", "Cannot reach %1: %2")
                            .arg(Native(path), SystemReason(errno)),
                        QStringLiteral("FileSystem.Protect"));
    const mode_t wanted =
        static_cast<mode_t>(S_ISDIR(info.st_mode) ? sharing.folderMode : sharing.fileMode);
    if ((info.st_mode & 07777) == wanted)
        return;
    if (::chmod(QFile::encodeName(path).constData(), wanted) != 0)
        throw FileError(
            QCoreApplication::translate("FileSystem", "Cannot set the permissions of %1: %2")
                .arg(Native(path), SystemReason(errno)),
            QStringLiteral("FileSystem.Protect"));
#else
    Q_UNUSED(path);
    Q_UNUSED(sharing);
#endif
}

void FileSystem::ShareInGroupFolder(const QString& path) {
#ifdef Q_OS_UNIX
    const QString folder = QFileInfo(path).absolutePath();
    const Sharing sharing = SharingOf(folder);
    if (!sharing.group)
        return;
    struct stat folderInfo {};
    struct stat info {};
    if (!StatOf(folder, folderInfo) || ::lstat(QFile::encodeName(path).constData(), &info) != 0)
        throw FileError(QCoreApplication::translate("FileSystem", "Cannot reach %1: %2")
                            .arg(Native(path), SystemReason(errno)),
                        QStringLiteral("FileSystem.ShareInGroupFolder"));
    // Never through a link: only the file itself is given to the group.
    if (!S_ISREG(info.st_mode))
        return;
    if (info.st_gid != folderInfo.st_gid &&
        ::lchown(QFile::encodeName(path).constData(), uid_t(-1), folderInfo.st_gid) != 0)
        throw FileError(
            QCoreApplication::translate("FileSystem", "Cannot give %1 to the folder's group: %2")
                .arg(Native(path), SystemReason(errno)),
            QStringLiteral("FileSystem.ShareInGroupFolder"));
    Protect(path, sharing);
#else
    Q_UNUSED(path);
#endif
}

QString FileSystem::MakeFolder(const QString& parent, const QString& name) {
    const QString path = Join(parent, name);
    if (FolderExists(path))
        return path;
    errno = 0;
    if (!QDir(parent).mkdir(name) && !FolderExists(path))
        throw FileError(QCoreApplication::translate("FileSystem", "Cannot create the folder %1: %2")
                            .arg(Native(path), SystemReason(errno ? errno : ENOENT)),
                        QStringLiteral("FileSystem.MakeFolder"));
    Protect(path, SharingOf(parent));
    return path;
}

void FileSystem::WriteFile(const QString& folder, const QString& name, const QByteArray& bytes) {
    const QString path = Join(folder, name);
    const Sharing sharing = SharingOf(folder);
    // QSaveFile writes a temporary file beside the target, renames it over the target
    // when committed and removes it when the write fails or is cancelled.
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    errno = 0;
    const bool written = file.open(QIODevice::WriteOnly) &&
                         file.setPermissions(QtPermissions(sharing.fileMode)) &&
                         file.write(bytes) == bytes.size() && file.commit();
    if (!written) {
        const int error = errno;
        file.cancelWriting();
        errno = error;
        throw FileError(QCoreApplication::translate("FileSystem", "Cannot write %1: %2")
                            .arg(Native(path), error ? SystemReason(error) : file.errorString()),
                        QStringLiteral("FileSystem.WriteFile"));
    }
}

unsigned FileSystem::CreationMaskFor(const QString& folder) {
    return SharingOf(folder).group ? 0007U : 0077U;
}

void FileSystem::CheckFolderUsable(const QString& folder, const QString& source) {
    const QString shown = Native(folder);
    const QByteArray encoded = QFile::encodeName(folder);
#ifdef Q_OS_UNIX
    struct stat info {};
    if (::stat(encoded.constData(), &info) != 0)
        throw FileError(QCoreApplication::translate("FileSystem", "Cannot open the folder %1: %2")
                            .arg(shown, SystemReason(errno)),
                        source);
    if (!S_ISDIR(info.st_mode)) {
        errno = ENOTDIR;
        throw FileError(QCoreApplication::translate("FileSystem", "Cannot open the folder %1: %2")
                            .arg(shown, SystemReason(ENOTDIR)),
                        source);
    }
    if (::access(encoded.constData(), R_OK | W_OK | X_OK) != 0)
        throw FileError(QCoreApplication::translate("FileSystem", "Cannot open the folder %1: %2")
                            .arg(shown, SystemReason(errno)),
                        source);
#else
    if (!FolderExists(folder)) {
        errno = ENOENT;
        throw FileError(QCoreApplication::translate("FileSystem", "Cannot open the folder %1: %2")
                            .arg(shown, SystemReason(ENOENT)),
                        source);
    }
#endif
}

bool FileSystem::ReadableByOthers(const QString& path) {
#ifdef Q_OS_UNIX
    struct stat info {};
    if (!StatOf(path, info))
        return false;
    const bool open = S_ISDIR(info.st_mode) ? (info.st_mode & (S_IROTH | S_IXOTH)) != 0
                                            : (info.st_mode & S_IROTH) != 0;
    if (!open)
        return false;
    // Others reach it only when every folder above it lets them pass.
    QDir up = QFileInfo(path).absoluteDir();
    for (;;) {
        struct stat above {};
        if (!StatOf(up.absolutePath(), above) || !(above.st_mode & S_IXOTH))
            return false;
        if (up.isRoot() || !up.cdUp())
            return true;
    }
#else
    Q_UNUSED(path);
    return false;
#endif
}

} // namespace quiller
