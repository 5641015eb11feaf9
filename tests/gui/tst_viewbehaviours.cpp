// Search triggers, list reactions and preview, deletion and the opening of the enlarged
// window, on plain widgets over a fixture database.
#include "ViewWindow.h"
#include "common/ScriptedMessageBoxes.h"
#include "common/TestEnv.h"
#include "common/ViewFixture.h"
#include "gui/view/ViewBehaviours.h"
#include "scanner/SimulatedScanner.h"

#include <QSqlQuery>
#include <QtTest>

using namespace quiller;
using namespace quiller::test;

namespace {
const QColor kRed(220, 20, 20);
const QColor kGreen(20, 200, 20);
const QColor kBlue(20, 20, 220);

bool Near(const QColor& a, const QColor& b) {
    return std::abs(a.red() - b.red()) < 40 && std::abs(a.green() - b.green()) < 40 &&
           std::abs(a.blue() - b.blue()) < 40;
}
} // namespace

class TestViewBehaviours : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void enterSearches_data();
    void enterSearches();
    void enterInEmptyBoxDoesNothing();
    void dateCriterionSearchesAtOnce();
    void dateCriterionFirstAfterLastStillSearches();
    void pickerChangeSearchesOnlyInOrder();
    void otherCriterionShowsTextBox();
    void unrecognisedCriterionEmptiesList();
    void noRowsEmptiesPreviewKeepsCaption();
    void rotateAfterSearch_data();
    void rotateAfterSearch();
    void failingSearchWritesStatus();
    void failingDateSearchWritesStatus();
    void laterPageFailureWritesStatus();
    void shownListReadsPagesItNeeds();

    void viewingListClicks();
    void scanningListClicks_data();
    void scanningListClicks();
    void clearedCheckBoxTickedAgain();
    void arrowKeysChangeOnlyPicture();
    void selectionMovesShowOneRow_data();
    void selectionMovesShowOneRow();
    void emptyListReactions();
    void rowsWithoutSelection();
    void rotateRuleCanBeReplaced();

    void deleteAsksAndRemovesOnlyThatRow();
    void deleteAnsweredNoKeepsEverything();
    void deleteWithModifiers();
    void deleteFailureKeepsRow();
    void deleteOnEmptyListAsksNothing();

    void showPicFormViewing();
    void showPicFormScanningUsesToBeScannedList();
    void showPicFormNeedsSelectionAndPicture();
    void showPicFormUpdatesOpenWindow();

private:
    ViewWidgets W() const { return window->widgets(); }
    void ChooseCriterion(const QString& name);
    void Search(const QString& criterion, const QString& text);
    QStringList Listed() const;
    void ClickRow(int row);
    void ClickItem(QTreeWidgetItem* item);
    int RowOf(const QString& text) const;
    QColor Shown() const;

    std::unique_ptr<TestEnv> env;
    std::unique_ptr<ViewWindow> window;
    std::unique_ptr<SimulatedScanner> scanner;
    std::unique_ptr<ViewBehaviours> view;
    StatusLine status;
};

void TestViewBehaviours::init() {
    env = std::make_unique<TestEnv>();
    SharedContext().dataPath = env->imageFolder();
    SharedContext().MainWindow = &status;
    status.SetStatusText(QStringLiteral("Idle"));
    OpenFixtureDatabase();
    WritePicture(SharedContext().ImagePath("123_01.jpg"), kRed);
    WritePicture(SharedContext().ImagePath("00123_02.jpg"), kGreen);
    WritePicture(SharedContext().ImagePath("125_01.jpg"), kBlue);
    window = std::make_unique<ViewWindow>();
    scanner = std::make_unique<SimulatedScanner>();
    view = std::make_unique<ViewBehaviours>(W(), SharedContext(), scanner.get());
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
}

void TestViewBehaviours::cleanup() {
    if (frmShowPic::Current())
        delete frmShowPic::Current();
    view.reset();
    window.reset();
    scanner.reset();
    SharedContext().MainWindow = nullptr;
    SharedContext().DbConnection.reset();
    env.reset();
}

void TestViewBehaviours::ChooseCriterion(const QString& name) {
    const int index = window->Combo2->findText(name);
    QVERIFY(index >= 0);
    window->Combo2->setCurrentIndex(index);
    emit window->Combo2->activated(index);
}

void TestViewBehaviours::Search(const QString& criterion, const QString& text) {
    ChooseCriterion(criterion);
    window->Text1->setText(text);
    QTest::keyClick(window->Text1, Qt::Key_Return);
}

QStringList TestViewBehaviours::Listed() const {
    SearchResultModel* m = view->search()->Model();
    while (m->canFetchMore(QModelIndex()))
        m->fetchMore(QModelIndex());
    QStringList out;
    for (int i = 0; i < m->rowCount(); ++i)
        out << m->RowText(i);
    out.sort();
    return out;
}

int TestViewBehaviours::RowOf(const QString& text) const {
    SearchResultModel* m = view->search()->Model();
    for (int i = 0; i < m->rowCount(); ++i)
        if (m->RowText(i) == text)
            return i;
    return -1;
}

void TestViewBehaviours::ClickRow(int row) {
    QTreeView* v = window->ListView2;
    const QRect r = v->visualRect(v->model()->index(row, 1));
    QVERIFY(r.isValid());
    QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, r.center());
}

void TestViewBehaviours::ClickItem(QTreeWidgetItem* item) {
    QTreeWidget* v = window->ListView1;
    const QRect r = v->visualRect(v->indexFromItem(item, 2));
    QVERIFY(r.isValid());
    QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, r.center());
}

QColor TestViewBehaviours::Shown() const {
    const QImage& p = window->Image1->Picture();
    return p.isNull() ? QColor() : p.pixelColor(p.width() / 2, p.height() / 2);
}

// ---------------------------------------------------------------- search triggers

void TestViewBehaviours::enterSearches_data() {
    QTest::addColumn<QString>("criterion");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("caption");
    QTest::newRow("rx with refill") << "Rx Number"
                                    << "123-1" << QStringList{"123-01"} << "Rx Image of Rx# 123-01";
    QTest::newRow("rx leading zeros")
        << "Rx Number"
        << "00123-2" << QStringList{"00123-02"} << "Rx Image of Rx# 00123-02";
    QTest::newRow("patient apostrophe") << "Patient"
                                        << "O'Neil" << QStringList{"abc-00"} << "Rx Image";
    QTest::newRow("drug apostrophe")
        << "Drug"
        << "o'neil" << QStringList{"125-01"} << "Rx Image of Rx# 125-01";
    QTest::newRow("drug percent") << "Drug"
                                  << "50%" << QStringList{"126-01", "127-12"} << "";
}

void TestViewBehaviours::enterSearches() {
    QFETCH(QString, criterion);
    QFETCH(QString, text);
    QFETCH(QStringList, rows);
    QFETCH(QString, caption);
    Search(criterion, text);
    QCOMPARE(Listed(), rows);
    // The first row is selected and shown through the click reaction.
    QCOMPARE(Preview::SelectedRow(window->ListView2), 0);
    if (!caption.isEmpty())
        QCOMPARE(window->Frame2->title(), caption);
    const QString tag = view->search()->Model()->RowTag(0);
    QCOMPARE(window->Image1->HasPicture(),
             QFile::exists(SharedContext().ImagePath(tag)) && !tag.isEmpty());
    QCOMPARE(status.StatusText(), QStringLiteral("Idle"));
}

void TestViewBehaviours::enterInEmptyBoxDoesNothing() {
    Search("Patient", "Smith");
    const QStringList before = Listed();
    QCOMPARE(before.size(), 3);
    window->Text1->clear();
    QTest::keyClick(window->Text1, Qt::Key_Return);
    QCOMPARE(Listed(), before);
    // Any other key does not search either.
    window->Text1->setText("O'Neil");
    QTest::keyClick(window->Text1, Qt::Key_L);
    QCOMPARE(Listed(), before);
}

void TestViewBehaviours::dateCriterionSearchesAtOnce() {
    window->Text1->setText("left over");
    QSignalBlocker b0(window->DTPicker1[0]), b1(window->DTPicker1[1]);
    window->DTPicker1[0]->setDate(QDate(2006, 3, 7));
    window->DTPicker1[1]->setDate(QDate(2006, 3, 9));
    ChooseCriterion("Date");
    QCOMPARE(window->Text1->text(), QString());
    QVERIFY(window->Text1->isHidden());
    for (int i = 0; i < 2; ++i) {
        QVERIFY(window->DTPicker1[i]->isVisible());
        QVERIFY(window->lblDate[i]->isVisible());
    }
    QCOMPARE(Listed(), (QStringList{" 123-1", "00123-02", "123-01", "126-01"}));
}

void TestViewBehaviours::dateCriterionFirstAfterLastStillSearches() {
    Search("Patient", "Smith");
    QCOMPARE(Listed().size(), 3);
    window->Image1->SetPicture(QImage(4, 4, QImage::Format_RGB32));
    QSignalBlocker b0(window->DTPicker1[0]), b1(window->DTPicker1[1]);
    window->DTPicker1[0]->setDate(QDate(2006, 3, 9));
    window->DTPicker1[1]->setDate(QDate(2006, 3, 7));
    ChooseCriterion("Date");
    // The search ran: the earlier rows are gone and the empty result empties the preview.
    QCOMPARE(Listed(), QStringList());
    QVERIFY(!window->Image1->HasPicture());
}

void TestViewBehaviours::pickerChangeSearchesOnlyInOrder() {
    {
        QSignalBlocker b0(window->DTPicker1[0]), b1(window->DTPicker1[1]);
        window->DTPicker1[0]->setDate(QDate(2006, 3, 7));
        window->DTPicker1[1]->setDate(QDate(2006, 3, 7));
    }
    ChooseCriterion("Date");
    const QStringList sameDay = {"123-01", "126-01"};
    QCOMPARE(Listed(), sameDay);
    // First date after the last: nothing happens.
    window->DTPicker1[0]->setDate(QDate(2006, 3, 8));
    QCOMPARE(Listed(), sameDay);
    // Last date moved so the range is in order again: searches.
    window->DTPicker1[1]->setDate(QDate(2006, 3, 8));
    QCOMPARE(Listed(), QStringList{"00123-02"});
    // Equal dates search (both ends included).
    window->DTPicker1[0]->setDate(QDate(2006, 3, 6));
    QCOMPARE(Listed(), (QStringList{"00123-02", "123-01", "126-01", "128-01"}));
    // Hidden pickers (another criterion chosen) take new dates without searching.
    ChooseCriterion("Patient");
    window->DTPicker1[0]->setDate(QDate(2006, 3, 1));
    window->DTPicker1[1]->setDate(QDate(2006, 3, 31));
    QCOMPARE(Listed(), (QStringList{"00123-02", "123-01", "126-01", "128-01"}));
}

void TestViewBehaviours::otherCriterionShowsTextBox() {
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    ChooseCriterion("Date");
    const QStringList listed = Listed();
    window->Text1->setText("x");
    ChooseCriterion("Drug");
    QCOMPARE(window->Text1->text(), QString());
    QVERIFY(window->Text1->isVisible());
    QVERIFY(window->Text1->hasFocus());
    for (int i = 0; i < 2; ++i) {
        QVERIFY(window->DTPicker1[i]->isHidden());
        QVERIFY(window->lblDate[i]->isHidden());
    }
    QCOMPARE(Listed(), listed); // no search
}

void TestViewBehaviours::unrecognisedCriterionEmptiesList() {
    Search("Patient", "Smith");
    QCOMPARE(Listed().size(), 3);
    const QString caption = window->Frame2->title();
    window->Combo2->setEditText("Doctor");
    window->Text1->setText("123");
    scanner->AddImages(1);
    window->Command2->setEnabled(false);
    QTest::keyClick(window->Text1, Qt::Key_Return);
    QCOMPARE(Listed(), QStringList());
    QCOMPARE(window->Frame2->title(), caption);
    QCOMPARE(status.StatusText(), QStringLiteral("Idle"));
    QVERIFY(window->Command2->isEnabled());
}

void TestViewBehaviours::noRowsEmptiesPreviewKeepsCaption() {
    Search("Rx Number", "123-1");
    QVERIFY(window->Image1->HasPicture());
    QCOMPARE(window->Frame2->title(), QStringLiteral("Rx Image of Rx# 123-01"));
    Search("Rx Number", "999");
    QCOMPARE(Listed(), QStringList());
    QVERIFY(!window->Image1->HasPicture());
    QCOMPARE(window->Frame2->title(), QStringLiteral("Rx Image of Rx# 123-01"));
}

void TestViewBehaviours::rotateAfterSearch_data() {
    QTest::addColumn<QString>("criterion");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("buffered"); // -1: no scanner control
    for (const char* c : {"Rx Number", "Doctor"}) {
        for (const char* t : {"123-1", "999"}) {
            for (int n : {-1, 0, 1, 2})
                QTest::addRow("%s %s %d", c, t, n) << c << t << n;
        }
    }
}

void TestViewBehaviours::rotateAfterSearch() {
    QFETCH(QString, criterion);
    QFETCH(QString, text);
    QFETCH(int, buffered);
    if (buffered < 0)
        view->Context().SetScanner(nullptr);
    else
        scanner->AddImages(buffered);
    for (bool before : {false, true}) {
        window->Command2->setEnabled(before);
        window->Combo2->setEditText(criterion);
        window->Text1->setText(text);
        QTest::keyClick(window->Text1, Qt::Key_Return);
        QCOMPARE(window->Command2->isEnabled(), buffered >= 1);
    }
}

void TestViewBehaviours::failingSearchWritesStatus() {
    ScriptedMessageBoxes boxes;
    Search("Patient", "Smith");
    QCOMPARE(Listed().size(), 3);
    QSqlQuery drop(SharedContext().DbConnection->Connection());
    QVERIFY(drop.exec("DROP TABLE RxImages"));
    window->Text1->setText("Jones");
    QTest::keyClick(window->Text1, Qt::Key_Return);
    QCOMPARE(Listed(), QStringList());
    QVERIFY2(status.StatusText().contains("RxImages"), qPrintable(status.StatusText()));
    QCOMPARE(boxes.count(), 0);
}

void TestViewBehaviours::failingDateSearchWritesStatus() {
    ScriptedMessageBoxes boxes;
    SharedContext().DbConnection->Close();
    ChooseCriterion("Date");
    QCOMPARE(Listed(), QStringList());
    QVERIFY(!status.StatusText().isEmpty());
    QVERIFY(status.StatusText() != QStringLiteral("Idle"));
    QCOMPARE(boxes.count(), 0);
}

void TestViewBehaviours::laterPageFailureWritesStatus() {
    window->hide(); // a shown view reads further pages to fill itself
    view->search()->Model()->SetPageSize(2);
    Search("Patient", ",");
    SearchResultModel* m = view->search()->Model();
    QCOMPARE(m->rowCount(), 2);
    QSqlQuery drop(SharedContext().DbConnection->Connection());
    QVERIFY(drop.exec("DROP TABLE RxImages"));
    m->fetchMore(QModelIndex());
    QCOMPARE(m->rowCount(), 2);
    QVERIFY2(status.StatusText().contains("RxImages"), qPrintable(status.StatusText()));
}

// The first page is listed at once; a shown list asks for the pages it has room for.
void TestViewBehaviours::shownListReadsPagesItNeeds() {
    window->hide();
    view->search()->Model()->SetPageSize(3);
    Search("Patient", ",");
    SearchResultModel* m = view->search()->Model();
    QCOMPARE(m->rowCount(), 3);
    QVERIFY(m->canFetchMore(QModelIndex()));
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    window->ListView2->scrollToBottom();
    QCOMPARE(m->rowCount(), int(FixtureRows().size()));
    QVERIFY(!m->canFetchMore(QModelIndex()));
}

// ---------------------------------------------------------------- reactions

void TestViewBehaviours::viewingListClicks() {
    scanner->AddImages(1);
    Search("Patient", ",");
    const int withImage = RowOf("00123-02");
    const int noTag = RowOf(" 123-1");
    const int missing = RowOf("127-12");
    const int nullTag = RowOf("124-01");

    window->Command2->setEnabled(true);
    ClickRow(withImage);
    QVERIFY(Near(Shown(), kGreen));
    QCOMPARE(window->Frame2->title(), QStringLiteral("Rx Image of Rx# 00123-02"));
    QVERIFY(!window->Command2->isEnabled()); // even with an acquired image in the buffer

    ClickRow(noTag);
    QVERIFY(!window->Image1->HasPicture());
    QCOMPARE(window->Frame2->title(), QStringLiteral("Rx Image"));

    ClickRow(withImage);
    ClickRow(missing); // the caption never names a row whose picture is not shown
    QVERIFY(!window->Image1->HasPicture());
    QCOMPARE(window->Frame2->title(), QStringLiteral("Rx Image"));

    ClickRow(nullTag);
    QCOMPARE(window->Frame2->title(), QStringLiteral("Rx Image"));

    // A click beside the rows works on the selected row.
    ClickRow(RowOf("125-01"));
    window->Image1->Clear();
    QTest::mouseClick(window->ListView2->viewport(), Qt::LeftButton, {},
                      QPoint(5, window->ListView2->viewport()->height() - 3));
    QVERIFY(Near(Shown(), kBlue));
}

void TestViewBehaviours::scanningListClicks_data() {
    QTest::addColumn<QString>("tag");
    QTest::addColumn<int>("buffered");
    QTest::addColumn<bool>("picture");
    QTest::addColumn<QString>("caption"); // empty: unchanged
    QTest::addColumn<int>("rotate");      // -1: unchanged
    QTest::addColumn<bool>("ticked");
    QTest::newRow("image, empty buffer")
        << "123_01.jpg" << 0 << true << "Rx Image of Rx# 123-01" << 0 << true;
    QTest::newRow("image, one buffered")
        << "123_01.jpg" << 1 << true << "Rx Image of Rx# 123-01" << 1 << true;
    QTest::newRow("mark only") << "A" << 1 << false << "Rx Image" << -1 << true;
    QTest::newRow("missing file") << "gone.jpg" << 0 << false << "Rx Image" << -1 << true;
    QTest::newRow("empty tag") << "" << 1 << false << "Rx Image" << -1 << false;
}

void TestViewBehaviours::scanningListClicks() {
    QFETCH(QString, tag);
    QFETCH(int, buffered);
    QFETCH(bool, picture);
    QFETCH(QString, caption);
    QFETCH(int, rotate);
    QFETCH(bool, ticked);
    scanner->AddImages(buffered);
    window->AddScanRow("100-01", "A");
    QTreeWidgetItem* item = window->AddScanRow("123-01", tag);
    item->setCheckState(0, ticked ? Qt::Unchecked : Qt::Checked);
    for (bool rotateBefore : {false, true}) {
        window->Frame2->setTitle("before");
        window->Image1->SetPicture(QImage(4, 4, QImage::Format_RGB32));
        window->Command2->setEnabled(rotateBefore);
        ClickItem(item);
        QCOMPARE(window->Image1->HasPicture(), picture);
        if (picture)
            QVERIFY(Near(Shown(), kRed));
        QCOMPARE(window->Frame2->title(), caption.isEmpty() ? QStringLiteral("before") : caption);
        QCOMPARE(window->Command2->isEnabled(), rotate < 0 ? rotateBefore : rotate == 1);
        QCOMPARE(item->checkState(0), ticked ? Qt::Checked : Qt::Unchecked);
    }
}

void TestViewBehaviours::clearedCheckBoxTickedAgain() {
    QTreeWidgetItem* item = window->AddScanRow("123-01", "123_01.jpg");
    ClickItem(item);
    QCOMPARE(item->checkState(0), Qt::Checked);
    QVERIFY(window->Image1->HasPicture());

    // Clearing the tick by hand on its box: only the tick changes.
    QTreeWidget* v = window->ListView1;
    QStyleOptionViewItem opt;
    opt.initFrom(v->viewport());
    opt.rect = v->visualRect(v->indexFromItem(item, 0));
    opt.features |= QStyleOptionViewItem::HasCheckIndicator;
    const QRect box = v->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &opt, v);
    window->Image1->Clear();
    window->Frame2->setTitle("before");
    QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, box.center());
    QCOMPARE(item->checkState(0), Qt::Unchecked);
    QVERIFY(!window->Image1->HasPicture());
    QCOMPARE(window->Frame2->title(), QStringLiteral("before"));

    // The next click on the row ticks it again.
    ClickItem(item);
    QCOMPARE(item->checkState(0), Qt::Checked);
    QCOMPARE(window->Frame2->title(), QStringLiteral("Rx Image of Rx# 123-01"));
}

void TestViewBehaviours::arrowKeysChangeOnlyPicture() {
    scanner->AddImages(1);
    Search("Rx Number", "123");
    // Rows in the order listed; find one with a picture and move to the next.
    SearchResultModel* m = view->search()->Model();
    const int red = RowOf("123-01");
    ClickRow(red);
    QCOMPARE(window->Frame2->title(), QStringLiteral("Rx Image of Rx# 123-01"));
    window->ListView2->setFocus();
    for (int step = 0; step < m->rowCount(); ++step) {
        const int before = Preview::SelectedRow(window->ListView2);
        window->Command2->setEnabled(true);
        QTest::keyClick(window->ListView2, before + 1 < m->rowCount() ? Qt::Key_Down : Qt::Key_Up);
        const int now = Preview::SelectedRow(window->ListView2);
        QVERIFY(now != before);
        const QString tag = m->RowTag(now);
        const bool exists = !tag.isEmpty() && QFile::exists(SharedContext().ImagePath(tag));
        QCOMPARE(window->Image1->HasPicture(), exists);
        // Caption and picture follow the selection together.
        QCOMPARE(window->Frame2->title(),
                 exists ? QStringLiteral("Rx Image of Rx# ") + m->RowText(now) : "Rx Image");
    }

    // The to-be-scanned list: pictures follow, check boxes stay as they are.
    QTreeWidgetItem* a = window->AddScanRow("123-01", "123_01.jpg");
    QTreeWidgetItem* b = window->AddScanRow("125-01", "125_01.jpg");
    window->ListView1->setCurrentItem(a);
    window->ListView1->setFocus();
    QTest::keyClick(window->ListView1, Qt::Key_Down);
    QCOMPARE(Preview::SelectedItem(window->ListView1), b);
    QVERIFY(Near(Shown(), kBlue));
    QCOMPARE(b->checkState(0), Qt::Unchecked);
    QTest::keyClick(window->ListView1, Qt::Key_Up);
    QVERIFY(Near(Shown(), kRed));
    QCOMPARE(a->checkState(0), Qt::Unchecked);
    QCOMPARE(window->Frame2->title(), QStringLiteral("Rx Image of Rx# 123-01"));
}

// Whatever moves the viewing list's selection (keys, a drag, a deletion) shows that row,
// and the enlarged window then names and shows that same row.
void TestViewBehaviours::selectionMovesShowOneRow_data() {
    QTest::addColumn<QString>("how");
    for (const char* how : {"End", "Home", "PageDown", "drag", "delete"})
        QTest::newRow(how) << QString::fromLatin1(how);
}

void TestViewBehaviours::selectionMovesShowOneRow() {
    QFETCH(QString, how);
    Search("Patient", ",");
    SearchResultModel* m = view->search()->Model();
    QTreeView* v = window->ListView2;
    ClickRow(RowOf("00123-02"));
    v->setFocus();
    ScriptedMessageBoxes boxes;
    boxes.answer(MsgAnswer::Yes);
    if (how == "drag") {
        const QPoint from = v->visualRect(m->index(RowOf("00123-02"), 1)).center();
        const QPoint to = v->visualRect(m->index(RowOf("125-01"), 1)).center();
        QTest::mousePress(v->viewport(), Qt::LeftButton, {}, from);
        QMouseEvent move(QEvent::MouseMove, to, v->viewport()->mapToGlobal(to), Qt::NoButton,
                         Qt::LeftButton, {});
        QApplication::sendEvent(v->viewport(), &move);
        QTest::mouseRelease(v->viewport(), Qt::LeftButton, {}, to);
    } else if (how == "delete") {
        QTest::keyClick(v, Qt::Key_Delete);
    } else {
        const Qt::Key key = how == "End"    ? Qt::Key_End
                            : how == "Home" ? Qt::Key_Home
                                            : Qt::Key_PageDown;
        QTest::keyClick(v, key);
    }
    const int now = Preview::SelectedRow(v);
    QVERIFY(now >= 0);
    const QString tag = m->RowTag(now);
    const bool exists = !tag.isEmpty() && QFile::exists(SharedContext().ImagePath(tag));
    QCOMPARE(window->Image1->HasPicture(), exists);
    QCOMPARE(window->Frame2->title(), exists ? "Rx Image of Rx# " + m->RowText(now) : "Rx Image");
    if (!exists)
        return;
    view->enlarged()->ShowPicForm();
    QVERIFY(frmShowPic::Current());
    QCOMPARE(frmShowPic::Current()->windowTitle(),
             "Scanned Image for Prescription " + m->RowText(now));
    QCOMPARE(frmShowPic::Current()->Picture(), QImage(SharedContext().ImagePath(tag)));
    QCOMPARE(window->Image1->Picture(), frmShowPic::Current()->Picture());
}

void TestViewBehaviours::emptyListReactions() {
    const QImage picture(4, 4, QImage::Format_RGB32);
    window->Image1->SetPicture(picture);
    window->Frame2->setTitle("before");
    window->Command2->setEnabled(true);
    view->preview()->ListView2_Click();
    QVERIFY(!window->Command2->isEnabled());
    QVERIFY(window->Image1->HasPicture());
    window->Command2->setEnabled(true);
    view->preview()->ListView1_Click();
    view->preview()->ListView1_KeyUp(Qt::Key_Down);
    view->preview()->ListView2_KeyUp(Qt::Key_Down);
    QVERIFY(window->Image1->HasPicture());
    QVERIFY(window->Command2->isEnabled());
    QCOMPARE(window->Frame2->title(), QStringLiteral("before"));
}

void TestViewBehaviours::rowsWithoutSelection() {
    Search("Rx Number", "123-1");
    window->ListView2->selectionModel()->clearSelection();
    window->Frame2->setTitle("before");
    view->preview()->ListView2_Click();
    QVERIFY(!window->Image1->HasPicture());
    QCOMPARE(window->Frame2->title(), QStringLiteral("before"));

    QTreeWidgetItem* item = window->AddScanRow("123-01", "123_01.jpg");
    window->ListView1->clearSelection();
    window->Image1->SetPicture(QImage(4, 4, QImage::Format_RGB32));
    view->preview()->ListView1_Click();
    QVERIFY(!window->Image1->HasPicture());
    QCOMPARE(item->checkState(0), Qt::Unchecked);
    QCOMPARE(window->Frame2->title(), QStringLiteral("before"));
}

void TestViewBehaviours::rotateRuleCanBeReplaced() {
    scanner->AddImages(2);
    bool allowed = false;
    view->Context().SetRotateRule([&allowed](const ViewContext&) { return allowed; });
    Search("Rx Number", "123-1");
    QVERIFY(!window->Command2->isEnabled());
    allowed = true;
    QTreeWidgetItem* item = window->AddScanRow("123-01", "123_01.jpg");
    ClickItem(item);
    QVERIFY(window->Command2->isEnabled());
}

// ---------------------------------------------------------------- deletion

void TestViewBehaviours::deleteAsksAndRemovesOnlyThatRow() {
    Search("Rx Number", "123");
    const int row = RowOf("123-01");
    ClickRow(RowOf("00123-02"));
    window->ListView2->selectionModel()->setCurrentIndex(window->ListView2->model()->index(row, 0),
                                                         QItemSelectionModel::ClearAndSelect |
                                                             QItemSelectionModel::Rows);
    QTreeWidgetItem* alsoToScan = window->AddScanRow("123-01", "123_01.jpg");

    ScriptedMessageBoxes boxes;
    boxes.answer(MsgAnswer::Yes);
    window->ListView2->setFocus();
    QTest::keyClick(window->ListView2, Qt::Key_Delete);
    QCOMPARE(boxes.count(), 1);
    QCOMPARE(boxes.last().text, QStringLiteral("You are deleting 123-01, Continue?"));
    QCOMPARE(boxes.last().icon, MsgIcon::Question);
    QCOMPARE(boxes.last().buttons, MsgButtons::YesNo);
    QCOMPARE(boxes.last().defaultButton, MsgAnswer::No);
    QCOMPARE(boxes.last().caption, AppTitle());

    QCOMPARE(Listed(), (QStringList{" 123-1", "00123-02", "123-0'"}));
    Database& db = *SharedContext().DbConnection;
    QVERIFY(!db.Find("123", "01"));
    QVERIFY(db.Find("00123", "02"));
    QVERIFY(db.Find(" 123", "1"));
    QVERIFY(db.Find("123", "0'"));
    QVERIFY(QFile::exists(SharedContext().ImagePath("123_01.jpg")));
    // The preview shows the newly selected row (here one without an image) or nothing.
    const int now = Preview::SelectedRow(window->ListView2);
    const QString tag = view->search()->Model()->RowTag(now);
    QCOMPARE(window->Image1->HasPicture(),
             !tag.isEmpty() && QFile::exists(SharedContext().ImagePath(tag)));
    QCOMPARE(window->ListView1->topLevelItemCount(), 1);
    QCOMPARE(window->ListView1->topLevelItem(0), alsoToScan);
    // A row is selected again.
    QVERIFY(Preview::SelectedRow(window->ListView2) >= 0);
}

void TestViewBehaviours::deleteAnsweredNoKeepsEverything() {
    Search("Rx Number", "123-1");
    ScriptedMessageBoxes boxes; // answers with the default button (No), as Enter would
    QTest::keyClick(window->ListView2, Qt::Key_Delete);
    boxes.answer(MsgAnswer::No);
    QTest::keyClick(window->ListView2, Qt::Key_Delete);
    QCOMPARE(boxes.count(), 2);
    QCOMPARE(Listed(), QStringList{"123-01"});
    QVERIFY(SharedContext().DbConnection->Find("123", "01"));
}

void TestViewBehaviours::deleteWithModifiers() {
    Search("Patient", ",");
    const int total = int(Listed().size());
    ScriptedMessageBoxes boxes;
    int expected = total;
    for (Qt::KeyboardModifiers mods :
         {Qt::KeyboardModifiers(Qt::ShiftModifier), Qt::KeyboardModifiers(Qt::ControlModifier)}) {
        const QString text =
            view->search()->Model()->RowText(Preview::SelectedRow(window->ListView2));
        boxes.answer(MsgAnswer::Yes);
        QTest::keyClick(window->ListView2, Qt::Key_Delete, mods);
        --expected;
        QCOMPARE(Listed().size(), expected);
        QVERIFY(!Listed().contains(text));
    }
    // Other keys do not delete.
    QTest::keyClick(window->ListView2, Qt::Key_Backspace);
    view->deletion()->ListView2_KeyDown(Qt::Key_Insert);
    QCOMPARE(boxes.count(), 2);
    QCOMPARE(Listed().size(), expected);
}

void TestViewBehaviours::deleteFailureKeepsRow() {
    Search("Rx Number", "123-1");
    QSqlQuery readOnly(SharedContext().DbConnection->Connection());
    QVERIFY(readOnly.exec("PRAGMA query_only = 1"));
    ScriptedMessageBoxes boxes;
    boxes.answer(MsgAnswer::Yes);
    QTest::keyClick(window->ListView2, Qt::Key_Delete);
    QCOMPARE(boxes.count(), 2);
    QCOMPARE(boxes.last().icon, MsgIcon::Critical);
    QVERIFY2(boxes.last().text.contains("readonly"), qPrintable(boxes.last().text));
    QCOMPARE(Listed(), QStringList{"123-01"});
    QVERIFY(readOnly.exec("PRAGMA query_only = 0"));
    QVERIFY(SharedContext().DbConnection->Find("123", "01"));
}

void TestViewBehaviours::deleteOnEmptyListAsksNothing() {
    ScriptedMessageBoxes boxes;
    view->deletion()->ListView2_KeyDown(Qt::Key_Delete);
    Search("Rx Number", "999");
    QTest::keyClick(window->ListView2, Qt::Key_Delete);
    QCOMPARE(boxes.count(), 0);
}

// ---------------------------------------------------------------- enlarged window

void TestViewBehaviours::showPicFormViewing() {
    Search("Rx Number", "123-1");
    QVERIFY(!frmShowPic::Current());
    QTest::mouseClick(window->Command4, Qt::LeftButton);
    frmShowPic* f = frmShowPic::Current();
    QVERIFY(f);
    QCOMPARE(f->windowTitle(), QStringLiteral("Scanned Image for Prescription 123-01"));
    QCOMPARE(f->Picture(), window->Image1->Picture());
    QVERIFY(f->isVisible());
    QVERIFY(!f->isModal());
}

void TestViewBehaviours::showPicFormScanningUsesToBeScannedList() {
    Search("Rx Number", "123-1"); // the viewing list has a selection too
    window->fraList->hide();
    QTreeWidgetItem* item = window->AddScanRow("125-01", "125_01.jpg");
    ClickItem(item);
    QVERIFY(Near(Shown(), kBlue));
    QTest::mouseDClick(window->Image1, Qt::LeftButton);
    QVERIFY(frmShowPic::Current());
    QCOMPARE(frmShowPic::Current()->windowTitle(),
             QStringLiteral("Scanned Image for Prescription 125-01"));
}

void TestViewBehaviours::showPicFormNeedsSelectionAndPicture() {
    // Empty preview.
    Search("Rx Number", "124-1"); // row without an image
    QVERIFY(!window->Image1->HasPicture());
    view->enlarged()->ShowPicForm();
    QTest::mouseDClick(window->Image1, Qt::LeftButton);
    QVERIFY(!frmShowPic::Current());
    // A picture but no selected row.
    Search("Rx Number", "123-1");
    window->ListView2->selectionModel()->clearSelection();
    view->enlarged()->ShowPicForm();
    QVERIFY(!frmShowPic::Current());
}

void TestViewBehaviours::showPicFormUpdatesOpenWindow() {
    Search("Rx Number", "123-1");
    view->enlarged()->ShowPicForm();
    QPointer<frmShowPic> first = frmShowPic::Current();
    QVERIFY(first);
    Search("Rx Number", "125");
    // The open window does not follow the preview by itself.
    QVERIFY(Near(first->Picture().pixelColor(2, 2), kRed));
    view->enlarged()->ShowPicForm();
    QCOMPARE(frmShowPic::Current(), first.data());
    QCOMPARE(first->windowTitle(), QStringLiteral("Scanned Image for Prescription 125-01"));
    QVERIFY(Near(first->Picture().pixelColor(2, 2), kBlue));
    // Closed, the next opening makes a new window.
    QMetaObject::invokeMethod(first, "Command2_Click");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!first);
    QVERIFY(!frmShowPic::Current());
}

QTEST_MAIN(TestViewBehaviours)
#include "tst_viewbehaviours.moc"
