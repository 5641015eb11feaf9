// The built station as a separate process: a data file dropped into the interchange
// folder ends as JPEG files and database rows, with the lock file raised meanwhile.
#include "common/DataLines.h"
#include "common/StationProcess.h"

#include <QImageReader>
#include <QtTest>

using namespace quiller::test;

class TstStation : public QObject {
    Q_OBJECT
private slots:
    void helpAndVersionNeedNoWindow_data();
    void helpAndVersionNeedNoWindow();
    void dataFileToStoredImages();
};

void TstStation::helpAndVersionNeedNoWindow_data() {
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("expected");
    QTest::newRow("version") << QString("--version") << QString("quiller 1.0.0\n");
    QTest::newRow("help") << QString("--help") << QString("--config <FILE>");
}

// Both print and end without opening a window: with no display to open one on, the
// program would fail to start its window half.
void TstStation::helpAndVersionNeedNoWindow() {
    QFETCH(QString, option);
    QFETCH(QString, expected);
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "xcb");
    environment.remove("DISPLAY");
    environment.remove("WAYLAND_DISPLAY");
    program.setProcessEnvironment(environment);
    program.start(StationProcess::Program(), {option});
    QVERIFY(program.waitForFinished(30000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
    QVERIFY2(QString::fromLocal8Bit(program.readAllStandardOutput()).contains(expected),
             qPrintable(expected));
}

void TstStation::dataFileToStoredImages() {
    TestEnv env;
    StationProcess station(env);
    QVERIFY(station.started());
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(env.imageFolder() + "/Marrowby.mdb"), 15000);

    // Another station's file stays as it is.
    const QString lock = env.interchangeFolder() + "/AQLVLock.xs4";
    const QString other = env.interchangeFolder() + "/BX0002.QLV";
    WriteFile(other, Line("999", "00", "20060307", "Other", "Ann", "Other"));
    const QString dataFile = env.interchangeFolder() + "/AX0001.QLV";
    WriteFile(dataFile, ThreeLines());

    const QStringList expected{"123_01.jpg", "124_00.jpg", "125_2.jpg"};
    QTRY_COMPARE_WITH_TIMEOUT(QDir(env.imageFolder()).entryList({"*.jpg"}, QDir::Files, QDir::Name),
                              expected, 60000);
    // The feeder's further sheets are kept apart, never under a prescription; while the
    // end-of-batch report that names them waits for the operator the station stays busy,
    // its lock file raised.
    QTRY_VERIFY_WITH_TIMEOUT(
        !QDir(env.imageFolder() + "/Unmatched").entryList({"*.jpg"}, QDir::Files).isEmpty(), 30000);
    QVERIFY(QFile::exists(lock));
    QVERIFY(!QFile::exists(dataFile));
    QCOMPARE(ReadFile(other), Line("999", "00", "20060307", "Other", "Ann", "Other"));

    // Each page decodes at the size its frame and resolution give: 6 x 6 inches at
    // 200 dpi for a file whose mark is not "P".
    for (const QString& name : expected) {
        QImageReader reader(env.imageFolder() + "/" + name);
        QCOMPARE(reader.size(), QSize(1200, 1200));
        QVERIFY(!reader.read().isNull());
    }
    // The administrator's log tells the file taken and every page stored.
    const QString log = env.home() + "/state/Quiller/quiller.log";
    const QString logged = QString::fromUtf8(ReadFile(log));
    QVERIFY2(logged.contains("quiller.intake: data file taken: AX0001.QLV, 3 lines"),
             qPrintable(logged));
    for (const char* row :
         {"123_01.jpg, row RxNbr 123 RefNo 01", "125_2.jpg, row RxNbr 125 RefNo 2"})
        QVERIFY2(logged.contains("quiller.storage: page stored: " + env.imageFolder() + "/" + row),
                 qPrintable(row));
    // A new database without prescriptions at start-up has no backup: its copy would
    // count as the day's backup.
    QCOMPARE(QDir(env.imageFolder() + "/Backups").entryList({"Marrowby-*.mdb"}).size(), 0);

    // A second launch ends at once and brings the running station to the front.
    QProcess second;
    second.setProcessEnvironment(station.environment());
    second.start(StationProcess::Program(), {});
    QVERIFY(second.waitForFinished(30000));
    QCOMPARE(second.exitCode(), 0);
    QTRY_VERIFY_WITH_TIMEOUT(
        QString::fromUtf8(ReadFile(log)).contains("brought to the front by a second launch"),
        15000);
    QVERIFY(station.running());

    station.kill();
    QCOMPARE(StoredRows(env.imageFolder() + "/Marrowby.mdb"),
             QStringList({"123/01/123_01.jpg", "124/00/124_00.jpg", "125/2/125_2.jpg"}));
}

QTEST_GUILESS_MAIN(TstStation)
#include "tst_station.moc"
