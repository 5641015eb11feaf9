#pragma once

#include <functional>

namespace quiller {

// Ends the program at once: no window's unload runs and nothing is saved. Tests
// replace the ender to observe the end instead of dying.
void EndProgramAtOnce(int exitCode);
using ProgramEnder = std::function<void(int)>;
ProgramEnder SetProgramEnder(ProgramEnder ender);

} // namespace quiller
