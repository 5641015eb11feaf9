// The built station as a separate process: a data file dropped into the interchange
// folder ends as JPEG files and database rows, with the lock file raised meanwhile.
#include "common/DataLines.h"
#include "common/StationProcess.h"

#include <QElapsedTimer>
#include <QImageReader>
#include <QtTest>

using namespace quiller::test;

class TstStation : public QObject {
    Q_OBJECT
private slots:
    void dataFileToStoredImages();
};

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
    QTRY_COMPARE_WITH_TIMEOUT(QDir(env.imageFolder()).entryList({"*.jpg"}, QDir::Files, QDir::Name),
                              expected, 60000);
    QTRY_VERIFY_WITH_TIMEOUT(!QFile::exists(lock), 30000);
    QVERIFY(!QFile::exists(dataFile));
    QCOMPARE(ReadFile(other), Line("999", "00", "20060307", "Other", "Ann", "Other"));

    // Each page decodes at the size its frame and resolution give: 6 x 6 inches at
    // 200 dpi for a file whose mark is not "P".
    for (const QString& name : expected) {
        QImageReader reader(env.imageFolder() + "/" + name);
        QCOMPARE(reader.size(), QSize(1200, 1200));
        QVERIFY(!reader.read().isNull());
    }
    station.kill();
    QCOMPARE(StoredRows(env.imageFolder() + "/Marrowby.mdb"),
             QStringList({"123/01/123_01.jpg", "124/00/124_00.jpg", "125/2/125_2.jpg"}));
}

QTEST_GUILESS_MAIN(TstStation)
#include "tst_station.moc"
