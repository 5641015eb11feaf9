#include "station/Acquisition.h"

#include <QCoreApplication>

#include <algorithm>

namespace quiller {

namespace {
// How many names a report lists before it counts the rest.
constexpr qsizetype kNamesListed = 12;

QString Listed(const QStringList& names, const QString& separator) {
    QStringList shown = names.mid(0, kNamesListed);
    if (names.size() > kNamesListed)
        shown << QCoreApplication::translate("Acquisition", "and %1 more")
                     .arg(names.size() - kNamesListed);
    return shown.join(separator);
}
} // namespace

Acquisition::Acquisition(Kind kind, QList<ScanTarget> targets, bool viewing)
    : kind_(kind), viewing_(viewing), targets_(std::move(targets)),
      stored_(targets_.size(), false) {}

ScanFrameInches Acquisition::Frame() const {
    if (targets_.isEmpty())
        return FrameForMark(QString());
    ScanFrameInches f = FrameForMark(targets_.constFirst().mark);
    for (const ScanTarget& t : targets_) {
        const ScanFrameInches g = FrameForMark(t.mark);
        f.left = std::min(f.left, g.left);
        f.top = std::min(f.top, g.top);
        f.right = std::max(f.right, g.right);
        f.bottom = std::max(f.bottom, g.bottom);
    }
    return f;
}

const ScanTarget* Acquisition::NextPage() {
    const int k = received_++;
    return k < targets_.size() ? &targets_.at(k) : nullptr;
}

void Acquisition::Stored() {
    const int k = received_ - 1;
    if (k >= 0 && k < stored_.size())
        stored_[k] = true;
}

void Acquisition::Kept(const QString& entryText, const QString& keptAs, const QString& reason) {
    kept_ << QCoreApplication::translate("Acquisition", "%1: %2 (its page is kept as %3)")
                 .arg(entryText, reason, keptAs);
}

void Acquisition::Lost(const QString& entryText, const QString& reason) {
    kept_ << QStringLiteral("%1: %2").arg(entryText, reason);
}

void Acquisition::ExtraKept(const QString& keptAs) {
    extra_ << keptAs;
}

void Acquisition::Verify(FilingMode mode, const LabelPattern& pattern,
                         const QString& settingsProblem) {
    if (mode == FilingMode::Off)
        return;
    settingsProblem_ = settingsProblem;
    QList<ExpectedRx> expected;
    for (const ScanTarget& t : targets_)
        expected.append(ExpectedRx{t.rxNbr, t.refNo});
    filing_.emplace(expected, mode, pattern);
}

void Acquisition::StoredFor(int target) {
    if (target >= 0 && target < stored_.size())
        stored_[target] = true;
}

void Acquisition::FiledEarlier(int page, const QString& entryText) {
    reclassified_.append({page, PageDecision::Status::Verified});
    earlier_ << entryText;
}

void Acquisition::EarlierDuplicate(int page) {
    reclassified_.append({page, PageDecision::Status::Duplicate});
}

FilingResult Acquisition::Adjusted() const {
    FilingResult r = filing_->Result();
    for (const auto& [page, status] : reclassified_) {
        if (page < 0 || page >= r.pages.size() ||
            r.pages[page].status != PageDecision::Status::Unmatched)
            continue;
        r.pages[page].status = status;
        --r.unmatched;
        if (status == PageDecision::Status::Verified)
            ++r.verified;
        else
            ++r.duplicates;
    }
    return r;
}

QString Acquisition::FilingSummary() const {
    return filing_ ? filingReport(Adjusted(), filing_->Expected()) : QString();
}

QList<ScanTarget> Acquisition::WithoutPage() const {
    QList<ScanTarget> rest;
    if (filing_) {
        // Filed by label, a missing page can be anywhere in the stack.
        for (int k : filing_->Result().withoutPage)
            rest << targets_.at(k);
        return rest;
    }
    return targets_.mid(std::min(received_, Total()));
}

QStringList Acquisition::NotScanned() const {
    QStringList names;
    for (const ScanTarget& t : WithoutPage())
        names << t.entryText;
    return names;
}

QStringList Acquisition::WaitingLine() const {
    if (waiting_.isEmpty())
        return {};
    return {QCoreApplication::translate("Acquisition",
                                        "The database server is unavailable: the pages of %1 "
                                        "wait in the staging folder and are filed as soon as "
                                        "it is back.")
                .arg(Listed(waiting_, QStringLiteral(", ")))};
}

QString Acquisition::Report(bool stopped) const {
    QStringList lines;
    if (!settingsProblem_.isEmpty())
        lines << QCoreApplication::translate("Acquisition", "Check the [verify] settings: %1.")
                     .arg(settingsProblem_);
    if (filing_) {
        // Nothing to say when every prescription got its page, none was kept apart, and
        // the pages were either all verified or all filed by position (no labels in use).
        const FilingResult r = Adjusted();
        const bool oneWay = r.verified == 0 || r.byPosition == 0;
        if (oneWay && r.withoutPage.isEmpty() && kept_.isEmpty() && extra_.isEmpty() &&
            earlier_.isEmpty() && waiting_.isEmpty() && lines.isEmpty())
            return QString();
        const int stored = int(std::count(stored_.cbegin(), stored_.cend(), true));
        if (!kept_.isEmpty() || !r.withoutPage.isEmpty() || !waiting_.isEmpty())
            lines << QCoreApplication::translate("Acquisition",
                                                 "%1 of %2 prescriptions scanned and stored.")
                         .arg(stored)
                         .arg(Total());
        lines
            << (stopped
                    ? QCoreApplication::translate("Acquisition", "Stopped: %1").arg(FilingSummary())
                    : FilingSummary());
        for (const QString& entry : earlier_)
            lines << QCoreApplication::translate("Acquisition", "%1 filed from an earlier batch.")
                         .arg(entry);
        lines << WaitingLine();
        if (!kept_.isEmpty())
            lines << QCoreApplication::translate("Acquisition", "Not stored:") + QLatin1Char('\n') +
                         Listed(kept_, QStringLiteral("\n"));
        if (!extra_.isEmpty())
            lines << QCoreApplication::translate("Acquisition",
                                                 "Pages kept apart, in the image folder as: %1")
                         .arg(Listed(extra_, QStringLiteral(", ")));
        return lines.join(QLatin1Char('\n'));
    }
    const QStringList missing = NotScanned();
    const int stored = int(std::count(stored_.cbegin(), stored_.cend(), true));
    if (!missing.isEmpty() || !kept_.isEmpty() || !waiting_.isEmpty())
        lines << QCoreApplication::translate("Acquisition",
                                             "%1 of %2 prescriptions scanned and stored.")
                     .arg(stored)
                     .arg(Total());
    if (!missing.isEmpty())
        lines << (stopped ? QCoreApplication::translate("Acquisition",
                                                        "Stopped before their page came: %1")
                          : QCoreApplication::translate("Acquisition", "Not scanned: %1"))
                     .arg(Listed(missing, QStringLiteral(", ")));
    lines << WaitingLine();
    if (!kept_.isEmpty())
        lines << QCoreApplication::translate("Acquisition", "Not stored:") + QLatin1Char('\n') +
                     Listed(kept_, QStringLiteral("\n"));
    if (!extra_.isEmpty())
        lines << QCoreApplication::translate(
                     "Acquisition", "%1 extra page(s) belonged to no prescription of this scan and "
                                    "were kept in the image folder as: %2")
                     .arg(extra_.size())
                     .arg(Listed(extra_, QStringLiteral(", ")));
    return lines.join(QLatin1Char('\n'));
}

} // namespace quiller
