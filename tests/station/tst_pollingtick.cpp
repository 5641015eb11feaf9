// What a tick does with a data file it takes: rows, list, lock file and batch, refused
// lines set aside with the file kept, and a database that cannot be used leaving the
// file for a later tick.
#include "base/Log.h"
#include "common/DataLines.h"
#include "common/ScriptedMessageBoxes.h"
#include "common/TickStation.h"

using namespace quiller;
using namespace quiller::test;

class TestPollingTick : public QObject {
    Q_OBJECT
private slots:
    void goodFileIsTaken();
    void fileOfEmptyLinesStillEmptiesListAndLocks();
    void refusedLinesSetTheFileAsideAndNoTickRunsInTheReport();
    void unusableDatabaseLeavesFilesForLater_data();
    void unusableDatabaseLeavesFilesForLater();
    void failedCommitTakesEntriesBackOut();
};

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

// Refused lines are listed but not stored, the others are stored, and the file is kept
// aside under a name of its own; one report names the first few reasons and counts the rest.
// Refusals are named by file, line and field: no value of a line reaches the report, the
// list's note or the log, not even through the database's own error text.
void TestPollingTick::refusedLinesSetTheFileAsideAndNoTickRunsInTheReport() {
    ScriptedMessageBoxes boxes;
    Station s;
    const QString log = s.env.home() + "/quiller.log";
    LogFile::Install(log);
    auto uninstall = qScopeGuard([] { LogFile::Uninstall(); });
    QVERIFY(Exec(*s.app.DbConnection,
                 "CREATE TEMP TRIGGER Secret BEFORE INSERT ON main.RxImages WHEN NEW.RxNbr = "
                 "'300' BEGIN SELECT RAISE(ABORT, 'OXYCODONE-SECRET is refused'); END"));
    QByteArray content = ReadFile(DataFile("baddate.QLV")) + "\r\n" +
                         Line("../1", "0", "20060307", "X", "OXYCODONE-SECRET") +
                         Line("300", "0", "20060307", "OXYCODONE-SECRET");
    for (int i = 0; i < 6; ++i)
        content += Line(QByteArray::number(200 + i), "0", "2006XX07", "OXYCODONE-SECRET");
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
    QCOMPARE(ReadFile(file + ".err"), QByteArray("an older file set aside"));
    QCOMPARE(ReadFile(s.path("AP1.QLV.1.err")), content);
    // The list follows the paper: the refused lines are listed too.
    QCOMPARE(s.list.texts().mid(0, 6),
             (QStringList{"100-1", "101-1", "102-1", "../1-0", "300-0", "200-0"}));
    QCOMPARE(s.list.Count(), 11);
    QCOMPARE(s.list.entries[4].refusal,
             QStringLiteral("AP1.QLV line 6: the database refused the row (SQLite code 1811)"));
    QCOMPARE(s.list.entries[1].date, QStringLiteral("02/30/2006"));
    QCOMPARE(s.rows(), 2);
    Database& db = *s.app.DbConnection;
    QVERIFY(db.Find("100", "1") && !db.Find("101", "1") && db.Find("102", "1"));
    QCOMPARE(boxes.count(), 1);
    QVERIFY(freeWhileShown);
    const QString text = boxes.last().text;
    QVERIFY(text.startsWith("The data file AP1.QLV: 2 line(s) taken, 9 refused."));
    QVERIFY(text.contains("\nAP1.QLV line 2: the field Fill date is not a date\n"));
    QVERIFY(text.contains("\nAP1.QLV line 5: the field Rx number holds characters an image"));
    QVERIFY(text.contains("\nAP1.QLV line 6: the database refused the row (SQLite code 1811)\n"));
    QVERIFY(text.contains(QStringLiteral("AP1.QLV line 8: the field Fill date")));
    QVERIFY(!text.contains(QStringLiteral("AP1.QLV line 9:")));
    QVERIFY(text.contains(QStringLiteral("... and 4 more.")));
    LogFile::Uninstall();
    const QString logged = QString::fromUtf8(ReadFile(log));
    QVERIFY(logged.contains("AP1.QLV line 6: the database refused the row"));
    QString notes;
    for (const ScanListFake::Entry& e : s.list.entries)
        notes += e.refusal;
    for (const QString& said : {text, logged, notes})
        QVERIFY(!said.contains("OXYCODONE-SECRET") && !said.contains("02/30"));
    // The data file is gone, kept aside whole, the next one waits and the lock is up.
    QCOMPARE(QDir(s.env.interchangeFolder()).entryList(QDir::Files),
             (QStringList{"AP1.QLV.1.err", "AP1.QLV.err", "AP2.QLV", "AQLVLock.xs4"}));
    QVERIFY(text.contains(QStringLiteral("kept as AP1.QLV.1.err")));
    QCOMPARE(s.batches, 1);
    QVERIFY(!s.tick->IsRunning());
    QVERIFY(!s.polling);

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

QTEST_GUILESS_MAIN(TestPollingTick)
#include "tst_pollingtick.moc"
