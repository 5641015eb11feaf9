// The shell windows offscreen: configuration dialog, main window, scan window.
#include "base/ProgramEnd.h"
#include "common/ScriptedMessageBoxes.h"
#include "common/TestEnv.h"
#include "common/ViewFixture.h"
#include "gui/common/PictureBox.h"
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
#include <QDateEdit>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>
#include <QtTest>

using namespace quiller;
using quiller::test::ScriptedMessageBoxes;
using quiller::test::SharedContext;
using quiller::test::TestEnv;

class WindowTests : public QObject {
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
        QVERIFY(SharedContext().DbConnection->Open(SharedContext().dataPath));
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
            // The proposals for a new station.
            QCOMPARE(dialog.Text1->text(),
                     QDir::toNativeSeparators(QDir::homePath() + "/ORB5/Quiller Images"));
            QCOMPARE(dialog.txtFilePath->text(),
                     QDir::toNativeSeparators(QDir::homePath() + "/ORB5"));
            QCOMPARE(dialog.Text2->text(), QStringLiteral("A"));
            QCOMPARE(dialog.Combo1->count(), 2);
            QCOMPARE(dialog.Combo1->currentIndex(), 0);
            dialog.Combo1->setCurrentIndex(1);
            dialog.Text1->setText(env->imageFolder());
            dialog.txtFilePath->setText(env->interchangeFolder());
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
        QCOMPARE(settings.Read("setup", "ScannerID"), QStringLiteral("A"));
        const QString ini = QString::fromUtf8(test::ReadFile(env->configFile()));
        QVERIFY2(ini.contains("[setup]"), qPrintable(ini));
        QCOMPARE(
            ini.count(QRegularExpression("^scanner=", QRegularExpression::CaseInsensitiveOption |
                                                          QRegularExpression::MultilineOption)),
            1);

        // The database with its Configuration row.
        QVERIFY(QFile::exists(env->imageFolder() + "/Marrowby.mdb"));
        QCOMPARE(SharedContext().DbConnection->ReadScannerSource(), std::optional<QString>("1"));

        // The main window with the scan window inside, polling on.
        QVERIFY(mainWindow);
        QCOMPARE(mainWindow->windowTitle(), QStringLiteral("Tellan Rx Image Scan (V.1.0.0)"));
        frmScan* scan = mainWindow->ScanWindow();
        QVERIFY(scan);
        QCOMPARE(scan->windowTitle(), QStringLiteral("Scanning Prescriptions"));
        QVERIFY(scan->IsLoaded());
        QVERIFY(scan->Timer1->isActive());
        QCOMPARE(scan->Timer1->interval(), 2000);
        QVERIFY(!scan->Timer2->isActive());
        QCOMPARE(mainWindow->StatusText(), QStringLiteral("Idle"));
        QCOMPARE(mainWindow->Label1->text(), QStringLiteral("Ready to Scan"));
    }

    void okChecks_data() {
        QTest::addColumn<bool>("scanner");
        QTest::addColumn<QString>("images");
        QTest::addColumn<QString>("interchange");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("icon");
        QTest::addColumn<QString>("focus");
        const int excl = int(MsgIcon::Exclamation);
        QTest::newRow("no scanner") << false << ""
                                    << ""
                                    << "Select a scanner." << excl << "Combo1";
        QTest::newRow("both folders empty") << true << ""
                                            << ""
                                            << "Where to save image files?" << excl << "Text1";
        QTest::newRow("interchange empty")
            << true << "@images"
            << ""
            << "Where to get prescription data files?" << excl << "txtFilePath";
        QTest::newRow("image folder missing")
            << true << "@missing"
            << "@nowhere"
            << "The folder @missing is not accessible or does not exist." << int(MsgIcon::Critical)
            << "Text1";
    }

    void okChecks() {
        QFETCH(bool, scanner);
        QFETCH(QString, images);
        QFETCH(QString, interchange);
        QFETCH(QString, message);
        QFETCH(int, icon);
        QFETCH(QString, focus);
        auto expand = [&](QString s) {
            s.replace("@images", QDir::toNativeSeparators(env->imageFolder()));
            s.replace("@missing", QDir::toNativeSeparators(env->home() + "/missing"));
            s.replace("@nowhere", QDir::toNativeSeparators(env->home() + "/nowhere"));
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
        dialog.Command2_Click(0);
        QVERIFY(!dialog.Saved());
        QCOMPARE(boxes.count(), 1);
        QCOMPARE(boxes.last().text, expand(message));
        QCOMPARE(int(boxes.last().icon), icon);
        QCOMPARE(boxes.last().caption, QStringLiteral("Quiller"));
        QVERIFY(dialog.focusWidget());
        QCOMPARE(dialog.focusWidget()->objectName(), focus);
        // Nothing was saved.
        QVERIFY(!QFile::exists(env->configFile()) ||
                !test::ReadFile(env->configFile()).contains("dataPath"));
    }

    void nonExistingInterchangeFolderIsAccepted() {
        ScriptedMessageBoxes boxes;
        frmConfiguration dialog(SharedContext());
        dialog.Form_Load();
        dialog.Text1->setText(env->imageFolder());
        dialog.txtFilePath->setText(env->home() + "/not-yet");
        dialog.Command2_Click(0);
        QVERIFY(dialog.Saved());
        QCOMPARE(boxes.count(), 0);
        QCOMPARE(SettingsStore().Read("setup", "filePath"), env->home() + "/not-yet");
    }

    void cancelSavesNothing() {
        ScriptedMessageBoxes boxes;
        frmConfiguration dialog(SharedContext());
        dialog.Form_Load();
        dialog.Text1->setText(env->imageFolder());
        dialog.txtFilePath->setText(env->interchangeFolder());
        dialog.Command2_Click(1);
        QVERIFY(!dialog.Saved());
        QVERIFY(SharedContext().dataPath.isEmpty());
        QVERIFY(SettingsStore().Read("setup", "dataPath").isEmpty());
        QVERIFY(!QFile::exists(env->imageFolder() + "/Marrowby.mdb"));
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
        auto previous = getDir::SetChooser([&](QWidget*, const QString& title) {
            [&] {
                QCOMPARE(title, QStringLiteral("Select a directory, then click OK"));
            }();
            return chosen;
        });
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

    void okWithNewImageFolderReopensDatabaseThere() {
        configureStation();
        const QString other = env->home() + "/other-images";
        QDir().mkpath(other);
        frmConfiguration dialog(SharedContext());
        dialog.Form_Load();
        dialog.Text1->setText(other);
        dialog.Command2_Click(0);
        QVERIFY(dialog.Saved());
        QCOMPARE(SharedContext().DbConnection->FilePath(), other + "/Marrowby.mdb");
        QVERIFY(SharedContext().DbConnection->IsOpen());
        QCOMPARE(SharedContext().DbConnection->ReadScannerSource(), std::optional<QString>("0"));
    }

    void modeSwitch() {
        configureStation();
        auto window = openMainWindow();
        frmScan* scan = window->ScanWindow();
        const QString lock = env->interchangeFolder() + "/AQLVLock.xs4";

        window->Command1_Click(1); // View
        QVERIFY(QFile::exists(lock));
        QCOMPARE(test::ReadFile(lock), QByteArray("Locked\r\n"));
        const QDateTime written = QFileInfo(lock).lastModified();
        QCOMPARE(window->Label1->text(), QStringLiteral("Not Ready to Scan"));
        const QColor red =
            frmMain::ReadinessColour(false, window->palette().color(QPalette::Window));
        QVERIFY(window->Label1->styleSheet().contains(
            QStringLiteral("rgb(%1, %2, %3)").arg(red.red()).arg(red.green()).arg(red.blue())));
        QVERIFY(scan->fraList->isVisibleTo(scan));
        QVERIFY(scan->fraSearch->isVisibleTo(scan));
        QVERIFY(!scan->Timer1->isActive());
        QCOMPARE(scan->Frame2->title(), QStringLiteral("Rx Image"));
        QCOMPARE(window->StatusText(), QStringLiteral("View scanned images"));

        QTest::qWait(20);
        test::WriteFile(lock, "someone else's\r\n");
        window->Command1_Click(1); // a second View finds the file and leaves it alone
        QCOMPARE(test::ReadFile(lock), QByteArray("someone else's\r\n"));
        Q_UNUSED(written);

        window->Command1_Click(0); // Scan
        QVERIFY(!QFile::exists(lock));
        QCOMPARE(window->Label1->text(), QStringLiteral("Ready to Scan"));
        const QColor green =
            frmMain::ReadinessColour(true, window->palette().color(QPalette::Window));
        QVERIFY(window->Label1->styleSheet().contains(QStringLiteral("rgb(%1, %2, %3)")
                                                          .arg(green.red())
                                                          .arg(green.green())
                                                          .arg(green.blue())));
        QVERIFY(!scan->fraList->isVisibleTo(scan));
        QVERIFY(!scan->fraSearch->isVisibleTo(scan));
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

    void scanWindowLayout() {
        configureStation();
        auto window = openMainWindow();
        frmScan* scan = window->ScanWindow();
        // Every control carries its name.
        for (const char* name :
             {"Frame1",    "ListView1",  "Frame2",       "Image1",        "Label1",       "Combo1",
              "Command1",  "Command2",   "Command4",     "LabelImageNum", "fraSearch",    "Combo2",
              "Text1",     "lblDate(0)", "DTPicker1(0)", "lblDate(1)",    "DTPicker1(1)", "fraList",
              "ListView2", "Timer1",     "Timer2"})
            QVERIFY2(scan->findChild<QObject*>(name), name);
        QCOMPARE(scan->Combo2->count(), 5);
        QCOMPARE(scan->Combo2->currentText(), QStringLiteral("Rx Number"));
        QVERIFY(scan->DTPicker1[0]->isHidden() && scan->lblDate[1]->isHidden());
        QCOMPARE(scan->DTPicker1[1]->date(), QDate::currentDate());
        QCOMPARE(scan->LabelImageNum->text(), QStringLiteral("No images"));
        QCOMPARE(scan->Command4->text(), QStringLiteral("&View Larger Image/Print"));

        // Wider: frames, lists and the right-hand controls follow with a 200-twip margin.
        const int fixedHeight = scan->height();
        scan->resize(Twips(9515, scan), Twips(9000, scan));
        const int frameWidth = scan->width() - Twips(200, scan);
        QCOMPARE(scan->Frame1->width(), frameWidth);
        QCOMPARE(scan->Frame2->width(), frameWidth);
        QCOMPARE(scan->fraList->width(), frameWidth);
        QCOMPARE(scan->ListView1->width(), frameWidth - Twips(200, scan));
        QCOMPARE(scan->ListView2->width(), frameWidth - Twips(200, scan));
        QCOMPARE(scan->Command2->width(), frameWidth - scan->Command2->x() - Twips(200, scan));
        QCOMPARE(scan->Image1->width(), Twips(3375, scan));
        QCOMPARE(scan->height(), fixedHeight); // the height stays fixed
    }

    void restartGivesAFreshLoadedScanWindow() {
        configureStation();
        auto window = openMainWindow();
        QPointer<frmScan> first = window->ScanWindow();
        window->mnuRestart_Click();
        QVERIFY(!first); // the old window was unloaded and released
        frmScan* second = window->ScanWindow();
        QVERIFY(second);
        QVERIFY(second->IsLoaded());
        QVERIFY(second->Timer1->isActive());
    }

    void closeHidesAndPollingGoesOn() {
        configureStation();
        auto window = openMainWindow();
        window->Command1_Click(1); // viewing: lock file present, polling off
        const QString lock = env->interchangeFolder() + "/AQLVLock.xs4";
        window->close();
        QVERIFY(!window->ExitRequested());
        QVERIFY(window->ScanWindow());
        QVERIFY(window->ScanWindow()->Timer1->isActive());
        QVERIFY(QFile::exists(lock)); // not touched
        QCOMPARE(window->Label1->text(), QStringLiteral("Not Ready to Scan"));
        QVERIFY(window->isMinimized() || window->isHidden());
        // Restore brings it back in scan mode.
        window->mPopRestore_Click();
        QVERIFY(!window->isMinimized());
        QVERIFY(!QFile::exists(lock));
        QCOMPARE(window->Label1->text(), QStringLiteral("Ready to Scan"));
    }

    void helpMenuOpensAboutAndSupport() {
        configureStation();
        auto window = openMainWindow();
        window->mnuHelpAbout_Click();
        QWidget* about = nullptr;
        QTRY_VERIFY((about = findTopLevel("frmAbout")) != nullptr);
        QCOMPARE(about->windowTitle(), QStringLiteral("About Marrowby"));
        QVERIFY(about->isModal() || about->windowModality() != Qt::NonModal);
        about->close();
        window->mnuSupport_Click();
        QWidget* support = nullptr;
        QTRY_VERIFY((support = findTopLevel("frmSupport")) != nullptr);
        QCOMPARE(support->windowTitle(), QStringLiteral("Technical Support"));
        QVERIFY(!support->parentWidget()); // not a child: it outlives the main window
        support->close();
    }

    void closeWithoutTrayMinimises() {
        frmMain::SetTrayProbe([] { return false; });
        auto restore = qScopeGuard([] { frmMain::SetTrayProbe({}); });
        configureStation();
        auto window = openMainWindow();
        window->close();
        QVERIFY(window->isMinimized());
        QVERIFY(!window->isHidden()); // it can always be brought back
    }

    void realExitEndsTheProgramWhenNoWindowIsLeft() {
        configureStation();
        int quits = 0;
        auto previous = SetLoopQuitter([&] { ++quits; });
        auto window = openMainWindow();
        window->mnuSupport_Click(); // a support panel still open keeps the program running
        QWidget* support = nullptr;
        QTRY_VERIFY((support = findTopLevel("frmSupport")) != nullptr);
        window->mPopExit_Click();
        QTest::qWait(50);
        QCOMPARE(quits, 0);
        support->close();
        QTRY_COMPARE(quits, 1);
        SetLoopQuitter(previous);
    }

    void realExitWhileMinimisedSavesNoPlacement() {
        configureStation();
        auto window = openMainWindow();
        window->resize(Twips(6990, window.get()), Twips(6990, window.get()));
        window->close(); // to the tray: minimised
        QVERIFY(window->isMinimized());
        SettingsStore().Write("Settings", "MainWidth", "1234");
        window->mPopExit_Click();
        QCOMPARE(SettingsStore().Read("Settings", "MainWidth"), QStringLiteral("1234"));
        QVERIFY(!SharedContext().DbConnection);
    }

    void realExitClosesEverything() {
        configureStation();
        auto window = openMainWindow();
        QPointer<frmScan> scan = window->ScanWindow();
        window->resize(Twips(6990, window.get()), Twips(6990, window.get()));
        window->mPopExit_Click();
        QVERIFY(window->ExitRequested());
        QVERIFY(!scan);
        QVERIFY(!SharedContext().DbConnection);
        QCOMPARE(SettingsStore().Read("Settings", "MainWidth").toDouble(), 6990.0);
    }
};

QTEST_MAIN(WindowTests)
#include "tst_windows.moc"
