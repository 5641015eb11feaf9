// Kept pages without windows: a filing that fails leaves the kept page as it was (name,
// note, nothing beside it), set aside never replaces a page already in Discarded/, and
// the list reads its notes, newest first.
#include "base/Error.h"
#include "common/TestEnv.h"
#include "records/AuditTrail.h"
#include "records/Database.h"
#include "station/ImageStore.h"
#include "station/KeptPages.h"
#include "station/StationContext.h"

#include <QtTest>

using namespace quiller;

class TstKeptPages : public QObject {
    Q_OBJECT
    std::unique_ptr<test::TestEnv> env;
    StationContext ctx;

    void Keep(const QString& hint, const QDateTime& when, const QString& label = {}) {
        const QString staged = env->imageFolder() + "/staged.jpg";
        test::WriteFile(staged, "page " + hint.toUtf8());
        ImageStore store(ctx);
        static QDateTime at;
        at = when;
        store.SetClock([] { return at; });
        QVERIFY(store.KeepUnmatched(staged, hint, "why " + hint, label).ok());
    }
    QStringList All(const QString& sub) const {
        return QDir(env->imageFolder() + "/" + sub)
            .entryList(QDir::Files | QDir::Hidden | QDir::System);
    }

private slots:
    void init() {
        env = std::make_unique<test::TestEnv>();
        ctx.dataPath = env->imageFolder();
        ctx.ScannerID = "B";
        Database::EnsureFile(ctx.dataPath, QString());
        ctx.DbConnection = std::make_unique<Database>();
        ctx.DbConnection->Open(ctx.dataPath);
        ctx.DbConnection->UpsertPrescription({"7014", "00", "03/07/2006", "D", "A", "L", ""});
    }
    void cleanup() {
        ctx.DbConnection.reset();
        env.reset();
    }

    void listReadsNotesNewestFirst() {
        Keep("older", QDateTime(QDate(2026, 1, 2), QTime(8, 0)));
        Keep("newer", QDateTime(QDate(2026, 1, 3), QTime(8, 0)), "7014-00");
        const QList<KeptPage> pages = KeptPages(ctx).List();
        QCOMPARE(pages.size(), 2);
        QCOMPARE(pages[0].why, "why newer");
        QCOMPARE(pages[0].label, "7014-00");
        QCOMPARE(pages[0].station, "B");
        QCOMPARE(pages[0].when, QDateTime(QDate(2026, 1, 3), QTime(8, 0)));
        QCOMPARE(pages[1].why, "why older");
    }

    // Nothing filed, nothing moved: no row, or the image's name taken by a folder.
    void failedFilingLeavesThePage_data() {
        QTest::addColumn<QString>("rx");
        QTest::newRow("not recorded") << "9999";
        QTest::newRow("name taken by a folder") << "7014";
    }
    void failedFilingLeavesThePage() {
        QFETCH(QString, rx);
        QVERIFY(QDir().mkpath(env->imageFolder() + "/7014_00.jpg"));
        Keep("7014-00", QDateTime::currentDateTime(), "7014-00");
        const QStringList before = All("Unmatched");
        QCOMPARE(before.size(), 2); // the page and its note
        const KeptPage page = KeptPages(ctx).List().value(0);
        const KeptPages::Filing f = KeptPages(ctx).File(page, rx, "00", true, true);
        QCOMPARE(f.outcome, KeptPages::Outcome::Failed);
        QVERIFY(!f.text.isEmpty());
        QCOMPARE(All("Unmatched"), before);
        QCOMPARE(ctx.DbConnection->Find("7014", "00")->RxImage, QString());
        const QList<AuditRow> audit = AuditTrail::Read(ctx.DbConnection->Connection(), {}, {}, rx);
        QCOMPARE(audit.size(), 1);
        QCOMPARE(audit[0].outcome, f.text);
    }

    void setAsideNeverReplaces() {
        const QDateTime when(QDate(2026, 1, 2), QTime(8, 0));
        Keep("same", when);
        QCOMPARE(KeptPages(ctx).SetAside(KeptPages(ctx).List().value(0)),
                 "Discarded/same 2026-01-02 08.00.00.jpg");
        Keep("same", when);
        QCOMPARE(KeptPages(ctx).SetAside(KeptPages(ctx).List().value(0)),
                 "Discarded/same 2026-01-02 08.00.00 2.jpg");
        QCOMPARE(All("Discarded").size(), 4); // both pages with their notes
        QCOMPARE(test::ReadFile(env->imageFolder() + "/Discarded/same 2026-01-02 08.00.00.jpg"),
                 "page same");
        KeptPage outside;
        outside.file = "../x.jpg";
        QVERIFY_THROWS_EXCEPTION(QuillerError, KeptPages(ctx).SetAside(outside));
    }
};

QTEST_MAIN(TstKeptPages)
#include "tst_keptpages.moc"
