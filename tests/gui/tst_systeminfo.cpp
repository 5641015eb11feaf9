#include "common/ScriptedMessageBoxes.h"
#include "gui/help/SystemInfo.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace quiller;

namespace {

// Makes `dir/name`; executable unless told otherwise.
void MakeProgram(const QString& dir, const QString& name, bool executable = true) {
    QFile f(dir + QLatin1Char('/') + name);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("#!/bin/sh\nexit 0\n");
    f.close();
    QFileDevice::Permissions p = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    if (executable)
        p |= QFileDevice::ExeOwner;
    QVERIFY(f.setPermissions(p));
}

// A tool that never starts a real program: records what it was asked to start.
struct RecordingStarter {
    QStringList started;
    bool succeed = true;
    SystemInfoTool::Starter fn() {
        return [this](const QString& program) {
            started << program;
            return succeed;
        };
    }
};

} // namespace

class tst_SystemInfo : public QObject {
    Q_OBJECT
private slots:
    void nothingOnEmptySearchPathShowsMessage();
    void findsFakeProgramOnSearchPath();
    void searchPathRules_data();
    void searchPathRules();
    void failedStartShowsMessage();
    void registryLookup_data();
    void registryLookup();
    void environmentSearchPathSplitsPath();
};

void tst_SystemInfo::nothingOnEmptySearchPathShowsMessage() {
    test::ScriptedMessageBoxes boxes;
    RecordingStarter starter;
    SystemInfoTool tool;
    tool.SetUseRegistry(false);
    tool.SetSearchPath({});
    tool.SetStarter(starter.fn());

    QVERIFY(!tool.Locate().has_value());
    QVERIFY(!tool.Start());
    QVERIFY(starter.started.isEmpty());
    QCOMPARE(boxes.count(), 1);
    QCOMPARE(boxes.last().text, QStringLiteral("System Information Is Unavailable At This Time"));
    QCOMPARE(boxes.last().buttons, MsgButtons::Ok);
    QCOMPARE(boxes.last().caption, AppTitle());
}

void tst_SystemInfo::findsFakeProgramOnSearchPath() {
    test::ScriptedMessageBoxes boxes;
    QTemporaryDir empty, bin;
    MakeProgram(bin.path(), SystemInfoTool::KnownPrograms().constLast());
    RecordingStarter starter;
    SystemInfoTool tool;
    tool.SetUseRegistry(false);
    tool.SetSearchPath({empty.path(), bin.path()});
    tool.SetStarter(starter.fn());

    const QString expected =
        bin.path() + QLatin1Char('/') + SystemInfoTool::KnownPrograms().constLast();
    QCOMPARE(tool.Locate().value_or(QString()), expected);
    QVERIFY(tool.Start());
    QCOMPARE(starter.started, QStringList{expected});
    QCOMPARE(boxes.count(), 0);
}

// Each row: programs to create as "dirIndex:name[:noexec|:dir]", the search path as dir
// indexes ("rel" for a relative entry), and the expected "dirIndex:name" or "" for none.
void tst_SystemInfo::searchPathRules_data() {
    QTest::addColumn<QStringList>("make");
    QTest::addColumn<QStringList>("path");
    QTest::addColumn<QString>("expected");

    const QStringList known = SystemInfoTool::KnownPrograms();
    QVERIFY(known.size() >= 2);
    const QString first = known.at(0), second = known.at(1);

    QTest::newRow("earlier program wins over earlier directory")
        << QStringList{"0:" + second, "1:" + first} << QStringList{"0", "1"} << "1:" + first;
    QTest::newRow("same program: first directory wins")
        << QStringList{"0:" + first, "1:" + first} << QStringList{"1", "0"} << "1:" + first;
    QTest::newRow("not executable is skipped")
        << QStringList{"0:" + first + ":noexec", "1:" + second} << QStringList{"0", "1"}
        << "1:" + second;
    QTest::newRow("a directory of that name is skipped")
        << QStringList{"0:" + first + ":dir"} << QStringList{"0"} << QString();
    QTest::newRow("unknown programs are not used")
        << QStringList{"0:xterm", "0:sysinfo"} << QStringList{"0"} << QString();
    QTest::newRow("directory not on the search path")
        << QStringList{"1:" + first} << QStringList{"0"} << QString();
    QTest::newRow("relative entry is ignored")
        << QStringList{"0:" + first} << QStringList{"rel"} << QString();
}

void tst_SystemInfo::searchPathRules() {
    QFETCH(QStringList, make);
    QFETCH(QStringList, path);
    QFETCH(QString, expected);

    QTemporaryDir dirs[2];
    const QString oldCurrent = QDir::currentPath();
    auto restoreCurrent = qScopeGuard([&] { QDir::setCurrent(oldCurrent); });
    for (const QString& m : make) {
        const QStringList parts = m.split(QLatin1Char(':'));
        const QString dir = dirs[parts.at(0).toInt()].path();
        const QString kind = parts.value(2);
        if (kind == QLatin1String("dir"))
            QVERIFY(QDir(dir).mkdir(parts.at(1)));
        else
            MakeProgram(dir, parts.at(1), kind != QLatin1String("noexec"));
    }
    QStringList searchPath;
    for (const QString& p : path) {
        if (p == QLatin1String("rel")) {
            // The relative name of the first directory, seen from its parent folder.
            QVERIFY(QDir::setCurrent(QFileInfo(dirs[0].path()).path()));
            searchPath << QFileInfo(dirs[0].path()).fileName();
        } else {
            searchPath << dirs[p.toInt()].path();
        }
    }

    SystemInfoTool tool;
    tool.SetUseRegistry(false);
    tool.SetSearchPath(searchPath);
    const std::optional<QString> found = tool.Locate();
    if (expected.isEmpty()) {
        QVERIFY2(!found.has_value(), qPrintable(found.value_or(QString())));
    } else {
        const QStringList e = expected.split(QLatin1Char(':'));
        QCOMPARE(found.value_or(QString()),
                 dirs[e.at(0).toInt()].path() + QLatin1Char('/') + e.at(1));
    }
}

void tst_SystemInfo::failedStartShowsMessage() {
    test::ScriptedMessageBoxes boxes;
    QTemporaryDir bin;
    MakeProgram(bin.path(), SystemInfoTool::KnownPrograms().constFirst());
    RecordingStarter starter;
    starter.succeed = false;
    SystemInfoTool tool;
    tool.SetUseRegistry(false);
    tool.SetSearchPath({bin.path()});
    tool.SetStarter(starter.fn());

    QVERIFY(!tool.Start());
    QCOMPARE(starter.started.size(), 1);
    QCOMPARE(boxes.texts(), QStringList{"System Information Is Unavailable At This Time"});
}

// Registry contents as "key|value=data" entries; files that exist; the expected program.
void tst_SystemInfo::registryLookup_data() {
    QTest::addColumn<QStringList>("registry");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("expected");

    const QString msinfo = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO|PATH=");
    const QString location = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location|MSINFO=");
    const QString toolPath =
        QStringLiteral("C:\\Program Files\\Common Files\\MSInfo\\msinfo32.exe");
    const QString folder =
        QStringLiteral("C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo");
    const QString inFolder = folder + QStringLiteral("\\MSINFO32.EXE");

    QTest::newRow("PATH value names the tool")
        << QStringList{msinfo + toolPath, location + folder} << QStringList{} << toolPath;
    QTest::newRow("folder value with the tool in it")
        << QStringList{location + folder} << QStringList{inFolder} << inFolder;
    QTest::newRow("folder value with a trailing separator")
        << QStringList{location + folder + "\\"} << QStringList{inFolder} << inFolder;
    QTest::newRow("folder value without the tool")
        << QStringList{location + folder} << QStringList{} << QString();
    QTest::newRow("empty PATH value falls back to the folder")
        << QStringList{msinfo, location + folder} << QStringList{inFolder} << inFolder;
    QTest::newRow("neither value") << QStringList{} << QStringList{inFolder} << QString();
    QTest::newRow("empty folder value")
        << QStringList{location} << QStringList{QStringLiteral("\\MSINFO32.EXE")} << QString();
}

void tst_SystemInfo::registryLookup() {
    QFETCH(QStringList, registry);
    QFETCH(QStringList, files);
    QFETCH(QString, expected);

    test::ScriptedMessageBoxes boxes;
    RecordingStarter starter;
    SystemInfoTool tool;
    tool.SetUseRegistry(true);
    tool.SetSearchPath({});
    tool.SetRegistryReader([&](const QString& key, const QString& value) -> std::optional<QString> {
        const QString prefix = key + QLatin1Char('|') + value + QLatin1Char('=');
        for (const QString& entry : registry) {
            if (entry.startsWith(prefix))
                return entry.mid(prefix.size());
        }
        return std::nullopt;
    });
    tool.SetFileExists([&](const QString& path) { return files.contains(path); });
    tool.SetStarter(starter.fn());

    QCOMPARE(tool.Locate().value_or(QString()), expected);
    QCOMPARE(tool.Start(), !expected.isEmpty());
    if (expected.isEmpty()) {
        QVERIFY(starter.started.isEmpty());
        QCOMPARE(boxes.texts(), QStringList{"System Information Is Unavailable At This Time"});
    } else {
        QCOMPARE(starter.started, QStringList{expected});
        QCOMPARE(boxes.count(), 0);
    }
}

void tst_SystemInfo::environmentSearchPathSplitsPath() {
    const QByteArray old = qgetenv("PATH");
    qputenv("PATH", "/opt/a/bin::/usr/bin");
    const QStringList dirs = SystemInfoTool::EnvironmentSearchPath();
    qputenv("PATH", old);
    QCOMPARE(dirs, (QStringList{"/opt/a/bin", "/usr/bin"}));
}

QTEST_GUILESS_MAIN(tst_SystemInfo)
#include "tst_systeminfo.moc"
