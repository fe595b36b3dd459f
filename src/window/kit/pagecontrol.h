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

    // Takes the focus off the field of the shown page that has it, so that the field's
    // exit handler runs now, as when the user leaves it (its clamp, its question, its
    // refusal). False when that exit failed or took the user to another page: whatever
    // asked for the leave then stops. The focus stays on the tab bar, or goes back to a
    // field that refused; the exit does not run again until the field is entered anew.
    bool leaveFocusedField();

    // The enabled tab step tabs away from the current one (wrap: around the ends); -1: none.
    int nextEnabledIndex(int step, bool wrap) const;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    std::function<bool()> m_changing;
    std::function<void()> m_change;
};

// The tab bar of the notebook. The tabs wrap onto as many rows as the width needs, each
// row stretched to the full width, the row of the current tab next to the page (as
// multi-line tab controls do), so that every caption is shown whole.
class TPageTabBar : public QTabBar
{
    Q_OBJECT
public:
    explicit TPageTabBar(TPageControl *control);

    // Where tab index is drawn (and answers clicks); empty for an invalid index.
    QRect pageTabRect(int index) const;
    // The tab at pos, -1 for none.
    int pageTabAt(const QPoint &pos) const;
    int rowCount() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    struct Layout
    {
        QList<QRect> rects;
        QList<int> rowOf;
        QList<QList<int>> rows; // tab indices per row, top to bottom
    };
    Layout layoutFor(int width) const;
    int availableWidth() const;
    int rowHeight() const;

    TPageControl *m_control;
    int m_hover = -1;
};
