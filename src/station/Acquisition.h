#pragma once

#include "station/ImageNaming.h"
#include "station/verify/BatchFiling.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace quiller {

// A prescription an acquisition is for.
struct ScanTarget {
    QString entryText; // "123-01" as listed
    QString rxNbr;     // the key as the data file gave it
    QString refNo;
    QString mark;     // the data file's mark; chooses the frame
    QString refusal;  // non-empty: its row was not recorded, and why (plain words)
    int viewRow = -1; // row of the viewing list, for a rescan from it
};

// One acquisition with the prescriptions it was started for, fixed at its start: its
// k-th page belongs to its k-th prescription and to no other, whatever the lists show
// by the time the page arrives. Keeps what became of every page and writes the
// end-of-batch report.
class Acquisition {
public:
    enum class Kind {
        Batch,      // the prescriptions of the data files a polling tick took
        SinglePage, // the Scan button: one page for the selected entry
    };
    Acquisition(Kind kind, QList<ScanTarget> targets, bool viewing = false);

    Kind kind() const { return kind_; }
    bool Viewing() const { return viewing_; }
    const QList<ScanTarget>& Targets() const { return targets_; }
    int Total() const { return int(targets_.size()); }
    int Received() const { return received_; }
    // Prescriptions whose page has not arrived yet.
    int Outstanding() const { return Total() - std::min(received_, Total()); }

    // The frame that covers the frame of every prescription's mark.
    ScanFrameInches Frame() const;

    // The next page has arrived: the prescription it belongs to, or null for a page
    // beyond them.
    const ScanTarget* NextPage();
    // What became of the page last announced by NextPage.
    void Stored();
    void Kept(const QString& entryText, const QString& keptAs, const QString& reason);
    void Lost(const QString& entryText, const QString& reason);
    void ExtraKept(const QString& keptAs);
    // The page of `entryText` waits in staging for the database server.
    void Waiting(const QString& entryText) { waiting_ << entryText; }

    // Label reading for this acquisition (a mode other than off): its pages are then filed
    // by what their labels say, through Filing(), rather than by NextPage.
    // `settingsProblem`: what was wrong with the settings, for the report.
    void Verify(FilingMode mode, const LabelPattern& pattern, const QString& settingsProblem);
    BatchFiling* Filing() { return filing_ ? &*filing_ : nullptr; }
    const BatchFiling* Filing() const { return filing_ ? &*filing_ : nullptr; }
    // A page has arrived (label reading): counts it.
    void PageArrived() { ++received_; }
    // The page of prescription `target` was stored (label reading).
    void StoredFor(int target);
    // Page `page`, whose label names no prescription of this acquisition, was filed for
    // `entryText`, a prescription of an earlier batch still without its image.
    void FiledEarlier(int page, const QString& entryText);
    // Page `page` names a prescription of an earlier batch that has its image already.
    void EarlierDuplicate(int page);

    // The end-of-batch report; empty when every prescription got its page and nothing
    // is left to say. `stopped` says the operator stopped the acquisition.
    QString Report(bool stopped = false) const;
    // The prescriptions that got no page, and their entry texts.
    QList<ScanTarget> WithoutPage() const;
    QStringList NotScanned() const;
    // With label reading: how the pages were filed, in words ("12 pages verified by their
    // label, 1 filed by position."); empty otherwise.
    QString FilingSummary() const;

private:
    Kind kind_;
    bool viewing_;
    QList<ScanTarget> targets_;
    int received_ = 0;
    QList<bool> stored_;
    QStringList kept_;    // "entry: reason (kept as Unmatched/...)"
    QStringList extra_;   // Unmatched/... of pages beyond the prescriptions or kept apart
    QStringList waiting_; // entries whose page waits for the database server
    // The filing's result with the pages that went to earlier batches counted where
    // they went.
    FilingResult Adjusted() const;
    // The report's line on pages waiting for the database server (none: empty).
    QStringList WaitingLine() const;

    std::optional<BatchFiling> filing_;
    QString settingsProblem_;
    QList<std::pair<int, PageDecision::Status>> reclassified_;
    QStringList earlier_; // entries filed from this acquisition's pages
};

} // namespace quiller
