// The station core's intake side: polling, the lock file, the viewing mode and the rest of
// the latest batches, which outlives the program.
#include "station/StationCore.h"

#include "base/ErrorReport.h"
#include "base/FileSystem.h"
#include "base/Log.h"
#include "intake/LockFile.h"
#include "station/StationContext.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimer>

namespace quiller {

namespace {
QString RestFile(const PageStaging& staging) {
    return FileSystem::Join(staging.Folder(), QStringLiteral("rest.json"));
}
} // namespace

bool StationCore::Polling() const {
    return pollTimer_->isActive();
}

void StationCore::SetPolling(bool on) {
    if (on == pollTimer_->isActive())
        return;
    if (on)
        pollTimer_->start();
    else
        pollTimer_->stop();
    emit PollingChanged(on);
}

void StationCore::RaiseLock() {
    try {
        LockFile::Raise(ctx_.LockFilePath());
    } catch (const QuillerError& e) {
        ctx_.SetStatus(e.description());
    }
}

void StationCore::RemoveLock() {
    try {
        LockFile::Remove(ctx_.LockFilePath());
    } catch (const QuillerError& e) {
        ctx_.SetStatus(e.description());
    }
}

void StationCore::Tick() {
    // Pages that waited for the database server are filed before a data file listing their
    // prescriptions again is taken.
    if (!waitingForServer_.isEmpty())
        FileWaitingPages();
    tick_->Timer1_Timer();
}

void StationCore::Resume() {
    LoadRest();
    emit RestChanged(!busy_ && RestAvailable());
    if (busy_ || viewing_)
        return;
    RemoveLock();
    SetPolling(true);
    ctx_.SetStatus(tr("Idle"));
}

void StationCore::SetViewing(bool viewing) {
    viewing_ = viewing;
    if (viewing) {
        SetPolling(false);
        RaiseLock();
    } else if (!busy_) {
        // Back to scanning: the lock file goes, unless a batch still runs, whose end
        // removes it.
        RemoveLock();
        SetPolling(true);
    }
}

void StationCore::PollWhileHidden() {
    if (!busy_)
        SetPolling(true);
}

void StationCore::Shutdown() {
    SetPolling(false);
    RemoveLock();
}

// The prescriptions still without a page are kept beside the station's staging, so that
// Scan the rest offers them again after the program was ended and started.
void StationCore::SaveRest() {
    try {
        const PageStaging* staging = Staging();
        QJsonArray list;
        for (const ScanTarget& t : rest_.Targets())
            list.append(QJsonObject{{"entry", t.entryText},
                                    {"rx", t.rxNbr},
                                    {"ref", t.refNo},
                                    {"mark", t.mark},
                                    {"refusal", t.refusal}});
        const Outcome saved =
            PageStaging::WriteDurably(RestFile(*staging), QJsonDocument(list).toJson());
        if (!saved.ok())
            qCWarning(lcStorage).noquote()
                << QStringLiteral("the rest list was not saved: ") + saved.why();
    } catch (const QuillerError& e) {
        qCWarning(lcStorage).noquote()
            << QStringLiteral("the rest list was not saved: ") + e.description();
    }
}

void StationCore::LoadRest() {
    if (restLoaded_ || !rest_.IsEmpty())
        return;
    restLoaded_ = true;
    try {
        QFile file(RestFile(*Staging()));
        if (!file.open(QIODevice::ReadOnly))
            return;
        QList<ScanTarget> targets;
        for (const QJsonValue& v : QJsonDocument::fromJson(file.readAll()).array()) {
            const QJsonObject o = v.toObject();
            ScanTarget t;
            t.entryText = o.value("entry").toString();
            t.rxNbr = o.value("rx").toString();
            t.refNo = o.value("ref").toString();
            t.mark = o.value("mark").toString();
            t.refusal = o.value("refusal").toString();
            if (!t.entryText.isEmpty())
                targets << t;
        }
        rest_.Restore(targets);
    } catch (const QuillerError& e) {
        qCWarning(lcStorage).noquote() << e.description();
    }
}

} // namespace quiller
