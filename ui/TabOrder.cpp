#include "ui/TabOrder.h"

#include <QAbstractItemView>
#include <QBoxLayout>
#include <QFormLayout>
#include <QGridLayout>
#include <QLineEdit>
#include <QList>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWidget>

#include <algorithm>

namespace vb::ui {
namespace {

void collect(QLayout* layout, QList<QWidget*>& out);

// A widget that takes the focus is one stop; a container (a frame, a group of buttons)
// is read through its own layout.
void collectWidget(QWidget* w, QList<QWidget*>& out)
{
    if (!w || w->isWindow())
        return;
    if (w->layout() && !(w->focusPolicy() & Qt::TabFocus))
        collect(w->layout(), out);
    else
        out.append(w);
}

void collectItem(QLayoutItem* item, QList<QWidget*>& out)
{
    if (!item)
        return;
    if (QWidget* w = item->widget())
        collectWidget(w, out);
    else if (QLayout* inner = item->layout())
        collect(inner, out);
}

// The items of a layout in reading order: a grid by row, then column; a box in the
// direction the eye follows.
void collect(QLayout* layout, QList<QWidget*>& out)
{
    if (auto* grid = qobject_cast<QGridLayout*>(layout)) {
        struct Cell {
            int row, column, index;
        };
        QList<Cell> cells;
        for (int i = 0; i < grid->count(); ++i) {
            int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
            grid->getItemPosition(i, &row, &column, &rowSpan, &columnSpan);
            cells.append({row, column, i});
        }
        std::stable_sort(cells.begin(), cells.end(), [](const Cell& a, const Cell& b) {
            return a.row != b.row ? a.row < b.row : a.column < b.column;
        });
        for (const Cell& c : cells)
            collectItem(grid->itemAt(c.index), out);
        return;
    }
    if (auto* form = qobject_cast<QFormLayout*>(layout)) {
        for (int row = 0; row < form->rowCount(); ++row) {
            for (auto role : {QFormLayout::LabelRole, QFormLayout::FieldRole, QFormLayout::SpanningRole})
                collectItem(form->itemAt(row, role), out);
        }
        return;
    }
    QList<QLayoutItem*> items;
    for (int i = 0; i < layout->count(); ++i)
        items.append(layout->itemAt(i));
    if (auto* box = qobject_cast<QBoxLayout*>(layout)) {
        if (box->direction() == QBoxLayout::BottomToTop || box->direction() == QBoxLayout::RightToLeft)
            std::reverse(items.begin(), items.end());
    }
    for (QLayoutItem* item : items)
        collectItem(item, out);
}

bool isReadOnly(const QWidget* w)
{
    if (auto* e = qobject_cast<const QLineEdit*>(w))
        return e->isReadOnly();
    if (auto* e = qobject_cast<const QTextEdit*>(w))
        return e->isReadOnly();
    if (auto* e = qobject_cast<const QPlainTextEdit*>(w))
        return e->isReadOnly();
    return false;
}

} // namespace

void setReadingTabOrder(QWidget* window)
{
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (isReadOnly(w) && (w->focusPolicy() & Qt::TabFocus))
            w->setFocusPolicy(Qt::ClickFocus);
        if (auto* view = qobject_cast<QAbstractItemView*>(w))
            view->setTabKeyNavigation(false);
    }
    if (!window->layout())
        return;
    QList<QWidget*> order;
    collect(window->layout(), order);
    QWidget* previous = nullptr;
    QWidget* first = nullptr;
    for (QWidget* w : order) {
        if (!(w->focusPolicy() & Qt::TabFocus))
            continue;
        if (previous)
            QWidget::setTabOrder(previous, w);
        previous = w;
        if (!first && w->isVisibleTo(window) && w->isEnabled())
            first = w;
    }
    if (first && !window->focusWidget())
        first->setFocus(Qt::OtherFocusReason);
}

} // namespace vb::ui
