#include "app/ProgramEnd.h"

#include <cstdio>
#include <cstdlib>

namespace quiller {

namespace {
ProgramEnder& CurrentEnder() {
    static ProgramEnder ender = [](int code) {
        std::fflush(nullptr);
        std::_Exit(code);
    };
    return ender;
}
} // namespace

void EndProgramAtOnce(int exitCode) {
    CurrentEnder()(exitCode);
}

ProgramEnder SetProgramEnder(ProgramEnder ender) {
    ProgramEnder previous = CurrentEnder();
    CurrentEnder() = std::move(ender);
    return previous;
}

} // namespace quiller
