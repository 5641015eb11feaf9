#include "station/StationContext.h"

#include "records/Database.h"

namespace quiller {

StationContext::StationContext() = default;
StationContext::~StationContext() = default;

QString StationContext::LockFilePath() const {
    return quiller::FileSystem::Join(filePath, ScannerID + QStringLiteral("QLVLock.xs4"));
}

QString StationContext::ImagePath(const QString& imageName) const {
    return quiller::FileSystem::Join(dataPath, imageName);
}

void StationContext::SetStatus(const QString& text) const {
    if (MainWindow)
        MainWindow->SetStatusText(text);
}

void StationContext::SetProgress(int done, int total) const {
    if (MainWindow)
        MainWindow->SetProgress(done, total);
}

QString StationContext::Status() const {
    return MainWindow ? MainWindow->StatusText() : QString();
}

} // namespace quiller
