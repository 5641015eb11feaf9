// The station core's pages that wait for the database server: a page whose place is
// decided while the server is unavailable (a restart, a network fault) stays in staging,
// and is filed once the connection is back, never sent to "Unmatched/" for the outage.
#include "station/StationCore.h"

#include "base/Log.h"
#include "base/MessageBoxes.h"
#include "records/Database.h"
#include "records/RowImages.h"
#include "station/ImageStore.h"
#include "station/StationContext.h"

#include <QDateTime>
#include <QTimer>

namespace quiller {

namespace {
// Whether the prescription's row names an image (a row that is gone counts as none: the
// store then keeps the page); nullopt while the database does not answer.
std::optional<bool> HasImage(Database& db, const ScanTarget& target) {
    try {
        const std::optional<QString> image =
            RowImages::ImageOf(db.Connection(), target.rxNbr, target.refNo);
        return image && !image->isEmpty();
    } catch (const QuillerError& e) {
        qCWarning(lcStorage).noquote() << e.description();
        return std::nullopt;
    }
}
} // namespace

void StationCore::WaitForServer(int page, const ScanTarget& target, const QString& name,
                                const PageCheck* check, const QString& earlierLabel) {
    ServerWait wait{staged_.at(page), target, name, std::nullopt, earlierLabel};
    if (check)
        wait.check = *check;
    else if (!earlierLabel.isEmpty())
        wait.check = PageCheck{PageChecks::Verified(), earlierLabel, QDateTime::currentDateTime(),
                               ctx_.ScannerID, QString()};
    waitingForServer_ << wait;
    // Its place is decided: the batch does not wait for it, the staging keeps it.
    settled_[page] = true;
    current_->Waiting(target.entryText);
    ctx_.SetStatus(Database::ServerUnavailableStatus());
    qCWarning(lcStorage).noquote()
        << QStringLiteral("page %1 for %2 waits in staging for the database server")
               .arg(page + 1)
               .arg(target.entryText);
    serverTimer_->start();
}

bool StationCore::Waiting(const QString& batch) const {
    return std::any_of(waitingForServer_.cbegin(), waitingForServer_.cend(),
                       [&batch](const ServerWait& w) { return w.page.batch == batch; });
}

void StationCore::FileWaitingPages() {
    Database* db = ctx_.DbConnection.get();
    if (waitingForServer_.isEmpty() || !db || !db->IsOpen()) {
        // Without a database (a new configuration) the next start's recovery files them.
        serverTimer_->stop();
        return;
    }
    try {
        if (db->CurrentState() != Database::State::Open) {
            ctx_.SetStatus(Database::ServerUnavailableStatus());
            return;
        }
    } catch (const QuillerError& e) {
        qCWarning(lcStorage).noquote() << e.description();
        return;
    }
    ImageStore store(ctx_);
    QStringList filed;
    QStringList kept;
    QList<ServerWait> still;
    QStringList batches;
    for (const ServerWait& w : std::as_const(waitingForServer_)) {
        const std::optional<bool> hasImage =
            w.earlierLabel.isEmpty() ? std::optional<bool>(false) : HasImage(*db, w.target);
        if (!hasImage) {
            still << w;
            continue;
        }
        if (*hasImage) {
            // Its prescription got its page meanwhile: this one is its duplicate.
            const Checked<QString> duplicate = store.KeepUnmatched(
                w.page.path, QStringLiteral("duplicate ") + w.earlierLabel,
                tr("a second page labelled %1").arg(w.earlierLabel), w.earlierLabel);
            if (!duplicate.ok()) {
                still << w;
                continue;
            }
            if (staging_)
                staging_->Filed(w.page.batch, w.page.position, duplicate.value(), false);
            batches << w.page.batch;
            kept << QStringLiteral("%1: %2").arg(w.earlierLabel, duplicate.value());
            continue;
        }
        const ImageStore::Result r = store.Store(w.page, w.name, w.target.rxNbr, w.target.refNo,
                                                 w.check ? &*w.check : nullptr);
        if (r.waiting) {
            still << w;
            continue;
        }
        if (staging_)
            staging_->Filed(w.page.batch, w.page.position, r.stored ? w.name : r.keptAs, r.stored);
        batches << w.page.batch;
        if (!r.stored) {
            kept << QStringLiteral("%1: %2").arg(w.target.entryText, r.reason);
            continue;
        }
        filed << w.target.entryText;
        entries_.MarkScanned(w.target.entryText, w.name);
        const QString how = w.check ? w.check->filed : QString();
        if (w.check)
            entries_.SetFiled(w.target.entryText, how);
        emit PageStored(w.target, w.name, how, false);
    }
    waitingForServer_ = still;
    for (const QString& batch : std::as_const(batches))
        if (staging_ && batch != batchId_ && !Waiting(batch))
            staging_->Closed(batch);
    if (waitingForServer_.isEmpty())
        serverTimer_->stop();
    if (filed.isEmpty() && kept.isEmpty())
        return;
    qCInfo(lcStorage).noquote()
        << QStringLiteral("the database server is back: %1 waiting page(s) filed, %2 not")
               .arg(filed.size())
               .arg(kept.size());
    ctx_.SetStatus(tr("The database server is back: %1 waiting page(s) filed.").arg(filed.size()));
    if (!kept.isEmpty()) {
        const QString text = tr("The database server is back, but these pages could not be "
                                "filed:\n%1")
                                 .arg(kept.join(QLatin1Char('\n')));
        QTimer::singleShot(0, this, [text] { MessageBoxes::Show(text, MsgIcon::Exclamation); });
    }
}

} // namespace quiller
