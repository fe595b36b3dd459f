#include "taborder.h"

#include <QBoxLayout>
#include <QFormLayout>
#include <QGridLayout>
#include <QLayout>
#include <QList>
#include <QTabBar>
#include <QTabWidget>
#include <QWidget>

#include <algorithm>

namespace {
struct Cell
{
    int row;
    int column;
    QLayoutItem *item;
};

// The widgets a layout and its inner layouts hold, in reading order.
void layoutOrder(QLayout *layout, QList<QWidget *> &out)
{
    QList<Cell> cells;
    const auto *box = qobject_cast<QBoxLayout *>(layout);
    for (int i = 0; i < layout->count(); ++i) {
        int row = i;
        int column = 0;
        if (auto *grid = qobject_cast<QGridLayout *>(layout)) {
            int rowSpan = 0;
            int columnSpan = 0;
            grid->getItemPosition(i, &row, &column, &rowSpan, &columnSpan);
        } else if (auto *form = qobject_cast<QFormLayout *>(layout)) {
            QFormLayout::ItemRole role = QFormLayout::LabelRole;
            form->getItemPosition(i, &row, &role);
            column = role == QFormLayout::FieldRole ? 1 : 0;
        } else if (box) {
            const QBoxLayout::Direction d = box->direction();
            const int at =
                d == QBoxLayout::RightToLeft || d == QBoxLayout::BottomToTop ? layout->count() - 1 - i : i;
            const bool across = d == QBoxLayout::LeftToRight || d == QBoxLayout::RightToLeft;
            row = across ? 0 : at;
            column = across ? at : 0;
        }
        cells.append({row, column, layout->itemAt(i)});
    }
    std::stable_sort(cells.begin(), cells.end(), [](const Cell &a, const Cell &b) {
        return a.row != b.row ? a.row < b.row : a.column < b.column;
    });
    for (const Cell &c : cells) {
        if (QWidget *w = c.item->widget())
            out.append(w);
        else if (QLayout *inner = c.item->layout())
            layoutOrder(inner, out);
    }
}

// Widgets by position: rows of widgets whose tops lie within half a height of the row's
// first, each row left to right.
void positionOrder(QList<QWidget *> widgets, QList<QWidget *> &out)
{
    std::stable_sort(widgets.begin(), widgets.end(),
                     [](const QWidget *a, const QWidget *b) { return a->y() < b->y(); });
    for (qsizetype start = 0; start < widgets.size();) {
        qsizetype end = start + 1;
        const QWidget *first = widgets[start];
        while (end < widgets.size() && widgets[end]->y() < first->y() + first->height() / 2)
            ++end;
        std::stable_sort(widgets.begin() + start, widgets.begin() + end,
                         [](const QWidget *a, const QWidget *b) { return a->x() < b->x(); });
        out.append(widgets.mid(start, end - start));
        start = end;
    }
}

// The direct children of a container in reading order.
QList<QWidget *> childrenInOrder(QWidget *container)
{
    QList<QWidget *> ordered;
    if (auto *tabs = qobject_cast<QTabWidget *>(container)) {
        if (auto *bar = tabs->findChild<QTabBar *>(QString(), Qt::FindDirectChildrenOnly))
            ordered.append(bar);
        for (int i = 0; i < tabs->count(); ++i)
            ordered.append(tabs->widget(i));
        return ordered;
    }
    if (container->layout())
        layoutOrder(container->layout(), ordered);
    QList<QWidget *> loose;
    for (QWidget *w : container->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
        if (!w->isWindow() && !ordered.contains(w))
            loose.append(w);
    positionOrder(loose, ordered);
    return ordered;
}

// A widget that takes the focus is a leaf; any other widget is a container of such
// widgets. (A radio button of a group takes Tab only while it is the chosen one.)
void tabStops(QWidget *container, QList<QWidget *> &out)
{
    for (QWidget *w : childrenInOrder(container)) {
        if (w->isWindow())
            continue;
        if (w->focusPolicy() != Qt::NoFocus && !w->focusProxy())
            out.append(w);
        else
            tabStops(w, out);
    }
}
} // namespace

void setReadingTabOrder(QWidget *root)
{
    QList<QWidget *> stops;
    tabStops(root, stops);
    for (qsizetype i = 1; i < stops.size(); ++i)
        QWidget::setTabOrder(stops[i - 1], stops[i]);
}
