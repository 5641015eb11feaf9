#include "station/PollingTick.h"

#include "base/ErrorReport.h"
#include "base/FileSystem.h"
#include "base/Log.h"
#include "base/MessageBoxes.h"
#include "intake/FillList.h"
#include "intake/LineParser.h"
#include "intake/LockFile.h"
#include "intake/ScanListPort.h"
#include "records/Database.h"
#include "station/ImageNaming.h"
#include "station/StationContext.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>

#ifdef Q_OS_UNIX
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace quiller {

namespace {

constexpr qint64 kReadChunk = 64 * 1024;
// Reasons of one file's refused lines named in its report; the rest are counted.
constexpr qsizetype kRefusalsReported = 5;

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
        throw FileError(QStringLiteral("Cannot list %1").arg(FileSystem::Native(folder)),
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
        const QString name = QFile::decodeName(n);
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

PollingTick::PollingTick(StationContext& app, ScanListPort& list, PollingHooks hooks)
    : app_(app), list_(list), hooks_(std::move(hooks)) {}

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

QStringList PollingTick::ReadDataFile(const QString& path) {
    QFile file;
    errno = 0;
    if (!OpenDataFile(file, path))
        throw FileError(
            QStringLiteral("Cannot open the data file %1").arg(FileSystem::Native(path)),
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
                throw FileError(QStringLiteral("Cannot read the data file %1: %2")
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
    return DataFileLines(kept);
}

void PollingTick::Problem(const QString& key, const QuillerError& error, const QString& location) {
    current_.insert(key);
    lastProblem_ = error;
    if (reported_.contains(key))
        return; // still the same condition: reported already
    reported_.insert(key);
    reports_.push_back(TickReport{QString(), error, location});
}

void TickReport::Show() const {
    if (error)
        ReportError(*error, location);
    else
        MessageBoxes::Show(text, MsgIcon::Exclamation);
}

std::vector<PollingTick::Candidate> PollingTick::Survey() {
    const QString folder = app_.filePath;
    if (!FileSystem::FolderExists(folder)) {
        errno = ENOENT;
        throw FileError(QStringLiteral("Path not found: %1").arg(FileSystem::Native(folder)),
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

QString PollingTick::SetAside(const Candidate& file, bool refused) {
    if (!refused) {
        try {
            FileSystem::DeleteFile(file.path);
            seen_.remove(file.path);
            return QString();
        } catch (const QuillerError& e) {
            done_.insert(file.path, file.stamp);
            Problem(QStringLiteral("remove:") + file.path, e, TickLocation());
            return QString();
        }
    }
    // A file with a refused line is kept for the technician under a name that is never
    // taken again.
    QString target = file.path + QStringLiteral(".err");
    for (int n = 1; QFileInfo(target).exists() || QFileInfo(target).isSymLink(); ++n)
        target = file.path + QStringLiteral(".%1.err").arg(n);
    errno = 0;
    if (QFile::rename(file.path, target)) {
        seen_.remove(file.path);
        return QFileInfo(target).fileName();
    }
    done_.insert(file.path, file.stamp);
    Problem(QStringLiteral("rename:") + file.path,
            FileError(QStringLiteral("Cannot rename the data file %1 to %2")
                          .arg(FileSystem::Native(file.path), FileSystem::Native(target)),
                      QStringLiteral("PollingTick.SetAside")),
            TickLocation());
    return file.name;
}

PollingTick::FileResult PollingTick::TakeFile(const Candidate& file, bool& listCleared,
                                              int& listed) {
    QStringList lines;
    try {
        lines = ReadDataFile(file.path);
    } catch (const QuillerError& e) {
        Problem(QStringLiteral("read:") + file.path + e.description(), e, TickLocation());
        return FileResult::Failed;
    }
    // Written to again while it was read: left for a later tick, which sees it anew.
    const QFileInfo after(file.path);
    if (DataFileStamp{after.size(), after.lastModified().toMSecsSinceEpoch()} != file.stamp) {
        seen_.remove(file.path);
        return FileResult::Changed;
    }

    Database* db = app_.DbConnection.get();
    if (!db || !db->IsOpen()) {
        Problem(QStringLiteral("database"),
                QuillerError(kErrorUnknown, QStringLiteral("The database is not open."),
                             QStringLiteral("PollingTick.TakeFile")),
                TickLocation());
        return FileResult::Deferred;
    }
    // A database file removed while open would take the lines into a file nobody can
    // find again (a server has no file of the station's).
    if (db->engine() == Engine::Sqlite && !db->FilePath().startsWith(QLatin1Char(':')) &&
        !QFileInfo::exists(db->FilePath())) {
        errno = ENOENT;
        Problem(QStringLiteral("database"),
                FileError(QStringLiteral("The database %1 is missing")
                              .arg(FileSystem::Native(db->FilePath())),
                          QStringLiteral("PollingTick.TakeFile")),
                TickLocation());
        return FileResult::Deferred;
    }
    try {
        db->BeginTransaction();
    } catch (const QuillerError& e) {
        Problem(QStringLiteral("database"), e, TickLocation());
        return FileResult::Deferred;
    }

    if (!listCleared) {
        list_.Clear();
        listCleared = true;
    }
    const int first = list_.Count();
    const QString mark = MarkOf(file.name);
    QStringList refusals; // "Rx 123-01: reason"
    int stored = 0;
    std::optional<QuillerError> unavailable;
    for (const QString& line : lines) {
        const ParsedLine parsed = ParseLine(line);
        QString refusal;
        if (!IsSafeImageName(ImageFileName(parsed.entryText))) {
            // Its image could never be filed under its name: listed, never recorded.
            list_.Append(parsed.entryText, parsed.dateText, parsed.drug, parsed.patient, mark);
            list_.SetLastKey(parsed.p.RxNbr, parsed.p.RefNo);
            refusal = QStringLiteral("its Rx number or refill holds characters an image "
                                     "file name cannot have");
        } else {
            const FillResult r = FillList(*db, list_, line, mark);
            if (r.outcome == FillOutcome::Unavailable) {
                unavailable = r.error;
                if (!unavailable)
                    unavailable =
                        QuillerError(kErrorUnknown, QStringLiteral("The database failed."),
                                     QStringLiteral("PollingTick.TakeFile"));
                break;
            }
            if (r.outcome == FillOutcome::Stored)
                ++stored;
            if (r.outcome == FillOutcome::Refused)
                refusal =
                    r.error ? r.error->description() : QStringLiteral("the database refused it");
        }
        if (!refusal.isEmpty()) {
            list_.MarkLastRefused(refusal);
            refusals << QStringLiteral("Rx %1: %2").arg(parsed.entryText, refusal);
        }
    }
    if (!unavailable) {
        try {
            db->Commit();
        } catch (const QuillerError& e) {
            unavailable = e;
        }
    }
    if (unavailable) {
        try {
            db->Rollback();
        } catch (const QuillerError&) {
            // Nothing more can be undone; the file stays and is read again later.
        }
        list_.RemoveFrom(first);
        Problem(QStringLiteral("database"), *unavailable, TickLocation());
        return FileResult::Deferred;
    }

    const QString keptAs = SetAside(file, !refusals.isEmpty());
    if (refusals.isEmpty())
        qCInfo(lcIntake).noquote()
            << QStringLiteral("data file taken: %1, %2 lines").arg(file.name).arg(lines.size());
    else
        qCWarning(lcIntake).noquote()
            << QStringLiteral("data file %1 set aside as %2: %3 of %4 lines refused")
                   .arg(file.name, keptAs)
                   .arg(refusals.size())
                   .arg(lines.size());
    if (!refusals.isEmpty()) {
        // One report per file, after its transaction has ended, in the operator's words.
        QStringList text;
        text << QStringLiteral("The data file %1: %2 line(s) taken, %3 refused.")
                    .arg(file.name)
                    .arg(stored)
                    .arg(refusals.size());
        text << refusals.mid(0, kRefusalsReported);
        if (refusals.size() > kRefusalsReported)
            text << QStringLiteral("... and %1 more.").arg(refusals.size() - kRefusalsReported);
        if (stored == 0)
            text << QStringLiteral("None of its prescriptions is listed for scanning.");
        else
            text << QStringLiteral("The refused prescriptions stay listed, marked "
                                   "\"not recorded\"; their pages are kept in the image "
                                   "folder's Unmatched folder.");
        text << QStringLiteral("The file is kept as %1 in %2.")
                    .arg(keptAs, FileSystem::Native(app_.filePath));
        reports_.push_back(TickReport{text.join(QLatin1Char('\n')), std::nullopt, QString()});
    }
    if (stored == 0 && !refusals.isEmpty()) {
        // Nothing could be recorded: nothing to scan for this file.
        list_.RemoveFrom(first);
        return FileResult::Refused;
    }
    listed += list_.Count() - first;
    return FileResult::Taken;
}

void PollingTick::Timer1_Timer() {
    if (running_ || (hooks_.busy && hooks_.busy()))
        return;
    bool taken = false;
    {
        running_ = true;
        struct Reset {
            bool& flag;
            ~Reset() { flag = false; }
        } reset{running_};
        current_.clear();
        lastProblem_.reset();
        reports_.clear();

        app_.SetStatus(ReadingStatus());
        std::vector<Candidate> ready;
        try {
            ready = Survey();
        } catch (const QuillerError& e) {
            Problem(QStringLiteral("folder:") + e.description(), e, TickLocation());
        }
        bool listCleared = false;
        int listed = 0;
        for (const Candidate& file : ready) {
            if (taken && listed >= kTickLines)
                break;
            const FileResult result = TakeFile(file, listCleared, listed);
            if (result == FileResult::Taken)
                taken = true;
            // The database cannot be written: the other files wait for a later tick too
            // (and the tick does not wait on the database once per file).
            if (result == FileResult::Deferred)
                break;
        }
        if (taken) {
            if (hooks_.setPolling)
                hooks_.setPolling(false);
            try {
                LockFile::Raise(app_.LockFilePath());
            } catch (const QuillerError& e) {
                // The prescriptions are listed: they are acquired even without the signal.
                Problem(QStringLiteral("lock:") + e.description(), e, TickLocation());
            }
        } else if (lastProblem_) {
            app_.SetStatus(lastProblem_->description() + RestartHint());
        } else {
            if (hooks_.timer2Off)
                hooks_.timer2Off();
            app_.SetStatus(IdleStatus());
        }
        // Conditions that did not come up again are over; if they return, they are
        // reported again.
        reported_.intersect(current_);

        std::vector<TickReport> reports;
        reports.swap(reports_);
        if (hooks_.report) {
            if (!reports.empty())
                hooks_.report(std::move(reports));
        } else {
            // Shown while the tick still counts as running, so no tick runs inside them.
            for (const TickReport& r : reports)
                r.Show();
        }
    }
    if (taken && hooks_.startBatch)
        hooks_.startBatch();
}

} // namespace quiller
