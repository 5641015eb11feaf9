#include "base/Error.h"
#include "common/TestEnv.h"
#include "settings/SettingsStore.h"
#include "settings/StationSettings.h"

#include <QtTest>

using namespace quiller;
using quiller::test::ReadFile;
using quiller::test::TestEnv;
using quiller::test::WriteFile;

namespace {
const auto Setup = SettingsStore::Setup;
const auto Placement = SettingsStore::Placement;
} // namespace

class TstSettingsStore : public QObject {
    Q_OBJECT
private slots:
    void emptyReadsAsMissing_data() {
        QTest::addColumn<QString>("ini");
        QTest::addColumn<QString>("expected");
        auto row = [](const char* name, const char* ini, const char* expected) {
            QTest::newRow(name) << QString(ini) << QString(expected);
        };
        row("no file", nullptr, "dflt");
        row("missing", "[setup]\nother=1\n", "dflt");
        row("empty", "[setup]\nfilePath=\n", "dflt");
        row("empty quotes", "[setup]\nfilePath=\"\"\n", "dflt");
        row("set", "[setup]\nfilePath=/x\n", "/x");
    }
    void emptyReadsAsMissing() {
        QFETCH(QString, ini);
        QFETCH(QString, expected);
        TestEnv env;
        if (!ini.isNull())
            env.writeSettings(ini);
        QCOMPARE(SettingsStore().Read(Setup(), "filePath", "dflt"), expected);
        QCOMPARE(SettingsStore().Read(Setup(), "filePath").isEmpty(), expected == "dflt");
        QCOMPARE(QFile::exists(env.configFile()), !ini.isNull()); // reading writes nothing
    }

    // As an administrator writes it: other case, blanks around '=', comments, CR LF, a
    // byte-order mark, backslashes and a comma in paths. A key written in another
    // spelling replaces the one in the file.
    void administratorFileIsReadLiterally() {
        TestEnv env;
        env.writeSettings(QString()); // creates the folder
        WriteFile(env.configFile(), "\xEF\xBB\xBF; station 3\r\n[Setup]\r\n"
                                    "DataPath = C:\\ORB5\\Quiller Images\r\n"
                                    "filepath=/srv/Smith, Jones/Rx files\r\n"
                                    "# the station letter\r\nscannerid=B\r\n\r\n"
                                    "[Settings]\r\nMainLeft=\"1440\"\r\n");
        SettingsStore store;
        QCOMPARE(store.Read(Setup(), "dataPath"), QStringLiteral("C:\\ORB5\\Quiller Images"));
        QCOMPARE(store.Read(Setup(), "filePath"), QStringLiteral("/srv/Smith, Jones/Rx files"));
        QCOMPARE(store.Read(Placement(), "MainLeft", "1000"), QStringLiteral("1440"));
        store.Write(Setup(), "ScannerID", "C");
        const QString text = QString::fromUtf8(ReadFile(env.configFile()));
        QCOMPARE(text.count("scannerid", Qt::CaseInsensitive), 1);
        SettingsStore again;
        QCOMPARE(again.Read(Setup(), "dataPath"), QStringLiteral("C:\\ORB5\\Quiller Images"));
        QCOMPARE(again.Read(Setup(), "scannerID"), QStringLiteral("C"));
    }

    void valuesSurviveWriteAndRead_data() {
        QTest::addColumn<QString>("value");
        QTest::newRow("comma, backslash") << "C:\\a,b";
        QTest::newRow("blanks at the ends") << "  padded  ";
        QTest::newRow("quotes") << "\"quoted\"";
        QTest::newRow("semicolon and hash") << "a;b#c";
        QTest::newRow("accents") << "/srv/Pharmacie Hélène";
    }
    void valuesSurviveWriteAndRead() {
        QFETCH(QString, value);
        TestEnv env;
        SettingsStore().Write(Setup(), "filePath", value);
        QCOMPARE(SettingsStore(env.configFile()).Read(Setup(), "filePath"), value);
    }

    void aValueOfSeveralLinesIsRefused() {
        TestEnv env;
        SettingsStore store;
        store.Write(Setup(), "dataPath", "/kept");
        QVERIFY_THROWS_EXCEPTION(QuillerError,
                                 store.Write(Setup(), "filePath", "/a\n[setup]\ndataPath=/b"));
        store.Write(Setup(), "filePath", "/files"); // the store stays usable
        QCOMPARE(ReadFile(env.configFile()),
                 QByteArray("[setup]\ndataPath=/kept\nfilePath=/files\n"));
    }

    void commentsAndUnknownKeysSurviveWrites() {
        TestEnv env;
        env.writeSettings("# Station 3, front counter\n[setup]\n; images on the second disk\n"
                          "dataPath=/srv/old\nCalvora.Version=7.2\n\n[Lab]\nPrinter=back office\n");
        SettingsStore store;
        store.Write(Setup(), "DATAPATH", "/srv/images");
        store.Write(Setup(), "ScannerID", "C");
        store.Write(Placement(), "MainLeft", "1440");
        QCOMPARE(QString::fromUtf8(ReadFile(env.configFile())),
                 QStringLiteral("# Station 3, front counter\n[setup]\n; images on the second disk\n"
                                "DATAPATH=/srv/images\nCalvora.Version=7.2\nScannerID=C\n\n"
                                "[Lab]\nPrinter=back office\n\n[Settings]\nMainLeft=1440\n"));
    }

    // Writing the value already stored leaves the file exactly as it is.
    void unchangedValueIsNotWritten() {
        TestEnv env;
        const QByteArray before = "[Settings]\r\nMainLeft=1440\r\n";
        for (const QString value : {"1440", "1500"}) {
            env.writeSettings(QString::fromLatin1(before));
            SettingsStore().Write(Placement(), "MainLeft", value);
            QCOMPARE(ReadFile(env.configFile()) != before, value != "1440");
            QCOMPARE(SettingsStore().Read(Placement(), "MainLeft"), value);
        }
    }

    // The machine's file pre-configures; the user's value wins; only the user's file is written.
    void systemWideFileGivesDefaults() {
        TestEnv env;
        const QByteArray oldDirs = qgetenv("XDG_CONFIG_DIRS");
        auto restore = qScopeGuard([&] { qputenv("XDG_CONFIG_DIRS", oldDirs); });
        qputenv("XDG_CONFIG_DIRS", QFile::encodeName(env.home() + "/etc-xdg"));
        QDir().mkpath(env.home() + "/etc-xdg/Quiller");
        const QByteArray system = "[setup]\ndataPath=/srv/pharmacy\nScannerID=S\n";
        WriteFile(env.home() + "/etc-xdg/Quiller/Quiller.conf", system);
        env.writeSettings("[setup]\nScannerID=U\ndataPath=\n");
        SettingsStore store;
        QCOMPARE(store.Read(Setup(), "dataPath"), QStringLiteral("/srv/pharmacy"));
        QCOMPARE(store.Read(Setup(), "ScannerID"), QStringLiteral("U"));
        store.Write(Setup(), "dataPath", "/home/images");
        QCOMPARE(store.Read(Setup(), "dataPath"), QStringLiteral("/home/images"));
        QCOMPARE(ReadFile(env.home() + "/etc-xdg/Quiller/Quiller.conf"), system);
    }

    void chosenFileReplacesTheUsersFile() {
        TestEnv env;
        const QString kiosk = env.home() + "/kiosk/station.conf";
        SettingsStore::UseFile(kiosk);
        auto restore = qScopeGuard([] { SettingsStore::UseFile(QString()); });
        SettingsStore().Write(Setup(), "ScannerID", "K");
        QCOMPARE(SettingsStore().Location(), kiosk);
        QCOMPARE(ReadFile(kiosk), QByteArray("[setup]\nScannerID=K\n"));
        QVERIFY(!QFile::exists(env.configFile()));
    }

    // Typed values as an administrator may write them: a value that does not parse, or
    // lies outside its range, reads as its default.
    void typedValuesAndTheirDefaults_data() {
        QTest::addColumn<QString>("ini");
        QTest::addColumn<QString>("typed"); // paper wait, scanner position, audit years
        auto row = [](const char* name, const char* ini, const char* typed) {
            QTest::newRow(name) << QString(ini) << QString(typed);
        };
        row("nothing set", "", "- - 7 unchosen");
        row("set", "[setup]\nPaperWaitMinutes= 3 \nScanner=2\n[audit]\nKeepYears=12\n",
            "3 2 12 chosen");
        row("not numbers", "[setup]\nPaperWaitMinutes=ten\nScanner=first\n[audit]\nKeepYears=x\n",
            "- - 7 chosen");
        row("out of range", "[setup]\nPaperWaitMinutes=0\nScanner=-1\n[audit]\nKeepYears=0\n",
            "- - 7 chosen");
        row("too large", "[setup]\nPaperWaitMinutes=1441\n[audit]\nKeepYears=500\n",
            "1441 - 100 unchosen");
        row("device only", "[setup]\nScannerDevice=net:host:dev\n", "- - 7 chosen");
    }
    void typedValuesAndTheirDefaults() {
        QFETCH(QString, ini);
        QFETCH(QString, typed);
        TestEnv env;
        env.writeSettings(ini);
        const StationSettings settings;
        auto text = [](std::optional<int> v) {
            return v ? QString::number(*v) : QString("-");
        };
        QCOMPARE(QStringList({text(settings.PaperWaitMinutes()), text(settings.ScannerPosition()),
                              QString::number(settings.AuditKeepYears()),
                              settings.ScannerChosen() ? "chosen" : "unchosen"})
                     .join(' '),
                 typed);
    }
};

QTEST_GUILESS_MAIN(TstSettingsStore)
#include "tst_settingsstore.moc"
