#pragma once

#include "gui/view/ViewWidgets.h"

#include <QObject>

class QTreeWidgetItem;

namespace quiller {

// The reactions of both lists that show the selected prescription's image in the
// preview: clicks (which also set the caption of Frame2, the Rotate button and, in the
// to-be-scanned list, the check box) and the Up and Down arrow keys (which only change
// the picture). A list with rows but no selected row has no image to show. A click on
// a to-be-scanned row's check box only turns the tick.
class Preview : public QObject {
    Q_OBJECT
public:
    // Hooks the clicks and key releases of both lists (either may be null).
    Preview(const ViewWidgets& widgets, ViewContext& context, QObject* parent = nullptr);

    // The selected row of a list, or -1 when none is selected.
    static int SelectedRow(const QTreeView* list);
    static QTreeWidgetItem* SelectedItem(const QTreeWidget* list);
    static QString RowText(const QTreeView* list, int row);
    static QString RowTag(const QTreeView* list, int row);

    // Loads the image named by a row's tag from the image folder into Image1; false
    // (and an empty preview) when no such file exists or it cannot be read. A picture
    // shown is recorded in the audit trail as a preview of entryText's prescription.
    bool LoadRowImage(const QString& tag, const QString& entryText);

    // From now on whatever moves a list's selection (keys, typing, a drag, a deletion,
    // the program) shows the newly selected row, or nothing. Call once the lists have
    // their models.
    void FollowSelection();
    // The preview shows the selected row of the viewing list / the to-be-scanned list.
    void ShowSelectedRow2();
    void ShowSelectedRow1();

    // The next picture shown is recorded as a preview even when it is the last one's
    // (a new search shows it anew).
    void ForgetShown() { lastRecorded_.clear(); }

public slots:
    void ListView1_Click();
    void ListView2_Click();
    void ListView1_KeyUp(int key);
    void ListView2_KeyUp(int key);
    void ListView1_ItemClick(QTreeWidgetItem* item);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString lastRecorded_; // the entry whose preview was recorded last
    // For a list with rows: clears the preview and gives the selected row or item (-1 or
    // null when none is selected). A missing or empty list gives -1 or null, preview kept.
    int ClearForRow2();
    QTreeWidgetItem* ClearForItem1();

    ViewWidgets w_;
    ViewContext& context_;
    // The to-be-scanned row under the last mouse press and its tick then.
    QTreeWidgetItem* pressedItem_ = nullptr;
    Qt::CheckState pressedCheckState_ = Qt::Unchecked;
};

} // namespace quiller
