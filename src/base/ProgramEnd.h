#pragma once

#include <functional>

namespace quiller {

// Ends the program at once: no window's unload runs and nothing is saved. Tests
// replace the ender to observe the end instead of dying.
void EndProgramAtOnce(int exitCode);
using ProgramEnder = std::function<void(int)>;
ProgramEnder SetProgramEnder(ProgramEnder ender);

// Ends the event loop after the real exit, when no window is left; tests observe it.
void QuitEventLoop();
using LoopQuitter = std::function<void()>;
LoopQuitter SetLoopQuitter(LoopQuitter quitter);

} // namespace quiller
