// A flood of data files arriving at once: a thousand files of a hundred lines each are
// all taken and every line is stored, while the event loop keeps turning (the polling
// tick takes files for a bounded time and leaves the rest for the next tick).
#include "DataLines.h"
#include "common/TestEnv.h"
#include "common/ViewFixture.h"
#include "records/Database.h"
#include "station/StationContext.h"

#include "intake/ScanListPort.h"
#include "station/PollingTick.h"

#include <QDir>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <QTimer>
#include <QtTest>

using namespace quiller;
using quiller::test::Line;
using quiller::test::SharedContext;
using quiller::test::TestEnv;

namespace {

// The longest the event loop may be kept from turning while files are taken.
#ifdef QUILLER_SANITIZED_BUILD
constexpr qint64 kLongestPauseMs = 1000;
#else
constexpr qint64 kLongestPauseMs = 200;
#endif

class ListFake : public ScanListPort {
public:
    void Clear() override { count_ = 0; }
    void Append(const QString&, const QString&, const QString&, const QString&,
                const QString&) override {
        ++count_;
    }
    int Count() const override { return count_; }
    void RemoveFrom(int first) override { count_ = qMin(count_, first); }

private:
    int count_ = 0;
};

} // namespace

class FloodTests : public QObject {
    Q_OBJECT

private slots:
    void thousandFilesAreAllTakenAndTheLoopNeverPausesOver200ms() {
        constexpr int kFiles = 1000;
        constexpr int kLines = 100;
        TestEnv env;
        SharedContext().dataPath = env.imageFolder();
        SharedContext().filePath = env.interchangeFolder();
        SharedContext().ScannerID = QStringLiteral("A");
        Database::EnsureFile(SharedContext().dataPath, QString());
        SharedContext().DbConnection = std::make_unique<Database>();
        QVERIFY(SharedContext().DbConnection->Open(SharedContext().dataPath));
        auto closeDb = qScopeGuard([] { SharedContext().DbConnection.reset(); });

        for (int f = 0; f < kFiles; ++f) {
            QByteArray content;
            for (int l = 0; l < kLines; ++l)
                content += Line(QByteArray::number(f * kLines + l), "00", "20060307",
                                "Flood " + QByteArray::number(f), "First", "Last");
            test::WriteFile(env.interchangeFolder() +
                                QStringLiteral("/AX%1.QLV").arg(f, 4, 10, QChar('0')),
                            content);
        }

        // Timer1 and the batch as the scan window drives them: polling stops while a
        // batch runs and starts again when it has ended.
        ListFake list;
        QTimer timer1;
        timer1.setInterval(10);
        int listed = 0;
        int batches = 0;
        PollingTick tick(SharedContext(), list,
                         PollingHooks{[&] {
                                          ++batches;
                                          listed += list.Count();
                                          QTimer::singleShot(0, &timer1, [&] { timer1.start(); });
                                      },
                                      [&](bool on) {
                                          if (on)
                                              timer1.start();
                                          else
                                              timer1.stop();
                                      },
                                      {},
                                      {},
                                      {}});
        connect(&timer1, &QTimer::timeout, this, [&] { tick.Timer1_Timer(); });

        // How long the loop was away between two turns of a 5 ms timer.
        QElapsedTimer clock;
        qint64 lastTurn = 0;
        qint64 longestGap = 0;
        QTimer probe;
        probe.setInterval(5);
        connect(&probe, &QTimer::timeout, this, [&] {
            const qint64 now = clock.elapsed();
            longestGap = qMax(longestGap, now - lastTurn);
            lastTurn = now;
        });
        clock.start();
        probe.start();
        timer1.start();

        QTRY_VERIFY_WITH_TIMEOUT(
            QDir(env.interchangeFolder()).entryList({"*.QLV"}, QDir::Files).isEmpty(), 240000);
        probe.stop();
        timer1.stop();
        qInfo("%d batches; longest pause of the event loop: %lld ms", batches, longestGap);

        QCOMPARE(listed, kFiles * kLines);
        QVERIFY2(batches > 1, "a flood is taken over several ticks");
        QSqlQuery q(SharedContext().DbConnection->Connection());
        QVERIFY(q.exec("SELECT COUNT(*), COUNT(DISTINCT RxNbr) FROM RxImages"));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toInt(), kFiles * kLines);
        QCOMPARE(q.value(1).toInt(), kFiles * kLines);
        QVERIFY(!QFileInfo::exists(env.interchangeFolder() + "/AX0999.QLV.err"));
        QVERIFY2(longestGap < kLongestPauseMs,
                 qPrintable(QStringLiteral("the event loop stalled for %1 ms").arg(longestGap)));
    }
};

QTEST_GUILESS_MAIN(FloodTests)
#include "tst_flood.moc"
