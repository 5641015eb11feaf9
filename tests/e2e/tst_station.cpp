// The built station as a separate process: a data file dropped into the interchange
// folder ends as JPEG files and database rows, with the lock file raised meanwhile.
#include "common/TestEnv.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImageReader>
#include <QProcess>
#include <QScopeGuard>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>

using quiller::test::TestEnv;

namespace {

// One fixed-width line: Rx number (6), refill (2), date YYYYMMDD (8), drug (30),
// first name (15), last name (15).
QByteArray Line(const char* rx, const char* ref, const char* date, const char* drug,
                const char* first, const char* last) {
    return QByteArray(rx).rightJustified(6, ' ') + QByteArray(ref).rightJustified(2, ' ') +
           QByteArray(date) + QByteArray(drug).leftJustified(30, ' ') +
           QByteArray(first).leftJustified(15, ' ') + QByteArray(last).leftJustified(15, ' ') +
           "\r\n";
}

} // namespace

class StationTests : public QObject {
    Q_OBJECT

private slots:
    void dataFileToStoredImages() {
        TestEnv env;
        env.writeSettings(
            QStringLiteral("[setup]\ndataPath=%1\nfilePath=%2\nScannerID=A\nScanner=0\n")
                .arg(env.imageFolder(), env.interchangeFolder()));
        QDir().mkpath(env.home() + "/runtime");
        QFile::setPermissions(env.home() + "/runtime",
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

        QProcess station;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("HOME", env.home());
        environment.insert("XDG_CONFIG_HOME", env.home() + "/.config");
        environment.insert("XDG_RUNTIME_DIR", env.home() + "/runtime");
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("SANE_CONFIG_DIR", QStringLiteral(QUILLER_TEST_DATA) + "/sane-e2e");
        station.setProcessEnvironment(environment);
        station.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        station.start(QStringLiteral(QUILLER_BINARY_DIR) + "/src/quiller", {});
        QVERIFY(station.waitForStarted(10000));
        auto stop = qScopeGuard([&] {
            station.kill();
            station.waitForFinished(5000);
        });
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(env.imageFolder() + "/Marrowby.mdb"), 15000);

        const QString lock = env.interchangeFolder() + "/AQLVLock.xs4";
        const QString other = env.interchangeFolder() + "/BX0002.QLV";
        const QByteArray otherContent = Line("999", "00", "20060307", "Other", "Ann", "Other");
        quiller::test::WriteFile(other, otherContent);
        const QString dataFile = env.interchangeFolder() + "/AX0001.QLV";
        quiller::test::WriteFile(
            dataFile, Line("123", "01", "20060307", "Amoxicillin 500mg", "John", "Smith") +
                          Line("124", "00", "20060308", "Ibuprofen 200mg", "Mary", "Jones") +
                          Line("125", " 2", "20060309", "Lisinopril 10mg", "Ana", "Lopez"));

        // The lock file goes up when the file is taken and down once pages are stored.
        bool lockSeen = false;
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 30000 && !lockSeen) {
            lockSeen = QFile::exists(lock);
            QTest::qWait(5);
        }
        QVERIFY2(lockSeen, "the lock file was never raised");

        const QStringList expected{"123_01.jpg", "124_00.jpg", "125_2.jpg"};
        QTRY_COMPARE_WITH_TIMEOUT(
            QDir(env.imageFolder()).entryList({"*.jpg"}, QDir::Files, QDir::Name), expected, 60000);
        // The feeder's further sheets are kept apart, never under a prescription; while the
        // end-of-batch report that names them waits for the operator the station stays busy.
        QTRY_VERIFY_WITH_TIMEOUT(
            !QDir(env.imageFolder() + "/Unmatched").entryList({"*.jpg"}, QDir::Files).isEmpty(),
            30000);
        QVERIFY(QFile::exists(lock));
        QVERIFY(!QFile::exists(dataFile));
        QCOMPARE(quiller::test::ReadFile(other), otherContent);

        // Each page decodes at the size its frame and resolution give: 6 x 6 inches
        // at 200 dpi for a file whose mark is not "P".
        for (const QString& name : expected) {
            QImageReader reader(env.imageFolder() + "/" + name);
            QCOMPARE(reader.size(), QSize(1200, 1200));
            QVERIFY(!reader.read().isNull());
        }

        stop.dismiss();
        station.kill();
        station.waitForFinished(5000);

        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "e2e");
            db.setDatabaseName(env.imageFolder() + "/Marrowby.mdb");
            QVERIFY(db.open());
            QSqlQuery q(db);
            QVERIFY(q.exec("SELECT RxNbr, RefNo, RxImage FROM RxImages ORDER BY RxNbr"));
            QStringList rows;
            while (q.next())
                rows << q.value(0).toString() + "/" + q.value(1).toString() + "/" +
                            q.value(2).toString();
            QCOMPARE(rows,
                     QStringList({"123/01/123_01.jpg", "124/00/124_00.jpg", "125/2/125_2.jpg"}));
            db.close();
        }
        QSqlDatabase::removeDatabase("e2e");
    }
};

QTEST_GUILESS_MAIN(StationTests)
#include "tst_station.moc"
