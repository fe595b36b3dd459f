// The pages built on the kit, worked as a user would: one round trip per page, every field's
// widest values shown whole, the bits that clicks change, the relay board's hidden group.

#include "fieldtext.h"
#include "page.h"
#include "pagekit.h"
#include "pagetest.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QStyle>
#include <QTest>
#include <QToolButton>

class TestPages : public PageTest
{
    Q_OBJECT

    void leave() { enter(w->shownPageNumber() == 1 ? 2 : 1); }

private slots:
    void init() { openWindow(); }
    void cleanup() { closeWindow(); }

    // Distinct values in every word of the page; entering and leaving it stores them
    // back, but for the normalisations the page makes.
    void roundTrip_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<WordValues>("image");
        QTest::addColumn<WordValues>("stored"); // words that differ after the trip
        QTest::newRow("outputs") << 6 << WordValues{{618, 1},  {120, 11}, {121, 12},  {122, 65535},
                                                    {123, 14}, {124, 15}, {125, 16},  {126, 17},
                                                    {127, 18}, {128, 19}, {129, 20},  {130, 21},
                                                    {131, 22}, {132, 23}, {133, 300}, {472, 0xA5A5}}
                                 << WordValues{};
        QTest::newRow("communication")
            << 7 << WordValues{{512, 20}, {644, 5}, {645, 7}, {630, 0xFFFF}, {631, 4}, {632, 100}}
            << WordValues{{630, 1}};
        QTest::newRow("counter cells")
            << 11 << WordValues{{545, 100}, {546, 201}, {547, 1300}, {548, 799}, {549, 3}}
            << WordValues{{547, 800}};
        QTest::newRow("counter cells, no reference")
            << 11 << WordValues{{545, 1}, {546, 2}, {547, 3}, {548, 4}, {549, 0xFFFF}}
            << WordValues{{549, 1}};
        for (int reference : {4, 0}) // one past Vdc3, one below Vdc1
            QTest::addRow("counter cells, reference %d", reference)
                << 11 << WordValues{{545, 1}, {546, 2}, {547, 3}, {548, 4}, {549, reference}}
                << WordValues{{549, 1}};
        QTest::newRow("thresholds") << 4 << WordValues{{49, 0xFFCE}, {53, 65535}} << WordValues{};
        QTest::newRow("thresholds clamped") << 4 << WordValues{{2, 900}, {49, 0x8000}, {50, 10}}
                                            << WordValues{{2, 800}, {49, 600}, {50, 200}};
        QTest::newRow("devices") << 5 << WordValues{{81, 4}, {82, 3}, {618, 0xFFFF}, {103, 0}, {500, 3501}}
                                 << WordValues{{88, 3}, {84, 588}, {65, 0}, {89, 1}, {103, 50}};
        QTest::newRow("battery") << 9
                                 << WordValues{{464, 1}, {455, 9}, {40, 0xFFFE}, {42, 0xFFC9}, {641, 0xFFFE}}
                                 << WordValues{{16, 100}, {72, 0}, {463, 0}, {66, 0}};
        QTest::newRow("charge") << 10 << WordValues{{535, 79}, {538, 80}, {575, 200}, {576, 100}, {502, 2505}}
                                << WordValues{{534, 1},    {539, 0},    {551, 0},    {558, 1},
                                              {571, 0},    {578, 1},    {556, 800},  {502, 2500},
                                              {503, 3520}, {536, 3720}, {537, 3720}, {471, 3240}};
        QTest::newRow("mains monitor")
            << 12 << WordValues{{60, 0xFFF5}, {59, 12}, {58, 8}, {468, 600}, {61, 0xFFFE}, {62, 3}}
            << WordValues{};
    }
    void roundTrip()
    {
        QFETCH(int, page);
        QFETCH(WordValues, image);
        QFETCH(WordValues, stored);
        enter(page);
        for (int i = 0; i < ImageWordCount; ++i)
            G.ParamImage[i] = quint16(i * 7 + 1);
        for (auto [word, value] : image)
            G.ParamImage[word] = quint16(value);
        TParamImage expected = G.ParamImage;
        for (auto [word, value] : stored)
            expected[word] = quint16(value);
        QTest::mouseClick(ctl<QAbstractButton>("cmd_Cancel"), Qt::LeftButton); // fills the page
        // A choice word outside its group's items shows the first item, never none.
        for (const TRadioGroup *group : w->tabSheet(page)->findChildren<TRadioGroup *>())
            QVERIFY2(group->itemIndex() >= 0, qPrintable(group->objectName()));
        QTest::mouseClick(ctl<QAbstractButton>("Button_OK"), Qt::LeftButton); // collects it
        for (int i = 0; i < ImageWordCount; ++i)
            QVERIFY2(G.ParamImage[i] == expected[i],
                     qPrintable(QString("word %1: %2").arg(i).arg(G.ParamImage[i])));
        QVERIFY(rec->texts().isEmpty());
    }

    // Each end of every range of every page's field rows shows whole in its font at the window's
    // size, in the field, its copies and (a total's top on 1 cell) its per-cell edit.
    void widestValuesShownWhole()
    {
        QStringList cut;
        setWords({{464, 1}, {617, 1}, {618, 1}}); // the optional groups shown
        for (int n : {2, 3, 4, 5, 6, 7, 9, 10, 11, 12}) {
            enter(n);
            for (const kit::Field &f : w->page(n)->fieldKit()->table())
                for (const kit::Limits lim : {f.h, f.l, f.spinRange})
                    for (const char *name : {f.control, f.copy1, f.copy2, f.perCell})
                        for (const double v : {lim.min, lim.max})
                            if (QLineEdit *e = lim.set() && name ? ctl(name) : nullptr) {
                                const QSignalBlocker quiet(e); // no change handler rewrites the text
                                const QString text = name == f.perCell ? FloatToFixedText(lim.max, 2)
                                                                       : kit::FieldKit::valueText(f, v);
                                e->setText(text);
                                const int frame = e->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + 2;
                                const QMargins margins = e->textMargins() + QMargins(frame, 0, frame, 0);
                                if (e->text() != text ||
                                    e->fontMetrics().horizontalAdvance(text) >
                                        e->contentsRect().marginsRemoved(margins).width())
                                    cut << QString(name) + " " + text;
                            }
            w->cmd_CancelClick(); // the page's own texts back
        }
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(", ")));
    }

    // Tab walks each page in reading order: each stop's group is below the last's or right of it on its row.
    void tabFollowsReadingOrder()
    {
        w->textPage()->setLanguageEnabled(true);
        for (int n = 1; n <= TfrmMain::PageCount; ++n) {
            clickTab(n);
            QWidget *bar = w->pageControl()->tabBar(), *before = nullptr;
            for (QWidget *x = bar->nextInFocusChain(); x != bar; x = x->nextInFocusChain()) {
                if (!w->tabSheet(n)->isAncestorOf(x) || !x->isVisible() || !x->isEnabled() ||
                    !(x->focusPolicy() & Qt::TabFocus))
                    continue;
                QWidget *a = before, *b = x;
                while (a && !a->parentWidget()->isAncestorOf(x))
                    a = a->parentWidget();
                while (a && b->parentWidget() != a->parentWidget())
                    b = b->parentWidget();
                const QRect p = a ? a->geometry() : QRect(), q = b->geometry(); // right: on p's row only
                QVERIFY2(!a || q.y() >= p.bottom() - 2 || (q.x() >= p.right() - 2 && q.bottom() > p.y()),
                         qPrintable(QString("page %1: %2").arg(n).arg(x->objectName())));
                before = x;
            }
        }
    }

    // Bits of one word: a click changes its bit only.
    void bitClicks_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("word");
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("after");
        QTest::newRow("L1 on, high bits kept") << 12 << "cb_MM1_L1" << 60 << 0xFFF8 << 0xFFFC;
        QTest::newRow("display V stays off") << 12 << "cb_display_I" << 62 << 2 << 3;
        QTest::newRow("alarm A active") << 6 << "rb_alarmA_Sch" << 472 << 0xFFFF << 0xFFFE;
        QTest::newRow("efficiency off") << 7 << "cb_EffEnable" << 630 << 0xFFFF << 0;
    }
    void bitClicks()
    {
        QFETCH(int, page);
        QFETCH(QString, button);
        QFETCH(int, word);
        QFETCH(int, before);
        QFETCH(int, after);
        G.ParamImage[618] = 1;
        G.ParamImage[word] = quint16(before);
        enter(page);
        clickBox(ctl<QAbstractButton>(button));
        leave();
        QCOMPARE(G.ParamImage[word], quint16(after));
    }

    // Without the relay board its group is hidden, and leaving the page stores what the
    // hidden controls hold: their first texts, or the values of an earlier fill.
    void hiddenRelayBoardIsStored()
    {
        for (int k = 126; k <= 133; ++k)
            G.ParamImage[k] = 99;
        G.ParamImage[472] = 0;
        G.ParamImage[618] = 0;
        enter(6);
        QVERIFY(!ctl<QWidget>("GroupBox7")->isVisible());
        leave();
        QCOMPARE(G.ParamImage[126], quint16(0));
        QCOMPARE(G.ParamImage[133], quint16(0));
        QCOMPARE(G.ParamImage[472], quint16(0x0FF0));
        G.ParamImage[618] = 1;
        G.ParamImage[130] = 42;
        enter(6);
        G.ParamImage[618] = 0;
        G.ParamImage[130] = 7;
        w->cmd_CancelClick();
        leave();
        QCOMPARE(G.ParamImage[130], quint16(42));
    }
};

QTEST_MAIN(TestPages)
#include "tst_pages.moc"
