#include "gui/common/FieldWidth.h"

#include <QAbstractItemModel>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionFrame>

namespace quiller {

namespace {

// QLineEdit keeps this margin on each side of its text, inside its text margins.
constexpr int kLineEditTextMargin = 2;

} // namespace

int TextFieldWidth(const QLineEdit* box, const QString& text) {
    const QMargins margins = box->textMargins();
    // One pixel more for the cursor after the last character.
    const int inner = box->fontMetrics().horizontalAdvance(text) + 2 * kLineEditTextMargin +
                      margins.left() + margins.right() + 1;
    QStyleOptionFrame option;
    option.initFrom(box);
    option.lineWidth =
        box->hasFrame() ? box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box) : 0;
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken;
    const QSize size = box->style()->sizeFromContents(
        QStyle::CT_LineEdit, &option, QSize(inner, box->fontMetrics().height()), box);
    return size.width();
}

int MaxFieldWidth(const QLineEdit* box) {
    const QScreen* screen = box->screen() ? box->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry().width() * 3 / 4 : 800;
}

void WidenWithEntries(QComboBox* combo) {
    auto fit = [combo] {
        const QScreen* screen =
            combo->screen() ? combo->screen() : QGuiApplication::primaryScreen();
        const int most = screen ? screen->availableGeometry().width() / 2 : 800;
        combo->setMinimumWidth(std::min(combo->sizeHint().width(), most));
    };
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    QAbstractItemModel* model = combo->model();
    QObject::connect(model, &QAbstractItemModel::rowsInserted, combo, fit);
    QObject::connect(model, &QAbstractItemModel::rowsRemoved, combo, fit);
    QObject::connect(model, &QAbstractItemModel::dataChanged, combo, fit);
    QObject::connect(model, &QAbstractItemModel::modelReset, combo, fit);
    fit();
}

} // namespace quiller
