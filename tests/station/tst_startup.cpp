#include "base/ErrorReport.h"
#include "common/ScriptedMessageBoxes.h"
#include "common/TestEnv.h"
#include "records/Database.h"
#include "records/DatabaseCare.h"
#include "settings/SettingsStore.h"
#include "station/Startup.h"
#include "station/StationContext.h"

#include <QDir>
#include <QSqlQuery>
#include <QtTest>

using namespace quiller;
using quiller::test::ReadFile;
using quiller::test::ScriptedMessageBoxes;
using quiller::test::TestEnv;
using quiller::test::WriteFile;

namespace {

// Doubles for the configuration dialog and the main window.
struct Doubles {
    int dialogShown = 0;
    int mainWindowShown = 0;
    // What each showing of the dialog does (saves settings as its OK would); missing
    // entries close it with Cancel.
    QList<std::function<void()>> dialogActions;
    StartupHooks hooks(const QString& templateFolder, bool another = false) {
        StartupHooks h;
        h.anotherInstanceRunning = [another] {
            return another;
        };
        h.showConfigurationDialogModal = [this] {
            if (dialogShown < dialogActions.size())
                dialogActions[dialogShown]();
            ++dialogShown;
        };
        h.showMainWindow = [this] {
            ++mainWindowShown;
        };
        h.templateFolder = templateFolder;
        return h;
    }
};

// The settings a configured station has.
void Configure(const TestEnv& env, const QString& id = QStringLiteral("A")) {
    env.writeSettings(QStringLiteral("[setup]\ndataPath=%1\nfilePath=%2\nScannerID=%3\n")
                          .arg(env.imageFolder(), env.interchangeFolder(), id));
}

QString NoTemplate(const TestEnv& env) {
    return env.home() + QStringLiteral("/program");
}

// Keeps the shared connection name free between tests.
struct AppGuard {
    StationContext app;
    ~AppGuard() { app.DbConnection.reset(); }
};

} // namespace

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void firstRunOpensDialogWithoutQuestion();
    void incompleteDialogAsksAndNoEnds();
    void yesShowsTheDialogAgain();
    void connectionFailureIsReportedAndEnds();
    void damagedDatabaseIsReportedAndEnds();
    void missingTemplateCreatesTheDatabase();
    void scannerSourceCopiedIntoSetting_data();
    void scannerSourceCopiedIntoSetting();
    void onlyThisStationsLockFileIsDeleted();
    void emptyScannerIdShowsDialogAtEveryStart();
    void secondCopyEndsAtOnceDoingNothing();
    void errorReportShowsFourLines();
};

void TestStartup::initTestCase() {
    // The title the application object gives itself.
    QCoreApplication::setApplicationName(QStringLiteral("Quiller"));
}

void TestStartup::firstRunOpensDialogWithoutQuestion() {
    TestEnv env;
    ScriptedMessageBoxes boxes;
    SettingsStore settings;
    AppGuard g;
    Doubles d;
    d.dialogActions << [&] {
        settings.Write("setup", "dataPath", env.imageFolder());
        settings.Write("setup", "filePath", env.interchangeFolder());
        settings.Write("setup", "ScannerID", "A");
        g.app.ScannerID = "A";
    };
    const auto result = Main(g.app, settings, d.hooks(NoTemplate(env)));
    QCOMPARE(result, std::nullopt);
    QCOMPARE(d.dialogShown, 1);
    QCOMPARE(boxes.count(), 0);
    QCOMPARE(d.mainWindowShown, 1);
    QCOMPARE(g.app.dataPath, env.imageFolder());
    QCOMPARE(g.app.filePath, env.interchangeFolder());
    QVERIFY(g.app.DbConnection && g.app.DbConnection->IsOpen());
    QVERIFY(QFile::exists(env.imageFolder() + "/Marrowby.mdb"));
    // The day's backup is made at the first start of the day.
    QVERIFY(QFile::exists(env.imageFolder() + "/Backups/" +
                          DatabaseCare::BackupName(QDate::currentDate())));
}

void TestStartup::incompleteDialogAsksAndNoEnds() {
    TestEnv env;
    ScriptedMessageBoxes boxes;
    boxes.answer(MsgAnswer::No);
    SettingsStore settings;
    AppGuard g;
    Doubles d;
    // The dialog saves the image folder only.
    d.dialogActions << [&] {
        settings.Write("setup", "dataPath", env.imageFolder());
    };
    const auto result = Main(g.app, settings, d.hooks(NoTemplate(env)));
    QCOMPARE(result, std::optional<int>(0));
    QCOMPARE(d.dialogShown, 1);
    QCOMPARE(d.mainWindowShown, 0);
    QCOMPARE(boxes.count(), 1);
    const MessageBoxRequest& q = boxes.last();
    QCOMPARE(q.text, QStringLiteral("The configuration must be done before using this program. "
                                    "Configure it now?"));
    QCOMPARE(q.caption, QStringLiteral("Continue?"));
    QCOMPARE(q.icon, MsgIcon::Question);
    QCOMPARE(q.buttons, MsgButtons::YesNo);
    // Nothing after the question ran.
    QVERIFY(!QFile::exists(env.imageFolder() + "/Marrowby.mdb"));
    QVERIFY(!g.app.DbConnection);
}

void TestStartup::yesShowsTheDialogAgain() {
    TestEnv env;
    ScriptedMessageBoxes boxes;
    boxes.answer(MsgAnswer::Yes);
    boxes.answer(MsgAnswer::Yes);
    SettingsStore settings;
    AppGuard g;
    Doubles d;
    d.dialogActions <<
        [] {
        } // Cancel
                    <<
        [&] {
            settings.Write("setup", "filePath", env.interchangeFolder());
        }
                    << [&] {
                           settings.Write("setup", "dataPath", env.imageFolder());
                           settings.Write("setup", "ScannerID", "B");
                           g.app.ScannerID = "B";
                       };
    const auto result = Main(g.app, settings, d.hooks(NoTemplate(env)));
    QCOMPARE(result, std::nullopt);
    QCOMPARE(d.dialogShown, 3);
    QCOMPARE(boxes.count(), 2);
    QCOMPARE(d.mainWindowShown, 1);
    QCOMPARE(g.app.ScannerID, QStringLiteral("B"));
}

void TestStartup::connectionFailureIsReportedAndEnds() {
    TestEnv env;
    Configure(env);
    WriteFile(env.imageFolder() + "/Marrowby.mdb", QByteArray(4096, '\x5a'));
    WriteFile(env.interchangeFolder() + "/AQLVLock.xs4", "Locked\r\n");
    ScriptedMessageBoxes boxes;
    SettingsStore settings;
    AppGuard g;
    Doubles d;
    const auto result = Main(g.app, settings, d.hooks(NoTemplate(env)));
    QVERIFY(result.has_value());
    QVERIFY(*result != 0);
    QCOMPARE(d.mainWindowShown, 0);
    QCOMPARE(d.dialogShown, 0);
    QCOMPARE(boxes.count(), 1);
    QCOMPARE(boxes.last().text,
             QStringLiteral("The connection with database cannot be established."));
    QCOMPARE(boxes.last().icon, MsgIcon::Critical);
    QCOMPARE(boxes.last().buttons, MsgButtons::Ok);
    QCOMPARE(boxes.last().caption, QStringLiteral("Quiller"));
    // Ended at once: the lock file was not touched, the file not replaced.
    QVERIFY(QFile::exists(env.interchangeFolder() + "/AQLVLock.xs4"));
    QCOMPARE(ReadFile(env.imageFolder() + "/Marrowby.mdb"), QByteArray(4096, '\x5a'));
}

void TestStartup::damagedDatabaseIsReportedAndEnds() {
    TestEnv env;
    Configure(env);
    Database::EnsureFile(env.imageFolder(), QString());
    {
        Database db(QStringLiteral("fill"));
        QVERIFY(db.Open(env.imageFolder()));
        db.BeginTransaction();
        for (int i = 0; i < 400; ++i)
            db.UpsertPrescription(
                {QString::number(100000 + i), "00", "03/07/2006", "DRUG", "A", "B", QString()});
        db.Commit();
    }
    // The schema page stays readable; the rows' pages are overwritten.
    const QString file = env.imageFolder() + "/Marrowby.mdb";
    QByteArray bytes = ReadFile(file);
    bytes.replace(2 * 4096, bytes.size() - 3 * 4096, QByteArray(bytes.size() - 3 * 4096, 'Z'));
    WriteFile(file, bytes);
    ScriptedMessageBoxes boxes;
    SettingsStore settings;
    AppGuard g;
    Doubles d;
    QCOMPARE(Main(g.app, settings, d.hooks(NoTemplate(env))), std::optional<int>(1));
    QCOMPARE(d.mainWindowShown, 0);
    QCOMPARE(boxes.count(), 1);
    QVERIFY2(boxes.last().text.startsWith(
                 QStringLiteral("The database %1 is damaged").arg(QDir::toNativeSeparators(file))),
             qPrintable(boxes.last().text));
    QCOMPARE(boxes.last().icon, MsgIcon::Critical);
}

void TestStartup::missingTemplateCreatesTheDatabase() {
    TestEnv env;
    Configure(env);
    ScriptedMessageBoxes boxes;
    SettingsStore settings;
    AppGuard g;
    Doubles d;
    QCOMPARE(Main(g.app, settings, d.hooks(NoTemplate(env))), std::nullopt);
    QCOMPARE(boxes.count(), 0);
    QCOMPARE(d.mainWindowShown, 1);
    g.app.DbConnection->UpsertPrescription(
        Prescription{"1", "0", "01/01/2006", "X", "A", "B", QString()});
    QVERIFY(g.app.DbConnection->Find("1", "0"));
}

void TestStartup::scannerSourceCopiedIntoSetting_data() {
    QTest::addColumn<QString>("rows"); // SQL values inserted into Configuration
    QTest::addColumn<QString>("expected");
    QTest::newRow("no row leaves it") << ""
                                      << "1";
    QTest::newRow("null leaves it") << "(NULL)"
                                    << "1";
    QTest::newRow("empty leaves it") << "('')"
                                     << "1";
    QTest::newRow("value copied") << "(3)"
                                  << "3";
    QTest::newRow("zero copied") << "(0)"
                                 << "0";
    QTest::newRow("first row only") << "(2),(5)"
                                    << "2";
}

void TestStartup::scannerSourceCopiedIntoSetting() {
    QFETCH(QString, rows);
    QFETCH(QString, expected);
    TestEnv env;
    env.writeSettings(QStringLiteral("[setup]\ndataPath=%1\nfilePath=%2\nScannerID=A\nscanner=1\n")
                          .arg(env.imageFolder(), env.interchangeFolder()));
    // The station's database, as the template gives it.
    const QString program = env.home() + "/program";
    QDir().mkpath(program);
    {
        Database templ(QStringLiteral("template"));
        QVERIFY(templ.OpenFile(program + "/Marrowby.mdb"));
        if (!rows.isEmpty())
            QVERIFY(QSqlQuery(templ.Connection())
                        .exec(QStringLiteral("INSERT INTO Configuration VALUES ") + rows));
    }
    ScriptedMessageBoxes boxes;
    SettingsStore settings;
    AppGuard g;
    Doubles d;
    QCOMPARE(Main(g.app, settings, d.hooks(program)), std::nullopt);
    QCOMPARE(settings.Read("setup", "Scanner"), expected);
    // One value in the file, whatever spelling it had.
    const QString text = QString::fromUtf8(ReadFile(env.configFile())).toLower();
    QCOMPARE(text.count(QStringLiteral("scanner=")), 1);
}

void TestStartup::onlyThisStationsLockFileIsDeleted() {
    TestEnv env;
    Configure(env, "A");
    const QString mine = env.interchangeFolder() + "/AQLVLock.xs4";
    const QString other = env.interchangeFolder() + "/BQLVLock.xs4";
    const QString plain = env.interchangeFolder() + "/QLVLock.xs4";
    for (const QString& f : {mine, other, plain})
        WriteFile(f, "Locked\r\n");
    QFile(mine).setPermissions(QFile::ReadOwner); // read-only: deleted anyway
    ScriptedMessageBoxes boxes;
    SettingsStore settings;
    AppGuard g;
    Doubles d;
    QCOMPARE(Main(g.app, settings, d.hooks(NoTemplate(env))), std::nullopt);
    QVERIFY(!QFile::exists(mine));
    QVERIFY(QFile::exists(other));
    QVERIFY(QFile::exists(plain));
    QCOMPARE(d.mainWindowShown, 1);
}

void TestStartup::emptyScannerIdShowsDialogAtEveryStart() {
    TestEnv env;
    env.writeSettings(QStringLiteral("[setup]\ndataPath=%1\nfilePath=%2\n")
                          .arg(env.imageFolder(), env.interchangeFolder()));
    const QString plain = env.interchangeFolder() + "/QLVLock.xs4";
    const QString stationA = env.interchangeFolder() + "/AQLVLock.xs4";
    ScriptedMessageBoxes boxes;
    for (int start = 1; start <= 2; ++start) {
        WriteFile(plain, "Locked\r\n");
        WriteFile(stationA, "Locked\r\n");
        SettingsStore settings;
        AppGuard g;
        Doubles d; // the dialog is closed with Cancel
        QCOMPARE(Main(g.app, settings, d.hooks(NoTemplate(env))), std::nullopt);
        QCOMPARE(d.dialogShown, 1);
        QCOMPARE(d.mainWindowShown, 1);
        QCOMPARE(g.app.ScannerID, QString());
        QVERIFY(!QFile::exists(plain));
        QVERIFY(QFile::exists(stationA));
    }
    QCOMPARE(boxes.count(), 0);
}

void TestStartup::secondCopyEndsAtOnceDoingNothing() {
    TestEnv env;
    Configure(env);
    WriteFile(env.interchangeFolder() + "/AQLVLock.xs4", "Locked\r\n");
    const QByteArray settingsBefore = ReadFile(env.configFile());
    ScriptedMessageBoxes boxes;
    SettingsStore settings;
    AppGuard g;
    Doubles d;
    QCOMPARE(Main(g.app, settings, d.hooks(NoTemplate(env), /*another=*/true)),
             std::optional<int>(0));
    QCOMPARE(d.dialogShown, 0);
    QCOMPARE(d.mainWindowShown, 0);
    QCOMPARE(boxes.count(), 0);
    QVERIFY(g.app.dataPath.isEmpty());
    QVERIFY(!g.app.DbConnection);
    QVERIFY(!QFile::exists(env.imageFolder() + "/Marrowby.mdb"));
    QVERIFY(QFile::exists(env.interchangeFolder() + "/AQLVLock.xs4"));
    QCOMPARE(ReadFile(env.configFile()), settingsBefore);
}

void TestStartup::errorReportShowsFourLines() {
    ScriptedMessageBoxes boxes;
    ReportError(QuillerError(5, "database is locked (100%1 busy)", "Database.BeginTransaction", 11),
                "Timer1_Timer of frmScan");
    QCOMPARE(boxes.count(), 1);
    QCOMPARE(boxes.last().text, QStringLiteral("Error Number: \t5\r\n"
                                               "Description: \tdatabase is locked (100%1 busy)\r\n"
                                               "Error Source: \tDatabase.BeginTransaction\r\n"
                                               "Last DLL Error: \t11"));
    QCOMPARE(boxes.last().buttons, MsgButtons::Ok);
    QCOMPARE(boxes.last().icon, MsgIcon::NoIcon);
    QVERIFY(boxes.last().caption.startsWith(QStringLiteral("Quiller")));
}

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
