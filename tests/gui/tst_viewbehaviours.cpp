// Search triggers, list reactions and preview, deletion and the opening of the enlarged
// window, on the scan window's own controls over a fixture database.
#include "common/ScriptedMessageBoxes.h"
#include "common/TestEnv.h"
#include "common/ViewFixture.h"
#include "gui/common/PictureBox.h"
#include "gui/scan/frmScan.h"
#include "gui/view/ViewBehaviours.h"
#include "scanner/SimulatedScanner.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTreeView>
#include <QTreeWidget>
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

    std::unique_ptr<TestEnv> env;
    std::unique_ptr<frmScan> window;
    std::unique_ptr<SimulatedScanner> scanner;
    std::unique_ptr<ViewBehaviours> view;
    StatusLine status;

    // Chooses a criterion from the box; a name the box does not offer is typed into it.
    void ChooseCriterion(const QString& name) {
        const int index = window->Combo2->findText(name);
        if (index < 0) {
            window->Combo2->setEditText(name);
            return;
        }
        window->Combo2->setCurrentIndex(index);
        emit window->Combo2->activated(index);
    }

    void Search(const QString& criterion, const QString& text) {
        ChooseCriterion(criterion);
        window->Text1->setText(text);
        QTest::keyClick(window->Text1, Qt::Key_Return);
    }

    QStringList Listed() const {
        SearchResultModel* m = view->search()->Model();
        while (m->canFetchMore(QModelIndex()))
            m->fetchMore(QModelIndex());
        QStringList out;
        for (int i = 0; i < m->rowCount(); ++i)
            out << m->RowText(i);
        out.sort();
        return out;
    }

    int RowOf(const QString& text) const {
        SearchResultModel* m = view->search()->Model();
        for (int i = 0; i < m->rowCount(); ++i)
            if (m->RowText(i) == text)
                return i;
        return -1;
    }

    // A click in the middle of a list cell.
    void Click(QAbstractItemView* v, const QModelIndex& cell) {
        QVERIFY(v->visualRect(cell).isValid());
        QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, v->visualRect(cell).center());
    }
    void ClickRow(int row) { Click(window->ListView2, window->ListView2->model()->index(row, 1)); }
    void ClickItem(QTreeWidgetItem* item) {
        Click(window->ListView1, window->ListView1->indexFromItem(item, 2));
    }

    // A to-be-scanned row with its tag.
    QTreeWidgetItem* AddScanRow(const QString& text, const QString& tag) {
        auto* item =
            new QTreeWidgetItem(window->ListView1, QStringList{text, "03/07/2006", "Drug", "X, Y"});
        item->setData(0, Qt::UserRole, tag);
        item->setCheckState(0, Qt::Unchecked);
        return item;
    }

    // Both pickers (days of March 2006) set without their change reaction.
    void SetDatesQuietly(int firstDay, int lastDay) {
        for (int i : {0, 1}) {
            QSignalBlocker blocker(window->DTPicker1[i]);
            window->DTPicker1[i]->setDate(QDate(2006, 3, i ? lastDay : firstDay));
        }
    }

    QColor Shown() const {
        const QImage& p = window->Image1->Picture();
        return p.isNull() ? QColor() : p.pixelColor(p.width() / 2, p.height() / 2);
    }

    // The preview shows the row's picture and names it, or shows nothing and names nothing.
    bool ShowsRow(int row) const {
        SearchResultModel* m = view->search()->Model();
        const QString tag = m->RowTag(row);
        const bool exists = !tag.isEmpty() && QFile::exists(SharedContext().ImagePath(tag));
        return window->Image1->HasPicture() == exists &&
               window->Frame2->title() ==
                   (exists ? "Rx Image of Rx# " + m->RowText(row) : "Rx Image");
    }

private slots:
    void init() {
        env = std::make_unique<TestEnv>();
        SharedContext().dataPath = env->imageFolder();
        SharedContext().MainWindow = &status;
        status.SetStatusText(QStringLiteral("Idle"));
        OpenFixtureDatabase();
        WritePicture(SharedContext().ImagePath("123_01.jpg"), kRed);
        WritePicture(SharedContext().ImagePath("00123_02.jpg"), kGreen);
        WritePicture(SharedContext().ImagePath("125_01.jpg"), kBlue);
        // The window without behaviours (no scanner start-up, no polling), in viewing mode.
        window = std::make_unique<frmScan>(SharedContext());
        QVERIFY(window->Form_Load());
        window->Timer1->stop();
        scanner = std::make_unique<SimulatedScanner>();
        view = std::make_unique<ViewBehaviours>(window->ViewControls(), SharedContext(),
                                                scanner.get());
        window->SetListView2Columns();
        window->fraSearch->show();
        window->fraList->show();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    void cleanup() {
        delete frmShowPic::Current();
        view.reset();
        window.reset();
        scanner.reset();
        SharedContext().MainWindow = nullptr;
        SharedContext().DbConnection.reset();
        env.reset();
    }

    // ---------------------------------------------------------------- search triggers

    void enterSearches_data() {
        QTest::addColumn<QString>("criterion");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("rx with refill") << "Rx Number"
                                        << "123-1" << QStringList{"123-01"};
        QTest::newRow("patient apostrophe") << "Patient"
                                            << "O'Neil" << QStringList{"abc-00"};
        QTest::newRow("drug percent") << "Drug"
                                      << "50%" << QStringList{"126-01", "127-12"};
        QTest::newRow("no rows") << "Rx Number"
                                 << "999" << QStringList{};
        QTest::newRow("unknown criterion") << "Doctor"
                                           << "123" << QStringList{};
    }

    void enterSearches() {
        QFETCH(QString, criterion);
        QFETCH(QString, text);
        QFETCH(QStringList, rows);
        Search("Rx Number", "123-1"); // a row shown before
        QCOMPARE(window->Frame2->title(), QStringLiteral("Rx Image of Rx# 123-01"));
        Search(criterion, text);
        QCOMPARE(Listed(), rows);
        if (rows.isEmpty()) {
            // No rows: the preview empties (an unknown criterion reads nothing at all), its
            // caption stays.
            QVERIFY(criterion == "Doctor" || !window->Image1->HasPicture());
            QCOMPARE(window->Frame2->title(), QStringLiteral("Rx Image of Rx# 123-01"));
        } else {
            // The first row is selected and shown through the click reaction.
            QCOMPARE(Preview::SelectedRow(window->ListView2), 0);
            QVERIFY(ShowsRow(0));
        }
        QCOMPARE(status.StatusText(), QStringLiteral("Idle"));

        // Enter in an empty box, and any other key, leave the list as it is.
        window->Text1->clear();
        QTest::keyClick(window->Text1, Qt::Key_Return);
        window->Text1->setText("Smith");
        QTest::keyClick(window->Text1, Qt::Key_L);
        QCOMPARE(Listed(), rows);
    }

    // Date shows the pickers and searches at once; another criterion shows the empty text
    // box with the focus and does not search.
    void criterionChoiceSwitchesBoxes() {
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        window->Text1->setText("left over");
        SetDatesQuietly(7, 9);
        ChooseCriterion("Date");
        QCOMPARE(window->Text1->text(), QString());
        QVERIFY(window->Text1->isHidden());
        for (int i = 0; i < 2; ++i)
            QVERIFY(window->DTPicker1[i]->isVisible() && window->lblDate[i]->isVisible());
        const QStringList dated{" 123-1", "00123-02", "123-01", "126-01"};
        QCOMPARE(Listed(), dated);

        window->Text1->setText("x");
        ChooseCriterion("Drug");
        QCOMPARE(window->Text1->text(), QString());
        QVERIFY(window->Text1->isVisible() && window->Text1->hasFocus());
        for (int i = 0; i < 2; ++i)
            QVERIFY(window->DTPicker1[i]->isHidden() && window->lblDate[i]->isHidden());
        QCOMPARE(Listed(), dated);

        // A first date after the last still searches when Date is chosen: nothing is found.
        SetDatesQuietly(9, 7);
        ChooseCriterion("Date");
        QCOMPARE(Listed(), QStringList());
        QVERIFY(!window->Image1->HasPicture());
    }

    void pickerChangeSearchesOnlyInOrder() {
        SetDatesQuietly(7, 7);
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
        const QStringList range{"00123-02", "123-01", "126-01", "128-01"};
        QCOMPARE(Listed(), range);
        // Hidden pickers (another criterion chosen) take new dates without searching.
        ChooseCriterion("Patient");
        window->DTPicker1[0]->setDate(QDate(2006, 3, 1));
        window->DTPicker1[1]->setDate(QDate(2006, 3, 31));
        QCOMPARE(Listed(), range);
    }

    // A failing search, first page or later, empties nothing it has not read, asks nothing
    // and says why on the status line.
    void failingSearchWritesStatus_data() {
        QTest::addColumn<QString>("how");
        for (const char* how : {"text", "date", "later page"})
            QTest::newRow(how) << QString::fromLatin1(how);
    }

    void failingSearchWritesStatus() {
        QFETCH(QString, how);
        ScriptedMessageBoxes boxes;
        SearchResultModel* m = view->search()->Model();
        if (how == "later page") {
            window->hide(); // a shown view reads further pages to fill itself
            m->SetPageSize(2);
        }
        Search("Patient", how == "later page" ? "," : "Smith");
        const int before = m->rowCount();
        QVERIFY(before >= 2);
        QSqlQuery drop(SharedContext().DbConnection->Connection());
        QVERIFY(drop.exec("DROP TABLE RxImages"));
        if (how == "text") {
            Search("Patient", "Jones");
            QCOMPARE(Listed(), QStringList());
        } else if (how == "date") {
            ChooseCriterion("Date");
            QCOMPARE(Listed(), QStringList());
        } else {
            m->fetchMore(QModelIndex());
            QCOMPARE(m->rowCount(), before);
        }
        QVERIFY2(status.StatusText().contains("RxImages"), qPrintable(status.StatusText()));
        QCOMPARE(boxes.count(), 0);
    }

    // A shown list asks for the further pages it has room for.
    void shownListReadsPagesItNeeds() {
        SearchResultModel* m = view->search()->Model();
        m->SetPageSize(3);
        Search("Patient", ",");
        QVERIFY(m->rowCount() >= 3);
        // Scrolled to the end, the list reads on until every row is in.
        QTRY_VERIFY((window->ListView2->scrollToBottom(), !m->canFetchMore(QModelIndex())));
        QCOMPARE(m->rowCount(), int(FixtureRows().size()));
    }

    // ---------------------------------------------------------------- reactions

    void viewingListClicks() {
        scanner->AddImages(1);
        Search("Patient", ",");
        // A row with its picture; one without a tag; one whose file is gone; a null tag.
        for (const char* row : {"00123-02", " 123-1", "127-12", "00123-02", "124-01"}) {
            window->Command2->setEnabled(true);
            ClickRow(RowOf(row));
            QVERIFY2(ShowsRow(RowOf(row)), row);
            // Rotate is off for a stored page, even with an acquired image in the buffer.
            QVERIFY(!window->Command2->isEnabled());
        }
        QVERIFY(!window->Image1->HasPicture());
        // A click beside the rows works on the selected row.
        Search("Rx Number", "125");
        window->Image1->Clear();
        const QRect last = window->ListView2->visualRect(view->search()->Model()->index(0, 1));
        QTest::mouseClick(window->ListView2->viewport(), Qt::LeftButton, {},
                          QPoint(5, last.bottom() + 5));
        QVERIFY(Near(Shown(), kBlue));
    }

    void scanningListClicks_data() {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<int>("buffered");
        QTest::addColumn<bool>("picture");
        QTest::addColumn<int>("rotate"); // -1: unchanged
        QTest::addColumn<bool>("ticked");
        QTest::newRow("image, empty buffer") << "123_01.jpg" << 0 << true << 0 << true;
        QTest::newRow("image, one buffered") << "123_01.jpg" << 1 << true << 1 << true;
        QTest::newRow("mark only") << "A" << 1 << false << -1 << true;
        QTest::newRow("missing file") << "gone.jpg" << 0 << false << -1 << true;
        QTest::newRow("empty tag") << "" << 1 << false << -1 << false;
    }

    void scanningListClicks() {
        QFETCH(QString, tag);
        QFETCH(int, buffered);
        QFETCH(bool, picture);
        QFETCH(int, rotate);
        QFETCH(bool, ticked);
        scanner->AddImages(buffered);
        AddScanRow("100-01", "A");
        QTreeWidgetItem* item = AddScanRow("123-01", tag);
        item->setCheckState(0, ticked ? Qt::Unchecked : Qt::Checked);
        for (bool rotateBefore : {false, true}) {
            window->Frame2->setTitle("before");
            window->Image1->SetPicture(QImage(4, 4, QImage::Format_RGB32));
            window->Command2->setEnabled(rotateBefore);
            ClickItem(item);
            QCOMPARE(window->Image1->HasPicture(), picture);
            if (picture)
                QVERIFY(Near(Shown(), kRed));
            QCOMPARE(window->Frame2->title(),
                     QString(picture ? "Rx Image of Rx# 123-01" : "Rx Image"));
            QCOMPARE(window->Command2->isEnabled(), rotate < 0 ? rotateBefore : rotate == 1);
            QCOMPARE(item->checkState(0), ticked ? Qt::Checked : Qt::Unchecked);
        }
    }

    void clearedCheckBoxTickedAgain() {
        window->fraList->hide();
        QTreeWidgetItem* item = AddScanRow("123-01", "123_01.jpg");
        ClickItem(item);
        QCOMPARE(item->checkState(0), Qt::Checked);
        QVERIFY(window->Image1->HasPicture());

        // Clearing the tick by hand on its box: only the tick changes.
        QTreeWidget* v = window->ListView1;
        QStyleOptionViewItem opt;
        opt.initFrom(v->viewport());
        opt.rect = v->visualRect(v->indexFromItem(item, 0));
        opt.features |= QStyleOptionViewItem::HasCheckIndicator;
        const QRect box =
            v->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &opt, v);
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

    void arrowKeysChangeOnlyPicture() {
        // On the to-be-scanned list pictures follow, check boxes stay as they are.
        window->fraList->hide();
        QTreeWidgetItem* a = AddScanRow("123-01", "123_01.jpg");
        QTreeWidgetItem* b = AddScanRow("125-01", "125_01.jpg");
        window->ListView1->setCurrentItem(a);
        window->ListView1->setFocus();
        QTest::keyClick(window->ListView1, Qt::Key_Down);
        QCOMPARE(Preview::SelectedItem(window->ListView1), b);
        QVERIFY(Near(Shown(), kBlue));
        QTest::keyClick(window->ListView1, Qt::Key_Up);
        QVERIFY(Near(Shown(), kRed));
        QCOMPARE(a->checkState(0), Qt::Unchecked);
        QCOMPARE(b->checkState(0), Qt::Unchecked);
        QCOMPARE(window->Frame2->title(), QStringLiteral("Rx Image of Rx# 123-01"));
    }

    // Whatever moves the viewing list's selection (keys, a drag, a deletion) shows that row,
    // and the enlarged window then names and shows that same row.
    void selectionMovesShowOneRow_data() {
        QTest::addColumn<QString>("how");
        for (const char* how : {"Down", "Up", "End", "Home", "PgDown", "drag", "delete"})
            QTest::newRow(how) << QString::fromLatin1(how);
    }

    void selectionMovesShowOneRow() {
        QFETCH(QString, how);
        Search("Patient", ",");
        SearchResultModel* m = view->search()->Model();
        QTreeView* v = window->ListView2;
        ClickRow(RowOf("00123-02"));
        const int before = Preview::SelectedRow(v);
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
            QTest::keyClick(v, QKeySequence(how)[0].key());
        }
        const int now = Preview::SelectedRow(v);
        QVERIFY(now >= 0 && (how == "delete" || now != before));
        QVERIFY(ShowsRow(now)); // caption and picture follow the selection together
        if (!window->Image1->HasPicture())
            return;
        view->enlarged()->ShowPicForm();
        QVERIFY(frmShowPic::Current());
        QCOMPARE(frmShowPic::Current()->windowTitle(),
                 "Scanned Image for Prescription " + m->RowText(now));
        QCOMPARE(frmShowPic::Current()->Picture(),
                 QImage(SharedContext().ImagePath(m->RowTag(now))));
        QCOMPARE(window->Image1->Picture(), frmShowPic::Current()->Picture());
    }

    // Clicks and keys on an empty list, or on a list without a selected row, change neither
    // the preview, its caption, a tick nor Rotate.
    void clicksWithoutSelectionChangeNothing() {
        window->Image1->SetPicture(QImage(4, 4, QImage::Format_RGB32));
        window->Frame2->setTitle("before");
        window->Command2->setEnabled(true);
        view->preview()->ListView2_Click();
        QVERIFY(!window->Command2->isEnabled());
        QVERIFY(window->Image1->HasPicture());
        window->Command2->setEnabled(true);
        view->preview()->ListView1_Click();
        view->preview()->ListView1_KeyUp(Qt::Key_Down);
        view->preview()->ListView2_KeyUp(Qt::Key_Down);
        QVERIFY(window->Image1->HasPicture() && window->Command2->isEnabled());
        QCOMPARE(window->Frame2->title(), QStringLiteral("before"));

        Search("Rx Number", "123-1");
        window->ListView2->selectionModel()->clearSelection();
        window->Frame2->setTitle("before");
        view->preview()->ListView2_Click();
        QTreeWidgetItem* item = AddScanRow("123-01", "123_01.jpg");
        window->ListView1->clearSelection();
        view->preview()->ListView1_Click();
        QVERIFY(!window->Image1->HasPicture());
        QCOMPARE(item->checkState(0), Qt::Unchecked);
        QCOMPARE(window->Frame2->title(), QStringLiteral("before"));

        // A window that knows more replaces the rule that enables Rotate.
        scanner->AddImages(2);
        bool allowed = false;
        view->Context().SetRotateRule([&allowed](const ViewContext&) { return allowed; });
        Search("Rx Number", "123-1");
        QVERIFY(!window->Command2->isEnabled());
        allowed = true;
        ClickItem(item);
        QVERIFY(window->Command2->isEnabled());
    }

    // ---------------------------------------------------------------- deletion

    void deleteAsksAndRemovesOnlyThatRow() {
        Search("Rx Number", "123");
        const int row = RowOf("123-01");
        ClickRow(RowOf("00123-02"));
        window->ListView2->selectionModel()->setCurrentIndex(
            window->ListView2->model()->index(row, 0),
            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        QTreeWidgetItem* alsoToScan = AddScanRow("123-01", "123_01.jpg");

        ScriptedMessageBoxes boxes;
        boxes.answer(MsgAnswer::Yes);
        window->ListView2->setFocus();
        QTest::keyClick(window->ListView2, Qt::Key_Delete);
        QCOMPARE(boxes.count(), 1);
        QCOMPARE(boxes.last().text, QStringLiteral("You are deleting 123-01, Continue?"));
        QCOMPARE(boxes.last().buttons, MsgButtons::YesNo);
        QCOMPARE(boxes.last().defaultButton, MsgAnswer::No);

        QCOMPARE(Listed(), (QStringList{" 123-1", "00123-02", "123-0'"}));
        Database& db = *SharedContext().DbConnection;
        QVERIFY(!db.Find("123", "01"));
        QVERIFY(db.Find("00123", "02") && db.Find(" 123", "1") && db.Find("123", "0'"));
        QVERIFY(QFile::exists(SharedContext().ImagePath("123_01.jpg")));
        // A row is selected again and the preview shows it.
        const int now = Preview::SelectedRow(window->ListView2);
        QVERIFY(now >= 0);
        QVERIFY(ShowsRow(now));
        QCOMPARE(window->ListView1->topLevelItemCount(), 1);
        QCOMPARE(window->ListView1->topLevelItem(0), alsoToScan);
    }

    // No (the default button, as Enter answers), a failing delete and an empty list keep
    // every row; a failure says why.
    void deleteRefusedOrFailedKeepsRow() {
        ScriptedMessageBoxes boxes;
        view->deletion()->ListView2_KeyDown(Qt::Key_Delete);
        Search("Rx Number", "999");
        QTest::keyClick(window->ListView2, Qt::Key_Delete);
        QCOMPARE(boxes.count(), 0);

        Search("Rx Number", "123-1");
        QTest::keyClick(window->ListView2, Qt::Key_Delete);
        boxes.answer(MsgAnswer::No);
        QTest::keyClick(window->ListView2, Qt::Key_Delete);
        QCOMPARE(boxes.count(), 2);

        QSqlQuery readOnly(SharedContext().DbConnection->Connection());
        QVERIFY(readOnly.exec("PRAGMA query_only = 1"));
        boxes.answer(MsgAnswer::Yes);
        QTest::keyClick(window->ListView2, Qt::Key_Delete);
        QCOMPARE(boxes.count(), 4);
        QCOMPARE(boxes.last().icon, MsgIcon::Critical);
        QVERIFY2(boxes.last().text.contains("readonly"), qPrintable(boxes.last().text));
        QCOMPARE(Listed(), QStringList{"123-01"});
        QVERIFY(readOnly.exec("PRAGMA query_only = 0"));
        QVERIFY(SharedContext().DbConnection->Find("123", "01"));
    }

    // ---------------------------------------------------------------- enlarged window

    // Viewing: the button opens a modeless window for the viewing list's row. Scanning: a
    // double click on the preview opens it for the to-be-scanned list's row.
    void showPicFormFollowsMode() {
        Search("Rx Number", "123-1");
        QVERIFY(!frmShowPic::Current());
        QTest::mouseClick(window->Command4, Qt::LeftButton);
        frmShowPic* f = frmShowPic::Current();
        QVERIFY(f && f->isVisible() && !f->isModal());
        QCOMPARE(f->windowTitle(), QStringLiteral("Scanned Image for Prescription 123-01"));
        QCOMPARE(f->Picture(), window->Image1->Picture());
        delete f;

        window->fraList->hide();
        QTreeWidgetItem* item = AddScanRow("125-01", "125_01.jpg");
        ClickItem(item);
        QVERIFY(Near(Shown(), kBlue));
        QTest::mouseDClick(window->Image1, Qt::LeftButton);
        QVERIFY(frmShowPic::Current());
        QCOMPARE(frmShowPic::Current()->windowTitle(),
                 QStringLiteral("Scanned Image for Prescription 125-01"));
    }

    // Without a picture or a selected row no window opens; an open window is updated by the
    // next opening rather than doubled, and a closed one is gone.
    void showPicFormOpensOnceForASelectedPicture() {
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
};

QTEST_MAIN(TestViewBehaviours)
#include "tst_viewbehaviours.moc"
