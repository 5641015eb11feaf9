// The search statements over a fixture database and the paged result list.
#include "base/Error.h"
#include "common/TestServer.h"
#include "common/ViewFixture.h"
#include "records/SearchResultModel.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QtTest>

using namespace quiller;
using namespace quiller::test;

namespace {

SearchQuery MakeQuery(const QString& field, const QString& text, Engine e = TestEngine()) {
    switch (ParseSearchField(field)) {
    case SearchField::RxNumber:
        return RxNumberQuery(ParseRxNumber(text), e);
    case SearchField::Patient:
        return PatientQuery(ParsePatient(text), e);
    case SearchField::Drug:
        return DrugQuery(text, e);
    case SearchField::NotScanned:
        return NotScannedQuery(e);
    case SearchField::Date: {
        const QStringList range = text.split(QLatin1Char(' '));
        return DateQuery(QDate::fromString(range.at(0), Qt::ISODate),
                         QDate::fromString(range.at(1), Qt::ISODate), e);
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

// A search row: field, typed text, the listed entries joined by ','.
void Row(const char* name, const QString& field, const QString& text, const QString& rows) {
    QTest::newRow(name) << field << text << (rows.isEmpty() ? QStringList() : rows.split(','));
}

// The plan of a page statement: SQLite's EXPLAIN QUERY PLAN details, or PostgreSQL's
// EXPLAIN with every way but an index priced out (on a table this small a scan would
// win), so that a statement no index can serve shows a scan or a sort.
QString Plan(const QString& statement, const SearchQuery& query, const QVariant& key,
             qint64 after) {
    QSqlQuery q(SharedContext().DbConnection->Connection());
    if (query.engine == Engine::Sqlite) {
        if (!PreparePageQuery(q, QStringLiteral("EXPLAIN QUERY PLAN ") + statement, query, key,
                              after, 50) ||
            !q.exec())
            return q.lastError().text();
        QStringList details;
        while (q.next())
            details << q.value(3).toString();
        return details.join(QStringLiteral(" | "));
    }
    // EXPLAIN cannot be prepared: the values go in as the driver writes them.
    QString text = statement;
    for (const auto& [name, value] :
         query.bindings + decltype(query.bindings){{":n", 50}, {":k", key}, {":after", after}}) {
        QSqlField field(QString(), value.metaType());
        field.setValue(value);
        text.replace(QRegularExpression(QRegularExpression::escape(name) + "(?![A-Za-z0-9_])"),
                     q.driver()->formatValue(field));
    }
    for (const char* off :
         {"enable_seqscan", "enable_bitmapscan", "enable_sort", "enable_incremental_sort"})
        q.exec(QStringLiteral("SET %1 = off").arg(off));
    QStringList lines;
    if (!q.exec("EXPLAIN " + text))
        lines << q.lastError().text();
    while (q.next())
        lines << q.value(0).toString();
    q.exec("RESET ALL");
    return lines.join(QStringLiteral(" | "));
}

// The same search on a SQLite twin of the fixture, for the order both engines give.
QStringList SqliteOrder(const QString& field, const QString& text) {
    Database twin(QStringLiteral("twin"));
    OpenFixtureOn(twin, Engine::Sqlite, FixtureRows());
    SearchResultModel model;
    model.Start(MakeQuery(field, text, Engine::Sqlite), twin.Connection());
    FetchAll(model);
    return Texts(model);
}

} // namespace

class TstSearchModel : public QObject {
    Q_OBJECT
private slots:
    void init() { OpenFixtureDatabase(); }
    void cleanupTestCase() { SharedContext().DbConnection.reset(); }
    void search_data();
    void search();
    void paging_data() { search_data(); }
    void paging();
    void rowContent();
    void storedNumberValue();
    void indexServesEveryPage_data();
    void indexServesEveryPage();
    void failingPages();
    void changesBetweenPagesListEachRowOnce();
};

void TstSearchModel::search_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("rows");
    QStringList all;
    for (const FixtureRow& r : FixtureRows())
        all << r.RxNbr + '-' + r.RefNo;
    const QString rx = "Rx Number", patient = "Patient", drug = "Drug";
    // Rx numbers compare by numeric value; the refill as text after formatting. How typed
    // texts are read (trailing letters, rounded refills, names of three words) is checked
    // where they are read.
    const QString all123 = "123-01,00123-02, 123-1,123-0'";
    Row("rx 123", rx, "123", all123);
    Row("rx 123-1", rx, "123-1", "123-01");
    Row("rx abc", rx, "abc", "abc-00");
    Row("rx refill apostrophe", rx, "123-0'", "123-0'");
    Row("rx fraction", rx, "123.5", "");
    // Names: prefix, any letter case; wildcards typed stay wildcards.
    Row("last, first", patient, "Smith, John", "123-01, 123-1");
    Row("comma first", patient, ",John", "123-01, 123-1,124-01");
    Row("lone comma", patient, ",", all.join(','));
    Row("last only any case", patient, "SMITH", "123-01,00123-02, 123-1");
    Row("apostrophe name", patient, "O'Neil", "abc-00");
    Row("underscore wildcard", patient, "sm_th", "123-01,00123-02, 123-1,127-12");
    Row("percent wildcard", patient, "%eil", "abc-00");
    Row("z last", patient, "z", "128-01");
    Row("drug prefix any case", drug, "amox", "123-01,00123-02, 123-1");
    // Letters beyond ASCII match in any case too; typed GLOB characters stay literal.
    Row("accented last name", patient, QStringLiteral("m\u00fcl"), "129-01");
    Row("accented both names", patient, QStringLiteral("M\u00fcller, JOS\u00c9"), "129-01");
    Row("accented with wildcard", patient, QStringLiteral("_\u00fc%er"), "129-01");
    Row("accented, glob star literal", patient, QStringLiteral("m\u00fc*"), "");
    Row("accented drug", drug, QStringLiteral("\u00e9CLAIR"), "129-01");
    Row("drug with blanks", drug, "AMOXICILLIN 500MG ", "123-01");
    Row("drug apostrophe", drug, "O'Neil", "125-01");
    Row("drug percent typed", drug, "50%", "126-01,127-12");
    Row("dates both ends", "Date", "2006-03-07 2006-03-09", "123-01,00123-02, 123-1,126-01");
    Row("one day", "Date", "2006-04-01 2006-04-01", "125-01");
    Row("first after last", "Date", "2006-03-09 2006-03-07", "");
    Row("not scanned", "Not scanned", "", "abc-00,126-01, 123-1,123-0',128-01,129-01");
}

void TstSearchModel::search() {
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QStringList, rows);
    SearchResultModel model;
    model.Start(MakeQuery(field, text), SharedContext().DbConnection->Connection());
    FetchAll(model);
    QCOMPARE(Sorted(Texts(model)), Sorted(rows));
    // PostgreSQL lists them in SQLite's order.
    if (TestEngine() == Engine::PostgreSql)
        QCOMPARE(Texts(model), SqliteOrder(field, text));
}

// Reading a page at a time lists exactly the rows of one read, in the same order,
// whatever the page size: rows with equal keys (Smith, smith; equal dates) included.
void TstSearchModel::paging() {
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QStringList, rows);
    // Many rows that share one key, to cross page ends inside a run of equal keys.
    QList<FixtureRow> extra;
    for (int i = 0; i < 9; ++i)
        extra.append({"123", QString::number(50 + i), "2006-03-07", i % 2 ? "amoxil" : "AMOX",
                      "John", i % 2 ? "smith" : "SMITH", ""});
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

void TstSearchModel::rowContent() {
    SearchResultModel model;
    model.Start(PatientQuery(ParsePatient(","), TestEngine()),
                SharedContext().DbConnection->Connection());
    FetchAll(model);
    int withIcon = 0;
    for (int i = 0; i < model.rowCount(); ++i) {
        const SearchRow& r = model.Row(i);
        const QModelIndex first = model.index(i, 0);
        QCOMPARE(first.data().toString(), r.RxNbr + '-' + r.RefNo);
        QCOMPARE(model.index(i, 2).data().toString(), r.Drug);
        QCOMPARE(model.index(i, 3).data().toString(), r.LastName + ", " + r.FirstName);
        QCOMPARE(first.data(Qt::UserRole).toString(), model.RowTag(i));
        // The picture mark only on rows with an image.
        const QVariant icon = first.data(Qt::DecorationRole);
        QCOMPARE(icon.isValid(), !model.RowTag(i).isEmpty());
        withIcon += icon.isValid() && !icon.value<QIcon>().isNull();
    }
    QCOMPARE(withIcon, 4); // 123_01, 00123_02, 125_01, gone.jpg
    // The null image name reads as an empty tag.
    QCOMPARE(model.RowTag(int(Texts(model).indexOf("124-01"))), QString());
}

// The indexed expression gives every stored form of an Rx number the value the typed
// number is read with, so leading zeros and blanks do not matter.
void TstSearchModel::storedNumberValue() {
    QSqlQuery q(SharedContext().DbConnection->Connection());
    QVERIFY(q.prepare(TestEngine() == Engine::Sqlite ? "SELECT CAST(? AS INTEGER)"
                                                     : "SELECT quiller_rx_value(?)"));
    for (const char* stored :
         {"123", "00123", " 123", "123 ", "  0042", "abc", "", "0", "999999", "12abc", "+5", "-7",
          "1-2", "\t\n 8", "12.9", "99999999999999999999"}) {
        q.addBindValue(QString::fromLatin1(stored));
        QVERIFY(q.exec() && q.next());
        // Beyond the largest integer the value stays at the largest.
        const double expected = QByteArray(stored) == "99999999999999999999"
                                    ? 9223372036854775807.0
                                    : std::trunc(Val(stored));
        QCOMPARE(q.value(0).toDouble(), expected);
    }
}

void TstSearchModel::indexServesEveryPage_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("index");
    for (const auto& [name, field, text, index] : QList<std::array<const char*, 4>>{
             {"rx", "Rx Number", "123-1", "RxImages_RxValue"},
             {"last name", "Patient", "Smi", "RxImages_LastName"},
             {"both names", "Patient", "Smith, Jo", "RxImages_LastName"},
             {"first name", "Patient", ",Jo", "RxImages_FirstName"},
             {"drug", "Drug", "amox", "RxImages_Drug"},
             {"last name beyond ASCII", "Patient", "Mül", "RxImages_LastName"},
             {"drug beyond ASCII", "Drug", "Ét", "RxImages_Drug"},
             {"dates", "Date", "2006-03-01 2006-03-31", "RxImages_FillDate"},
             {"not scanned", "Not scanned", "", "RxImages_NotScanned"}})
        QTest::newRow(name) << QString(field) << QString::fromUtf8(text) << QString(index);
}

// Each page is an index search, never a scan of the table or a sort of the matches.
void TstSearchModel::indexServesEveryPage() {
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, index);
    const SearchQuery q = MakeQuery(field, text);
    const QVariant key = q.keyColumn.isEmpty() ? QVariant() : QVariant(QStringLiteral("Smith"));
    for (const QString& s :
         {FirstPageStatement(q), SameKeyPageStatement(q), NextKeyPageStatement(q)}) {
        const QString plan = Plan(s, q, key, 3);
        if (q.engine == Engine::Sqlite) {
            QVERIFY2(plan.contains("SEARCH RxImages USING") && plan.contains(index),
                     qPrintable(s + "\n  " + plan));
            QVERIFY2(!plan.contains("TEMP B-TREE"), qPrintable(plan));
        } else {
            QVERIFY2(plan.contains("Index Scan") && plan.contains(index, Qt::CaseInsensitive) &&
                         !plan.contains("Seq Scan") && !plan.contains("Sort"),
                     qPrintable(s + "\n  " + plan));
        }
    }
    // A prefix search bounds the index range at both ends.
    if (field == "Drug" || text.startsWith("Smi") || text.startsWith('M')) {
        const QString plan = Plan(FirstPageStatement(q), q, QVariant(), 0);
        if (q.engine == Engine::Sqlite)
            QVERIFY2(plan.contains(">? AND ") && plan.contains("<?)"), qPrintable(plan));
        else
            QVERIFY2(plan.contains(QRegularExpression("Index Cond: .*>=.* AND .* < ")),
                     qPrintable(plan));
    }
}

void TstSearchModel::failingPages() {
    SearchResultModel model;
    model.SetPageSize(2);
    QSignalSpy failed(&model, &SearchResultModel::FetchFailed);
    model.Start(PatientQuery(ParsePatient(","), TestEngine()),
                SharedContext().DbConnection->Connection());
    QSqlQuery drop(SharedContext().DbConnection->Connection());
    QVERIFY(drop.exec("DROP TABLE RxImages"));
    // A later page: reported, the rows read stay, no more are asked for.
    model.fetchMore(QModelIndex());
    QCOMPARE(failed.count(), 1);
    QVERIFY2(failed.at(0).at(0).toString().contains("RxImages", Qt::CaseInsensitive),
             qPrintable(failed.at(0).at(0).toString()));
    QCOMPARE(model.rowCount(), 2);
    QVERIFY(!model.canFetchMore(QModelIndex()));
    // The first page: the search fails.
    SearchResultModel next;
    QVERIFY_THROWS_EXCEPTION(QuillerError, next.Start(DrugQuery("a", TestEngine()),
                                                      SharedContext().DbConnection->Connection()));
    QCOMPARE(next.rowCount(), 0);
    QVERIFY(!next.canFetchMore(QModelIndex()));
}

// Between pages a row is removed from the list and a data file adds a row: the removed row
// does not come back, the new one is listed, and nothing is listed twice.
void TstSearchModel::changesBetweenPagesListEachRowOnce() {
    SearchResultModel model;
    model.SetPageSize(2);
    model.Start(PatientQuery(ParsePatient(","), TestEngine()),
                SharedContext().DbConnection->Connection());
    const QStringList firstTwo = Texts(model);
    QVERIFY(model.removeRow(1));
    QCOMPARE(Texts(model), QStringList{firstTwo.at(0)});
    QVERIFY(!model.removeRow(5));
    InsertRows(*SharedContext().DbConnection,
               {{"900", "01", "2006-01-01", "New", "New", "Sz", ""}});
    FetchAll(model);
    QStringList texts = Texts(model);
    QCOMPARE(texts.size(), FixtureRows().size());
    QVERIFY(!texts.contains(firstTwo.at(1)));
    QVERIFY(texts.contains("900-01"));
    texts.removeDuplicates();
    QCOMPARE(texts.size(), FixtureRows().size());
}

QTEST_MAIN(TstSearchModel)
#include "tst_searchmodel.moc"
