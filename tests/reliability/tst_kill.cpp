// The built station killed (SIGKILL) in the middle of a batch and started again: the
// database is intact, every JPEG decodes, no data file is lost, and the stale lock file
// is cleared at the next start.
#include "common/DataLines.h"
#include "common/StationProcess.h"

#include <QImageReader>
#include <QtTest>

using namespace quiller::test;

class TstKill : public QObject {
    Q_OBJECT
private slots:
    void killedMidBatchKeepsEverythingWholeAndRestarts_data() {
        QTest::addColumn<bool>("afterFirstPage");
        // The lock file is up from the taking of the file to the first stored page.
        QTest::newRow("before the first page") << false;
        QTest::newRow("after the first page") << true;
    }

    void killedMidBatchKeepsEverythingWholeAndRestarts() {
        QFETCH(bool, afterFirstPage);
        TestEnv env;
        const QString dbPath = env.imageFolder() + "/Marrowby.mdb";
        const QString lock = env.interchangeFolder() + "/AQLVLock.xs4";
        const QString dataFile = env.interchangeFolder() + "/AX0001.QLV";
        QByteArray content;
        for (const char* rx : {"201", "202", "203", "204"})
            content += Line(rx, "00", "20060307", "Drug", "A", "One");
        {
            StationProcess station(env);
            QVERIFY(station.started());
            QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(dbPath), 15000);
            WriteFile(dataFile, content);
            if (afterFirstPage)
                QTRY_VERIFY_WITH_TIMEOUT(
                    !QDir(env.imageFolder()).entryList({"*.jpg"}, QDir::Files).isEmpty(), 60000);
            else
                QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(lock), 30000);
        }

        QString integrity;
        const QStringList rows = StoredRows(dbPath, &integrity);
        QCOMPARE(integrity, "ok");
        // The data file is deleted only once all of its rows are committed (the lock file
        // goes up after that).
        if (!afterFirstPage) {
            QVERIFY(!QFile::exists(dataFile));
            QVERIFY2(QFile::exists(lock), "the killed batch left its lock file");
        }
        if (!QFile::exists(dataFile)) {
            QStringList keys;
            for (const QString& r : rows)
                keys << r.section('/', 0, 1);
            QCOMPARE(keys, QStringList({"201/00", "202/00", "203/00", "204/00"}));
        }
        // Every page on disk is whole; every row's page is on disk.
        const QStringList jpegs = QDir(env.imageFolder()).entryList({"*.jpg"}, QDir::Files);
        QVERIFY(!afterFirstPage || !jpegs.isEmpty());
        for (const QString& name : jpegs)
            QVERIFY2(!QImageReader(env.imageFolder() + "/" + name).read().isNull(),
                     qPrintable(name));
        for (const QString& r : rows)
            QVERIFY2(r.endsWith('/') || jpegs.contains(r.section('/', 2)), qPrintable(r));

        // Started again: the stale lock file goes, and the station takes files again.
        StationProcess again(env);
        QVERIFY(again.started());
        QTRY_VERIFY_WITH_TIMEOUT(!QFile::exists(lock), 15000);
        WriteFile(env.interchangeFolder() + "/AX0002.QLV",
                  Line("205", "00", "20060307", "After", "E", "Five"));
        QTRY_VERIFY_WITH_TIMEOUT(StoredRows(dbPath).contains("205/00/205_00.jpg"), 60000);
        again.kill();
        StoredRows(dbPath, &integrity);
        QCOMPARE(integrity, "ok");
    }
};

QTEST_GUILESS_MAIN(TstKill)
#include "tst_kill.moc"
