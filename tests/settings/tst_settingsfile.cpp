#include "common/TestEnv.h"
#include "settings/SettingsStore.h"

#include <QDir>
#include <QtTest>

using namespace quiller;
using quiller::test::ReadFile;
using quiller::test::TestEnv;
using quiller::test::WriteFile;

// The settings file as an administrator keeps it.
class TestSettingsFile : public QObject {
    Q_OBJECT
private slots:
    void commentsAndUnknownKeysSurviveWrites() {
        TestEnv env;
        env.writeSettings("# Station 3, front counter\n"
                          "[setup]\n"
                          "; images on the second disk\n"
                          "dataPath=/srv/old\n"
                          "Calvora.Version=7.2\n"
                          "\n"
                          "[Lab]\n"
                          "Printer=back office\n");
        SettingsStore store;
        store.Write(SettingsStore::Setup(), "DATAPATH", "/srv/images");
        store.Write(SettingsStore::Setup(), "ScannerID", "C");
        store.Write(SettingsStore::Placement(), "MainLeft", "1440");
        QCOMPARE(QString::fromUtf8(ReadFile(env.configFile())),
                 QStringLiteral("# Station 3, front counter\n"
                                "[setup]\n"
                                "; images on the second disk\n"
                                "DATAPATH=/srv/images\n"
                                "Calvora.Version=7.2\n"
                                "ScannerID=C\n"
                                "\n"
                                "[Lab]\n"
                                "Printer=back office\n"
                                "\n"
                                "[Settings]\n"
                                "MainLeft=1440\n"));
        QCOMPARE(store.Read(SettingsStore::Setup(), "dataPath"), QStringLiteral("/srv/images"));
    }

    // Writing the value already stored leaves the file exactly as it is.
    void unchangedValueIsNotWritten_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("rewritten");
        QTest::newRow("same") << "1440" << false;
        QTest::newRow("changed") << "1500" << true;
    }
    void unchangedValueIsNotWritten() {
        QFETCH(QString, value);
        QFETCH(bool, rewritten);
        TestEnv env;
        const QByteArray before = "[Settings]\r\nMainLeft=1440\r\n";
        env.writeSettings(QString::fromLatin1(before));
        SettingsStore().Write(SettingsStore::Placement(), "MainLeft", value);
        QCOMPARE(ReadFile(env.configFile()) != before, rewritten);
        QCOMPARE(SettingsStore().Read(SettingsStore::Placement(), "MainLeft"), value);
    }

    // The machine's file pre-configures; the user's value wins; only the user's file
    // is written.
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
        QCOMPARE(store.Read(SettingsStore::Setup(), "dataPath"), QStringLiteral("/srv/pharmacy"));
        QCOMPARE(store.Read(SettingsStore::Setup(), "ScannerID"), QStringLiteral("U"));
        QCOMPARE(store.Read(SettingsStore::Setup(), "filePath", "none"), QStringLiteral("none"));
        store.Write(SettingsStore::Setup(), "dataPath", "/home/images");
        QCOMPARE(store.Read(SettingsStore::Setup(), "dataPath"), QStringLiteral("/home/images"));
        QCOMPARE(ReadFile(env.home() + "/etc-xdg/Quiller/Quiller.conf"), system);
    }

    void chosenFileReplacesTheUsersFile() {
        TestEnv env;
        const QString kiosk = env.home() + "/kiosk/station.conf";
        SettingsStore::UseFile(kiosk);
        auto restore = qScopeGuard([] { SettingsStore::UseFile(QString()); });
        SettingsStore().Write(SettingsStore::Setup(), "ScannerID", "K");
        QCOMPARE(SettingsStore().Location(), kiosk);
        QCOMPARE(ReadFile(kiosk), QByteArray("[setup]\nScannerID=K\n"));
        QVERIFY(!QFile::exists(env.configFile()));
    }
};

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
