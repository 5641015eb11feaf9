#include "base/ProgramEnd.h"

#include <QCoreApplication>

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

LoopQuitter& CurrentQuitter() {
    static LoopQuitter quitter = [] {
        QCoreApplication::quit();
    };
    return quitter;
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

void QuitEventLoop() {
    CurrentQuitter()();
}

LoopQuitter SetLoopQuitter(LoopQuitter quitter) {
    LoopQuitter previous = CurrentQuitter();
    CurrentQuitter() = std::move(quitter);
    return previous;
}

} // namespace quiller
