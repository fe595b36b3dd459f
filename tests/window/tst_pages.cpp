// The pages built on the kit (Outputs, Communication, Counter cells, Mains monitor),
// worked as a user would: one round trip per page, then the edge cases that can break,
// typed, stepped and clicked.

#include "page.h"
#include "pagekit.h"
#include "pagetest.h"
#include "fieldtext.h"
#include "signaltexts.h"
#include "textcodec.h"

#include <QAbstractButton>
#include <QLabel>
#include <QStyle>
#include <QLineEdit>
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
        QTest::mouseClick(ctl<QAbstractButton>("Button_OK"), Qt::LeftButton);  // collects it
        for (int i = 0; i < ImageWordCount; ++i)
            QVERIFY2(G.ParamImage[i] == expected[i],
                     qPrintable(QString("word %1: %2").arg(i).arg(G.ParamImage[i])));
        QVERIFY(rec->texts().isEmpty());
    }

    // Texts set into a field, then its exit or a click of its spin button.
    void fieldChecks_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("action"); // exit, up, down
        QTest::addColumn<QString>("shown");
        QTest::newRow("K13 up wraps to 1") << 6 << "ed_K13_verz"
                                           << "300"
                                           << "up"
                                           << "1";
        QTest::newRow("shuffle up wraps") << 7 << "ed_Shuffle"
                                          << "3600"
                                          << "up"
                                          << "10";
        QTest::newRow("counter cell L") << 11 << "me_CountCell2_on"
                                        << "85"
                                        << "exit"
                                        << "80.0";
        QTest::newRow("V> up wraps") << 12 << "ed_Vgr"
                                     << "20"
                                     << "up"
                                     << "5";
    }
    void fieldChecks()
    {
        QFETCH(int, page);
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, action);
        QFETCH(QString, shown);
        G.ParamImage[618] = 1;
        const kit::Field *row = w->page(page)->fieldKit()->row(field.toLatin1().constData());
        G.ParamImage[row->word] = quint16(text.toUInt()); // whole numbers come from the image
        enter(page);
        QLineEdit *edit = ctl(field);
        edit->setFocus();
        edit->setText(text);
        if (action == "exit") {
            QTest::keyClick(edit, Qt::Key_Tab);
        } else {
            auto *spin = ctl<TSpinButton>(QLatin1String(row->spin));
            QTest::mouseClick(action == "up" ? spin->upButton() : spin->downButton(), Qt::LeftButton);
        }
        QCOMPARE(edit->text(), shown);
        QVERIFY(rec->texts().isEmpty());
    }

    // Every edit of every page's field table, its copies and its per-cell edit (a total's top
    // on 4 cells) show each end of the row's ranges whole in their font at the window's
    // size, as do texts of 8 and 16 characters; the names above the matrix likewise.
    void widestValuesShownWhole()
    {
        QStringList cut;
        const auto check = [&cut](QWidget *widget, const QStringList &texts) {
            auto *e = qobject_cast<QLineEdit *>(widget);
            auto *label = qobject_cast<QLabel *>(widget);
            const QString before = e ? e->text() : QString();
            const QSignalBlocker quiet(widget); // no change handler rewrites the text
            for (const QString &text : texts) {
                e ? e->setText(text) : label->setText(text);
                const int frame = e && e->hasFrame() ? e->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) : 0;
                const QMargins m = e ? e->textMargins() + QMargins(2 + frame, 0, 2 + frame, 0) : QMargins();
                const int width = widget->fontMetrics().horizontalAdvance(text);
                const int room = widget->contentsRect().marginsRemoved(m).width();
                if ((e ? e->text() : label->text()) != text || width > room)
                    cut << QString("%1 '%2': %3 > %4").arg(widget->objectName(), text).arg(width).arg(room);
            }
            if (e)
                e->setText(before);
        };
        setWords({{464, 1}, {617, 1}, {618, 1}}); // the optional groups shown
        for (int n = 1; n <= TfrmMain::PageCount; ++n) {
            const kit::FieldKit *kit = w->page(n)->fieldKit();
            if (!kit)
                continue;
            enter(n);
            for (const kit::Field &f : kit->table()) {
                QStringList texts, perCell;
                if (f.enc == kit::Enc::Text8 || f.enc == kit::Enc::Text16)
                    texts << QString(f.enc == kit::Enc::Text8 ? 8 : 16, 'W');
                if (f.enc == kit::Enc::TimeOfDay)
                    texts << "23:59";
                for (kit::Limits lim : {f.h, f.l, f.spinRange})
                    if (lim.set()) {
                        texts << kit::FieldKit::valueText(f, lim.min) << kit::FieldKit::valueText(f, lim.max);
                        perCell << FloatToFixedText(lim.max / 4, 2);
                    }
                if (!qobject_cast<QLineEdit *>(kit->control(f.control)))
                    continue;
                QVERIFY2(!texts.isEmpty(), f.control);
                check(kit->control(f.control), texts);
                for (const char *other : {f.copy1, f.copy2})
                    if (other)
                        check(ctl(other), texts);
                if (f.perCell)
                    check(ctl(f.perCell), perCell);
            }
        }
        for (int language : {0, 1}) {
            G.ParamImage[80] = quint16(language);
            enter(8);
            QStringList names;
            for (int i = 0; i < 72; ++i)
                names << fromWin1252(SignalText(i));
            for (int i = 1; i <= 5; ++i)
                check(ctl<QLabel>(QString("lbl_Sigtext%1").arg(i)), names);
            enter(1);
        }
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join('\n')));
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
