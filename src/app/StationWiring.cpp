#include "app/StationWiring.h"

#include "app/ProgramEnd.h"
#include "app/frmMain.h"
#include "help/PrintCommands.h"
#include "help/frmAbout.h"
#include "help/frmSupport.h"
#include "view/PictureBox.h"

#include <QMdiArea>
#include "scan/SimulatedScanner.h"
#include "settings/frmConfiguration.h"

namespace quiller {

void ShowConfiguration(QWidget* owner) {
    frmConfiguration dialog(owner);
    dialog.Form_Load();
    dialog.exec();
}

void AttachScanBehaviours(frmScan&) {}

void WireMainWindow(frmMain& window) {
    frmMain::Commands& c = window.commands();
    c.configure = [](QWidget* owner) {
        ShowConfiguration(owner);
    };
    c.attachScanWindow = [](frmScan* scan) {
        AttachScanBehaviours(*scan);
    };
}

void InstallScannerFactory() {
    ScannerControl::SetFactory([] { return std::make_unique<SimulatedScanner>(); });
}

} // namespace quiller
