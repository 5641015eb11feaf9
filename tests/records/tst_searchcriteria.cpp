// Reading of typed search texts: numbers, refills, names, criteria, and the statements
// made from them.
#include "records/SearchCriteria.h"

#include <QtTest>

using namespace quiller;

class TstSearchCriteria : public QObject {
    Q_OBJECT
private slots:
    void reading_data();
    void reading();
    void glob_data();
    void glob();
    void pageStatementsBindEverything();
};

// The readings of typed text, each as a text: which reading, the typed text, the result.
void TstSearchCriteria::reading_data() {
    QTest::addColumn<QString>("reading");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    const auto rows = [](const char* reading, const QList<QPair<QString, QString>>& cases) {
        for (const auto& [text, expected] : cases)
            QTest::addRow("%s '%s'", reading, qPrintable(text)) << reading << text << expected;
    };
    rows("val", {{"123", "123"},     {"00123", "123"},   {"abc", "0"},      {"", "0"},
                 {"  1 2 3", "123"}, {"\t12\n3", "123"}, {"123abc", "123"}, {"123-45", "123"},
                 {"12.5x", "12.5"},  {"1.2.3", "1.2"},   {"-17", "-17"},    {"+17", "17"},
                 {"-", "0"},         {"--1", "0"},       {"1e3", "1000"},   {"2D2", "200"},
                 {"7e", "7"},        {"&H1F", "31"},     {"&HFFFF", "-1"},  {"&O17", "15"},
                 {"&", "0"},         {"1,234", "1"},     {"$12", "0"},      {".5", "0.5"}});
    rows("numeric", {{"6000", "yes"},
                     {"-5", "yes"},
                     {"12.75", "yes"},
                     {".5", "yes"},
                     {" 42 ", "yes"},
                     {"1e3", "yes"},
                     {"", "no"},
                     {"abc", "no"},
                     {"12abc", "no"},
                     {"1.2.3", "no"},
                     {"-", "no"},
                     {"1e999", "no"}});
    rows("two digits", {{"1", "01"},
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
    // "rx refill"
    rows("rx", {{"123-1", "123 01"},
                {"123", "123 "},
                {"00123-", "123 "},
                {"abc", "0 "},
                {" 123 -  2 ", "123 02"},
                {"124-1-9", "124 01"},
                {"123-x'", "123 x'"},
                {"5-123", "5 123"},
                {"-1", "0 01"},
                {"7-   ", "7 "}});
    // "last|first"
    rows("patient", {{"Smith, John", "Smith|John"},
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
    const auto field = [](SearchField f) {
        return QString::number(int(f));
    };
    // Every field the search offers is read in the search tests; other spellings are not.
    rows("field", {{"Drug", field(SearchField::Drug)},
                   {"drug", field(SearchField::Unrecognised)},
                   {"Date ", field(SearchField::Unrecognised)}});
    // "low high", or "" for no range; a letter beyond ASCII gives both of its cases,
    // whatever follows.
    rows("prefix", {{"Smi", "smi smj"},
                    {"Z", "z {"},
                    {"Sm_th", "sm sn"},
                    {"%eil", ""},
                    {"50%", "50 51"},
                    {QStringLiteral("M\u00fcller"), QStringLiteral("m\u00dc m\u00fd")},
                    {QStringLiteral("\u00c9t\u00e9"), QStringLiteral("\u00c9 \u00ea")},
                    {QStringLiteral("\u00b0C"), QStringLiteral("\u00b0c \u00b0d")}});
}

void TstSearchCriteria::reading() {
    QFETCH(QString, reading);
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QString got;
    if (reading == "val") {
        got = QString::number(Val(text));
    } else if (reading == "numeric") {
        got = IsNumericText(text) ? "yes" : "no";
    } else if (reading == "two digits") {
        got = FormatTwoDigits(text);
    } else if (reading == "rx") {
        const RxNumberCriterion c = ParseRxNumber(text);
        got = QString::number(c.rxValue) + ' ' + c.refill;
    } else if (reading == "patient") {
        const PatientCriterion c = ParsePatient(text);
        got = c.lastName + '|' + c.firstName;
    } else if (reading == "field") {
        got = QString::number(int(ParseSearchField(text)));
    } else {
        const auto r = NoCasePrefixRange(text);
        got = r ? r->low + ' ' + r->high : QString();
    }
    QCOMPARE(got, expected);
}

void TstSearchCriteria::glob_data() {
    QTest::addColumn<QString>("like");
    QTest::addColumn<QString>("glob");
    QTest::addColumn<bool>("needed");
    for (const auto& [name, like, glob, needed] :
         QList<std::tuple<const char*, const char*, const char*, bool>>{
             {"letters both cases", "Mül%", "[mM][üÜ][lL]*", true},
             {"wildcards", "é_x%", "[éÉ]?[xX]*", true},
             {"glob characters literal", "é*?[]%", "[éÉ][*][?][[]]*", true},
             {"digits and blanks", "Å1 2%", "[åÅ]1 2*", true},
             {"ascii only", "Smith%", "[sS][mM][iI][tT][hH]*", false},
             {"uncased symbol", "°C%", "°[cC]*", false}})
        QTest::newRow(name) << QString::fromUtf8(like) << QString::fromUtf8(glob) << needed;
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
