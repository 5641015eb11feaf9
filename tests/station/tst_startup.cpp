#include "base/ErrorReport.h"
#include "common/ScriptedMessageBoxes.h"
#include "common/TestEnv.h"
#include "records/AuditTrail.h"
#include "records/Database.h"
#include "records/DatabaseCare.h"
#include "settings/SettingsStore.h"
#include "station/Startup.h"
#include "station/StationContext.h"
#include "station/StationDatabase.h"

#include <QSqlQuery>
#include <QtTest>

using namespace quiller;
using quiller::test::ReadFile;
using quiller::test::ScriptedMessageBoxes;
using quiller::test::TestEnv;
using quiller::test::WriteFile;

namespace {

// One start of the station with doubles for the configuration dialog and the main window.
struct Start {
    TestEnv env;
    ScriptedMessageBoxes boxes;
    std::optional<SettingsStore> settings;
    StationContext app;
    int dialogShown = 0;
    int mainWindowShown = 0;
    // What each showing of the dialog does (saves settings as its OK would); missing
    // entries close it with Cancel.
    QList<std::function<void()>> dialogActions;
    QString templateFolder = env.home() + "/program";

    ~Start() { app.DbConnection.reset(); } // keeps the shared connection name free
    // The settings a configured station has.
    void configure(const QString& more = "ScannerID=A\n") {
        env.writeSettings(QStringLiteral("[setup]\ndataPath=%1\nfilePath=%2\n")
                              .arg(env.imageFolder(), env.interchangeFolder()) +
                          more);
    }
    // A showing of the dialog that saves these keys; none: Cancel.
    void onDialog(const QList<QPair<const char*, QString>>& values = {}) {
        dialogActions << [this, values] {
            for (const auto& [key, value] : values) {
                settings->Write("setup", key, value);
                if (QByteArray(key) == "ScannerID")
                    app.ScannerID = value;
            }
        };
    }
    std::optional<int> run(bool another = false) {
        settings.emplace();
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
        return Main(app, *settings, h);
    }
};

} // namespace

class TstStartup : public QObject {
    Q_OBJECT
private slots:
    // An incomplete configuration asks whether to configure it now: Yes shows the dialog
    // again until it is complete, No ends the program before anything else runs.
    void incompleteDialogAsks() {
        for (const bool giveUp : {true, false}) {
            Start s;
            s.boxes.answer(MsgAnswer::Yes);
            s.boxes.answer(giveUp ? MsgAnswer::No : MsgAnswer::Yes);
            s.onDialog();
            s.onDialog({{"filePath", s.env.interchangeFolder()}});
            s.onDialog({{"dataPath", s.env.imageFolder()}, {"ScannerID", "B"}});
            QCOMPARE(s.run(), giveUp ? std::optional<int>(0) : std::nullopt);
            QCOMPARE(s.dialogShown, giveUp ? 2 : 3);
            QCOMPARE(s.boxes.texts(), QStringList(2, "The configuration must be done before using "
                                                     "this program. Configure it now?"));
            QCOMPARE(s.boxes.last().buttons, MsgButtons::YesNo);
            QCOMPARE(s.mainWindowShown, giveUp ? 0 : 1);
            QCOMPARE(QFile::exists(Database::PathIn(s.env.imageFolder())), !giveUp);
        }
    }

    // A server that cannot be reached: the operator tries again or ends; no database file
    // is made in the image folder.
    void unreachableServerAsksToTryAgain() {
        Start s;
        s.configure("ScannerID=A\n[database]\ndriver=postgresql\nname=quiller\nhost=" +
                    s.env.home() + "\n");
        s.boxes.answer(MsgAnswer::Yes);
        s.boxes.answer(MsgAnswer::No);
        QCOMPARE(s.run(), std::optional<int>(0));
        QCOMPARE(s.boxes.count(), 2);
        QVERIFY2(s.boxes.last().text.startsWith("The station cannot reach its database server"),
                 qPrintable(s.boxes.last().text));
        QCOMPARE(s.boxes.last().caption, QStringLiteral("Continue?"));
        QCOMPARE(s.boxes.last().buttons, MsgButtons::YesNo);
        QCOMPARE(s.mainWindowShown, 0);
        QVERIFY(!QFile::exists(Database::PathIn(s.env.imageFolder())));
    }

    // A damaged file (here empty, or no database) is never replaced by a new empty one:
    // the station names it and the newest good backup and offers to restore it (the
    // damaged file kept aside), or ends; the lock file is not touched meanwhile.
    void damagedDatabaseIsRestoredOrEnds_data() {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<bool>("backup");
        QTest::addColumn<bool>("restore");
        QTest::newRow("0 bytes, no backup") << "empty" << false << false;
        QTest::newRow("0 bytes, restored") << "empty" << true << true;
        QTest::newRow("not a database, not restored") << "junk" << true << false;
    }
    void damagedDatabaseIsRestoredOrEnds() {
        QFETCH(QString, damage);
        QFETCH(bool, backup);
        QFETCH(bool, restore);
        Start s;
        s.configure();
        const QString file = Database::PathIn(s.env.imageFolder());
        {
            Database db("before");
            db.Open(s.env.imageFolder());
            for (int i = 0; i < 300; ++i)
                db.UpsertPrescription({QString::number(i), "01", "03/07/2006",
                                       QString(30, QChar('D')), "F", "L", QString()});
            if (backup)
                DatabaseCare::BackUpIfDue(db.Connection(), s.env.imageFolder(),
                                          QDate::currentDate().addDays(-1));
        }
        const QByteArray bytes = damage == "empty" ? QByteArray() : QByteArray(4096, '\x5a');
        WriteFile(file, bytes);
        WriteFile(s.env.interchangeFolder() + "/AQLVLock.xs4", "Locked\r\n");
        s.boxes.answer(restore ? MsgAnswer::Yes : MsgAnswer::No);
        QCOMPARE(s.run(), restore ? std::nullopt : std::optional<int>(1));
        QCOMPARE(s.boxes.count(), 1);
        const QString text = s.boxes.last().text;
        QVERIFY2(text.contains(QDir::toNativeSeparators(file)) && text.contains("damaged") &&
                     text.contains("Backups"),
                 qPrintable(text));
        QCOMPARE(s.boxes.last().icon, backup ? MsgIcon::Question : MsgIcon::Critical);
        if (backup) {
            QVERIFY2(text.contains(DatabaseCare::BackupName(QDate::currentDate().addDays(-1))),
                     qPrintable(text));
            QCOMPARE(s.boxes.last().defaultButton, MsgAnswer::No);
        }
        const QStringList aside =
            QDir(s.env.imageFolder()).entryList({"Marrowby.mdb.damaged-*"}, QDir::Files);
        if (!restore) {
            QCOMPARE(s.mainWindowShown, 0);
            QCOMPARE(ReadFile(file), bytes);
            QVERIFY(aside.isEmpty());
            QVERIFY(QFile::exists(s.env.interchangeFolder() + "/AQLVLock.xs4"));
            return;
        }
        QCOMPARE(s.mainWindowShown, 1);
        QCOMPARE(aside.size(), 1);
        QCOMPARE(ReadFile(s.env.imageFolder() + "/" + aside[0]), bytes);
        QSqlQuery q(s.app.DbConnection->Connection());
        QVERIFY(q.exec("SELECT count(*) FROM RxImages") && q.next());
        QCOMPARE(q.value(0).toInt(), 300);
        // The restored database records the restore: the backup and the kept file.
        const QList<AuditRow> audit =
            AuditTrail::Read(s.app.DbConnection->Connection(), {}, {}, {});
        QCOMPARE(audit.size(), 1);
        QCOMPARE(audit[0].action + " " + audit[0].outcome, QStringLiteral("restore backup done"));
        QCOMPARE(audit[0].detail, "backup " +
                                      DatabaseCare::BackupName(QDate::currentDate().addDays(-1)) +
                                      "; the damaged file kept as " + aside[0]);
    }

    // A daily backup that fails is shown to the operator, once a day.
    void failedBackupIsShownOnceADay() {
        Start s;
        s.configure();
        Database::EnsureFile(s.env.imageFolder(), QString());
        {
            Database db("before");
            db.Open(s.env.imageFolder());
            db.UpsertPrescription({"1", "01", "03/07/2006", "D", "F", "L", QString()});
        }
        WriteFile(s.env.imageFolder() + "/Backups", "a file where the folder belongs");
        QCOMPARE(s.run(), std::nullopt);
        QCOMPARE(s.boxes.count(), 1);
        QVERIFY2(s.boxes.last().text.contains("backup") &&
                     s.boxes.last().text.contains(QDir::toNativeSeparators(s.env.imageFolder())),
                 qPrintable(s.boxes.last().text));
        QCOMPARE(BackUpDaily(s.app, QDate::currentDate()), QString());
        QVERIFY(!BackUpDaily(s.app, QDate::currentDate().addDays(1)).isEmpty());
    }

    void scannerSourceCopiedIntoSetting_data() {
        QTest::addColumn<QString>("rows"); // SQL values inserted into Configuration
        QTest::addColumn<QString>("expected");
        auto row = [](const char* name, const char* rows, const char* expected) {
            QTest::newRow(name) << QString(rows) << QString(expected);
        };
        row("no row leaves it", "", "1");
        row("empty leaves it", "('')", "1");
        row("zero copied", "(0)", "0");
    }
    void scannerSourceCopiedIntoSetting() {
        QFETCH(QString, rows);
        QFETCH(QString, expected);
        Start s;
        s.configure("ScannerID=A\nscanner=1\n");
        QDir().mkpath(s.templateFolder);
        {
            Database templ("template");
            templ.OpenFile(s.templateFolder + "/Marrowby.mdb");
            if (!rows.isEmpty())
                QVERIFY(
                    QSqlQuery(templ.Connection()).exec("INSERT INTO Configuration VALUES " + rows));
        }
        QCOMPARE(s.run(), std::nullopt);
        QCOMPARE(s.settings->Read("setup", "Scanner"), expected);
        // One value in the file, whatever spelling it had.
        QCOMPARE(QString(ReadFile(s.env.configFile())).count("scanner=", Qt::CaseInsensitive), 1);
    }

    // Start-up removes this station's lock file (even read-only) and, without a station
    // letter, the plain one; never another station's. Without a letter the dialog comes
    // at every start.
    void onlyThisStationsLockFileIsDeleted_data() {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QStringList>("kept");
        QTest::newRow("station A") << "A" << QStringList{"BQLVLock.xs4", "QLVLock.xs4"};
        QTest::newRow("no letter") << "" << QStringList{"AQLVLock.xs4", "BQLVLock.xs4"};
    }
    void onlyThisStationsLockFileIsDeleted() {
        QFETCH(QString, id);
        QFETCH(QStringList, kept);
        Start s;
        s.configure(id.isEmpty() ? QString() : "ScannerID=" + id + "\n");
        const QString folder = s.env.interchangeFolder() + "/";
        for (int start = 1; start <= 2; ++start) {
            for (const char* f : {"AQLVLock.xs4", "BQLVLock.xs4", "QLVLock.xs4"})
                if (!QFile::exists(folder + f)) // the read-only one may be kept
                    WriteFile(folder + f, "Locked\r\n");
            QFile(folder + "AQLVLock.xs4").setPermissions(QFile::ReadOwner);
            s.app.DbConnection.reset();
            QCOMPARE(s.run(), std::nullopt); // the dialog, if shown, is cancelled
            QCOMPARE(s.dialogShown, id.isEmpty() ? start : 0);
            QCOMPARE(s.mainWindowShown, start);
            QCOMPARE(QDir(folder).entryList({"*.xs4"}, QDir::Files, QDir::Name), kept);
        }
        QCOMPARE(s.boxes.count(), 0);
    }

    // An identifier that is not one letter or digit is named in a message, and the
    // station is configured as one without a letter: it takes no data file.
    void hostileStationIdIsRefused_data() {
        QTest::addColumn<QString>("id");
        QTest::newRow("pattern") << "*";
        QTest::newRow("long") << QString(500, QLatin1Char('Z'));
    }
    void hostileStationIdIsRefused() {
        QFETCH(QString, id);
        Start s;
        s.configure("ScannerID=" + id + "\n");
        QCOMPARE(s.run(), std::nullopt);
        QCOMPARE(s.boxes.count(), 1);
        QVERIFY(s.boxes.last().text.contains("must be one letter or digit"));
        QVERIFY(s.boxes.last().text.size() < 400);
        QCOMPARE(s.dialogShown, 1);
        QCOMPARE(s.app.ScannerID, QString());
    }

    void secondCopyEndsAtOnceDoingNothing() {
        Start s;
        s.configure();
        WriteFile(s.env.interchangeFolder() + "/AQLVLock.xs4", "Locked\r\n");
        const QByteArray settingsBefore = ReadFile(s.env.configFile());
        QCOMPARE(s.run(/*another=*/true), std::optional<int>(0));
        QCOMPARE(s.dialogShown + s.mainWindowShown + s.boxes.count(), 0);
        QVERIFY(!s.app.DbConnection);
        QVERIFY(!QFile::exists(s.env.imageFolder() + "/Marrowby.mdb"));
        QVERIFY(QFile::exists(s.env.interchangeFolder() + "/AQLVLock.xs4"));
        QCOMPARE(ReadFile(s.env.configFile()), settingsBefore);
    }

    void errorReportShowsFourLines() {
        ScriptedMessageBoxes boxes;
        ReportError(
            QuillerError(5, "database is locked (100%1 busy)", "Database.BeginTransaction", 11),
            "Timer1_Timer of frmScan");
        QCOMPARE(boxes.texts(), QStringList{"Error Number: \t5\r\n"
                                            "Description: \tdatabase is locked (100%1 busy)\r\n"
                                            "Error Source: \tDatabase.BeginTransaction\r\n"
                                            "Last DLL Error: \t11"});
    }
};

QTEST_GUILESS_MAIN(TstStartup)
#include "tst_startup.moc"
