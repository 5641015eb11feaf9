// The shell windows offscreen: configuration dialog, main window, scan window.
#include "base/ProgramEnd.h"
#include "common/ScriptedMessageBoxes.h"
#include "common/TestEnv.h"
#include "common/ViewFixture.h"
#include "gui/common/Twips.h"
#include "gui/main/StationWiring.h"
#include "gui/main/frmMain.h"
#include "gui/scan/frmScan.h"
#include "gui/settings/frmConfiguration.h"
#include "gui/settings/getDir.h"
#include "records/Database.h"
#include "scanner/SimulatedScanner.h"
#include "settings/SettingsStore.h"
#include "station/Startup.h"
#include "station/StationContext.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QTimer>
#include <QtTest>

using namespace quiller;
using quiller::test::ScriptedMessageBoxes;
using quiller::test::SharedContext;
using quiller::test::TestEnv;

class TstWindows : public QObject {
    Q_OBJECT

    static QWidget* findTopLevel(const char* name) {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String(name) && w->isVisible())
                return w;
        return nullptr;
    }

    std::unique_ptr<TestEnv> env;

    void resetSharedContext() {
        StationContext& app = SharedContext();
        app.MainWindow = nullptr;
        app.DbConnection.reset();
        app.dataPath.clear();
        app.filePath.clear();
        app.ScannerID.clear();
    }

    void configureStation() {
        env->writeSettings(
            QStringLiteral("[setup]\ndataPath=%1\nfilePath=%2\nScannerID=A\nScanner=0\n")
                .arg(env->imageFolder(), env->interchangeFolder()));
        SharedContext().dataPath = env->imageFolder();
        SharedContext().filePath = env->interchangeFolder();
        SharedContext().ScannerID = QStringLiteral("A");
        Database::EnsureFile(SharedContext().dataPath, QString());
        SharedContext().DbConnection = std::make_unique<Database>();
        SharedContext().DbConnection->Open(SharedContext().dataPath);
    }

    std::unique_ptr<frmMain> openMainWindow() {
        auto window = std::make_unique<frmMain>(SharedContext());
        WireMainWindow(*window);
        window->show();
        window->Form_Load();
        return window;
    }

private slots:
    void init() {
        env = std::make_unique<TestEnv>();
        resetSharedContext();
        ScannerControl::SetFactory([] { return std::make_unique<SimulatedScanner>(); });
    }
    void cleanup() {
        resetSharedContext();
        env.reset();
    }

    void firstRunEndToEnd() {
        ScriptedMessageBoxes boxes;
        SettingsStore settings;
        std::unique_ptr<frmMain> mainWindow;
        int dialogs = 0;
        StartupHooks hooks;
        hooks.showConfigurationDialogModal = [&] {
            ++dialogs;
            frmConfiguration dialog(SharedContext());
            dialog.Form_Load();
            dialog.Combo1->setCurrentIndex(1);
            dialog.Text1->setText(env->imageFolder());
            dialog.txtFilePath->setText(env->interchangeFolder());
            dialog.Text2->setText("B");
            dialog.Command2_Click(0);
            QVERIFY(dialog.Saved());
        };
        hooks.showMainWindow = [&] {
            mainWindow = openMainWindow();
        };

        QCOMPARE(Main(SharedContext(), settings, hooks), std::nullopt);
        QCOMPARE(dialogs, 1);
        QCOMPARE(boxes.count(), 0); // no question before or after a completed dialog

        // Settings, with the dialog's "scanner" reaching "Scanner".
        QCOMPARE(settings.Read("setup", "Scanner"), QStringLiteral("1"));
        QCOMPARE(settings.Read("setup", "dataPath"), env->imageFolder());
        QCOMPARE(settings.Read("setup", "ScannerID"), SharedContext().ScannerID);
        QCOMPARE(SharedContext().ScannerID, QStringLiteral("B"));
        QCOMPARE(QString(test::ReadFile(env->configFile())).count("scanner=", Qt::CaseInsensitive),
                 1);

        // The database with its Configuration row.
        QCOMPARE(SharedContext().DbConnection->ReadScannerSource(), std::optional<QString>("1"));

        // The main window with the scan window inside, polling on.
        QVERIFY(mainWindow && mainWindow->ScanWindow() && mainWindow->ScanWindow()->IsLoaded());
        QVERIFY(mainWindow->ScanWindow()->Timer1->isActive());
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
        auto expand = [&](QString s) {
            s.replace("@images", QDir::toNativeSeparators(env->imageFolder()));
            s.replace("@missing", QDir::toNativeSeparators(env->home() + "/missing"));
            s.replace("@nowhere", QDir::toNativeSeparators(env->home() + "/nowhere"));
            s.replace("@id", frmConfiguration::StationIdMessage());
            return s;
        };
        ScannerControl::SetFactory([scanner] {
            auto s = std::make_unique<SimulatedScanner>();
            s->script().startDeviceAnswer = scanner;
            return s;
        });
        ScriptedMessageBoxes boxes;
        frmConfiguration dialog(SharedContext());
        dialog.Form_Load();
        dialog.Text1->setText(expand(images));
        dialog.txtFilePath->setText(expand(interchange));
        dialog.Text2->setText(id);
        dialog.Command2_Click(0);
        QVERIFY(!dialog.Saved());
        QCOMPARE(boxes.count(), 1);
        QCOMPARE(boxes.last().text, expand(message));
        QCOMPARE(int(boxes.last().icon), icon);
        QCOMPARE(dialog.focusWidget()->objectName(), focus);
        // Nothing was saved.
        QVERIFY(!QFile::exists(env->configFile()) ||
                !test::ReadFile(env->configFile()).contains("dataPath"));
    }

    // OK accepts an interchange folder that does not exist yet; Cancel saves nothing.
    void okAndCancel_data() {
        QTest::addColumn<int>("button");
        QTest::newRow("OK") << 0;
        QTest::newRow("Cancel") << 1;
    }
    void okAndCancel() {
        QFETCH(int, button);
        ScriptedMessageBoxes boxes;
        frmConfiguration dialog(SharedContext());
        dialog.Form_Load();
        dialog.Text1->setText(env->imageFolder());
        dialog.txtFilePath->setText(env->home() + "/not-yet");
        dialog.Command2_Click(button);
        QCOMPARE(dialog.Saved(), button == 0);
        QCOMPARE(boxes.count(), 0);
        QCOMPARE(SettingsStore().Read("setup", "filePath").isEmpty(), button == 1);
        QCOMPARE(QFile::exists(env->imageFolder() + "/Marrowby.mdb"), button == 0);
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
        env->writeSettings("[setup]\nScanner=" + stored + "\n");
        frmConfiguration dialog(SharedContext());
        dialog.Form_Load();
        QCOMPARE(dialog.Combo1->currentIndex(), expected);
    }

    void browseShowsChosenPathThenFillsField() {
        ScriptedMessageBoxes boxes;
        const QString chosen = env->imageFolder();
        auto previous = getDir::SetChooser([&](QWidget*, const QString&) { return chosen; });
        frmConfiguration dialog(SharedContext());
        dialog.Form_Load();
        boxes.onShow([&](const MessageBoxRequest&) {
            // The box comes before the field is filled.
            QVERIFY(dialog.txtFilePath->text() != QDir::toNativeSeparators(chosen));
        });
        dialog.Command1_Click(1);
        QCOMPARE(boxes.count(), 1);
        QCOMPARE(boxes.last().text, QDir::toNativeSeparators(chosen));
        QCOMPARE(boxes.last().buttons, MsgButtons::Ok);
        QCOMPARE(dialog.txtFilePath->text(), QDir::toNativeSeparators(chosen));
        // Cancel in the picker changes nothing and shows nothing.
        getDir::SetChooser([](QWidget*, const QString&) { return QString(); });
        dialog.Command1_Click(0);
        QCOMPARE(boxes.count(), 1);
        getDir::SetChooser(previous);
    }

    void modeSwitch() {
        configureStation();
        auto window = openMainWindow();
        frmScan* scan = window->ScanWindow();
        const QString lock = env->interchangeFolder() + "/AQLVLock.xs4";

        window->Command1_Click(1); // View
        QVERIFY(QFile::exists(lock));
        QCOMPARE(test::ReadFile(lock), QByteArray("Locked\r\n"));
        QCOMPARE(window->Label1->text(), QStringLiteral("Not Ready to Scan"));
        QVERIFY(scan->fraList->isVisibleTo(scan));
        QVERIFY(!scan->Timer1->isActive());
        test::WriteFile(lock, "someone else's\r\n");
        window->Command1_Click(1); // a second View finds the file and leaves it alone
        QCOMPARE(test::ReadFile(lock), QByteArray("someone else's\r\n"));

        window->Command1_Click(0); // Scan
        QVERIFY(!QFile::exists(lock));
        QVERIFY(!scan->fraList->isVisibleTo(scan));
        QVERIFY(scan->Timer1->isActive());
        window->Command1_Click(0); // no lock file: nothing to delete, the rest runs
        QVERIFY(scan->Timer1->isActive());
        QCOMPARE(window->Label1->text(), QStringLiteral("Ready to Scan"));
    }

    void placementDefaultsSaveAndRestore() {
        configureStation();
        {
            auto window = openMainWindow();
            // With nothing stored the window opens large enough for the whole scan window.
            QWidget* sub = window->ScanWindow()->parentWidget();
            QTRY_VERIFY(window->MdiArea->viewport()->rect().contains(sub->geometry()));
            window->resize(Twips(9000, window.get()), Twips(7995, window.get()));
            QTRY_COMPARE(SettingsStore().Read("Settings", "MainWidth").toDouble(), 9000.0);
            QCOMPARE(SettingsStore().Read("Settings", "MainHeight").toDouble(), 7995.0);
            window->showMinimized();
            window->resize(Twips(3000, window.get()), Twips(3000, window.get()));
            QCOMPARE(SettingsStore().Read("Settings", "MainWidth").toDouble(), 9000.0);
        }
        auto again = openMainWindow();
        QCOMPARE(again->size(), QSize(Twips(9000, again.get()), Twips(7995, again.get())));
    }

    void placementValueThatIsNotANumberGivesDefault() {
        configureStation();
        env->writeSettings(QString::fromUtf8(test::ReadFile(env->configFile())) +
                           "[Settings]\nMainWidth=wide\nMainHeight=7200\n");
        auto window = openMainWindow();
        QCOMPARE(window->width(), Twips(6500, window.get()));
        QCOMPARE(window->height(), Twips(7200, window.get()));
    }

    void restartGivesAFreshLoadedScanWindow() {
        configureStation();
        auto window = openMainWindow();
        QPointer<frmScan> first = window->ScanWindow();
        window->mnuRestart_Click();
        QVERIFY(!first); // the old window was unloaded and released
        QVERIFY(window->ScanWindow() && window->ScanWindow()->IsLoaded());
        QVERIFY(window->ScanWindow()->Timer1->isActive());
    }

    // Without a tray, closing minimises (never hides: it can always be brought back).
    void closeMinimisesAndPollingGoesOn() {
        frmMain::SetTrayProbe([] { return false; });
        auto restore = qScopeGuard([] { frmMain::SetTrayProbe({}); });
        configureStation();
        auto window = openMainWindow();
        window->Command1_Click(1); // viewing: lock file present, polling off
        const QString lock = env->interchangeFolder() + "/AQLVLock.xs4";
        window->close();
        QVERIFY(!window->ExitRequested());
        QVERIFY(window->ScanWindow()->Timer1->isActive());
        QVERIFY(QFile::exists(lock)); // not touched
        QVERIFY(window->isMinimized() && !window->isHidden());
        // Restore brings it back in scan mode.
        window->mPopRestore_Click();
        QVERIFY(!window->isMinimized());
        QVERIFY(!QFile::exists(lock));
    }

    void helpMenuOpensAbout() {
        configureStation();
        auto window = openMainWindow();
        window->mnuHelpAbout_Click();
        QWidget* about = nullptr;
        QTRY_VERIFY((about = findTopLevel("frmAbout")) != nullptr);
        about->close();
    }

    void realExitEndsTheProgramWhenNoWindowIsLeft() {
        configureStation();
        int quits = 0;
        auto previous = SetLoopQuitter([&] { ++quits; });
        auto window = openMainWindow();
        window->mnuSupport_Click(); // a support panel still open keeps the program running
        QWidget* support = nullptr;
        QTRY_VERIFY((support = findTopLevel("frmSupport")) != nullptr);
        QVERIFY(!support->parentWidget()); // not a child: it outlives the main window
        window->mPopExit_Click();
        QTest::qWait(50);
        QCOMPARE(quits, 0);
        support->close();
        QTRY_COMPARE(quits, 1);
        SetLoopQuitter(previous);
    }

    // A real exit closes everything; it saves the placement unless minimised.
    void realExitClosesEverything_data() {
        QTest::addColumn<bool>("minimised");
        QTest::newRow("normal") << false;
        QTest::newRow("minimised") << true;
    }
    void realExitClosesEverything() {
        QFETCH(bool, minimised);
        configureStation();
        auto window = openMainWindow();
        QPointer<frmScan> scan = window->ScanWindow();
        window->resize(Twips(6990, window.get()), Twips(6990, window.get()));
        if (minimised)
            window->close(); // to the tray: minimised
        SettingsStore().Write("Settings", "MainWidth", "1234");
        window->mPopExit_Click();
        QVERIFY(window->ExitRequested());
        QVERIFY(!scan);
        QVERIFY(!SharedContext().DbConnection);
        QCOMPARE(SettingsStore().Read("Settings", "MainWidth").toDouble(), minimised ? 1234 : 6990);
    }
};

QTEST_MAIN(TstWindows)
#include "tst_windows.moc"
