#include "common/ViewFixture.h"

#include "common/TestServer.h"

#include <QColor>
#include <QImage>
#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>

namespace quiller::test {

StationContext& SharedContext() {
    static StationContext context;
    return context;
}

QList<FixtureRow> FixtureRows() {
    return {
        // Rx, refill, date, drug (30 characters as delivered), first, last, image
        {"123", "01", "2006-03-07", "Amoxicillin 500mg             ", "John", "Smith",
         "123_01.jpg"},
        {"00123", "02", "2006-03-08", "AMOXIL", "Mary", "Smithers", "00123_02.jpg"},
        {" 123", "1", "2006-03-09", "amoxapine", "Johnny", "smith", ""},
        {"124", "01", "2006-03-10", "Ibuprofen", "John", "Jones", QVariant()},
        {"abc", "00", "2006-03-11", "Tylenol", "Paul", "O'Neil", ""},
        {"125", "01", "2006-04-01", "O'Neil's Drops", "Sean", "Brown", "125_01.jpg"},
        {"126", "01", "2006-03-07", "50% Cream", "Mary", "Ann", ""},
        {"127", "12", "2006-03-12", "5000 Units", "Ann", "Smyth", "gone.jpg"},
        {"123", "0'", "2006-05-01", "Test", "Test", "Refill", ""},
        {"128", "01", "2006-03-06", "Zinc", "Ed", "Zeller", ""},
        {"129", "01", "2006-06-01", QStringLiteral("\u00c9clair Drops"),
         QStringLiteral("Jos\u00e9"), QStringLiteral("M\u00dcLLER"), ""},
    };
}

void InsertRows(Database& db, const QList<FixtureRow>& rows) {
    QSqlQuery q(db.Connection());
    QVERIFY(q.prepare(QStringLiteral(
        "INSERT INTO RxImages (RxNbr, RefNo, FillDate, Drug, FirstName, LastName, RxImage) "
        "VALUES (?, ?, ?, ?, ?, ?, ?)")));
    QVERIFY(db.Connection().transaction());
    for (const FixtureRow& r : rows) {
        for (const QString& value : {r.RxNbr, r.RefNo, r.FillDate, r.Drug, r.FirstName, r.LastName})
            q.addBindValue(value);
        q.addBindValue(r.RxImage.isValid() ? r.RxImage : QVariant(QMetaType(QMetaType::QString)));
        QVERIFY2(q.exec(), qPrintable(q.lastError().text()));
    }
    QVERIFY(db.Connection().commit());
}

void OpenFixtureDatabase(const QList<FixtureRow>& rows) {
    SharedContext().DbConnection.reset();
    SharedContext().DbConnection = std::make_unique<Database>(QStringLiteral("viewtest"));
    OpenFixtureOn(*SharedContext().DbConnection, TestEngine(), rows);
}

void OpenFixtureOn(Database& db, Engine engine, const QList<FixtureRow>& rows) {
    if (engine == Engine::Sqlite)
        db.OpenFile(QStringLiteral(":memory:"));
    else
        OpenEmpty(db);
    // The NOT NULL default of RxImage is the usual case; a null image name can still
    // reach the table from older files, so the fixture table allows it.
    QSqlQuery q(db.Connection());
    if (db.engine() == Engine::PostgreSql) {
        QVERIFY(q.exec(QStringLiteral("ALTER TABLE RxImages ALTER COLUMN RxImage DROP NOT NULL")));
    } else {
        QVERIFY(q.exec(QStringLiteral("DROP TABLE RxImages")));
        QVERIFY(q.exec(QStringLiteral(
            "CREATE TABLE RxImages (RxNbr TEXT NOT NULL, RefNo TEXT NOT NULL, FillDate TEXT,"
            " Drug TEXT COLLATE NOCASE, FirstName TEXT COLLATE NOCASE, LastName TEXT COLLATE "
            "NOCASE, RxImage TEXT)")));
        QSqlDatabase connection = db.Connection();
        Database::CreateSchema(connection); // the indexes
    }
    InsertRows(db, rows);
}

void WritePicture(const QString& path, const QColor& colour, int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    QVERIFY(image.save(path, "JPG"));
}

} // namespace quiller::test
