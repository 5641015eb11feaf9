// The station's database file looked after: upgrades that lose nothing, damage told
// apart from absence, backups that never push a good copy out.
#include "base/Error.h"
#include "common/TestEnv.h"
#include "common/TestServer.h"
#include "records/Database.h"
#include "records/DatabaseCare.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>

#include <sched.h>
#include <sys/mount.h>
#include <thread>

using namespace quiller;
using namespace quiller::test;

namespace {

// Set before any thread starts: the test has a mount namespace of its own (as root), so a
// small tmpfs can stand for a full disk.
bool g_privateMounts = false;

QStringList Query(const QSqlDatabase& db, const QString& sql) {
    QSqlQuery q(db);
    QStringList out;
    if (!q.exec(sql))
        return {"ERROR " + q.lastError().text()};
    while (q.next())
        out << q.value(0).toString();
    return out;
}

// A file of an older program (schema 0, before the key was unique) with `rows`
// prescriptions, a few of them doubled.
void WriteOldFile(const QString& file, int rows) {
    QStringList sql{"BEGIN",
                    "CREATE TABLE RxImages (RxNbr TEXT, RefNo TEXT, FillDate TEXT, Drug TEXT,"
                    " FirstName TEXT, LastName TEXT, RxImage TEXT)"};
    for (int i = 0; i < rows; ++i)
        sql << QStringLiteral(
                   "INSERT INTO RxImages VALUES ('%1','01','2006-03-07','%2','A','B','')")
                   .arg(i % 20)
                   .arg(QString(200, QChar('x')));
    RunSql(file, sql << "COMMIT");
}

} // namespace

class TstDatabaseCare : public QObject {
    Q_OBJECT
private slots:
    // Of rows stored twice for one prescription, the newest whose image is on disk stays,
    // else the newest; the other rows' images move to Replaced/, so no image is left
    // without a row. On both engines.
    void doubledRowsKeepTheRowWithItsImage_data() {
        QTest::addColumn<QStringList>("images");   // RxImage of the rows, oldest first
        QTest::addColumn<QStringList>("onDisk");   // which of them exist as files
        QTest::addColumn<QString>("kept");         // RxImage of the row that stays
        QTest::addColumn<QStringList>("replaced"); // images moved to Replaced/
        QTest::newRow("only the older row names an image")
            << QStringList{"7_01.jpg", ""} << QStringList{"7_01.jpg"} << "7_01.jpg"
            << QStringList{};
        QTest::newRow("both on disk: the newer stays")
            << QStringList{"old.jpg", "7_01.jpg"} << QStringList{"old.jpg", "7_01.jpg"}
            << "7_01.jpg" << QStringList{"old"};
        QTest::newRow("the newer's image is missing")
            << QStringList{"7_01.jpg", "gone.jpg", ""} << QStringList{"7_01.jpg"} << "7_01.jpg"
            << QStringList{};
        QTest::newRow("no image on disk: the newest")
            << QStringList{"a.jpg", "", "b.jpg"} << QStringList{} << "b.jpg" << QStringList{};
        QTest::newRow("one image named twice stays")
            << QStringList{"7_01.jpg", "7_01.jpg"} << QStringList{"7_01.jpg"} << "7_01.jpg"
            << QStringList{};
    }
    void doubledRowsKeepTheRowWithItsImage() {
        QFETCH(QStringList, images);
        QFETCH(QStringList, onDisk);
        QFETCH(QString, kept);
        QFETCH(QStringList, replaced);
        TestEnv env;
        QDir().mkpath(env.imageFolder());
        const QString file = Database::PathIn(env.imageFolder());
        Database db;
        const bool server = TestEngine() == Engine::PostgreSql;
        const ServerAddress address =
            server ? FreshServerDatabase("tst_databasecare") : ServerAddress();
        const auto open = [&] {
            server ? db.OpenServer(address, env.imageFolder()) : db.Open(env.imageFolder());
        };
        open(); // then made a database of schema 1: the key not yet unique
        {
            const QSqlDatabase c = db.Connection();
            Query(c, "DROP INDEX RxImages_Key");
            Query(c, "DROP TABLE PageChecks"); // made by a later schema
            Query(c, server ? "UPDATE SchemaVersion SET version = 1" : "PRAGMA user_version = 1");
            for (const QString& image : images)
                Query(c, QStringLiteral("INSERT INTO RxImages (RxNbr, RefNo, FillDate, RxImage) "
                                        "VALUES ('7', '01', '2006-03-07', '%1')")
                             .arg(image));
            Query(c, "INSERT INTO RxImages (RxNbr, RefNo, RxImage) VALUES ('8', '01', '8_01.jpg')");
            for (const QString& name : onDisk + QStringList{"8_01.jpg"})
                WriteFile(env.imageFolder() + "/" + name, "JPEG " + name.toLatin1());
        }
        db.Close();
        open();
        QCOMPARE(
            Query(db.Connection(), "SELECT RxNbr || ':' || RxImage FROM RxImages ORDER BY RxNbr"),
            (QStringList{"7:" + kept, "8:8_01.jpg"}));
        const QStringList moved = QDir(env.imageFolder() + "/Replaced").entryList(QDir::Files);
        QCOMPARE(moved.size(), replaced.size());
        for (qsizetype i = 0; i < moved.size(); ++i) {
            QVERIFY2(moved[i].startsWith(replaced[i] + " "), qPrintable(moved[i]));
            QCOMPARE(ReadFile(env.imageFolder() + "/Replaced/" + moved[i]),
                     "JPEG " + (replaced[i] + ".jpg").toLatin1());
        }
        // Every image still in the folder has its row.
        for (const QString& name : QDir(env.imageFolder()).entryList({"*.jpg"}, QDir::Files))
            QVERIFY2(name == kept || name == "8_01.jpg", qPrintable(name));
        if (!server) // the original was copied before the upgrade, with all its rows
            QCOMPARE(RunSql(env.imageFolder() + "/Backups/Marrowby-before-schema-" +
                                QString::number(DatabaseCare::SchemaVersion()) + "-" +
                                QDate::currentDate().toString(Qt::ISODate) + ".mdb",
                            {"SELECT count(*) FROM RxImages"}),
                     QStringList{QString::number(images.size() + 1)});
    }

    // An upgrade waits for another program that holds the file; one that cannot be done
    // (no copy can be made, the disk is full) stops with the file, the cause and the copy
    // named, and changes nothing; once the cause is gone the upgrade goes through.
    void upgradeWaitsOrStopsWithoutChangingTheFile_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("cause"); // empty: the upgrade goes through
        QTest::newRow("held busy for a while") << QStringLiteral("busy") << "";
        QTest::newRow("no backup folder can be made")
            << QStringLiteral("Backups is a file") << "no copy";
        QTest::newRow("disk full for the copy") << QStringLiteral("full for the copy") << "no copy";
        QTest::newRow("disk full for the upgrade")
            << QStringLiteral("full for the upgrade") << "full";
    }
    void upgradeWaitsOrStopsWithoutChangingTheFile() {
        QFETCH(QString, how);
        QFETCH(QString, cause);
        TestEnv env;
        const QString folder = env.imageFolder();
        const bool full = how.startsWith("full");
        if (full && !g_privateMounts)
            QSKIP("needs a mount namespace of its own (root)");
        QDir().mkpath(folder);
        if (full)
            QVERIFY(::mount("tmpfs", QFile::encodeName(folder), "tmpfs", 0, "size=1m") == 0);
        auto unmount = qScopeGuard([&] {
            if (full)
                ::umount2(QFile::encodeName(folder).constData(), MNT_DETACH);
        });
        const QString file = Database::PathIn(folder);
        WriteOldFile(file, 400); // about 100 KB
        const QString filler = folder + "/filler";
        if (full) {
            // Room left for the copy but not for the upgrade's journal and index, or not
            // even for the copy.
            const qint64 size = QFileInfo(file).size();
            const qint64 leave = how == "full for the copy" ? size / 2 : size + size / 2;
            WriteFile(filler, QByteArray(1024 * 1024 - 3 * 4096 - size - leave, 'f'));
        }
        if (how == "Backups is a file")
            WriteFile(folder + "/Backups", "not a folder");
        const QByteArray before = ReadFile(file);
        std::thread holder;
        if (how == "busy") {
            // Another program holds the file in a write transaction for a second.
            std::atomic<bool> held{false};
            holder = std::thread([&] {
                {
                    QSqlDatabase other = QSqlDatabase::addDatabase("QSQLITE", "holder");
                    other.setDatabaseName(file);
                    other.open();
                    QSqlQuery(other).exec("BEGIN EXCLUSIVE");
                    held = true;
                    std::this_thread::sleep_for(std::chrono::seconds(1));
                    QSqlQuery(other).exec("COMMIT");
                }
                QSqlDatabase::removeDatabase("holder");
            });
            while (!held)
                std::this_thread::yield();
        }
        Database db;
        try {
            db.Open(folder);
            QVERIFY2(cause.isEmpty(), "opened");
        } catch (const QuillerError& e) {
            QVERIFY2(!cause.isEmpty(), qPrintable(e.description()));
            QCOMPARE(e.number(), kErrorUpgradeFailed);
            QVERIFY2(e.description().contains(QDir::toNativeSeparators(file)) &&
                         e.description().contains(cause) && e.description().contains("not changed"),
                     qPrintable(e.description()));
        }
        if (holder.joinable())
            holder.join();
        if (!cause.isEmpty()) {
            QVERIFY(!db.IsOpen());
            QCOMPARE(ReadFile(file), before);
            QCOMPARE(RunSql(file, {"PRAGMA user_version"}), QStringList{"0"});
            // The cause goes away (the disk is freed, the folder made): the next start
            // upgrades.
            QFile::remove(filler);
            QFile::remove(folder + "/Backups");
            db.Open(folder);
        }
        QCOMPARE(Query(db.Connection(), "PRAGMA user_version"),
                 QStringList{QString::number(DatabaseCare::SchemaVersion())});
        QCOMPARE(Query(db.Connection(), "SELECT count(*) FROM RxImages"), QStringList{"20"});
        QVERIFY(!QDir(folder + "/Backups").entryList({"Marrowby-before-schema-*"}).isEmpty());
    }

    // A database is created only where no file exists: an empty file, one that is not a
    // database or one that fails its check is damaged.
    void damageToldApartFromAbsence_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("finding"); // empty: sound; "missing"
        QTest::newRow("no file") << QStringLiteral("none") << "missing";
        QTest::newRow("sound") << QStringLiteral("sound") << "";
        QTest::newRow("0 bytes") << QStringLiteral("empty") << "empty (0 bytes)";
        QTest::newRow("random bytes") << QStringLiteral("random") << "not a database";
        QTest::newRow("header overwritten") << QStringLiteral("header") << "not a database";
        QTest::newRow("cut in half") << QStringLiteral("half") << "fails its check";
        QTest::newRow("pages overwritten") << QStringLiteral("pages") << "fails its check";
    }
    void damageToldApartFromAbsence() {
        QFETCH(QString, how);
        QFETCH(QString, finding);
        TestEnv env;
        const QString file = Database::PathIn(env.imageFolder());
        if (how != "none") {
            WriteOldFile(file, 2000);
            {
                Database db;
                db.Open(env.imageFolder());
            }
        }
        QByteArray bytes = how == "none" ? QByteArray() : ReadFile(file);
        if (how == "empty")
            bytes.clear();
        else if (how == "random")
            for (int i = 0; i < 8192; ++i)
                bytes[i] = char((i * 7919) >> 3);
        else if (how == "header")
            bytes.replace(0, 16, "Standard Jet DB\0");
        else if (how == "half")
            bytes.truncate(bytes.size() / 2);
        else if (how == "pages")
            bytes.replace(8192, bytes.size() - 8192, QByteArray(bytes.size() - 8192, 'Z'));
        if (how != "none")
            WriteFile(file, bytes);
        const DatabaseCare::FileHealth health = DatabaseCare::InspectFile(file);
        QCOMPARE(health.kind, finding == "missing" ? DatabaseCare::FileHealth::Missing
                              : finding.isEmpty()  ? DatabaseCare::FileHealth::Sound
                                                   : DatabaseCare::FileHealth::Damaged);
        QVERIFY2(health.finding.contains(finding == "missing" ? "" : finding),
                 qPrintable(health.finding));
        // Opening never turns a file that is no database into a new, empty one.
        if (health.finding.contains("empty") || health.finding.contains("not a database")) {
            Database db;
            QVERIFY_THROWS_EXCEPTION(QuillerError, db.Open(env.imageFolder()));
        }
        // Nothing was made or changed by looking.
        QCOMPARE(QFile::exists(file), how != "none");
        if (how != "none")
            QCOMPARE(ReadFile(file), bytes);
    }

    // A database without prescriptions is not backed up; only the station's own backups
    // rotate, and the newest seven good ones stay whatever else lies there; leftover
    // ".part" files go.
    void backupsKeepTheGoodOnes() {
        TestEnv env;
        const QString backups = env.imageFolder() + "/Backups";
        Database db;
        db.Open(env.imageFolder());
        const QDate today(2026, 12, 20);
        QCOMPARE(DatabaseCare::BackUpIfDue(db.Connection(), env.imageFolder(), today), QString());
        QVERIFY(!QFile::exists(backups + "/" + DatabaseCare::BackupName(today)));
        db.UpsertPrescription({"1", "01", "03/07/2006", "D", "F", "L", QString()});
        // Nine older daily backups (the newest of them empty, as an older program left
        // it), an administrator's copy and what an interrupted backup left.
        for (int day = 1; day <= 9; ++day)
            QCOMPARE(DatabaseCare::BackUpIfDue(db.Connection(), env.imageFolder(),
                                               today.addDays(-day - 1))
                         .isEmpty(),
                     false);
        WriteFile(backups + "/" + DatabaseCare::BackupName(today.addDays(-1)), "");
        WriteFile(backups + "/Marrowby-before-move.mdb", "administrator's copy");
        WriteFile(backups + "/Marrowby-2026-12-19.mdb.part", "cut off");
        QVERIFY(!DatabaseCare::BackUpIfDue(db.Connection(), env.imageFolder(), today).isEmpty());
        // One a day, holding the rows.
        QCOMPARE(DatabaseCare::BackUpIfDue(db.Connection(), env.imageFolder(), today), QString());
        QCOMPARE(
            RunSql(backups + "/" + DatabaseCare::BackupName(today), {"SELECT RxNbr FROM RxImages"}),
            QStringList{"1"});
        QStringList expected{"Marrowby-before-move.mdb", DatabaseCare::BackupName(today),
                             DatabaseCare::BackupName(today.addDays(-1))};
        for (int day = 2; day <= 7; ++day)
            expected << DatabaseCare::BackupName(today.addDays(-day));
        expected.sort();
        QCOMPARE(QDir(backups).entryList(QDir::Files, QDir::Name), expected);
        QCOMPARE(DatabaseCare::NewestGoodBackup(env.imageFolder()).isEmpty(), false);
        // A backup that cannot be written is an error, not a silence.
        QDir(backups).removeRecursively();
        WriteFile(backups, "a file in the way");
        QVERIFY_THROWS_EXCEPTION(
            QuillerError,
            DatabaseCare::BackUpIfDue(db.Connection(), env.imageFolder(), today.addDays(1)));
    }
};

int main(int argc, char** argv) {
    g_privateMounts = ::unshare(CLONE_NEWNS) == 0 &&
                      ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    QCoreApplication app(argc, argv);
    TstDatabaseCare tests;
    return QTest::qExec(&tests, argc, argv);
}

#include "tst_databasecare.moc"
