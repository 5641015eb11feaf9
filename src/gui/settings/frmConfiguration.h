#pragma once

#include <QDialog>
#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace quiller {

struct StationContext;

class ScannerControl;

// The configuration dialog: scanner, image folder, interchange folder and the
// station's identifier; OK checks, saves and makes sure the database is there.
class frmConfiguration : public QDialog {
    Q_OBJECT
public:
    explicit frmConfiguration(StationContext& context, QWidget* parent = nullptr);
    ~frmConfiguration() override;

    // Fills the fields from the settings and the scanner box from the scanner control.
    void Form_Load();
    void Command1_Click(int index); // Browse: 0 image folder, 1 interchange folder
    void Command2_Click(int index); // 0 OK, 1 Cancel
    // True after OK saved everything.
    bool Saved() const { return saved_; }
    ScannerControl* Scanner() const { return Scanner1.get(); }

    // Folder proposals for empty fields.
    static QString ProposedImageFolder();
    static QString ProposedInterchangeFolder();
    // The refusal of a station ID that is not exactly one character.
    static QString StationIdMessage();
    // The few lines at the top of the dialog that say what it is for.
    static QString IntroductionText();

    QComboBox* Combo1;
    QLineEdit* Text1;
    QLineEdit* txtFilePath;
    QLineEdit* Text2;
    QPushButton* Command1[2];
    QPushButton* Command2[2];
    QPushButton* cmdRefresh; // lists the scanners again
    QLabel* Labels[4];
    QLabel* lblDatabase;
    QLineEdit* txtDatabase; // read-only: which database the station uses
    QLabel* lblIntro;

private:
    StationContext& context_;
    bool Save();
    void Combo1_Click();
    void ShowDatabase();
    void AddSources();

    std::unique_ptr<ScannerControl> Scanner1;
    bool saved_ = false;
    bool preselected_ = false; // the stored scanner or the operator's choice is selected
};

} // namespace quiller
