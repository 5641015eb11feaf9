#include "app/Main.h"

int main(int argc, char** argv) {
    return quiller::RunStation(argc, argv);
}
