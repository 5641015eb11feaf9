#include "gui/view/ViewBehaviours.h"

#include "gui/view/KeptPagesView.h"

#include <QPushButton>
#include <QTreeView>

namespace quiller {

ViewBehaviours::ViewBehaviours(const ViewWidgets& widgets, StationContext& app,
                               ScannerControl* scanner, QObject* parent)
    : QObject(parent), context_(app, scanner), preview_(new Preview(widgets, context_, this)),
      search_(new SearchList(widgets, context_, preview_, this)),
      enlarged_(new EnlargedView(widgets, context_, this)),
      deletion_(new Deletion(widgets, context_, search_->Model(), this)),
      keptParent_(widgets.ListView2 ? widgets.ListView2->window() : nullptr) {
    preview_->FollowSelection();
    if (widgets.cmdKept)
        connect(widgets.cmdKept, &QPushButton::clicked, this, [this] { ShowKeptPages(); });
    listView2_ = widgets.ListView2;
}

KeptPagesView* ViewBehaviours::ShowKeptPages() {
    if (!kept_)
        kept_ = new KeptPagesView(context_.app(), listView2_, search_->Model(), keptParent_);
    kept_->Refresh();
    kept_->show();
    kept_->raise();
    return kept_;
}

} // namespace quiller
