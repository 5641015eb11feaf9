#include "gui/main/RunStation.h"

int main(int argc, char** argv) {
    return quiller::RunStation(argc, argv);
}
