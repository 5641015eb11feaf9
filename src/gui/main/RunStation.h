#pragma once

#include <functional>

namespace quiller {

class frmMain;

// What a caller other than the program's own main() may change: the benchmark starts
// the station exactly as the program does and times it until the main window is shown.
struct RunOptions {
    std::function<void()> installScanners;                // default: the SANE adapter
    std::function<void(frmMain& window)> mainWindowShown; // once the shown window's events ran
    bool writeLog = true;                                 // the administrator's log file
    bool parseCommandLine = true; // false when argv carries the caller's own options
};

// The program: application object, start-up sequence, event loop.
int RunStation(int argc, char** argv, const RunOptions& options = {});

} // namespace quiller
