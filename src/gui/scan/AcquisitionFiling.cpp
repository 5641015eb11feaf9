// Acquisitions whose pages are filed by their labels: each page is read on a worker while
// the scanner goes on, filed once its filing is final, and the batch ends when the last
// page has been read.
#include "gui/scan/AcquisitionController.h"

#include "base/Log.h"
#include "gui/scan/ToBeScannedList.h"
#include "gui/scan/frmScan.h"
#include "records/PageChecks.h"
#include "records/SearchResultModel.h"
#include "scanner/ScannerControl.h"
#include "settings/SettingsStore.h"
#include "station/ImageStore.h"
#include "station/StationContext.h"
#include "station/verify/VerifySettings.h"

#include <QTreeView>
#include <QTreeWidget>

namespace quiller {

void AcquisitionController::PrepareFiling(Acquisition& a) {
    ++batchTicket_; // reads still under way belong to an earlier acquisition
    endWaitsForReads_ = false;
    const VerifySettings settings = ReadVerifySettings(SettingsStore());
    a.Verify(settings.mode, settings.pattern, settings.problem);
    if (!settings.problem.isEmpty())
        qCWarning(lcIntake).noquote() << QStringLiteral("[verify] settings: ") + settings.problem;
    if (ScannerControl* sc = Scanner())
        sc->KeepScannedPages(a.Filing() != nullptr);
}

void AcquisitionController::ReadPage(int index) {
    Acquisition& a = *current_;
    a.PageArrived();
    if (a.kind() == Acquisition::Kind::Batch) {
        const int n = std::min(a.Received(), a.Total());
        ctx_.SetProgress(n, a.Total());
        ctx_.SetStatus(QStringLiteral("Scanning: image %1 of %2").arg(n).arg(a.Total()));
    }
    const int page = a.Filing()->AddPage(index);
    ScannerControl* sc = Scanner();
    reading_->Read(batchTicket_, page, sc->TakeScannedPage(index), sc->PageJpeg(index),
                   a.Filing()->Pattern());
}

void AcquisitionController::OnPageRead(quint64 batch, int page, const QList<PageCode>& codes) {
    if (!current_ || batch != batchTicket_ || !current_->Filing() || !window_ || !Scanner())
        return;
    current_->Filing()->SetCodes(page, codes);
    FileSettled(false);
    if (endWaitsForReads_ && current_ && current_->Filing()->AllRead())
        EndAcquisition(endError_);
}

void AcquisitionController::FileSettled(bool ended) {
    if (!current_ || !current_->Filing() || !Scanner())
        return;
    for (const BatchFiling::Settled& s : current_->Filing()->TakeSettled(ended))
        FileSettledPage(s);
}

void AcquisitionController::FileSettledPage(const BatchFiling::Settled& s) {
    using Status = PageDecision::Status;
    Acquisition& a = *current_;
    const PageDecision& d = s.decision;
    if (d.status == Status::Verified || d.status == Status::ByPosition) {
        const ScanTarget& target = a.Targets().at(d.prescription);
        const PageCheck check{
            d.status == Status::Verified ? PageChecks::Verified() : PageChecks::ByPosition(),
            d.label, QDateTime::currentDateTime(), ctx_.ScannerID, otherCodesNote(d.others)};
        if (FileFor(s.bufferIndex, target, &check)) {
            // A prescription listed twice (two data files of one tick) has this one page.
            const QList<int>& first = a.Filing()->Result().firstListing;
            for (int k = 0; k < first.size(); ++k)
                if (first[k] == d.prescription) {
                    a.StoredFor(k);
                    ShowFiling(a.Targets().at(k), check.filed);
                }
        }
        return;
    }
    // Kept apart: a label of no prescription of this batch, labels of two prescriptions, a
    // second page for one, or no label where one is required. The paper is never lost.
    QString hint = d.label.isEmpty() ? QStringLiteral("unlabelled") : d.label;
    if (d.status == Status::Duplicate)
        hint = QStringLiteral("duplicate ") + hint;
    else if (d.why == PageDecision::Why::ConflictingLabels)
        hint = QStringLiteral("two labels ") + d.label;
    QString reason;
    const QString kept = ImageStore(ctx_).KeepUnmatched(*Scanner(), s.bufferIndex, hint, &reason);
    a.ExtraKept(kept.isEmpty()
                    ? QStringLiteral("(page %1 could not be kept: %2)").arg(s.page + 1).arg(reason)
                    : kept);
    const QString others = otherCodesNote(d.others);
    qCWarning(lcStorage).noquote()
        << QStringLiteral("page %1 (%2%3) kept apart as %4")
               .arg(s.page + 1)
               .arg(keptReason(d),
                    others.isEmpty() ? QString() : QStringLiteral("; other codes: ") + others,
                    kept);
}

// The scanner is done. With label reading, the batch ends once every page has been read
// (false until then: the last read ends it); its pages filed by position are filed now.
bool AcquisitionController::EndFiling(const QString& scannerError) {
    Acquisition& a = *current_;
    BatchFiling* filing = a.Filing();
    if (!filing)
        return true;
    if (!filing->AllRead()) {
        endWaitsForReads_ = true;
        endError_ = scannerError;
        ctx_.SetStatus(QStringLiteral("Reading the labels of the last pages ..."));
        return false;
    }
    endWaitsForReads_ = false;
    FileSettled(true);
    if (!current_)
        return false;
    if (ScannerControl* sc = Scanner())
        sc->KeepScannedPages(false);
    const FilingResult result = filing->Result();
    // A prescription whose page went unfiled for carrying another's label as well says so.
    QList<int> conflicting;
    for (const PageDecision& d : result.pages)
        if (d.why == PageDecision::Why::ConflictingLabels)
            conflicting += d.named;
    for (int k : result.withoutPage)
        for (int t = 0; t < result.firstListing.size(); ++t)
            if (result.firstListing[t] == k)
                ShowFiling(a.Targets().at(t), conflicting.contains(k) ? QStringLiteral("two labels")
                                                                      : QStringLiteral("missing"));
    qCInfo(lcIntake).noquote() << QStringLiteral("batch filed: ") + a.FilingSummary();
    return true;
}

// The operator stops: pages not read yet are read here, and every page is filed.
void AcquisitionController::SettleOnStop() {
    ScannerControl* sc = Scanner();
    if (!current_ || !current_->Filing() || !sc)
        return;
    ++batchTicket_;
    endWaitsForReads_ = false;
    BatchFiling& filing = *current_->Filing();
    for (const auto& [page, index] : filing.Unread())
        filing.SetCodes(page, PageReading::ReadNow(sc->TakeScannedPage(index), sc->PageJpeg(index),
                                                   filing.Pattern()));
    FileSettled(true);
    sc->KeepScannedPages(false);
}

// Shows how an entry's page was filed: in the to-be-scanned list's filing column, or in
// the viewing list for a rescan from it.
void AcquisitionController::ShowFiling(const ScanTarget& target, const QString& filed) {
    if (current_ && current_->Viewing()) {
        if (auto* results = qobject_cast<SearchResultModel*>(window_->ListView2->model()))
            results->SetFiledOf(target.rxNbr, target.refNo, filed);
        return;
    }
    QTreeWidget* list = window_->ListView1;
    QTreeWidgetItem* match = nullptr;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = list->topLevelItem(i);
        if (item->text(0) != target.entryText)
            continue;
        if (item->text(ToBeScannedList::kFilingColumn).isEmpty()) {
            match = item;
            break;
        }
        if (!match)
            match = item;
    }
    if (match)
        match->setText(ToBeScannedList::kFilingColumn, filed);
}

} // namespace quiller
