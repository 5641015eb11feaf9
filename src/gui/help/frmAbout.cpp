#include "gui/help/frmAbout.h"

#include "QuillerVersion.h"
#include "base/MessageBoxes.h"
#include "gui/common/Mnemonics.h"
#include "gui/common/Twips.h"
#include "gui/help/AppIcon.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace quiller {

namespace {

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text = QString()) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

// One member of the etched separator: a one-pixel line in the given palette role.
QFrame* MakeLine(QWidget* parent, const char* name, QPalette::ColorRole role) {
    auto* line = new QFrame(parent);
    line->setObjectName(QString::fromLatin1(name));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Plain);
    line->setLineWidth(1);
    QPalette palette = line->palette();
    palette.setColor(QPalette::WindowText, palette.color(role));
    line->setPalette(palette);
    line->setFixedHeight(1);
    return line;
}

} // namespace

frmAbout::frmAbout(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(tr("About Marrowby"));
    setWindowIcon(ApplicationIcon());

    picIcon_ = MakeLabel(this, "picIcon");
    picIcon_->setFixedSize(Twips(720, this), Twips(720, this));
    picIcon_->setPixmap(ApplicationIcon().pixmap(picIcon_->size()));

    lblTitle_ = MakeLabel(this, "lblTitle");
    QFont titleFont = lblTitle_->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.5);
    titleFont.setBold(true);
    lblTitle_->setFont(titleFont);

    lblVersion_ = MakeLabel(this, "lblVersion");
    // One line each, always as tall as their fonts.
    for (QLabel* line : {lblTitle_, lblVersion_})
        line->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);

    lblDescription_ = MakeLabel(
        this, "lblDescription",
        tr("This application is for scanning prescriptions from Tellan Calvora software."));
    lblDescription_->setWordWrap(true);
    lblDescription_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    QFrame* lines[2] = {MakeLine(this, "Line1(0)", QPalette::Mid),
                        MakeLine(this, "Line1(1)", QPalette::Light)};

    lblDisclaimer_ = MakeLabel(this, "lblDisclaimer", DisclaimerText());
    lblDisclaimer_->setWordWrap(true);
    lblDisclaimer_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    cmdOK_ = new QPushButton(tr("OK"), this);
    cmdOK_->setObjectName(QStringLiteral("cmdOK"));
    cmdOK_->setDefault(true);

    cmdSysInfo_ = new QPushButton(tr("&System Info..."), this);
    cmdSysInfo_->setObjectName(QStringLiteral("cmdSysInfo"));
    cmdSysInfo_->setAutoDefault(false);

    // The icon beside title, version and description; the etched line; the disclaimer
    // with the two buttons to its right. Texts wrap or widen the box, never clip.
    auto* column = new QVBoxLayout(this);
    column->setSizeConstraint(QLayout::SetFixedSize);
    auto* head = new QHBoxLayout;
    head->addWidget(picIcon_, 0, Qt::AlignTop);
    head->addSpacing(Twips(180, this));
    auto* texts = new QVBoxLayout;
    texts->addWidget(lblTitle_);
    texts->addWidget(lblVersion_);
    texts->addWidget(lblDescription_);
    head->addLayout(texts, 1);
    column->addLayout(head);
    column->addSpacing(Twips(120, this));
    column->setSpacing(0);
    column->addWidget(lines[0]);
    column->addWidget(lines[1]);
    column->addSpacing(Twips(180, this));
    auto* foot = new QHBoxLayout;
    foot->addWidget(lblDisclaimer_, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdOK_);
    buttons->addWidget(cmdSysInfo_);
    // The buttons are as wide as designed, wider when a text needs it.
    buttons->addItem(new QSpacerItem(Twips(1380, this), 0, QSizePolicy::Fixed));
    buttons->addStretch(1);
    foot->addLayout(buttons);
    column->addLayout(foot);
    // Wrapped texts take the designed width, so that the box keeps its proportions.
    lblDescription_->setMinimumWidth(Twips(4485, this));
    lblDisclaimer_->setMinimumWidth(Twips(3870, this));

    // Enter presses OK (the default button); Escape closes the box as OK does.
    connect(cmdOK_, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    connect(cmdSysInfo_, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);

    Form_Load();
    MakeMnemonicsUnique(this);
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
