#include "common/DataLines.h"
#include "common/ScanListFake.h"
#include "common/ScriptedMessageBoxes.h"
#include "common/TestEnv.h"
#include "records/Database.h"
#include "station/PollingTick.h"
#include "station/StationContext.h"

#include <QDir>
#include <QSqlQuery>
#include <QtTest>
#include <sys/stat.h>

using namespace quiller;
using quiller::test::DataFile;
using quiller::test::Line;
using quiller::test::ReadFile;
using quiller::test::ScanListFake;
using quiller::test::ScriptedMessageBoxes;
using quiller::test::TestEnv;
using quiller::test::WriteFile;

namespace {

class FakeMainWindow : public MainWindowPort {
public:
    QStringList history;
    void SetStatusText(const QString& text) override { history << text; }
    QString StatusText() const override { return history.isEmpty() ? QString() : history.last(); }
};

// One station: folders, database, status line, list, timers and the tick.
struct Station {
    TestEnv env;
    StationContext app;
    FakeMainWindow window;
    ScanListFake list;
    bool polling = true;
    int timer2Offs = 0;
    int batches = 0;
    QList<QList<ScanListFake::Entry>> listAtBatch;
    std::unique_ptr<PollingTick> tick;

    explicit Station(const QString& id = QStringLiteral("A")) {
        app.MainWindow = &window;
        app.dataPath = env.imageFolder();
        app.filePath = env.interchangeFolder();
        app.ScannerID = id;
        Database::EnsureFile(app.dataPath, QString());
        app.DbConnection = std::make_unique<Database>();
        app.DbConnection->Open(app.dataPath);
        PollingHooks hooks;
        hooks.startBatch = [this] {
            ++batches;
            listAtBatch << list.entries;
        };
        hooks.setPolling = [this](bool on) {
            polling = on;
        };
        hooks.timer2Off = [this] {
            ++timer2Offs;
        };
        tick = std::make_unique<PollingTick>(app, list, hooks);
    }
    ~Station() { app.DbConnection.reset(); }

    QString path(const QString& name) const { return env.interchangeFolder() + "/" + name; }
    QString lockFile() const { return app.LockFilePath(); }
    QString drop(const QString& name, const QByteArray& content) const {
        WriteFile(path(name), content);
        return path(name);
    }
    void ticks(int n) {
        for (int i = 0; i < n; ++i)
            tick->Timer1_Timer();
    }
    int rows() const {
        QSqlQuery q(app.DbConnection->Connection());
        q.exec("SELECT count(*) FROM RxImages");
        return q.next() ? q.value(0).toInt() : -1;
    }
    QString status() const { return window.StatusText(); }
    // Another program's connection to the station's database.
    std::unique_ptr<Database> other() const {
        auto db = std::make_unique<Database>(QStringLiteral("other-program"));
        db->Open(app.dataPath);
        return db;
    }
};

bool Exec(Database& db, const char* sql) {
    return QSqlQuery(db.Connection()).exec(QString::fromLatin1(sql));
}

void SetModified(const QString& path, const QDateTime& when) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadWrite));
    QVERIFY(f.setFileTime(when, QFileDevice::FileModificationTime));
}

} // namespace

class TestPollingTick : public QObject {
    Q_OBJECT
private slots:
    void nameRules_data();
    void nameRules();
    void goodFileIsTaken();
    void fileOfEmptyLinesStillEmptiesListAndLocks();
    void onlyUnchangedFilesAreTaken();
    void refusedLinesSetTheFileAsideAndNoTickRunsInTheReport();
    void unusableDatabaseLeavesFilesForLater_data();
    void unusableDatabaseLeavesFilesForLater();
    void failedCommitTakesEntriesBackOut();
    void severalFilesInOneTickByModificationTime();
    void missingFolderIsReportedOnce();
    void linksFoldersAndPipesAreNeverTaken();
};

void TestPollingTick::nameRules_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("id");
    QTest::addColumn<bool>("taken");
    QTest::addColumn<QString>("mark");
    const auto row = [](const char* tag, const QString& name, const QString& id, bool taken,
                        const char* mark) {
        QTest::newRow(tag) << name << id << taken << mark;
    };
    row("upper-case extension", "AP0001.QLV", "A", true, "P");
    row("lower-case extension", "AP0001.qlv", "A", true, "P");
    row("mixed-case extension", "AX0001.QlV", "A", true, "X");
    row("another station", "BP0001.QLV", "A", false, "");
    row("identifier in other case", "aP0001.QLV", "A", false, "");
    row("lower-case identifier", "AP0001.QLV", "a", false, "");
    row("other extension", "AP0001.TXT", "A", false, "");
    row("set-aside file", "AP0001.QLV.err", "A", false, "");
    row("two-character identifier", "ABP001.QLV", "AB", false, "");
    row("empty identifier", "AP0001.QLV", "", false, "");
    row("mark is the second character", "A.QLV", "A", true, ".");
    row("no dot", "AQLV", "A", true, "Q");
    row("letter beyond ASCII", QString::fromUtf8("ÉP1.QLV"), QString::fromUtf8("É"), true, "P");
}

void TestPollingTick::nameRules() {
    QFETCH(QString, name);
    QFETCH(QString, id);
    QFETCH(bool, taken);
    QFETCH(QString, mark);
    ScriptedMessageBoxes boxes;
    Station s(id);
    const QString file = s.drop(name, Line("42", "1", "20060307"));
    s.ticks(2);
    QCOMPARE(boxes.count(), 0);
    QCOMPARE(!QFile::exists(file), taken);
    QCOMPARE(s.batches, taken ? 1 : 0);
    QCOMPARE(s.list.Count(), taken ? 1 : 0);
    QCOMPARE(s.rows(), taken ? 1 : 0);
    QCOMPARE(s.polling, !taken);
    if (taken) {
        QCOMPARE(s.list.entries[0].tag, mark);
        QVERIFY(QFile::exists(s.lockFile()));
    } else {
        QCOMPARE(s.status(), PollingTick::IdleStatus());
    }
}

void TestPollingTick::goodFileIsTaken() {
    ScriptedMessageBoxes boxes;
    Station s;
    s.list.Append("1-0", "01/01/2005", "OLD", "OLD OLD", "P");
    const QString file = s.drop("AP20060307.QLV", ReadFile(DataFile("good.QLV")));

    s.ticks(1); // seen, not yet taken
    QVERIFY(QFile::exists(file));
    s.ticks(1);
    QVERIFY(!QFile::exists(file));
    QCOMPARE(s.list.texts(), (QStringList{"42-1", "123456-12", "7-0"}));
    const ScanListFake::Entry& first = s.list.entries[0];
    QCOMPARE(first.date, QStringLiteral("03/07/2006"));
    QCOMPARE(first.patient, QStringLiteral("JOHN SMITH"));
    for (const ScanListFake::Entry& e : s.list.entries)
        QCOMPARE(e.tag, QStringLiteral("P"));
    QCOMPARE(s.rows(), 3);
    QCOMPARE(s.app.DbConnection->Find("42", "1")->Drug,
             QStringLiteral("AMOXICILLIN 500MG CAP").leftJustified(30));
    QCOMPARE(s.app.DbConnection->Find("123456", "12")->LastName, QStringLiteral("O'CONNOR"));
    QCOMPARE(ReadFile(s.lockFile()), QByteArray("Locked\r\n"));
    QVERIFY(!s.polling);
    QCOMPARE(s.batches, 1);
    QCOMPARE(s.listAtBatch[0].size(), 3);
    QCOMPARE(s.window.history.last(), PollingTick::ReadingStatus());
    QCOMPARE(s.timer2Offs, 1);
    QCOMPARE(boxes.count(), 0);
    // Nothing in the folder but the lock file.
    QCOMPARE(QDir(s.env.interchangeFolder()).entryList(QDir::Files), QStringList{"AQLVLock.xs4"});
}

// A file of empty lines still starts a batch: the list empties and the lock is raised.
void TestPollingTick::fileOfEmptyLinesStillEmptiesListAndLocks() {
    ScriptedMessageBoxes boxes;
    Station s;
    s.list.Append("1-0", "", "", "", "P");
    const QString file = s.drop("AP1.QLV", "\r\n\r\n\n");
    s.ticks(2);
    QVERIFY(!QFile::exists(file));
    QCOMPARE(s.list.Count(), 0);
    QCOMPARE(s.list.clears, 1);
    QVERIFY(!s.polling);
    QCOMPARE(s.batches, 1);
    QCOMPARE(boxes.count(), 0);
    QVERIFY(QFile::exists(s.lockFile()));
}

void TestPollingTick::onlyUnchangedFilesAreTaken() {
    ScriptedMessageBoxes boxes;
    Station s;
    const QString file = s.drop("AP1.QLV", Line("1", "0", "20060307"));
    const QDateTime t0 = QDateTime(QDate(2006, 3, 7), QTime(9, 0), Qt::UTC);
    SetModified(file, t0);
    s.ticks(1);
    QVERIFY(QFile::exists(file));
    // Still being written: grows.
    s.drop("AP1.QLV", Line("1", "0", "20060307") + Line("2", "0", "20060307"));
    SetModified(file, t0);
    s.ticks(1);
    QVERIFY(QFile::exists(file));
    // Rewritten with the same size but a new time.
    s.drop("AP1.QLV", Line("3", "0", "20060307") + Line("4", "0", "20060307"));
    SetModified(file, t0.addSecs(1));
    s.ticks(1);
    QVERIFY(QFile::exists(file));
    QCOMPARE(s.batches, 0);
    QCOMPARE(s.rows(), 0);
    QCOMPARE(s.list.clears, 0);
    // Unchanged since the last tick: taken.
    s.ticks(1);
    QVERIFY(!QFile::exists(file));
    QCOMPARE(s.list.texts(), (QStringList{"3-0", "4-0"}));
    QCOMPARE(s.batches, 1);
}

// Refused lines are listed but not stored, the others are stored, and the file is kept
// aside under a name of its own; one report names the first few reasons and counts the rest.
void TestPollingTick::refusedLinesSetTheFileAsideAndNoTickRunsInTheReport() {
    ScriptedMessageBoxes boxes;
    Station s;
    QByteArray content = ReadFile(DataFile("baddate.QLV"));
    for (int i = 0; i < 6; ++i)
        content += Line(QByteArray::number(200 + i), "0", "2006XX07");
    const QString file = s.drop("AP1.QLV", content);
    WriteFile(file + ".err", "an older file set aside");
    s.ticks(1);
    s.drop("AP2.QLV", Line("5", "0", "20060307")); // would be ready at a second tick
    // While the report is open the station holds no lock on the database, and the timer's
    // further ticks do nothing.
    bool freeWhileShown = false;
    boxes.onShow([&](const MessageBoxRequest&) {
        const auto other = s.other();
        freeWhileShown = Exec(*other, "BEGIN IMMEDIATE") && Exec(*other, "COMMIT");
        QVERIFY(s.tick->IsRunning());
        const qsizetype statuses = s.window.history.size();
        const int entries = s.list.Count();
        s.ticks(2);
        QCOMPARE(s.window.history.size(), statuses);
        QCOMPARE(s.list.Count(), entries);
    });
    s.ticks(1);
    QVERIFY(!QFile::exists(file));
    QCOMPARE(ReadFile(file + ".err"), QByteArray("an older file set aside"));
    QCOMPARE(ReadFile(s.path("AP1.QLV.1.err")), content);
    // The list follows the paper: the refused lines are listed too.
    QCOMPARE(s.list.texts().mid(0, 4), (QStringList{"100-1", "101-1", "102-1", "200-0"}));
    QCOMPARE(s.list.Count(), 9);
    QCOMPARE(s.list.entries[1].date, QStringLiteral("02/30/2006"));
    QCOMPARE(s.rows(), 2);
    QVERIFY(s.app.DbConnection->Find("100", "1"));
    QVERIFY(!s.app.DbConnection->Find("101", "1"));
    QVERIFY(s.app.DbConnection->Find("102", "1"));
    QCOMPARE(boxes.count(), 1);
    QVERIFY(freeWhileShown);
    const QString text = boxes.last().text;
    QVERIFY(text.startsWith("The data file AP1.QLV: 2 line(s) taken, 7 refused."));
    QVERIFY(text.contains(QStringLiteral("Rx 101-1: The fill date \"02/30/2006\"")));
    QVERIFY(text.contains(QStringLiteral("Rx 203-0")));
    QVERIFY(!text.contains(QStringLiteral("Rx 204-0")));
    QVERIFY(text.contains(QStringLiteral("... and 2 more.")));
    QVERIFY(text.contains(QStringLiteral("kept as AP1.QLV.1.err")));
    QCOMPARE(s.batches, 1);
    QVERIFY(!s.tick->IsRunning());
    QVERIFY(!s.polling);
    QVERIFY(QFile::exists(s.lockFile()));
    QVERIFY(QFile::exists(s.path("AP2.QLV")));

    // Polling resumes in the state the tick left: the second file comes next; the file
    // set aside is never taken again.
    s.polling = true;
    s.ticks(3);
    QCOMPARE(s.list.texts(), QStringList{"5-0"});
    QCOMPARE(s.batches, 2);
    QCOMPARE(boxes.count(), 1);
    QVERIFY(QFile::exists(s.path("AP1.QLV.1.err")));
}

// A database held by another program, full, closed, or whose file was moved
// away takes nothing: the files wait, one report is shown, and they are taken once it is
// back.
void TestPollingTick::unusableDatabaseLeavesFilesForLater_data() {
    QTest::addColumn<QString>("how");
    for (const char* how : {"locked", "full", "closed", "moved away"})
        QTest::newRow(how) << QString(how);
}

void TestPollingTick::unusableDatabaseLeavesFilesForLater() {
    QFETCH(QString, how);
    ScriptedMessageBoxes boxes;
    Station s;
    s.list.Append("9-0", "", "", "", "P");
    const QByteArray content = ReadFile(DataFile("good.QLV"));
    const QString file = s.drop("AP1.QLV", content);
    const QString second = s.drop("AP2.QLV", Line("5", "0", "20060307"));
    const QString db = Database::PathIn(s.app.dataPath);
    std::unique_ptr<Database> other;
    if (how == "locked") {
        other = s.other();
        QVERIFY(Exec(*other, "BEGIN EXCLUSIVE"));
    } else if (how == "full") {
        // The transaction starts, then its first row cannot grow the file.
        for (const char* sql :
             {"CREATE TABLE Filler (x)", "PRAGMA max_page_count = 1",
              "CREATE TEMP TRIGGER Fill BEFORE INSERT ON main.RxImages BEGIN INSERT INTO "
              "Filler VALUES (zeroblob(1000000)); END"})
            QVERIFY(Exec(*s.app.DbConnection, sql));
    } else if (how == "closed") {
        s.app.DbConnection->Close();
    } else {
        QVERIFY(QFile::rename(db, db + ".moved"));
    }
    s.ticks(4);
    QCOMPARE(ReadFile(file), content);
    QVERIFY(QFile::exists(second));
    // Nothing could be written: the list keeps what it showed, or is emptied where the
    // file's lines had begun.
    QCOMPARE(s.list.texts(), how == "full" ? QStringList() : QStringList{"9-0"});
    QCOMPARE(boxes.count(), 1);
    QVERIFY(boxes.last().caption.contains(PollingTick::TickLocation()));
    QVERIFY(s.status().endsWith(PollingTick::RestartHint()));
    QVERIFY(s.polling);
    QCOMPARE(s.batches, 0);
    QVERIFY(!QFile::exists(s.lockFile()));
    if (how == "locked") {
        QVERIFY(s.status().startsWith(QStringLiteral("database is locked")));
        QVERIFY(Exec(*other, "COMMIT"));
    } else if (how == "full") {
        QVERIFY(Exec(*s.app.DbConnection, "DROP TRIGGER temp.Fill"));
    } else if (how == "closed") {
        s.app.DbConnection->Open(s.app.dataPath);
    } else {
        QVERIFY(boxes.last().text.contains(QStringLiteral("is missing")));
        QVERIFY(QFile::rename(db + ".moved", db));
    }
    s.ticks(1);
    QVERIFY(!QFile::exists(file));
    QVERIFY(!QFile::exists(second));
    QCOMPARE(s.list.Count(), 4);
    QCOMPARE(s.rows(), 4);
    QCOMPARE(s.batches, 1);
    QCOMPARE(boxes.count(), 1);
}

void TestPollingTick::failedCommitTakesEntriesBackOut() {
    ScriptedMessageBoxes boxes;
    Station s;
    s.drop("AX0.QLV", Line("5", "0", "20060307"));
    const QByteArray content = ReadFile(DataFile("good.QLV"));
    const QString file = s.drop("AP1.QLV", content);
    const QDateTime t = QDateTime(QDate(2006, 3, 7), QTime(9, 0), Qt::UTC);
    SetModified(s.path("AX0.QLV"), t);
    SetModified(file, t.addSecs(1));
    {
        // A reader in the middle of a read: the lines are written, but the commit
        // cannot complete.
        const auto other = s.other();
        QVERIFY(Exec(*other, "BEGIN"));
        QVERIFY(Exec(*other, "SELECT count(*) FROM RxImages"));
        s.ticks(1);
        s.drop("AX0.QLV", Line("5", "0", "20060307")); // the first file: stays unready
        SetModified(s.path("AX0.QLV"), t.addSecs(5));
        s.ticks(1);
        QCOMPARE(ReadFile(file), content);
        QCOMPARE(s.list.Count(), 0);
        QCOMPARE(s.list.clears, 1);
        QCOMPARE(s.batches, 0);
        QCOMPARE(boxes.count(), 1);
        QVERIFY(Exec(*other, "COMMIT"));
    }
    QCOMPARE(s.rows(), 0);
    s.ticks(1);
    QVERIFY(!QFile::exists(file));
    QVERIFY(!QFile::exists(s.path("AX0.QLV")));
    QCOMPARE(s.list.texts(), (QStringList{"42-1", "123456-12", "7-0", "5-0"}));
    QCOMPARE(s.rows(), 4);
}

void TestPollingTick::severalFilesInOneTickByModificationTime() {
    ScriptedMessageBoxes boxes;
    Station s;
    const QDateTime t = QDateTime(QDate(2006, 3, 7), QTime(9, 0), Qt::UTC);
    SetModified(s.drop("AP1.QLV", Line("1", "0", "20060307")), t.addSecs(60));
    SetModified(s.drop("AX2.QLV", Line("2", "0", "20060307") + Line("22", "0", "20060307")),
                t.addSecs(120));
    SetModified(s.drop("AP3.QLV", Line("3", "0", "20060307")), t);
    SetModified(s.drop("AQ0.QLV", Line("4", "0", "20060307")), t.addSecs(120)); // same time as AX2
    s.list.Append("9-0", "", "", "", "P");
    s.ticks(2);
    QCOMPARE(s.list.texts(), (QStringList{"3-0", "1-0", "4-0", "2-0", "22-0"}));
    QCOMPARE(s.list.entries[2].tag, QStringLiteral("Q"));
    QCOMPARE(s.list.entries[3].tag, QStringLiteral("X"));
    QCOMPARE(s.list.clears, 1);
    QCOMPARE(s.batches, 1);
    QCOMPARE(s.rows(), 5);
    QCOMPARE(QDir(s.env.interchangeFolder()).entryList(QDir::Files), QStringList{"AQLVLock.xs4"});
}

void TestPollingTick::missingFolderIsReportedOnce() {
    ScriptedMessageBoxes boxes;
    Station s;
    const QString folder = s.app.filePath;
    QVERIFY(QDir(folder).removeRecursively());
    s.ticks(3);
    QCOMPARE(boxes.count(), 1);
    QVERIFY(boxes.last().caption.contains(PollingTick::TickLocation()));
    QVERIFY(s.status().endsWith(PollingTick::RestartHint()));
    QVERIFY(s.status().contains(QDir::toNativeSeparators(folder)));
    QVERIFY(s.polling);
    QCOMPARE(s.timer2Offs, 0);
    QVERIFY(QDir().mkpath(folder));
    s.ticks(1);
    QCOMPARE(s.status(), PollingTick::IdleStatus());
    // Gone again: a new condition, reported again.
    QVERIFY(QDir(folder).removeRecursively());
    s.ticks(2);
    QCOMPARE(boxes.count(), 2);
}

void TestPollingTick::linksFoldersAndPipesAreNeverTaken() {
    ScriptedMessageBoxes boxes;
    Station s;
    const QString outside = s.env.home() + "/outside.QLV";
    WriteFile(outside, Line("42", "1", "20060307"));
    QVERIFY(QFile::link(outside, s.path("AP1.QLV")));
    QVERIFY(QDir().mkpath(s.path("AP2.QLV")));
    WriteFile(s.path("AP2.QLV") + "/inner.QLV", Line("43", "1", "20060307"));
    QCOMPARE(::mkfifo(QFile::encodeName(s.path("AP3.QLV")).constData(), 0600), 0);
    s.ticks(3);
    QCOMPARE(boxes.count(), 0);
    QCOMPARE(s.batches, 0);
    QCOMPARE(s.rows(), 0);
    QCOMPARE(ReadFile(outside), Line("42", "1", "20060307"));
    QVERIFY(QFileInfo(s.path("AP1.QLV")).isSymLink());
    QVERIFY(QFileInfo(s.path("AP2.QLV")).isDir());
    QCOMPARE(s.status(), PollingTick::IdleStatus());
}

QTEST_GUILESS_MAIN(TestPollingTick)
#include "tst_pollingtick.moc"
