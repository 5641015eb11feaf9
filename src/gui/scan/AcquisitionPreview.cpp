// The preview and rotation side of AcquisitionController: which buffer page the preview
// shows, and turning it.
#include "gui/scan/AcquisitionController.h"

#include "base/MessageBoxes.h"
#include "gui/common/PictureBox.h"
#include "gui/scan/frmScan.h"
#include "scanner/ScannerControl.h"
#include "station/ImageNaming.h"
#include "station/PatientRecords.h"
#include "station/StationContext.h"

#include <QFileInfo>
#include <QPushButton>

namespace quiller {

void AcquisitionController::ShowBufferImage(int index) {
    showingOwnPicture_ = true;
    window_->Image1->SetPicture(Scanner()->GetImage(index));
    showingOwnPicture_ = false;
}

void AcquisitionController::OnPreviewChanged() {
    if (showingOwnPicture_)
        return;
    // Something else now fills the preview (a list click, an arrow key, a search): Rotate
    // may only turn the buffer page whose file is shown, and is switched off otherwise.
    const QString source = window_->Image1->SourcePath();
    QString name;
    if (!source.isEmpty()) {
        const QFileInfo info(source);
        if (QFileInfo(info.path()) == QFileInfo(ctx_.dataPath))
            name = info.fileName();
    }
    const bool wasEnabled = window_->Command2->isEnabled();
    PreviewShowsFile(name);
    window_->Command2->setEnabled(wasEnabled && previewIndex_ >= 0);
}

void AcquisitionController::SetRotateSource(int bufferIndex, const QString& imageName) {
    previewIndex_ = imageName.isEmpty() ? -1 : bufferIndex;
    previewFile_ = imageName;
    window_->Command2->setEnabled(previewIndex_ >= 0);
}

void AcquisitionController::PreviewShowsFile(const QString& imageName) {
    for (const auto& [index, name] : bufferFiles_) {
        if (name == imageName && Scanner() && index < Scanner()->ImageCount()) {
            SetRotateSource(index, name);
            return;
        }
    }
    SetRotateSource(-1, QString());
}

void AcquisitionController::PreviewCleared() {
    SetRotateSource(-1, QString());
}

void AcquisitionController::Command2_Click() {
    frmScan* w = window_;
    ScannerControl* sc = Scanner();
    if (!w->Image1->HasPicture() || !sc || sc->ImageCount() < 1)
        return;
    // Only the buffer page the preview shows, written over its own file.
    if (previewIndex_ < 0 || previewFile_.isEmpty() || previewIndex_ >= sc->ImageCount())
        return;
    const int p = previewIndex_;
    if (const ScanResult turned = sc->RotateImage(p, 90, 0); !turned.ok()) {
        MessageBoxes::Show(turned.text);
        return;
    }
    ShowBufferImage(p);
    const PrescriptionKey key =
        SplitEntryText(QFileInfo(previewFile_).completeBaseName().replace(u'_', u'-'));
    PatientRecords::RecordAccess(ctx_, QStringLiteral("rotate"), key.rxNbr, key.refNo,
                                 previewFile_);
    if (const ScanResult saved = sc->SaveImage(p, ctx_.ImagePath(previewFile_)); !saved.ok())
        MessageBoxes::Show(tr("The turned image could not be saved to %1: %2")
                               .arg(FileSystem::Native(ctx_.ImagePath(previewFile_)), saved.text),
                           MsgIcon::Critical);
}

} // namespace quiller
