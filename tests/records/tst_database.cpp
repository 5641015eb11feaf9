#include "base/Error.h"
#include "common/TestEnv.h"
#include "records/Database.h"

#include <QDir>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>

using namespace quiller;
using quiller::test::TestEnv;

namespace {

Prescription Rx(const QString& rx, const QString& ref, const QString& date = "03/07/2006",
                const QString& drug = "AMOXICILLIN 500MG CAP         ",
                const QString& first = "JOHN", const QString& last = "SMITH") {
    return Prescription{rx, ref, date, drug, first, last, QString()};
}

// A second, independent connection to a database file (what another program sees).
class Probe {
public:
    explicit Probe(const QString& file, const QString& name = QStringLiteral("probe"))
        : name_(name) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
        db.setDatabaseName(file);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=0"));
        ok_ = db.open();
    }
    ~Probe() {
        {
            QSqlDatabase db = QSqlDatabase::database(name_, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(name_);
    }
    bool ok() const { return ok_; }
    QSqlDatabase db() const { return QSqlDatabase::database(name_, false); }
    QStringList column(const QString& sql, int index = 0) const {
        QSqlQuery q(db());
        QStringList out;
        if (!q.exec(sql))
            return {QStringLiteral("ERROR: ") + q.lastError().text()};
        while (q.next())
            out << (q.value(index).isNull() ? QStringLiteral("<null>") : q.value(index).toString());
        return out;
    }
    bool exec(const QString& sql) const {
        QSqlQuery q(db());
        return q.exec(sql);
    }

private:
    QString name_;
    bool ok_ = false;
};

int RowCount(Database& db) {
    QSqlQuery q(db.Connection());
    q.exec(QStringLiteral("SELECT count(*) FROM RxImages"));
    return q.next() ? q.value(0).toInt() : -1;
}

} // namespace

class TestDatabase : public QObject {
    Q_OBJECT
private slots:
    void createdFromNothingWithSchemaAndIndexes();
    void copiedFromTemplateKeepingItsContent();
    void anExistingFileIsNeverReplaced();
    void upsertOverwritesAndResetsImage();
    void identicalLinesGiveOneRow();
    void emptyFieldsAreStoredAsEmptyText();
    void configurationRead_data();
    void configurationRead();
    void configurationWriteInsertsThenUpdatesFirstRow();
    void valuesAreStoredLiterally_data();
    void valuesAreStoredLiterally();
    void dateConversion_data();
    void dateConversion();
    void savepointRollsBackOneLineAlone();
    void nonDatabaseFileFailsToOpen();
    void lockedDatabaseIsUnavailable();
    void keptStatementsFollowTheConnection();
};

void TestDatabase::createdFromNothingWithSchemaAndIndexes() {
    TestEnv env;
    Database::EnsureFile(env.imageFolder(), env.home() + QStringLiteral("/no-such-folder"));
    const QString file = env.imageFolder() + QStringLiteral("/Marrowby.mdb");
    QVERIFY(QFile::exists(file));
    QVERIFY(!QFile::exists(file + QStringLiteral(".new")));
    Probe probe(file);
    QVERIFY(probe.ok());
    QCOMPARE(probe.column("SELECT name FROM sqlite_master WHERE type='table' ORDER BY name"),
             (QStringList{"Configuration", "RxImages"}));
    QCOMPARE(
        probe.column("SELECT name FROM pragma_table_info('RxImages') ORDER BY cid"),
        (QStringList{"RxNbr", "RefNo", "FillDate", "Drug", "FirstName", "LastName", "RxImage"}));
    QCOMPARE(probe.column("SELECT name FROM pragma_table_info('Configuration')"),
             QStringList{"ScannerSource"});
    const QStringList indexSql = probe.column(
        "SELECT sql FROM sqlite_master WHERE type='index' AND tbl_name='RxImages' ORDER BY name");
    const QString all = indexSql.join(QLatin1Char('\n'));
    QVERIFY2(all.contains("(RxNbr, RefNo)"), qPrintable(all));
    QVERIFY2(all.contains("CAST(RxNbr AS INTEGER)"), qPrintable(all));
    QVERIFY2(all.contains("(FillDate)"), qPrintable(all));
    for (const char* col : {"LastName", "FirstName", "Drug"})
        QVERIFY2(all.contains(QStringLiteral("(%1 COLLATE NOCASE)").arg(col)), col);
    // The numeric Rx-number search uses the index.
    const QString plan =
        probe
            .column("EXPLAIN QUERY PLAN SELECT * FROM RxImages WHERE CAST(RxNbr AS INTEGER) = 42",
                    3)
            .join(' ');
    QVERIFY2(plan.contains("RxImages_RxValue"), qPrintable(plan));
}

void TestDatabase::copiedFromTemplateKeepingItsContent() {
    TestEnv env;
    const QString templateFolder = env.home() + QStringLiteral("/program");
    QDir().mkpath(templateFolder);
    {
        Database templ(QStringLiteral("template"));
        QVERIFY(templ.OpenFile(templateFolder + QStringLiteral("/Marrowby.mdb")));
        templ.UpsertPrescription(Rx("900", "1"));
        templ.SetRxImage("900", "1", "900_1.jpg");
        templ.WriteScannerSource(2);
        // A marker only the template has.
        QSqlQuery(templ.Connection()).exec("CREATE TABLE TemplateMarker (x)");
    }
    QFile(templateFolder + "/Marrowby.mdb").setPermissions(QFile::ReadOwner); // read-only template
    Database::EnsureFile(env.imageFolder(), templateFolder);
    const QString copy = env.imageFolder() + QStringLiteral("/Marrowby.mdb");
    QVERIFY(QFileInfo(copy).isWritable());
    Database db;
    QVERIFY2(db.Open(env.imageFolder()), qPrintable(db.LastError()));
    const auto row = db.Find("900", "1");
    QVERIFY(row);
    QCOMPARE(row->RxImage, QStringLiteral("900_1.jpg"));
    QCOMPARE(db.ReadScannerSource(), std::optional<QString>(QStringLiteral("2")));
    Probe probe(copy);
    QCOMPARE(probe.column("SELECT name FROM sqlite_master WHERE name='TemplateMarker'"),
             QStringList{"TemplateMarker"});
    // The working copy is written, never the template.
    db.UpsertPrescription(Rx("901", "1"));
    Database templ(QStringLiteral("template-again"));
    QVERIFY(templ.OpenFile(templateFolder + "/Marrowby.mdb"));
    QVERIFY(!templ.Find("901", "1"));
}

void TestDatabase::anExistingFileIsNeverReplaced() {
    TestEnv env;
    const QString templateFolder = env.home() + QStringLiteral("/program");
    QDir().mkpath(templateFolder);
    {
        Database templ(QStringLiteral("template"));
        QVERIFY(templ.OpenFile(templateFolder + QStringLiteral("/Marrowby.mdb")));
    }
    {
        Database working(QStringLiteral("working"));
        QVERIFY(working.Open(env.imageFolder()));
        working.UpsertPrescription(Rx("1", "0"));
    }
    Database::EnsureFile(env.imageFolder(), templateFolder);
    Database db;
    QVERIFY(db.Open(env.imageFolder()));
    QVERIFY(db.Find("1", "0"));
}

void TestDatabase::upsertOverwritesAndResetsImage() {
    Database db;
    QVERIFY(db.OpenFile(":memory:"));
    db.UpsertPrescription(Rx("42", "1"));
    db.SetRxImage("42", "1", "42_1.jpg");
    db.UpsertPrescription(Rx("42", "2", "04/01/2006")); // another refill stays apart
    db.SetRxImage("42", "2", "42_2.jpg");
    QCOMPARE(db.Find("42", "1")->RxImage, QStringLiteral("42_1.jpg"));

    db.UpsertPrescription(
        Rx("42", "1", "12/31/2007", "IBUPROFEN 400MG               ", "JANE", "DOE"));
    const auto row = db.Find("42", "1");
    QVERIFY(row);
    QCOMPARE(row->FillDate, QStringLiteral("2007-12-31"));
    QCOMPARE(row->Drug, QStringLiteral("IBUPROFEN 400MG               "));
    QCOMPARE(row->FirstName, QStringLiteral("JANE"));
    QCOMPARE(row->LastName, QStringLiteral("DOE"));
    QCOMPARE(row->RxImage, QString());
    QCOMPARE(db.Find("42", "2")->RxImage, QStringLiteral("42_2.jpg"));
    QCOMPARE(RowCount(db), 2);
}

void TestDatabase::identicalLinesGiveOneRow() {
    Database db;
    QVERIFY(db.OpenFile(":memory:"));
    db.UpsertPrescription(Rx("42", "1"));
    db.UpsertPrescription(Rx("42", "1"));
    QCOMPARE(RowCount(db), 1);
    db.DeletePrescription("42", "1");
    QCOMPARE(RowCount(db), 0);
}

void TestDatabase::emptyFieldsAreStoredAsEmptyText() {
    Database db;
    QVERIFY(db.OpenFile(":memory:"));
    // Fields cut from beyond the end of a short line are null strings.
    db.UpsertPrescription(
        Prescription{"7", QString(), "01/02/2006", QString(), QString(), QString(), QString()});
    QSqlQuery q(db.Connection());
    QVERIFY(q.exec("SELECT RefNo IS NULL, Drug IS NULL, FirstName IS NULL, LastName IS NULL, "
                   "RxImage FROM RxImages"));
    QVERIFY(q.next());
    for (int i = 0; i < 4; ++i)
        QCOMPARE(q.value(i).toInt(), 0);
    QVERIFY(db.Find("7", ""));
}

void TestDatabase::configurationRead_data() {
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<bool>("hasRow");
    QTest::addColumn<QString>("expected");
    QTest::newRow("no row") << QStringList{} << false << QString();
    QTest::newRow("null") << QStringList{"NULL"} << true << QString();
    QTest::newRow("empty text") << QStringList{"''"} << true << QString();
    QTest::newRow("zero") << QStringList{"0"} << true << "0";
    QTest::newRow("first of several") << QStringList{"3", "5"} << true << "3";
    QTest::newRow("null first of several") << QStringList{"NULL", "5"} << true << QString();
}

void TestDatabase::configurationRead() {
    QFETCH(QStringList, rows);
    QFETCH(bool, hasRow);
    QFETCH(QString, expected);
    Database db;
    QVERIFY(db.OpenFile(":memory:"));
    for (const QString& value : rows)
        QVERIFY(QSqlQuery(db.Connection())
                    .exec(QStringLiteral("INSERT INTO Configuration VALUES (%1)").arg(value)));
    const std::optional<QString> read = db.ReadScannerSource();
    QCOMPARE(read.has_value(), hasRow);
    if (hasRow) {
        QCOMPARE(*read, expected);
        QVERIFY(!read->isNull() || expected.isEmpty());
    }
}

void TestDatabase::configurationWriteInsertsThenUpdatesFirstRow() {
    Database db;
    QVERIFY(db.OpenFile(":memory:"));
    db.WriteScannerSource(1);
    QSqlQuery q(db.Connection());
    auto all = [&] {
        QStringList out;
        QSqlQuery s(db.Connection());
        s.exec("SELECT ifnull(ScannerSource, 'null') FROM Configuration ORDER BY rowid");
        while (s.next())
            out << s.value(0).toString();
        return out;
    };
    QCOMPARE(all(), QStringList{"1"});
    db.WriteScannerSource(4);
    QCOMPARE(all(), QStringList{"4"});
    QVERIFY(q.exec("INSERT INTO Configuration VALUES (9)"));
    db.WriteScannerSource(0);
    QCOMPARE(all(), (QStringList{"0", "9"}));
    QCOMPARE(db.ReadScannerSource(), std::optional<QString>("0"));
}

void TestDatabase::valuesAreStoredLiterally_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("apostrophe") << "O'BRIEN";
    QTest::newRow("quote breaking out") << "X' OR '1'='1";
    QTest::newRow("statement") << "'); DROP TABLE RxImages; --";
    QTest::newRow("percent and underscore") << "50%_OFF";
    QTest::newRow("brackets") << "[RxImages]";
}

void TestDatabase::valuesAreStoredLiterally() {
    QFETCH(QString, text);
    Database db;
    QVERIFY(db.OpenFile(":memory:"));
    db.UpsertPrescription(Rx("1", "0"));
    db.UpsertPrescription(Rx(text, text, "03/07/2006", text, text, text));
    db.SetRxImage(text, text, text);
    QCOMPARE(RowCount(db), 2);
    const auto row = db.Find(text, text);
    QVERIFY(row);
    QCOMPARE(row->RxNbr, text);
    QCOMPARE(row->Drug, text);
    QCOMPARE(row->FirstName, text);
    QCOMPARE(row->LastName, text);
    QCOMPARE(row->RxImage, text);
    QCOMPARE(db.Find("1", "0")->RxImage, QString()); // no other row touched
    db.DeletePrescription(text, text);
    QCOMPARE(RowCount(db), 1);
}

void TestDatabase::dateConversion_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("iso"); // empty: refused
    QTest::newRow("7 March 2006") << "03/07/2006"
                                  << "2006-03-07";
    QTest::newRow("leap day") << "02/29/2008"
                              << "2008-02-29";
    QTest::newRow("new year's eve") << "12/31/1999"
                                    << "1999-12-31";
    QTest::newRow("slashes alone") << "//"
                                   << "";
    QTest::newRow("30 February") << "02/30/2006"
                                 << "";
    QTest::newRow("29 February, no leap year") << "02/29/2006"
                                               << "";
    QTest::newRow("month 13") << "13/01/2006"
                              << "";
    QTest::newRow("zeros") << "00/00/0000"
                           << "";
    QTest::newRow("year zero") << "01/01/0000"
                               << "";
    QTest::newRow("one-digit month") << "3/07/2006"
                                     << "";
    QTest::newRow("blank in month") << " 3/07/2006"
                                    << "";
    QTest::newRow("signed year") << "03/07/-006"
                                 << "";
    QTest::newRow("blanks") << "  /  /    "
                            << "";
    QTest::newRow("year only") << "//2006"
                               << "";
    QTest::newRow("trailing text") << "03/07/2006x"
                                   << "";
    QTest::newRow("Arabic-Indic digits") << QString::fromUtf8("٠٣/٠٧/٢٠٠٦") << "";
}

void TestDatabase::dateConversion() {
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
        QVERIFY(e.description().contains(text));
        QVERIFY(!Database::IsUnavailable(e));
    }
    Database db;
    QVERIFY(db.OpenFile(":memory:"));
    QVERIFY_THROWS_EXCEPTION(QuillerError, db.UpsertPrescription(Rx("1", "0", text)));
    QCOMPARE(RowCount(db), 0);
}

void TestDatabase::savepointRollsBackOneLineAlone() {
    TestEnv env;
    Database db;
    QVERIFY(db.Open(env.imageFolder()));
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
    db.Savepoint("line");
    db.UpsertPrescription(Rx("13", "0"));
    db.ReleaseSavepoint("line");
    db.Commit();

    Probe probe(env.imageFolder() + "/Marrowby.mdb");
    QCOMPARE(probe.column("SELECT RxNbr || ':' || RxImage || ':' || FillDate FROM RxImages "
                          "ORDER BY RxNbr"),
             (QStringList{"10:10_0.jpg:2006-03-07", "11::2006-03-07", "13::2006-03-07"}));

    // A transaction rolled back as a whole leaves nothing.
    db.BeginTransaction();
    db.UpsertPrescription(Rx("14", "0"));
    db.Rollback();
    QVERIFY(!db.Find("14", "0"));
}

void TestDatabase::nonDatabaseFileFailsToOpen() {
    TestEnv env;
    quiller::test::WriteFile(
        env.imageFolder() + "/Marrowby.mdb",
        QByteArray("Standard Jet DB\0\0 this is not SQLite at all", 44).repeated(50));
    Database db;
    QVERIFY(!db.Open(env.imageFolder()));
    QVERIFY(!db.IsOpen());
    QVERIFY2(!db.LastError().isEmpty(), "no message");
    // The file is left as it was.
    QVERIFY(
        quiller::test::ReadFile(env.imageFolder() + "/Marrowby.mdb").startsWith("Standard Jet DB"));
}

void TestDatabase::lockedDatabaseIsUnavailable() {
    TestEnv env;
    Database db;
    QVERIFY(db.Open(env.imageFolder()));
    Probe other(env.imageFolder() + "/Marrowby.mdb");
    QVERIFY(other.exec("BEGIN EXCLUSIVE"));
    try {
        db.BeginTransaction();
        QFAIL("began while another program holds the database");
    } catch (const QuillerError& e) {
        QVERIFY2(Database::IsUnavailable(e), qPrintable(QString::number(e.number())));
    }
    QVERIFY(other.exec("COMMIT"));
    db.BeginTransaction();
    db.Commit();
}

QTEST_GUILESS_MAIN(TestDatabase)
// The statements kept for the intake and the storage belong to one connection: after a
// reopen, on another file, they write there; a refused row leaves nothing behind.
void TestDatabase::keptStatementsFollowTheConnection() {
    TestEnv env;
    const QString second = env.home() + QStringLiteral("/second");
    QVERIFY(QDir().mkpath(second));
    Database db;
    QVERIFY(db.Open(env.imageFolder()));
    db.BeginTransaction();
    db.UpsertPrescription(Rx("20", "0"));
    QVERIFY_THROWS_EXCEPTION(QuillerError, db.UpsertPrescription(Rx("21", "0", "13/01/2006")));
    db.UpsertPrescription(Rx("22", "0"));
    db.UpsertPrescription(Rx("20", "0", "06/06/2006"));
    db.Commit();
    db.SetRxImage("22", "0", "22_0.jpg");
    QCOMPARE(RowCount(db), 2);

    QVERIFY(db.Open(second));
    QCOMPARE(RowCount(db), 0);
    db.UpsertPrescription(Rx("30", "0"));
    db.SetRxImage("30", "0", "30_0.jpg");
    db.SetRxImage("20", "0", "elsewhere.jpg"); // no such row in this file
    db.Close();

    Probe first(env.imageFolder() + "/Marrowby.mdb");
    QCOMPARE(first.column("SELECT RxNbr || ':' || RxImage || ':' || FillDate FROM RxImages "
                          "ORDER BY RxNbr"),
             (QStringList{"20::2006-06-06", "22:22_0.jpg:2006-03-07"}));
    Probe other(second + "/Marrowby.mdb");
    QCOMPARE(other.column("SELECT RxNbr || ':' || RxImage FROM RxImages"),
             (QStringList{"30:30_0.jpg"}));
}

#include "tst_database.moc"
