#pragma once

#include "gui/view/ViewWidgets.h"

#include <QObject>

namespace quiller {

class SearchResultModel;

// Deleting a stored prescription: the Delete key (with any modifier) on the selected
// row of ListView2 asks for confirmation, moves the record's row from RxImages to the
// deleted prescriptions and its image to Deleted/ (an administrator can restore both),
// and then takes the row out of the list.
class Deletion : public QObject {
    Q_OBJECT
public:
    // Hooks key presses of ListView2 (may be null).
    Deletion(const ViewWidgets& widgets, ViewContext& context, SearchResultModel* model,
             QObject* parent = nullptr);

public slots:
    void ListView2_KeyDown(int key, Qt::KeyboardModifiers shift = Qt::NoModifier);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ViewWidgets w_;
    ViewContext& context_;
    SearchResultModel* model_;
};

} // namespace quiller
