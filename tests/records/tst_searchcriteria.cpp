// Reading of typed search texts: numbers, refills, names, criteria.
#include "records/SearchCriteria.h"

#include <QtTest>

using namespace quiller;

class TestSearchCriteria : public QObject {
    Q_OBJECT
private slots:
    void val_data();
    void val();
    void numericText_data();
    void numericText();
    void twoDigits_data();
    void twoDigits();
    void rxNumber_data();
    void rxNumber();
    void patient_data();
    void patient();
    void field_data();
    void field();
    void upperBound_data();
    void upperBound();
    void pageStatementsBindEverything();
    void glob_data();
    void glob();
};

void TestSearchCriteria::glob_data() {
    QTest::addColumn<QString>("like");
    QTest::addColumn<QString>("glob");
    QTest::addColumn<bool>("needed");
    QTest::newRow("letters both cases")
        << QStringLiteral("M\u00fcl%") << QStringLiteral("[mM][\u00fc\u00dc][lL]*") << true;
    QTest::newRow("wildcards") << QStringLiteral("\u00e9_x%")
                               << QStringLiteral("[\u00e9\u00c9]?[xX]*") << true;
    QTest::newRow("glob characters literal")
        << QStringLiteral("\u00e9*?[]%") << QStringLiteral("[\u00e9\u00c9][*][?][[]]*") << true;
    QTest::newRow("digits and blanks")
        << QStringLiteral("\u00c51 2%") << QStringLiteral("[\u00e5\u00c5]1 2*") << true;
    QTest::newRow("ascii only") << "Smith%"
                                << "[sS][mM][iI][tT][hH]*" << false;
    QTest::newRow("uncased symbol")
        << QStringLiteral("\u00b0C%") << QStringLiteral("\u00b0[cC]*") << false;
}

void TestSearchCriteria::glob() {
    QFETCH(QString, like);
    QFETCH(QString, glob);
    QFETCH(bool, needed);
    QCOMPARE(CaseInsensitiveGlob(like), glob);
    QCOMPARE(HasNonAsciiCasedLetter(like), needed);
    // The statement uses LIKE exactly when the engine's own folding is enough.
    const QString text = like.chopped(1);
    const SearchQuery q = DrugQuery(text);
    QCOMPARE(q.filter.contains(QStringLiteral(" GLOB ")), needed);
    QCOMPARE(q.bindings.constFirst().second.toString(), needed ? glob : like);
}

void TestSearchCriteria::val_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("plain") << "123" << 123.0;
    QTest::newRow("leading zeros") << "00123" << 123.0;
    QTest::newRow("letters") << "abc" << 0.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("blanks skipped") << "  1 2 3" << 123.0;
    QTest::newRow("tab and line feed skipped") << "\t12\n3" << 123.0;
    QTest::newRow("stops at letter") << "123abc" << 123.0;
    QTest::newRow("stops at dash") << "123-45" << 123.0;
    QTest::newRow("fraction") << "12.5x" << 12.5;
    QTest::newRow("second point stops") << "1.2.3" << 1.2;
    QTest::newRow("sign") << "-17" << -17.0;
    QTest::newRow("plus") << "+17" << 17.0;
    QTest::newRow("lone sign") << "-" << 0.0;
    QTest::newRow("double sign") << "--1" << 0.0;
    QTest::newRow("exponent") << "1e3" << 1000.0;
    QTest::newRow("D exponent") << "2D2" << 200.0;
    QTest::newRow("exponent without digits") << "7e" << 7.0;
    QTest::newRow("hex") << "&H1F" << 31.0;
    QTest::newRow("hex sixteen bit") << "&HFFFF" << -1.0;
    QTest::newRow("octal") << "&O17" << 15.0;
    QTest::newRow("ampersand alone") << "&" << 0.0;
    QTest::newRow("comma stops") << "1,234" << 1.0;
    QTest::newRow("dollar stops") << "$12" << 0.0;
    QTest::newRow("point only") << ".5" << 0.5;
}

void TestSearchCriteria::val() {
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(Val(text), value);
}

void TestSearchCriteria::numericText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("numeric");
    QTest::newRow("integer") << "6000" << true;
    QTest::newRow("negative") << "-5" << true;
    QTest::newRow("fraction") << "12.75" << true;
    QTest::newRow("point first") << ".5" << true;
    QTest::newRow("zero") << "0" << true;
    QTest::newRow("blanks around") << " 42 " << true;
    QTest::newRow("exponent") << "1e3" << true;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("letters") << "abc" << false;
    QTest::newRow("trailing letters") << "12abc" << false;
    QTest::newRow("two points") << "1.2.3" << false;
    QTest::newRow("sign only") << "-" << false;
    QTest::newRow("overflow") << "1e999" << false;
}

void TestSearchCriteria::numericText() {
    QFETCH(QString, text);
    QFETCH(bool, numeric);
    QCOMPARE(IsNumericText(text), numeric);
}

void TestSearchCriteria::twoDigits_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("formatted");
    QTest::newRow("one digit") << "1"
                               << "01";
    QTest::newRow("two digits") << "12"
                                << "12";
    QTest::newRow("three digits") << "123"
                                  << "123";
    QTest::newRow("zero") << "0"
                          << "00";
    QTest::newRow("rounded down") << "1.4"
                                  << "01";
    QTest::newRow("rounded up") << "1.6"
                                << "02";
    QTest::newRow("half away from zero") << "2.5"
                                         << "03";
    QTest::newRow("negative") << "-1"
                              << "-01";
    QTest::newRow("not a number") << "ab"
                                  << "ab";
    QTest::newRow("apostrophe") << "0'"
                                << "0'";
    QTest::newRow("leading zeros") << "007"
                                   << "07";
}

void TestSearchCriteria::twoDigits() {
    QFETCH(QString, text);
    QFETCH(QString, formatted);
    QCOMPARE(FormatTwoDigits(text), formatted);
}

void TestSearchCriteria::rxNumber_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("rx");
    QTest::addColumn<QString>("refill");
    QTest::newRow("number and refill") << "123-1" << 123.0 << "01";
    QTest::newRow("number only") << "123" << 123.0 << "";
    QTest::newRow("trailing dash") << "00123-" << 123.0 << "";
    QTest::newRow("letters") << "abc" << 0.0 << "";
    QTest::newRow("blanks around refill") << " 123 -  2 " << 123.0 << "02";
    QTest::newRow("further pieces ignored") << "124-1-9" << 124.0 << "01";
    QTest::newRow("refill kept when not a number") << "123-x'" << 123.0 << "x'";
    QTest::newRow("three digit refill") << "5-123" << 5.0 << "123";
    QTest::newRow("dash first") << "-1" << 0.0 << "01";
    QTest::newRow("blank refill") << "7-   " << 7.0 << "";
}

void TestSearchCriteria::rxNumber() {
    QFETCH(QString, text);
    QFETCH(double, rx);
    QFETCH(QString, refill);
    const RxNumberCriterion c = ParseRxNumber(text);
    QCOMPARE(c.rxValue, rx);
    QCOMPARE(c.refill, refill);
}

void TestSearchCriteria::patient_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("last");
    QTest::addColumn<QString>("first");
    QTest::newRow("last, first") << "Smith, John"
                                 << "Smith"
                                 << "John";
    QTest::newRow("first last") << "John Smith"
                                << "Smith"
                                << "John";
    QTest::newRow("three words") << "Mary Ann Smith"
                                 << "Ann"
                                 << "Mary";
    QTest::newRow("comma then first") << ",John"
                                      << ""
                                      << "John";
    QTest::newRow("lone comma") << ","
                                << ""
                                << "";
    QTest::newRow("lone blank") << " "
                                << ""
                                << "";
    QTest::newRow("one word unchanged") << "O'Neil"
                                        << "O'Neil"
                                        << "";
    QTest::newRow("comma wins over blank") << "Van Dyke, Ann Marie"
                                           << "Van Dyke"
                                           << "Ann Marie";
    QTest::newRow("more commas ignored") << "Smith,John,Jr"
                                         << "Smith"
                                         << "John";
    QTest::newRow("two blanks") << "John  Smith"
                                << ""
                                << "John";
    QTest::newRow("wildcards kept") << "Sm_th%"
                                    << "Sm_th%"
                                    << "";
}

void TestSearchCriteria::patient() {
    QFETCH(QString, text);
    QFETCH(QString, last);
    QFETCH(QString, first);
    const PatientCriterion c = ParsePatient(text);
    QCOMPARE(c.lastName, last);
    QCOMPARE(c.firstName, first);
}

void TestSearchCriteria::field_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("field");
    QTest::newRow("rx") << "Rx Number" << int(SearchField::RxNumber);
    QTest::newRow("patient") << "Patient" << int(SearchField::Patient);
    QTest::newRow("date") << "Date" << int(SearchField::Date);
    QTest::newRow("drug") << "Drug" << int(SearchField::Drug);
    QTest::newRow("case matters") << "drug" << int(SearchField::Unrecognised);
    QTest::newRow("blank matters") << "Date " << int(SearchField::Unrecognised);
    QTest::newRow("empty") << "" << int(SearchField::Unrecognised);
}

void TestSearchCriteria::field() {
    QFETCH(QString, text);
    QFETCH(int, field);
    QCOMPARE(int(ParseSearchField(text)), field);
}

void TestSearchCriteria::upperBound_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("low");
    QTest::addColumn<QString>("high");
    QTest::newRow("letters folded") << "Smi"
                                    << "smi"
                                    << "smj";
    QTest::newRow("z") << "Z"
                       << "z"
                       << "{";
    QTest::newRow("stops at underscore") << "Sm_th"
                                         << "sm"
                                         << "sn";
    QTest::newRow("leading wildcard") << "%eil"
                                      << ""
                                      << "";
    QTest::newRow("digits") << "50%"
                            << "50"
                            << "51";
    // A letter beyond ASCII: both of its cases, whatever follows.
    QTest::newRow("second letter")
        << QStringLiteral("M\u00fcller") << QStringLiteral("m\u00dc") << QStringLiteral("m\u00fd");
    QTest::newRow("first letter") << QStringLiteral("\u00c9t\u00e9") << QStringLiteral("\u00c9")
                                  << QStringLiteral("\u00ea");
    QTest::newRow("uncased symbol")
        << QStringLiteral("\u00b0C") << QStringLiteral("\u00b0c") << QStringLiteral("\u00b0d");
}

void TestSearchCriteria::upperBound() {
    QFETCH(QString, text);
    QFETCH(QString, low);
    QFETCH(QString, high);
    const auto range = NoCasePrefixRange(text);
    QCOMPARE(range.has_value(), !low.isEmpty());
    if (range) {
        QCOMPARE(range->low, low);
        QCOMPARE(range->high, high);
    }
}

// Every placeholder a page statement names is one the search binds (or a page value).
void TestSearchCriteria::pageStatementsBindEverything() {
    const QList<SearchQuery> queries = {
        RxNumberQuery(ParseRxNumber(QStringLiteral("123-1"))),
        PatientQuery(ParsePatient(QStringLiteral("Smith, John"))),
        PatientQuery(ParsePatient(QStringLiteral(","))),
        DateQuery(QDate(2006, 3, 1), QDate(2006, 3, 31)),
        DrugQuery(QStringLiteral("amox")),
    };
    static const QRegularExpression placeholder(QStringLiteral(":[a-z]+"));
    for (const SearchQuery& q : queries) {
        QStringList known = {QStringLiteral(":n"), QStringLiteral(":k"), QStringLiteral(":after")};
        for (const auto& b : q.bindings)
            known << b.first;
        for (const QString& s :
             {FirstPageStatement(q), SameKeyPageStatement(q), NextKeyPageStatement(q)}) {
            auto it = placeholder.globalMatch(s);
            while (it.hasNext()) {
                const QString name = it.next().captured(0);
                QVERIFY2(known.contains(name), qPrintable(s + QStringLiteral(" / ") + name));
            }
            // Typed text never reaches the statement text.
            QVERIFY(!s.contains(QStringLiteral("Smith")));
            QVERIFY(!s.contains(QStringLiteral("amox")));
        }
    }
}

QTEST_GUILESS_MAIN(TestSearchCriteria)
#include "tst_searchcriteria.moc"
