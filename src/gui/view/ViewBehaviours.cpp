#include "gui/view/ViewBehaviours.h"

namespace quiller {

ViewBehaviours::ViewBehaviours(const ViewWidgets& widgets, StationContext& app,
                               ScannerControl* scanner, QObject* parent)
    : QObject(parent), context_(app, scanner), preview_(new Preview(widgets, context_, this)),
      search_(new SearchList(widgets, context_, preview_, this)),
      enlarged_(new EnlargedView(widgets, context_, this)),
      deletion_(new Deletion(widgets, context_, search_->Model(), this)) {
    preview_->FollowSelection();
}

} // namespace quiller
