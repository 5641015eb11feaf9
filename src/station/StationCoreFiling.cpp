// The station core's pages: each is staged on disk as it arrives, read for its labels on
// a worker while the scanner goes on, and filed once its place is final.
#include "station/StationCore.h"

#include "base/FileSystem.h"
#include "base/Log.h"
#include "base/MessageBoxes.h"
#include "records/Database.h"
#include "records/PageChecks.h"
#include "records/RowImages.h"
#include "scanner/ScannerControl.h"
#include "settings/StationSettings.h"
#include "station/EarlierBatches.h"
#include "station/ImageNaming.h"
#include "station/ImageStore.h"
#include "station/StationContext.h"
#include "station/verify/PageReading.h"
#include "station/verify/VerifySettings.h"

#include <QFileInfo>
#include <QTimer>

namespace quiller {

PageStaging* StationCore::Staging() {
    if (!staging_ || staging_->Folder() != PageStaging::FolderFor(ctx_.dataPath, ctx_.ScannerID))
        staging_ = std::make_unique<PageStaging>(ctx_.dataPath, ctx_.ScannerID);
    staging_->Open();
    return staging_.get();
}

int StationCore::PendingPages() const {
    return int(std::count(settled_.cbegin(), settled_.cend(), false));
}

void StationCore::PrepareFiling(Acquisition& a) {
    endWaitsForReads_ = false;
    const VerifySettings settings = ReadVerifySettings(StationSettings());
    a.Verify(settings.mode, settings.pattern, settings.problem);
    if (!settings.problem.isEmpty())
        qCWarning(lcIntake).noquote() << QStringLiteral("[verify] settings: ") + settings.problem;
    if (scanner_)
        scanner_->KeepScannedPages(a.Filing() != nullptr);
}

// A page has arrived at `index` of the scanner's buffer: it goes to disk first.
void StationCore::HandlePage(int index) {
    ScannerControl* sc = scanner_;
    if (!current_ || batchId_.isEmpty()) {
        // A page nobody asked for (after a stop, say) is still kept, never dropped.
        try {
            Acquisition stray(Acquisition::Kind::SinglePage, {});
            PageStaging* staging = Staging();
            const QString batch = staging->BeginBatch(stray, QStringLiteral("off"));
            const StagedPage page = staging->Stage(
                batch, 0, sc->PageJpeg(index), sc->Value(ScannerControl::Setting::ScanSettingE));
            const Checked<QString> keeping =
                ImageStore(ctx_).KeepUnmatched(page.path, QStringLiteral("page"));
            const QString kept = keeping.valueOr(QString());
            staging->Filed(batch, 0, kept, false);
            if (!kept.isEmpty())
                staging->Closed(batch);
            const QString text =
                kept.isEmpty()
                    ? tr("A page arrived outside of any scan; it stays in %1: %2")
                          .arg(FileSystem::Native(staging->Folder()), keeping.why())
                    : tr("A page arrived outside of any scan; it is kept as %1").arg(kept);
            QTimer::singleShot(0, this, [text] { MessageBoxes::Show(text, MsgIcon::Exclamation); });
        } catch (const QuillerError& e) {
            qCWarning(lcStorage).noquote() << e.description();
        }
        return;
    }
    Acquisition& a = *current_;
    const int page = int(staged_.size());
    try {
        staged_ << Staging()->Stage(batchId_, page, sc->PageJpeg(index),
                                    sc->Value(ScannerControl::Setting::ScanSettingE));
        settled_ << false;
    } catch (const QuillerError& e) {
        qCWarning(lcStorage).noquote() << e.description();
        // Without its file on disk the page is neither filed nor counted as filed: the
        // prescription stays without a page and the report says why.
        staged_ << StagedPage{};
        settled_ << true;
        bufferOf_ << index;
        const ScanTarget* target = nullptr;
        if (a.Filing())
            a.PageArrived();
        else
            target = a.NextPage();
        a.Lost(target ? target->entryText : QStringLiteral("page %1").arg(page + 1),
               e.description());
        return;
    }
    if (a.Filing())
        a.PageArrived();
    const ScanTarget* target = a.Filing() ? nullptr : a.NextPage();
    if (a.kind() == Acquisition::Kind::Batch) {
        const int n = std::min(a.Received(), a.Total());
        ctx_.SetProgress(n, a.Total());
        ctx_.SetStatus(tr("Scanning: image %1 of %2").arg(n).arg(a.Total()));
    }
    if (a.Filing()) {
        bufferOf_ << index;
        ReadPage(a.Filing()->AddPage(index), index);
        return;
    }
    if (!target) {
        KeepApart(page, QStringLiteral("extra page"), true);
        return;
    }
    bufferOf_ << index;
    if (FileFor(page, *target, nullptr))
        a.Stored();
}

void StationCore::ReadPage(int page, int index) {
    ScannerControl* sc = scanner_;
    reading_->Read(ticket_, page, sc->TakeScannedPage(index), sc->PageJpeg(index),
                   current_->Filing()->Pattern());
}

void StationCore::OnPageRead(quint64 batch, int page, const QList<PageCode>& codes) {
    if (!current_ || batch != ticket_ || !current_->Filing())
        return;
    if (staging_)
        staging_->Codes(batchId_, page, codes);
    current_->Filing()->SetCodes(page, codes);
    FileSettled(false);
    if (endWaitsForReads_ && current_ && current_->Filing()->AllRead())
        EndAcquisition(endError_);
}

void StationCore::FileSettled(bool ended) {
    if (!current_ || !current_->Filing())
        return;
    using Status = PageDecision::Status;
    Acquisition& a = *current_;
    for (const BatchFiling::Settled& s : a.Filing()->TakeSettled(ended)) {
        const PageDecision& d = s.decision;
        if (d.status == Status::Verified || d.status == Status::ByPosition) {
            const ScanTarget& target = a.Targets().at(d.prescription);
            const PageCheck check{
                d.status == Status::Verified ? PageChecks::Verified() : PageChecks::ByPosition(),
                d.label, QDateTime::currentDateTime(), ctx_.ScannerID, otherCodesNote(d.others)};
            if (FileFor(s.page, target, &check)) {
                // A prescription listed twice (two data files of one tick) has this one page.
                const QList<int>& first = a.Filing()->Result().firstListing;
                for (int k = 0; k < first.size(); ++k) {
                    if (first[k] != d.prescription)
                        continue;
                    a.StoredFor(k);
                    if (!a.Viewing())
                        entries_.SetFiled(a.Targets().at(k).entryText, check.filed);
                    emit FilingShown(a.Targets().at(k), check.filed, a.Viewing());
                }
            }
            continue;
        }
        // A label of no prescription of this batch may name one of an earlier batch that
        // still waits for its page (sheets left in the feeder after a double feed).
        const Earlier earlier = d.status == Status::Unmatched &&
                                        d.why == PageDecision::Why::ForeignLabel && !a.Viewing()
                                    ? FileEarlier(s.page, d)
                                    : Earlier::NotNamed;
        if (earlier == Earlier::Filed)
            continue;
        // Kept apart: a label of no prescription of this batch, a second page for one,
        // or no label where one is required. The paper is never lost.
        QString hint = d.label.isEmpty() ? QStringLiteral("unlabelled") : d.label;
        if (d.status == Status::Duplicate || earlier == Earlier::HasImage)
            hint = QStringLiteral("duplicate ") + hint;
        else if (d.why == PageDecision::Why::ConflictingLabels)
            hint = QStringLiteral("two labels ") + d.label;
        PageDecision shown = d;
        if (earlier == Earlier::HasImage)
            shown.status = Status::Duplicate;
        KeepApart(s.page, hint, true, keptReason(shown), d.label);
        const QString others = otherCodesNote(d.others);
        qCWarning(lcStorage).noquote()
            << QStringLiteral("page %1 (%2%3) kept apart")
                   .arg(s.page + 1)
                   .arg(keptReason(d),
                        others.isEmpty() ? QString() : QStringLiteral("; other codes: ") + others);
    }
}

// Stores staged page `page` as the image of `target` (or keeps it in Unmatched when its
// row was not recorded or cannot take it); true when stored.
bool StationCore::FileFor(int page, const ScanTarget& target, const PageCheck* check) {
    Acquisition& a = *current_;
    const StagedPage& staged = staged_.at(page);
    ImageStore store(ctx_);
    if (!target.refusal.isEmpty()) {
        const Checked<QString> keeping = store.KeepUnmatched(staged.path, target.entryText);
        const QString kept = keeping.valueOr(QString());
        if (kept.isEmpty())
            a.Lost(target.entryText, tr("not recorded (%1); its page stays in the "
                                        "staging folder: %2")
                                         .arg(target.refusal, keeping.why()));
        else
            a.Kept(target.entryText, kept, tr("not recorded (%1)").arg(target.refusal));
        staging_->Filed(batchId_, page, kept, false);
        settled_[page] = !kept.isEmpty();
        emit PageShown(bufferOf_.value(page, -1), QString());
        return false;
    }
    const QString name = ImageFileName(target.entryText);
    ctx_.SetStatus(tr("Saving image file %1").arg(name));
    staging_->Filing(batchId_, page, target, name);
    const ImageStore::Result r = store.Store(staged, name, target.rxNbr, target.refNo, check);
    if (r.waiting) {
        WaitForServer(page, target, name, check);
        emit PageShown(bufferOf_.value(page, -1), QString());
        return false;
    }
    if (!r.stored && r.keptAs.isEmpty())
        a.Lost(target.entryText, r.reason);
    else if (!r.stored)
        a.Kept(target.entryText, r.keptAs, r.reason);
    staging_->Filed(batchId_, page, r.stored ? name : r.keptAs, r.stored);
    settled_[page] = r.stored || !r.keptAs.isEmpty();
    if (r.stored) {
        if (a.Viewing())
            RemoveLock();
        else
            entries_.MarkScanned(target.entryText, name);
        emit PageStored(target, name, check ? check->filed : QString(), a.Viewing());
    }
    emit PageShown(bufferOf_.value(page, -1), r.stored ? name : QString());
    return r.stored;
}

void StationCore::KeepApart(int page, const QString& hint, bool extra, const QString& why,
                            const QString& label) {
    Acquisition& a = *current_;
    const Checked<QString> keeping =
        ImageStore(ctx_).KeepUnmatched(staged_.at(page).path, hint, why, label);
    const QString kept = keeping.valueOr(QString());
    if (extra)
        a.ExtraKept(
            kept.isEmpty()
                ? tr("(page %1 stays in the staging folder: %2)").arg(page + 1).arg(keeping.why())
                : kept);
    staging_->Filed(batchId_, page, kept, false);
    settled_[page] = !kept.isEmpty();
}

EarlierBatches& StationCore::EarlierList() {
    const QString file = FileSystem::Join(Staging()->Folder(), QStringLiteral("earlier.json"));
    if (!earlier_ || earlier_->File() != file) {
        earlier_ = std::make_unique<EarlierBatches>(file);
        earlier_->Load();
    }
    return *earlier_;
}

// Every batch's prescriptions are remembered for a while, whether or not their pages came:
// a later page naming one is then filed there, or kept as its duplicate.
void StationCore::RememberBatch(const Acquisition& a) {
    try {
        EarlierBatches& list = EarlierList();
        list.Add(a.Targets(), QDateTime::currentDateTime());
        if (const Outcome saved = list.Save(); !saved.ok())
            qCWarning(lcStorage).noquote()
                << QStringLiteral("the list of earlier batches was not saved: ") + saved.why();
    } catch (const QuillerError& e) {
        qCWarning(lcStorage).noquote() << e.description();
    }
}

StationCore::Earlier StationCore::FileEarlier(int page, const PageDecision& d) {
    Acquisition& a = *current_;
    const std::optional<LabelKey> key = a.Filing()->Pattern().parse(d.label);
    Database* db = ctx_.DbConnection.get();
    if (!key || !db || !db->IsOpen())
        return Earlier::NotNamed;
    std::optional<ScanTarget> target;
    std::optional<QString> image;
    try {
        target = EarlierList().Named(*key, rest_.Targets(), QDateTime::currentDateTime());
        if (!target)
            return Earlier::NotNamed;
        image = RowImages::ImageOf(db->Connection(), target->rxNbr, target->refNo);
    } catch (const QuillerError& e) {
        qCWarning(lcStorage).noquote() << e.description();
        if (!target || e.number() != kErrorServerUnavailable)
            return Earlier::NotNamed;
        // Whether it still lacks its image is asked again once the server is back.
        WaitForServer(page, *target, ImageFileName(target->entryText), nullptr, d.label);
        return Earlier::Filed;
    }
    if (!image)
        return Earlier::NotNamed; // its row is gone: the page stays unmatched
    if (!image->isEmpty()) {
        a.EarlierDuplicate(page);
        return Earlier::HasImage;
    }
    const PageCheck check{PageChecks::Verified(), d.label, QDateTime::currentDateTime(),
                          ctx_.ScannerID, otherCodesNote(d.others)};
    const QString name = ImageFileName(target->entryText);
    staging_->Filing(batchId_, page, *target, name);
    const ImageStore::Result r =
        ImageStore(ctx_).Store(staged_.at(page), name, target->rxNbr, target->refNo, &check);
    const QString as = r.stored ? name : r.keptAs;
    staging_->Filed(batchId_, page, as, r.stored);
    settled_[page] = !as.isEmpty();
    emit PageShown(bufferOf_.value(page, -1), r.stored ? name : QString());
    if (!r.stored) {
        // Store kept the page in Unmatched/ (or left it in staging) and logged why.
        a.ExtraKept(r.keptAs.isEmpty() ? QStringLiteral("(page %1 stays in the staging folder: %2)")
                                             .arg(page + 1)
                                             .arg(r.reason)
                                       : r.keptAs);
        return Earlier::Filed;
    }
    a.FiledEarlier(page, target->entryText);
    // An entry of it still listed shows it stored and how.
    entries_.MarkScanned(target->entryText, name);
    entries_.SetFiled(target->entryText, check.filed);
    qCInfo(lcStorage).noquote() << QStringLiteral("page %1 filed for %2 of an earlier batch")
                                       .arg(page + 1)
                                       .arg(target->entryText);
    emit PageStored(*target, name, check.filed, false);
    return Earlier::Filed;
}

// The scanner is done. With label reading, the batch ends once every page has been read
// (false until then: the last read ends it); its pages filed by position are filed now.
bool StationCore::EndFiling(const QString& scannerError) {
    Acquisition& a = *current_;
    BatchFiling* filing = a.Filing();
    if (!filing) {
        if (staging_ && !batchId_.isEmpty())
            staging_->Ended(batchId_);
        return true;
    }
    if (!filing->AllRead()) {
        endWaitsForReads_ = true;
        endError_ = scannerError;
        ctx_.SetStatus(tr("Reading the labels of the last pages ..."));
        return false;
    }
    endWaitsForReads_ = false;
    if (staging_ && !batchId_.isEmpty())
        staging_->Ended(batchId_);
    FileSettled(true);
    if (!current_)
        return false;
    if (scanner_)
        scanner_->KeepScannedPages(false);
    const FilingResult result = filing->Result();
    // A prescription whose page went unfiled for carrying another's label as well says so.
    QList<int> conflicting;
    for (const PageDecision& d : result.pages)
        if (d.why == PageDecision::Why::ConflictingLabels)
            conflicting += d.named;
    for (int k : result.withoutPage) {
        const QString shown = conflicting.contains(k) ? tr("two labels") : tr("missing");
        for (int t = 0; t < result.firstListing.size(); ++t) {
            if (result.firstListing[t] != k)
                continue;
            if (!a.Viewing())
                entries_.SetFiled(a.Targets().at(t).entryText, shown);
            emit FilingShown(a.Targets().at(t), shown, a.Viewing());
        }
    }
    qCInfo(lcIntake).noquote() << QStringLiteral("batch filed: ") + a.FilingSummary();
    return true;
}

// The operator stops: pages not read yet are read here, and every page is filed: the
// batch has ended, so a place by position is final too.
void StationCore::SettleOnStop() {
    if (!current_)
        return;
    endWaitsForReads_ = false;
    if (staging_ && !batchId_.isEmpty())
        staging_->Ended(batchId_);
    if (!current_->Filing())
        return;
    BatchFiling& filing = *current_->Filing();
    for (const auto& [page, index] : filing.Unread()) {
        const QByteArray jpeg =
            scanner_ && index < scanner_->ImageCount() ? scanner_->PageJpeg(index) : QByteArray();
        const QImage scanned = scanner_ ? scanner_->TakeScannedPage(index) : QImage();
        QList<PageCode> codes = PageReading::ReadNow(scanned, jpeg, filing.Pattern());
        if (codes.isEmpty() && scanned.isNull() && jpeg.isEmpty())
            codes =
                PageReading::ReadNow(QImage(staged_.at(page).path), QByteArray(), filing.Pattern());
        if (staging_)
            staging_->Codes(batchId_, page, codes);
        filing.SetCodes(page, codes);
    }
    FileSettled(true);
    if (scanner_)
        scanner_->KeepScannedPages(false);
}

// The batch has ended: when none of its pages is left in staging, the journal says so.
void StationCore::CloseStaging() {
    if (staging_ && !batchId_.isEmpty() && PendingPages() == 0 && !Waiting(batchId_))
        staging_->Closed(batchId_);
    batchId_.clear();
    staged_.clear();
    settled_.clear();
    bufferOf_.clear();
}

} // namespace quiller
