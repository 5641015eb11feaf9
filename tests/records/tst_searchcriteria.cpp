// Reading of typed search texts: numbers, refills, names, criteria, and the statements
// made from them.
#include "records/SearchCriteria.h"

#include <QtTest>

using namespace quiller;

namespace {
// Adds rows named by their typed text: text -> one expected value.
template <typename T> void Rows(const char* column, const QList<QPair<QString, T>>& rows) {
    QTest::addColumn<QString>("text");
    QTest::addColumn<T>(column);
    for (const auto& [text, expected] : rows)
        QTest::addRow("'%s'", qPrintable(text)) << text << expected;
}
} // namespace

class TstSearchCriteria : public QObject {
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
    void prefixRange_data();
    void prefixRange();
    void glob_data();
    void glob();
    void pageStatementsBindEverything();
};

void TstSearchCriteria::val_data() {
    Rows<double>("value", {{"123", 123},     {"00123", 123},   {"abc", 0},      {"", 0},
                           {"  1 2 3", 123}, {"\t12\n3", 123}, {"123abc", 123}, {"123-45", 123},
                           {"12.5x", 12.5},  {"1.2.3", 1.2},   {"-17", -17},    {"+17", 17},
                           {"-", 0},         {"--1", 0},       {"1e3", 1000},   {"2D2", 200},
                           {"7e", 7},        {"&H1F", 31},     {"&HFFFF", -1},  {"&O17", 15},
                           {"&", 0},         {"1,234", 1},     {"$12", 0},      {".5", 0.5}});
}

void TstSearchCriteria::val() {
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(Val(text), value);
}

void TstSearchCriteria::numericText_data() {
    Rows<bool>("numeric", {{"6000", true},
                           {"-5", true},
                           {"12.75", true},
                           {".5", true},
                           {" 42 ", true},
                           {"1e3", true},
                           {"", false},
                           {"abc", false},
                           {"12abc", false},
                           {"1.2.3", false},
                           {"-", false},
                           {"1e999", false}});
}

void TstSearchCriteria::numericText() {
    QFETCH(QString, text);
    QFETCH(bool, numeric);
    QCOMPARE(IsNumericText(text), numeric);
}

void TstSearchCriteria::twoDigits_data() {
    Rows<QString>("formatted", {{"1", "01"},
                                {"12", "12"},
                                {"123", "123"},
                                {"0", "00"},
                                {"1.4", "01"},
                                {"1.6", "02"},
                                {"2.5", "03"},
                                {"-1", "-01"},
                                {"ab", "ab"},
                                {"0'", "0'"},
                                {"007", "07"}});
}

void TstSearchCriteria::twoDigits() {
    QFETCH(QString, text);
    QFETCH(QString, formatted);
    QCOMPARE(FormatTwoDigits(text), formatted);
}

void TstSearchCriteria::rxNumber_data() { // "rx refill"
    Rows<QString>("parsed", {{"123-1", "123 01"},
                             {"123", "123 "},
                             {"00123-", "123 "},
                             {"abc", "0 "},
                             {" 123 -  2 ", "123 02"},
                             {"124-1-9", "124 01"},
                             {"123-x'", "123 x'"},
                             {"5-123", "5 123"},
                             {"-1", "0 01"},
                             {"7-   ", "7 "}});
}

void TstSearchCriteria::rxNumber() {
    QFETCH(QString, text);
    QFETCH(QString, parsed);
    const RxNumberCriterion c = ParseRxNumber(text);
    QCOMPARE(QString::number(c.rxValue) + ' ' + c.refill, parsed);
}

void TstSearchCriteria::patient_data() { // "last|first"
    Rows<QString>("parsed", {{"Smith, John", "Smith|John"},
                             {"John Smith", "Smith|John"},
                             {"Mary Ann Smith", "Ann|Mary"},
                             {",John", "|John"},
                             {",", "|"},
                             {" ", "|"},
                             {"O'Neil", "O'Neil|"},
                             {"Van Dyke, Ann Marie", "Van Dyke|Ann Marie"},
                             {"Smith,John,Jr", "Smith|John"},
                             {"John  Smith", "|John"},
                             {"Sm_th%", "Sm_th%|"}});
}

void TstSearchCriteria::patient() {
    QFETCH(QString, text);
    QFETCH(QString, parsed);
    const PatientCriterion c = ParsePatient(text);
    QCOMPARE(c.lastName + '|' + c.firstName, parsed);
}

void TstSearchCriteria::field_data() {
    Rows<int>("field", {{"Rx Number", int(SearchField::RxNumber)},
                        {"Patient", int(SearchField::Patient)},
                        {"Date", int(SearchField::Date)},
                        {"Drug", int(SearchField::Drug)},
                        {"drug", int(SearchField::Unrecognised)},
                        {"Date ", int(SearchField::Unrecognised)}});
}

void TstSearchCriteria::field() {
    QFETCH(QString, text);
    QFETCH(int, field);
    QCOMPARE(int(ParseSearchField(text)), field);
}

void TstSearchCriteria::prefixRange_data() { // "low high", or "" for no range
    Rows<QString>("range", {{"Smi", "smi smj"},
                            {"Z", "z {"},
                            {"Sm_th", "sm sn"},
                            {"%eil", ""},
                            {"50%", "50 51"},
                            // A letter beyond ASCII: both of its cases, whatever follows.
                            {QStringLiteral("M\u00fcller"), QStringLiteral("m\u00dc m\u00fd")},
                            {QStringLiteral("\u00c9t\u00e9"), QStringLiteral("\u00c9 \u00ea")},
                            {QStringLiteral("\u00b0C"), QStringLiteral("\u00b0c \u00b0d")}});
}

void TstSearchCriteria::prefixRange() {
    QFETCH(QString, text);
    QFETCH(QString, range);
    const auto r = NoCasePrefixRange(text);
    QCOMPARE(r ? r->low + ' ' + r->high : QString(), range);
}

void TstSearchCriteria::glob_data() {
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

void TstSearchCriteria::glob() {
    QFETCH(QString, like);
    QFETCH(QString, glob);
    QFETCH(bool, needed);
    QCOMPARE(CaseInsensitiveGlob(like), glob);
    QCOMPARE(HasNonAsciiCasedLetter(like), needed);
    // The statement uses LIKE exactly when the engine's own folding is enough.
    const SearchQuery q = DrugQuery(like.chopped(1));
    QCOMPARE(q.filter.contains(" GLOB "), needed);
    QCOMPARE(q.bindings.constFirst().second.toString(), needed ? glob : like);
}

// Every placeholder a page statement names is one the search binds (or a page value),
// and typed text never reaches the statement text.
void TstSearchCriteria::pageStatementsBindEverything() {
    static const QRegularExpression placeholder(":[a-z]+");
    for (const SearchQuery& q :
         {RxNumberQuery(ParseRxNumber("123-1")), PatientQuery(ParsePatient("Smith, John")),
          PatientQuery(ParsePatient(",")), DateQuery(QDate(2006, 3, 1), QDate(2006, 3, 31)),
          DrugQuery("amox")}) {
        QStringList known = {":n", ":k", ":after"};
        for (const auto& b : q.bindings)
            known << b.first;
        for (const QString& s :
             {FirstPageStatement(q), SameKeyPageStatement(q), NextKeyPageStatement(q)}) {
            for (auto it = placeholder.globalMatch(s); it.hasNext();) {
                const QString name = it.next().captured(0);
                QVERIFY2(known.contains(name), qPrintable(s + " / " + name));
            }
            QVERIFY(!s.contains("Smith") && !s.contains("amox"));
        }
    }
}

QTEST_GUILESS_MAIN(TstSearchCriteria)
#include "tst_searchcriteria.moc"
