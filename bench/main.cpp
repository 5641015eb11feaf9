// quiller-bench: figures of the station's own code paths, one "name=value" per line.
// Every command runs the classes the windows use (the database, the polling tick and
// the list adapter, the search and its list model, the scanner control's buffer and
// storage, the start-up with the main window), offscreen. See README.md.
#include "BenchScanner.h"
#include "BenchSupport.h"

#include "base/Error.h"

#include <QApplication>

using namespace quiller;
using namespace quiller::bench;

namespace {

void Usage() {
    Err() << "usage: quiller-bench COMMAND [options]\n"
             "  gen-db --rows N --out DB\n"
             "  gen-datafile --lines N --out FILE [--first-rx 700000]\n"
             "  gen-page --dpi 200 --out PAGE.pgm\n"
             "  gen-folder --files N --out DIR\n"
             "  intake --db DB --file FILE [--id A]   (DB: a file or postgresql://...)\n"
             "  intake-sql --file FILE --out SQL   (the sqlite3 shell's anchor script)\n"
             "  search --db DB --criterion \"Rx Number\"|Patient|Drug|Date|\"Not scanned\"|all "
             "(--text T | --from MM/DD/YYYY --to MM/DD/YYYY) [--runs 5] [--busy-core | --scan]\n"
             "  store --image PAGE --count N [--dir FOLDER]\n"
             "  poll --folder DIR --id A [--ticks 21]\n"
             "  buffer --pages N --dpi 200\n"
             "  startup [--scanner simulated|sane] [--runs 5]\n"
             "  verify [--pages 100] [--per-grey 24]   (reading the label of generated pages)\n"
             "  verify-batch [--pages 50] [--read-delay-ms 2] [--runs 3] [--fake-lib DIR]\n"
             "  feeder [--pages 10] [--fake-lib DIR]   (the test SANE backend)\n"
             "  rotate [--runs 20]\n"
          << Qt::flush;
}

} // namespace
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QStringList list;
    for (int i = 0; i < argc; ++i)
        list << QString::fromLocal8Bit(argv[i]);
    const QString command = list.value(1);
    const Args args(list.mid(2));
    try {
        if (command == QLatin1String("startup-child"))
            return StartupChild(argc, argv, args);
        QApplication application(argc, argv);
        AnswerBoxesOnStderr();
        if (command == QLatin1String("gen-db"))
            return GenDb(args);
        if (command == QLatin1String("gen-datafile"))
            return GenDataFile(args);
        if (command == QLatin1String("gen-page"))
            return GenPage(args);
        if (command == QLatin1String("gen-folder"))
            return GenFolder(args);
        if (command == QLatin1String("intake-sql"))
            return IntakeSql(args);
        if (command == QLatin1String("intake"))
            return Intake(args);
        if (command == QLatin1String("search"))
            return Search(args);
        if (command == QLatin1String("store"))
            return Store(args);
        if (command == QLatin1String("poll"))
            return Poll(args);
        if (command == QLatin1String("buffer"))
            return Buffer(args);
        if (command == QLatin1String("verify"))
            return Verify(args);
        if (command == QLatin1String("verify-batch"))
            return VerifyBatch(args);
        if (command == QLatin1String("feeder"))
            return bench::Feeder(int(args.Number(QStringLiteral("--pages"), 10)),
                                 args.Value(QStringLiteral("--fake-lib"), QUILLER_FAKE_SANE_LIBDIR),
                                 Out());
        if (command == QLatin1String("rotate"))
            return bench::Rotate(int(args.Number(QStringLiteral("--runs"), 20)), Out());
        if (command == QLatin1String("startup"))
            return Startup(args, QCoreApplication::applicationFilePath());
    } catch (const QString& message) {
        Err() << "quiller-bench " << command << ": " << message << Qt::endl;
        return 1;
    } catch (const QuillerError& e) {
        Err() << "quiller-bench " << command << ": " << e.description() << Qt::endl;
        return 1;
    }
    Usage();
    return 2;
}
