#include "common/TestEnv.h"
#include "intake/LineParser.h"
#include "station/PollingTick.h"

#include <QtTest>
#include <sys/stat.h>

using namespace quiller;
using quiller::test::DataFile;
using quiller::test::TestEnv;
using quiller::test::WriteFile;

namespace {
// A line laid out field by field: each field is given exactly as it stands in the file.
QString Line(const QString& rx6, const QString& ref2, const QString& date8, const QString& drug30,
             const QString& first15, const QString& last15, const QString& tail = QString()) {
    return rx6 + ref2 + date8 + drug30 + first15 + last15 + tail;
}
QString Pad(const QString& s, int width) {
    return s.leftJustified(width, QLatin1Char(' '));
}
} // namespace

class TestLineParser : public QObject {
    Q_OBJECT
private slots:
    void fields_data();
    void fields();
    void cp1252Table();
    void dataFileLines_data();
    void dataFileLines();
    void readsFixtureFiles();
    void hugeLineAndNulDoNotHurt();
    void refusesLinksFoldersAndPipes();
    void arbitraryBytesKeepTheLayout();
};

void TestLineParser::fields_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("rx");
    QTest::addColumn<QString>("ref");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("drug");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("patient");

    const QString amox = Pad("AMOXICILLIN 500MG CAP", 30);
    QTest::newRow("42-1 of 7 March")
        << Line("    42", " 1", "20060307", amox, Pad("JOHN", 15), Pad("SMITH", 15)) << "42"
        << "1"
        << "03/07/2006" << amox << "JOHN"
        << "SMITH"
        << "42-1"
        << "JOHN SMITH";
    QTest::newRow("blanks inside the drug name kept")
        << Line("123456", "12", "20061231", "  TWO  SPACES  AND  TRAILING  ", Pad("MARY ANN", 15),
                Pad("VAN DER BERG", 15))
        << "123456"
        << "12"
        << "12/31/2006"
        << "  TWO  SPACES  AND  TRAILING  "
        << "MARY ANN"
        << "VAN DER BERG"
        << "123456-12"
        << "MARY ANN VAN DER BERG";
    QTest::newRow("after position 76 ignored")
        << Line("     7", " 0", "20050228", Pad("METFORMIN", 30), Pad("PAT", 15), "LEE            ",
                "OVERFLOW TEXT 12345")
        << "7"
        << "0"
        << "02/28/2005" << Pad("METFORMIN", 30) << "PAT"
        << "LEE"
        << "7-0"
        << "PAT LEE";
    QTest::newRow("last name filling its field")
        << Line("     1", "01", "20060101", Pad("X", 30), "FIRSTNAMEFIFTEE", "LASTNAMEFIFTEEN", "Z")
        << "1"
        << "01"
        << "01/01/2006" << Pad("X", 30) << "FIRSTNAMEFIFTEE"
        << "LASTNAMEFIFTEEN"
        << "1-01"
        << "FIRSTNAMEFIFTEE LASTNAMEFIFTEEN";
    QTest::newRow("short: drug cut, no names") << "    42 120060307ASPIRIN"
                                               << "42"
                                               << "1"
                                               << "03/07/2006"
                                               << "ASPIRIN"
                                               << ""
                                               << ""
                                               << "42-1"
                                               << " ";
    QTest::newRow("short: first name cut")
        << Line("    42", " 1", "20060307", amox, "ANN", "") << "42"
        << "1"
        << "03/07/2006" << amox << "ANN"
        << ""
        << "42-1"
        << "ANN ";
    QTest::newRow("under 9 characters: two slashes") << "    42 1"
                                                     << "42"
                                                     << "1"
                                                     << "//"
                                                     << ""
                                                     << ""
                                                     << ""
                                                     << "42-1"
                                                     << " ";
    QTest::newRow("five characters") << "12345"
                                     << "12345"
                                     << ""
                                     << "//"
                                     << ""
                                     << ""
                                     << ""
                                     << "12345-"
                                     << " ";
    QTest::newRow("date cut after the year") << "    42 12006"
                                             << "42"
                                             << "1"
                                             << "//2006"
                                             << ""
                                             << ""
                                             << ""
                                             << "42-1"
                                             << " ";
    QTest::newRow("date cut after the month") << "    42 1200603"
                                              << "42"
                                              << "1"
                                              << "03//2006"
                                              << ""
                                              << ""
                                              << ""
                                              << "42-1"
                                              << " ";
    QTest::newRow("tabs are not blanks")
        << Line("\t   42", "1\t", "20060307", amox, Pad("\tANN", 15), Pad("LEE\t", 15)) << "\t   42"
        << "1\t"
        << "03/07/2006" << amox << "\tANN"
        << "LEE\t"
        << "\t   42-1\t"
        << "\tANN LEE\t";
    QTest::newRow("all blanks") << QString(76, QLatin1Char(' ')) << ""
                                << ""
                                << "  /  /    " << QString(30, QLatin1Char(' ')) << ""
                                << ""
                                << "-"
                                << " ";
    QTest::newRow("Windows-1252 letters")
        << Line("   555", " 2", "20061105",
                Pad(DecodeCp1252("CAF\xC9INE \x80"
                                 "5"),
                    30),
                Pad(DecodeCp1252("JOS\xC9"), 15),
                Pad(DecodeCp1252("O\x92"
                                 "BRI\xD1"
                                 "A"),
                    15))
        << "555"
        << "2"
        << "11/05/2006" << Pad(QString::fromUtf8("CAFÉINE €5"), 30) << QString::fromUtf8("JOSÉ")
        << QString::fromUtf8("O’BRIÑA") << "555-2" << QString::fromUtf8("JOSÉ O’BRIÑA");
}

void TestLineParser::fields() {
    QFETCH(QString, line);
    QFETCH(QString, rx);
    QFETCH(QString, ref);
    QFETCH(QString, date);
    QFETCH(QString, drug);
    QFETCH(QString, first);
    QFETCH(QString, last);
    QFETCH(QString, entry);
    QFETCH(QString, patient);
    const ParsedLine p = ParseLine(line);
    QCOMPARE(p.p.RxNbr, rx);
    QCOMPARE(p.p.RefNo, ref);
    QCOMPARE(p.p.FillDate, date);
    QCOMPARE(p.dateText, date);
    QCOMPARE(p.p.Drug, drug);
    QCOMPARE(p.drug, drug);
    QCOMPARE(p.p.FirstName, first);
    QCOMPARE(p.p.LastName, last);
    QCOMPARE(p.entryText, entry);
    QCOMPARE(p.patient, patient);
    QVERIFY(p.p.RxImage.isEmpty());
    // No field is a null string: each reaches the database as text.
    for (const QString* f :
         {&p.p.RxNbr, &p.p.RefNo, &p.p.Drug, &p.p.FirstName, &p.p.LastName, &p.p.RxImage})
        QVERIFY(!f->isNull());
}

void TestLineParser::cp1252Table() {
    QByteArray all(256, '\0');
    for (int i = 0; i < 256; ++i)
        all[i] = char(i);
    const QString text = DecodeCp1252(all);
    QCOMPARE(text.size(), 256);
    for (int i = 0; i < 256; ++i) {
        if (i >= 0x80 && i <= 0x9F)
            continue;
        QCOMPARE(text.at(i).unicode(), char16_t(i)); // ASCII and Latin-1 as they are
    }
    const QList<QPair<int, char16_t>> special = {
        {0x80, 0x20AC}, {0x82, 0x201A}, {0x85, 0x2026}, {0x8A, 0x0160}, {0x8C, 0x0152},
        {0x8E, 0x017D}, {0x91, 0x2018}, {0x92, 0x2019}, {0x93, 0x201C}, {0x94, 0x201D},
        {0x96, 0x2013}, {0x97, 0x2014}, {0x99, 0x2122}, {0x9C, 0x0153}, {0x9F, 0x0178},
        {0x81, 0x0081}, {0x8D, 0x008D}, {0x8F, 0x008F}, {0x90, 0x0090}, {0x9D, 0x009D}};
    for (const auto& [byte, unicode] : special)
        QCOMPARE(text.at(byte).unicode(), unicode);
    // Letters of patients' and drugs' names.
    QCOMPARE(DecodeCp1252("\xE9\xF1\x80\x92"), QString::fromUtf8("éñ€’"));
}

void TestLineParser::dataFileLines_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("CR LF") << QByteArray("one\r\ntwo\r\n") << QStringList{"one", "two"};
    QTest::newRow("LF") << QByteArray("one\ntwo\n") << QStringList{"one", "two"};
    QTest::newRow("no final terminator") << QByteArray("one\r\ntwo") << QStringList{"one", "two"};
    QTest::newRow("empty lines skipped")
        << QByteArray("\r\none\r\n\r\n\n\r\ntwo\r\n\r\n") << QStringList{"one", "two"};
    QTest::newRow("only empty lines") << QByteArray("\r\n\r\n\n") << QStringList{};
    QTest::newRow("empty file") << QByteArray() << QStringList{};
    QTest::newRow("lone CR inside a line") << QByteArray("a\rb\r\n") << QStringList{"a\rb"};
    QTest::newRow("blank line is not empty") << QByteArray("   \r\n") << QStringList{"   "};
    QTest::newRow("NUL byte") << QByteArray("ab\0cd\r\n", 7)
                              << QStringList{QString("ab") + QChar(0) + "cd"};
    QTest::newRow("long line cut")
        << (QByteArray(300, 'x') + "\r\nnext") << QStringList{QString(kMaxDataLine, 'x'), "next"};
}

void TestLineParser::dataFileLines() {
    QFETCH(QByteArray, content);
    QFETCH(QStringList, lines);
    QCOMPARE(DataFileLines(content), lines);
    // The same through a file.
    TestEnv env;
    const QString path = env.interchangeFolder() + "/AXQLV";
    WriteFile(path, content);
    QCOMPARE(PollingTick::ReadDataFile(path), lines);
}

void TestLineParser::readsFixtureFiles() {
    const QStringList good = PollingTick::ReadDataFile(DataFile("good.QLV"));
    QCOMPARE(good.size(), 3);
    QCOMPARE(ParseLine(good[0]).entryText, QStringLiteral("42-1"));
    QCOMPARE(ParseLine(good[1]).entryText, QStringLiteral("123456-12"));
    QCOMPARE(ParseLine(good[1]).p.LastName, QStringLiteral("O'CONNOR"));
    QCOMPARE(ParseLine(good[2]).dateText, QStringLiteral("02/28/2005"));
    const QStringList cp = PollingTick::ReadDataFile(DataFile("cp1252.QLV"));
    QCOMPARE(cp.size(), 2);
    QCOMPARE(ParseLine(cp[0]).patient, QString::fromUtf8("JOSÉ NUÑEZ"));
    QCOMPARE(ParseLine(cp[0]).drug, Pad(QString::fromUtf8("CAFÉINE €5"), 30));
    QCOMPARE(ParseLine(cp[1]).patient, QString::fromUtf8("ZOË O’BRIEN"));
}

void TestLineParser::hugeLineAndNulDoNotHurt() {
    TestEnv env;
    const QString path = env.interchangeFolder() + "/AXbig.QLV";
    // Four megabytes without a line end, then a normal line; NUL bytes throughout.
    QByteArray big(4 * 1024 * 1024, '\0');
    for (int i = 0; i < big.size(); i += 3)
        big[i] = '9';
    WriteFile(path, big + "\r\n    42 120060307ASPIRIN\r\n");
    const QStringList lines = PollingTick::ReadDataFile(path);
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines[0].size(), kMaxDataLine);
    QCOMPARE(lines[0].at(0), QLatin1Char('9'));
    QCOMPARE(lines[0].at(1), QChar(0));
    QCOMPARE(ParseLine(lines[1]).entryText, QStringLiteral("42-1"));
    // A line cut exactly where its CR would come.
    WriteFile(path,
              QByteArray(kMaxDataLine, 'y') + "\r\n" + QByteArray(kMaxDataLine + 1, 'z') + "\r\n");
    QCOMPARE(PollingTick::ReadDataFile(path),
             (QStringList{QString(kMaxDataLine, 'y'), QString(kMaxDataLine, 'z')}));
}

void TestLineParser::refusesLinksFoldersAndPipes() {
    TestEnv env;
    const QString outside = env.home() + "/outside.txt";
    WriteFile(outside, "    42 120060307SECRET\r\n");
    const QString link = env.interchangeFolder() + "/A1.QLV";
    QVERIFY(QFile::link(outside, link));
    QVERIFY_THROWS_EXCEPTION(QuillerError, PollingTick::ReadDataFile(link));
    const QString folder = env.interchangeFolder() + "/A2.QLV";
    QVERIFY(QDir().mkpath(folder));
    QVERIFY_THROWS_EXCEPTION(QuillerError, PollingTick::ReadDataFile(folder));
    const QString pipe = env.interchangeFolder() + "/A3.QLV";
    QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    // Opening a pipe with no writer would wait for ever; it is refused at once.
    QVERIFY_THROWS_EXCEPTION(QuillerError, PollingTick::ReadDataFile(pipe));
    QVERIFY_THROWS_EXCEPTION(QuillerError,
                             PollingTick::ReadDataFile(env.interchangeFolder() + "/missing.QLV"));
}

void TestLineParser::arbitraryBytesKeepTheLayout() {
    // Whatever a file holds, each line is cut into the fixed fields without failing.
    QRandomGenerator random(20060307);
    for (int round = 0; round < 500; ++round) {
        QByteArray content(int(random.bounded(400)), Qt::Uninitialized);
        for (char& c : content) {
            const quint32 pick = random.bounded(10);
            c = pick == 0 ? '\n' : pick == 1 ? '\r' : pick == 2 ? ' ' : char(random.bounded(256));
        }
        const QStringList lines = DataFileLines(content);
        for (const QString& line : lines) {
            QVERIFY(!line.isEmpty());
            QVERIFY(line.size() <= kMaxDataLine);
            QVERIFY(!line.contains(QLatin1Char('\n')));
            const ParsedLine p = ParseLine(line);
            QVERIFY(p.p.RxNbr.size() <= 6);
            QVERIFY(p.p.RefNo.size() <= 2);
            QCOMPARE(p.entryText, p.p.RxNbr + QLatin1Char('-') + p.p.RefNo);
            QVERIFY(p.dateText.size() >= 2 && p.dateText.size() <= 10);
            QCOMPARE(p.drug, line.mid(16, 30));
            QVERIFY(p.p.FirstName.size() <= 15 && p.p.LastName.size() <= 15);
        }
    }
}

QTEST_GUILESS_MAIN(TestLineParser)
#include "tst_lineparser.moc"
