// Page 8 ("Signal configuration") worked as a user would: cells clicked on the grid, the
// mouse moved over it, rows copied, pasted and deleted from the caption popup menu.

#include "imagecontrol.h"
#include "page_signalconfig.h"
#include "pagetest.h"
#include "signalmatrix.h"

#include <QLabel>
#include <QMenu>
#include <QTest>

class TestSignalConfig : public PageTest
{
    Q_OBJECT

    TSignalConfigPage *page() const { return w->pageAs<TSignalConfigPage>(8); }
    void checkDots() // every dot of rows 0..15 as ParamImage says
    {
        for (int cell = 0; cell < SignalMatrixShownRows * SignalCount; ++cell) {
            const int row = cell / SignalCount, s = cell % SignalCount;
            QCOMPARE(page()->image()->picture().pixel(10 * s + 4, 24 * row + 12) == qRgb(0, 0, 0),
                     SignalAssigned(G.ParamImage, row, s));
        }
    }
    // A click through the window, as the platform delivers it (a right press opens a menu).
    void click(QWidget *on, QPoint at, Qt::MouseButton button = Qt::LeftButton,
               Qt::KeyboardModifiers keys = {})
    {
        QTest::mouseClick(w->windowHandle(), button, keys, on->mapTo(w, at));
    }
    void popup(int panel, const char *item)
    {
        click(w->control(QString("Panel_zl%1").arg(panel)), QPoint(10, 10), Qt::RightButton);
        QMenu *menu = page()->popupMenu();
        QTRY_VERIFY(menu->isVisible());
        QTest::mouseClick(menu, Qt::LeftButton, {},
                          menu->actionGeometry(::child<QAction>(menu, item)).center());
    }
    QStringList labelsAt(QPoint at)
    {
        QTest::mouseMove(page()->image(), at);
        QStringList texts;
        for (int i = 1; i <= 5; ++i)
            texts << qobject_cast<QLabel *>(w->control(QString("lbl_Sigtext%1").arg(i)))->text();
        return texts;
    }

private slots:
    void init() { openWindow(); }
    void cleanup() { closeWindow(); }

    // A full and an empty matrix: shown, the probe cells clicked twice, left unchanged;
    // clicks with another button or a modifier, or beside the shown rows, change nothing.
    void clicksAndMoves()
    {
        for (quint16 matrixWord : {0xFFFF, 0}) {
            std::fill(&G.ParamImage[180], &G.ParamImage[252], matrixWord);
            enter(8);
            const TParamImage before = G.ParamImage;
            const QPoint at[] = {{0, 0}, {639, 383}, {305, 170}};
            const int word[] = {181, 248, 194}, bit[] = {0, 15, 14};
            for (int i = 0; i < 3; ++i) {
                click(page()->image(), at[i]);
                TParamImage once = before;
                once[word[i]] ^= 1 << bit[i];
                QVERIFY(G.ParamImage == once);
                checkDots();
                click(page()->image(), at[i]);
                QVERIFY(G.ParamImage == before);
            }
            const QImage shown = page()->image()->picture();
            click(page()->image(), QPoint(5, 5), Qt::RightButton);
            for (auto keys : {Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier})
                click(page()->image(), QPoint(5, 5), Qt::LeftButton, keys);
            click(page()->image(), QPoint(5, 386)); // row 16
            click(page()->image(), QPoint(640, 5));
            enter(1);
            QVERIFY(G.ParamImage == before && page()->image()->picture() == shown);
        }
        enter(8);
        QCOMPARE(labelsAt({9, 300}), QStringList({"", "", "Vdc1 <Vmin1", "Vdc1 >Vmax1", "Vdc1 <Vwarn1"}));
        QCOMPARE(labelsAt({640, 2}), QStringList({"System OFF", "(res.) POWER ON", "", "", ""}));
    }

    void rowsCopiedPastedAndDeleted()
    {
        for (int i = 180; i < 252; ++i)
            G.ParamImage[i] = quint16(i * 0x9E37);
        enter(8);
        popup(1, "pup_MenuCopy");
        popup(16, "pup_MenuPaste");
        QVERIFY(CopySignalRow(G.ParamImage, 15) == CopySignalRow(G.ParamImage, 0));
        popup(9, "pup_MenuDelete");
        QVERIFY(CopySignalRow(G.ParamImage, 8) == SignalRow{} && G.SignalClipboard == SignalRow{});
        popup(1, "pup_MenuCopy");
        enter(1); // leaving the page empties the clipboard
        enter(8);
        popup(2, "pup_MenuPaste");
        QVERIFY(CopySignalRow(G.ParamImage, 1) == SignalRow{});
        checkDots();
    }

    // An old-layout matrix is converted on the first showing of page 8 only, also when the
    // window became active again in between (as after any message box).
    void oldMatrixConvertedOnce()
    {
        G.WriteAccepted = false;
        G.ParamImage[189] = 0x0080; // old position 7 of row 4
        for (int showing = 0; showing < 2; ++showing) {
            enter(8);
            QVERIFY(G.ParamImage[188] == 0x0180 && G.ParamImage[189] == 0); // signals 23 and 24
            enter(1);
            QVERIFY(reactivate(w));
        }
    }
};

QTEST_MAIN(TestSignalConfig)
#include "tst_signalconfig.moc"
