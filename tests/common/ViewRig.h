#pragma once

// The scan window in viewing mode over the fixture database (three stored pictures: red,
// green, blue), with the view behaviours on its own controls, and the helpers the view
// tests drive it with. A test class derives from it and calls SetUp()/TearDown() from
// init()/cleanup().
#include "common/ScriptedScanner.h"
#include "common/TestEnv.h"
#include "common/ViewFixture.h"
#include "gui/common/PictureBox.h"
#include "gui/scan/frmScan.h"
#include "gui/view/ShowPic.h"
#include "gui/view/ViewBehaviours.h"
#include "station/StationCore.h"

#include <QtTest>
#include <QtWidgets>

namespace quiller::test {

// The fixture pictures' colours, and a shown colour near one of them (JPEG shifts it).
inline const QColor kRed(220, 20, 20);
inline const QColor kGreen(20, 200, 20);
inline const QColor kBlue(20, 20, 220);

inline bool Near(const QColor& a, const QColor& b) {
    return std::abs(a.red() - b.red()) < 40 && std::abs(a.green() - b.green()) < 40 &&
           std::abs(a.blue() - b.blue()) < 40;
}

class ViewRig {
public:
    std::unique_ptr<TestEnv> env;
    std::unique_ptr<StationCore> core;
    std::unique_ptr<frmScan> window;
    std::unique_ptr<ScriptedScanner> scanner;
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

    void SetUp() {
        env = std::make_unique<TestEnv>();
        SharedContext().dataPath = env->imageFolder();
        SharedContext().MainWindow = &status;
        status.SetStatusText(QStringLiteral("Idle"));
        OpenFixtureDatabase();
        WritePicture(SharedContext().ImagePath("123_01.jpg"), kRed);
        WritePicture(SharedContext().ImagePath("00123_02.jpg"), kGreen);
        WritePicture(SharedContext().ImagePath("125_01.jpg"), kBlue);
        // The window without behaviours (no scanner start-up, no polling), in viewing mode.
        core = std::make_unique<StationCore>(SharedContext());
        window = std::make_unique<frmScan>(SharedContext(), *core);
        QVERIFY(window->Form_Load());
        window->Timer1->stop();
        scanner = std::make_unique<ScriptedScanner>();
        view = std::make_unique<ViewBehaviours>(window->ViewControls(), SharedContext(),
                                                scanner.get());
        window->SetListView2Columns();
        window->fraSearch->show();
        window->fraList->show();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    void TearDown() {
        delete frmShowPic::Current();
        view.reset();
        window.reset();
        scanner.reset();
        SharedContext().MainWindow = nullptr;
        SharedContext().DbConnection.reset();
        env.reset();
    }
};

} // namespace quiller::test
