// A changed configuration becomes the station's whole or not at all: folder, database,
// settings and the run's state move together, and a failure at any step leaves all four
// as they were.
#include "base/Error.h"
#include "common/TestEnv.h"
#include "records/Database.h"
#include "settings/StationSettings.h"
#include "station/ApplyConfiguration.h"
#include "station/StationContext.h"

#include <QtTest>

using namespace quiller;
using namespace quiller::test;

class TstApplyConfiguration : public QObject {
    Q_OBJECT
private slots:
    void appliedWholeOrNotAtAll_data() {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("applied");
        QTest::newRow("new image folder") << "folder" << true;
        QTest::newRow("same folder, new identity") << "identity" << true;
        QTest::newRow("database that cannot be opened") << "broken" << false;
        // The new database opened, then a setting was refused: the station goes back.
        QTest::newRow("setting refused after the reopen") << "refused" << false;
    }
    void appliedWholeOrNotAtAll() {
        QFETCH(QString, change);
        QFETCH(bool, applied);
        TestEnv env;
        const QString images = env.imageFolder();
        const QString interchange = env.interchangeFolder();
        env.writeSettings(QStringLiteral("[setup]\ndataPath=%1\nfilePath=%2\nScannerID=A\n"
                                         "Scanner=0\nScannerDevice=old:dev\n")
                              .arg(images, interchange));
        StationContext app;
        app.dataPath = images;
        app.filePath = interchange;
        app.ScannerID = QStringLiteral("A");
        Database::EnsureFile(images, QString());
        app.DbConnection = std::make_unique<Database>(QStringLiteral("applyconfiguration"));
        app.DbConnection->Open(images);

        const QString other = env.home() + QStringLiteral("/other");
        QDir().mkpath(other);
        StationConfiguration chosen{other, interchange, QStringLiteral("B"), 1,
                                    QStringLiteral("new:dev")};
        if (change == "identity")
            chosen.imageFolder = images;
        if (change == "broken")
            WriteFile(Database::PathIn(other), QByteArray(4096, 'Z'));
        if (change == "refused")
            chosen.interchangeFolder = interchange + QStringLiteral("\nsecond line");

        StationSettings settings;
        bool thrown = false;
        try {
            ApplyConfiguration(app, settings, chosen);
        } catch (const QuillerError& e) {
            thrown = true;
            QVERIFY(!e.description().isEmpty());
        }
        QCOMPARE(thrown, !applied);

        const QString folder = applied ? chosen.imageFolder : images;
        QVERIFY(app.DbConnection && app.DbConnection->IsOpen());
        QCOMPARE(app.DbConnection->FilePath(), Database::PathIn(folder));
        const StationSettings after;
        QCOMPARE(QStringList({after.ImageFolder(), after.InterchangeFolder(), after.StationId(),
                              QString::number(after.ScannerPosition().value_or(-1)),
                              after.ScannerDevice()}),
                 applied ? QStringList({folder, interchange, "B", "1", "new:dev"})
                         : QStringList({images, interchange, "A", "0", "old:dev"}));
        QCOMPARE(QStringList({app.dataPath, app.filePath, app.ScannerID}),
                 QStringList({folder, interchange, applied ? "B" : "A"}));
        QCOMPARE(app.DbConnection->ReadScannerSource(),
                 applied ? std::optional<QString>("1") : std::nullopt);
    }
};

QTEST_GUILESS_MAIN(TstApplyConfiguration)
#include "tst_applyconfiguration.moc"
