#include "records/DoubledRows.h"

#include "base/FileSystem.h"
#include "base/Log.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

namespace quiller::DoubledRows {

bool ImageOnDisk(const QString& imageFolder, const QString& image) {
    if (imageFolder.isEmpty() || image.isEmpty() || image.contains(QLatin1Char('/')) ||
        image.contains(QLatin1Char('\\')) || image == QLatin1String("..") ||
        image == QLatin1String("."))
        return false;
    return QFileInfo(FileSystem::Join(imageFolder, image)).isFile();
}

qsizetype Kept(const QList<Row>& rows, const QString& imageFolder) {
    for (qsizetype i = rows.size() - 1; i >= 0; --i)
        if (ImageOnDisk(imageFolder, rows[i].image))
            return i;
    return rows.size() - 1;
}

QStringList ImagesLeftWithoutRow(const QList<Row>& rows, qsizetype kept,
                                 const QString& imageFolder) {
    QStringList images;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const QString& image = rows[i].image;
        if (i != kept && image != rows[kept].image && !images.contains(image) &&
            ImageOnDisk(imageFolder, image))
            images << image;
    }
    return images;
}

QStringList MoveToReplaced(const QString& imageFolder, const QStringList& images) {
    QStringList failed;
    if (images.isEmpty())
        return failed;
    const QString folder = FileSystem::Join(imageFolder, QStringLiteral("Replaced"));
    QDir().mkpath(folder);
    const QString stamp =
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH.mm.ss"));
    for (const QString& image : images) {
        const QString base = QFileInfo(image).completeBaseName() + QLatin1Char(' ') + stamp;
        QString target = FileSystem::Join(folder, base + QStringLiteral(".jpg"));
        for (int n = 2; QFileInfo::exists(target) || QFileInfo(target).isSymLink(); ++n)
            target = FileSystem::Join(folder, base + QStringLiteral(" (%1).jpg").arg(n));
        if (QFile::rename(FileSystem::Join(imageFolder, image), target)) {
            qCInfo(lcStorage).noquote()
                << "image of a doubled row moved:" << image << "to" << target;
        } else {
            failed << image;
            qCWarning(lcStorage).noquote()
                << "image of a doubled row could not be moved to Replaced:" << image;
        }
    }
    return failed;
}

} // namespace quiller::DoubledRows
