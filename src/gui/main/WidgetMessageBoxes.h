#pragma once

namespace quiller {

// Installs the responder that shows every message box as a real modal QMessageBox.
void InstallWidgetMessageBoxes();

} // namespace quiller
