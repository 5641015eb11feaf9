#pragma once

class QWidget;

namespace quiller {

class frmMain;
class frmScan;
struct StationContext;

// Connects the windows built in the subsystems to the main window's commands and the
// scan window's behaviours. One place, so the program and the window tests run the
// same station.
void WireMainWindow(frmMain& window);
void AttachScanBehaviours(frmScan& scan);
// Shows a fresh configuration dialog modally.
void ShowConfiguration(StationContext& context, QWidget* owner);
// Makes the station's scanner controls (the SANE adapter).
void InstallScannerFactory();

} // namespace quiller
