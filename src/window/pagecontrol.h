#pragma once
// The notebook of the main window: a tab widget whose tab bar asks before the user
// switches pages. A switch the user asks for (a tab click, the arrow keys on the tab bar,
// Ctrl+Tab, the wheel over the tabs) first takes the focus off the shown page (its exit
// handlers run), then runs the leave step, which can refuse; only then is the page
// switched and the entry step run. Setting the current page from code runs neither step.

#include <QTabBar>
#include <QTabWidget>

#include <functional>

class TPageControl : public QTabWidget
{
    Q_OBJECT
public:
    explicit TPageControl(QWidget *parent = nullptr);

    // Leave step: false keeps the shown page.
    void setChangingHandler(std::function<bool()> handler) { m_changing = std::move(handler); }
    // Entry step: runs after a switch the user asked for.
    void setChangeHandler(std::function<void()> handler) { m_change = std::move(handler); }

    // A switch to the page at index as the user asks for it; true when it happened.
    bool userSelect(int index);

    // The enabled tab step tabs away from the current one (wrap: around the ends); -1: none.
    int nextEnabledIndex(int step, bool wrap) const;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    std::function<bool()> m_changing;
    std::function<void()> m_change;
};

class TPageTabBar : public QTabBar
{
    Q_OBJECT
public:
    explicit TPageTabBar(TPageControl *control);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    TPageControl *m_control;
};
