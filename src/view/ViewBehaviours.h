#pragma once

#include "view/Deletion.h"
#include "view/Preview.h"
#include "view/SearchList.h"
#include "view/ShowPic.h"
#include "view/ViewWidgets.h"

#include <QObject>

namespace quiller {

// Everything the scan window does in viewing and previewing, wired to its widgets in
// one step: the search (SearchList), the list reactions and preview (Preview), the
// enlarged image window (EnlargedView) and deletion (Deletion).
class ViewBehaviours : public QObject {
    Q_OBJECT
public:
    ViewBehaviours(const ViewWidgets& widgets, AppState& app, ScannerControl* scanner,
                   QObject* parent = nullptr);

    ViewContext& Context() { return context_; }
    Preview* preview() const { return preview_; }
    SearchList* search() const { return search_; }
    EnlargedView* enlarged() const { return enlarged_; }
    Deletion* deletion() const { return deletion_; }

private:
    ViewContext context_;
    Preview* preview_;
    SearchList* search_;
    EnlargedView* enlarged_;
    Deletion* deletion_;
};

} // namespace quiller
