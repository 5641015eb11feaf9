// Finding and reading the station's data files in the shared interchange folder.
#include "station/PollingTick.h"

#include "base/Error.h"
#include "base/FileSystem.h"
#include "base/Log.h"
#include "intake/LineParser.h"
#include "station/StationContext.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <algorithm>
#include <cerrno>

#ifdef Q_OS_UNIX
#include <QCoreApplication>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace quiller {

namespace {

constexpr qint64 kReadChunk = 64 * 1024;

// Opens a data file for reading without following a link and without waiting on a
// device or pipe that has been given a data file's name.
bool OpenDataFile(QFile& file, const QString& path) {
#ifdef Q_OS_UNIX
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        errno = EINVAL;
        return false;
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
#else
    const QFileInfo info(path);
    if (info.isSymLink() || !info.isFile())
        return false;
    file.setFileName(path);
    return file.open(QIODevice::ReadOnly);
#endif
}

// Calls `take` with the name of every entry of the folder that is a data file of the
// station `scannerId`. The folder is shared with other stations and may hold thousands
// of their files: on POSIX systems the names are read straight from the directory and
// only a name that begins with the identifier and ends in "qlv" (any case) becomes a
// text; nothing else about an entry is looked up.
template <typename Take>
void ForEachDataFileName(const QString& folder, const QString& scannerId, Take&& take) {
#ifdef Q_OS_UNIX
    errno = 0;
    DIR* dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir)
        throw FileError(QCoreApplication::translate("DataFolder", "Cannot list %1")
                            .arg(FileSystem::Native(folder)),
                        QStringLiteral("PollingTick.Survey"));
    const QByteArray id = QFile::encodeName(scannerId);
    auto lower = [](char c) {
        return c >= 'A' && c <= 'Z' ? char(c + 32) : c;
    };
    while (const dirent* entry = ::readdir(dir)) {
        const char* n = entry->d_name;
        const size_t length = std::strlen(n);
        if (id.isEmpty() || length < 3 || std::strncmp(n, id.constData(), size_t(id.size())) != 0)
            continue;
        if (lower(n[length - 3]) != 'q' || lower(n[length - 2]) != 'l' ||
            lower(n[length - 1]) != 'v')
            continue;
        QString name = QFile::decodeName(n);
        if (QFile::encodeName(name) != QByteArrayView(n, qsizetype(length))) {
            // A name that is not valid text here (a Windows-1252 name written over a
            // share) cannot be opened by its decoded form. It is renamed once to the
            // same characters in the system's encoding and taken under that name; a
            // name that cannot be renamed is reported once, never passed over silently.
            const QString readable = DecodeCp1252(QByteArrayView(n, qsizetype(length)));
            const QByteArray from = QFile::encodeName(folder) + '/' + n;
            const QByteArray to = QFile::encodeName(FileSystem::Join(folder, readable));
            struct stat existing {};
            int why = 0;
            if (::lstat(to.constData(), &existing) == 0)
                why = EEXIST;
            else if (::rename(from.constData(), to.constData()) != 0)
                why = errno;
            if (why == 0) {
                qCInfo(lcIntake).noquote()
                    << QStringLiteral("data file with a name in another encoding renamed to %1")
                           .arg(readable);
                name = readable;
            } else {
                static QSet<QByteArray> reported;
                if (!reported.contains(from)) {
                    reported.insert(from);
                    qCWarning(lcIntake).noquote()
                        << QStringLiteral("data file %1 in %2 has a name that is not valid "
                                          "text and cannot be renamed: %3")
                               .arg(readable, FileSystem::Native(folder),
                                    QString::fromLocal8Bit(std::strerror(why)));
                }
                continue;
            }
        }
        if (PollingTick::IsDataFileName(name, scannerId))
            take(name);
    }
    ::closedir(dir);
#else
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        const QString name = it.fileName();
        if (PollingTick::IsDataFileName(name, scannerId))
            take(name);
    }
#endif
}

} // namespace

bool PollingTick::IsDataFileName(const QString& fileName, const QString& scannerId) {
    // The identifier is one character, compared exactly; the extension letters are
    // compared without regard to case. An identifier of any other length matches nothing.
    if (scannerId.size() != 1 || fileName.isEmpty())
        return false;
    if (fileName.at(0) != scannerId.at(0))
        return false;
    return fileName.right(3).compare(QLatin1String("QLV"), Qt::CaseInsensitive) == 0;
}

QString PollingTick::MarkOf(const QString& fileName) {
    return fileName.mid(1, 1);
}

QStringList PollingTick::ReadDataFile(const QString& path, QList<int>* numbers) {
    QFile file;
    errno = 0;
    if (!OpenDataFile(file, path))
        throw FileError(QCoreApplication::translate("DataFolder", "Cannot open the data file %1")
                            .arg(FileSystem::Native(path)),
                        QStringLiteral("PollingTick.ReadDataFile"));
    // Keep at most kMaxDataLine + 1 bytes of each line (the extra byte tells a CR that
    // ends a line from the start of a long one); the rest of a long line is skipped.
    QByteArray kept;
    QByteArray line;
    bool overflow = false;
    auto finishLine = [&] {
        if (overflow)
            line.truncate(kMaxDataLine);
        kept += line;
        kept += '\n';
        line.clear();
        overflow = false;
    };
    for (;;) {
        const QByteArray chunk = file.read(kReadChunk);
        if (chunk.isEmpty()) {
            if (file.error() != QFileDevice::NoError)
                throw FileError(
                    QCoreApplication::translate("DataFolder", "Cannot read the data file %1: %2")
                        .arg(FileSystem::Native(path), file.errorString()),
                    QStringLiteral("PollingTick.ReadDataFile"));
            break;
        }
        qsizetype start = 0;
        while (start < chunk.size()) {
            const qsizetype nl = chunk.indexOf('\n', start);
            const qsizetype end = nl < 0 ? chunk.size() : nl;
            const qsizetype room = kMaxDataLine + 1 - line.size();
            const qsizetype take = qMin(end - start, qMax<qsizetype>(room, 0));
            line.append(chunk.constData() + start, take);
            if (end - start > take)
                overflow = true;
            if (nl < 0)
                break;
            finishLine();
            start = nl + 1;
        }
    }
    if (!line.isEmpty() || overflow)
        finishLine();
    return DataFileLines(kept, numbers);
}

std::vector<PollingTick::Candidate> PollingTick::Survey() {
    const QString folder = app_.filePath;
    if (!FileSystem::FolderExists(folder)) {
        errno = ENOENT;
        throw FileError(QCoreApplication::translate("DataFolder", "Path not found: %1")
                            .arg(FileSystem::Native(folder)),
                        QStringLiteral("PollingTick.Survey"));
    }
    // One listing of the folder; the names of other stations' files cost a comparison
    // each and are never looked at more closely.
    QHash<QString, DataFileStamp> now;
    std::vector<Candidate> ready;
    ForEachDataFileName(folder, app_.ScannerID, [&](const QString& name) {
        const QString path = FileSystem::Join(folder, name);
        const QFileInfo info(path);
        // Never a link (it could lead out of the folder) and never a folder or device.
        if (info.isSymLink() || !info.isFile())
            return;
        const DataFileStamp stamp{info.size(), info.lastModified().toMSecsSinceEpoch()};
        now.insert(path, stamp);
        const auto done = done_.constFind(path);
        if (done != done_.cend() && *done == stamp)
            return; // taken already; only its removal failed
        const auto before = seen_.constFind(path);
        if (before != seen_.cend() && *before == stamp)
            ready.push_back(Candidate{path, name, stamp});
    });
    seen_ = now;
    for (auto d = done_.begin(); d != done_.end();) {
        const auto n = now.constFind(d.key());
        if (n == now.cend() || *n != d.value())
            d = done_.erase(d);
        else
            ++d;
    }
    std::sort(ready.begin(), ready.end(), [](const Candidate& a, const Candidate& b) {
        if (a.stamp.modified != b.stamp.modified)
            return a.stamp.modified < b.stamp.modified;
        return a.name < b.name;
    });
    return ready;
}

} // namespace quiller
