#include "pagecontrol.h"

#include "dispatch.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>
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

    // Take the focus off the page first, so that the exit handler of the field being
    // edited runs before the page is collected. A failing exit handler keeps the page.
    QWidget *shown = currentWidget();
    QWidget *focus = QApplication::focusWidget();
    if (shown && focus && shown->isAncestorOf(focus)) {
        const int failures = guardedFailureCount();
        tabBar()->setFocus(Qt::MouseFocusReason);
        if (guardedFailureCount() != failures)
            return false;
    }
    if (m_changing && !m_changing())
        return false;
    setCurrentIndex(index);
    if (m_change)
        m_change();
    return true;
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

TPageTabBar::TPageTabBar(TPageControl *control) : QTabBar(control), m_control(control) {}

void TPageTabBar::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        const int index = tabAt(event->position().toPoint());
        if (index >= 0 && index != currentIndex()) {
            event->accept();
            m_control->userSelect(index);
            return;
        }
    }
    QTabBar::mousePressEvent(event);
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
