#include "base/Error.h"
#include "common/TestEnv.h"
#include "records/Database.h"
#include "records/DatabaseCare.h"

#include <QDate>
#include <QDir>
#include <QSqlQuery>
#include <QtTest>

using namespace quiller;
using quiller::test::ReadFile;
using quiller::test::TestEnv;
using quiller::test::WriteFile;

namespace {

// Runs statements on a file through a connection of its own, closed afterwards.
QStringList Run(const QString& file, const QStringList& statements) {
    QStringList out;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "raw");
        db.setDatabaseName(file);
        if (!db.open())
            return {"cannot open"};
        for (const QString& sql : statements) {
            QSqlQuery q(db);
            if (!q.exec(sql))
                out << "ERROR " + sql;
            while (q.next())
                out << q.value(0).toString();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase("raw");
    return out;
}

} // namespace

class TestDatabaseCare : public QObject {
    Q_OBJECT
private slots:
    // A database from before schema versions: RxImage could be NULL and there was no
    // Configuration table. Opening it upgrades it in place and keeps its rows.
    void olderDatabaseIsUpgraded() {
        TestEnv env;
        const QString file = Database::PathIn(env.imageFolder());
        Run(file, {"CREATE TABLE RxImages (RxNbr TEXT, RefNo TEXT, FillDate TEXT, Drug TEXT,"
                   " FirstName TEXT, LastName TEXT, RxImage TEXT)",
                   "INSERT INTO RxImages VALUES ('123','01','2006-03-07','X','A','B',NULL)"});
        Database db(QStringLiteral("care"));
        QVERIFY(db.Open(env.imageFolder()));
        db.Close();
        QCOMPARE(Run(file, {"PRAGMA user_version"}),
                 QStringList{QString::number(DatabaseCare::SchemaVersion())});
        QCOMPARE(Run(file, {"SELECT RxNbr || '/' || RxImage FROM RxImages",
                            "SELECT count(*) FROM Configuration",
                            "SELECT count(*) FROM sqlite_master WHERE name = 'RxImages_Key'"}),
                 (QStringList{"123/", "0", "1"}));
    }

    // A file from a newer program is not touched, and a failing step leaves no part
    // of an upgrade behind.
    void upgradeIsWholeOrNothing_data() {
        QTest::addColumn<QStringList>("setup");
        QTest::addColumn<QString>("version");
        QTest::newRow("newer program") << QStringList{"PRAGMA user_version = 99"} << "99";
        // An index name already taken by a table makes the last step fail.
        QTest::newRow("failing step") << QStringList{"CREATE TABLE RxImages_Key (x)"} << "0";
    }
    void upgradeIsWholeOrNothing() {
        QFETCH(QStringList, setup);
        QFETCH(QString, version);
        TestEnv env;
        const QString file = Database::PathIn(env.imageFolder());
        Run(file, setup);
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "up");
            db.setDatabaseName(file);
            QVERIFY(db.open());
            QVERIFY_THROWS_EXCEPTION(QuillerError, DatabaseCare::Migrate(db));
            db.close();
        }
        QSqlDatabase::removeDatabase("up");
        QCOMPARE(Run(file, {"PRAGMA user_version",
                            "SELECT count(*) FROM sqlite_master WHERE name = 'Configuration'"}),
                 (QStringList{version, "0"}));
    }

    void damagedFileFailsTheCheck() {
        TestEnv env;
        Database::EnsureFile(env.imageFolder(), QString());
        const QString file = Database::PathIn(env.imageFolder());
        QStringList fill{"BEGIN"};
        for (int i = 0; i < 400; ++i)
            fill << QStringLiteral("INSERT INTO RxImages VALUES ('%1','00','2006-03-07',"
                                   "'DRUG %1','FIRST','LAST','')")
                        .arg(100000 + i);
        fill << "COMMIT";
        Run(file, fill);
        Database db(QStringLiteral("care"));
        QVERIFY(db.Open(env.imageFolder()));
        QCOMPARE(DatabaseCare::QuickCheck(db.Connection()), QString());
        db.Close();
        // Page 1 (the schema) stays; the pages after it are overwritten.
        QByteArray bytes = ReadFile(file);
        QVERIFY(bytes.size() > 8 * 4096);
        for (qsizetype i = 4096 * 2; i < bytes.size() - 4096; ++i)
            bytes[i] = char(0x5A);
        WriteFile(file, bytes);
        QVERIFY(db.OpenFile(file));
        QVERIFY(!DatabaseCare::QuickCheck(db.Connection()).isEmpty());
    }

    // One backup a day; the newest seven are kept.
    void backupsMadeDailyAndPruned() {
        TestEnv env;
        Database::EnsureFile(env.imageFolder(), QString());
        Database db(QStringLiteral("care"));
        QVERIFY(db.Open(env.imageFolder()));
        db.UpsertPrescription({"123", "01", "03/07/2006", "DRUG", "A", "B", QString()});
        const QDate first(2026, 1, 1);
        for (int day = 0; day < 10; ++day)
            QVERIFY(
                !DatabaseCare::BackUpIfDue(db.Connection(), env.imageFolder(), first.addDays(day))
                     .isEmpty());
        QCOMPARE(DatabaseCare::BackUpIfDue(db.Connection(), env.imageFolder(), first.addDays(9)),
                 QString());
        const QString folder = DatabaseCare::BackupFolder(env.imageFolder());
        QStringList expected;
        for (int day = 3; day < 10; ++day)
            expected << DatabaseCare::BackupName(first.addDays(day));
        QCOMPARE(QDir(folder).entryList(QDir::Files, QDir::Name), expected);
        QCOMPARE(Run(folder + "/" + expected.constLast(), {"SELECT RxNbr FROM RxImages"}),
                 QStringList{"123"});
    }

    // A database another station put in place first is never replaced.
    void placingNeverReplaces_data() {
        QTest::addColumn<bool>("present");
        QTest::newRow("target free") << false;
        QTest::newRow("target taken") << true;
    }
    void placingNeverReplaces() {
        QFETCH(bool, present);
        TestEnv env;
        const QString target = env.imageFolder() + "/Marrowby.mdb";
        const QString mine = target + ".mine";
        WriteFile(mine, "mine");
        if (present)
            WriteFile(target, "theirs");
        QCOMPARE(DatabaseCare::PlaceWithoutReplacing(mine, target), !present);
        QCOMPARE(ReadFile(target), present ? QByteArray("theirs") : QByteArray("mine"));
        QVERIFY(!QFile::exists(mine));
    }
};

QTEST_GUILESS_MAIN(TestDatabaseCare)
#include "tst_databasecare.moc"
