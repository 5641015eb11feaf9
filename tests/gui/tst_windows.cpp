// The shell windows offscreen: configuration dialog, main window, scan window.
#include "common/StationFixture.h"
#include "gui/common/Twips.h"
#include "gui/settings/frmConfiguration.h"
#include "settings/SettingsStore.h"
#include "station/Startup.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>

using namespace quiller;
using quiller::test::SharedContext;
using quiller::test::Station;

class TstWindows : public QObject {
    Q_OBJECT

    std::unique_ptr<Station> s;

private slots:
    void init() { s = std::make_unique<Station>(); }
    void cleanup() { s.reset(); }

    void firstRunEndToEnd() {
        SettingsStore settings;
        int dialogs = 0;
        StartupHooks hooks;
        hooks.showConfigurationDialogModal = [&] {
            ++dialogs;
            frmConfiguration dialog(SharedContext());
            dialog.Form_Load();
            dialog.Combo1->setCurrentIndex(1);
            dialog.Text1->setText(s->env.imageFolder());
            dialog.txtFilePath->setText(s->env.interchangeFolder());
            dialog.Text2->setText("B");
            dialog.Command2_Click(0);
            QVERIFY(dialog.Saved());
        };
        hooks.showMainWindow = [&] {
            s->openWindow();
        };

        QCOMPARE(Main(SharedContext(), settings, hooks), std::nullopt);
        QCOMPARE(dialogs, 1);
        QCOMPARE(s->boxes.count(), 0); // no question before or after a completed dialog

        // Settings, with the dialog's "scanner" reaching "Scanner" (once).
        QCOMPARE(settings.Read("setup", "Scanner"), QStringLiteral("1"));
        QCOMPARE(settings.Read("setup", "dataPath"), s->env.imageFolder());
        QCOMPARE(SharedContext().ScannerID, QStringLiteral("B"));
        QCOMPARE(settings.Read("setup", "ScannerID"), QStringLiteral("B"));
        QCOMPARE(
            QString(test::ReadFile(s->env.configFile())).count("scanner=", Qt::CaseInsensitive), 1);
        // The database with its Configuration row.
        QCOMPARE(SharedContext().DbConnection->ReadScannerSource(), std::optional<QString>("1"));
        // The main window with the scan window inside, polling on.
        QVERIFY(s->scan() && s->scan()->IsLoaded() && s->scan()->Timer1->isActive());
    }

    void okChecks_data() {
        QTest::addColumn<bool>("scanner");
        QTest::addColumn<QString>("images");
        QTest::addColumn<QString>("interchange");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("icon");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QString>("id");
        auto row = [](const char* name, bool scanner, const char* images, const char* interchange,
                      const char* message, MsgIcon icon, const char* focus, const char* id = "A") {
            QTest::newRow(name) << scanner << QString(images) << QString(interchange)
                                << QString(message) << int(icon) << QString(focus) << QString(id);
        };
        const MsgIcon excl = MsgIcon::Exclamation;
        row("no scanner", false, "", "", "Select a scanner.", excl, "Combo1");
        row("both folders empty", true, "", "", "Where to save image files?", excl, "Text1");
        row("interchange empty", true, "@images", "", "Where to get prescription data files?", excl,
            "txtFilePath");
        row("image folder missing", true, "@missing", "@nowhere",
            "The folder @missing is not accessible or does not exist.", MsgIcon::Critical, "Text1");
        // Data files are addressed to a station by one character.
        row("two-letter station", true, "@images", "@images", "@id", excl, "Text2", "bq");
        row("no station letter", true, "@images", "@images", "@id", excl, "Text2", "");
    }

    void okChecks() {
        QFETCH(bool, scanner);
        QFETCH(QString, images);
        QFETCH(QString, interchange);
        QFETCH(QString, message);
        QFETCH(int, icon);
        QFETCH(QString, focus);
        QFETCH(QString, id);
        auto expand = [&](QString text) {
            text.replace("@images", QDir::toNativeSeparators(s->env.imageFolder()));
            text.replace("@missing", QDir::toNativeSeparators(s->env.home() + "/missing"));
            text.replace("@nowhere", QDir::toNativeSeparators(s->env.home() + "/nowhere"));
            text.replace("@id", frmConfiguration::StationIdMessage());
            return text;
        };
        s->script.startDeviceAnswer = scanner;
        frmConfiguration dialog(SharedContext());
        dialog.Form_Load();
        dialog.Text1->setText(expand(images));
        dialog.txtFilePath->setText(expand(interchange));
        dialog.Text2->setText(id);
        dialog.Command2_Click(0);
        QVERIFY(!dialog.Saved());
        QCOMPARE(s->boxes.count(), 1);
        QCOMPARE(s->boxes.last().text, expand(message));
        QCOMPARE(int(s->boxes.last().icon), icon);
        QCOMPARE(dialog.focusWidget()->objectName(), focus);
        // Nothing was saved.
        QVERIFY(!QFile::exists(s->env.configFile()) ||
                !test::ReadFile(s->env.configFile()).contains("dataPath"));
    }

    // OK accepts an interchange folder that does not exist yet; Cancel saves nothing.
    void okAndCancel_data() {
        QTest::addColumn<int>("button");
        QTest::newRow("OK") << 0;
        QTest::newRow("Cancel") << 1;
    }
    void okAndCancel() {
        QFETCH(int, button);
        frmConfiguration dialog(SharedContext());
        dialog.Form_Load();
        dialog.Text1->setText(s->env.imageFolder());
        dialog.txtFilePath->setText(s->env.home() + "/not-yet");
        dialog.Command2_Click(button);
        QCOMPARE(dialog.Saved(), button == 0);
        QCOMPARE(s->boxes.count(), 0);
        QCOMPARE(SettingsStore().Read("setup", "filePath").isEmpty(), button == 1);
        QCOMPARE(QFile::exists(s->env.imageFolder() + "/Marrowby.mdb"), button == 0);
    }

    void storedScannerPreselected_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("expected");
        QTest::newRow("second") << "1" << 1;
        QTest::newRow("not a number") << "x" << 0;
        QTest::newRow("no such entry") << "7" << 0;
    }
    void storedScannerPreselected() {
        QFETCH(QString, stored);
        QFETCH(int, expected);
        s->env.writeSettings("[setup]\nScanner=" + stored + "\n");
        frmConfiguration dialog(SharedContext());
        dialog.Form_Load();
        QCOMPARE(dialog.Combo1->currentIndex(), expected);
    }

    void modeSwitch() {
        s->open();
        frmMain& window = *s->window;
        frmScan* scan = s->scan();
        const QString lock = s->lockFile();

        window.Command1_Click(1); // View
        QCOMPARE(test::ReadFile(lock), QByteArray("Locked\r\n"));
        QCOMPARE(window.Label1->text(), QStringLiteral("Not Ready to Scan"));
        QVERIFY(scan->fraList->isVisibleTo(scan));
        QVERIFY(!scan->Timer1->isActive());
        test::WriteFile(lock, "someone else's\r\n");
        window.Command1_Click(1); // a second View finds the file and leaves it alone
        QCOMPARE(test::ReadFile(lock), QByteArray("someone else's\r\n"));

        window.Command1_Click(0); // Scan
        QVERIFY(!QFile::exists(lock));
        QVERIFY(!scan->fraList->isVisibleTo(scan));
        QVERIFY(scan->Timer1->isActive());
        window.Command1_Click(0); // no lock file: nothing to delete, the rest runs
        QVERIFY(scan->Timer1->isActive());
        QCOMPARE(window.Label1->text(), QStringLiteral("Ready to Scan"));
    }

    // The placement is saved and restored; a stored value that is not a number gives the
    // default.
    void placementSaveAndRestore() {
        s->configure();
        frmMain* window = &s->openWindow();
        // With nothing stored the window opens large enough for the whole scan window.
        QWidget* sub = s->scan()->parentWidget();
        QTRY_VERIFY(window->MdiArea->viewport()->rect().contains(sub->geometry()));
        window->resize(Twips(9000, window), Twips(7995, window));
        QTRY_COMPARE(SettingsStore().Read("Settings", "MainWidth").toDouble(), 9000.0);
        QCOMPARE(SettingsStore().Read("Settings", "MainHeight").toDouble(), 7995.0);
        window = &s->openWindow();
        QCOMPARE(window->size(), QSize(Twips(9000, window), Twips(7995, window)));
        s->window.reset();
        SettingsStore().Write("Settings", "MainWidth", "wide");
        window = &s->openWindow();
        QCOMPARE(window->width(), Twips(6500, window));
        QCOMPARE(window->height(), Twips(7995, window));
    }

    // The old scan window is gone: two windows would both take the same data files.
    void restartGivesAFreshLoadedScanWindow() {
        s->open();
        QPointer<frmScan> first = s->scan();
        s->window->mnuRestart_Click();
        QVERIFY(!first);
        QVERIFY(s->scan() && s->scan()->IsLoaded() && s->scan()->Timer1->isActive());
    }

    // Without a tray, closing minimises (never hides: it can always be brought back).
    void closeMinimisesAndPollingGoesOn() {
        frmMain::SetTrayProbe([] { return false; });
        auto restore = qScopeGuard([] { frmMain::SetTrayProbe({}); });
        s->open();
        frmMain& window = *s->window;
        window.Command1_Click(1); // viewing: lock file present, polling off
        window.close();
        QVERIFY(!window.ExitRequested());
        QVERIFY(s->scan()->Timer1->isActive());
        QVERIFY(QFile::exists(s->lockFile())); // not touched
        QVERIFY(window.isMinimized() && !window.isHidden());
        // Restore brings it back in scan mode.
        window.mPopRestore_Click();
        QVERIFY(!window.isMinimized());
        QVERIFY(!QFile::exists(s->lockFile()));
    }

    // A real exit closes everything; it saves the placement unless minimised.
    void realExitClosesEverything_data() {
        QTest::addColumn<bool>("minimised");
        QTest::newRow("normal") << false;
        QTest::newRow("minimised") << true;
    }
    void realExitClosesEverything() {
        QFETCH(bool, minimised);
        s->open();
        frmMain& window = *s->window;
        QPointer<frmScan> scan = s->scan();
        window.resize(Twips(6990, &window), Twips(6990, &window));
        if (minimised)
            window.close(); // to the tray: minimised
        SettingsStore().Write("Settings", "MainWidth", "1234");
        window.mPopExit_Click();
        QVERIFY(window.ExitRequested());
        QVERIFY(!scan);
        QVERIFY(!SharedContext().DbConnection);
        QCOMPARE(SettingsStore().Read("Settings", "MainWidth").toDouble(), minimised ? 1234 : 6990);
    }
};

QTEST_MAIN(TstWindows)
#include "tst_windows.moc"
