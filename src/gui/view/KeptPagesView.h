#pragma once

#include "station/KeptPages.h"

#include <QList>
#include <QPointer>
#include <QWidget>

class QPushButton;
class QTreeView;
class QTreeWidget;

namespace quiller {

class PictureBox;
class SearchResultModel;
struct StationContext;

// The "Kept pages" window of viewing mode: the pages in Unmatched/ with why each was
// kept, the label read on it, when and by which station, and a preview of the selected
// one. The operator files the selected page under the prescription selected in the
// viewing list, or sets it aside into Discarded/. The viewing list's row is updated
// when a page is filed under it.
class KeptPagesView : public QWidget {
    Q_OBJECT
public:
    KeptPagesView(StationContext& app, QTreeView* searchList, SearchResultModel* model,
                  QWidget* parent = nullptr);

    // Reads Unmatched/ again and shows it; the first page is selected.
    void Refresh();
    const QList<KeptPage>& Pages() const { return pages_; }

    QTreeWidget* List;
    PictureBox* Preview;
    QPushButton* cmdFile;
    QPushButton* cmdSetAside;
    QPushButton* cmdClose;

public slots:
    void File_Click();
    void SetAside_Click();

private:
    void ShowSelected();
    int SelectedPage() const;

    StationContext& app_;
    QPointer<QTreeView> searchList_;
    QPointer<SearchResultModel> model_;
    QList<KeptPage> pages_;
    QString lastPreviewed_;
};

} // namespace quiller
