#include "base/Error.h"
#include "common/TestEnv.h"
#include "settings/SettingsStore.h"

#include <QFile>
#include <QRegularExpression>
#include <QtTest>

using namespace quiller;
using quiller::test::ReadFile;
using quiller::test::TestEnv;

namespace {
// The lines of the settings file that set `key` (any spelling), as written.
QStringList LinesFor(const QString& file, const QString& key) {
    const QString text = QString::fromUtf8(ReadFile(file));
    QStringList out;
    const QRegularExpression re(QStringLiteral("^\\s*") + QRegularExpression::escape(key) +
                                    QStringLiteral("\\s*="),
                                QRegularExpression::CaseInsensitiveOption);
    for (const QString& line : text.split(QLatin1Char('\n')))
        if (re.match(line).hasMatch())
            out << line.trimmed();
    return out;
}
} // namespace

class TestSettingsStore : public QObject {
    Q_OBJECT
private slots:
    void keysMatchWithoutCase_data();
    void keysMatchWithoutCase();
    void writeReplacesOtherSpelling();
    void emptyReadsAsMissing_data();
    void emptyReadsAsMissing();
    void firstStartGivesEmptySetupAndPlacementDefaults();
    void userStoreIsTheConfFileWithBothGroups();
    void administratorFileIsReadLiterally();
    void valuesSurviveWriteAndRead_data();
    void valuesSurviveWriteAndRead();
    void aValueOfSeveralLinesIsRefused();
};

void TestSettingsStore::keysMatchWithoutCase_data() {
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("read");
    QTest::newRow("dialog writes scanner, start-up reads Scanner") << "scanner"
                                                                   << "Scanner";
    QTest::newRow("start-up writes Scanner, dialog reads scanner") << "Scanner"
                                                                   << "scanner";
    QTest::newRow("upper case") << "DATAPATH"
                                << "dataPath";
}

void TestSettingsStore::keysMatchWithoutCase() {
    QFETCH(QString, written);
    QFETCH(QString, read);
    TestEnv env;
    SettingsStore store;
    store.Write(SettingsStore::Setup(), written, QStringLiteral("2"));
    QCOMPARE(store.Read(SettingsStore::Setup(), read), QStringLiteral("2"));
    // A second store on the same file (another window) sees the same value.
    SettingsStore other;
    QCOMPARE(other.Read(SettingsStore::Setup(), read), QStringLiteral("2"));
}

void TestSettingsStore::writeReplacesOtherSpelling() {
    TestEnv env;
    SettingsStore store;
    store.Write(SettingsStore::Setup(), QStringLiteral("scanner"), QStringLiteral("1"));
    store.Write(SettingsStore::Setup(), QStringLiteral("Scanner"), QStringLiteral("3"));
    QCOMPARE(LinesFor(env.configFile(), QStringLiteral("scanner")),
             QStringList{QStringLiteral("Scanner=3")});
    store.Write(SettingsStore::Setup(), QStringLiteral("SCANNER"), QStringLiteral("0"));
    QCOMPARE(LinesFor(env.configFile(), QStringLiteral("scanner")),
             QStringList{QStringLiteral("SCANNER=0")});
    QCOMPARE(store.Read(SettingsStore::Setup(), QStringLiteral("Scanner")), QStringLiteral("0"));
}

void TestSettingsStore::emptyReadsAsMissing_data() {
    QTest::addColumn<QString>("ini");
    QTest::addColumn<QString>("defaultValue");
    QTest::addColumn<QString>("expected");
    QTest::newRow("missing, no default") << "[setup]\nother=1\n" << QString() << QString();
    QTest::newRow("empty, no default") << "[setup]\nfilePath=\n" << QString() << QString();
    QTest::newRow("empty quotes, no default") << "[setup]\nfilePath=\"\"\n"
                                              << QString() << QString();
    QTest::newRow("missing, default") << "[setup]\n"
                                      << "1000"
                                      << "1000";
    QTest::newRow("empty, default") << "[setup]\nfilePath=\n"
                                    << "1000"
                                    << "1000";
    QTest::newRow("set, default") << "[setup]\nfilePath=/x\n"
                                  << "1000"
                                  << "/x";
}

void TestSettingsStore::emptyReadsAsMissing() {
    QFETCH(QString, ini);
    QFETCH(QString, defaultValue);
    QFETCH(QString, expected);
    TestEnv env;
    env.writeSettings(ini);
    SettingsStore store;
    QCOMPARE(store.Read(SettingsStore::Setup(), QStringLiteral("filePath"), defaultValue),
             expected);
}

void TestSettingsStore::firstStartGivesEmptySetupAndPlacementDefaults() {
    TestEnv env;
    SettingsStore store;
    for (const char* key :
         {"dataPath", "filePath", "ScannerID", "Scanner", "picWidth", "picHeight"})
        QVERIFY2(store.Read(SettingsStore::Setup(), QString::fromLatin1(key)).isEmpty(), key);
    const QList<QPair<QString, QString>> placement = {
        {"MainLeft", "1000"}, {"MainTop", "1000"}, {"MainWidth", "6500"}, {"MainHeight", "6500"}};
    for (const auto& [key, def] : placement)
        QCOMPARE(store.Read(SettingsStore::Placement(), key, def), def);
    // Reading writes nothing.
    QVERIFY(!QFile::exists(env.configFile()));
}

void TestSettingsStore::userStoreIsTheConfFileWithBothGroups() {
    TestEnv env;
    SettingsStore store;
    QCOMPARE(store.Location(), env.configFile());
    store.Write(SettingsStore::Setup(), QStringLiteral("dataPath"), QStringLiteral("/srv/images"));
    store.Write(SettingsStore::Placement(), QStringLiteral("MainLeft"), QStringLiteral("1440"));
    const QString text = QString::fromUtf8(ReadFile(env.configFile()));
    QVERIFY2(text.contains(QStringLiteral("[setup]\ndataPath=/srv/images\n")), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("[Settings]\nMainLeft=1440\n")), qPrintable(text));
}

void TestSettingsStore::administratorFileIsReadLiterally() {
    TestEnv env;
    // As an administrator would write it: other case, blanks around '=', comments,
    // CR LF, a byte-order mark, backslashes and a comma in paths.
    env.writeSettings(QString()); // creates the folder
    quiller::test::WriteFile(env.configFile(), QByteArray("\xEF\xBB\xBF; station 3\r\n"
                                                          "[Setup]\r\n"
                                                          "DataPath = C:\\ORB5\\Quiller Images\r\n"
                                                          "filepath=/srv/Smith, Jones/Rx files\r\n"
                                                          "# the station letter\r\n"
                                                          "scannerid=B\r\n"
                                                          "\r\n"
                                                          "[Settings]\r\n"
                                                          "MainLeft=\"1440\"\r\n"));

    SettingsStore store;
    QCOMPARE(store.Read(SettingsStore::Setup(), QStringLiteral("dataPath")),
             QStringLiteral("C:\\ORB5\\Quiller Images"));
    QCOMPARE(store.Read(SettingsStore::Setup(), QStringLiteral("filePath")),
             QStringLiteral("/srv/Smith, Jones/Rx files"));
    QCOMPARE(store.Read(SettingsStore::Setup(), QStringLiteral("ScannerID")), QStringLiteral("B"));
    QCOMPARE(store.Read(SettingsStore::Placement(), QStringLiteral("MainLeft"), "1000"),
             QStringLiteral("1440"));
    QCOMPARE(store.Read(SettingsStore::Placement(), QStringLiteral("MainTop"), "1000"),
             QStringLiteral("1000"));

    // A write keeps the administrator's values and leaves one spelling of the key.
    store.Write(SettingsStore::Setup(), QStringLiteral("ScannerID"), QStringLiteral("C"));
    QCOMPARE(LinesFor(env.configFile(), QStringLiteral("ScannerID")),
             QStringList{QStringLiteral("ScannerID=C")});
    SettingsStore again;
    QCOMPARE(again.Read(SettingsStore::Setup(), QStringLiteral("dataPath")),
             QStringLiteral("C:\\ORB5\\Quiller Images"));
    QCOMPARE(again.Read(SettingsStore::Setup(), QStringLiteral("scannerID")), QStringLiteral("C"));
}

void TestSettingsStore::valuesSurviveWriteAndRead_data() {
    QTest::addColumn<QString>("value");
    QTest::newRow("comma") << "/srv/a,b";
    QTest::newRow("backslashes") << "C:\\ORB5\\Quiller Images";
    QTest::newRow("blanks at the ends") << "  padded  ";
    QTest::newRow("quotes") << "\"quoted\"";
    QTest::newRow("semicolon and hash") << "a;b#c";
    QTest::newRow("accents") << "/srv/Pharmacie Hélène";
    QTest::newRow("number") << "1440.5";
}

void TestSettingsStore::valuesSurviveWriteAndRead() {
    QFETCH(QString, value);
    TestEnv env;
    {
        SettingsStore store;
        store.Write(SettingsStore::Setup(), QStringLiteral("filePath"), value);
    }
    SettingsStore store(env.configFile());
    QCOMPARE(store.Read(SettingsStore::Setup(), QStringLiteral("filePath")), value);
}

void TestSettingsStore::aValueOfSeveralLinesIsRefused() {
    TestEnv env;
    SettingsStore store;
    store.Write(SettingsStore::Setup(), QStringLiteral("dataPath"), QStringLiteral("/kept"));
    QVERIFY_THROWS_EXCEPTION(QuillerError,
                             store.Write(SettingsStore::Setup(), QStringLiteral("filePath"),
                                         QStringLiteral("/a\n[setup]\ndataPath=/b")));
    // The store is not left unusable by the refused value.
    store.Write(SettingsStore::Setup(), QStringLiteral("filePath"), QStringLiteral("/files"));
    SettingsStore again(env.configFile());
    QCOMPARE(again.Read(SettingsStore::Setup(), QStringLiteral("dataPath")),
             QStringLiteral("/kept"));
    QCOMPARE(again.Read(SettingsStore::Setup(), QStringLiteral("filePath")),
             QStringLiteral("/files"));
}

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
