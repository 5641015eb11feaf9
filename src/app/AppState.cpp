#include "app/AppState.h"

#include "intake/Database.h"

namespace quiller {

AppState::AppState() = default;
AppState::~AppState() = default;

QString AppState::LockFilePath() const {
    return quiller::FileSystem::Join(filePath, ScannerID + QStringLiteral("QLVLock.xs4"));
}

QString AppState::ImagePath(const QString& imageName) const {
    return quiller::FileSystem::Join(dataPath, imageName);
}

void AppState::SetStatus(const QString& text) const {
    if (MainWindow)
        MainWindow->SetStatusText(text);
}

void AppState::SetProgress(int done, int total) const {
    if (MainWindow)
        MainWindow->SetProgress(done, total);
}

QString AppState::Status() const {
    return MainWindow ? MainWindow->StatusText() : QString();
}

AppState& App() {
    static AppState state;
    return state;
}

} // namespace quiller
