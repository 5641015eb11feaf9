#pragma once

#include "gui/view/ViewWidgets.h"
#include "records/SearchResultModel.h"

#include <QObject>
#include <QTimer>

namespace quiller {

class Preview;

// The search of stored prescriptions into ListView2 (viewing mode): the criterion in
// Combo2, the search text in Text1 or the fill-date range of the two pickers.
class SearchList : public QObject {
    Q_OBJECT
public:
    // Sets ListView2's model and hooks Combo2 (activated), Text1 (Enter) and both
    // pickers (dateChanged; a hidden picker's change does not search).
    SearchList(const ViewWidgets& widgets, ViewContext& context, Preview* preview,
               QObject* parent = nullptr);
    ~SearchList() override;

    SearchResultModel* Model() const { return model_; }

public slots:
    // Runs one search with the current criterion and inputs and refills ListView2.
    void FillSearchList();
    // The criterion was chosen.
    void Combo2_Click();
    // A character typed in Text1; 13 (Enter) searches when the text is not empty.
    void Text1_KeyPress(int keyAscii);
    // A shown picker's date changed; searches when the first date is not after the last.
    void DTPicker1_Change(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString Criterion() const;
    void Fill();
    // The accesses a search recorded are written once its rows have been painted (or
    // soon, when the list is not painted).
    void WriteAccessesOnceShown();
    void WriteHeldAccesses();

    ViewWidgets w_;
    ViewContext& context_;
    Preview* preview_;
    SearchResultModel* model_;
    StationContext& app_;
    bool writeAfterPaint_ = false;
    QTimer writeAnyway_;
};

} // namespace quiller
