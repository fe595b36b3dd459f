#pragma once
// The main window of a page test and what a user does on it: find a control, click a
// page's tab, replace a field's text; and words put into the image. Header only.

#include "controls.h"
#include "globals.h"
#include "mainwindow.h"
#include "messagerecorder.h"
#include "page.h"
#include "pagecontrol.h"
#include "pagekit.h"
#include "windowhelpers.h"

#include <QLineEdit>
#include <QTest>

using WordValues = QList<QPair<int, int>>;
Q_DECLARE_METATYPE(WordValues)

inline void setWords(const WordValues &words)
{
    for (auto [word, value] : words)
        G.ParamImage[word] = quint16(value);
}

class PageTest : public QObject
{
protected:
    TfrmMain *w = nullptr;
    MessageRecorder *rec = nullptr;

    // A new main window, shown and active, with current data loaded (or none); every page's
    // field table has found its controls.
    void openWindow(const TfrmMain::PageFactory &factory = {}, bool withData = true)
    {
        resetGlobals();
        rec = new MessageRecorder;
        w = new TfrmMain(nullptr, factory);
        for (int n = 1; n <= TfrmMain::PageCount; ++n)
            if (w->page(n) && w->page(n)->fieldKit())
                QCOMPARE(w->page(n)->fieldKit()->unresolved(), QStringList());
        G.ProjectOpen = withData; // before the window is activated, which closes page 1 without data
        G.WriteAccepted = withData;
        QVERIFY(showActive(w));
    }
    void closeWindow()
    {
        delete w;
        w = nullptr;
        delete rec;
        rec = nullptr;
    }
    template <class T = QLineEdit> T *ctl(const QString &name) const { return FindControlAs<T>(w, name); }
    void clickTab(int number)
    {
        auto *bar = qobject_cast<TPageTabBar *>(w->pageControl()->tabBar());
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->pageTabRect(number - 1).center());
    }
    // Enters a page by its tab (data must be loaded).
    void enter(int number)
    {
        clickTab(number);
        QCOMPARE(w->shownPageNumber(), number);
    }
    // Selects all of a field's text and types over it.
    void type(const QString &name, const QString &text)
    {
        QLineEdit *e = ctl(name);
        e->setFocus();
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Delete);
        QTest::keyClicks(e, text);
    }
};
