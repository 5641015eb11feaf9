// A station's SQLite records copied to the server: counted, safe to repeat, the file
// left as it was, a prescription another station has scanned there kept.
#include "base/Error.h"
#include "common/TestEnv.h"
#include "common/TestServer.h"
#include "settings/SettingsStore.h"
#include "station/StationDatabase.h"

#include <QSqlQuery>
#include <QUrl>
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
        QVERIFY2(said.contains("3 rows (3 prescriptions); 1 added, 1 updated, 1 kept") &&
                     said.contains("holds 4 rows (3 before)"),
                 qPrintable(said));
        QCOMPARE(ServerRows(server), expected);
        said = CopyStationDatabase(settings, uri);
        QVERIFY2(said.contains("0 added, 1 updated, 2 kept") && said.contains("4 rows (4 before)"),
                 qPrintable(said));
        QCOMPARE(ServerRows(server), expected);
        QCOMPARE(ReadFile(file), before);
        QVERIFY_THROWS_EXCEPTION(QuillerError,
                                 CopyStationDatabase(settings, "host=/tmp dbname=quiller"));
    }
};

QTEST_MAIN(TstCopyDatabase)
#include "tst_copydatabase.moc"
