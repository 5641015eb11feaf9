// The built station killed (SIGKILL) in the middle of a batch and started again: the
// database is intact, every JPEG decodes, no data file is lost, and the stale lock file
// is cleared at the next start.
#include "DataLines.h"
#include "common/TestEnv.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QProcess>
#include <QScopeGuard>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>

using quiller::test::Line;
using quiller::test::TestEnv;

namespace {

class StationProcess {
public:
    explicit StationProcess(const TestEnv& env) {
        QDir().mkpath(env.home() + "/runtime");
        QFile::setPermissions(env.home() + "/runtime",
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        e.insert("HOME", env.home());
        e.insert("XDG_CONFIG_HOME", env.home() + "/.config");
        e.insert("XDG_RUNTIME_DIR", env.home() + "/runtime");
        e.insert("QT_QPA_PLATFORM", "offscreen");
        // Pages are read slowly enough to be killed between two of them.
        e.insert("SANE_CONFIG_DIR", QStringLiteral(QUILLER_TEST_DATA) + "/sane-e2e");
        process_.setProcessEnvironment(e);
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start(QStringLiteral(QUILLER_BINARY_DIR) + "/src/quiller", {});
    }
    ~StationProcess() { kill(); }
    bool started() { return process_.waitForStarted(10000); }
    void kill() {
        if (process_.state() == QProcess::NotRunning)
            return;
        process_.kill(); // SIGKILL: no clean-up of any kind
        process_.waitForFinished(5000);
    }

private:
    QProcess process_;
};

struct Row {
    QString key;
    QString image;
};

QList<Row> Rows(const QString& dbPath, QString* integrity) {
    QList<Row> rows;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "after");
        db.setDatabaseName(dbPath);
        if (db.open()) {
            QSqlQuery q(db);
            if (q.exec("PRAGMA integrity_check") && q.next())
                *integrity = q.value(0).toString();
            q.exec("SELECT RxNbr, RefNo, RxImage FROM RxImages ORDER BY RxNbr");
            while (q.next())
                rows.append(
                    {q.value(0).toString() + "/" + q.value(1).toString(), q.value(2).toString()});
            db.close();
        }
    }
    QSqlDatabase::removeDatabase("after");
    return rows;
}

} // namespace

class KillTests : public QObject {
    Q_OBJECT

private slots:
    void killedMidBatchLeavesIntactDatabaseWholeImagesNoLostFileAndRestarts_data() {
        QTest::addColumn<bool>("afterFirstPage");
        // The lock file is up from the taking of the file to the first stored page.
        QTest::newRow("before the first page") << false;
        QTest::newRow("after the first page") << true;
    }
    void killedMidBatchLeavesIntactDatabaseWholeImagesNoLostFileAndRestarts() {
        QFETCH(bool, afterFirstPage);
        TestEnv env;
        env.writeSettings(
            QStringLiteral("[setup]\ndataPath=%1\nfilePath=%2\nScannerID=A\nScanner=0\n")
                .arg(env.imageFolder(), env.interchangeFolder()));
        const QString dbPath = env.imageFolder() + "/Marrowby.mdb";
        const QString lock = env.interchangeFolder() + "/AQLVLock.xs4";
        const QString dataFile = env.interchangeFolder() + "/AX0001.QLV";
        const QByteArray content = Line("201", "00", "20060307", "First", "A", "One") +
                                   Line("202", "00", "20060307", "Second", "B", "Two") +
                                   Line("203", "00", "20060307", "Third", "C", "Three") +
                                   Line("204", "00", "20060307", "Fourth", "D", "Four");

        {
            StationProcess station(env);
            QVERIFY(station.started());
            QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(dbPath), 15000);
            quiller::test::WriteFile(dataFile, content);
            if (afterFirstPage)
                QTRY_VERIFY_WITH_TIMEOUT(
                    !QDir(env.imageFolder()).entryList({"*.jpg"}, QDir::Files).isEmpty(), 60000);
            else
                QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(lock), 30000);
            station.kill();
        }

        QString integrity;
        const QList<Row> rows = Rows(dbPath, &integrity);
        QCOMPARE(integrity, QStringLiteral("ok"));
        // The data file is deleted only once all of its rows are committed (the lock
        // file goes up after that).
        if (!afterFirstPage)
            QVERIFY(!QFile::exists(dataFile));
        if (!QFile::exists(dataFile)) {
            QStringList keys;
            for (const Row& r : rows)
                keys << r.key;
            QCOMPARE(keys, QStringList({"201/00", "202/00", "203/00", "204/00"}));
        }
        // Every page on disk is whole; every row's page is on disk.
        const QStringList jpegs = QDir(env.imageFolder()).entryList({"*.jpg"}, QDir::Files);
        if (afterFirstPage)
            QVERIFY(!jpegs.isEmpty());
        for (const QString& name : jpegs) {
            QImageReader reader(env.imageFolder() + "/" + name);
            QVERIFY2(!reader.read().isNull(), qPrintable(name));
        }
        for (const Row& r : rows)
            if (!r.image.isEmpty())
                QVERIFY2(jpegs.contains(r.image), qPrintable(r.image));
        if (!afterFirstPage)
            QVERIFY2(QFile::exists(lock), "the killed batch left its lock file");

        // Started again: the stale lock file goes, and the station takes files again.
        StationProcess again(env);
        QVERIFY(again.started());
        QTRY_VERIFY_WITH_TIMEOUT(!QFile::exists(lock), 15000);
        quiller::test::WriteFile(env.interchangeFolder() + "/AX0002.QLV",
                                 Line("205", "00", "20060307", "After", "E", "Five"));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(env.imageFolder() + "/205_00.jpg"), 60000);
        // The feeder's further sheets are kept apart; the station stays busy (lock raised)
        // while the report naming them waits for the operator.
        QTRY_VERIFY_WITH_TIMEOUT(
            !QDir(env.imageFolder() + "/Unmatched").entryList({"*.jpg"}, QDir::Files).isEmpty(),
            30000);
        again.kill();
        const QList<Row> later = Rows(dbPath, &integrity);
        QCOMPARE(integrity, QStringLiteral("ok"));
        QVERIFY(std::any_of(later.cbegin(), later.cend(), [](const Row& r) {
            return r.key == "205/00" && r.image == "205_00.jpg";
        }));
    }
};

QTEST_GUILESS_MAIN(KillTests)
#include "tst_kill.moc"
