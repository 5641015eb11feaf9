// Which files of the interchange folder a tick takes, and when: names addressed to this
// station, files that have stopped changing, oldest first, never links, folders or pipes.
#include "common/DataLines.h"
#include "common/ScriptedMessageBoxes.h"
#include "common/TickStation.h"

#include <QDir>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace quiller;
using namespace quiller::test;

class TestDataFolder : public QObject {
    Q_OBJECT
private slots:
    void nameRules_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("id");
        QTest::addColumn<bool>("taken");
        QTest::addColumn<QString>("mark");
        const auto row = [](const char* tag, const QString& name, const QString& id, bool taken,
                            const char* mark) {
            QTest::newRow(tag) << name << id << taken << mark;
        };
        row("upper-case extension", "AP0001.QLV", "A", true, "P");
        row("mixed-case extension", "AX0001.QlV", "A", true, "X");
        row("another station", "BP0001.QLV", "A", false, "");
        row("lower-case identifier", "AP0001.QLV", "a", false, "");
        row("other extension", "AP0001.TXT", "A", false, "");
        row("set-aside file", "AP0001.QLV.err", "A", false, "");
        row("two-character identifier", "ABP001.QLV", "AB", false, "");
        row("empty identifier", "AP0001.QLV", "", false, "");
        row("mark is the second character", "A.QLV", "A", true, ".");
        row("no dot", "AQLV", "A", true, "Q");
        row("letter beyond ASCII", QString::fromUtf8("ÉP1.QLV"), QString::fromUtf8("É"), true, "P");
    }

    void nameRules() {
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

    // A name that is not valid UTF-8 (Windows-1252 bytes written over a share) is renamed to
    // the same characters and taken, mark included.
    void nameInAnotherEncodingIsTaken() {
        ScriptedMessageBoxes boxes;
        Station s;
        const QByteArray raw = QFile::encodeName(s.env.interchangeFolder()) + "/A\xC9"
                                                                              "0001.QLV";
        const int fd = ::open(raw.constData(), O_WRONLY | O_CREAT, 0644);
        QVERIFY(fd >= 0);
        const QByteArray line = Line("42", "1", "20060307");
        QCOMPARE(::write(fd, line.constData(), size_t(line.size())), ssize_t(line.size()));
        ::close(fd);
        s.ticks(3);
        QCOMPARE(boxes.count(), 0);
        QCOMPARE(s.batches, 1);
        QCOMPARE(s.rows(), 1);
        QCOMPARE(s.list.entries[0].tag, QString(QChar(0xC9)));
        QVERIFY(!QFile::exists(QString::fromUtf8(raw)));
        QCOMPARE(QDir(s.env.interchangeFolder()).entryList({"*.QLV"}, QDir::Files), QStringList());
    }

    void onlyUnchangedFilesAreTaken() {
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

    void severalFilesInOneTickByModificationTime() {
        ScriptedMessageBoxes boxes;
        Station s;
        const QDateTime t = QDateTime(QDate(2006, 3, 7), QTime(9, 0), Qt::UTC);
        SetModified(s.drop("AP1.QLV", Line("1", "0", "20060307")), t.addSecs(60));
        SetModified(s.drop("AX2.QLV", Line("2", "0", "20060307") + Line("22", "0", "20060307")),
                    t.addSecs(120));
        SetModified(s.drop("AP3.QLV", Line("3", "0", "20060307")), t);
        SetModified(s.drop("AQ0.QLV", Line("4", "0", "20060307")),
                    t.addSecs(120)); // same time as AX2
        s.list.Append("9-0", "", "", "", "P");
        s.ticks(2);
        QCOMPARE(s.list.texts(), (QStringList{"3-0", "1-0", "4-0", "2-0", "22-0"}));
        QCOMPARE(s.list.entries[2].tag, QStringLiteral("Q"));
        QCOMPARE(s.list.entries[3].tag, QStringLiteral("X"));
        QCOMPARE(s.list.clears, 1);
        QCOMPARE(s.batches, 1);
        QCOMPARE(s.rows(), 5);
        QCOMPARE(QDir(s.env.interchangeFolder()).entryList(QDir::Files),
                 QStringList{"AQLVLock.xs4"});
    }

    void missingFolderIsReportedOnce() {
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

    void linksFoldersAndPipesAreNeverTaken() {
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
};

QTEST_GUILESS_MAIN(TestDataFolder)
#include "tst_datafolder.moc"
