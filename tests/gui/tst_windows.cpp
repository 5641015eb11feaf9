// The shell windows offscreen: configuration dialog, main window, scan window; ending,
// raising and configuring the station as an administrator sees it.
#include "base/Error.h"
#include "common/StationFixture.h"
#include "gui/common/Twips.h"
#include "gui/main/SingleInstance.h"
#include "gui/settings/frmConfiguration.h"
#include "settings/SettingsStore.h"
#include "station/Startup.h"

#include <QtWidgets>
#include <cmath>

using namespace quiller;
using quiller::test::SharedContext;
using quiller::test::Station;

namespace {

// WCAG contrast ratio of two colours.
double Contrast(const QColor& a, const QColor& b) {
    auto luminance = [](const QColor& c) {
        auto channel = [](double v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) +
               0.0722 * channel(c.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace

class TstWindows : public QObject {
    Q_OBJECT

    std::unique_ptr<Station> s;

    frmMain* configuredWindow() {
        s->configure();
        return &s->openWindow();
    }

private slots:
    void init() { s = std::make_unique<Station>(); }
    void cleanup() {
        frmMain::SetTrayProbe({});
        SettingsStore::UseFile(QString());
        s.reset();
    }

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
        QCOMPARE(SharedContext().filePath, s->env.interchangeFolder());
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

    // A stored number names the scanner entry; one that is not a number, or names no
    // entry, gives the first.
    void storedScannerPreselected() {
        for (const auto& [stored, expected] : {std::pair("1", 1), {"x", 0}, {"7", 0}}) {
            s->env.writeSettings(QStringLiteral("[setup]\nScanner=%1\n").arg(stored));
            frmConfiguration dialog(SharedContext());
            dialog.Form_Load();
            QCOMPARE(dialog.Combo1->currentIndex(), expected);
        }
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
        QVERIFY(!QFile::exists(lock) && !scan->fraList->isVisibleTo(scan));
        QVERIFY(scan->Timer1->isActive());
        window.Command1_Click(0); // no lock file: nothing to delete, the rest runs
        QVERIFY(scan->Timer1->isActive());
        QCOMPARE(window.Label1->text(), QStringLiteral("Ready to Scan"));

        // Restart replaces the scan window: two windows would both take the same data files.
        QPointer<frmScan> first = scan;
        window.mnuRestart_Click();
        QVERIFY(!first);
        QVERIFY(s->scan() && s->scan()->IsLoaded() && s->scan()->Timer1->isActive());

        // A scan window that cannot be closed stays open and says why; nothing is thrown
        // through the menu.
        QPointer<frmScan> second = s->scan();
        const auto release = second->behaviours().unload;
        second->behaviours().unload = [] {
            throw QuillerError(kErrorUnknown, QStringLiteral("The scanner does not let go."),
                               QStringLiteral("test"));
        };
        const int shown = s->boxes.count();
        window.mnuRestart_Click();
        QVERIFY(second && s->scan() == second.data());
        QCOMPARE(s->boxes.count(), shown + 1);
        QVERIFY(s->boxes.last().text.contains(QStringLiteral("does not let go")));
        second->behaviours().unload = release;
    }

    // The placement is saved and restored; a stored value that is not a number gives the
    // default.
    void placementSaveAndRestore() {
        frmMain* window = configuredWindow();
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

    // Without a tray, closing minimises (never hides: it can always be brought back).
    void closeMinimisesAndPollingGoesOn() {
        frmMain::SetTrayProbe([] { return false; });
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

    // A real exit closes everything and ends the program; it saves the placement unless
    // minimised, and one that cannot be written (its file lies below a plain file) is
    // reported without holding the exit up.
    void realExit_data() {
        QTest::addColumn<bool>("minimised");
        QTest::addColumn<bool>("unwritable");
        QTest::newRow("normal") << false << false;
        QTest::newRow("minimised") << true << false;
        QTest::newRow("placement cannot be saved") << false << true;
    }
    void realExit() {
        QFETCH(bool, minimised);
        QFETCH(bool, unwritable);
        s->open();
        frmMain& window = *s->window;
        QPointer<frmScan> scan = s->scan();
        window.resize(Twips(6990, &window), Twips(6990, &window));
        if (minimised)
            window.close(); // no tray: minimised
        SettingsStore().Write("Settings", "MainWidth", "1234");
        if (unwritable) {
            test::WriteFile(s->env.home() + "/plain", "x");
            SettingsStore::UseFile(s->env.home() + "/plain/Quiller.conf");
        }
        window.mPopExit_Click();
        QVERIFY(window.ExitRequested() && !scan && !SharedContext().DbConnection);
        QTRY_COMPARE(s->quits, 1);
        QCOMPARE(s->boxes.count(), unwritable ? 1 : 0);
        if (unwritable)
            QVERIFY2(s->boxes.last().text.contains("could not be written"),
                     qPrintable(s->boxes.last().text));
        SettingsStore::UseFile(QString());
        QCOMPARE(SettingsStore().Read("Settings", "MainWidth").toDouble(),
                 minimised || unwritable ? 1234 : 6990);
    }

    // File > Exit ends the station when no tray can hold it; in the middle of a batch
    // the scan window decides (it asks the operator) whether it may stop.
    void fileExit_data() {
        QTest::addColumn<bool>("tray");
        QTest::addColumn<bool>("mayStop");
        QTest::addColumn<bool>("ends");
        QTest::newRow("tray: hides") << true << true << false;
        QTest::newRow("no tray: ends") << false << true << true;
        QTest::newRow("no tray, batch goes on") << false << false << false;
    }
    void fileExit() {
        QFETCH(bool, tray);
        QFETCH(bool, mayStop);
        QFETCH(bool, ends);
        frmMain::SetTrayProbe([tray] { return tray; });
        frmMain* window = configuredWindow();
        int asked = 0;
        window->ScanWindow()->behaviours().mayStop = [&] {
            ++asked;
            return mayStop;
        };
        QCOMPARE(window->TrayIcon()->isVisible(), tray);
        window->mnuFileExit_Click();
        QCOMPARE(window->ExitRequested(), ends);
        QCOMPARE(asked, tray ? 0 : 1);
        if (ends)
            QTRY_COMPARE(s->quits, 1);
        else
            QVERIFY(window->ScanWindow() && SharedContext().DbConnection);
        QCOMPARE(window->isHidden(), tray || ends);
    }

    // A tray that comes up after the station gets the icon.
    void trayIconAppearsWhenATrayComesUp() {
        bool tray = false;
        frmMain::SetTrayProbe([&] { return tray; });
        frmMain* window = configuredWindow();
        QVERIFY(!window->TrayIcon()->isVisible());
        tray = true;
        QTRY_VERIFY_WITH_TIMEOUT(window->TrayIcon()->isVisible(), 10000);
    }

    // A second launch finds the first through the socket beside the lock and brings
    // its hidden window back.
    void secondLaunchRaisesTheHiddenWindow() {
        frmMain::SetTrayProbe([] { return true; });
        frmMain* window = configuredWindow();
        SingleInstance first(s->env.home(), "quiller");
        QVERIFY(first.TryFirst());
        connect(&first, &SingleInstance::raiseRequested, window, &frmMain::BringToFront);
        window->close(); // to the tray
        QVERIFY(window->isHidden());
        SingleInstance second(s->env.home(), "quiller");
        QVERIFY(!second.TryFirst());
        QTRY_VERIFY(window->isVisible() && !window->isMinimized());
    }

    // On a first start the proposed folders are offered for creation.
    void proposedFoldersOfferedForCreation_data() {
        QTest::addColumn<bool>("yes");
        QTest::newRow("yes") << true;
        QTest::newRow("no") << false;
    }
    void proposedFoldersOfferedForCreation() {
        QFETCH(bool, yes);
        s->configure();
        s->env.writeSettings("[setup]\nScanner=0\n");
        auto& boxes = s->boxes;
        for (int i = 0; i < 2; ++i)
            boxes.answer(yes ? MsgAnswer::Yes : MsgAnswer::No);
        frmConfiguration dialog(SharedContext());
        dialog.Form_Load();
        const QString images = frmConfiguration::ProposedImageFolder();
        QCOMPARE(QDir::fromNativeSeparators(dialog.Text1->text()), images);
        dialog.Command2_Click(0);
        QCOMPARE(dialog.Saved(), yes);
        QCOMPARE(QFileInfo(images).isDir(), yes);
        QCOMPARE(QFileInfo(frmConfiguration::ProposedInterchangeFolder()).isDir(), yes);
        QCOMPARE(boxes.texts().first(),
                 QStringLiteral("The folder %1 does not exist yet. Create it?")
                     .arg(QDir::toNativeSeparators(images)));
        // Yes: making the image folder made its parent, the interchange folder, too.
        QCOMPARE(boxes.count(), yes ? 1 : 3); // no: the missing folder stops OK
    }

    // OK with a new image folder reopens the database there; one whose database cannot be
    // opened leaves the station on its old database, folder and settings.
    void newImageFolderOnOk_data() {
        QTest::addColumn<bool>("broken");
        QTest::newRow("usable") << false;
        QTest::newRow("broken") << true;
    }
    void newImageFolderOnOk() {
        QFETCH(bool, broken);
        s->configure();
        const QString other = s->env.home() + "/other";
        QDir().mkpath(other);
        if (broken)
            test::WriteFile(other + "/Marrowby.mdb", QByteArray(4096, 'Z'));
        auto& boxes = s->boxes;
        frmConfiguration dialog(SharedContext());
        dialog.Form_Load();
        dialog.Text1->setText(other);
        dialog.Command2_Click(0);
        QCOMPARE(dialog.Saved(), !broken);
        QCOMPARE(boxes.count(), broken ? 1 : 0);
        const QString folder = broken ? s->env.imageFolder() : other;
        Database* db = SharedContext().DbConnection.get();
        QVERIFY(db && db->IsOpen());
        QCOMPARE(db->FilePath(), Database::PathIn(folder));
        QCOMPARE(db->ReadScannerSource(), broken ? std::nullopt : std::optional<QString>("0"));
        QCOMPARE(SettingsStore().Read("setup", "dataPath"), folder);
    }

    // The readiness label can be read on a light window and on a dark one, and stays green
    // for ready and red for not ready.
    void readinessLabelContrast() {
        for (const QColor& background : {QColor(255, 255, 255), QColor(30, 30, 30)})
            for (bool ready : {true, false}) {
                const QColor text = frmMain::ReadinessColour(ready, background);
                QVERIFY2(Contrast(text, background) >= 4.5, qPrintable(text.name()));
                QVERIFY(ready ? text.green() > 2 * text.red() : text.red() > 2 * text.green());
            }
    }
};

QTEST_MAIN(TstWindows)
#include "tst_windows.moc"
