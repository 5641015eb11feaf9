#include "station/StagingRecovery.h"

#include "base/FileSystem.h"
#include "base/Log.h"
#include "records/PageChecks.h"
#include "station/ImageNaming.h"
#include "station/ImageStore.h"
#include "station/PageStaging.h"
#include "station/StationContext.h"
#include "station/verify/BatchFiling.h"
#include "station/verify/PageReading.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QSet>
#include <optional>

namespace quiller {

namespace {

QString StoppedReason() {
    return QCoreApplication::translate("StagingRecovery",
                                       "the station stopped before this page was filed");
}

struct JournalPage {
    QString file;
    std::optional<QList<PageCode>> codes;
    QString filingName; // the image name a store began with
    QString rx, ref;
    bool filed = false;
};

struct JournalBatch {
    QList<ScanTarget> targets;
    FilingMode mode = FilingMode::Off;
    QMap<int, JournalPage> pages;
    bool ended = false;
    bool closed = false;
};

// Reads a journal; a line cut short by the end of the run is skipped.
QMap<QString, JournalBatch> ReadJournal(const QString& path) {
    QMap<QString, JournalBatch> batches;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return batches;
    while (!file.atEnd()) {
        const QJsonObject o = QJsonDocument::fromJson(file.readLine()).object();
        const QString e = o.value("e").toString();
        const QString b = o.value("b").toString();
        if (e.isEmpty() || b.isEmpty())
            continue;
        JournalBatch& batch = batches[b];
        const int p = o.value("p").toInt(-1);
        if (e == u"batch") {
            batch.mode =
                filingModeFromSetting(o.value("mode").toString()).value_or(FilingMode::Check);
            for (const QJsonValue& v : o.value("targets").toArray()) {
                const QJsonObject t = v.toObject();
                ScanTarget target;
                target.entryText = t.value("entry").toString();
                target.rxNbr = t.value("rx").toString();
                target.refNo = t.value("ref").toString();
                target.mark = t.value("mark").toString();
                target.refusal = t.value("refusal").toString();
                batch.targets << target;
            }
        } else if (e == u"page" && p >= 0) {
            batch.pages[p].file = o.value("file").toString();
        } else if (e == u"codes" && p >= 0) {
            QList<PageCode> codes;
            for (const QJsonValue& v : o.value("codes").toArray())
                codes << PageCode{v.toArray().at(0).toString(), v.toArray().at(1).toString()};
            batch.pages[p].codes = codes;
        } else if (e == u"filing" && p >= 0) {
            batch.pages[p].filingName = o.value("name").toString();
            batch.pages[p].rx = o.value("rx").toString();
            batch.pages[p].ref = o.value("ref").toString();
        } else if (e == u"filed" && p >= 0) {
            // A page that could be kept nowhere stayed in staging: it is tried again.
            batch.pages[p].filed = !o.value("as").toString().isEmpty();
        } else if (e == u"end") {
            batch.ended = true;
        } else if (e == u"closed") {
            batch.closed = true;
        }
    }
    return batches;
}

class Recovery {
public:
    Recovery(StationContext& ctx, PageStaging& staging, const LabelPattern& pattern)
        : ctx_(ctx), staging_(staging), pattern_(pattern), store_(ctx) {}

    void Batch(const JournalBatch& batch) {
        QMap<int, QString> unfiled; // page -> staged path
        for (auto it = batch.pages.cbegin(); it != batch.pages.cend(); ++it) {
            const JournalPage& page = it.value();
            const QString path = Staged(page.file);
            if (page.filed || page.file.isEmpty())
                continue;
            if (!QFileInfo::exists(path)) {
                // Its store had renamed it and then the run ended before the row.
                if (!page.filingName.isEmpty() &&
                    store_.Reconcile(page.filingName, page.rx, page.ref))
                    ++result.reconciled;
                continue;
            }
            unfiled.insert(it.key(), path);
        }
        if (unfiled.isEmpty())
            return;
        if (batch.mode == FilingMode::Off) {
            for (auto it = unfiled.cbegin(); it != unfiled.cend(); ++it) {
                if (it.key() < batch.targets.size())
                    File(it.value(), batch.targets.at(it.key()), nullptr);
                else
                    Keep(it.value(), QStringLiteral("extra page"),
                         QCoreApplication::translate(
                             "StagingRecovery", "a page beyond the prescriptions of its batch"));
            }
            return;
        }
        QList<ExpectedRx> expected;
        for (const ScanTarget& t : batch.targets)
            expected << ExpectedRx{t.rxNbr, t.refNo};
        BatchFiling filing(expected, batch.mode, pattern_);
        const int pages = batch.pages.isEmpty() ? 0 : batch.pages.lastKey() + 1;
        for (int p = 0; p < pages; ++p) {
            filing.AddPage(p);
            const JournalPage page = batch.pages.value(p);
            QList<PageCode> codes;
            if (page.codes)
                codes = *page.codes;
            else if (unfiled.contains(p))
                codes = PageReading::ReadNow(QImage(unfiled.value(p)), QByteArray(), pattern_);
            filing.SetCodes(p, codes);
        }
        using Status = PageDecision::Status;
        for (const BatchFiling::Settled& s : filing.TakeSettled(batch.ended)) {
            if (!unfiled.contains(s.page))
                continue;
            const QString path = unfiled.take(s.page);
            const PageDecision& d = s.decision;
            if (d.status == Status::Verified || d.status == Status::ByPosition) {
                const PageCheck check{d.status == Status::Verified ? PageChecks::Verified()
                                                                   : PageChecks::ByPosition(),
                                      d.label, QDateTime::currentDateTime(), ctx_.ScannerID,
                                      otherCodesNote(d.others)};
                File(path, batch.targets.at(d.prescription), &check);
            } else {
                const QString hint = d.label.isEmpty() ? QStringLiteral("unlabelled") : d.label;
                Keep(path,
                     d.status == Status::Duplicate ? QStringLiteral("duplicate ") + hint : hint,
                     d.status == Status::Duplicate
                         ? QCoreApplication::translate("StagingRecovery",
                                                       "a second page labelled %1")
                               .arg(d.label)
                         : QCoreApplication::translate(
                               "StagingRecovery", "its label names no prescription of its batch"));
            }
        }
        for (const QString& path : std::as_const(unfiled))
            Keep(path, QStringLiteral("stopped"), StoppedReason());
    }

    // Page files that no journal line names (the run ended between writing the page and
    // its journal line), and pages cut short while being written.
    void Strays(const QSet<QString>& named) {
        const QDir folder(staging_.Folder());
        for (const QString& name : folder.entryList({"*.jpg", "*.part"}, QDir::Files)) {
            if (!named.contains(name))
                Keep(folder.filePath(name), QStringLiteral("stopped"), StoppedReason());
        }
    }

    RecoveryResult result;

private:
    QString Staged(const QString& file) const {
        return file.isEmpty() ? QString() : FileSystem::Join(staging_.Folder(), file);
    }

    void File(const QString& path, const ScanTarget& target, const PageCheck* check) {
        if (!target.refusal.isEmpty()) {
            Keep(path, target.entryText,
                 QCoreApplication::translate("StagingRecovery", "not recorded (%1)")
                     .arg(target.refusal));
            return;
        }
        const StagedPage page{QString(), -1, path, 0};
        const ImageStore::Result r =
            store_.Store(page, ImageFileName(target.entryText), target.rxNbr, target.refNo, check);
        if (r.stored)
            ++result.filed;
        else if (!r.keptAs.isEmpty())
            result.kept << QStringLiteral("%1: %2").arg(r.keptAs, r.reason);
        else
            result.failed << QStringLiteral("%1: %2").arg(target.entryText, r.reason);
    }

    void Keep(const QString& path, const QString& hint, const QString& reason) {
        const Checked<QString> kept = store_.KeepUnmatched(path, hint, reason);
        if (!kept.ok())
            result.failed << QStringLiteral("%1: %2").arg(QFileInfo(path).fileName(), kept.why());
        else
            result.kept << QStringLiteral("%1: %2").arg(kept.value(), reason);
    }

    StationContext& ctx_;
    PageStaging& staging_;
    const LabelPattern& pattern_;
    ImageStore store_;
};

} // namespace

QString RecoveryResult::Report() const {
    if (Empty())
        return QString();
    QStringList lines;
    lines << QCoreApplication::translate("StagingRecovery",
                                         "The station finished what its last run left unfinished:");
    if (filed > 0)
        lines << QCoreApplication::translate("StagingRecovery",
                                             "%1 page(s) filed under their prescription.")
                     .arg(filed);
    if (reconciled > 0)
        lines << QCoreApplication::translate(
                     "StagingRecovery", "%1 stored image(s) recorded in their prescription's row.")
                     .arg(reconciled);
    if (!kept.isEmpty())
        lines << QCoreApplication::translate("StagingRecovery",
                                             "%1 page(s) kept in the image folder:")
                     .arg(kept.size())
              << kept.mid(0, 12);
    if (!failed.isEmpty())
        lines << QCoreApplication::translate(
                     "StagingRecovery",
                     "%1 page(s) could not be filed and stay in the staging folder:")
                     .arg(failed.size())
              << failed.mid(0, 12);
    return lines.join(QLatin1Char('\n'));
}

RecoveryResult RecoverStaging(StationContext& ctx, PageStaging& staging,
                              const LabelPattern& pattern) {
    Recovery recovery(ctx, staging, pattern);
    const QDir folder(staging.Folder());
    QSet<QString> named;
    for (const QString& name : folder.entryList({"journal-*.jsonl"}, QDir::Files)) {
        const QMap<QString, JournalBatch> batches = ReadJournal(folder.filePath(name));
        for (const JournalBatch& b : batches)
            for (const JournalPage& p : b.pages)
                named.insert(p.file);
        if (name == staging.JournalName())
            continue;
        for (const JournalBatch& b : batches)
            if (!b.closed)
                recovery.Batch(b);
    }
    // Pages this run has staged are its own; everything else was left by earlier runs.
    recovery.Strays(named);
    // Journals go once nothing they name is left in staging.
    if (folder.entryList({"*.jpg", "*.part"}, QDir::Files).isEmpty()) {
        for (const QString& name : folder.entryList({"journal-*.jsonl"}, QDir::Files))
            if (name != staging.JournalName())
                QFile::remove(folder.filePath(name));
    }
    const RecoveryResult& r = recovery.result;
    if (!r.Empty())
        qCWarning(lcStorage).noquote()
            << QStringLiteral("staging recovered: %1 filed, %2 reconciled, %3 kept, %4 failed")
                   .arg(r.filed)
                   .arg(r.reconciled)
                   .arg(r.kept.size())
                   .arg(r.failed.size());
    return r;
}

} // namespace quiller
