#include "station/KeptPages.h"

#include "base/Error.h"
#include "base/FileSystem.h"
#include "base/Log.h"
#include "records/Database.h"
#include "records/PageChecks.h"
#include "records/RowImages.h"
#include "station/ImageNaming.h"
#include "station/ImageStore.h"
#include "station/PageStaging.h"
#include "station/PatientRecords.h"
#include "station/StationContext.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

namespace quiller {

namespace {

QString Tr(const char* text) {
    return QCoreApplication::translate("KeptPages", text);
}

// What a kept page's name says: "<hint> yyyy-MM-dd HH.mm.ss[ n].jpg".
KeptPage FromName(const QFileInfo& info) {
    static const QRegularExpression stamped(
        QStringLiteral("^(.*) (\\d{4}-\\d\\d-\\d\\d \\d\\d\\.\\d\\d\\.\\d\\d)( \\d+)?$"));
    KeptPage page;
    const QRegularExpressionMatch m = stamped.match(info.completeBaseName());
    page.why = m.hasMatch() ? m.captured(1) : info.completeBaseName();
    page.when = m.hasMatch()
                    ? QDateTime::fromString(m.captured(2), QStringLiteral("yyyy-MM-dd HH.mm.ss"))
                    : info.lastModified();
    return page;
}

} // namespace

QList<KeptPage> KeptPages::List() const {
    QList<KeptPage> pages;
    const QDir folder(FileSystem::Join(ctx_.dataPath, ImageStore::UnmatchedFolder()));
    if (ctx_.dataPath.isEmpty() || !folder.exists())
        return pages;
    const QFileInfoList files =
        folder.entryInfoList({QStringLiteral("*.jpg"), QStringLiteral("*.JPG")}, QDir::Files);
    for (const QFileInfo& info : files) {
        KeptPage page = FromName(info);
        page.file = ImageStore::UnmatchedFolder() + QLatin1Char('/') + info.fileName();
        QFile noteFile(ImageStore::NoteOf(info.filePath()));
        if (noteFile.open(QIODevice::ReadOnly)) {
            const QJsonObject note = QJsonDocument::fromJson(noteFile.read(64 * 1024)).object();
            if (!note.value("why").toString().isEmpty())
                page.why = note.value("why").toString();
            page.label = note.value("label").toString();
            page.station = note.value("station").toString();
            const QDateTime at = QDateTime::fromString(note.value("at").toString(), Qt::ISODate);
            if (at.isValid())
                page.when = at.toLocalTime();
        }
        pages << page;
    }
    std::stable_sort(pages.begin(), pages.end(),
                     [](const KeptPage& a, const KeptPage& b) { return a.when > b.when; });
    return pages;
}

KeptPages::Filing KeptPages::File(const KeptPage& page, const QString& rxNbr, const QString& refNo,
                                  bool labelConfirmed, bool replaceConfirmed) {
    Filing f;
    const QString detail = page.file;
    auto fail = [&](const QString& why) {
        f.outcome = Outcome::Failed;
        f.text = why;
        PatientRecords::RecordAccess(ctx_, QStringLiteral("file kept page"), rxNbr, refNo, detail,
                                     why);
        return f;
    };
    const QString path = FileSystem::Join(ctx_.dataPath, page.file);
    if (!page.file.startsWith(ImageStore::UnmatchedFolder() + QLatin1Char('/')) ||
        !IsSafeImageName(QFileInfo(page.file).fileName()) || !QFileInfo(path).isFile())
        return fail(Tr("The kept page is no longer in the Unmatched folder."));
    Database* db = ctx_.DbConnection.get();
    if (!db || !db->IsOpen())
        return fail(Tr("The database is not open."));
    std::optional<QString> image;
    try {
        image = RowImages::ImageOf(db->Connection(), rxNbr, refNo);
    } catch (const QuillerError& e) {
        return fail(e.description());
    }
    if (!image)
        return fail(Tr("Prescription %1-%2 is not recorded.").arg(rxNbr, refNo));
    const QString entry = rxNbr + QLatin1Char('-') + refNo;
    if (!labelConfirmed && !page.label.isEmpty()) {
        const std::optional<LabelKey> key = pattern_.parse(page.label);
        const std::optional<qint64> refill =
            LabelPattern::number(refNo.trimmed().isEmpty() ? QStringLiteral("0") : refNo);
        if (key &&
            (LabelPattern::number(rxNbr) != key->rx || (key->refill && refill != *key->refill))) {
            f.outcome = Outcome::OtherLabel;
            f.text = Tr("The page's label reads %1, not %2. File it under %2 anyway?")
                         .arg(page.label, entry);
            return f;
        }
    }
    if (!image->isEmpty() && !replaceConfirmed) {
        f.outcome = Outcome::HasImage;
        f.text = Tr("%1 has an image already. Replace it with this page? The old image is kept "
                    "in the Replaced folder.")
                     .arg(entry);
        return f;
    }
    const QString name = image->isEmpty() ? ImageFileName(entry) : *image;
    // The page is filed from a copy beside it (hidden from the list), so that a filing
    // that fails leaves the kept page where it was, under its own name and with its note.
    StagedPage staged;
    staged.path = FileSystem::Join(QFileInfo(path).absolutePath(),
                                   QStringLiteral(".filing-") + QFileInfo(path).fileName());
    QFile::remove(staged.path);
    if (!QFile::copy(path, staged.path))
        return fail(Tr("The page could not be copied for filing."));
    const PageCheck check{PageChecks::ByOperator(), page.label, QDateTime::currentDateTime(),
                          ctx_.ScannerID, QString()};
    const ImageStore::Result r = ImageStore(ctx_).Store(staged, name, rxNbr, refNo, &check);
    if (!r.stored) {
        // Store kept the copy in Unmatched/ beside the original: that copy goes, the
        // original stays.
        if (!r.keptAs.isEmpty()) {
            const QString copy = FileSystem::Join(ctx_.dataPath, r.keptAs);
            QFile::remove(ImageStore::NoteOf(copy));
            QFile::remove(copy);
        }
        QFile::remove(staged.path);
        return fail(r.reason);
    }
    // Filed: the kept page has become the prescription's image.
    QFile::remove(path);
    QFile::remove(ImageStore::NoteOf(path));
    f.outcome = Outcome::Filed;
    f.image = name;
    f.text = Tr("The page is filed as the image of %1.").arg(entry);
    PatientRecords::RecordAccess(ctx_, QStringLiteral("file kept page"), rxNbr, refNo,
                                 detail + QStringLiteral(" as ") + name);
    return f;
}

QString KeptPages::SetAside(const KeptPage& page) {
    const QString source = QStringLiteral("KeptPages.SetAside");
    const QString path = FileSystem::Join(ctx_.dataPath, page.file);
    const QString fileName = QFileInfo(page.file).fileName();
    auto failed = [&](const QString& why) {
        PatientRecords::RecordAccess(ctx_, QStringLiteral("set aside kept page"), {}, {}, page.file,
                                     why);
        return QuillerError(kErrorUnknown, why, source);
    };
    if (!page.file.startsWith(ImageStore::UnmatchedFolder() + QLatin1Char('/')) ||
        !IsSafeImageName(fileName) || !QFileInfo(path).isFile())
        throw failed(Tr("The kept page is no longer in the Unmatched folder."));
    QString folder;
    try {
        folder = FileSystem::MakeFolder(ctx_.dataPath, DiscardedFolder());
    } catch (const QuillerError& e) {
        throw failed(e.description());
    }
    // A name already taken in Discarded/ gets a number: nothing there is replaced.
    const QString base = QFileInfo(fileName).completeBaseName();
    QString name = fileName;
    for (int n = 2; QFileInfo::exists(FileSystem::Join(folder, name)) ||
                    QFileInfo(FileSystem::Join(folder, name)).isSymLink();
         ++n)
        name = base + QStringLiteral(" %1.jpg").arg(n);
    const QString target = FileSystem::Join(folder, name);
    if (!QFile::rename(path, target))
        throw failed(Tr("The page could not be moved to the Discarded folder."));
    QFile::rename(ImageStore::NoteOf(path), ImageStore::NoteOf(target));
    const QString moved = DiscardedFolder() + QLatin1Char('/') + name;
    PatientRecords::RecordAccess(ctx_, QStringLiteral("set aside kept page"), {}, {},
                                 page.file + QStringLiteral(" to ") + moved);
    return moved;
}

} // namespace quiller
