// A flood of data files arriving at once: a thousand files of a hundred lines each are
// all taken and every line is stored, while the event loop keeps turning (the polling
// tick takes files for a bounded time and leaves the rest for the next tick).
#include "common/DataLines.h"
#include "common/ScanListFake.h"
#include "common/TestEnv.h"
#include "common/ViewFixture.h"
#include "station/PollingTick.h"

#include <QSqlQuery>
#include <QtTest>

using namespace quiller;
using namespace quiller::test;

class TstFlood : public QObject {
    Q_OBJECT
private slots:
    // A flood of data files never freezes the window: every tick takes a bounded number of
    // lines (the files it has started on whole), so the work between two turns of the event
    // loop does not grow with the flood. Counted, not timed: the bound holds on any machine.
    void thousandFilesAreTakenInBoundedTicks() {
        constexpr int kFiles = 1000, kLines = 100;
        TestEnv env;
        StationContext& context = SharedContext();
        context.dataPath = env.imageFolder();
        context.filePath = env.interchangeFolder();
        context.ScannerID = "A";
        Database::EnsureFile(context.dataPath, QString());
        context.DbConnection = std::make_unique<Database>();
        context.DbConnection->Open(context.dataPath);
        auto closeDb = qScopeGuard([&] { context.DbConnection.reset(); });
        for (int f = 0; f < kFiles; ++f) {
            QByteArray content;
            for (int l = 0; l < kLines; ++l)
                content += Line(QByteArray::number(f * kLines + l), "00", "20060307",
                                "Flood " + QByteArray::number(f), "First", "Last");
            WriteFile(env.interchangeFolder() +
                          QStringLiteral("/AX%1.QLV").arg(f, 4, 10, QChar('0')),
                      content);
        }

        // Timer1 and the batch as the scan window drives them: polling stops while a batch
        // runs and starts again when it has ended.
        ScanListFake list;
        QTimer timer1;
        timer1.setInterval(10);
        int listed = 0, largest = 0;
        PollingTick tick(context, list,
                         PollingHooks{[&] {
                                          listed += list.Count();
                                          largest = qMax(largest, list.Count());
                                          QTimer::singleShot(0, &timer1, [&] { timer1.start(); });
                                      },
                                      [&](bool on) { on ? timer1.start() : timer1.stop(); },
                                      {},
                                      {},
                                      {}});
        connect(&timer1, &QTimer::timeout, this, [&] { tick.Timer1_Timer(); });
        timer1.start();
        QTRY_VERIFY_WITH_TIMEOUT(
            QDir(env.interchangeFolder()).entryList({"*.QLV"}, QDir::Files).isEmpty(), 240000);
        timer1.stop();

        QCOMPARE(listed, kFiles * kLines);
        QSqlQuery q(context.DbConnection->Connection());
        QVERIFY(q.exec("SELECT COUNT(*), COUNT(DISTINCT RxNbr) FROM RxImages") && q.next());
        QCOMPARE(q.value(0).toInt(), kFiles * kLines);
        QCOMPARE(q.value(1).toInt(), kFiles * kLines);
        QVERIFY(QDir(env.interchangeFolder()).entryList({"*.err"}, QDir::Files).isEmpty());
        QVERIFY2(largest <= PollingTick::kTickLines + kLines - 1,
                 qPrintable(QString::number(largest)));
    }
};

QTEST_GUILESS_MAIN(TstFlood)
#include "tst_flood.moc"
