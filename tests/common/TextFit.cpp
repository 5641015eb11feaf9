#include "common/TextFit.h"

#include <QtWidgets>

namespace quiller::test {

namespace {

QString Shown(QString text) {
    // A lone '&' marks the mnemonic and is not drawn; "&&" is one ampersand.
    text.replace(QLatin1String("&&"), QString(QChar(0xFFFF)));
    text.remove(QLatin1Char('&'));
    text.replace(QChar(0xFFFF), QLatin1Char('&'));
    return text;
}

// Empty when `needed` pixels fit in `has`.
QString Needs(int needed, int has) {
    return needed > has ? QString::asprintf("needs %d, has %d", needed, has) : QString();
}

int Advance(const QWidget* w, const QString& text) {
    return w->fontMetrics().horizontalAdvance(Shown(text));
}

// Whether the widget lies whole inside each widget it is in, up to the window or the
// viewport of a scrolling area (which shows the rest by scrolling).
bool InsideParents(const QWidget* w, const QWidget* window) {
    QRect rect = w->rect();
    for (const QWidget* child = w; child != window && child->parentWidget();
         child = child->parentWidget()) {
        const QWidget* parent = child->parentWidget();
        auto* area = qobject_cast<const QAbstractScrollArea*>(parent->parentWidget());
        if (area && area->viewport() == parent)
            return true;
        rect.translate(child->pos());
        if (!parent->rect().contains(rect))
            return false;
    }
    return true;
}

QString LabelProblem(const QLabel* label) {
    if (label->text().isEmpty() || !label->pixmap().isNull())
        return {};
    QString text = label->text();
    if (Qt::mightBeRichText(text) && label->textFormat() != Qt::PlainText)
        text = QTextDocumentFragment::fromHtml(text).toPlainText();
    if (label->buddy())
        text = Shown(text);
    const int margin = label->margin();
    QRect area = label->contentsRect().adjusted(margin, margin, -margin, -margin);
    const int indent = label->indent() > 0 ? label->indent() : 0;
    area.adjust(indent, 0, 0, 0);
    const QRect needed = label->fontMetrics().boundingRect(
        QRect(area.topLeft(), QSize(area.width(), 100000)),
        int(label->alignment() & Qt::AlignHorizontal_Mask) | Qt::AlignTop |
            (label->wordWrap() ? Qt::TextWordWrap : 0),
        text);
    if (needed.width() > area.width() || needed.height() > area.height())
        return QString::asprintf("needs %dx%d, has %dx%d", needed.width(), needed.height(),
                                 area.width(), area.height());
    return {};
}

QString ButtonProblem(const QPushButton* button) {
    if (button->text().isEmpty())
        return {};
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    option.icon = button->icon();
    option.iconSize = button->iconSize();
    if (button->isDefault())
        option.features |= QStyleOptionButton::DefaultButton;
    if (button->autoDefault())
        option.features |= QStyleOptionButton::AutoDefaultButton;
    QRect area = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    if (!button->icon().isNull())
        area.setWidth(area.width() - button->iconSize().width() - 4);
    if (button->fontMetrics().height() > area.height())
        return QStringLiteral("too low for its text");
    return Needs(Advance(button, button->text()), area.width());
}

QString GroupBoxProblem(const QGroupBox* box) {
    if (box->title().isEmpty())
        return {};
    QStyleOptionGroupBox option;
    option.initFrom(box);
    option.text = box->title();
    option.textAlignment = box->alignment();
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    option.lineWidth = 1;
    const QRect label =
        box->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box);
    if (label.left() < 0 || label.right() >= box->width() ||
        label.width() < Advance(box, box->title()))
        return QString::asprintf("title %d..%d in %d", label.left(), label.right(), box->width());
    return {};
}

QString LineEditProblem(const QLineEdit* box) {
    if (box->text().isEmpty() || box->echoMode() != QLineEdit::Normal)
        return {};
    QStyleOptionFrame option;
    option.initFrom(box);
    option.lineWidth =
        box->hasFrame() ? box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box) : 0;
    const QRect contents = box->style()->subElementRect(QStyle::SE_LineEditContents, &option, box);
    const QMargins margins = box->textMargins();
    const int width = contents.width() - margins.left() - margins.right() - 2 * 2;
    return Needs(box->fontMetrics().horizontalAdvance(box->text()), width);
}

QString ComboProblem(const QComboBox* combo) {
    if (combo->isEditable() || combo->currentText().isEmpty())
        return {}; // an editable box shows its text in its line edit, checked as one
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.editable = false;
    option.frame = combo->hasFrame();
    option.currentText = combo->currentText();
    const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                       QStyle::SC_ComboBoxEditField, combo);
    return Needs(combo->fontMetrics().horizontalAdvance(combo->currentText()), field.width());
}

QStringList HeaderProblems(const QHeaderView* header) {
    QStringList problems;
    const QAbstractItemModel* model = header->model();
    if (!model)
        return problems;
    for (int i = 0; i < header->count(); ++i) {
        if (header->isSectionHidden(i))
            continue;
        const QString text = model->headerData(i, header->orientation()).toString();
        QStyleOptionHeader option;
        option.initFrom(header);
        option.section = i;
        option.text = text;
        option.orientation = header->orientation();
        // The part of the column in view: a column pushed out of a list that cannot scroll
        // sideways shows its heading cut off.
        const int start = header->sectionViewportPosition(i);
        int end = start + header->sectionSize(i);
        auto* list = qobject_cast<const QAbstractScrollArea*>(header->parentWidget());
        if (!list || !list->horizontalScrollBar()->isVisible())
            end = std::min(end, header->viewport()->width());
        option.rect = QRect(0, 0, std::max(0, end - std::max(0, start)), header->height());
        if (header->isSortIndicatorShown() && header->sortIndicatorSection() == i)
            option.sortIndicator = QStyleOptionHeader::SortDown;
        const QRect label =
            header->style()->subElementRect(QStyle::SE_HeaderLabel, &option, header);
        const QString fit = Needs(header->fontMetrics().horizontalAdvance(text), label.width());
        if (!fit.isEmpty())
            problems << QStringLiteral("column \"%1\" %2").arg(text, fit);
    }
    return problems;
}

// The values of the rows on screen, each against the text area its cell is drawn in.
QStringList CellProblems(const QAbstractItemView* view) {
    QStringList problems;
    const QAbstractItemModel* model = view->model();
    if (!model)
        return problems;
    const int bottom = view->viewport()->height();
    for (int row = 0; row < model->rowCount(); ++row) {
        for (int column = 0; column < model->columnCount(); ++column) {
            const QModelIndex index = model->index(row, column);
            const QRect cell = view->visualRect(index);
            const QString text = index.data().toString();
            if (cell.isEmpty() || cell.top() >= bottom || text.isEmpty())
                continue;
            QStyleOptionViewItem option;
            option.initFrom(view);
            option.rect = cell;
            option.text = text;
            option.features = QStyleOptionViewItem::HasDisplay;
            if (index.data(Qt::CheckStateRole).isValid())
                option.features |= QStyleOptionViewItem::HasCheckIndicator;
            if (!index.data(Qt::DecorationRole).isNull())
                option.features |= QStyleOptionViewItem::HasDecoration;
            QStyle* style = view->style();
            const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
            const QRect area = style->subElementRect(QStyle::SE_ItemViewItemText, &option, view);
            const QString fit = Needs(view->fontMetrics().horizontalAdvance(text.trimmed()),
                                      area.width() - 2 * margin);
            if (!fit.isEmpty())
                problems << QStringLiteral("cell \"%1\" %2").arg(text, fit);
        }
        if (view->visualRect(model->index(row, 0)).top() >= bottom)
            break;
    }
    return problems;
}

QString Longer(const QString& text) {
    QString out;
    qsizetype i = 0;
    while (i < text.size()) {
        if (!text[i].isLetter()) {
            out += text[i++];
            continue;
        }
        const qsizetype start = i;
        while (i < text.size() && text[i].isLetter())
            ++i;
        const QString word = text.mid(start, i - start);
        out += word + word.left((word.size() * 4 + 9) / 10).toLower();
    }
    return out;
}

} // namespace

QStringList ClippedTexts(QWidget* window) {
    QStringList clipped;
    QList<QWidget*> widgets = window->findChildren<QWidget*>();
    widgets.prepend(window);
    for (QWidget* w : widgets) {
        if (w != window && (!w->isVisibleTo(window) || w->window() != window))
            continue;
        QStringList problems;
        QString text;
        if (auto* label = qobject_cast<QLabel*>(w)) {
            text = label->text();
            problems << LabelProblem(label);
        } else if (auto* button = qobject_cast<QPushButton*>(w)) {
            text = button->text();
            problems << ButtonProblem(button);
        } else if (auto* box = qobject_cast<QGroupBox*>(w)) {
            text = box->title();
            problems << GroupBoxProblem(box);
        } else if (auto* field = qobject_cast<QLineEdit*>(w)) {
            text = field->text();
            problems << LineEditProblem(field);
        } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
            text = combo->currentText();
            problems << ComboProblem(combo);
        } else if (auto* header = qobject_cast<QHeaderView*>(w)) {
            problems << HeaderProblems(header);
        } else if (auto* view = qobject_cast<QAbstractItemView*>(w)) {
            problems << CellProblems(view);
        } else {
            continue;
        }
        problems.removeAll(QString());
        if (w != window && !InsideParents(w, window))
            problems << QStringLiteral("cut off by the widget it lies in");
        for (const QString& problem : problems)
            clipped << QStringLiteral("%1 \"%2\": %3").arg(w->objectName(), text, problem);
    }
    return clipped;
}

void LengthenTexts(QWidget* window) {
    QList<QWidget*> widgets = window->findChildren<QWidget*>();
    widgets.prepend(window);
    for (QWidget* w : widgets) {
        if (auto* label = qobject_cast<QLabel*>(w)) {
            if (!label->text().isEmpty() && label->pixmap().isNull())
                label->setText(Longer(label->text()));
        } else if (auto* button = qobject_cast<QPushButton*>(w)) {
            button->setText(Longer(button->text()));
        } else if (auto* box = qobject_cast<QGroupBox*>(w)) {
            box->setTitle(Longer(box->title()));
        } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
            for (int i = 0; i < combo->count(); ++i)
                combo->setItemText(i, Longer(combo->itemText(i)));
        } else if (auto* tree = qobject_cast<QTreeWidget*>(w)) {
            QTreeWidgetItem* heading = tree->headerItem();
            for (int i = 0; i < heading->columnCount(); ++i)
                heading->setText(i, Longer(heading->text(i)));
        }
    }
}

} // namespace quiller::test
