// quiller-bench-verify [pages]: the page reader's figures alone (BenchVerify.h).
#include "BenchVerify.h"

#include <QGuiApplication>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const int pages = argc > 1 ? QByteArray(argv[1]).toInt() : 100;
    const auto figures = quiller::bench::benchVerify(pages);
    return figures.decoded == figures.pages ? 0 : 1;
}
