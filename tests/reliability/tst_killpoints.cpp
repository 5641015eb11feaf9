// The built station killed (SIGKILL) at chosen points of a batch, the scanner holding a
// sheet until the test lets it go, and started again: every page the scanner delivered
// is filed or kept in Unmatched/, no row names a missing file, no JPEG is left without a
// row or a place, and the operator is told what was recovered.
#include "common/DataLines.h"
#include "common/StationProcess.h"

#include <QImage>
#include <QImageReader>
#include <QRegularExpression>
#include <QSysInfo>
#include <QtTest>

using namespace quiller::test;

class TstKillPoints : public QObject {
    Q_OBJECT
private slots:
    void killedBatchIsFinishedAtTheNextStart_data();
    void killedBatchIsFinishedAtTheNextStart();
};

void TstKillPoints::killedBatchIsFinishedAtTheNextStart_data() {
    QTest::addColumn<QString>("mode");
    QTest::addColumn<int>("filedBeforeKill");
    QTest::addColumn<int>("filedAfter");
    // Labels off: each page is filed as it arrives.
    QTest::newRow("labels off, two pages in") << "off" << 2 << 2;
    // Unlabelled pages wait for the batch's end to be filed by position; the batch never
    // ended, so they are kept, with the reason.
    QTest::newRow("labels checked, two pages waiting") << "check" << 0 << 0;
}

void TstKillPoints::killedBatchIsFinishedAtTheNextStart() {
    QFETCH(QString, mode);
    QFETCH(int, filedBeforeKill);
    QFETCH(int, filedAfter);
    TestEnv env;
    QTemporaryDir state;
    QVERIFY(state.isValid());
    qputenv("STATE", state.path().toUtf8());
    QVERIFY(QDir(state.path()).mkpath("pages"));
    for (int k = 1; k <= 5; ++k) {
        QImage page(170, 220, QImage::Format_Grayscale8);
        page.fill(30 + 40 * k);
        QVERIFY(page.save(state.filePath(QString("pages/page%1.pgm").arg(k)), "PGM"));
    }
    const QString settings =
        QStringLiteral("[setup]\ndataPath=%1\nfilePath=%2\nScannerID=A\nScanner=0\n"
                       "ScannerDevice=quillerfake:feeder\n[verify]\nmode=%3\n")
            .arg(env.imageFolder(), env.interchangeFolder(), mode);
    const QString dbPath = env.imageFolder() + "/Marrowby.mdb";
    const QDir images(env.imageFolder());
    const QDir staging(env.imageFolder() + "/Staging/A@" + QSysInfo::machineHostName());
    const QDir unmatched(env.imageFolder() + "/Unmatched");
    QByteArray content;
    for (const char* rx : {"301", "302", "303", "304"})
        content += Line(rx, "00", "20060307", "Drug", "A", "One");
    {
        StationProcess station(env, settings, true);
        QVERIFY(station.started());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(dbPath), 15000);
        WriteFile(env.interchangeFolder() + "/AX0001.QLV", content);
        // Pages 1 and 2 are on disk; the scanner holds page 3.
        QTRY_COMPARE_WITH_TIMEOUT(staging.entryList({"*.jpg"}, QDir::Files).size() +
                                      images.entryList({"*.jpg"}, QDir::Files).size(),
                                  2, 120000);
        QTRY_COMPARE_WITH_TIMEOUT(int(images.entryList({"*.jpg"}, QDir::Files).size()),
                                  filedBeforeKill, 10000);
    } // killed here

    StationProcess again(env, settings, true);
    QVERIFY(again.started());
    QTRY_VERIFY_WITH_TIMEOUT(staging.entryList({"*.jpg", "*.part"}, QDir::Files).isEmpty(), 30000);
    QTRY_COMPARE_WITH_TIMEOUT(int(images.entryList({"*.jpg"}, QDir::Files).size() +
                                  unmatched.entryList({"*.jpg"}, QDir::Files).size()),
                              2, 10000);
    QCOMPARE(int(images.entryList({"*.jpg"}, QDir::Files).size()), filedAfter);
    // A page placed just before the kill gets its row at the start, which may take longer
    // than placing it did.
    QTRY_COMPARE_WITH_TIMEOUT(StoredRows(dbPath).filter(QRegularExpression("\\.jpg$")).size(),
                              filedAfter, 15000);
    // The operator is told what was recovered (every message shown is logged).
    const QString logPath = env.home() + "/state/Quiller/quiller.log";
    if (filedAfter < 2)
        QTRY_VERIFY_WITH_TIMEOUT(
            ReadFile(logPath).contains("finished what its last run left unfinished"), 15000);
    again.kill();

    QString integrity;
    const QStringList rows = StoredRows(dbPath, &integrity);
    QCOMPARE(integrity, "ok");
    // No row names a missing file, and no page stands under a name no row holds.
    QStringList named;
    for (const QString& r : rows)
        if (!r.endsWith('/'))
            named << r.section('/', 2);
    for (const QString& name : named)
        QVERIFY2(images.exists(name), qPrintable(name));
    for (const QString& name : images.entryList({"*.jpg"}, QDir::Files))
        QVERIFY2(named.contains(name), qPrintable(name));
    for (const QString& name : unmatched.entryList({"*.jpg"}, QDir::Files))
        QVERIFY2(!QImageReader(unmatched.filePath(name)).read().isNull(), qPrintable(name));
}

QTEST_GUILESS_MAIN(TstKillPoints)
#include "tst_killpoints.moc"
