#include "gui/view/SearchList.h"

#include "base/Error.h"
#include "gui/common/PictureBox.h"
#include "gui/view/Preview.h"
#include "records/Database.h"
#include "station/PatientRecords.h"
#include "station/StationContext.h"

#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <optional>

namespace quiller {

SearchList::SearchList(const ViewWidgets& widgets, ViewContext& context, Preview* preview,
                       QObject* parent)
    : QObject(parent), w_(widgets), context_(context), preview_(preview),
      model_(new SearchResultModel(this)), app_(context.app()) {
    writeAnyway_.setSingleShot(true);
    writeAnyway_.setInterval(250);
    connect(&writeAnyway_, &QTimer::timeout, this, [this] { WriteHeldAccesses(); });
    if (w_.ListView2) {
        w_.ListView2->viewport()->installEventFilter(this);
        w_.ListView2->setModel(model_);
        w_.ListView2->setSelectionMode(QAbstractItemView::SingleSelection);
        w_.ListView2->setSelectionBehavior(QAbstractItemView::SelectRows);
        w_.ListView2->setRootIsDecorated(false);
        w_.ListView2->setSortingEnabled(false);
        w_.ListView2->setUniformRowHeights(true);
    }
    connect(model_, &SearchResultModel::FetchFailed, this,
            [this](const QString& message) { context_.app().SetStatus(message); });
    if (w_.Combo2)
        connect(w_.Combo2, &QComboBox::activated, this, [this] { Combo2_Click(); });
    if (w_.Text1)
        connect(w_.Text1, &QLineEdit::returnPressed, this, [this] { Text1_KeyPress(13); });
    for (int i = 0; i < 2; ++i)
        if (w_.DTPicker1[i])
            connect(w_.DTPicker1[i], &QDateEdit::dateChanged, this,
                    [this, i] { DTPicker1_Change(i); });
}

SearchList::~SearchList() {
    PatientRecords::WriteHeldAccesses(app_);
}

bool SearchList::eventFilter(QObject* watched, QEvent* event) {
    // The rows are on screen once this paint is done: the entries follow it.
    if (writeAfterPaint_ && event->type() == QEvent::Paint) {
        writeAfterPaint_ = false;
        QMetaObject::invokeMethod(
            this, [this] { WriteHeldAccesses(); }, Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}

void SearchList::WriteHeldAccesses() {
    writeAfterPaint_ = false;
    writeAnyway_.stop();
    PatientRecords::WriteHeldAccesses(app_);
}

void SearchList::WriteAccessesOnceShown() {
    if (app_.heldAccesses.isEmpty())
        return;
    if (!w_.ListView2 || !w_.ListView2->isVisible()) {
        WriteHeldAccesses();
        return;
    }
    writeAfterPaint_ = true;
    writeAnyway_.start();
}

// The criterion in the search box, in English whatever the language shown: a listed item
// gives the one it carries; typed text is matched against the items' shown texts and
// otherwise taken as it stands.
QString SearchList::Criterion() const {
    if (!w_.Combo2)
        return QString();
    const QString shown = w_.Combo2->currentText();
    for (int i = 0; i < w_.Combo2->count(); ++i) {
        const QVariant key = w_.Combo2->itemData(i);
        if (w_.Combo2->itemText(i) == shown && key.isValid())
            return key.toString();
    }
    return shown;
}

void SearchList::FillSearchList() {
    {
        // What the search records (itself, the preview of its first row) waits until
        // its first rows are on screen.
        const PatientRecords::AccessHold hold(app_);
        Fill();
    }
    WriteAccessesOnceShown();
}

void SearchList::Fill() {
    model_->Clear();
    if (preview_)
        preview_->ForgetShown();
    const QString text = w_.Text1 ? w_.Text1->text() : QString();
    std::optional<SearchQuery> query;
    const Database* open = context_.app().DbConnection.get();
    const Engine engine = open ? open->engine() : Engine::Sqlite;
    const SearchField criterion = ParseSearchField(Criterion());
    switch (criterion) {
    case SearchField::RxNumber:
        query = RxNumberQuery(ParseRxNumber(text), engine);
        break;
    case SearchField::Patient:
        query = PatientQuery(ParsePatient(text), engine);
        break;
    case SearchField::Date:
        if (w_.DTPicker1[0] && w_.DTPicker1[1])
            query = DateQuery(w_.DTPicker1[0]->date(), w_.DTPicker1[1]->date(), engine);
        break;
    case SearchField::Drug:
        query = DrugQuery(text, engine);
        break;
    case SearchField::NotScanned:
        query = NotScannedQuery(engine);
        break;
    case SearchField::Unrecognised:
        break;
    }

    if (query) {
        bool failed = false;
        try {
            Database* db = context_.app().DbConnection.get();
            if (!db || !db->IsOpen())
                throw QuillerError(kErrorUnknown, tr("The database is not open."),
                                   QStringLiteral("FillSearchList"));
            model_->Start(*query, db->Connection());
        } catch (const QuillerError& e) {
            // The list keeps the rows read before the failure; the operator reads why
            // in the status line.
            failed = true;
            context_.app().SetStatus(e.description());
        }
        // The audit trail names the criterion only: the typed text may be a patient's name.
        PatientRecords::RecordAccess(
            context_.app(), QStringLiteral("search"), QString(), QString(),
            criterion == SearchField::Unrecognised ? QStringLiteral("(none)") : Criterion(),
            failed ? QStringLiteral("failed") : QStringLiteral("done"));
        if (model_->rowCount() < 1) {
            if (!failed && w_.Image1)
                w_.Image1->Clear();
        } else if (w_.ListView2) {
            const QModelIndex first = model_->index(0, 0);
            w_.ListView2->selectionModel()->setCurrentIndex(
                first, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
            w_.ListView2->scrollToTop();
            if (preview_)
                preview_->ListView2_Click();
        }
    }
    context_.ApplyRotateState(w_.Command2);
}

void SearchList::Combo2_Click() {
    if (w_.Text1)
        w_.Text1->clear();
    const bool byDate = Criterion() == QLatin1String("Date");
    for (int i = 0; i < 2; ++i) {
        if (w_.lblDate[i])
            w_.lblDate[i]->setVisible(byDate);
        if (w_.DTPicker1[i])
            w_.DTPicker1[i]->setVisible(byDate);
    }
    // "Not scanned" needs no text: it lists at once.
    const bool noText = ParseSearchField(Criterion()) == SearchField::NotScanned;
    if (w_.Text1)
        w_.Text1->setVisible(!byDate && !noText);
    if (byDate || noText) {
        FillSearchList();
    } else if (w_.Text1) {
        w_.Text1->setFocus();
    }
}

void SearchList::Text1_KeyPress(int keyAscii) {
    if (keyAscii == 13 && w_.Text1 && !w_.Text1->text().isEmpty())
        FillSearchList();
}

void SearchList::DTPicker1_Change(int index) {
    if (index < 0 || index > 1 || !w_.DTPicker1[0] || !w_.DTPicker1[1])
        return;
    // Only the operator changes a picker, and only a shown one: dates the window sets
    // while the pickers are hidden (at load) do not search.
    if (w_.DTPicker1[index]->isHidden())
        return;
    if (w_.DTPicker1[0]->date() <= w_.DTPicker1[1]->date())
        FillSearchList();
}

} // namespace quiller
