#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace quiller {

// Rows of one prescription key stored more than once (old files, before the key was
// unique). One rule decides which stays, for the upgrade and for the copy to a server:
// the newest row whose image is in the image folder, else the newest row. The images of
// the other rows then belong to no row; they move to Replaced/ so that no JPEG is left
// behind without a row.
namespace DoubledRows {

struct Row {
    qint64 rowid = 0;
    QString image; // RxImage, empty when not scanned
};

// True when `image` names a file in imageFolder (a bare, safe name).
bool ImageOnDisk(const QString& imageFolder, const QString& image);
// Of the rows of one key, oldest first, the index of the row that stays.
qsizetype Kept(const QList<Row>& rowsOldestFirst, const QString& imageFolder);
// The images of the rows that do not stay which lie in the folder and which the row that
// stays does not name itself.
QStringList ImagesLeftWithoutRow(const QList<Row>& rowsOldestFirst, qsizetype kept,
                                 const QString& imageFolder);
// Moves each image to Replaced/ in the image folder ("<name> yyyy-MM-dd HH.mm.ss.jpg",
// never over another file) and logs it; returns the ones that could not be moved.
QStringList MoveToReplaced(const QString& imageFolder, const QStringList& images);

} // namespace DoubledRows

} // namespace quiller
