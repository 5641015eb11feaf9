#include "station/DataPrivacy.h"

#include "base/FileSystem.h"

#include <QCoreApplication>
#include <QStringList>
#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace quiller {

namespace DataPrivacy {

bool IsValidStationId(const QString& id) {
    return id.size() == 1 && id.front().isLetterOrNumber();
}

QString StationIdProblem(const QString& id) {
    return QCoreApplication::translate(
               "DataPrivacy", "The station identifier \"%1\" in the settings cannot be used: it "
                              "must be one letter or digit, the first character of the data "
                              "files addressed to this station. Choose it in the configuration.")
        .arg(Shortened(id));
}

QString Shortened(const QString& value, int keep) {
    if (value.size() <= keep)
        return value;
    return value.left(keep) + QStringLiteral("...");
}

void ApplyCreationMask(const QString& dataPath) {
#ifdef Q_OS_UNIX
    ::umask(static_cast<mode_t>(FileSystem::CreationMaskFor(dataPath)));
#else
    Q_UNUSED(dataPath);
#endif
}

QString ReadableByOthersMessage(const QString& dataPath, const QString& databaseFile) {
    QStringList open;
    if (FileSystem::ReadableByOthers(dataPath))
        open << FileSystem::Native(dataPath);
    if (!databaseFile.isEmpty() && FileSystem::ReadableByOthers(databaseFile))
        open << FileSystem::Native(databaseFile);
    if (open.isEmpty())
        return QString();
    const QString quoted = QLatin1Char('\'') + FileSystem::Native(dataPath) + QLatin1Char('\'');
    return QCoreApplication::translate(
               "DataPrivacy",
               "Prescription images and records can be read by every account of this "
               "computer:\n%1\n\nTo keep them to this account, run:\n  chmod -R go-rwx %2\n"
               "To share them with an operators' group instead, run:\n  chgrp -R operators %2\n"
               "  chmod -R g+rwX,o-rwx %2\n  find %2 -type d -exec chmod g+s {} +")
        .arg(open.join(QLatin1Char('\n')), quoted);
}

} // namespace DataPrivacy

} // namespace quiller
