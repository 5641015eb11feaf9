// Fuzz target: one data file through the whole intake. The bytes become a data file in
// a temporary interchange folder; two polling ticks (a file is taken when it is the same
// at two ticks) read it, list its lines, write them into an in-memory database in one
// transaction, and then delete the file or keep it as ".err".
#include "base/MessageBoxes.h"
#include "intake/LineParser.h"
#include "intake/ScanListPort.h"
#include "records/Database.h"
#include "station/PollingTick.h"
#include "station/StationContext.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace quiller;

namespace {

// The benchmark's station context: one per run, like the program's.
StationContext& Context() {
    static StationContext context;
    return context;
}

void Check(bool condition) {
    if (!condition)
        std::abort();
}

class ListFake : public ScanListPort {
public:
    void Clear() override { entries.clear(); }
    void Append(const QString& text, const QString&, const QString&, const QString&,
                const QString&) override {
        entries << text;
    }
    int Count() const override { return int(entries.size()); }
    void RemoveFrom(int first) override { entries.resize(qMin<qsizetype>(first, entries.size())); }
    QStringList entries;
};

struct Station {
    QCoreApplication* app = nullptr;
    QTemporaryDir* dir = nullptr;
    int boxes = 0;
};

Station& TheStation() {
    static Station s;
    return s;
}

int RowCount() {
    QSqlQuery q(Context().DbConnection->Connection());
    Check(q.exec(QStringLiteral("SELECT COUNT(*) FROM RxImages")) && q.next());
    return q.value(0).toInt();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    Station& s = TheStation();
    s.app = new QCoreApplication(*argc, *argv);
    s.dir = new QTemporaryDir();
    Check(s.dir->isValid());
    Context().filePath = s.dir->path() + QStringLiteral("/interchange");
    Context().dataPath = s.dir->path() + QStringLiteral("/images");
    Context().ScannerID = QStringLiteral("A");
    Check(QDir().mkpath(Context().filePath) && QDir().mkpath(Context().dataPath));
    Context().DbConnection = std::make_unique<Database>(QStringLiteral("fuzz"));
    // A database that does not open ends the run (an uncaught QuillerError aborts).
    Context().DbConnection->OpenFile(QStringLiteral(":memory:"));
    QSqlDatabase connection = Context().DbConnection->Connection();
    Database::CreateSchema(connection);
    // libFuzzer ends with exit(): the connection must close before Qt's SQL globals go,
    // which were set up after Context() and are destroyed before it.
    std::atexit([] { Context().DbConnection.reset(); });
    MessageBoxes::SetResponder([](const MessageBoxRequest& r) {
        ++TheStation().boxes;
        return r.defaultButton;
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Station& s = TheStation();
    const QByteArray content(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString path = Context().filePath + QStringLiteral("/AX0001.QLV");
    {
        QFile f(path);
        Check(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        Check(f.write(content) == content.size());
    }
    s.boxes = 0;
    const QStringList lines = PollingTick::ReadDataFile(path);

    ListFake list;
    int batches = 0;
    PollingTick tick(Context(), list, PollingHooks{[&] { ++batches; }, {}, {}, {}, {}});
    tick.Timer1_Timer(); // first sight of the file
    tick.Timer1_Timer(); // unchanged: taken

    // The in-memory database is always there, so the file is always taken: deleted when
    // every line was stored, kept byte for byte as ".err" otherwise.
    Check(!QFile::exists(path));
    // A file none of whose lines could be recorded lists nothing and starts no batch;
    // otherwise every line stays listed (refused ones marked) and one batch starts. A file
    // without lines may start an empty batch, which returns the station to ready at once.
    const bool anyStored = RowCount() > 0;
    Check(lines.isEmpty() ? batches <= 1 : batches == (anyStored ? 1 : 0));
    Check(list.entries.size() == (anyStored ? lines.size() : 0));
    const bool keptAside = QFile::exists(path + QStringLiteral(".err"));
    if (keptAside) {
        QFile kept(path + QStringLiteral(".err"));
        Check(kept.open(QIODevice::ReadOnly));
        Check(kept.readAll() == content);
        Check(s.boxes > 0);
    } else {
        // Every line is in the database under its own key.
        for (const QString& line : lines) {
            const ParsedLine parsed = ParseLine(line);
            const auto row = Context().DbConnection->Find(parsed.p.RxNbr, parsed.p.RefNo);
            Check(row.has_value());
        }
        Check(s.boxes == 0);
    }
    Check(RowCount() <= lines.size());
    // Only the lock file and the kept file are left; nothing reached the image folder.
    const QStringList left = QDir(Context().filePath).entryList(QDir::Files | QDir::Hidden);
    for (const QString& name : left)
        Check(name == QStringLiteral("AQLVLock.xs4") || name == QStringLiteral("AX0001.QLV.err"));
    Check(QDir(Context().dataPath).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());

    // Clean slate for the next input.
    QFile::remove(path + QStringLiteral(".err"));
    QFile::remove(Context().LockFilePath());
    QSqlQuery q(Context().DbConnection->Connection());
    Check(q.exec(QStringLiteral("DELETE FROM RxImages")));
    return 0;
}
