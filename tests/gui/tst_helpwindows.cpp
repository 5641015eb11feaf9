// The help windows: About (its buttons and the system-information tool), the support
// contact and the files it is read from, and the Print / Page Setup commands.
#include "common/ScriptedMessageBoxes.h"
#include "common/TestEnv.h"
#include "gui/help/PrintCommands.h"
#include "gui/help/SupportContact.h"
#include "gui/help/SystemInfo.h"
#include "gui/help/frmAbout.h"

#include <QDir>
#include <QLabel>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPushButton>
#include <QtTest>

#include <stdexcept>

using namespace quiller;

namespace {

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

} // namespace

class TstHelpWindows : public QObject {
    Q_OBJECT
private slots:
    // OK closes the box starting nothing; System Info starts the tool or says it is
    // unavailable, and the box stays open.
    void aboutButtons_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("present");
        QTest::addColumn<bool>("startWorks");
        QTest::newRow("OK") << "cmdOK" << true << true;
        QTest::newRow("tool found") << "cmdSysInfo" << true << true;
        QTest::newRow("tool missing") << "cmdSysInfo" << false << true;
        QTest::newRow("tool fails to start") << "cmdSysInfo" << true << false;
    }
    void aboutButtons() {
        QFETCH(QString, button);
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
        QTest::mouseClick(about.findChild<QPushButton*>(button), Qt::LeftButton);
        const bool sysInfo = button == "cmdSysInfo";
        QCOMPARE(about.isVisible(), sysInfo);
        QCOMPARE(started, sysInfo && present ? QStringList{program} : QStringList{});
        QCOMPARE(boxes.texts(), !sysInfo || (present && startWorks)
                                    ? QStringList{}
                                    : QStringList{SystemInfoTool::kUnavailableMessage});
    }

    // Only an executable file in an absolute folder of the search path is started: a
    // relative or empty entry would run whatever lies below the folder the station
    // started in.
    void searchPathTakesOnlyExecutableFilesInAbsoluteFolders() {
        const QString a = SystemInfoTool::KnownPrograms().at(0);
        QTemporaryDir d[4];
        const QString oldCurrent = QDir::currentPath();
        auto restore = qScopeGuard([&] { QDir::setCurrent(oldCurrent); });
        QVERIFY(QDir::setCurrent(d[0].path()) && QDir().mkdir("bin"));
        MakeProgram(d[0].path() + "/bin", a); // reached only through the relative entry
        MakeProgram(d[1].path(), a, false);   // not executable
        QVERIFY(QDir(d[2].path()).mkdir(a));  // a folder of that name
        MakeProgram(d[3].path(), a);
        SystemInfoTool tool;
        tool.SetUseRegistry(false);
        tool.SetSearchPath({"bin", d[1].path(), d[2].path(), d[3].path()});
        QCOMPARE(tool.Locate().value_or(""), d[3].path() + '/' + a);
        // An empty entry of PATH would mean the current folder: it is left out.
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
            << QByteArray("[Support]\nOrganisation=Acme\nStreet=5 Main St, Unit 2\nCity=Spring\n"
                          "Telephone=(217) 555-0100\nFax=1\nEMail=help@acme.example\n")
            << "Acme|5 Main St, Unit 2|Spring|(217) 555-0100|1|help@acme.example";
        QTest::newRow("missing keys kept, empty value clears")
            << QByteArray("[Support]\nTelephone = 999 \nFax=\n")
            << "Org|1 Street|Town, ST 1|999||a@b.example";
        QTest::newRow("other groups, comments, keys in any case, UTF-8, CRLF")
            << QByteArray("[Other]\nFax=1\n[support]\r\n; Street=x\r\nEMAIL=x@y.example\r\n"
                          "organisation=\xC3\x84rzte\r\n")
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
        // A missing file keeps the fallback.
        QTemporaryDir data;
        QCOMPARE(Fields(SupportContact::Load(data.filePath("absent.ini"), Sample())),
                 Fields(Sample()));
        // A file under the data folders (a tree installed by hand) is read; the user's own
        // file under ~/.config/Quiller comes before it and before the administrator's.
        const QByteArray oldData = qgetenv("XDG_DATA_HOME");
        const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_DATA_HOME", QFile::encodeName(data.path() + "/data"));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(data.path() + "/config"));
        auto restore = qScopeGuard([&] {
            qputenv("XDG_DATA_HOME", oldData);
            qputenv("XDG_CONFIG_HOME", oldConfig);
        });
        const QStringList candidates = SupportContact::CandidateFiles();
        const QString user = data.path() + "/config/Quiller/support-contact.ini";
        QCOMPARE(candidates.value(0), user);
        QCOMPARE(candidates.value(1), QString("/etc/quiller/support-contact.ini"));
        QVERIFY(candidates.contains(data.path() + "/data/quiller/support-contact.ini"));
        QVERIFY(QDir(data.path()).mkpath("data/quiller"));
        test::WriteFile(data.path() + "/data/quiller/support-contact.ini",
                        "[Support]\nOrganisation=Dep\n");
        QVERIFY(QDir(data.path()).mkpath("config/Quiller"));
        test::WriteFile(user, "[Support]\nTelephone=555 0100\n");
        SupportContact expected = SupportContact::BuiltIn();
        expected.telephone = "555 0100";
        QCOMPARE(Fields(SupportContact::Deployed()), Fields(expected));
    }

    // Page Setup keeps its page only when accepted; Print is given that printer.
    void pageSetup_data() {
        QTest::addColumn<bool>("accept");
        QTest::newRow("cancelled") << false;
        QTest::newRow("accepted") << true;
    }
    void pageSetup() {
        QFETCH(bool, accept);
        PrintCommands commands;
        commands.CurrentPrinter().setOutputFormat(QPrinter::PdfFormat);
        commands.CurrentPrinter().setPageSize(QPageSize(QPageSize::Letter));
        commands.SetPageSetupRunner([&](QPageSetupDialog& dialog) {
            dialog.printer()->setPageSize(QPageSize(QPageSize::A5));
            return accept;
        });
        QCOMPARE(commands.mnuFilePageSetup_Click(), accept);
        QPageSize::PageSizeId seenByPrint = QPageSize::Custom;
        commands.SetPrintRunner([&](QPrintDialog& d) {
            seenByPrint = d.printer()->pageLayout().pageSize().id();
            return false;
        });
        commands.mnuFilePrint_Click(true, nullptr, nullptr);
        QCOMPARE(seenByPrint, accept ? QPageSize::A5 : QPageSize::Letter);
    }

    // The preview is asked after the dialog (polling goes on while it is open); a
    // picture that arrived meanwhile is opened, and a window that fails to open ends
    // only the command.
    void print_data() {
        QTest::addColumn<bool>("hasActiveChild");
        QTest::addColumn<bool>("accept");
        QTest::addColumn<QString>("picture"); // none, shown, arrives (its window fails)
        QTest::addColumn<int>("opened");
        QTest::newRow("no active child") << false << true << "shown" << 0;
        QTest::newRow("cancelled") << true << false << "shown" << 0;
        QTest::newRow("accepted, empty preview") << true << true << "none" << 0;
        QTest::newRow("accepted, picture") << true << true << "shown" << 1;
        QTest::newRow("picture arrives during the dialog") << true << true << "arrives" << 1;
    }
    void print() {
        QFETCH(bool, hasActiveChild);
        QFETCH(bool, accept);
        QFETCH(QString, picture);
        QFETCH(int, opened);
        test::ScriptedMessageBoxes boxes;
        PrintCommands commands;
        commands.CurrentPrinter().setOutputFormat(QPrinter::PdfFormat);
        bool hasPicture = picture == "shown";
        int shown = 0;
        commands.SetPrintRunner([&](QPrintDialog& dialog) {
            ++shown;
            hasPicture |= picture == "arrives";
            dialog.printer()->setCopyCount(4); // kept only when accepted
            dialog.printer()->setOutputFileName(QDir::tempPath() + "/chosen.pdf");
            // Only the whole document can be printed.
            if (dialog.testOption(QAbstractPrintDialog::PrintPageRange) ||
                dialog.testOption(QAbstractPrintDialog::PrintSelection))
                shown += 100;
            return accept;
        });
        int openedNow = 0;
        const auto open = [&] {
            ++openedNow;
            if (picture == "arrives")
                throw std::runtime_error("cannot open");
        };
        QCOMPARE(commands.mnuFilePrint_Click(
                     hasActiveChild, [&] { return hasPicture; }, open),
                 hasActiveChild && accept);
        QCOMPARE(shown, hasActiveChild ? 1 : 0);
        QCOMPARE(openedNow, opened);
        QCOMPARE(boxes.count(), 0);
        QCOMPARE(commands.CurrentPrinter().copyCount(), hasActiveChild && accept ? 4 : 1);
        // What a print job is given: the dialog's choices once accepted.
        const std::unique_ptr<QPrinter> job = commands.NewPrinterAsChosen();
        QCOMPARE(job->copyCount(), hasActiveChild && accept ? 4 : 1);
        QCOMPARE(job->outputFormat(), QPrinter::PdfFormat);
        QCOMPARE(job->outputFileName(),
                 hasActiveChild && accept ? QDir::tempPath() + "/chosen.pdf" : QString());
    }
};

QTEST_MAIN(TstHelpWindows)
#include "tst_helpwindows.moc"
