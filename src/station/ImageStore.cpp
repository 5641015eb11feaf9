#include "station/ImageStore.h"

#include "base/Error.h"
#include "base/FileSystem.h"
#include "base/Log.h"
#include "records/Database.h"
#include "records/PageChecks.h"
#include "station/ImageNaming.h"
#include "station/PageStaging.h"
#include "station/StationContext.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

namespace quiller {

namespace {
// A page gets its folder's sharing whatever the scanner's writer and the process's
// file-creation mask left it with.
void ProtectPage(const QString& path, const QString& folder) {
    try {
        FileSystem::Protect(path, FileSystem::SharingOf(folder));
    } catch (const QuillerError& e) {
        qCWarning(lcStorage).noquote() << e.description();
    }
}
} // namespace

QString ImageStore::StampedName(const QString& base, const QDateTime& when) {
    QString safe;
    for (QChar c : base.left(64)) {
        const bool plain = (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
                           (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
                           (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
                           c == QLatin1Char('-') || c == QLatin1Char('_');
        safe += plain ? c : QLatin1Char('_');
    }
    if (safe.isEmpty())
        safe = QStringLiteral("page");
    return safe + QLatin1Char(' ') + when.toString(QStringLiteral("yyyy-MM-dd HH.mm.ss"));
}

QString ImageStore::Folder(const QString& sub) const {
    // Only inside an existing image folder; a vanished one is not made again here.
    QDir images(ctx_.dataPath);
    if (ctx_.dataPath.isEmpty() || !images.exists())
        return QString();
    try {
        return FileSystem::MakeFolder(ctx_.dataPath, sub);
    } catch (const QuillerError& e) {
        qCWarning(lcStorage).noquote() << e.description();
        return QString();
    }
}

QString ImageStore::FreeName(const QString& folder, const QString& base) const {
    QString name = base + QStringLiteral(".jpg");
    for (int n = 2; QFileInfo::exists(FileSystem::Join(folder, name)) ||
                    QFileInfo(FileSystem::Join(folder, name)).isSymLink();
         ++n)
        name = base + QStringLiteral(" %1.jpg").arg(n);
    return name;
}

QString ImageStore::NoteOf(const QString& keptPath) {
    const QFileInfo page(keptPath);
    return FileSystem::Join(page.path(),
                            QLatin1Char('.') + page.fileName() + QStringLiteral(".json"));
}

Checked<QString> ImageStore::KeepUnmatched(const QString& stagedPath, const QString& hint,
                                           const QString& why, const QString& label) {
    const QString folder = Folder(UnmatchedFolder());
    if (folder.isEmpty())
        return Checked<QString>::Failed(
            QCoreApplication::translate("ImageStore", "the image folder %1 is missing")
                .arg(FileSystem::Native(ctx_.dataPath)));
    ProtectPage(stagedPath, folder);
    // Stations sharing the image folder may pick the same name in the same second. Qt's
    // rename never replaces a file: when another station took the name meanwhile, the
    // next is tried.
    const QString base = StampedName(hint, now_());
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString name = FreeName(folder, base);
        const QString path = FileSystem::Join(folder, name);
        if (QFile::rename(stagedPath, path)) {
            qCWarning(lcStorage).noquote()
                << QStringLiteral("page kept as %1/%2 (%3)").arg(UnmatchedFolder(), name, hint);
            // The note only helps the operator later; the page is kept without it.
            const QJsonObject note{{"why", why.isEmpty() ? hint : why},
                                   {"label", label},
                                   {"at", now_().toUTC().toString(Qt::ISODate)},
                                   {"station", ctx_.ScannerID}};
            const Outcome written =
                PageStaging::WriteDurably(NoteOf(path), QJsonDocument(note).toJson());
            if (!written.ok())
                qCWarning(lcStorage).noquote()
                    << QStringLiteral("no note beside %1: %2").arg(name, written.why());
            else
                ProtectPage(NoteOf(path), folder);
            return UnmatchedFolder() + QLatin1Char('/') + name;
        }
        if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink())
            break; // not a clash of names: the rename itself fails
    }
    return Checked<QString>::Failed(
        QCoreApplication::translate("ImageStore", "the page could not be named in %1")
            .arg(UnmatchedFolder()));
}

ImageStore::Result ImageStore::Store(const StagedPage& page, const QString& name,
                                     const QString& rxNbr, const QString& refNo,
                                     const PageCheck* check) {
    Result r;
    auto keep = [&](const QString& why) {
        r.reason = why;
        const Checked<QString> kept =
            KeepUnmatched(page.path, QFileInfo(name).completeBaseName(), why);
        r.keptAs = kept.valueOr(QString());
        qCWarning(lcStorage).noquote()
            << QStringLiteral("page for %1 not filed (%2), kept as %3").arg(name, why, r.keptAs);
        if (r.keptAs.isEmpty())
            r.reason +=
                QStringLiteral("; ") +
                QCoreApplication::translate("ImageStore", "the page could not be kept either: %1")
                    .arg(kept.why());
        return r;
    };
    if (!IsSafeImageName(name))
        return keep(QCoreApplication::translate("ImageStore",
                                                "its image name would leave the image folder"));
    Database* db = ctx_.DbConnection.get();
    if (!db || !db->IsOpen())
        return keep(QCoreApplication::translate("ImageStore", "the database is not open"));
    const auto waitForServer = [&r] {
        r.waiting = true;
        r.reason = Database::ServerUnavailableStatus();
        return r;
    };
    try {
        if (db->CurrentState() == Database::State::ServerUnavailable)
            return waitForServer();
    } catch (const QuillerError&) {
        // Any other fault shows itself when the row is written.
    }

    const QString finalPath = ctx_.ImagePath(name);
    const QFileInfo existing(finalPath);
    if ((existing.exists() || existing.isSymLink()) && (existing.isSymLink() || !existing.isFile()))
        return keep(QCoreApplication::translate(
            "ImageStore", "its image name is taken by something that is not an image "
                          "file"));
    const QString fresh = page.path;
    if (!QFileInfo::exists(fresh)) {
        r.reason = QCoreApplication::translate(
            "ImageStore", "the scanned page is missing from the staging folder");
        return r;
    }
    ProtectPage(fresh, ctx_.dataPath);
    // The page takes its name first and the row names it last, so a station ended between
    // the two leaves a page no row names yet (stored again when it is scanned again), never
    // a row naming a page that is not there. The image it replaces is kept first.
    QString kept;
    if (QFileInfo::exists(finalPath)) {
        const QString replaced = Folder(ReplacedFolder());
        if (!replaced.isEmpty())
            kept = FileSystem::Join(
                replaced,
                FreeName(replaced, StampedName(QFileInfo(name).completeBaseName(), now_())));
        if (kept.isEmpty() || !QFile::rename(finalPath, kept)) {
            // The row keeps its name and the old file is untouched.
            return keep(QCoreApplication::translate(
                            "ImageStore", "the image it replaces could not be moved to %1")
                            .arg(ReplacedFolder()));
        }
    }
    // Puts back what was there before this page; the page goes back to staging.
    const auto undo = [&](bool named) {
        if (named)
            QFile::rename(finalPath, fresh);
        if (!kept.isEmpty())
            QFile::rename(kept, finalPath);
    };
    if (!QFile::rename(fresh, finalPath)) {
        undo(false);
        return keep(
            QCoreApplication::translate("ImageStore", "the page could not be given its name %1")
                .arg(name));
    }
    int rows = 0;
    QString failure;
    try {
        rows = check ? PageChecks::SetImageChecked(*db, rxNbr, refNo, name, *check)
                     : db->SetRxImage(rxNbr, refNo, name);
    } catch (const QuillerError& e) {
        if (e.number() == kErrorServerUnavailable) {
            undo(true);
            return waitForServer();
        }
        failure = e.description();
    }
    if (rows == 0) {
        undo(true);
        return keep(failure.isEmpty() ? QCoreApplication::translate(
                                            "ImageStore", "its prescription is no longer recorded")
                                      : QCoreApplication::translate(
                                            "ImageStore", "its row could not be updated: %1")
                                            .arg(failure));
    }
    r.stored = true;
    qCInfo(lcStorage).noquote()
        << QStringLiteral("page stored: %1, row RxNbr %2 RefNo %3").arg(finalPath, rxNbr, refNo);
    return r;
}

bool ImageStore::Reconcile(const QString& name, const QString& rxNbr, const QString& refNo,
                           const PageCheck* check) {
    Database* db = ctx_.DbConnection.get();
    if (!db || !db->IsOpen() || !IsSafeImageName(name) || !QFileInfo::exists(ctx_.ImagePath(name)))
        return false;
    try {
        const int rows = check ? PageChecks::SetImageChecked(*db, rxNbr, refNo, name, *check)
                               : db->SetRxImage(rxNbr, refNo, name);
        return rows > 0;
    } catch (const QuillerError& e) {
        qCWarning(lcStorage).noquote()
            << QStringLiteral("row of %1 not named after its image: %2").arg(name, e.description());
        return false;
    }
}

} // namespace quiller
