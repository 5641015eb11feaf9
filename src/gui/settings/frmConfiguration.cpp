#include "gui/settings/frmConfiguration.h"

#include "base/Error.h"
#include "base/ErrorReport.h"
#include "base/Log.h"
#include "base/MessageBoxes.h"
#include "gui/common/Twips.h"
#include "gui/settings/getDir.h"
#include "scanner/ScannerControl.h"
#include "settings/StationSettings.h"
#include "station/ApplyConfiguration.h"
#include "station/DataPrivacy.h"
#include "station/StationContext.h"
#include "station/StationDatabase.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace quiller {

QString frmConfiguration::ProposedImageFolder() {
#ifdef Q_OS_WIN
    return QStringLiteral("C:/ORB5/Quiller Images");
#else
    return QDir::homePath() + QStringLiteral("/ORB5/Quiller Images");
#endif
}

QString frmConfiguration::ProposedInterchangeFolder() {
#ifdef Q_OS_WIN
    return QStringLiteral("C:/ORB5");
#else
    return QDir::homePath() + QStringLiteral("/ORB5");
#endif
}

QString frmConfiguration::StationIdMessage() {
    return tr("The scanner unique ID must be exactly one letter or digit: data files for "
              "this station are those whose name begins with it.");
}

frmConfiguration::frmConfiguration(StationContext& context, QWidget* parent)
    : QDialog(parent), context_(context) {
    setObjectName(QStringLiteral("frmConfiguration"));
    setWindowTitle(QStringLiteral("Configuration"));
    setModal(true);

    auto label = [this](int i, const QString& text, int top, int height) {
        Labels[i] = new QLabel(text, this);
        Labels[i]->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        Labels[i]->setWordWrap(true);
        Labels[i]->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        PlaceTwips(Labels[i], 120, top + 45, 1680, height);
    };
    label(0, QStringLiteral("&Scanner"), 240, 255);
    label(1, QStringLiteral("&Where to save images"), 840, 495);
    label(2, QStringLiteral("&Rx file interchange path"), 1920, 495);
    label(3, QStringLiteral("Scanner &unique ID"), 2880, 255);

    Combo1 = new QComboBox(this);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setEditable(false); // typing has no effect: the operator can only choose
    PlaceTwips(Combo1, 1920, 240, 3135, 315);

    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    PlaceTwips(Text1, 1920, 840, 3135, 885);
    txtFilePath = new QLineEdit(this);
    txtFilePath->setObjectName(QStringLiteral("txtFilePath"));
    PlaceTwips(txtFilePath, 1920, 1920, 3135, 855);
    Text2 = new QLineEdit(this);
    Text2->setObjectName(QStringLiteral("Text2"));
    PlaceTwips(Text2, 1920, 2880, 375, 285);
    // Which database the station uses: shown, never edited here (the [database] settings).
    lblDatabase = new QLabel(QStringLiteral("Database"), this);
    lblDatabase->setObjectName(QStringLiteral("lblDatabase"));
    PlaceTwips(lblDatabase, 2400, 2925, 720, 255);
    txtDatabase = new QLineEdit(this);
    txtDatabase->setObjectName(QStringLiteral("txtDatabase"));
    txtDatabase->setReadOnly(true);
    txtDatabase->setFocusPolicy(Qt::NoFocus);
    txtDatabase->setAccessibleName(QStringLiteral("Database in use"));
    PlaceTwips(txtDatabase, 3120, 2880, 2775, 285);

    const int browseTop[2] = {840, 1920};
    for (int i = 0; i < 2; ++i) {
        Command1[i] = new QPushButton(QStringLiteral("&Browse"), this);
        Command1[i]->setObjectName(QStringLiteral("Command1(%1)").arg(i));
        Command1[i]->setAutoDefault(false);
        PlaceTwips(Command1[i], 5160, browseTop[i], 735, 495);
        connect(Command1[i], &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
    }
    const QString okCancel[2] = {QStringLiteral("&Ok"), QStringLiteral("&Cancel")};
    const int okLeft[2] = {1920, 2880};
    for (int i = 0; i < 2; ++i) {
        Command2[i] = new QPushButton(okCancel[i], this);
        Command2[i]->setObjectName(QStringLiteral("Command2(%1)").arg(i));
        PlaceTwips(Command2[i], okLeft[i], 3600, 855, 375);
        connect(Command2[i], &QPushButton::clicked, this, [this, i] { Command2_Click(i); });
    }
    Command2[0]->setDefault(true);
    connect(Combo1, qOverload<int>(&QComboBox::activated), this, [this] { Combo1_Click(); });
    // Each label's mnemonic reaches its field; Tab runs top to bottom.
    QWidget* fields[4] = {Combo1, Text1, txtFilePath, Text2};
    for (int i = 0; i < 4; ++i)
        Labels[i]->setBuddy(fields[i]);
    QWidget* order[] = {Combo1,      Text1, Command1[0], txtFilePath,
                        Command1[1], Text2, Command2[0], Command2[1]};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    Command1[0]->setAccessibleName(QStringLiteral("Browse for the image folder"));
    Command1[1]->setAccessibleName(QStringLiteral("Browse for the interchange folder"));
    cmdRefresh = new QPushButton(QStringLiteral("&Refresh"), this);
    cmdRefresh->setObjectName(QStringLiteral("cmdRefresh"));
    cmdRefresh->setAutoDefault(false);
    PlaceTwips(cmdRefresh, 5160, 240, 735, 315);
    connect(cmdRefresh, &QPushButton::clicked, this, [this] {
        if (Scanner1)
            Scanner1->RefreshSources();
    });
    setFixedSize(Twips(6135, this), Twips(4200, this));
}

frmConfiguration::~frmConfiguration() {
    if (Scanner1)
        Scanner1->StopDevice();
}

void frmConfiguration::Form_Load() {
    if (!Scanner1) {
        Scanner1 = ScannerControl::Create();
        // A slow device listing fills the list in as it ends; Refresh lists again.
        connect(Scanner1.get(), &ScannerControl::SourcesChanged, this, [this] { AddSources(); });
    }
    const StationSettings settings;
    Combo1->clear();
    preselected_ = false;
    if (Scanner1->StartDevice())
        AddSources();
    Text1->setText(FileSystem::Native(settings.ImageFolder()));
    txtFilePath->setText(FileSystem::Native(settings.InterchangeFolder()));
    Text2->setText(settings.StationId());
    if (Text2->text().isEmpty())
        Text2->setText(QStringLiteral("A"));
    if (Text1->text().isEmpty())
        Text1->setText(FileSystem::Native(ProposedImageFolder()));
    if (txtFilePath->text().isEmpty())
        txtFilePath->setText(FileSystem::Native(ProposedInterchangeFolder()));
    txtDatabase->setText(DescribeStationDatabase(context_, settings.Store()));
    txtDatabase->setToolTip(txtDatabase->text());
    // Long paths show from their beginning.
    Text1->setCursorPosition(0);
    txtFilePath->setCursorPosition(0);
    txtDatabase->setCursorPosition(0);
}

// Appends the sources not in the list yet. Until an item is chosen, the stored scanner is
// preselected: the device of setting ScannerDevice wherever it is listed now, or (older
// settings without it) the position in setting Scanner; else the control's current source.
void frmConfiguration::AddSources() {
    const int before = Combo1->currentIndex();
    for (int i = Combo1->count(); i < Scanner1->SourceCount(); ++i)
        Combo1->addItem(Scanner1->SourceName(i), i); // the first one added is selected
    if (preselected_) {
        Combo1->setCurrentIndex(before);
        return;
    }
    if (Combo1->count() == 0)
        return;
    const StationSettings settings;
    const QString device = settings.ScannerDevice();
    int position =
        ScannerControl::ChooseSource(*Scanner1, device, settings.ScannerPosition().value_or(-1));
    if (position < 0 && device.isEmpty())
        position = Combo1->findData(Scanner1->SourceIndex());
    // A stored device not listed (yet): nothing is chosen, so that OK asks for a scanner.
    Combo1->setCurrentIndex(position);
    if (position < 0)
        return;
    preselected_ = true;
    Combo1_Click();
}

void frmConfiguration::Combo1_Click() {
    preselected_ = true;
    if (Scanner1 && Combo1->currentIndex() >= 0)
        Scanner1->SetSourceIndex(Combo1->currentData().toInt());
}

void frmConfiguration::Command1_Click(int index) {
    try {
        const QString folder = getDir().SelectedDir(this);
        if (folder.isEmpty())
            return;
        (index == 0 ? Text1 : txtFilePath)->setText(FileSystem::Native(folder));
    } catch (const QuillerError& e) {
        ReportError(e, QStringLiteral("Command1_Click of frmConfiguration"));
    }
}

void frmConfiguration::Command2_Click(int index) {
    if (index == 1) {
        reject();
        return;
    }
    if (Save()) {
        saved_ = true;
        accept();
    }
}

bool frmConfiguration::Save() {
    auto stop = [](QWidget* field, const QString& text, MsgIcon icon) {
        MessageBoxes::Show(text, icon);
        field->setFocus();
        return false;
    };
    if (Combo1->currentIndex() < 0)
        return stop(Combo1, QStringLiteral("Select a scanner."), MsgIcon::Exclamation);
    if (Text1->text().isEmpty())
        return stop(Text1, QStringLiteral("Where to save image files?"), MsgIcon::Exclamation);
    if (txtFilePath->text().isEmpty())
        return stop(txtFilePath, QStringLiteral("Where to get prescription data files?"),
                    MsgIcon::Exclamation);
    const QString dataPath = QDir::fromNativeSeparators(Text1->text());
    // On a first start the proposed folders usually do not exist yet: offer to make them.
    auto offerToCreate = [](const QString& path, const QString& proposal) {
        if (path != proposal || FileSystem::FolderExists(path))
            return;
        const MsgAnswer answer =
            MessageBoxes::Show(QStringLiteral("The folder %1 does not exist yet. Create it?")
                                   .arg(FileSystem::Native(path)),
                               MsgIcon::Question, MsgButtons::YesNo, MsgAnswer::Yes);
        if (answer == MsgAnswer::Yes && QDir().mkpath(path))
            qCInfo(lcSettings).noquote() << "folder created:" << path;
    };
    offerToCreate(dataPath, ProposedImageFolder());
    offerToCreate(QDir::fromNativeSeparators(txtFilePath->text()), ProposedInterchangeFolder());
    if (!FileSystem::FolderExists(dataPath))
        return stop(Text1,
                    QStringLiteral("The folder ") + Text1->text() +
                        QStringLiteral(" is not accessible or does not exist."),
                    MsgIcon::Critical);

    // Data files are addressed to a station by their first character alone.
    if (!DataPrivacy::IsValidStationId(Text2->text()))
        return stop(Text2, StationIdMessage(), MsgIcon::Exclamation);

    try {
        StationConfiguration chosen;
        chosen.imageFolder = dataPath;
        chosen.interchangeFolder = QDir::fromNativeSeparators(txtFilePath->text());
        chosen.stationId = Text2->text();
        chosen.scannerPosition = Combo1->currentData().toInt();
        chosen.scannerDevice =
            Scanner1 ? Scanner1->SourceDevice(chosen.scannerPosition) : QString();
        StationSettings settings;
        ApplyConfiguration(context_, settings, chosen);
    } catch (const QuillerError& e) {
        MessageBoxes::Show(e.description());
        return false;
    }
    return true;
}

} // namespace quiller
