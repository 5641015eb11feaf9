#include "gui/common/ColumnFit.h"

#include "gui/common/Twips.h"

#include <QAbstractItemModel>
#include <QEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QPointer>
#include <QScrollBar>
#include <QTimer>
#include <QTreeView>
#include <algorithm>
#include <vector>

namespace quiller {

namespace {

// Keeps a list's columns at their designed widths, narrowed together where the list is
// narrower, never below what a heading or a value shown needs; the list is at least as
// wide as its headings, and longer values make it scroll sideways rather than be cut.
// Values are measured in the rows on screen only (a search may give a million rows), and
// again as rows come and the list scrolls; a column never narrows for a value scrolled
// away. Once the operator sizes a column, the widths are theirs.
class ColumnFit : public QObject {
public:
    explicit ColumnFit(QTreeView* list) : QObject(list), list_(list) {
        setObjectName(QStringLiteral("columnFit"));
        list->viewport()->installEventFilter(this);
        list->header()->setResizeContentsPrecision(0); // the rows on screen
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        // A column dragged with the mouse; the last column's own stretching is not.
        connect(list->header(), &QHeaderView::sectionResized, this, [this] {
            if (!fitting_ && QGuiApplication::mouseButtons() != Qt::NoButton)
                operatorSized_ = true;
        });
        connect(list->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { Later(); });
    }
    void Fit() {
        QHeaderView* header = list_->header();
        const int widths[] = {1200, 1200, 2000, 2440, 1100};
        const int n = std::min(5, header->count());
        int designed = 0, headings = 0;
        values_.resize(size_t(n), 0);
        const QAbstractItemView* values = list_; // the tree's measure is protected
        std::vector<int> need(size_t(n), 0);
        for (int i = 0; i < n; ++i) {
            designed += Twips(widths[i], list_);
            headings += header->sectionSizeHint(i);
            values_[size_t(i)] = std::max(values_[size_t(i)], values->sizeHintForColumn(i));
            need[size_t(i)] = std::max(header->sectionSizeHint(i), values_[size_t(i)]);
        }
        list_->setMinimumWidth(headings + 2 * list_->frameWidth() +
                               list_->verticalScrollBar()->sizeHint().width());
        if (operatorSized_ || designed == 0)
            return;
        const int room = list_->viewport()->width();
        // Columns whose share of the room is less than they need get what they need; the
        // others share the rest in their designed proportions.
        std::vector<int> size(size_t(n), 0);
        std::vector<bool> atNeed(size_t(n), false);
        for (bool changed = true; changed;) {
            changed = false;
            int rest = room, restDesigned = 0;
            for (int i = 0; i < n; ++i) {
                if (atNeed[size_t(i)])
                    rest -= need[size_t(i)];
                else
                    restDesigned += Twips(widths[i], list_);
            }
            for (int i = 0; i < n; ++i) {
                if (atNeed[size_t(i)]) {
                    size[size_t(i)] = need[size_t(i)];
                    continue;
                }
                const int width = Twips(widths[i], list_);
                size[size_t(i)] = designed > room && restDesigned > 0
                                      ? width * std::max(0, rest) / restDesigned
                                      : width;
                if (size[size_t(i)] < need[size_t(i)]) {
                    atNeed[size_t(i)] = true;
                    changed = true;
                }
            }
        }
        fitting_ = true;
        for (int i = 0; i < n; ++i)
            header->resizeSection(i, size[size_t(i)]);
        fitting_ = false;
    }
    // Headings that change (another language) fit again, and new or changed rows; a new
    // model too.
    void Watch() {
        QAbstractItemModel* model = list_->model();
        if (!model || model == watched_)
            return;
        watched_ = model;
        values_.clear();
        connect(model, &QAbstractItemModel::headerDataChanged, this, [this] { Fit(); });
        connect(model, &QAbstractItemModel::modelReset, this, [this] {
            values_.clear();
            Later();
        });
        connect(model, &QAbstractItemModel::rowsInserted, this, [this] { Later(); });
        connect(model, &QAbstractItemModel::dataChanged, this, [this] { Later(); });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize)
            Fit();
        return QObject::eventFilter(watched, event);
    }

private:
    // Once the view has laid out what changed, and once for many changes together.
    void Later() {
        if (pending_)
            return;
        pending_ = true;
        QTimer::singleShot(0, this, [this] {
            pending_ = false;
            Fit();
        });
    }

    QTreeView* list_;
    QPointer<QAbstractItemModel> watched_;
    std::vector<int> values_; // the widest value seen in each column
    bool fitting_ = false;
    bool operatorSized_ = false;
    bool pending_ = false;
};

} // namespace

void FitColumns(QTreeView* list) {
    auto* fit = static_cast<ColumnFit*>(
        list->findChild<QObject*>(QStringLiteral("columnFit"), Qt::FindDirectChildrenOnly));
    if (!fit)
        fit = new ColumnFit(list);
    fit->Watch();
    fit->Fit();
}

} // namespace quiller
