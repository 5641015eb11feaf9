#include "gui/scan/ScannerStartup.h"

#include "base/MessageBoxes.h"
#include "gui/common/PictureBox.h"
#include "settings/StationSettings.h"
#include "station/StationContext.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QWidget>

namespace quiller {

ScannerStartup::ScannerStartup(const ScanWidgets& widgets, EndProgram endProgram, QObject* parent)
    : QObject(parent), w_(widgets), endProgram_(std::move(endProgram)) {
    if (w_.Combo1)
        connect(w_.Combo1, &QComboBox::currentIndexChanged, this, [this] { Combo1_Click(); });
}

ScannerStartup::~ScannerStartup() = default;

QString ScannerStartup::NotConfiguredText() {
    return tr("Configuration is not completed yet. Restart this program and complete configuration "
              "first.");
}

QString ScannerStartup::ScannerMissingText() {
    return tr(
        "The configured scanner is not available. Choose a scanner under Tools, Configuration.");
}

QString ScannerStartup::ScannerGoneText(const QString& device) {
    return tr("The configured scanner %1 is not connected. Check that it is switched "
              "on and connected, or choose a scanner under Tools, Configuration.")
        .arg(device);
}

QString ScannerStartup::N(int v) {
    return v < 0 ? QString::number(v) : QLatin1Char(' ') + QString::number(v);
}

QString ScannerStartup::ImageText(int index, int width, int height, int bitsPerPixel,
                                  bool postScanForm) {
    // The numbers carry their own leading blank when not negative.
    return (postScanForm ? tr("Image %1 (%2 x %3 x %4 bpp )") : tr("Image %1 (%2 x %3 x %4 bpp)"))
        .arg(N(index), N(width), N(height), N(bitsPerPixel));
}

QString ScannerStartup::ImageText(bool postScanForm) const {
    const int i = currentImageIndex_;
    ScannerControl* s = scanner_.get();
    return ImageText(i, s ? s->ImageWidth(i) : 0, s ? s->ImageHeight(i) : 0,
                     s ? s->ImageBitsPerPixel(i) : 0, postScanForm);
}

bool ScannerStartup::Start() {
    const StationSettings settings;
    configuredDevice_ = settings.ScannerDevice();
    if (!settings.ScannerChosen()) {
        if (w_.window) {
            w_.window->show();
            w_.window->raise();
            w_.window->activateWindow();
        }
        MessageBoxes::Show(NotConfiguredText(), MsgIcon::NoIcon, MsgButtons::Ok);
        if (endProgram_)
            endProgram_();
        return false;
    }
    if (w_.Timer2)
        w_.Timer2->stop();
    w_.context->SetStatus(tr("Start scanner"));

    if (!scanner_) {
        scanner_ = ScannerControl::Create();
        connect(scanner_.get(), &ScannerControl::SourcesChanged, this,
                &ScannerStartup::OnSourcesChanged);
    }
    ScannerControl& s = *scanner_;
    s.SetScanSettingB(false);
    s.OpenSource();
    s.SetScanSettingH(1);
    s.SetScanSettingF(0);
    s.SetScanSettingA(true);
    s.SetScanSettingD(15);
    s.SetScanSettingK(0);
    s.SetScanSettingE(200);
    s.SetScanSettingJ(0);

    StartScannerDevice();

    if (w_.Combo1) {
        const QSignalBlocker blocker(w_.Combo1);
        w_.Combo1->clear();
    }
    FillScannerBox(0);

    configured_ = settings.ScannerPosition().value_or(-1);
    configuredSelected_ = false;
    missingTold_ = false;
    // A device chosen by name is used even while it is not listed: the listing may still
    // be running, or the device may be plugged in before the next scan.
    if (!configuredDevice_.isEmpty())
        scanner_->SelectDevice(configuredDevice_);
    else if (configured_ < 0)
        scanner_->SetSourceIndex(-1); // a position that is no position chooses no scanner
    SelectConfigured();
    TellIfMissing();
    return true;
}

// Once the listing has ended without the configured scanner. The station still starts:
// the operator can scan once the scanner is back or another one is chosen.
void ScannerStartup::TellIfMissing() {
    if (configuredSelected_ || missingTold_ || !scanner_->ListingComplete())
        return;
    missingTold_ = true;
    if (configuredDevice_.isEmpty())
        scanner_->SetSourceIndex(-1); // nothing is scanned until the operator chooses one
    if (w_.window) {
        w_.window->show();
        w_.window->raise();
    }
    MessageBoxes::Show(configuredDevice_.isEmpty() ? ScannerMissingText()
                                                   : ScannerGoneText(configuredDevice_),
                       MsgIcon::Exclamation, MsgButtons::Ok);
}

void ScannerStartup::StartScannerDevice() {
    ScannerControl& s = *scanner_;
    if (s.StartDevice()) {
        w_.context->SetStatus(tr("Start device"));
        s.SetScanSettingD(10);
        s.SetScanSettingB(false);
        s.SetScanSettingG(0);
        s.SetScanSettingA(false);
        s.SetScanSettingC(true);
    }
    currentImageIndex_ = 0;
}

// Appends the sources from position `from` on; the current choice is left as it is.
void ScannerStartup::FillScannerBox(int from) {
    if (!w_.Combo1 || !scanner_)
        return;
    const QSignalBlocker blocker(w_.Combo1);
    const int keep = w_.Combo1->currentIndex();
    for (int i = from; i < scanner_->SourceCount(); ++i)
        w_.Combo1->addItem(scanner_->SourceName(i), i);
    w_.Combo1->setCurrentIndex(keep);
}

void ScannerStartup::SelectConfigured() {
    const int position = ScannerControl::ChooseSource(*scanner_, configuredDevice_, configured_);
    if (!w_.Combo1 || position < 0 || position >= w_.Combo1->count())
        return;
    w_.Combo1->setCurrentIndex(position); // runs Combo1_Click
    scanner_->SetSourceIndex(position);
    configuredSelected_ = true;
}

void ScannerStartup::OnSourcesChanged() {
    if (!w_.Combo1 || !scanner_)
        return;
    FillScannerBox(w_.Combo1->count());
    if (!configuredSelected_)
        SelectConfigured();
    TellIfMissing();
}

void ScannerStartup::Combo1_Click() {
    if (!w_.Combo1 || !scanner_)
        return;
    const int entry = w_.Combo1->currentIndex();
    if (entry < 0)
        return;
    scanner_->SetSourceIndex(w_.Combo1->itemData(entry).toInt());
}

void ScannerStartup::ClearImageBuffer() {
    if (!scanner_)
        return;
    ScannerControl& s = *scanner_;
    const int n = s.ImageCount();
    for (int pass = 0; pass < n; ++pass) {
        const ScanResult deleted = s.DeleteImage(currentImageIndex_);
        if (deleted.ok()) {
            if (currentImageIndex_ >= s.ImageCount())
                currentImageIndex_ = s.ImageCount() - 1;
            if (w_.Image1)
                w_.Image1->SetPicture(s.GetImage(currentImageIndex_));
            if (s.ImageCount() == 0) {
                if (w_.Command2)
                    w_.Command2->setEnabled(false);
                if (w_.LabelImageNum)
                    w_.LabelImageNum->clear();
            } else {
                if (w_.Command2)
                    w_.Command2->setEnabled(true);
                if (w_.LabelImageNum)
                    w_.LabelImageNum->setText(ImageText());
            }
        } else {
            if (w_.window) {
                w_.window->show();
                w_.window->raise();
                w_.window->activateWindow();
            }
            MessageBoxes::Show(deleted.text, MsgIcon::NoIcon, MsgButtons::Ok);
        }
    }
}

void ScannerStartup::Shutdown() {
    if (w_.Timer2)
        w_.Timer2->stop();
    if (!scanner_)
        return;
    scanner_->CloseSource();
    scanner_->StopDevice();
    scanner_.reset();
}

} // namespace quiller
