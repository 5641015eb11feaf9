// The help windows: About (its buttons and the system-information tool), the support
// panel with its contact file, and the Print / Page Setup commands.
#include "common/ScriptedMessageBoxes.h"
#include "common/TestEnv.h"
#include "gui/help/PrintCommands.h"
#include "gui/help/SystemInfo.h"
#include "gui/help/frmAbout.h"
#include "gui/help/frmSupport.h"

#include <QLabel>
#include <QMainWindow>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <stdexcept>

using namespace quiller;

namespace {

const QString kUnavailable = QString::fromLatin1(SystemInfoTool::kUnavailableMessage);

// Makes `dir/name`, a tiny script, executable unless told otherwise.
void MakeProgram(const QString& dir, const QString& name, bool executable = true) {
    test::WriteFile(dir + QLatin1Char('/') + name, "#!/bin/sh\nexit 0\n");
    QFile::setPermissions(dir + QLatin1Char('/') + name,
                          QFileDevice::ReadOwner |
                              (executable ? QFileDevice::ExeOwner : QFileDevice::Permissions()));
}

SupportContact Sample() {
    return {"Org", "1 Street", "Town, ST 1", "111", "222", "a@b.example"};
}

QString Fields(const SupportContact& c) {
    return QStringList{c.organisation, c.street, c.city, c.telephone, c.fax, c.email}.join('|');
}

// Everything of the printer a dialog may touch, comparable in one go.
QString Describe(const QPrinter& p) {
    return QStringLiteral("%1|%2|%3|%4|%5|%6|%7")
        .arg(p.outputFileName())
        .arg(p.pageLayout().pageSize().id())
        .arg(int(p.pageLayout().orientation()))
        .arg(p.copyCount())
        .arg(int(p.colorMode()))
        .arg(int(p.duplex()))
        .arg(int(p.printRange()));
}

} // namespace

class TstHelpWindows : public QObject {
    Q_OBJECT
private slots:
    // OK, Enter and Escape close the box starting nothing; System Info starts the tool or
    // says it is unavailable, and the box stays open.
    void aboutButtons_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("present");
        QTest::addColumn<bool>("startWorks");
        auto row = [](const char* name, const char* action, bool present, bool startWorks) {
            QTest::newRow(name) << QString(action) << present << startWorks;
        };
        row("click OK", "cmdOK", true, true);
        row("Enter", "Enter", true, true);
        row("Escape", "Escape", true, true);
        row("tool found", "cmdSysInfo", true, true);
        row("tool missing", "cmdSysInfo", false, true);
        row("tool fails to start", "cmdSysInfo", true, false);
    }
    void aboutButtons() {
        QFETCH(QString, action);
        QFETCH(bool, present);
        QFETCH(bool, startWorks);
        test::ScriptedMessageBoxes boxes;
        QTemporaryDir bin;
        const QString program = bin.path() + '/' + SystemInfoTool::KnownPrograms().first();
        if (present)
            MakeProgram(bin.path(), SystemInfoTool::KnownPrograms().first());
        frmAbout about;
        QStringList started;
        about.SystemInfo().SetUseRegistry(false);
        about.SystemInfo().SetSearchPath({bin.path()});
        about.SystemInfo().SetStarter([&](const QString& p) {
            started << p;
            return startWorks;
        });
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        if (action.startsWith("cmd"))
            QTest::mouseClick(about.findChild<QPushButton*>(action), Qt::LeftButton);
        else
            QTest::keyClick(&about, action == "Enter" ? Qt::Key_Return : Qt::Key_Escape);
        const bool sysInfo = action == "cmdSysInfo";
        QCOMPARE(about.isVisible(), sysInfo);
        QCOMPARE(started, sysInfo && present ? QStringList{program} : QStringList{});
        QCOMPARE(boxes.texts(),
                 !sysInfo || (present && startWorks) ? QStringList{} : QStringList{kUnavailable});
    }

    void showAboutIsModalAndSingle() {
        QMainWindow owner;
        owner.show();
        QPointer<frmAbout> about = ShowAbout(&owner);
        QVERIFY(about && about->isVisible() && about->windowModality() == Qt::ApplicationModal);
        QCOMPARE(ShowAbout(&owner), about.data());
        about->findChild<QPushButton*>("cmdOK")->click(); // closing deletes it
        QTRY_VERIFY(about.isNull());
        QPointer<frmAbout> again = ShowAbout(&owner);
        QVERIFY(again);
        delete again.data();
    }

    // Programs to create as "dir:name[:noexec|:dir]", the search path as dir indexes ("rel"
    // for a relative entry), and the expected "dir:name" or "" for none.
    void searchPathRules_data() {
        QTest::addColumn<QStringList>("make");
        QTest::addColumn<QStringList>("path");
        QTest::addColumn<QString>("expected");
        const QString a = SystemInfoTool::KnownPrograms().at(0);
        const QString b = SystemInfoTool::KnownPrograms().at(1);
        auto row = [](const char* name, const QStringList& make, const QStringList& path,
                      const QString& expected) {
            QTest::newRow(name) << make << path << expected;
        };
        row("earlier program wins", {"0:" + b, "1:" + a}, {"0", "1"}, "1:" + a);
        row("first directory wins", {"0:" + a, "1:" + a}, {"1", "0"}, "1:" + a);
        row("not executable skipped", {"0:" + a + ":noexec", "1:" + b}, {"0", "1"}, "1:" + b);
        row("folder skipped", {"0:" + a + ":dir"}, {"0"}, "");
        row("not on the path", {"1:" + a}, {"0"}, "");
        row("relative entry ignored", {"0:" + a}, {"rel"}, "");
    }

    void searchPathRules() {
        QFETCH(QStringList, make);
        QFETCH(QStringList, path);
        QFETCH(QString, expected);
        QTemporaryDir dirs[2];
        const QString oldCurrent = QDir::currentPath();
        auto restore = qScopeGuard([&] { QDir::setCurrent(oldCurrent); });
        for (const QString& m : make) {
            const QStringList p = m.split(':');
            const QString dir = dirs[p[0].toInt()].path();
            if (p.value(2) == "dir")
                QVERIFY(QDir(dir).mkdir(p[1]));
            else
                MakeProgram(dir, p[1], p.value(2) != "noexec");
        }
        QStringList searchPath;
        for (const QString& p : path) {
            if (p == "rel") { // the first directory's name, seen from its parent folder
                QVERIFY(QDir::setCurrent(QFileInfo(dirs[0].path()).path()));
                searchPath << QFileInfo(dirs[0].path()).fileName();
            } else {
                searchPath << dirs[p.toInt()].path();
            }
        }
        SystemInfoTool tool;
        tool.SetUseRegistry(false);
        tool.SetSearchPath(searchPath);
        const QStringList e = expected.split(':');
        QCOMPARE(tool.Locate().value_or(""),
                 expected.isEmpty() ? QString() : dirs[e[0].toInt()].path() + '/' + e[1]);
    }

    // Registry contents as "key|value=data" entries; files that exist; the expected program.
    void registryLookup_data() {
        QTest::addColumn<QStringList>("registry");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("expected");
        const QString msinfo = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO|PATH=";
        const QString location = "SOFTWARE\\Microsoft\\Shared Tools Location|MSINFO=";
        const QString tool = "C:\\Tools\\msinfo32.exe", folder = "C:\\Shared\\MSInfo";
        const QString inFolder = folder + "\\MSINFO32.EXE";
        auto row = [](const char* name, const QStringList& registry, const QStringList& files,
                      const QString& expected) {
            QTest::newRow(name) << registry << files << expected;
        };
        row("PATH value", {msinfo + tool, location + folder}, {}, tool);
        row("folder value", {location + folder}, {inFolder}, inFolder);
        row("folder with separator", {location + folder + "\\"}, {inFolder}, inFolder);
        row("empty PATH falls back", {msinfo, location + folder}, {inFolder}, inFolder);
        row("neither value", {}, {inFolder}, "");
        row("empty folder", {location}, {"\\MSINFO32.EXE"}, "");
    }

    void registryLookup() {
        QFETCH(QStringList, registry);
        QFETCH(QStringList, files);
        QFETCH(QString, expected);
        SystemInfoTool tool;
        tool.SetUseRegistry(true);
        tool.SetSearchPath({});
        tool.SetRegistryReader([&](const QString& key, const QString& value) {
            const QString prefix = key + '|' + value + '=';
            for (const QString& entry : registry)
                if (entry.startsWith(prefix))
                    return std::optional<QString>(entry.mid(prefix.size()));
            return std::optional<QString>();
        });
        tool.SetFileExists([&](const QString& path) { return files.contains(path); });
        QCOMPARE(tool.Locate().value_or(""), expected);
    }

    void environmentSearchPathSkipsEmptyEntries() {
        const QByteArray old = qgetenv("PATH");
        qputenv("PATH", "/opt/a/bin::/usr/bin");
        const QStringList dirs = SystemInfoTool::EnvironmentSearchPath();
        qputenv("PATH", old);
        QCOMPARE(dirs, (QStringList{"/opt/a/bin", "/usr/bin"}));
    }

    void supportParse_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QString>("expected"); // the fields joined by '|'
        QTest::newRow("all keys, commas kept")
            << QByteArray(
                   "[Support]\nOrganisation=Acme\nStreet=5 Main St, Unit 2\nCity=Spring, IL 1\n"
                   "Telephone=(217) 555-0100\nFax=(217) 555-0101\nEMail=help@acme.example\n")
            << "Acme|5 Main St, Unit 2|Spring, IL 1|(217) 555-0100|(217) "
               "555-0101|help@acme.example";
        QTest::newRow("missing keys keep the fallback")
            << QByteArray("[Support]\nTelephone = 999 \n")
            << "Org|1 Street|Town, ST 1|999|222|a@b.example";
        QTest::newRow("empty value clears the line")
            << QByteArray("[Support]\nFax=\n") << "Org|1 Street|Town, ST 1|111||a@b.example";
        QTest::newRow("other groups and comments ignored")
            << QByteArray(
                   "Organisation=Top\n[Other]\nOrganisation=O\n# Fax=1\n[Support]\n; Street=x\n"
                   "bogus line\n=nokey\n")
            << Fields(Sample());
        QTest::newRow("keys in any case, UTF-8, CRLF")
            << QByteArray("[support]\r\nEMAIL=x@y.example\r\norganisation=\xC3\x84rzte\r\n")
            << QString::fromUtf8("Ärzte|1 Street|Town, ST 1|111|222|x@y.example");
    }

    void supportParse() {
        QFETCH(QByteArray, ini);
        QFETCH(QString, expected);
        QCOMPARE(Fields(SupportContact::Parse(ini, Sample())), expected);
    }

    void supportFiles() {
        // The built-in contact is the packaged file.
        const SupportContact packaged =
            SupportContact::Load(QUILLER_SOURCE_DIR "/packaging/support-contact.ini", {});
        QVERIFY(packaged.email.contains('@') && !packaged.telephone.isEmpty());
        QCOMPARE(Fields(SupportContact::BuiltIn()), Fields(packaged));
        // A missing file or a folder keeps the fallback.
        QTemporaryDir data;
        QCOMPARE(Fields(SupportContact::Load(data.filePath("absent.ini"), Sample())),
                 Fields(Sample()));
        QCOMPARE(Fields(SupportContact::Load(data.path(), Sample())), Fields(Sample()));
        // The deployed file, found under the user's data folder.
        const QByteArray old = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", QFile::encodeName(data.path()));
        auto restore = qScopeGuard([&] { qputenv("XDG_DATA_HOME", old); });
        QCOMPARE(Fields(SupportContact::Deployed()), Fields(SupportContact::BuiltIn()));
        QVERIFY(QDir(data.path()).mkpath("quiller"));
        test::WriteFile(data.path() + "/quiller/support-contact.ini",
                        "[Support]\nOrganisation=Dep\n");
        SupportContact expected = SupportContact::BuiltIn();
        expected.organisation = "Dep";
        QCOMPARE(Fields(SupportContact::Deployed()), Fields(expected));
    }

    void supportPanelShowsContactAndHidesEmptyLines() {
        SupportContact contact = Sample();
        contact.fax.clear();
        frmSupport panel(contact);
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        QVERIFY(panel.findChild<QLabel*>("lblTelephone")->text().contains("111"));
        QVERIFY(panel.findChild<QLabel*>("lblTelephone")->isVisible());
        QVERIFY(!panel.findChild<QLabel*>("lblFax")->isVisible());
    }

    void showSupportIsOneWindow() {
        QCOMPARE(CurrentSupport(), nullptr);
        QPointer<frmSupport> panel = ShowSupport();
        QVERIFY(panel && panel->isVisible() && panel->isWindow());
        QCOMPARE(ShowSupport(), panel.data());
        panel->close();
        QTRY_VERIFY(panel.isNull());
        QCOMPARE(CurrentSupport(), nullptr);
    }

    void pageSetup_data() {
        QTest::addColumn<bool>("accept");
        QTest::newRow("cancelled") << false;
        QTest::newRow("accepted") << true;
    }

    void pageSetup() {
        QFETCH(bool, accept);
        QTemporaryDir dir;
        PrintCommands commands;
        QPrinter& printer = commands.CurrentPrinter();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath("out.pdf"));
        printer.setPageSize(QPageSize(QPageSize::Letter));
        printer.setPageOrientation(QPageLayout::Portrait);
        const QString before = Describe(printer);
        int shown = 0;
        commands.SetPageSetupRunner([&](QPageSetupDialog& dialog) {
            ++shown;
            dialog.printer()->setPageSize(QPageSize(QPageSize::A5));
            dialog.printer()->setPageOrientation(QPageLayout::Landscape);
            return accept;
        });
        QCOMPARE(commands.mnuFilePageSetup_Click(), accept);
        QCOMPARE(shown, 1);
        QCOMPARE(Describe(printer) == before, !accept);
        // The printer the Print dialog is given is the one Page Setup set up.
        QPageSize::PageSizeId seenByPrint = QPageSize::Custom;
        commands.SetPrintRunner([&](QPrintDialog& d) {
            seenByPrint = d.printer()->pageLayout().pageSize().id();
            return false;
        });
        commands.mnuFilePrint_Click(true, nullptr, nullptr);
        QCOMPARE(seenByPrint, accept ? QPageSize::A5 : QPageSize::Letter);
    }

    void print_data() {
        QTest::addColumn<bool>("hasActiveChild");
        QTest::addColumn<bool>("accept");
        QTest::addColumn<bool>("hasPicture");
        QTest::addColumn<int>("opened");
        QTest::newRow("no active child") << false << true << true << 0;
        QTest::newRow("cancelled") << true << false << true << 0;
        QTest::newRow("accepted, empty preview") << true << true << false << 0;
        QTest::newRow("accepted, picture") << true << true << true << 1;
    }

    void print() {
        QFETCH(bool, hasActiveChild);
        QFETCH(bool, accept);
        QFETCH(bool, hasPicture);
        QFETCH(int, opened);
        test::ScriptedMessageBoxes boxes;
        QTemporaryDir dir;
        PrintCommands commands;
        commands.CurrentPrinter().setOutputFormat(QPrinter::PdfFormat);
        commands.CurrentPrinter().setOutputFileName(dir.filePath("first.pdf"));
        const QString before = Describe(commands.CurrentPrinter());
        int shown = 0;
        commands.SetPrintRunner([&](QPrintDialog& dialog) {
            ++shown;
            dialog.printer()->setCopyCount(4); // kept only when accepted
            dialog.printer()->setOutputFileName(dir.filePath("other.pdf"));
            // Only the whole document can be printed.
            if (dialog.testOption(QAbstractPrintDialog::PrintPageRange) ||
                dialog.testOption(QAbstractPrintDialog::PrintSelection))
                shown += 100;
            return accept;
        });
        int openedNow = 0;
        QCOMPARE(commands.mnuFilePrint_Click(
                     hasActiveChild, [&] { return hasPicture; }, [&] { ++openedNow; }),
                 hasActiveChild && accept);
        QCOMPARE(shown, hasActiveChild ? 1 : 0);
        QCOMPARE(openedNow, opened);
        QCOMPARE(boxes.count(), 0);
        QCOMPARE(Describe(commands.CurrentPrinter()) == before, !(hasActiveChild && accept));
    }

    void previewIsAskedAfterTheDialogAndFailuresEndOnlyTheCommand() {
        // Polling goes on while the dialog is open: a picture arriving meanwhile is opened.
        test::ScriptedMessageBoxes boxes;
        PrintCommands commands;
        bool hasPicture = false;
        commands.SetPrintRunner([&](QPrintDialog&) { return hasPicture = true; });
        int opened = 0;
        QVERIFY(commands.mnuFilePrint_Click(
            true, [&] { return hasPicture; },
            [&] {
                ++opened;
                throw std::runtime_error("cannot open"); // the enlarged window fails
            }));
        QCOMPARE(opened, 1);
        QCOMPARE(boxes.count(), 0);
    }
};

QTEST_MAIN(TstHelpWindows)
#include "tst_helpwindows.moc"
