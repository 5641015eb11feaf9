#include "gui/settings/frmConfiguration.h"

#include "base/Error.h"
#include "base/ErrorReport.h"
#include "base/FileSystem.h"
#include "base/Log.h"
#include "base/MessageBoxes.h"
#include "gui/common/FieldWidth.h"
#include "gui/common/Mnemonics.h"
#include "gui/common/Twips.h"
#include "gui/settings/getDir.h"
#include "records/Database.h"
#include "scanner/ScannerControl.h"
#include "settings/DatabaseSettings.h"
#include "settings/SettingsStore.h"
#include "settings/StationSettings.h"
#include "station/ApplyConfiguration.h"
#include "station/DataPrivacy.h"
#include "station/StationContext.h"
#include "station/StationDatabase.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace quiller {

namespace {

// Paths show whole where the screen has room; longer ones scroll in their box.
void FitToText(QLineEdit* box) {
    box->setMinimumWidth(std::min(TextFieldWidth(box, box->text()), MaxFieldWidth(box)));
}

} // namespace

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
    setWindowTitle(tr("Configuration"));
    setModal(true);

    auto label = [this](int i, const QString& text) {
        Labels[i] = new QLabel(text, this);
        Labels[i]->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        Labels[i]->setWordWrap(true);
        Labels[i]->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    };
    label(0, tr("&Scanner"));
    label(1, tr("&Where to save images"));
    label(2, tr("&Rx file interchange path"));
    label(3, tr("Scanner &unique ID"));

    Combo1 = new QComboBox(this);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setEditable(false); // typing has no effect: the operator can only choose
    // The box widens with the longest scanner name listed.
    WidenWithEntries(Combo1);

    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    txtFilePath = new QLineEdit(this);
    txtFilePath->setObjectName(QStringLiteral("txtFilePath"));
    Text2 = new QLineEdit(this);
    Text2->setObjectName(QStringLiteral("Text2"));
    // One character; the box is as wide as the widest letter needs.
    Text2->setFixedWidth(std::max(Twips(375, Text2), TextFieldWidth(Text2, QStringLiteral("W"))));
    // Which database the station uses: shown, never edited here (the [database] settings).
    lblDatabase = new QLabel(tr("Database"), this);
    lblDatabase->setObjectName(QStringLiteral("lblDatabase"));
    txtDatabase = new QLineEdit(this);
    txtDatabase->setObjectName(QStringLiteral("txtDatabase"));
    txtDatabase->setReadOnly(true);
    txtDatabase->setFocusPolicy(Qt::NoFocus);
    txtDatabase->setAccessibleName(tr("Database in use"));

    for (int i = 0; i < 2; ++i) {
        Command1[i] = new QPushButton(tr("&Browse"), this);
        Command1[i]->setObjectName(QStringLiteral("Command1(%1)").arg(i));
        Command1[i]->setAutoDefault(false);
        connect(Command1[i], &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
    }
    const QString okCancel[2] = {tr("&Ok"), tr("&Cancel")};
    for (int i = 0; i < 2; ++i) {
        Command2[i] = new QPushButton(okCancel[i], this);
        Command2[i]->setObjectName(QStringLiteral("Command2(%1)").arg(i));
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
    Command1[0]->setAccessibleName(tr("Browse for the image folder"));
    Command1[1]->setAccessibleName(tr("Browse for the interchange folder"));
    cmdRefresh = new QPushButton(tr("&Refresh"), this);
    cmdRefresh->setObjectName(QStringLiteral("cmdRefresh"));
    cmdRefresh->setAutoDefault(false);
    connect(cmdRefresh, &QPushButton::clicked, this, [this] {
        if (Scanner1)
            Scanner1->RefreshSources();
    });
    // What the fields are for, as a tooltip on each (and its label).
    const QString tips[4] = {
        tr("The scanner the prescriptions are scanned with. Refresh lists the scanners "
           "connected now."),
        tr("The folder where the scanned prescription images are stored. The station's "
           "database file is kept in the same folder."),
        tr("The shared folder into which the pharmacy system writes the data files of filled "
           "prescriptions for this station."),
        tr("One letter or digit that names this station: it takes the data files whose name "
           "begins with it.")};
    for (int i = 0; i < 4; ++i) {
        fields[i]->setToolTip(tips[i]);
        Labels[i]->setToolTip(tips[i]);
    }
    Command1[0]->setToolTip(tr("Choose the folder where images are stored."));
    Command1[1]->setToolTip(tr("Choose the folder the pharmacy system writes its data files to."));
    cmdRefresh->setToolTip(tr("Look again for connected scanners."));
    lblDatabase->setToolTip(
        tr("Where the station keeps its records. It is set by the administrator and not "
           "changed here."));
    connect(Text1, &QLineEdit::textChanged, this, [this] { ShowDatabase(); });

    // A short introduction above the fields.
    lblIntro = new QLabel(IntroductionText(), this);
    lblIntro->setObjectName(QStringLiteral("lblIntro"));
    lblIntro->setWordWrap(true);
    lblIntro->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    // Labels on the left, fields in the middle, buttons on the right; the station's
    // identifier shares its row with the database in use, OK and Cancel sit under the
    // fields. Columns are at least as wide as designed and grow with their texts; long
    // labels wrap.
    auto* grid = new QGridLayout(this);
    grid->setSizeConstraint(QLayout::SetMinimumSize);
    grid->setColumnStretch(1, 1);
    grid->setColumnMinimumWidth(0, Twips(1680, this));
    grid->setColumnMinimumWidth(1, Twips(3135, this));
    grid->setColumnMinimumWidth(2, Twips(735, this));
    grid->addWidget(lblIntro, 0, 0, 1, 3);
    grid->addWidget(Labels[0], 1, 0);
    grid->addWidget(Combo1, 1, 1);
    grid->addWidget(cmdRefresh, 1, 2);
    grid->addWidget(Labels[1], 2, 0);
    grid->addWidget(Text1, 2, 1, Qt::AlignTop);
    grid->addWidget(Command1[0], 2, 2, Qt::AlignTop);
    grid->addWidget(Labels[2], 3, 0);
    grid->addWidget(txtFilePath, 3, 1, Qt::AlignTop);
    grid->addWidget(Command1[1], 3, 2, Qt::AlignTop);
    grid->addWidget(Labels[3], 4, 0);
    auto* idRow = new QHBoxLayout;
    idRow->addWidget(Text2);
    idRow->addSpacing(Twips(120, this));
    idRow->addWidget(lblDatabase);
    idRow->addWidget(txtDatabase, 1);
    grid->addLayout(idRow, 4, 1, 1, 2);
    auto* buttons = new QGridLayout;
    for (int i = 0; i < 2; ++i) {
        buttons->addWidget(Command2[i], 0, i);
        buttons->setColumnMinimumWidth(i, Twips(855, this));
    }
    buttons->setColumnStretch(2, 1);
    grid->addLayout(buttons, 5, 1, 1, 2);
    grid->setRowStretch(6, 1);
    MakeMnemonicsUnique(this);
    resize(QSize(Twips(6135, this), Twips(4200, this)).expandedTo(minimumSizeHint()));
}

QString frmConfiguration::IntroductionText() {
    return tr("Tell the station which scanner to use, where to store the prescription images "
              "and where the pharmacy system leaves the prescriptions to be scanned. Every "
              "field can be changed later under Tools, Configuration.");
}

// Which database the station will use: a server as its settings name it; otherwise the
// file in the image folder chosen in this dialog, which follows what is typed or browsed.
void frmConfiguration::ShowDatabase() {
    SettingsStore settings;
    bool server = true; // a faulty [database] setting is described as it stands
    try {
        server = DatabaseSettings::Read(settings).server;
    } catch (const QuillerError&) {
    }
    const QString folder = QDir::fromNativeSeparators(Text1->text().trimmed());
    QString line;
    if (server)
        line = DescribeStationDatabase(context_, settings);
    else if (folder.isEmpty())
        line = tr("SQLite file in the image folder, once it is chosen");
    else
        line = tr("SQLite file %1").arg(FileSystem::Native(Database::PathIn(folder)));
    txtDatabase->setText(line);
    txtDatabase->setToolTip(line);
    txtDatabase->setCursorPosition(0);
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
    ShowDatabase();
    // Long paths show from their beginning.
    Text1->setCursorPosition(0);
    txtFilePath->setCursorPosition(0);
    txtDatabase->setCursorPosition(0);
    for (QLineEdit* box : {Text1, txtFilePath, txtDatabase})
        FitToText(box);
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
        QLineEdit* box = index == 0 ? Text1 : txtFilePath;
        box->setText(FileSystem::Native(folder));
        FitToText(box);
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
        return stop(Combo1, tr("Select a scanner."), MsgIcon::Exclamation);
    if (Text1->text().isEmpty())
        return stop(Text1, tr("Where to save image files?"), MsgIcon::Exclamation);
    if (txtFilePath->text().isEmpty())
        return stop(txtFilePath, tr("Where to get prescription data files?"), MsgIcon::Exclamation);
    const QString dataPath = QDir::fromNativeSeparators(Text1->text());
    // On a first start the proposed folders usually do not exist yet: offer to make them.
    auto offerToCreate = [](const QString& path, const QString& proposal) {
        if (path != proposal || FileSystem::FolderExists(path))
            return;
        const MsgAnswer answer = MessageBoxes::Show(
            tr("The folder %1 does not exist yet. Create it?").arg(FileSystem::Native(path)),
            MsgIcon::Question, MsgButtons::YesNo, MsgAnswer::Yes);
        if (answer == MsgAnswer::Yes && QDir().mkpath(path))
            qCInfo(lcSettings).noquote() << "folder created:" << path;
    };
    offerToCreate(dataPath, ProposedImageFolder());
    offerToCreate(QDir::fromNativeSeparators(txtFilePath->text()), ProposedInterchangeFolder());
    if (!FileSystem::FolderExists(dataPath))
        return stop(Text1,
                    tr("The folder %1 is not accessible or does not exist.").arg(Text1->text()),
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
