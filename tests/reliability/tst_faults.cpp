// Faults around the running station, through the real wiring of the main window and
// its scan window: the interchange folder goes away, the database is held by another
// program or cannot be written, the image folder cannot take a page, the scanner fails
// in the middle of a batch.
#include "common/StationFixture.h"

#include <QSqlQuery>
#include <QtWidgets>

#include <sched.h>
#include <sys/mount.h>

using namespace quiller;
using quiller::test::Station;
using quiller::test::ThreeLines;

namespace {

// Whether this test process has a mount namespace of its own (it runs as root where
// the machine allows it): then a small tmpfs can stand for a full disk and a read-only
// bind mount for a read-only share, without touching the machine's own mounts.
bool g_privateMounts = false;

bool MakeMountsPrivate() {
    if (::unshare(CLONE_NEWNS) != 0)
        return false;
    return ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
}

bool MountTmpfs(const QString& folder, const QByteArray& size) {
    QDir().mkpath(folder);
    return ::mount("tmpfs", QFile::encodeName(folder), "tmpfs", 0, ("size=" + size).data()) == 0;
}

bool MountReadOnly(const QString& folder) {
    const QByteArray path = QFile::encodeName(folder);
    if (::mount(path.constData(), path.constData(), nullptr, MS_BIND, nullptr) != 0)
        return false;
    return ::mount(nullptr, path.constData(), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr) ==
           0;
}

void Unmount(const QString& folder) {
    ::umount2(QFile::encodeName(folder).constData(), MNT_DETACH);
}

// A page whose JPEG is large: grey noise does not compress.
QImage NoisePage(int side) {
    QImage page(side, side, QImage::Format_Grayscale8);
    auto* rng = QRandomGenerator::global();
    for (int y = 0; y < side; ++y) {
        uchar* line = page.scanLine(y);
        for (int x = 0; x < side; ++x)
            line[x] = uchar(rng->bounded(256));
    }
    return page;
}

const QMap<QString, QString> kAllStored{
    {"123/01", "123_01.jpg"}, {"124/00", "124_00.jpg"}, {"125/2", "125_2.jpg"}};
const QStringList kAllImages{"123_01.jpg", "124_00.jpg", "125_2.jpg"};

} // namespace

class TstFaults : public QObject {
    Q_OBJECT

private slots:
    // The interchange folder gone, or the database on a read-only folder: one report, the data file
    // kept whole and nothing of it stored; once the fault is over (for the folder: it is back and
    // the operator restarts) all of it is stored.
    void faultKeepsTheDataFileUntilItIsOver_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("interchange folder gone") << "gone";
        if (g_privateMounts)
            QTest::newRow("database on a read-only folder") << "read-only";
    }
    void faultKeepsTheDataFileUntilItIsOver() {
        QFETCH(QString, how);
        Station s;
        s.script.pagesPerAcquire = 3;
        s.open();
        const QString folder = s.env.interchangeFolder();
        const QString away = s.env.home() + "/away";
        if (how == "gone") { // the share goes away with a data file on it
            s.scan()->Timer1->stop();
            QVERIFY(QDir().rename(folder, away));
            test::WriteFile(away + "/AX0001.QLV", ThreeLines());
            s.scan()->Timer1->start();
        } else {
            QVERIFY(MountReadOnly(s.env.imageFolder()));
        }
        auto unmount = qScopeGuard([&] {
            if (how == "read-only")
                Unmount(s.env.imageFolder());
        });
        if (how != "gone")
            s.drop("AX0001.QLV", ThreeLines());
        QTRY_COMPARE_WITH_TIMEOUT(s.boxes.count(), 1, 5000);
        QCOMPARE(s.scan()->ListView1->topLevelItemCount(), 0);
        QVERIFY(!QFile::exists(s.lockFile()));
        QVERIFY(s.images().isEmpty());
        QVERIFY(s.status().endsWith(". Click Restart from Tools menu to start again."));

        if (how == "gone") {
            QVERIFY2(s.boxes.last().text.contains("Path not found"),
                     qPrintable(s.boxes.last().text));
            QVERIFY(QDir().rename(away, folder));
            s.window->mnuRestart_Click();
            s.fastPolling();
        } else {
            // Free again: nothing of the file was written meanwhile, then all of it.
            QCOMPARE(test::ReadFile(s.dataFile("AX0001.QLV")), ThreeLines());
            s.scan()->Timer1->stop();
            unmount.dismiss(), Unmount(s.env.imageFolder());
            QCOMPARE(s.rows(), (QMap<QString, QString>()));
            s.scan()->Timer1->start();
        }
        QTRY_COMPARE_WITH_TIMEOUT(s.images(), kAllImages, 10000);
        QTRY_VERIFY(s.idleAndPolling());
        QVERIFY(!QFile::exists(s.dataFile("AX0001.QLV")));
        QCOMPARE(s.rows(), kAllStored);
        QCOMPARE(s.boxes.count(), 1);
    }

    void pageThatCannotBeSavedLeavesNoPartialFileNorRowAndTheBatchGoesOn_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("a folder in the page's way") << "blocked";
        if (g_privateMounts)
            QTest::newRow("image folder full") << "full";
    }
    void pageThatCannotBeSavedLeavesNoPartialFileNorRowAndTheBatchGoesOn() {
        QFETCH(QString, how);
        Station s;
        if (how == "full")
            QVERIFY(MountTmpfs(s.env.imageFolder(), "320k"));
        auto unmount = qScopeGuard([&] {
            if (how == "full")
                Unmount(s.env.imageFolder());
        });
        s.script.manual = true;
        s.open();
        if (how == "blocked")
            QVERIFY(QDir().mkpath(s.env.imageFolder() + "/124_00.jpg"));

        s.drop("AX0001.QLV", ThreeLines());
        QTRY_VERIFY_WITH_TIMEOUT(s.simulated && s.simulated->IsAcquiring(), 5000);
        s.simulated->DeliverPage();
        s.simulated->DeliverPage(NoisePage(900)); // a JPEG far larger than the room left
        s.simulated->DeliverPage();
        s.simulated->FinishAcquisition();

        QTRY_VERIFY(s.idleAndPolling());
        // Only whole pages, each named by its row; nothing half written or left over.
        const QStringList files =
            QDir(s.env.imageFolder()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
        QCOMPARE(files, QStringList({"123_01.jpg", "125_2.jpg", "Marrowby.mdb"}));
        // A folder in the way keeps the page apart; a full disk cannot keep it at all.
        QCOMPARE(QDir(s.env.imageFolder() + "/Unmatched").entryList(QDir::Files).size(),
                 how == "blocked" ? 1 : 0);
        QCOMPARE(s.rows(), (QMap<QString, QString>{
                               {"123/01", "123_01.jpg"}, {"124/00", ""}, {"125/2", "125_2.jpg"}}));
        for (const QString name : {"123_01.jpg", "125_2.jpg"})
            QVERIFY2(!QImageReader(s.env.imageFolder() + "/" + name).read().isNull(),
                     qPrintable(name));
        // The operator is told which prescription has no page.
        const QString all = s.boxes.texts().join("\n");
        QVERIFY2(all.contains("2 of 3 prescriptions scanned and stored."), qPrintable(all));
        QVERIFY2(all.contains(how == "blocked"
                                  ? "124-00: its image name is taken by something that is not"
                                  : "124-00: A scanned page could not be kept on disk"),
                 qPrintable(all));
    }

    void scannerFailureStoresEarlierPagesListsTheRestAndReturnsToIdle_data() {
        QTest::addColumn<int>("failAfter"); // pages before the fault
        QTest::addColumn<QString>("failText");
        QTest::newRow("jam after one page") << 1 << "The document feeder jammed.";
        QTest::newRow("I/O error after two pages") << 2 << "Error during device I/O.";
        QTest::newRow("busy before any page") << 0 << "Device busy.";
    }
    void scannerFailureStoresEarlierPagesListsTheRestAndReturnsToIdle() {
        QFETCH(int, failAfter);
        QFETCH(QString, failText);
        Station s;
        s.script.pagesPerAcquire = 3;
        s.script.failAfterPages = failAfter;
        s.script.failText = failText;
        s.open();
        s.drop("AX0001.QLV", ThreeLines());
        QTRY_VERIFY_WITH_TIMEOUT(s.boxes.texts().join("\n").contains("prescriptions scanned"),
                                 20000);
        QTRY_VERIFY(s.idleAndPolling());

        const QStringList entries{"123-01", "124-00", "125-2"};
        QCOMPARE(s.images(), kAllImages.mid(0, failAfter));
        QMap<QString, QString> expected = kAllStored;
        for (auto it = std::next(expected.begin(), failAfter); it != expected.end(); ++it)
            it.value().clear();
        QCOMPARE(s.rows(), expected);
        const QString all = s.boxes.texts().join("\n");
        QVERIFY2(all.contains(failText, Qt::CaseInsensitive), qPrintable(all));
        QVERIFY2(all.contains(QStringLiteral("%1 of 3 prescriptions scanned and stored.\nNot "
                                             "scanned: %2")
                                  .arg(failAfter)
                                  .arg(entries.mid(failAfter).join(", "))),
                 qPrintable(all));
        QVERIFY(!QFile::exists(s.dataFile("AX0001.QLV")));
    }

    // Switching to viewing and back while a batch waits for paper leaves the station
    // busy: the lock file stays raised and polling stays off until the batch ends.
    void modeSwitchMidBatchKeepsTheLockFile() {
        Station s;
        s.script.feederAvailable = true;
        s.script.documentLoadedDefault = 0; // the batch waits for paper
        s.open();
        s.drop("AX0001.QLV", ThreeLines());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(s.lockFile()) && s.scan()->Busy(), 20000);
        s.window->Command1_Click(1);
        s.window->Command1_Click(0);
        QVERIFY(QFile::exists(s.lockFile()));
        QVERIFY(!s.scan()->Timer1->isActive() && s.scan()->Busy());
    }

    // Restart or Exit late in a batch: the pages that came are filed (by position, since
    // the batch ends) and the lock file comes down.
    void restartOrExitLateInABatchKeepsEveryPage_data() {
        QTest::addColumn<bool>("exit");
        QTest::newRow("Restart") << false;
        QTest::newRow("Exit") << true;
    }
    void restartOrExitLateInABatchKeepsEveryPage() {
        QFETCH(bool, exit);
        Station s;
        s.script.manual = true;
        s.configure();
        s.env.writeSettings(
            QStringLiteral("[setup]\ndataPath=%1\nfilePath=%2\nScannerID=A\nScanner=0\n"
                           "[verify]\nmode=check\n")
                .arg(s.env.imageFolder(), s.env.interchangeFolder()));
        s.openWindow();
        s.fastPolling();
        s.drop("AX0001.QLV", ThreeLines());
        QTRY_VERIFY_WITH_TIMEOUT(s.simulated && s.simulated->IsAcquiring(), 5000);
        for (int k = 0; k < 3; ++k)
            s.simulated->DeliverPage(); // unlabelled: filed by position at the batch's end
        QVERIFY(QFile::exists(s.lockFile()));
        s.boxes.answer(MsgAnswer::Yes); // "... still being scanned. Stop and exit?"
        if (exit)
            s.window->mPopExit_Click();
        else
            s.window->mnuRestart_Click();
        QVERIFY2(s.boxes.texts().join("\n").contains("still being scanned. Stop and exit?"),
                 qPrintable(s.boxes.texts().join("\n")));
        if (exit) { // the ended station closed its database: look at the file again
            test::SharedContext().DbConnection = std::make_unique<Database>();
            test::SharedContext().DbConnection->Open(s.env.imageFolder());
        }
        QCOMPARE(s.rows(), kAllStored);
        QVERIFY(!QFile::exists(s.lockFile()));
        if (!exit) {
            QTRY_VERIFY(s.idleAndPolling());
            QVERIFY(!s.scan()->cmdScanRest->isEnabled());
        }
    }
};

int main(int argc, char** argv) {
    // Before any thread starts: the mount namespace is the whole process's.
    g_privateMounts = MakeMountsPrivate();
    QApplication app(argc, argv);
    QTEST_SET_MAIN_SOURCE_PATH
    TstFaults tests;
    return QTest::qExec(&tests, argc, argv);
}

#include "tst_faults.moc"
