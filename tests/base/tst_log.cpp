// The administrator's log: one record per line whatever a message holds, the station on
// every line, info and above by default, the file its owner's alone.
#include "base/Log.h"

#include <QtTest>

using namespace quiller;

class TstLog : public QObject {
    Q_OBJECT
private slots:
    void oneRecordPerLine_data() {
        QTest::addColumn<QString>("station");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain") << QStringLiteral("A") << "data file taken: AX0001.QLV, 3 lines"
                               << "T info station A quiller.intake: data file taken: AX0001.QLV, "
                                  "3 lines\n";
        // A data file named to look like a record of its own stays inside its record.
        QTest::newRow("forged record")
            << "A"
            << "data file taken: AX.QLV\n2026-12-07T10:00:00.000 info station A "
               "quiller.storage: page stored"
            << "T info station A quiller.intake: data file taken: AX.QLV\\n2026-12-07T10:00:00.000 "
               "info station A quiller.storage: page stored\n";
        QTest::newRow("CR LF and tab") << QStringLiteral("A") << "a\r\nb\tc"
                                       << "T info station A quiller.intake: a\\r\\nb\\tc\n";
        QTest::newRow("other controls")
            << "A" << QString("bell\x07 esc\x1b del\x7f nel") + QChar(0x85) + "end"
            << "T info station A quiller.intake: bell\\x07 esc\\x1b del\\x7f nel\\x85end\n";
        QTest::newRow("unicode line separators")
            << "A" << QString("x") + QChar(0x2028) + "y" + QChar(0x2029) + "z é"
            << "T info station A quiller.intake: x\\u{2028}y\\u{2029}z é\n";
        QTest::newRow("station unknown") << QString() << "starting"
                                         << "T info station - quiller.intake: starting\n";
        QTest::newRow("station from hostile settings")
            << "B\nT info station A"
            << "x"
            << "T info station B\\nT info station A quiller.intake: x\n";
    }

    void oneRecordPerLine() {
        QFETCH(QString, station);
        QFETCH(QString, message);
        QFETCH(QString, expected);
        const QString line = LogFile::FormatRecord(QStringLiteral("T"), QtInfoMsg, "quiller.intake",
                                                   station, message);
        QCOMPARE(line, expected);
        QCOMPARE(line.count(QLatin1Char('\n')), 1);
        QVERIFY(line.endsWith(QLatin1Char('\n')));
    }

    void fileNamesStationAndKeepsInfoAndAbove() {
        qunsetenv("QT_LOGGING_RULES");
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("state/Quiller/quiller.log"));
        LogFile::Install(path);
        auto uninstall = qScopeGuard([] {
            LogFile::Uninstall();
            LogFile::SetStation(QString());
        });
        LogFile::SetStation(QStringLiteral("C"));
        qCDebug(lcSettings) << "wrote setup/dataPath";
        qCInfo(lcIntake).noquote() << "data file taken: C1\nC2.QLV";
        qCWarning(lcStorage).noquote() << "page kept apart";
        LogFile::Uninstall();

        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 2);
        QVERIFY2(
            lines.at(0).endsWith(" info station C quiller.intake: data file taken: C1\\nC2.QLV"),
            qPrintable(lines.at(0)));
        QVERIFY2(lines.at(1).endsWith(" warning station C quiller.storage: page kept apart"),
                 qPrintable(lines.at(1)));
        QCOMPARE(QFile::permissions(path) & ~(QFile::ReadUser | QFile::WriteUser),
                 QFile::ReadOwner | QFile::WriteOwner);

        // A log an earlier version left readable by others becomes the owner's alone.
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner |
                                                QFile::ReadGroup | QFile::ReadOther));
        LogFile::Install(path);
        QCOMPARE(QFile::permissions(path) & ~(QFile::ReadUser | QFile::WriteUser),
                 QFile::ReadOwner | QFile::WriteOwner);
    }
};

QTEST_GUILESS_MAIN(TstLog)
#include "tst_log.moc"
