// The lists' reactions and the preview, and the opening of the enlarged window, on the
// scan window's own controls over a fixture database.
#include "common/ScriptedMessageBoxes.h"
#include "common/ViewRig.h"
#include "records/AuditTrail.h"

#include <QPrinter>

using namespace quiller;
using namespace quiller::test;

class TestViewPreview : public QObject, public ViewRig {
    Q_OBJECT

private slots:
    void init() { SetUp(); }
    void cleanup() { TearDown(); }

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

    // On the to-be-scanned list a click on a row ticks it, a click on its box only clears
    // the tick, and the arrow keys move the picture without ticking.
    void scanningListTicksAndKeys() {
        window->fraList->hide();
        QTreeWidgetItem* item = AddScanRow("123-01", "123_01.jpg");
        QTreeWidgetItem* next = AddScanRow("125-01", "125_01.jpg");
        ClickItem(item);
        QCOMPARE(item->checkState(0), Qt::Checked);
        QVERIFY(window->Image1->HasPicture());

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

        v->setFocus();
        QTest::keyClick(v, Qt::Key_Down);
        QCOMPARE(Preview::SelectedItem(v), next);
        QVERIFY(Near(Shown(), kBlue));
        QTest::keyClick(v, Qt::Key_Up);
        QVERIFY(Near(Shown(), kRed));
        QCOMPARE(item->checkState(0), Qt::Unchecked);
        QCOMPARE(next->checkState(0), Qt::Unchecked);
        QCOMPARE(window->Frame2->title(), QStringLiteral("Rx Image of Rx# 123-01"));

        ClickItem(item); // the next click on the row ticks it again
        QCOMPARE(item->checkState(0), Qt::Checked);
    }

    // Whatever moves the viewing list's selection (keys, a drag) shows that row,
    // and the enlarged window then names and shows that same row.
    void selectionMovesShowOneRow_data() {
        QTest::addColumn<QString>("how");
        for (const char* how : {"Down", "Up", "End", "Home", "PgDown", "drag"})
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
        if (how == "drag") {
            const QPoint from = v->visualRect(m->index(RowOf("00123-02"), 1)).center();
            const QPoint to = v->visualRect(m->index(RowOf("125-01"), 1)).center();
            QTest::mousePress(v->viewport(), Qt::LeftButton, {}, from);
            QMouseEvent move(QEvent::MouseMove, to, v->viewport()->mapToGlobal(to), Qt::NoButton,
                             Qt::LeftButton, {});
            QApplication::sendEvent(v->viewport(), &move);
            QTest::mouseRelease(v->viewport(), Qt::LeftButton, {}, to);
        } else {
            QTest::keyClick(v, QKeySequence(how)[0].key());
        }
        const int now = Preview::SelectedRow(v);
        QVERIFY(now >= 0 && now != before);
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
        // The printed caption describes the same row.
        const CopyDetails& d = frmShowPic::Current()->Details();
        QCOMPARE(d.rxNbr + '-' + d.refNo, m->RowText(now));
        QCOMPARE(d.fillDate, m->index(now, 1).data().toString());
        QCOMPARE(d.drug, m->Row(now).Drug);
        QCOMPARE(d.patient, m->Row(now).FirstName + ' ' + m->Row(now).LastName);
        QVERIFY(d.station.startsWith(SharedContext().ScannerID + " - "));
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
        // Opening and printing are recorded for the prescription shown.
        const auto lastAudit = [] {
            const QList<AuditRow> rows =
                AuditTrail::Read(SharedContext().DbConnection->Connection(), {}, {}, "123");
            return rows.isEmpty() ? AuditRow() : rows.constLast();
        };
        QCOMPARE(lastAudit().action + " " + lastAudit().refNo, QStringLiteral("enlarge 01"));
        QTemporaryDir pdf;
        frmShowPic::SetPrinterFactory([&] {
            auto printer = std::make_unique<QPrinter>();
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(pdf.filePath("page.pdf"));
            return printer;
        });
        {
            ScriptedMessageBoxes boxes;
            f->findChild<QPushButton*>("Command1")->click();
        }
        frmShowPic::SetPrinterFactory(nullptr);
        QCOMPARE(lastAudit().action, QStringLiteral("print"));
        QCOMPARE(lastAudit().outcome, QStringLiteral("done"));
        QCOMPARE(lastAudit().detail, "printer " + pdf.filePath("page.pdf") + ", 1 copies");
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

QTEST_MAIN(TestViewPreview)
#include "tst_viewpreview.moc"
