#include "station/verify/LabelPattern.h"

#include <QTest>

using namespace quiller;

class TestLabelPattern : public QObject {
    Q_OBJECT
private slots:
    void parses_data();
    void parses();
    void refusesBadPatterns_data();
    void refusesBadPatterns();
};

void TestLabelPattern::parses_data() {
    QTest::addColumn<QString>("pattern"); // empty: the default
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("isLabel");
    QTest::addColumn<qint64>("rx");
    QTest::addColumn<int>("refill"); // -1: none on the label

    QTest::newRow("rx alone") << ""
                              << "123" << true << 123LL << -1;
    QTest::newRow("leading zeros") << ""
                                   << "000123" << true << 123LL << -1;
    QTest::newRow("dash refill") << ""
                                 << "000123-01" << true << 123LL << 1;
    QTest::newRow("underscore") << ""
                                << "123_7" << true << 123LL << 7;
    QTest::newRow("blank, padded") << ""
                                   << " 123 02 " << true << 123LL << 2;
    QTest::newRow("three-digit refill") << ""
                                        << "123-001" << false << 0LL << -1;
    QTest::newRow("letters") << ""
                             << "RX123" << false << 0LL << -1;
    QTest::newRow("empty") << ""
                           << "" << false << 0LL << -1;
    QTest::newRow("custom fixed width") << R"(^(?<rx>\d{7})(?<refill>\d{2})$)"
                                        << "012345603" << true << 123456LL << 3;
    QTest::newRow("custom prefix, no refill group") << R"(^RX:(?<rx>\d+)$)"
                                                    << "RX:0042" << true << 42LL << -1;
    QTest::newRow("custom rx not digits") << R"(^(?<rx>\w+)$)"
                                          << "12A" << false << 0LL << -1;
    QTest::newRow("rx too long for a number") << R"(^(?<rx>\d+)$)"
                                              << "1234567890123456789" << false << 0LL << -1;
}

void TestLabelPattern::parses() {
    QFETCH(QString, pattern);
    QFETCH(QString, text);
    QFETCH(bool, isLabel);
    QString error;
    const auto p = pattern.isEmpty() ? std::optional<LabelPattern>(LabelPattern())
                                     : LabelPattern::fromSetting(pattern, &error);
    QVERIFY2(p, qPrintable(error));
    const std::optional<LabelKey> key = p->parse(text);
    QCOMPARE(key.has_value(), isLabel);
    if (!isLabel)
        return;
    QFETCH(qint64, rx);
    QFETCH(int, refill);
    QCOMPARE(key->rx, rx);
    QCOMPARE(key->refill.value_or(-1), refill);
}

void TestLabelPattern::refusesBadPatterns_data() {
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("says");
    QTest::newRow("syntax") << R"(^(?<rx>\d+$)"
                            << "not a valid regular expression";
    QTest::newRow("no rx group") << R"(^(\d+)-(\d+)$)"
                                 << "no group named rx";
    QTest::newRow("empty") << "  "
                           << "empty";
}

void TestLabelPattern::refusesBadPatterns() {
    QFETCH(QString, pattern);
    QFETCH(QString, says);
    QString error;
    QVERIFY(!LabelPattern::fromSetting(pattern, &error));
    QVERIFY2(error.contains(says), qPrintable(error));
}

QTEST_GUILESS_MAIN(TestLabelPattern)
#include "tst_labelpattern.moc"
