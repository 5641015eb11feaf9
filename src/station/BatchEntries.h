#pragma once

#include "intake/ScanListPort.h"
#include "station/Acquisition.h"

#include <QList>
#include <QObject>
#include <QString>

namespace quiller {

// One prescription of the to-be-scanned list, as the intake listed it and as its page
// was filed.
struct BatchEntry {
    QString text; // "123-01"
    QString date;
    QString drug;
    QString patient;
    QString mark;      // the data file's mark; chooses the frame
    QString rxNbr;     // the key as the data file gave it
    QString refNo;     //
    QString refusal;   // non-empty: its row was not recorded, and why
    QString imageName; // the page's file, once stored
    QString filed;     // how its page was filed: verified, by position, missing
    bool scanned = false;

    ScanTarget Target() const;
};

// The to-be-scanned list as plain data: the intake fills it, the station core files pages
// against it, and the scan window only displays it (signals say what changed).
class BatchEntries : public QObject, public ScanListPort {
    Q_OBJECT
public:
    explicit BatchEntries(QObject* parent = nullptr) : QObject(parent) {}

    void Clear() override;
    void Append(const QString& text, const QString& date, const QString& drug,
                const QString& patient, const QString& tag) override;
    void SetLastKey(const QString& rxNbr, const QString& refNo) override;
    void MarkLastRefused(const QString& reason) override;
    int Count() const override { return int(entries_.size()); }
    void RemoveFrom(int first) override;

    const BatchEntry& At(int row) const { return entries_.at(row); }
    const QList<BatchEntry>& All() const { return entries_; }
    QList<ScanTarget> Targets() const;

    // The entry of this text that has no page yet (else the first of that text): its
    // page is stored as `imageName`. -1 when no entry has the text.
    int MarkScanned(const QString& text, const QString& imageName);
    // How the page of the entry of this text was filed ("verified", "by position",
    // "missing"): the first such entry that shows nothing yet.
    void SetFiled(const QString& text, const QString& filed);

signals:
    void Cleared();
    void Appended(int row);
    void Changed(int row);
    void RemovedFrom(int first);

private:
    int Find(const QString& text, bool (*open)(const BatchEntry&)) const;

    QList<BatchEntry> entries_;
};

} // namespace quiller
