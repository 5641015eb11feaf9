#pragma once

#include "base/Checked.h"
#include "station/Acquisition.h"
#include "station/verify/PageCodeReader.h"

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QLockFile>
#include <QString>
#include <memory>

namespace quiller {

// A page on disk in the station's staging folder, waiting to be filed.
struct StagedPage {
    QString batch;     // the batch's journal id
    int position = -1; // its place in the batch's stack, from 0
    QString path;      // the staged JPEG
    int dpi = 0;       // the resolution it was scanned at (0: unknown)
};

// Where a scanned page lives from the moment the scanner delivers it until it is filed:
// a folder of the station's own inside the image folder ("Staging/<station>@<host>"),
// with a journal of what became of every page. A page is written and flushed there, and
// its journal line written and flushed, before anything else is done with it; filing
// renames it out of the folder. So a page survives a crash, a power cut or a Restart,
// and the next start finishes what the journal shows (StagingRecovery).
//
// Journal lines are JSON objects, one per line, appended and flushed:
//   batch  {b, kind, viewing, mode, targets: [{entry, rx, ref, mark, refusal}]}
//   page   {b, p, file, dpi}          the page is on disk
//   codes  {b, p, codes: [[text, format], ...]}   its labels were read
//   filing {b, p, name, rx, ref}      it is about to take its name
//   filed  {b, p, as, stored}         it was filed (or kept in Unmatched/)
//   end    {b}                        the scanner is done: positions are final
//   closed {b}                        nothing of the batch is left in staging
// Only one process of a station uses its folder at a time (a lock file in it says so);
// a station never reads or changes another station's staging.
class PageStaging {
public:
    PageStaging(const QString& imageFolder, const QString& stationId);
    ~PageStaging();
    PageStaging(const PageStaging&) = delete;
    PageStaging& operator=(const PageStaging&) = delete;

    static QString StagingFolderName() { return QStringLiteral("Staging"); }
    // "<imageFolder>/Staging/<station>@<host>"
    static QString FolderFor(const QString& imageFolder, const QString& stationId);

    // Takes the folder for this process: makes it and locks it. Throws QuillerError when
    // it cannot (the image folder is missing or not writable, or another process of this
    // station holds it).
    void Open();
    bool IsOpen() const { return journalFd_ >= 0; }
    QString Folder() const { return folder_; }
    // This run's journal file name ("journal-<run>.jsonl").
    QString JournalName() const { return QStringLiteral("journal-%1.jsonl").arg(runId_); }

    // A batch begins: its prescriptions and filing mode go into the journal; gives its id.
    QString BeginBatch(const Acquisition& a, const QString& mode);
    // Writes a delivered page durably and journals it. Throws QuillerError when the page
    // cannot be written: the caller must then keep the page in memory and say so.
    StagedPage Stage(const QString& batch, int position, const QByteArray& jpeg, int dpi);
    // The later lines only make recovery quicker and surer: when one cannot be written
    // the page is still on disk, so it is logged and the station goes on. Only "filing"
    // (before a page takes its name) and "end" are flushed: a lost "codes", "filed" or
    // "closed" line makes recovery read a page again or find it gone, never misfile it.
    void Codes(const QString& batch, int position, const QList<PageCode>& codes);
    void Filing(const QString& batch, int position, const ScanTarget& target, const QString& name);
    void Filed(const QString& batch, int position, const QString& as, bool stored);
    void Ended(const QString& batch);
    // Every page of the batch has left staging: the batch is closed.
    void Closed(const QString& batch);

    // Writes bytes to `path` durably: a temporary file in the same folder, flushed to
    // disk, renamed over the target and the folder flushed. False with `error` set when
    // any step fails (the temporary file is removed then).
    static Outcome WriteDurably(const QString& path, const QByteArray& bytes);
    // Appends one JSON line to an open journal, flushed to disk with `flush`.
    static bool AppendLine(int fd, const QJsonObject& line, bool flush = true);

private:
    void Journal(const QJsonObject& line, bool flush = true); // throws
    void Note(const QJsonObject& line, bool flush = true);    // logs a failure

    QString folder_;
    std::unique_ptr<QLockFile> lock_;
    int journalFd_ = -1;
    int nextBatch_ = 0;
    QString runId_;
};

} // namespace quiller
