// The page framework of the main window, driven as a user would: tab clicks, typing,
// the OK and cancel buttons. Test pages stand in for the real ones: page n keeps one
// integer field that its filler and collector move to and from image word 100 + n.

#include "dispatch.h"
#include "page.h"
#include "pagetest.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
const QString Refusal =
    QStringLiteral("Please open a file, start a new project\r\nor read configuration from KRT-6!");

class TestPage : public TPage
{
public:
    TestPage(TfrmMain *main, int number) : TPage(main, number, main->tabSheet(number))
    {
        edit = new QLineEdit(sheet());
        edit->setObjectName(QStringLiteral("ed_test%1").arg(number));
        edit->setText(QStringLiteral("0"));
        auto *lay = new QVBoxLayout(sheet());
        lay->addWidget(edit);
        lay->addStretch();
        connectExit(edit, [this] {
            ++exits;
            if (exitThrows)
                throw invalidIntegerError(edit->text());
        });
    }
    void fill() override
    {
        ++fills;
        edit->setText(QString::number(G.ParamImage[word()]));
    }
    void collect() override
    {
        ++collects;
        bool ok = false;
        const int v = edit->text().toInt(&ok);
        if (!ok)
            throw invalidIntegerError(edit->text());
        G.ParamImage[word()] = quint16(v);
    }
    int word() const { return 100 + number(); }

    QLineEdit *edit;
    int fills = 0;
    int collects = 0;
    int exits = 0;
    bool exitThrows = false;
};
} // namespace

class TestPageFramework : public PageTest
{
    Q_OBJECT

    TestPage *pages[13] = {};

    TPageControl *notebook() const { return w->pageControl(); }
    // The user replaces the text of the field on page `number`.
    void retype(int number, const QString &text)
    {
        pages[number]->edit->setFocus();
        pages[number]->edit->selectAll();
        QTest::keyClicks(pages[number]->edit, text);
    }
    QPushButton *button(const char *name) const { return w->findChild<QPushButton *>(name); }

private slots:
    void init()
    {
        openWindow(
            [this](TfrmMain *main, int n, QWidget *) -> TPage * {
                if (n == 8)
                    return nullptr; // the real page 8: no collector
                return pages[n] = new TestPage(main, n);
            },
            false);
    }
    void cleanup() { closeWindow(); }

    // At the window's size the tabs wrap onto rows; every caption fits its tab, no two
    // tabs overlap, and the row of the current tab is the one next to the page.
    void tabsWrapAndShowWholeCaptions()
    {
        auto *bar = qobject_cast<TPageTabBar *>(notebook()->tabBar());
        QVERIFY(bar);
        QVERIFY(bar->rowCount() >= 2);
        QCOMPARE(bar->height(), bar->sizeHint().height());
        for (int i = 0; i < 12; ++i) {
            const QRect r = bar->pageTabRect(i);
            QVERIFY(bar->rect().contains(r));
            QVERIFY(r.width() > bar->fontMetrics().horizontalAdvance(notebook()->tabText(i)));
            for (int j = 0; j < i; ++j)
                QVERIFY(!r.intersects(bar->pageTabRect(j)));
        }
        G.ProjectOpen = true;
        for (int n : {12, 1, 7}) {
            enter(n);
            QCOMPARE(bar->pageTabRect(n - 1).bottom(), bar->height() - 1);
        }
    }

    // With nothing loaded every way of entering a page ends on page 1 with the refusal.
    void refusedWhileNothingLoaded_data()
    {
        QTest::addColumn<int>("how"); // 0 tab click, 1 Ctrl+Tab, 2 arrow key on the tab bar, 3 cancel
        QTest::newRow("tab click") << 0;
        QTest::newRow("ctrl+tab") << 1;
        QTest::newRow("arrow key") << 2;
        QTest::newRow("cancel button") << 3;
    }
    void refusedWhileNothingLoaded()
    {
        QFETCH(int, how);
        G.CurrentPage = 6; // whatever it was, it stays
        QVERIFY(!w->findChild<QWidget *>("TabSheet1")->isEnabled());
        switch (how) {
        case 0:
            clickTab(4);
            break;
        case 1:
            notebook()->tabBar()->setFocus();
            QTest::keyClick(notebook()->tabBar(), Qt::Key_Tab, Qt::ControlModifier);
            break;
        case 2:
            notebook()->tabBar()->setFocus();
            QTest::keyClick(notebook()->tabBar(), Qt::Key_Right);
            break;
        case 3:
            QTest::mouseClick(button("cmd_Cancel"), Qt::LeftButton);
            break;
        }
        QCOMPARE(w->shownPageNumber(), 1);
        QCOMPARE(rec->texts(), QStringList{Refusal});
        QCOMPARE(rec->requests().first().kind, MsgKind::Information);
        QCOMPARE(rec->requests().first().helpContext, 0);
        QCOMPARE(G.CurrentPage, 6);
        QCOMPARE(G.VisitedPages, quint16(0));
        for (TestPage *p : pages)
            QVERIFY(!p || p->fills == 0);
        // Leaving page 1 has collected it (cancel collects nothing).
        QCOMPARE(pages[1]->collects, how == 3 ? 0 : 1);
    }

    void okDoesNothingWhileNothingLoaded()
    {
        pages[1]->edit->setText("7");
        G.CurrentPage = 1;
        G.ParamImage[500] = 9;
        QTest::mouseClick(button("Button_OK"), Qt::LeftButton);
        QCOMPARE(pages[1]->collects, 0);
        QCOMPARE(G.CommittedImage[500], quint16(0));
        QVERIFY(rec->texts().isEmpty());
    }

    void entryStepAndVisitedPages()
    {
        G.ProjectOpen = true;
        G.ParamImage[104] = 44;
        enter(4);
        QCOMPARE(G.CurrentPage, 4);
        QCOMPARE(pages[4]->fills, 1);
        QCOMPARE(pages[4]->edit->text(), QStringLiteral("44"));
        QCOMPARE(pages[1]->collects, 1);
        QCOMPARE(G.VisitedPages, quint16(0x0008));
        enter(6);
        QCOMPARE(G.VisitedPages, quint16(0x0008));
        QCOMPARE(pages[4]->collects, 1);
        enter(9);
        enter(6);
        enter(9);
        QCOMPARE(G.VisitedPages, quint16(0x0108));
        enter(5);
        enter(8); // page 8 has no collector
        enter(10);
        QCOMPARE(G.VisitedPages, quint16(0x0318));
        QCOMPARE(G.CurrentPage, 10);
        QVERIFY(rec->texts().isEmpty());
        // Activating the window again clears the set.
        QVERIFY(reactivate(w));
        QCOMPARE(G.VisitedPages, quint16(0));
    }

    // Cancel fills the shown page again from the image; OK collects it and commits.
    void cancelRefillsAndOkCommits()
    {
        G.ProjectOpen = true;
        G.ParamImage[104] = 31;
        enter(4);
        const quint16 committedBefore = G.CommittedImage[104];
        retype(4, "77");
        const int collects = pages[4]->collects;
        QTest::mouseClick(button("cmd_Cancel"), Qt::LeftButton);
        QCOMPARE(pages[4]->edit->text(), QStringLiteral("31"));
        QCOMPARE(pages[4]->collects, collects);
        QCOMPARE(G.ParamImage[104], quint16(31));
        QCOMPARE(G.CommittedImage[104], committedBefore);
        QCOMPARE(G.CurrentPage, 4);

        retype(4, "123");
        G.ParamImage[900] = 5; // a word written directly by some handler
        QTest::mouseClick(button("Button_OK"), Qt::LeftButton);
        QCOMPARE(G.ParamImage[104], quint16(123));
        QVERIFY(G.CommittedImage == G.ParamImage);
        QVERIFY(G.ImageModified);
        // Back to the reference: OK clears the mark again.
        G.ReferenceImage = G.ParamImage;
        G.ImageModified = true;
        QTest::mouseClick(button("Button_OK"), Qt::LeftButton);
        QVERIFY(!G.ImageModified);
        QVERIFY(rec->texts().isEmpty());
    }

    // A field that cannot be converted keeps the page and shows the error once. The
    // field's exit handler runs before the collector; when it fails the collector does not run.
    void failedLeaveKeepsPage_data()
    {
        QTest::addColumn<bool>("exitFails");
        QTest::addColumn<QString>("bad");
        QTest::newRow("collector fails") << false << "";
        QTest::newRow("exit handler fails") << true << "x1";
    }
    void failedLeaveKeepsPage()
    {
        QFETCH(bool, exitFails);
        QFETCH(QString, bad);
        G.ProjectOpen = true;
        enter(4);
        TestPage *p = pages[4];
        p->edit->setFocus();
        QVERIFY(p->edit->hasFocus());
        p->edit->setText(bad);
        p->exitThrows = exitFails;
        const int collects = p->collects;
        clickTab(6);
        QCOMPARE(w->shownPageNumber(), 4);
        QCOMPARE(G.CurrentPage, 4);
        QCOMPARE(pages[6]->fills, 0);
        QCOMPARE(p->exits, 1);
        QCOMPARE(p->collects, exitFails ? collects : collects + 1);
        QCOMPARE(rec->texts(), QStringList{QString("'%1' is not a valid integer value.").arg(bad)});
        QCOMPARE(rec->requests().first().kind, MsgKind::Error);
        // Corrected, the same click goes through.
        QTest::qWait(1); // a user's next click comes after the focus went back
        p->exitThrows = false;
        retype(4, "12");
        rec->clear();
        clickTab(6);
        QCOMPARE(p->exits, 2);
        QCOMPARE(w->shownPageNumber(), 6);
        QCOMPARE(G.ParamImage[104], quint16(12));
        QVERIFY(rec->texts().isEmpty());
    }

    void collectCurrentPage_data()
    {
        QTest::addColumn<int>("current");
        QTest::addColumn<bool>("commit");
        QTest::addColumn<bool>("collected");
        QTest::newRow("none yet, commit") << 0 << true << false;
        QTest::newRow("page 8, commit") << 8 << true << false;
        QTest::newRow("page 3, commit") << 3 << true << true;
        QTest::newRow("page 3, no commit") << 3 << false << true;
    }
    void collectCurrentPage()
    {
        QFETCH(int, current);
        QFETCH(bool, commit);
        QFETCH(bool, collected);
        pages[3]->edit->setText("250");
        G.CurrentPage = quint8(current);
        for (int i = 0; i < ImageWordCount; ++i)
            G.ParamImage[i] = quint16(i * 7);
        const TParamImage before = G.ParamImage;
        w->CollectCurrentPage(commit);
        QCOMPARE(pages[3]->collects, collected ? 1 : 0);
        TParamImage expected = before;
        if (collected)
            expected[103] = 250;
        QVERIFY(G.ParamImage == expected);
        if (commit)
            QVERIFY(G.CommittedImage == expected);
        else
            QCOMPARE(G.CommittedImage[5], quint16(0));
    }

    void collectCurrentPageFollowsCurrentPageNotShownPage()
    {
        G.ProjectOpen = true;
        enter(4);
        pages[4]->edit->setText("8");
        pages[1]->edit->setText("9");
        const int collects4 = pages[4]->collects;
        w->selectFirstPage(); // a command selected page 1 from code: no step runs
        QCOMPARE(w->shownPageNumber(), 1);
        QCOMPARE(G.CurrentPage, 1);
        w->CollectCurrentPage(false);
        QCOMPARE(pages[4]->collects, collects4);
        QCOMPARE(G.ParamImage[101], quint16(9));
    }

    void changeTabsheetFromCode()
    {
        G.ProjectOpen = true;
        enter(5);
        pages[5]->edit->setText("15");
        G.ParamImage[110] = 600; // written directly for page 10 by a handler of page 5
        w->ChangeTabsheet(w->findChild<QWidget *>("TabSheet10"));
        QCOMPARE(w->shownPageNumber(), 10);
        QCOMPARE(G.ParamImage[105], quint16(15));
        QCOMPARE(pages[10]->edit->text(), QStringLiteral("600"));
        QCOMPARE(G.CurrentPage, 10);
        QVERIFY(G.VisitedPages & 0x0200);

        // A failing collector keeps the page, shown once.
        pages[10]->edit->setText("");
        w->ChangeTabsheet(w->findChild<QWidget *>("TabSheet5"));
        QCOMPARE(w->shownPageNumber(), 10);
        QCOMPARE(G.CurrentPage, 10);
        QCOMPARE(rec->texts(), QStringList{"'' is not a valid integer value."});
    }
};

QTEST_MAIN(TestPageFramework)
#include "tst_pageframework.moc"
