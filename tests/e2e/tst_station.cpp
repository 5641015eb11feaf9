// The built station as a separate process: a data file dropped into the interchange
// folder ends as JPEG files and database rows, with the lock file raised meanwhile.
#include "common/DataLines.h"
#include "common/StationProcess.h"

#include <QImageReader>
#include <QtTest>

using namespace quiller::test;

namespace {

// The system's environment without a display, with HOME and the XDG folders in env's
// home when one is given.
QProcessEnvironment Headless(const TestEnv* env = nullptr) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (env) {
        environment.insert("HOME", env->home());
        environment.insert("XDG_CONFIG_HOME", env->home() + "/.config");
        if (QDir(env->home() + "/runtime").exists())
            environment.insert("XDG_RUNTIME_DIR", env->home() + "/runtime");
        environment.insert("XDG_STATE_HOME", env->home() + "/state");
    }
    environment.insert("QT_QPA_PLATFORM", "xcb");
    environment.remove("DISPLAY");
    environment.remove("WAYLAND_DISPLAY");
    return environment;
}

// The program run on env's settings (none: the system's), without a display; its exit
// code, -1 when it crashed or hung, and its output (standard output, then errors).
int RunTool(const TestEnv* env, const QStringList& args, QString* out = nullptr) {
    QProcess program;
    program.setProcessEnvironment(Headless(env));
    program.start(StationProcess::Program(), args);
    if (!program.waitForFinished(30000) || program.exitStatus() != QProcess::NormalExit)
        return -1;
    if (out)
        *out = QString::fromLocal8Bit(program.readAllStandardOutput() +
                                      program.readAllStandardError());
    return program.exitCode();
}

} // namespace

class TstStation : public QObject {
    Q_OBJECT
private slots:
    void helpAndVersionNeedNoWindow_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("expected");
        QTest::newRow("version") << QStringList{"--version"} << 0 << QString("quiller 1.0.0\n");
        QTest::newRow("help") << QStringList{"--help"} << 0 << QString("--config <FILE>");
        // Qt's own options are Qt's; the station's are read around them.
        QTest::newRow("platform, version") << QStringList{"-platform", "offscreen", "--version"}
                                           << 0 << QString("quiller 1.0.0\n");
        QTest::newRow("style, reverse, geometry, help")
            << QStringList{"-style",      "fusion", "-reverse", "--qwindowgeometry",
                           "800x600+0+0", "--help"}
            << 0 << QString("--copy-database-to <CONNECTION>");
        QTest::newRow("style=, version")
            << QStringList{"-style=fusion", "--version"} << 0 << QString("quiller 1.0.0\n");
        QTest::newRow("unknown option")
            << QStringList{"-platfrm", "offscreen"} << 2 << QString("Unknown options: p, l, a");
        QTest::newRow("argument") << QStringList{"--version", "stray"} << 2
                                  << QString("unexpected argument 'stray'");
    }

    // Both print and end without opening a window: with no display to open one on, the
    // program would fail to start its window half.
    void helpAndVersionNeedNoWindow() {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, expected);
        QString output;
        QCOMPARE(RunTool(nullptr, arguments, &output), status);
        QVERIFY2(output.contains(expected), qPrintable(output));
    }

    // "-platform offscreen" reaches Qt: without it the station could not start here, where
    // the environment names a platform with no display. Its log names the station.
    void qtOptionsReachQt() {
        TestEnv env;
        env.writeSettings(QStringLiteral("[setup]\ndataPath=%1\nfilePath=%2\nScannerID=Q\n")
                              .arg(env.imageFolder(), env.interchangeFolder()));
        QDir().mkpath(env.home() + "/runtime");
        QFile::setPermissions(env.home() + "/runtime",
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QProcess program;
        program.setProcessEnvironment(Headless(&env));
        program.start(StationProcess::Program(), {"-platform", "offscreen", "-reverse"});
        auto end = qScopeGuard([&] {
            program.kill();
            program.waitForFinished(5000);
        });
        const QString log = env.home() + "/state/Quiller/quiller.log";
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(env.imageFolder() + "/Marrowby.mdb") ||
                                     program.state() == QProcess::NotRunning,
                                 30000);
        QVERIFY2(program.state() == QProcess::Running, program.readAllStandardError().constData());
        QVERIFY(QString::fromUtf8(ReadFile(log))
                    .contains(" station Q quiller.operator: station starting"));
        QCOMPARE(QFile::permissions(log) & ~(QFile::ReadUser | QFile::WriteUser),
                 QFile::ReadOwner | QFile::WriteOwner);
    }

    // --audit prints the trail as CSV and --restore-deleted gives back a deleted
    // prescription and its identical image, both without a display.
    void auditAndRestoreNeedNoWindow() {
        TestEnv env;
        env.writeSettings(QStringLiteral("[setup]\ndataPath=%1\nfilePath=%2\nScannerID=A\n")
                              .arg(env.imageFolder(), env.interchangeFolder()));
        const QString db = env.imageFolder() + "/Marrowby.mdb";
        QCOMPARE(RunTool(&env, {"--audit"}), 1); // no database: nothing is created
        QVERIFY(!QFile::exists(db));
        QCOMPARE(
            RunSql(db, {"CREATE TABLE RxImages (RxNbr TEXT NOT NULL, RefNo TEXT NOT NULL, "
                        "FillDate TEXT, Drug TEXT, FirstName TEXT, LastName TEXT, RxImage TEXT)"}),
            QStringList());
        QString csv;
        QCOMPARE(RunTool(&env, {"--audit", "--from", "2000-01-01"}, &csv), 0);
        QVERIFY2(
            csv.startsWith("time,station,account,role,action,rx_number,refill,detail,outcome\r\n"),
            qPrintable(csv));
        QCOMPARE(RunTool(&env, {"--audit", "--to", "yesterday"}), 2);

        QDir(env.imageFolder()).mkdir("Deleted");
        WriteFile(env.imageFolder() + "/Deleted/6401_00 2026-01-02 03.04.05.jpg", "JPEG bytes");
        QCOMPARE(
            RunSql(db,
                   {"INSERT INTO DeletedPrescriptions (RxNbr, RefNo, FillDate, Drug, FirstName, "
                    "LastName, RxImage, KeptAs, DeletedAt, Station, Account) VALUES ('6401', '00', "
                    "'2026-01-02', 'OXYCODONE 10MG', 'JANE', 'DOE', '6401_00.jpg', "
                    "'Deleted/6401_00 2026-01-02 03.04.05.jpg', '2026-01-02T03:04:05.000Z', 'A', "
                    "'op')"}),
            QStringList());
        QCOMPARE(RunTool(&env, {"--restore-deleted", "6401-00"}), 0);
        QCOMPARE(StoredRows(db), QStringList{"6401/00/6401_00.jpg"});
        QFile image(env.imageFolder() + "/6401_00.jpg");
        QVERIFY(image.open(QIODevice::ReadOnly));
        QCOMPARE(image.readAll(), QByteArray("JPEG bytes"));
        QCOMPARE(RunTool(&env, {"--restore-deleted", "6401-00"}), 1); // restored once only
        QCOMPARE(RunTool(&env, {"--audit", "--rx", "6401"}, &csv), 0);
        QVERIFY2(
            csv.contains(",restore deleted,6401,00,Deleted/6401_00 2026-01-02 03.04.05.jpg,done"),
            qPrintable(csv));
        QVERIFY(!csv.contains("OXYCODONE") && !csv.contains("JANE"));
    }

    void dataFileToStoredImages() {
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
        QTRY_COMPARE_WITH_TIMEOUT(
            QDir(env.imageFolder()).entryList({"*.jpg"}, QDir::Files, QDir::Name), expected, 60000);
        // The feeder's further sheets are kept apart, never under a prescription; while the
        // end-of-batch report that names them waits for the operator the station stays busy,
        // its lock file raised.
        QTRY_VERIFY_WITH_TIMEOUT(
            !QDir(env.imageFolder() + "/Unmatched").entryList({"*.jpg"}, QDir::Files).isEmpty(),
            30000);
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
            QVERIFY2(
                logged.contains("quiller.storage: page stored: " + env.imageFolder() + "/" + row),
                qPrintable(row));

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
};

QTEST_GUILESS_MAIN(TstStation)
#include "tst_station.moc"
