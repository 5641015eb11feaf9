// The data-file line: splitting a file into lines, Windows-1252 letters, the fixed-width
// fields; and the fuzzers' seed files replayed through the parser.
#include "common/TestEnv.h"
#include "intake/LineParser.h"
#include "station/PollingTick.h"

#include <QtTest>

using namespace quiller;
using namespace quiller::test;

namespace {

QString Pad(const QString& s, int width) {
    return s.leftJustified(width, ' ');
}

// The fields of a parsed line joined by '|': Rx, refill, date, drug, first, last, list
// entry, patient.
QString Fields(const ParsedLine& p) {
    return QStringList{p.p.RxNbr,     p.p.RefNo,    p.dateText,  p.drug,
                       p.p.FirstName, p.p.LastName, p.entryText, p.patient}
        .join('|');
}

// What holds for any line: no field reaches beyond its columns and none is null.
void CheckLayout(const QString& line) {
    const ParsedLine p = ParseLine(line);
    QVERIFY(p.p.RxNbr.size() <= 6 && p.p.RefNo.size() <= 2 && p.drug.size() <= 30);
    QVERIFY(p.p.FirstName.size() <= 15 && p.p.LastName.size() <= 15 && p.dateText.size() <= 10);
    QCOMPARE(p.entryText, p.p.RxNbr + '-' + p.p.RefNo);
    QCOMPARE(p.drug, line.mid(16, 30));
    QCOMPARE(p.p.FillDate, p.dateText);
    QCOMPARE(p.p.Drug, p.drug);
    for (const QString* f : {&p.p.RxNbr, &p.p.RefNo, &p.p.Drug, &p.p.FirstName, &p.p.LastName})
        QVERIFY(!f->isNull()); // each reaches the database as text
}

} // namespace

class TstLineParser : public QObject {
    Q_OBJECT
private slots:
    void fields_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("fields");
        const auto row = [](const char* name, const QString& line, const QString& fields) {
            QTest::newRow(name) << line << fields;
        };
        const QString amox = Pad("AMOXICILLIN 500MG CAP", 30), x = Pad("X", 30);
        row("42-1 of 7 March", "    42 120060307" + amox + Pad("JOHN", 15) + "SMITH",
            "42|1|03/07/2006|" + amox + "|JOHN|SMITH|42-1|JOHN SMITH");
        row("blanks inside kept",
            "1234561220061231  TWO  SPACES  AND  TRAILING  " + Pad("MARY ANN", 15) + "VAN DER BERG",
            "123456|12|12/31/2006|  TWO  SPACES  AND  TRAILING  |MARY ANN|VAN DER BERG|123456-12|"
            "MARY ANN VAN DER BERG");
        row("after position 76 ignored, full names",
            "     10120060101" + x + "FIRSTNAMEFIFTEELASTNAMEFIFTEENOVERFLOW",
            "1|01|01/01/2006|" + x +
                "|FIRSTNAMEFIFTEE|LASTNAMEFIFTEEN|1-01|FIRSTNAMEFIFTEE LASTNAMEFIFTEEN");
        row("short: drug cut, no names", "    42 120060307ASPIRIN",
            "42|1|03/07/2006|ASPIRIN|||42-1| ");
        row("short: first name cut", "    42 120060307" + amox + "ANN",
            "42|1|03/07/2006|" + amox + "|ANN||42-1|ANN ");
        row("under 9 characters", "    42 1", "42|1|//||||42-1| ");
        row("date cut after the year", "    42 12006", "42|1|//2006||||42-1| ");
        row("date cut after the month", "    42 1200603", "42|1|03//2006||||42-1| ");
        row("tabs are not blanks", "\t   421\t20060307" + amox + Pad("\tANN", 15) + "LEE\t",
            "\t   42|1\t|03/07/2006|" + amox + "|\tANN|LEE\t|\t   42-1\t|\tANN LEE\t");
        row("all blanks", QString(76, ' '), "||  /  /    |" + QString(30, ' ') + "|||-| ");
    }

    void fields() {
        QFETCH(QString, line);
        QFETCH(QString, fields);
        QCOMPARE(Fields(ParseLine(line)), fields);
        CheckLayout(line);
        QVERIFY(ParseLine(line).p.RxImage.isEmpty());
    }

    void cp1252() {
        QByteArray all(256, '\0');
        for (int i = 0; i < 256; ++i)
            all[i] = char(i);
        const QString text = DecodeCp1252(all);
        QCOMPARE(text.size(), 256);
        for (int i = 0; i < 256; ++i) // ASCII and Latin-1 as they are
            if (i < 0x80 || i > 0x9F)
                QCOMPARE(text.at(i).unicode(), char16_t(i));
        // The printable 0x80-0x9F bytes; the five unassigned ones stay as control codes.
        const QList<QPair<int, char16_t>> special = {
            {0x80, 0x20AC}, {0x82, 0x201A}, {0x85, 0x2026}, {0x8A, 0x0160}, {0x8C, 0x0152},
            {0x8E, 0x017D}, {0x91, 0x2018}, {0x92, 0x2019}, {0x93, 0x201C}, {0x94, 0x201D},
            {0x96, 0x2013}, {0x97, 0x2014}, {0x99, 0x2122}, {0x9C, 0x0153}, {0x9F, 0x0178},
            {0x81, 0x0081}, {0x8D, 0x008D}, {0x8F, 0x008F}, {0x90, 0x0090}, {0x9D, 0x009D}};
        for (const auto& [byte, unicode] : special)
            QCOMPARE(text.at(byte).unicode(), unicode);
    }

    void dataFileLines_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("CR LF") << QByteArray("one\r\ntwo\r\n") << QStringList{"one", "two"};
        QTest::newRow("LF, no final terminator")
            << QByteArray("one\ntwo") << QStringList{"one", "two"};
        QTest::newRow("empty lines skipped")
            << QByteArray("\r\none\r\n\r\n\n\r\ntwo\r\n\r\n") << QStringList{"one", "two"};
        QTest::newRow("empty file") << QByteArray() << QStringList{};
        QTest::newRow("lone CR inside a line") << QByteArray("a\rb\r\n") << QStringList{"a\rb"};
        QTest::newRow("blank line is not empty") << QByteArray("   \r\n") << QStringList{"   "};
        QTest::newRow("NUL byte") << QByteArray("ab\0cd\r\n", 7)
                                  << QStringList{QString("ab") + QChar(0) + "cd"};
        QTest::newRow("Windows-1252")
            << QByteArray("JOS\xC9 \x80\r\n") << QStringList{QString::fromUtf8("JOSÉ €")};
        QTest::newRow("long line cut") << (QByteArray(300, 'x') + "\r\nnext")
                                       << QStringList{QString(kMaxDataLine, 'x'), "next"};
        QTest::newRow("cut where the CR would come")
            << QByteArray(kMaxDataLine, 'y') + "\r\n" + QByteArray(kMaxDataLine + 1, 'z') + "\r\n"
            << QStringList{QString(kMaxDataLine, 'y'), QString(kMaxDataLine, 'z')};
    }

    void dataFileLines() {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, lines);
        QCOMPARE(DataFileLines(content), lines);
        TestEnv env; // the same through a file
        WriteFile(env.interchangeFolder() + "/AXQLV", content);
        QCOMPARE(PollingTick::ReadDataFile(env.interchangeFolder() + "/AXQLV"), lines);
    }

    // Every seed file of the fuzzers: the parser cuts any bytes into the fixed fields.
    void fuzzSeeds_data() {
        QTest::addColumn<QString>("path");
        const QDir seeds(QUILLER_TEST_DATA "/fuzz-seed");
        QDirIterator it(seeds.path(), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            QTest::newRow(qPrintable(seeds.relativeFilePath(path))) << path;
        }
    }

    void fuzzSeeds() {
        QFETCH(QString, path);
        const QByteArray bytes = ReadFile(path);
        QCOMPARE(DecodeCp1252(bytes).size(), bytes.size());
        CheckLayout(DecodeCp1252(bytes));
        for (const QString& line : DataFileLines(bytes)) {
            QVERIFY(!line.isEmpty() && line.size() <= kMaxDataLine && !line.contains('\n'));
            CheckLayout(line);
        }
    }
};

QTEST_GUILESS_MAIN(TstLineParser)
#include "tst_lineparser.moc"
