#include "station/PageStaging.h"

#include "base/Error.h"
#include "base/FileSystem.h"
#include "base/Log.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSysInfo>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace quiller {

namespace {

QString SafePart(const QString& text) {
    QString safe;
    for (QChar c : text.left(40))
        safe += (c.isLetterOrNumber() && c.unicode() < 128) || c == u'-' || c == u'.' ? c : u'_';
    return safe.isEmpty() ? QStringLiteral("_") : safe;
}

bool SyncFolder(const QString& folder) {
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

} // namespace

QString PageStaging::FolderFor(const QString& imageFolder, const QString& stationId) {
    return FileSystem::Join(FileSystem::Join(imageFolder, StagingFolderName()),
                            SafePart(stationId) + u'@' + SafePart(QSysInfo::machineHostName()));
}

PageStaging::PageStaging(const QString& imageFolder, const QString& stationId)
    : folder_(FolderFor(imageFolder, stationId)) {}

PageStaging::~PageStaging() {
    if (journalFd_ >= 0)
        ::close(journalFd_);
}

void PageStaging::Open() {
    if (IsOpen())
        return;
    const QString where = QStringLiteral("PageStaging.Open");
    // Only inside an existing image folder; a vanished one is not made again here.
    const QString images = QFileInfo(QFileInfo(folder_).path()).path();
    if (!QFileInfo(images).isDir()) {
        errno = ENOENT;
        throw FileError(QCoreApplication::translate("PageStaging", "The image folder %1 is missing")
                            .arg(FileSystem::Native(images)),
                        where);
    }
    if (!QDir().mkpath(folder_)) {
        errno = errno ? errno : EACCES;
        throw FileError(
            QCoreApplication::translate("PageStaging", "Cannot make the staging folder %1")
                .arg(FileSystem::Native(folder_)),
            where);
    }
    QFile::setPermissions(folder_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    lock_ = std::make_unique<QLockFile>(FileSystem::Join(folder_, QStringLiteral("run.lock")));
    lock_->setStaleLockTime(0);
    if (!lock_->tryLock(0)) {
        lock_.reset();
        throw QuillerError(kErrorUnknown,
                           QCoreApplication::translate(
                               "PageStaging", "The staging folder %1 is in use by another run of "
                                              "this station.")
                               .arg(FileSystem::Native(folder_)),
                           where);
    }
    runId_ = QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMddHHmmsszzz")) + u'-' +
             QString::number(QCoreApplication::applicationPid());
    const QString journal = FileSystem::Join(folder_, JournalName());
    journalFd_ = ::open(QFile::encodeName(journal).constData(),
                        O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    if (journalFd_ < 0)
        throw FileError(
            QCoreApplication::translate("PageStaging", "Cannot write the staging journal %1")
                .arg(FileSystem::Native(journal)),
            where);
    SyncFolder(folder_);
}

bool PageStaging::AppendLine(int fd, const QJsonObject& line, bool flush) {
    QByteArray bytes = QJsonDocument(line).toJson(QJsonDocument::Compact);
    bytes += '\n';
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return !flush || ::fdatasync(fd) == 0;
}

void PageStaging::Note(const QJsonObject& line, bool flush) {
    try {
        Journal(line, flush);
    } catch (const QuillerError& e) {
        qCWarning(lcStorage).noquote() << e.description();
    }
}

void PageStaging::Journal(const QJsonObject& line, bool flush) {
    if (!IsOpen())
        throw QuillerError(
            kErrorUnknown,
            QCoreApplication::translate("PageStaging", "The staging folder is not open."),
            QStringLiteral("PageStaging.Journal"));
    if (!AppendLine(journalFd_, line, flush))
        throw FileError(
            QCoreApplication::translate("PageStaging", "Cannot write the staging journal in %1")
                .arg(FileSystem::Native(folder_)),
            QStringLiteral("PageStaging.Journal"));
}

QString PageStaging::BeginBatch(const Acquisition& a, const QString& mode) {
    const QString id = runId_ + u'-' + QString::number(++nextBatch_);
    QJsonArray targets;
    for (const ScanTarget& t : a.Targets())
        targets.append(QJsonObject{{"entry", t.entryText},
                                   {"rx", t.rxNbr},
                                   {"ref", t.refNo},
                                   {"mark", t.mark},
                                   {"refusal", t.refusal}});
    Journal({{"e", "batch"},
             {"b", id},
             {"kind", a.kind() == Acquisition::Kind::Batch ? "batch" : "single"},
             {"viewing", a.Viewing()},
             {"mode", mode},
             {"targets", targets}});
    return id;
}

Outcome PageStaging::WriteDurably(const QString& path, const QByteArray& bytes) {
    const QString temp = path + QStringLiteral(".part");
    const QByteArray name = QFile::encodeName(temp);
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    const auto fail = [&](const QString& step) {
        const int saved = errno;
        ::unlink(name.constData());
        return Outcome::Failed(
            QStringLiteral("%1 %2: %3")
                .arg(step, FileSystem::Native(path), QString::fromLocal8Bit(strerror(saved))));
    };
    if (fd < 0)
        return fail(QStringLiteral("cannot create"));
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = ENOSPC;
            ::close(fd);
            return fail(QStringLiteral("cannot write"));
        }
        done += n;
    }
    if (::fsync(fd) != 0) {
        ::close(fd);
        return fail(QStringLiteral("cannot flush"));
    }
    ::close(fd);
    if (::rename(name.constData(), QFile::encodeName(path).constData()) != 0)
        return fail(QStringLiteral("cannot name"));
    SyncFolder(QFileInfo(path).absolutePath());
    return Succeeded();
}

StagedPage PageStaging::Stage(const QString& batch, int position, const QByteArray& jpeg, int dpi) {
    StagedPage page;
    page.batch = batch;
    page.position = position;
    page.dpi = dpi;
    page.path = FileSystem::Join(folder_, QStringLiteral("%1-%2.jpg").arg(batch).arg(position));
    const Outcome written = IsOpen()
                                ? WriteDurably(page.path, jpeg)
                                : Outcome::Failed(QStringLiteral("the staging folder is not open"));
    if (!written.ok())
        throw QuillerError(kErrorUnknown,
                           QCoreApplication::translate(
                               "PageStaging", "A scanned page could not be kept on disk: %1")
                               .arg(written.why()),
                           QStringLiteral("PageStaging.Stage"));
    Journal({{"e", "page"},
             {"b", batch},
             {"p", position},
             {"file", QFileInfo(page.path).fileName()},
             {"dpi", dpi}});
    return page;
}

void PageStaging::Codes(const QString& batch, int position, const QList<PageCode>& codes) {
    QJsonArray list;
    for (const PageCode& c : codes)
        list.append(QJsonArray{c.text, c.format});
    Note({{"e", "codes"}, {"b", batch}, {"p", position}, {"codes", list}}, false);
}

void PageStaging::Filing(const QString& batch, int position, const ScanTarget& target,
                         const QString& name) {
    Note({{"e", "filing"},
          {"b", batch},
          {"p", position},
          {"name", name},
          {"rx", target.rxNbr},
          {"ref", target.refNo}});
}

void PageStaging::Filed(const QString& batch, int position, const QString& as, bool stored) {
    Note({{"e", "filed"}, {"b", batch}, {"p", position}, {"as", as}, {"stored", stored}}, false);
}

void PageStaging::Ended(const QString& batch) {
    Note({{"e", "end"}, {"b", batch}});
}

void PageStaging::Closed(const QString& batch) {
    Note({{"e", "closed"}, {"b", batch}}, false);
}

} // namespace quiller
