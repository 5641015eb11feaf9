#include "base/ProgramEnd.h"
#include "common/ScriptedMessageBoxes.h"
#include "common/TestEnv.h"
#include "common/ViewFixture.h"
#include "gui/main/SingleInstance.h"
#include "gui/main/StationWiring.h"
#include "gui/main/frmMain.h"
#include "gui/settings/frmConfiguration.h"
#include "records/Database.h"
#include "scanner/SimulatedScanner.h"
#include "settings/SettingsStore.h"
#include "station/StationContext.h"

#include <QLineEdit>
#include <QSystemTrayIcon>
#include <QtTest>
#include <cmath>

using namespace quiller;
using quiller::test::ScriptedMessageBoxes;
using quiller::test::SharedContext;
using quiller::test::TestEnv;

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

// Ending, raising and configuring the station as an administrator sees it.
class TstAdministration : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnv> env;

    void configureStation() {
        env->writeSettings(
            QStringLiteral("[setup]\ndataPath=%1\nfilePath=%2\nScannerID=A\nScanner=0\n")
                .arg(env->imageFolder(), env->interchangeFolder()));
        StationContext& app = SharedContext();
        app.dataPath = env->imageFolder();
        app.filePath = env->interchangeFolder();
        app.ScannerID = QStringLiteral("A");
        Database::EnsureFile(app.dataPath, QString());
        app.DbConnection = std::make_unique<Database>();
        app.DbConnection->Open(app.dataPath);
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
        ScannerControl::SetFactory([] { return std::make_unique<SimulatedScanner>(); });
        configureStation();
    }
    void cleanup() {
        frmMain::SetTrayProbe({});
        SettingsStore::UseFile(QString());
        StationContext& app = SharedContext();
        app.MainWindow = nullptr;
        app.DbConnection.reset();
        env.reset();
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
        int quits = 0;
        auto previous = SetLoopQuitter([&] { ++quits; });
        auto restore = qScopeGuard([&] { SetLoopQuitter(previous); });
        ScriptedMessageBoxes boxes;
        auto window = openMainWindow();
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
            QTRY_COMPARE(quits, 1);
        else
            QVERIFY(window->ScanWindow() && SharedContext().DbConnection);
        QCOMPARE(window->isHidden(), tray && !ends ? true : ends);
    }

    // A tray that comes up after the station gets the icon.
    void trayIconAppearsWhenATrayComesUp() {
        bool tray = false;
        frmMain::SetTrayProbe([&] { return tray; });
        auto window = openMainWindow();
        QVERIFY(!window->TrayIcon()->isVisible());
        tray = true;
        QTRY_VERIFY_WITH_TIMEOUT(window->TrayIcon()->isVisible(), 10000);
    }

    // The placement cannot be written (its file lies below a plain file): the exit
    // reports it and still ends the program.
    void exitEndsEvenWhenPlacementCannotBeSaved() {
        frmMain::SetTrayProbe([] { return false; });
        int quits = 0;
        auto previous = SetLoopQuitter([&] { ++quits; });
        auto restore = qScopeGuard([&] { SetLoopQuitter(previous); });
        ScriptedMessageBoxes boxes;
        auto window = openMainWindow();
        test::WriteFile(env->home() + "/plain", "x");
        SettingsStore::UseFile(env->home() + "/plain/Quiller.conf");
        window->resize(window->size() + QSize(10, 10));
        window->mPopExit_Click();
        QTRY_COMPARE(quits, 1);
        QCOMPARE(boxes.count(), 1);
        QVERIFY2(boxes.last().text.contains("could not be written"), qPrintable(boxes.last().text));
        QVERIFY(!SharedContext().DbConnection);
    }

    // A second launch finds the first through the socket beside the lock and brings
    // its hidden window back.
    void secondLaunchRaisesTheHiddenWindow() {
        frmMain::SetTrayProbe([] { return true; });
        auto window = openMainWindow();
        SingleInstance first(env->home(), "quiller");
        QVERIFY(first.TryFirst());
        connect(&first, &SingleInstance::raiseRequested, window.get(), &frmMain::BringToFront);
        window->close(); // to the tray
        QVERIFY(window->isHidden());
        SingleInstance second(env->home(), "quiller");
        QVERIFY(!second.TryFirst());
        QTRY_VERIFY(window->isVisible() && !window->isMinimized());
    }

    // On a first start the proposed folders are offered for creation.
    void proposedFoldersOfferedForCreation_data() {
        QTest::addColumn<int>("answer");
        QTest::newRow("yes") << int(MsgAnswer::Yes);
        QTest::newRow("no") << int(MsgAnswer::No);
    }
    void proposedFoldersOfferedForCreation() {
        QFETCH(int, answer);
        const bool yes = answer == int(MsgAnswer::Yes);
        env->writeSettings("[setup]\nScanner=0\n");
        ScriptedMessageBoxes boxes;
        boxes.answer(MsgAnswer(answer));
        boxes.answer(MsgAnswer(answer));
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
        const QString other = env->home() + "/other";
        QDir().mkpath(other);
        if (broken)
            test::WriteFile(other + "/Marrowby.mdb", QByteArray(4096, 'Z'));
        ScriptedMessageBoxes boxes;
        frmConfiguration dialog(SharedContext());
        dialog.Form_Load();
        dialog.Text1->setText(other);
        dialog.Command2_Click(0);
        QCOMPARE(dialog.Saved(), !broken);
        QCOMPARE(boxes.count(), broken ? 1 : 0);
        const QString folder = broken ? env->imageFolder() : other;
        Database* db = SharedContext().DbConnection.get();
        QVERIFY(db && db->IsOpen());
        QCOMPARE(db->FilePath(), Database::PathIn(folder));
        QCOMPARE(db->ReadScannerSource(), broken ? std::nullopt : std::optional<QString>("0"));
        QCOMPARE(SettingsStore().Read("setup", "dataPath"), folder);
    }

    // The readiness label can be read on a light window and on a dark one.
    void readinessLabelContrast_data() {
        QTest::addColumn<QColor>("background");
        QTest::addColumn<bool>("ready");
        for (const QColor& bg : {QColor(255, 255, 255), QColor(30, 30, 30)})
            for (bool ready : {true, false})
                QTest::addRow("%s %s", qPrintable(bg.name()), ready ? "ready" : "not ready")
                    << bg << ready;
    }
    void readinessLabelContrast() {
        QFETCH(QColor, background);
        QFETCH(bool, ready);
        const QColor text = frmMain::ReadinessColour(ready, background);
        QVERIFY2(Contrast(text, background) >= 4.5, qPrintable(text.name()));
        // Still green for ready and red for not ready.
        QVERIFY(ready ? text.green() > 2 * text.red() : text.red() > 2 * text.green());
    }
};

QTEST_MAIN(TstAdministration)
#include "tst_administration.moc"
