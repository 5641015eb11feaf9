#include "base/Error.h"
#include "common/TestEnv.h"
#include "common/TestServer.h"
#include "records/Database.h"
#include "records/DatabaseCare.h"

#include <QDir>
#include <QSqlQuery>
#include <QtTest>

using namespace quiller;
using namespace quiller::test;

namespace {

Prescription Rx(const QString& rx, const QString& ref, const QString& date = "03/07/2006",
                const QString& text = "AMOXICILLIN 500MG CAP") {
    return Prescription{rx, ref, date, text, text, text, QString()};
}

QStringList Rows(Database& db,
                 const QString& sql = "SELECT RxNbr || ':' || RxImage || ':' || "
                                      "FillDate FROM RxImages ORDER BY RxNbr, RefNo") {
    QSqlQuery q(db.Connection());
    QStringList out;
    q.exec(sql);
    while (q.next())
        out << q.value(0).toString();
    return out;
}

} // namespace

class TstDatabase : public QObject {
    Q_OBJECT
private slots:
    void createdFromNothingWithSchema() {
        TestEnv env;
        Database::EnsureFile(env.imageFolder(), env.home() + "/no-such-folder");
        const QString file = Database::PathIn(env.imageFolder());
        QVERIFY(!QFile::exists(file + ".new"));
        QCOMPARE(
            RunSql(file, {"SELECT group_concat(name) FROM pragma_table_info('RxImages')",
                          "SELECT group_concat(name) FROM pragma_table_info('Configuration')"}),
            (QStringList{"RxNbr,RefNo,FillDate,Drug,FirstName,LastName,RxImage", "ScannerSource"}));
    }

    // The template is copied with its content and never written; an existing working
    // file is never replaced by it.
    void copiedFromTemplateOnce() {
        TestEnv env;
        // The template is found in the installed data folder, not beside the program.
        const QString program = env.home() + "/share/quiller";
        QDir().mkpath(program);
        qputenv("XDG_DATA_DIRS", QFile::encodeName(env.home() + "/share"));
        {
            Database templ("template");
            templ.OpenFile(program + "/Marrowby.mdb");
            templ.UpsertPrescription(Rx("900", "1"));
            templ.SetRxImage("900", "1", "900_1.jpg");
            templ.WriteScannerSource(2);
        }
        QFile(program + "/Marrowby.mdb").setPermissions(QFile::ReadOwner);
        QCOMPARE(Database::TemplateFolder(), program);
        Database::EnsureFile(env.imageFolder(), Database::TemplateFolder());
        {
            Database db;
            db.Open(env.imageFolder());
            QCOMPARE(db.Find("900", "1")->RxImage, QStringLiteral("900_1.jpg"));
            QCOMPARE(db.ReadScannerSource(), std::optional<QString>("2"));
            db.UpsertPrescription(Rx("901", "1"));
        }
        Database::EnsureFile(env.imageFolder(), program);
        QCOMPARE(RunSql(Database::PathIn(env.imageFolder()), {"SELECT count(*) FROM RxImages"}),
                 QStringList{"2"});
        QCOMPARE(RunSql(program + "/Marrowby.mdb", {"SELECT count(*) FROM RxImages"}),
                 QStringList{"1"});
    }

    // A repeated key overwrites its row and resets the image, also when another station
    // writes it through a connection of its own (the key is unique); other refills stay
    // apart.
    void upsertOverwritesAndResetsImage() {
        TestEnv env;
        Database db;
        OpenEmpty(db, Database::PathIn(env.imageFolder()));
        Database other("other");
        OpenSecond(other, db);
        db.UpsertPrescription(Rx("42", "1"));
        db.SetRxImage("42", "1", "42_1.jpg");
        db.UpsertPrescription(Rx("42", "2"));
        db.SetRxImage("42", "2", "42_2.jpg");
        other.UpsertPrescription(Rx("42", "1", "12/31/2007", "IBUPROFEN 400MG  "));
        const auto row = db.Find("42", "1");
        QCOMPARE(row->FillDate, QStringLiteral("2007-12-31"));
        QCOMPARE(row->Drug + row->FirstName + row->LastName,
                 QStringLiteral("IBUPROFEN 400MG  ").repeated(3));
        QCOMPARE(Rows(db), (QStringList{"42::2007-12-31", "42:42_2.jpg:2006-03-07"}));
        QVERIFY(!QSqlQuery(other.Connection())
                     .exec("INSERT INTO RxImages (RxNbr, RefNo, RxImage) VALUES ('42', '1', '')"));
        db.DeletePrescription("42", "1");
        QCOMPARE(Rows(other), QStringList{"42:42_2.jpg:2006-03-07"});
    }

    void emptyFieldsAreStoredAsEmptyText() {
        Database db;
        OpenEmpty(db);
        // Fields cut from beyond the end of a short line are null strings.
        db.UpsertPrescription(
            {"7", QString(), "01/02/2006", QString(), QString(), QString(), QString()});
        QCOMPARE(Rows(db, "SELECT count(*) FROM RxImages WHERE RefNo IS NULL OR Drug IS NULL OR "
                          "FirstName IS NULL OR LastName IS NULL OR RxImage IS NULL"),
                 QStringList{"0"});
        QVERIFY(db.Find("7", ""));
    }

    // The scanner position is read from the first row; a write updates that row, or adds
    // one where there is none.
    void configuration_data() {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<bool>("hasRow");
        QTest::addColumn<QString>("expected");
        QTest::newRow("no row") << QStringList{} << false << QString();
        QTest::newRow("null first of several") << QStringList{"NULL", "5"} << true << QString();
        if (TestEngine() == Engine::Sqlite) // a server's INTEGER column holds no text
            QTest::newRow("empty text") << QStringList{"''"} << true << QString();
        QTest::newRow("zero") << QStringList{"0"} << true << "0";
        QTest::newRow("first of several") << QStringList{"3", "5"} << true << "3";
    }
    void configuration() {
        QFETCH(QStringList, rows);
        QFETCH(bool, hasRow);
        QFETCH(QString, expected);
        Database db;
        OpenEmpty(db);
        for (const QString& value : rows)
            QVERIFY(QSqlQuery(db.Connection())
                        .exec("INSERT INTO Configuration (ScannerSource) VALUES (" + value + ")"));
        const std::optional<QString> read = db.ReadScannerSource();
        QCOMPARE(read.has_value(), hasRow);
        if (hasRow)
            QCOMPARE(*read, expected);
        db.WriteScannerSource(7);
        QCOMPARE(Rows(db, "SELECT ScannerSource FROM Configuration ORDER BY rowid"),
                 QStringList{"7"} + rows.mid(1));
    }

    void valuesAreStoredLiterally_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("quote breaking out") << "X' OR '1'='1";
        QTest::newRow("statement") << "'); DROP TABLE RxImages; --";
        QTest::newRow("percent and underscore") << "50%_OFF";
    }
    void valuesAreStoredLiterally() {
        QFETCH(QString, text);
        Database db;
        OpenEmpty(db);
        db.UpsertPrescription(Rx("1", "0"));
        db.UpsertPrescription(Rx(text, text, "03/07/2006", text));
        db.SetRxImage(text, text, text);
        const auto row = db.Find(text, text);
        QCOMPARE(row->RxNbr + row->Drug + row->FirstName + row->LastName + row->RxImage,
                 text.repeated(5));
        QCOMPARE(db.Find("1", "0")->RxImage, QString()); // no other row touched
        db.DeletePrescription(text, text);
        QCOMPARE(Rows(db), QStringList{"1::2006-03-07"});
    }

    // A NUL byte is kept by SQLite; PostgreSQL holds none in text, so there the line is
    // refused as a whole (its file kept by the tick), never stored cut short.
    void nulByteStoredWholeOrLineRefused() {
        Database db;
        OpenEmpty(db);
        const QString text = QStringLiteral("ab") + QChar(0) + QStringLiteral("cd");
        if (db.engine() == Engine::Sqlite) {
            db.UpsertPrescription(Rx("1", "0", "03/07/2006", text));
            QCOMPARE(db.Find("1", "0")->Drug, text);
            return;
        }
        try {
            db.UpsertPrescription(Rx("1", "0", "03/07/2006", text));
            QFAIL("a value with a NUL byte was accepted");
        } catch (const QuillerError& e) {
            QVERIFY(!Database::IsUnavailable(e)); // refused, not left for a later tick
        }
        QVERIFY(!db.Find("1", "0"));
    }

    void dateConversion_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("iso"); // empty: refused
        auto row = [](const char* text, const char* iso = "") {
            QTest::newRow(text) << QString::fromUtf8(text) << QString(iso);
        };
        row("03/07/2006", "2006-03-07");
        row("02/29/2008", "2008-02-29"); // leap day
        for (const char* refused : {"//", "02/30/2006", "02/29/2006", "13/01/2006", "01/01/0000",
                                    " 3/07/2006", "03/07/-006", "03/07/2006x", "٠٣/٠٧/٢٠٠٦"})
            row(refused);
    }
    void dateConversion() {
        QFETCH(QString, text);
        QFETCH(QString, iso);
        if (!iso.isEmpty()) {
            QCOMPARE(Database::IsoDate(text), iso);
            return;
        }
        try {
            Database::IsoDate(text);
            QFAIL("accepted");
        } catch (const QuillerError& e) {
            QCOMPARE(e.number(), int(kErrorBadDate));
            QVERIFY(!e.description().contains(text)); // a data file's value is not repeated
            QVERIFY(!Database::IsUnavailable(e));
        }
        Database db;
        OpenEmpty(db);
        QVERIFY_THROWS_EXCEPTION(QuillerError, db.UpsertPrescription(Rx("1", "0", text)));
        QCOMPARE(Rows(db), QStringList());
    }

    void savepointRollsBackOneLineAlone() {
        TestEnv env;
        Database db;
        OpenEmpty(db, Database::PathIn(env.imageFolder()));
        db.UpsertPrescription(Rx("10", "0"));
        db.SetRxImage("10", "0", "10_0.jpg");
        db.BeginTransaction();
        db.Savepoint("line");
        db.UpsertPrescription(Rx("11", "0"));
        db.ReleaseSavepoint("line");
        // A line that has written part of its work and then fails.
        db.Savepoint("line");
        db.UpsertPrescription(Rx("10", "0", "05/05/2005"));
        QVERIFY_THROWS_EXCEPTION(QuillerError, db.UpsertPrescription(Rx("12", "0", "02/30/2006")));
        db.RollbackToSavepoint("line");
        db.UpsertPrescription(Rx("13", "0"));
        db.Commit();
        QCOMPARE(Rows(db, "SELECT RxNbr || ':' || RxImage FROM RxImages ORDER BY RxNbr"),
                 (QStringList{"10:10_0.jpg", "11:", "13:"}));
        // A transaction rolled back as a whole leaves nothing.
        db.BeginTransaction();
        db.UpsertPrescription(Rx("14", "0"));
        db.Rollback();
        QVERIFY(!db.Find("14", "0"));
    }

    // The kept statements belong to one connection: after a reopen on another file
    // they write there.
    void keptStatementsFollowTheConnection() {
        TestEnv env;
        const QString second = env.home() + "/second";
        QVERIFY(QDir().mkpath(second));
        Database db;
        db.Open(env.imageFolder());
        db.UpsertPrescription(Rx("20", "0"));
        db.Open(second);
        db.UpsertPrescription(Rx("30", "0"));
        db.SetRxImage("30", "0", "30_0.jpg");
        db.SetRxImage("20", "0", "elsewhere.jpg"); // no such row in this file
        db.Close();
        const QStringList sql{"SELECT RxNbr || ':' || RxImage FROM RxImages"};
        QCOMPARE(RunSql(Database::PathIn(env.imageFolder()), sql), QStringList{"20:"});
        QCOMPARE(RunSql(Database::PathIn(second), sql), QStringList{"30:30_0.jpg"});
    }

    // A server that does not answer is a failure of the database itself; an sslmode that
    // would carry more into libpq's connection text is refused.
    void serverThatCannotBeUsed() {
        TestEnv env;
        Database db;
        for (const auto& [sslmode, number] : {std::pair<QString, int>{"", kErrorServerUnavailable},
                                              {"disable host=elsewhere", kErrorBadSetting}}) {
            try {
                ServerAddress address;
                address.host = env.home();
                address.name = "quiller";
                address.user = "nobody";
                address.sslmode = sslmode;
                db.OpenServer(address);
                QFAIL("opened");
            } catch (const QuillerError& e) {
                QCOMPARE(e.number(), number);
                QCOMPARE(Database::IsUnavailable(e), number == kErrorServerUnavailable);
            }
            QVERIFY(!db.IsOpen() && !QSqlDatabase::contains("quiller"));
        }
        // SQLite's extended result codes count by their primary code: a file moved away or
        // a failed fsync is the database's own failure, a trigger's or a key's the row's.
        for (const auto& [code, failed] : {std::pair{1032, true}, {1034, true}, {1811, false}})
            QCOMPARE(Database::IsUnavailable(QuillerError(code, QString(), QString())), failed);
    }

    // A database from before schema versions (RxImage could be NULL, no Configuration
    // table) is upgraded in place, keeping its rows.
    void olderDatabaseIsUpgraded() {
        TestEnv env;
        const QString file = Database::PathIn(env.imageFolder());
        RunSql(file, {"CREATE TABLE RxImages (RxNbr TEXT, RefNo TEXT, FillDate TEXT, Drug TEXT,"
                      " FirstName TEXT, LastName TEXT, RxImage TEXT)",
                      "INSERT INTO RxImages VALUES ('123','01','2006-03-07','X','A','B',NULL)",
                      "INSERT INTO RxImages VALUES ('124','01','2006-03-07','X','A','B','a.jpg')",
                      "INSERT INTO RxImages VALUES ('124','01','2006-03-08','X','A','B','b.jpg')"});
        Database db("care");
        db.Open(env.imageFolder());
        db.Close();
        // Of a doubled key the newest row stays, and the key is unique from then on.
        QCOMPARE(
            RunSql(file, {"PRAGMA user_version", "SELECT RxNbr || '/' || RxImage FROM RxImages",
                          "SELECT count(*) FROM Configuration",
                          "SELECT count(*) FROM sqlite_master WHERE name = 'RxImages_Key' "
                          "AND sql LIKE 'CREATE UNIQUE INDEX%'"}),
            (QStringList{QString::number(DatabaseCare::SchemaVersion()), "123/", "124/b.jpg", "0",
                         "1"}));
    }

    // A file from a newer program is not touched, and a failing step leaves no part
    // of an upgrade behind.
    void upgradeIsWholeOrNothing_data() {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("version");
        QTest::newRow("newer program") << QStringLiteral("PRAGMA user_version = 99") << "99";
        // An index name already taken by a table makes the last step fail.
        QTest::newRow("failing step") << QStringLiteral("CREATE TABLE RxImages_Key (x)") << "0";
    }
    void upgradeIsWholeOrNothing() {
        QFETCH(QString, setup);
        QFETCH(QString, version);
        TestEnv env;
        const QString file = Database::PathIn(env.imageFolder());
        RunSql(file, {setup});
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "up");
            db.setDatabaseName(file);
            QVERIFY(db.open());
            QVERIFY_THROWS_EXCEPTION(QuillerError, DatabaseCare::Migrate(db));
        }
        QSqlDatabase::removeDatabase("up");
        QCOMPARE(RunSql(file, {"PRAGMA user_version",
                               "SELECT count(*) FROM sqlite_master WHERE name = 'Configuration'"}),
                 (QStringList{version, "0"}));
    }

    // A database another station put in place first is never replaced.
    void placingNeverReplaces() {
        TestEnv env;
        const QString target = Database::PathIn(env.imageFolder());
        for (const QByteArray& expected : {QByteArray("mine"), QByteArray("theirs")}) {
            WriteFile(target + ".mine", "mine");
            if (expected == "theirs")
                WriteFile(target, "theirs");
            QCOMPARE(DatabaseCare::PlaceWithoutReplacing(target + ".mine", target),
                     expected == "mine");
            QCOMPARE(ReadFile(target), expected);
            QVERIFY(!QFile::exists(target + ".mine"));
        }
    }
};

QTEST_GUILESS_MAIN(TstDatabase)
#include "tst_database.moc"
