#pragma once

namespace quiller {

// The program: application object, start-up sequence, event loop.
int RunStation(int argc, char** argv);

} // namespace quiller
