#include "gui/help/frmAbout.h"

#include "QuillerVersion.h"
#include "base/MessageBoxes.h"
#include "gui/common/Twips.h"
#include "gui/help/AppIcon.h"

#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>

namespace quiller {

namespace {

// Designed client area and control boxes, in twips.
constexpr int kClientWidth = 5865;
constexpr int kClientHeight = 3630;

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text = QString()) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

// One member of the etched separator: a one-pixel line in the given palette role.
QFrame* MakeLine(QWidget* parent, const char* name, QPalette::ColorRole role, int top) {
    auto* line = new QFrame(parent);
    line->setObjectName(QString::fromLatin1(name));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Plain);
    line->setLineWidth(1);
    QPalette palette = line->palette();
    palette.setColor(QPalette::WindowText, palette.color(role));
    line->setPalette(palette);
    line->setGeometry(Twips(225, line), Twips(top, line), Twips(5415, line), 1);
    return line;
}

} // namespace

frmAbout::frmAbout(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(tr("About Marrowby"));
    setWindowIcon(ApplicationIcon());
    setFixedSize(Twips(kClientWidth, this), Twips(kClientHeight, this));

    picIcon_ = MakeLabel(this, "picIcon");
    PlaceTwips(picIcon_, 240, 240, 720, 720);
    picIcon_->setPixmap(ApplicationIcon().pixmap(picIcon_->size()));

    lblTitle_ = MakeLabel(this, "lblTitle");
    QFont titleFont = lblTitle_->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.5);
    titleFont.setBold(true);
    lblTitle_->setFont(titleFont);
    PlaceTwips(lblTitle_, 1140, 240, 4485, 480);

    lblVersion_ = MakeLabel(this, "lblVersion");
    PlaceTwips(lblVersion_, 1140, 780, 4485, 285);

    lblDescription_ = MakeLabel(
        this, "lblDescription",
        tr("This application is for scanning prescriptions from Tellan Calvora software."));
    lblDescription_->setWordWrap(true);
    lblDescription_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    PlaceTwips(lblDescription_, 1140, 1185, 4485, 720);

    MakeLine(this, "Line1(0)", QPalette::Mid, 2070);
    MakeLine(this, "Line1(1)", QPalette::Light, 2085);

    lblDisclaimer_ = MakeLabel(this, "lblDisclaimer", DisclaimerText());
    lblDisclaimer_->setWordWrap(true);
    lblDisclaimer_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    PlaceTwips(lblDisclaimer_, 255, 2265, 3870, 1185);

    cmdOK_ = new QPushButton(tr("OK"), this);
    cmdOK_->setObjectName(QStringLiteral("cmdOK"));
    cmdOK_->setDefault(true);
    PlaceTwips(cmdOK_, 4245, 2265, 1380, 345);

    cmdSysInfo_ = new QPushButton(tr("&System Info..."), this);
    cmdSysInfo_->setObjectName(QStringLiteral("cmdSysInfo"));
    cmdSysInfo_->setAutoDefault(false);
    PlaceTwips(cmdSysInfo_, 4245, 2715, 1380, 345);

    // Enter presses OK (the default button); Escape closes the box as OK does.
    connect(cmdOK_, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    connect(cmdSysInfo_, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);

    Form_Load();
}

QString frmAbout::VersionText() {
    return tr("Version %1.%2.%3")
        .arg(QUILLER_VERSION_MAJOR)
        .arg(QUILLER_VERSION_MINOR)
        .arg(QUILLER_VERSION_PATCH);
}

QString frmAbout::DisclaimerText() {
    return tr("This program stores and shows prescription images only. It does not "
              "check, change or fill prescriptions; every prescription remains the "
              "responsibility of the dispensing pharmacist.");
}

void frmAbout::Form_Load() {
    lblVersion_->setText(VersionText());
    lblTitle_->setText(AppTitle());
}

void frmAbout::cmdOK_Click() {
    accept();
}

void frmAbout::cmdSysInfo_Click() {
    systemInfo_.Start();
}

frmAbout* ShowAbout(QWidget* owner) {
    static QPointer<frmAbout> current;
    if (!current) {
        current = new frmAbout(owner);
        current->setAttribute(Qt::WA_DeleteOnClose);
        current->setWindowModality(Qt::ApplicationModal);
    }
    current->show();
    current->raise();
    current->activateWindow();
    return current;
}

} // namespace quiller
