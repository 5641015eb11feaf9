// A station's SQLite records copied to the server: counted, safe to repeat, the file
// left as it was, a prescription another station has scanned there kept.
#include "base/Error.h"
#include "common/TestEnv.h"
#include "common/TestServer.h"
#include "records/AuditTrail.h"
#include "settings/SettingsStore.h"
#include "station/StationDatabase.h"

#include <QSqlQuery>
#include <QtTest>

using namespace quiller;
using namespace quiller::test;

namespace {

Prescription Rx(const QString& rx, const QString& drug) {
    return Prescription{rx, "01", "03/07/2006", drug, "ANN", "LEE", QString()};
}

QStringList ServerRows(const ServerAddress& server) {
    Database db(QStringLiteral("look"));
    db.OpenServer(server);
    QSqlQuery q(db.Connection());
    q.exec("SELECT RxNbr || '/' || RxImage || '/' || Drug FROM RxImages ORDER BY RxNbr");
    QStringList rows;
    while (q.next())
        rows << q.value(0).toString();
    return rows;
}

} // namespace

class TstCopyDatabase : public QObject {
    Q_OBJECT
private slots:
    void copiesOnceAndLeavesTheFile() {
        TestEnv env;
        env.writeSettings(QStringLiteral("[setup]\ndataPath=%1\n").arg(env.imageFolder()));
        {
            Database source(QStringLiteral("source"));
            source.Open(env.imageFolder());
            for (const char* rx : {"1", "2", "3"})
                source.UpsertPrescription(Rx(rx, "MINE"));
            source.SetRxImage("1", "01", "1_01.jpg");
        }
        const ServerAddress server = FreshServerDatabase("tst_copydatabase");
        {
            // Another station has scanned 3-01 on the server; 2-01 waits for its page.
            Database other(QStringLiteral("other"));
            other.OpenServer(server);
            for (const char* rx : {"2", "3", "9"})
                other.UpsertPrescription(Rx(rx, "THEIRS"));
            other.SetRxImage("3", "01", "3_01.jpg");
        }
        const QString file = Database::PathIn(env.imageFolder());
        const QByteArray before = ReadFile(file);
        const QString uri = "postgresql://quiller_test@" +
                            QString::fromLatin1(QUrl::toPercentEncoding(server.host)) +
                            "/tst_copydatabase";
        const SettingsStore settings;
        const QStringList expected{"1/1_01.jpg/MINE", "2//MINE", "3/3_01.jpg/THEIRS", "9//THEIRS"};
        QString said = CopyStationDatabase(settings, uri);
        QVERIFY2(said.contains("3 rows (3 prescriptions); 1 added, 1 updated, 0 already the "
                               "same, 1 kept") &&
                     said.contains("holds 4 rows (3 before)"),
                 qPrintable(said));
        QCOMPARE(ServerRows(server), expected);
        said = CopyStationDatabase(settings, uri);
        // Only rows that change are counted as written.
        QVERIFY2(said.contains("0 added, 0 updated, 2 already the same, 1 kept") &&
                     said.contains("4 rows (4 before)"),
                 qPrintable(said));
        QCOMPARE(ServerRows(server), expected);
        QCOMPARE(ReadFile(file), before);
        // Each copy is in the server's audit trail, with who made it and what arrived.
        Database look(QStringLiteral("audit"));
        look.OpenServer(server);
        const QList<AuditRow> audit = AuditTrail::Read(look.Connection(), {}, {}, {});
        QCOMPARE(audit.size(), 2);
        QCOMPARE(audit[0].action + audit[0].outcome + audit[0].role,
                 QStringLiteral("copy to serverdonequiller_test"));
        QCOMPARE(audit[0].account, AuditTrail::OsAccount());
        QVERIFY(audit[0].detail.contains(file + ": 3 rows; 1 added, 1 updated"));
        QVERIFY(audit[1].detail.contains("0 added, 0 updated, 2 already the same"));
        QVERIFY_THROWS_EXCEPTION(QuillerError,
                                 CopyStationDatabase(settings, "host=/tmp dbname=quiller"));
    }

    // An old file (schema 0, Windows-1252 bytes, a doubled key) is copied as intake reads
    // text, with the row whose image is on disk; the file itself stays as it was.
    void oldFileCopiedAsIntakeReadsIt() {
        TestEnv env;
        env.writeSettings(QStringLiteral("[setup]\ndataPath=%1\n").arg(env.imageFolder()));
        QDir().mkpath(env.imageFolder());
        const QString file = Database::PathIn(env.imageFolder());
        QCOMPARE(
            RunSql(file,
                   {"CREATE TABLE RxImages (RxNbr TEXT, RefNo TEXT, FillDate TEXT, Drug TEXT, "
                    "FirstName TEXT, LastName TEXT, RxImage TEXT)",
                    "INSERT INTO RxImages VALUES ('5','01','2006-03-07',CAST(X'434146C920' AS "
                    "TEXT),'ZO\xc3\x8b',CAST(X'8A' AS TEXT),'')",
                    "INSERT INTO RxImages VALUES ('6','01','2006-03-07','OLD','A','B','6_01.jpg')",
                    "INSERT INTO RxImages VALUES ('6','01','2006-03-08','NEW','A','B','')"}),
            QStringList());
        WriteFile(env.imageFolder() + "/6_01.jpg", "JPEG");
        const QByteArray before = ReadFile(file);
        const ServerAddress server = FreshServerDatabase("tst_copydatabase");
        const QString said = CopyStationDatabase(
            SettingsStore(), "host=" + server.host + " dbname=tst_copydatabase user=quiller_test");
        QVERIFY2(said.contains("3 rows (2 prescriptions); 2 added"), qPrintable(said));
        Database db(QStringLiteral("look"));
        db.OpenServer(server);
        QCOMPARE(db.Find("5", "01")->Drug, QString::fromUtf8("CAF\u00c9 "));
        QCOMPARE(db.Find("5", "01")->FirstName, QString::fromUtf8("ZO\u00cb"));
        QCOMPARE(db.Find("5", "01")->LastName, QString::fromUtf8("\u0160"));
        QCOMPARE(db.Find("6", "01")->RxImage, QStringLiteral("6_01.jpg"));
        QCOMPARE(ReadFile(file), before);
    }

    // The copy command refuses an empty or malformed target before opening anything, and
    // never starts the station: exit 2, nothing copied, no password echoed.
    void copyCommandRefusesABadTarget_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("said");
        QTest::newRow("empty") << QStringLiteral("") << "No database connection";
        QTest::newRow("misspelt parameter")
            << QStringLiteral("postgresql://u:s3cret@h/db?sslmod=require") << "sslmod";
        QTest::newRow("a bare word") << QStringLiteral("quiller") << "not a database connection";
    }
    void copyCommandRefusesABadTarget() {
        QFETCH(QString, target);
        QFETCH(QString, said);
        TestEnv env;
        env.writeSettings(QStringLiteral("[setup]\ndataPath=%1\nfilePath=%2\nScannerID=A\n")
                              .arg(env.imageFolder(), env.interchangeFolder()));
        QProcess quiller;
        quiller.start(QStringLiteral(QUILLER_BINARY_DIR) + "/src/quiller",
                      {"--copy-database-to", target});
        QVERIFY(quiller.waitForFinished(30000));
        QCOMPARE(quiller.exitCode(), 2);
        const QString err = QString::fromLocal8Bit(quiller.readAllStandardError());
        QVERIFY2(err.contains("Nothing was copied") && err.contains(said) &&
                     !err.contains("s3cret"),
                 qPrintable(err));
        QVERIFY(!QFile::exists(Database::PathIn(env.imageFolder())));
    }
};

QTEST_MAIN(TstCopyDatabase)
#include "tst_copydatabase.moc"
