// The search statements over a fixture database and the paged result list.
#include "base/Error.h"
#include "common/ViewFixture.h"
#include "records/SearchResultModel.h"

#include <QSignalSpy>
#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>

using namespace quiller;
using namespace quiller::test;

namespace {

SearchQuery MakeQuery(const QString& field, const QString& text) {
    switch (ParseSearchField(field)) {
    case SearchField::RxNumber:
        return RxNumberQuery(ParseRxNumber(text));
    case SearchField::Patient:
        return PatientQuery(ParsePatient(text));
    case SearchField::Drug:
        return DrugQuery(text);
    case SearchField::Date: {
        const QStringList range = text.split(QLatin1Char(' '));
        return DateQuery(QDate::fromString(range.at(0), Qt::ISODate),
                         QDate::fromString(range.at(1), Qt::ISODate));
    }
    default:
        break;
    }
    qFatal("unknown field");
}

void FetchAll(SearchResultModel& model) {
    while (model.canFetchMore(QModelIndex()))
        model.fetchMore(QModelIndex());
}

QStringList Texts(const SearchResultModel& model) {
    QStringList out;
    for (int i = 0; i < model.rowCount(); ++i)
        out << model.RowText(i);
    return out;
}

QStringList Sorted(QStringList list) {
    list.sort();
    return list;
}

QString Plan(const QString& statement, const SearchQuery& query, const QVariant& key,
             qint64 after) {
    QSqlQuery q(SharedContext().DbConnection->Connection());
    if (!PreparePageQuery(q, QStringLiteral("EXPLAIN QUERY PLAN ") + statement, query, key, after,
                          50))
        return q.lastError().text();
    if (!q.exec())
        return q.lastError().text();
    QStringList details;
    while (q.next())
        details << q.value(3).toString();
    return details.join(QStringLiteral(" | "));
}

} // namespace

class TestSearchModel : public QObject {
    Q_OBJECT
private slots:
    void init() { OpenFixtureDatabase(); }
    void cleanupTestCase() { SharedContext().DbConnection.reset(); }
    void search_data();
    void search();
    void paging_data() { search_data(); }
    void paging();
    void rowContent();
    void headers();
    void storedNumberValue_data();
    void storedNumberValue();
    void indexServesEveryPage_data();
    void indexServesEveryPage();
    void firstPageThenMoreOnDemand();
    void viewFetchesWhenScrolled();
    void failingPageReported();
    void failingFirstPageThrows();
    void removeRowKeepsPaging();
    void changesBetweenPagesListEachRowOnce();
};

void TestSearchModel::search_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("rows");
    const QStringList all = [] {
        QStringList l;
        for (const FixtureRow& r : FixtureRows())
            l << r.RxNbr + QLatin1Char('-') + r.RefNo;
        return l;
    }();

    // Rx numbers compare by numeric value; the refill as text after formatting.
    QTest::newRow("rx 123") << "Rx Number"
                            << "123" << QStringList{"123-01", "00123-02", " 123-1", "123-0'"};
    QTest::newRow("rx 123-1") << "Rx Number"
                              << "123-1" << QStringList{"123-01"};
    QTest::newRow("rx 00123-") << "Rx Number"
                               << "00123-" << QStringList{"123-01", "00123-02", " 123-1", "123-0'"};
    QTest::newRow("rx 123-2") << "Rx Number"
                              << "123-2" << QStringList{"00123-02"};
    QTest::newRow("rx abc") << "Rx Number"
                            << "abc" << QStringList{"abc-00"};
    QTest::newRow("rx blanks inside") << "Rx Number"
                                      << " 1 2 3 - 01 " << QStringList{"123-01"};
    QTest::newRow("rx trailing letters") << "Rx Number"
                                         << "123abc-01" << QStringList{"123-01"};
    QTest::newRow("rx further pieces") << "Rx Number"
                                       << "124-1-9" << QStringList{"124-01"};
    QTest::newRow("rx refill rounded") << "Rx Number"
                                       << "123-1.6" << QStringList{"00123-02"};
    QTest::newRow("rx refill apostrophe") << "Rx Number"
                                          << "123-0'" << QStringList{"123-0'"};
    QTest::newRow("rx fraction") << "Rx Number"
                                 << "123.5" << QStringList{};
    QTest::newRow("rx none") << "Rx Number"
                             << "999" << QStringList{};

    // Names: prefix, any letter case; wildcards typed stay wildcards.
    QTest::newRow("last, first") << "Patient"
                                 << "Smith, John" << QStringList{"123-01", " 123-1"};
    QTest::newRow("first last") << "Patient"
                                << "John Smith" << QStringList{"123-01", " 123-1"};
    QTest::newRow("three words") << "Patient"
                                 << "Mary Ann Smith" << QStringList{"126-01"};
    QTest::newRow("comma first") << "Patient"
                                 << ",John" << QStringList{"123-01", " 123-1", "124-01"};
    QTest::newRow("lone comma") << "Patient"
                                << "," << all;
    QTest::newRow("lone blank") << "Patient"
                                << " " << all;
    QTest::newRow("last only any case") << "Patient"
                                        << "SMITH" << QStringList{"123-01", "00123-02", " 123-1"};
    QTest::newRow("apostrophe name") << "Patient"
                                     << "O'Neil" << QStringList{"abc-00"};
    QTest::newRow("underscore wildcard")
        << "Patient"
        << "sm_th" << QStringList{"123-01", "00123-02", " 123-1", "127-12"};
    QTest::newRow("percent wildcard") << "Patient"
                                      << "%eil" << QStringList{"abc-00"};
    QTest::newRow("z last") << "Patient"
                            << "z" << QStringList{"128-01"};

    QTest::newRow("drug prefix any case") << "Drug"
                                          << "amox" << QStringList{"123-01", "00123-02", " 123-1"};
    // Letters beyond ASCII match in any case too; typed GLOB characters stay literal.
    QTest::newRow("accented last name")
        << "Patient" << QStringLiteral("m\u00fcl") << QStringList{"129-01"};
    QTest::newRow("accented both names")
        << "Patient" << QStringLiteral("M\u00fcller, JOS\u00c9") << QStringList{"129-01"};
    QTest::newRow("accented with wildcard")
        << "Patient" << QStringLiteral("_\u00fc%er") << QStringList{"129-01"};
    QTest::newRow("accented, glob star literal")
        << "Patient" << QStringLiteral("m\u00fc*") << QStringList{};
    QTest::newRow("accented drug")
        << "Drug" << QStringLiteral("\u00e9CLAIR") << QStringList{"129-01"};
    QTest::newRow("drug with blanks") << "Drug"
                                      << "AMOXICILLIN 500MG " << QStringList{"123-01"};
    QTest::newRow("drug apostrophe") << "Drug"
                                     << "O'Neil" << QStringList{"125-01"};
    QTest::newRow("drug percent typed") << "Drug"
                                        << "50%" << QStringList{"126-01", "127-12"};
    QTest::newRow("drug none") << "Drug"
                               << "xyz" << QStringList{};

    QTest::newRow("dates both ends")
        << "Date"
        << "2006-03-07 2006-03-09" << QStringList{"123-01", "00123-02", " 123-1", "126-01"};
    QTest::newRow("one day") << "Date"
                             << "2006-04-01 2006-04-01" << QStringList{"125-01"};
    QTest::newRow("first after last") << "Date"
                                      << "2006-03-09 2006-03-07" << QStringList{};
}

void TestSearchModel::search() {
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QStringList, rows);
    SearchResultModel model;
    model.Start(MakeQuery(field, text), SharedContext().DbConnection->Connection());
    FetchAll(model);
    QCOMPARE(Sorted(Texts(model)), Sorted(rows));
}

// Reading a page at a time lists exactly the rows of one read, in the same order,
// whatever the page size: rows with equal keys (Smith, smith; equal dates) included.
void TestSearchModel::paging() {
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QStringList, rows);
    // Many rows that share one key, to cross page ends inside a run of equal keys.
    QList<FixtureRow> extra;
    for (int i = 0; i < 9; ++i)
        extra.append({QString::number(123), QString::number(50 + i), "2006-03-07",
                      i % 2 ? "amoxil" : "AMOX", "John", i % 2 ? "smith" : "SMITH", ""});
    InsertRows(*SharedContext().DbConnection, extra);

    SearchResultModel whole;
    whole.SetPageSize(10000);
    whole.Start(MakeQuery(field, text), SharedContext().DbConnection->Connection());
    QVERIFY(!whole.canFetchMore(QModelIndex()));
    const QStringList expected = Texts(whole);
    QVERIFY(expected.size() >= rows.size());

    for (int pageSize : {1, 2, 3, 7}) {
        SearchResultModel paged;
        paged.SetPageSize(pageSize);
        paged.Start(MakeQuery(field, text), SharedContext().DbConnection->Connection());
        QVERIFY(paged.rowCount() <= pageSize);
        FetchAll(paged);
        QCOMPARE(Texts(paged), expected);
    }
}

void TestSearchModel::rowContent() {
    SearchResultModel model;
    model.Start(RxNumberQuery(ParseRxNumber(QStringLiteral("12"))),
                SharedContext().DbConnection->Connection());
    QCOMPARE(model.rowCount(), 0);
    model.Start(PatientQuery(ParsePatient(QStringLiteral(","))),
                SharedContext().DbConnection->Connection());
    FetchAll(model);
    QCOMPARE(model.columnCount(), 4);
    int withIcon = 0;
    for (int i = 0; i < model.rowCount(); ++i) {
        const SearchRow& r = model.Row(i);
        const QModelIndex first = model.index(i, 0);
        QCOMPARE(first.data().toString(), r.RxNbr + QLatin1Char('-') + r.RefNo);
        QCOMPARE(
            model.index(i, 1).data().toString(),
            QLocale().toString(QDate::fromString(r.FillDate, Qt::ISODate), QLocale::ShortFormat));
        QCOMPARE(model.index(i, 2).data().toString(), r.Drug);
        QCOMPARE(model.index(i, 3).data().toString(), r.LastName + ", " + r.FirstName);
        const QVariant tag = first.data(Qt::UserRole);
        QVERIFY(tag.isValid());
        QCOMPARE(tag.toString(), model.RowTag(i));
        const QVariant icon = first.data(Qt::DecorationRole);
        if (model.RowTag(i).isEmpty()) {
            QVERIFY2(!icon.isValid(), qPrintable(model.RowText(i)));
        } else {
            QVERIFY(icon.canConvert<QIcon>());
            QVERIFY(!icon.value<QIcon>().isNull());
            ++withIcon;
        }
        QVERIFY(!model.index(i, 1).data(Qt::DecorationRole).isValid());
    }
    QCOMPARE(withIcon, 4); // 123_01, 00123_02, 125_01, gone.jpg
    // The null image name reads as an empty tag.
    const int row = Texts(model).indexOf(QStringLiteral("124-01"));
    QVERIFY(row >= 0);
    QCOMPARE(model.RowTag(row), QString());
}

void TestSearchModel::storedNumberValue_data() {
    QTest::addColumn<QString>("stored");
    for (const char* t : {"123", "00123", " 123", "123 ", "  0042", "abc", "", "0", "000000",
                          "999999", "12abc", "+5", "-7", "1-2"})
        QTest::newRow(t) << QString::fromLatin1(t);
}

// The indexed expression gives every stored form of an Rx number the value the typed
// number is read with, so leading zeros and blanks do not matter.
void TestSearchModel::storedNumberValue() {
    QFETCH(QString, stored);
    QSqlQuery q(SharedContext().DbConnection->Connection());
    QVERIFY(q.prepare(QStringLiteral("SELECT CAST(? AS INTEGER)")));
    q.addBindValue(stored);
    QVERIFY(q.exec() && q.next());
    QCOMPARE(q.value(0).toDouble(), Val(stored));
}

void TestSearchModel::headers() {
    SearchResultModel model;
    QStringList names;
    for (int i = 0; i < 4; ++i)
        names << model.headerData(i, Qt::Horizontal).toString();
    QCOMPARE(names, (QStringList{"Rx Number", "Date", "Drug Name", "Patient"}));
}

void TestSearchModel::indexServesEveryPage_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("index");
    QTest::newRow("rx") << "Rx Number"
                        << "123-1"
                        << "RxImages_RxValue";
    QTest::newRow("last name") << "Patient"
                               << "Smi"
                               << "RxImages_LastName";
    QTest::newRow("both names") << "Patient"
                                << "Smith, Jo"
                                << "RxImages_LastName";
    QTest::newRow("first name") << "Patient"
                                << ",Jo"
                                << "RxImages_FirstName";
    QTest::newRow("drug") << "Drug"
                          << "amox"
                          << "RxImages_Drug";
    QTest::newRow("last name beyond ASCII")
        << "Patient" << QStringLiteral("M\u00fcl") << "RxImages_LastName";
    QTest::newRow("drug beyond ASCII") << "Drug" << QStringLiteral("\u00c9t") << "RxImages_Drug";
    QTest::newRow("dates") << "Date"
                           << "2006-03-01 2006-03-31"
                           << "RxImages_FillDate";
}

// Each page is an index search, never a scan of the table or a sort of the matches.
void TestSearchModel::indexServesEveryPage() {
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, index);
    const SearchQuery q = MakeQuery(field, text);
    const QVariant key = q.keyColumn.isEmpty() ? QVariant() : QVariant(QStringLiteral("Smith"));
    for (const QString& s :
         {FirstPageStatement(q), SameKeyPageStatement(q), NextKeyPageStatement(q)}) {
        const QString plan = Plan(s, q, key, 3);
        QVERIFY2(plan.contains(QStringLiteral("SEARCH RxImages USING")) && plan.contains(index),
                 qPrintable(s + QStringLiteral("\n  ") + plan));
        QVERIFY2(!plan.contains(QStringLiteral("TEMP B-TREE")), qPrintable(plan));
    }
    // The prefix search bounds the index range at both ends (the LIKE optimisation
    // works with the bound pattern).
    if (field == QLatin1String("Drug") || text.startsWith(QLatin1String("Smi")) ||
        text.startsWith(QLatin1Char('M'))) {
        const QString plan = Plan(FirstPageStatement(q), q, QVariant(), 0);
        QVERIFY2(plan.contains(QStringLiteral(">? AND ")) && plan.contains(QStringLiteral("<?)")),
                 qPrintable(plan));
    }
}

void TestSearchModel::firstPageThenMoreOnDemand() {
    QList<FixtureRow> many;
    for (int i = 0; i < 5000; ++i)
        many.append({QString::number(200000 + i), "01", "2007-01-01", "Lazy Drug", "Ann", "Lee",
                     i % 3 ? QVariant(QString::number(i) + ".jpg") : QVariant("")});
    InsertRows(*SharedContext().DbConnection, many);

    SearchResultModel model;
    model.Start(DrugQuery(QStringLiteral("lazy")), SharedContext().DbConnection->Connection());
    QCOMPARE(model.rowCount(), model.PageSize());
    QVERIFY(model.canFetchMore(QModelIndex()));
    model.fetchMore(QModelIndex());
    QCOMPARE(model.rowCount(), 2 * model.PageSize());
    FetchAll(model);
    QCOMPARE(model.rowCount(), 5000);
    QVERIFY(!model.canFetchMore(QModelIndex()));
    QStringList texts = Texts(model);
    texts.removeDuplicates();
    QCOMPARE(texts.size(), 5000);
}

void TestSearchModel::viewFetchesWhenScrolled() {
    QList<FixtureRow> many;
    for (int i = 0; i < 600; ++i)
        many.append({QString::number(300000 + i), "01", "2007-01-01", "Scroll", "A", "B", ""});
    InsertRows(*SharedContext().DbConnection, many);
    SearchResultModel model;
    model.SetPageSize(100);
    model.Start(DrugQuery(QStringLiteral("scroll")), SharedContext().DbConnection->Connection());
    QCOMPARE(model.rowCount(), 100);
    // A view asks for more when it needs rows beyond the ones it has.
    QAbstractItemModel& generic = model;
    QVERIFY(generic.canFetchMore(QModelIndex()));
    generic.fetchMore(QModelIndex());
    QCOMPARE(model.rowCount(), 200);
    QVERIFY(!generic.canFetchMore(model.index(0, 0))); // rows have no children
}

void TestSearchModel::failingPageReported() {
    SearchResultModel model;
    model.SetPageSize(2);
    QSignalSpy failed(&model, &SearchResultModel::FetchFailed);
    model.Start(PatientQuery(ParsePatient(QStringLiteral(","))),
                SharedContext().DbConnection->Connection());
    QCOMPARE(model.rowCount(), 2);
    QSqlQuery drop(SharedContext().DbConnection->Connection());
    QVERIFY(drop.exec(QStringLiteral("DROP TABLE RxImages")));
    model.fetchMore(QModelIndex());
    QCOMPARE(failed.count(), 1);
    QVERIFY2(failed.at(0).at(0).toString().contains(QStringLiteral("RxImages")),
             qPrintable(failed.at(0).at(0).toString()));
    QCOMPARE(model.rowCount(), 2);
    QVERIFY(!model.canFetchMore(QModelIndex()));
}

void TestSearchModel::failingFirstPageThrows() {
    QSqlQuery drop(SharedContext().DbConnection->Connection());
    QVERIFY(drop.exec(QStringLiteral("DROP TABLE RxImages")));
    SearchResultModel model;
    bool threw = false;
    try {
        model.Start(DrugQuery(QStringLiteral("a")), SharedContext().DbConnection->Connection());
    } catch (const QuillerError& e) {
        threw = true;
        QVERIFY(e.description().contains(QStringLiteral("RxImages")));
    }
    QVERIFY(threw);
    QCOMPARE(model.rowCount(), 0);
    QVERIFY(!model.canFetchMore(QModelIndex()));
}

void TestSearchModel::removeRowKeepsPaging() {
    SearchResultModel model;
    model.SetPageSize(2);
    model.Start(PatientQuery(ParsePatient(QStringLiteral(","))),
                SharedContext().DbConnection->Connection());
    const QStringList firstTwo = Texts(model);
    QVERIFY(model.removeRow(1));
    QCOMPARE(Texts(model), QStringList{firstTwo.at(0)});
    QVERIFY(!model.removeRow(5));
    FetchAll(model);
    // The removed row does not come back and nothing is listed twice.
    QCOMPARE(model.rowCount(), FixtureRows().size() - 1);
    QVERIFY(!Texts(model).contains(firstTwo.at(1)));
}

void TestSearchModel::changesBetweenPagesListEachRowOnce() {
    SearchResultModel model;
    model.SetPageSize(2);
    model.Start(PatientQuery(ParsePatient(QStringLiteral("s"))),
                SharedContext().DbConnection->Connection());
    // A data file arrives between pages: its row sorts after the ones read.
    InsertRows(*SharedContext().DbConnection,
               {{"900", "01", "2006-01-01", "New", "New", "Sz", ""}});
    FetchAll(model);
    QStringList texts = Texts(model);
    const int listed = int(texts.size());
    texts.removeDuplicates();
    QCOMPARE(texts.size(), listed);
    QVERIFY(texts.contains(QStringLiteral("900-01")));
}

QTEST_MAIN(TestSearchModel)
#include "tst_searchmodel.moc"
