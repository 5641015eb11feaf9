#include "gui/settings/getDir.h"

#include "base/FileSystem.h"
#include "base/MessageBoxes.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>

namespace quiller {

namespace {
getDir::Chooser& CurrentChooser() {
    static getDir::Chooser chooser = [](QWidget* owner, const QString& title) {
        return QFileDialog::getExistingDirectory(owner, title, QDir::homePath(),
                                                 QFileDialog::ShowDirsOnly);
    };
    return chooser;
}
} // namespace

getDir::Chooser getDir::SetChooser(Chooser chooser) {
    Chooser previous = CurrentChooser();
    CurrentChooser() = std::move(chooser);
    return previous;
}

QString getDir::SelectedDir(QWidget* caller) {
    QString path = CurrentChooser()(
        caller, QCoreApplication::translate("GetDirectory", "Select a directory, then click OK"));
    if (path.isEmpty())
        return QString();
    // A path never carries a NUL; cut at one should a platform dialog return it.
    const qsizetype nul = path.indexOf(QChar(0));
    if (nul >= 0)
        path.truncate(nul);
    path = QDir::fromNativeSeparators(path);
    MessageBoxes::Show(FileSystem::Native(path));
    return path;
}

} // namespace quiller
