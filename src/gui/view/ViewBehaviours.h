#pragma once

#include "gui/view/Deletion.h"
#include "gui/view/KeptPagesView.h"
#include "gui/view/Preview.h"
#include "gui/view/SearchList.h"
#include "gui/view/ShowPic.h"
#include "gui/view/ViewWidgets.h"

#include <QObject>
#include <QPointer>

class QTreeView;
class QWidget;

namespace quiller {

// Everything the scan window does in viewing and previewing, wired to its widgets in
// one step: the search (SearchList), the list reactions and preview (Preview), the
// enlarged image window (EnlargedView), deletion (Deletion) and the kept pages window
// (KeptPagesView, opened by its button).
//
// The window fills a ViewWidgets with its controls and makes one of these after its
// widgets exist (ListView2 gets its model here):
//
//     ViewWidgets w;
//     w.ListView1 = ListView1; w.ListView2 = ListView2; w.Image1 = Image1; ...
//     view_ = new ViewBehaviours(w, App(), scanner, this);
//     view_->Context().SetScanner(scanner);          // when the control changes
//     view_->Context().SetRotateRule(...);           // optional
//     view_->enlarged()->ShowPicForm();              // e.g. from the Print command
//
// Every reaction is also a public slot of its part, named as the handler it is.
class ViewBehaviours : public QObject {
    Q_OBJECT
public:
    ViewBehaviours(const ViewWidgets& widgets, StationContext& app, ScannerControl* scanner,
                   QObject* parent = nullptr);

    ViewContext& Context() { return context_; }
    Preview* preview() const { return preview_; }
    SearchList* search() const { return search_; }
    EnlargedView* enlarged() const { return enlarged_; }
    Deletion* deletion() const { return deletion_; }
    // The kept pages window, made and shown (its list read again) at each opening.
    KeptPagesView* ShowKeptPages();
    KeptPagesView* keptPages() const { return kept_; }

private:
    ViewContext context_;
    Preview* preview_;
    SearchList* search_;
    EnlargedView* enlarged_;
    Deletion* deletion_;
    QPointer<KeptPagesView> kept_;
    QWidget* keptParent_;
    QTreeView* listView2_ = nullptr;
};

} // namespace quiller
