#include "pagecontrol.h"

#include "dispatch.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QWheelEvent>

TPageControl::TPageControl(QWidget *parent) : QTabWidget(parent)
{
    setTabBar(new TPageTabBar(this));
}

int TPageControl::nextEnabledIndex(int step, bool wrap) const
{
    const int n = count();
    const int current = currentIndex();
    if (n == 0 || step == 0)
        return -1;
    for (int k = 1; k < n; ++k) {
        int i = current + step * k;
        if (!wrap && (i < 0 || i >= n))
            return -1;
        i = ((i % n) + n) % n;
        if (isTabEnabled(i))
            return i;
    }
    return -1;
}

bool TPageControl::userSelect(int index)
{
    if (index < 0 || index >= count() || index == currentIndex() || !isTabEnabled(index))
        return false;

    // The exit handler of the field being edited runs before the page is collected.
    if (!leaveFocusedField())
        return false;
    if (m_changing && !m_changing())
        return false;
    setCurrentIndex(index);
    if (m_change)
        m_change();
    return true;
}

bool TPageControl::leaveFocusedField()
{
    // A field that refused its exit and is still to get the focus back has not been left:
    // a button that took the focus on its press finds the refusal standing.
    if (focusReturnPending())
        return false;
    QWidget *shown = currentWidget();
    QWidget *focus = window()->focusWidget(); // this window's, whether it is the active one or not
    if (!shown || !focus || !shown->isAncestorOf(focus))
        return true;
    const int failures = guardedFailureCount();
    moveFocus(tabBar());
    // An exit handler that took the user to another page has ended what asked for the leave.
    return guardedFailureCount() == failures && currentWidget() == shown;
}

void TPageControl::keyPressEvent(QKeyEvent *event)
{
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    int step = 0;
    if (ctrl && (event->key() == Qt::Key_Tab || event->key() == Qt::Key_PageDown))
        step = event->modifiers() & Qt::ShiftModifier ? -1 : 1;
    else if (ctrl && (event->key() == Qt::Key_Backtab || event->key() == Qt::Key_PageUp))
        step = -1;
    if (step == 0) {
        QTabWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    const int target = nextEnabledIndex(step, true);
    if (target >= 0)
        userSelect(target);
}

TPageTabBar::TPageTabBar(TPageControl *control) : QTabBar(control), m_control(control)
{
    setUsesScrollButtons(false);
    setElideMode(Qt::ElideNone);
    setExpanding(false);
    setDrawBase(false);
    setMouseTracking(true);
    connect(this, &QTabBar::currentChanged, this, [this] { update(); });
}

int TPageTabBar::availableWidth() const
{
    int w = m_control ? m_control->width() : width();
    // Before the notebook was first laid out its width is a placeholder; the rows are
    // then counted for the width of the window, or the window would be grown to fit
    // the many rows of a narrow bar when it is shown.
    if (m_control && !m_control->testAttribute(Qt::WA_WState_Visible) && window() != m_control)
        w = window()->width() - 2 * m_control->x() - 16;
    return qMax(w, 1);
}

int TPageTabBar::rowHeight() const
{
    int h = 0;
    for (int i = 0; i < count(); ++i)
        h = qMax(h, QTabBar::tabSizeHint(i).height());
    return h;
}

TPageTabBar::Layout TPageTabBar::layoutFor(int width) const
{
    Layout out;
    const int n = count();
    out.rects.resize(n);
    out.rowOf.resize(n);
    if (n == 0)
        return out;
    QList<int> widths(n);
    for (int i = 0; i < n; ++i)
        widths[i] = QTabBar::tabSizeHint(i).width();

    // Fill rows left to right.
    QList<QList<int>> rows;
    QList<int> current;
    int used = 0;
    for (int i = 0; i < n; ++i) {
        if (!current.isEmpty() && used + widths[i] > width) {
            rows << current;
            current.clear();
            used = 0;
        }
        current << i;
        used += widths[i];
    }
    rows << current;

    // The row of the current tab sits next to the page, at the bottom.
    const int cur = currentIndex();
    for (int r = 0; r < rows.size(); ++r) {
        if (rows[r].contains(cur) && r != rows.size() - 1) {
            rows.append(rows.takeAt(r));
            break;
        }
    }

    const int h = rowHeight();
    for (int r = 0; r < rows.size(); ++r) {
        int sum = 0;
        for (int i : rows[r])
            sum += widths[i];
        const int extra = rows.size() > 1 ? qMax(0, width - sum) : 0;
        int x = 0;
        int given = 0;
        for (int k = 0; k < rows[r].size(); ++k) {
            const int i = rows[r][k];
            int add = sum > 0 ? extra * widths[i] / sum : 0;
            if (k == rows[r].size() - 1)
                add = extra - given;
            given += add;
            out.rects[i] = QRect(x, r * h, widths[i] + add, h);
            out.rowOf[i] = r;
            x += widths[i] + add;
        }
    }
    out.rows = rows;
    return out;
}

int TPageTabBar::rowCount() const
{
    return int(layoutFor(availableWidth()).rows.size());
}

QRect TPageTabBar::pageTabRect(int index) const
{
    if (index < 0 || index >= count())
        return QRect();
    return layoutFor(width() > 1 ? width() : availableWidth()).rects[index];
}

int TPageTabBar::pageTabAt(const QPoint &pos) const
{
    const Layout l = layoutFor(width() > 1 ? width() : availableWidth());
    for (int i = 0; i < l.rects.size(); ++i)
        if (l.rects[i].contains(pos))
            return i;
    return -1;
}

QSize TPageTabBar::sizeHint() const
{
    const int w = availableWidth();
    return QSize(w, int(layoutFor(w).rows.size()) * rowHeight());
}

QSize TPageTabBar::minimumSizeHint() const
{
    int widest = 0;
    for (int i = 0; i < count(); ++i)
        widest = qMax(widest, QTabBar::tabSizeHint(i).width());
    return QSize(widest, sizeHint().height());
}

void TPageTabBar::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const Layout l = layoutFor(width());
    const int cur = currentIndex();
    auto drawTab = [&](int i) {
        QStyleOptionTab opt;
        initStyleOption(&opt, i);
        opt.rect = l.rects[i];
        const QList<int> &row = l.rows[l.rowOf[i]];
        const int k = int(row.indexOf(i));
        if (row.size() == 1)
            opt.position = QStyleOptionTab::OnlyOneTab;
        else if (k == 0)
            opt.position = QStyleOptionTab::Beginning;
        else if (k == row.size() - 1)
            opt.position = QStyleOptionTab::End;
        else
            opt.position = QStyleOptionTab::Middle;
        opt.selectedPosition = QStyleOptionTab::NotAdjacent;
        if (k > 0 && row[k - 1] == cur)
            opt.selectedPosition = QStyleOptionTab::PreviousIsSelected;
        else if (k + 1 < row.size() && row[k + 1] == cur)
            opt.selectedPosition = QStyleOptionTab::NextIsSelected;
        if (i == m_hover && isEnabled() && isTabEnabled(i))
            opt.state |= QStyle::State_MouseOver;
        else
            opt.state &= ~QStyle::State_MouseOver;
        style()->drawControl(QStyle::CE_TabBarTab, &opt, &p, this);
        if (i == cur && hasFocus()) {
            QStyleOptionFocusRect focus;
            focus.initFrom(this);
            focus.rect = opt.rect.adjusted(3, 3, -3, -3);
            style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &p, this);
        }
    };
    for (int i = 0; i < count(); ++i)
        if (i != cur)
            drawTab(i);
    if (cur >= 0)
        drawTab(cur);
}

void TPageTabBar::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() != Qt::LeftButton)
        return;
    const int index = pageTabAt(event->position().toPoint());
    if (index >= 0 && index != currentIndex())
        m_control->userSelect(index);
}

void TPageTabBar::mouseMoveEvent(QMouseEvent *event)
{
    const int index = pageTabAt(event->position().toPoint());
    if (index != m_hover) {
        m_hover = index;
        update();
    }
    event->accept();
}

void TPageTabBar::leaveEvent(QEvent *event)
{
    m_hover = -1;
    update();
    QTabBar::leaveEvent(event);
}

void TPageTabBar::keyPressEvent(QKeyEvent *event)
{
    if (event->key() != Qt::Key_Left && event->key() != Qt::Key_Right) {
        QTabBar::keyPressEvent(event);
        return;
    }
    event->accept();
    const bool back = event->key() == (isRightToLeft() ? Qt::Key_Right : Qt::Key_Left);
    const int target = m_control->nextEnabledIndex(back ? -1 : 1, false);
    if (target >= 0)
        m_control->userSelect(target);
}

void TPageTabBar::wheelEvent(QWheelEvent *event)
{
    if (!style()->styleHint(QStyle::SH_TabBar_AllowWheelScrolling, nullptr, this)) {
        QTabBar::wheelEvent(event);
        return;
    }
    const QPoint delta = event->angleDelta();
    const int d = qAbs(delta.x()) > qAbs(delta.y()) ? delta.x() : delta.y();
    event->accept();
    if (d == 0)
        return;
    const int target = m_control->nextEnabledIndex(d > 0 ? -1 : 1, false);
    if (target >= 0)
        m_control->userSelect(target);
}
