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

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <cerrno>

namespace quiller {

namespace {

// Reasons of one file's refused lines named in its report; the rest are counted.
constexpr qsizetype kRefusalsReported = 5;

// A refused line is named by its data file, its line number and the field at fault,
// never by a value of the line: a drug or a patient's name must not reach the log, a
// report or the list's note.
QString RefusedLine(const QString& fileName, int line, const QString& why) {
    return QCoreApplication::translate("PollingTick", "%1 line %2: %3")
        .arg(fileName, QString::number(line), why);
}

QString UnsafeKeyReason(const ParsedLine& parsed) {
    // The Rx number is at fault when it alone would leave the image folder; else the
    // refill number (which ends the name, so a trailing dot of it counts too).
    const bool rxAtFault = !IsSafeImageName(parsed.p.RxNbr + QStringLiteral("_0.jpg"));
    return QCoreApplication::translate("PollingTick",
                                       "the field %1 holds characters an image file name "
                                       "cannot have")
        .arg(rxAtFault ? QCoreApplication::translate("PollingTick", "Rx number")
                       : QCoreApplication::translate("PollingTick", "Refill number"));
}

// Why the database refused a line's row. The driver's text can quote the row's values (a
// constraint's message), so only its code is named: a SQLite result code, or the
// server's SQLSTATE.
QString DatabaseRefusalReason(const std::optional<QuillerError>& error) {
    if (error && error->number() == kErrorBadDate)
        return QCoreApplication::translate("PollingTick", "the field Fill date is not a date");
    QString code;
    if (error) {
        static const QRegularExpression sqlState(QStringLiteral("\\(SQLSTATE ([0-9A-Z]{5})\\)$"));
        const QRegularExpressionMatch m = sqlState.match(error->description());
        if (m.hasMatch())
            code = QStringLiteral("SQLSTATE ") + m.captured(1);
        else if (error->number() > 0 && error->number() != kErrorUnknown)
            code = QStringLiteral("SQLite code %1").arg(error->number());
    }
    return code.isEmpty()
               ? QCoreApplication::translate("PollingTick", "the database refused the row")
               : QCoreApplication::translate("PollingTick", "the database refused the row (%1)")
                     .arg(code);
}

} // namespace

PollingTick::PollingTick(StationContext& app, ScanListPort& list, PollingHooks hooks)
    : app_(app), list_(list), hooks_(std::move(hooks)) {}

void PollingTick::Problem(const QString& key, const QuillerError& error, const QString& location) {
    current_.insert(key);
    lastProblem_ = error;
    // A server that is away is said in the status line only: the station connects again
    // by itself, and a box left open at every counter would outlive the outage.
    if (error.number() == kErrorServerUnavailable)
        return;
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
        // The kept file stays readable as the folder is shared: it keeps the pharmacy
        // system's owner and mode, and in an operators' group folder it is the group's.
        // When it cannot be changed it stays as its writer made it.
        try {
            FileSystem::ShareInGroupFolder(target);
        } catch (const QuillerError& e) {
            qCWarning(lcIntake).noquote() << e.description();
        }
        return QFileInfo(target).fileName();
    }
    done_.insert(file.path, file.stamp);
    Problem(
        QStringLiteral("rename:") + file.path,
        FileError(QCoreApplication::translate("PollingTick", "Cannot rename the data file %1 to %2")
                      .arg(FileSystem::Native(file.path), FileSystem::Native(target)),
                  QStringLiteral("PollingTick.SetAside")),
        TickLocation());
    return file.name;
}

PollingTick::FileResult PollingTick::TakeFile(const Candidate& file, bool& listCleared,
                                              int& listed) {
    QStringList lines;
    QList<int> numbers;
    try {
        lines = ReadDataFile(file.path, &numbers);
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
        Problem(
            QStringLiteral("database"),
            QuillerError(kErrorUnknown,
                         QCoreApplication::translate("PollingTick", "The database is not open."),
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
                FileError(QCoreApplication::translate("PollingTick", "The database %1 is missing")
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
    QStringList refusals; // "AX1.QLV line 7: the field Fill date is not a date"
    int stored = 0;
    std::optional<QuillerError> unavailable;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        const ParsedLine parsed = ParseLine(line);
        QString refusal;
        if (!IsSafeImageName(ImageFileName(parsed.entryText))) {
            // Its image could never be filed under its name: listed, never recorded.
            list_.Append(parsed.entryText, parsed.dateText, parsed.drug, parsed.patient, mark);
            list_.SetLastKey(parsed.p.RxNbr, parsed.p.RefNo);
            refusal = UnsafeKeyReason(parsed);
        } else {
            const FillResult r = FillList(*db, list_, line, mark);
            if (r.outcome == FillOutcome::Unavailable) {
                unavailable = r.error;
                if (!unavailable)
                    unavailable = QuillerError(
                        kErrorUnknown,
                        QCoreApplication::translate("PollingTick", "The database failed."),
                        QStringLiteral("PollingTick.TakeFile"));
                break;
            }
            if (r.outcome == FillOutcome::Stored)
                ++stored;
            if (r.outcome == FillOutcome::Refused)
                refusal = DatabaseRefusalReason(r.error);
        }
        if (!refusal.isEmpty()) {
            refusal = RefusedLine(file.name, numbers.value(i), refusal);
            list_.MarkLastRefused(refusal);
            refusals << refusal;
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
        qCInfo(lcIntake).noquote() << QStringLiteral("data file taken: %1, %2 lines")
                                          .arg(file.name, QString::number(lines.size()));
    else
        qCWarning(lcIntake).noquote()
            << QStringLiteral("data file %1 set aside as %2: %3 of %4 lines refused")
                   .arg(file.name, keptAs, QString::number(refusals.size()),
                        QString::number(lines.size()));
    if (!refusals.isEmpty()) {
        // One report per file, after its transaction has ended, in the operator's words.
        QStringList text;
        text << QCoreApplication::translate("PollingTick",
                                            "The data file %1: %2 line(s) taken, %3 refused.")
                    .arg(file.name, QString::number(stored), QString::number(refusals.size()));
        text << refusals.mid(0, kRefusalsReported);
        if (refusals.size() > kRefusalsReported)
            text << QStringLiteral("... and %1 more.").arg(refusals.size() - kRefusalsReported);
        if (stored == 0)
            text << QCoreApplication::translate(
                "PollingTick", "None of its prescriptions is listed for scanning.");
        else
            text << QCoreApplication::translate(
                "PollingTick", "The refused prescriptions stay listed, marked "
                               "\"not recorded\"; their pages are kept in the image "
                               "folder's Unmatched folder.");
        text << QCoreApplication::translate("PollingTick", "The file is kept as %1 in %2.")
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
            app_.SetStatus(lastProblem_->number() == kErrorServerUnavailable
                               ? Database::ServerUnavailableStatus()
                               : lastProblem_->description() + RestartHint());
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
