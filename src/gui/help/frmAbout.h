#pragma once

#include "gui/help/SystemInfo.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace quiller {

// The About box: the program's title, version and purpose, a notice line, OK and a
// button that starts the system-information tool.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* owner = nullptr);

    // The locator behind "System Info..." (replaceable in tests).
    SystemInfoTool& SystemInfo() { return systemInfo_; }

    static QString VersionText(); // "Version " + major.minor.revision
    static QString DisclaimerText();

public slots:
    void cmdOK_Click();
    void cmdSysInfo_Click();

private:
    void Form_Load();

    QLabel* picIcon_;
    QLabel* lblTitle_;
    QLabel* lblVersion_;
    QLabel* lblDescription_;
    QLabel* lblDisclaimer_;
    QPushButton* cmdOK_;
    QPushButton* cmdSysInfo_;
    SystemInfoTool systemInfo_;
};

// Opens the About box modally over `owner` (the main window) without blocking the
// caller: the box is application-modal, deletes itself when closed and is returned for
// the caller's use. While one is open, calling again brings that one to the front.
frmAbout* ShowAbout(QWidget* owner);

} // namespace quiller
