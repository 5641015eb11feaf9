// The configuration dialog on a slow SANE device list (the test backend, through the real
// libsane): the list fills in as the devices arrive, a first run completes, the scanner
// is stored by its device name and found by it again, Refresh lists again.
#include "common/ScriptedMessageBoxes.h"
#include "common/TestEnv.h"
#include "common/ViewFixture.h"
#include "gui/settings/frmConfiguration.h"
#include "scanner/SaneScanner.h"
#include "settings/SettingsStore.h"

#include <QtTest>
#include <QtWidgets>

using namespace quiller;

class TestConfigScanners : public QObject {
    Q_OBJECT
    std::unique_ptr<test::TestEnv> env_;

private slots:
    void init() {
        env_ = std::make_unique<test::TestEnv>();
        InstallSaneScannerFactory();
    }
    void cleanup() {
        test::SharedContext().DbConnection.reset();
        env_.reset();
    }

    void firstRunOnASlowDeviceListCompletes() {
        test::ScriptedMessageBoxes boxes;
        frmConfiguration dialog(test::SharedContext());
        dialog.Form_Load();
        QCOMPARE(dialog.Combo1->count(), 0); // the listing takes 3.6 s; the dialog is up
        QTRY_COMPARE_WITH_TIMEOUT(dialog.Combo1->count(), 2, 30000);
        QCOMPARE(dialog.Combo1->currentIndex(), 0);
        dialog.Text1->setText(env_->imageFolder());
        dialog.txtFilePath->setText(env_->interchangeFolder());
        dialog.Command2_Click(0);
        QVERIFY(dialog.Saved());
        QCOMPARE(boxes.count(), 0);
        QCOMPARE(SettingsStore().Read("setup", "ScannerDevice"), "quillerfake:fujitsu");
        QCOMPARE(SettingsStore().Read("setup", "Scanner"), "0");
    }

    void storedDeviceIsChosenByNameAndRefreshAddsNoTwins() {
        // The position says the first device, the name the second: the name wins.
        env_->writeSettings("[setup]\nScanner=0\nScannerDevice=quillerfake:canon_dr\n");
        frmConfiguration dialog(test::SharedContext());
        dialog.Form_Load();
        QTRY_COMPARE_WITH_TIMEOUT(dialog.Combo1->count(), 2, 30000);
        QCOMPARE(dialog.Combo1->currentText(), QStringLiteral("CANON DR-C225"));
        QTRY_VERIFY_WITH_TIMEOUT(dialog.Scanner()->ListingComplete(), 30000);
        dialog.cmdRefresh->click();
        QVERIFY(!dialog.Scanner()->ListingComplete()); // listing again, for 3.6 s
        QTRY_VERIFY_WITH_TIMEOUT(dialog.Scanner()->ListingComplete(), 30000);
        QCOMPARE(dialog.Combo1->count(), 2);
        QCOMPARE(dialog.Combo1->currentText(), QStringLiteral("CANON DR-C225"));
    }
};

QTEST_MAIN(TestConfigScanners)
#include "tst_configscanners.moc"
