// The page kit on a table of its own, on page 2 of the real main window: exit clamps,
// spin wrap, key filter, old-data defaults, refused exits and a per-cell pair, worked
// with the keyboard and the mouse.

#include "page.h"
#include "pagetest.h"
#include "pagekit.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>


using kit::Enc;
using kit::Field;

namespace {
constexpr Field KitFields[] = {
    {.control = "ed_int", .word = 300, .h = {0, 300}, .spin = "sb_int", .key = kit::Key::Num,
     .copy1 = "ed_intCopy", .old = {true, 3, true}},
    {.control = "ed_real", .word = 301, .enc = Enc::TenthsUp, .h = {0, 300}, .l = {0, 80},
     .key = kit::Key::Real, .perCell = "ed_realCe", .fillClamp = true},
    {.control = "ed_refuse", .word = 302, .h = {0, 20}, .empty = kit::Empty::Refuse},
    {.control = "ed_silent", .word = 303, .h = {0, 20}, .empty = kit::Empty::Silent},
    {.control = "cb_bit", .word = 304, .enc = Enc::Bit, .bit = 3, .old = {true, 1, false}},
    {.control = "rb_on", .word = 304, .enc = Enc::Bit, .bit = 0, .partner = "rb_off"},
};

QWidget *buildSheet(QWidget *sheet)
{
    auto *grid = new QGridLayout(sheet);
    int row = 0;
    for (const char *name : {"ed_int", "ed_intCopy", "ed_real", "ed_realCe", "ed_refuse", "ed_silent"}) {
        auto *edit = new QLineEdit(sheet);
        edit->setObjectName(QLatin1String(name));
        grid->addWidget(edit, row++, 0);
    }
    auto *spin = new TSpinButton(sheet);
    spin->setObjectName(QStringLiteral("sb_int"));
    grid->addWidget(spin, 0, 1);
    auto *box = new QCheckBox(sheet);
    box->setObjectName(QStringLiteral("cb_bit"));
    grid->addWidget(box, row++, 0);
    auto *pair = new QWidget(sheet);
    for (const char *name : {"rb_on", "rb_off"})
        (new QRadioButton(pair))->setObjectName(QLatin1String(name));
    grid->addWidget(pair, row, 0);
    return sheet;
}

class KitPage : public TPage
{
public:
    KitPage(TfrmMain *main, QWidget *sheet) : TPage(main, 2, buildSheet(sheet)), fields(this, sheet, KitFields) {}
    void fill() override { fields.fill(); }
    void collect() override { fields.collect(); }
    kit::FieldKit fields;
};
} // namespace

class TestPageKit : public PageTest
{
    Q_OBJECT

    KitPage *page = nullptr;

    void enterKitPage()
    {
        clickTab(2);
        QCOMPARE(w->shownPageNumber(), 2);
    }

private slots:
    void init()
    {
        openWindow([this](TfrmMain *main, int n, QWidget *sheet) -> TPage * {
            return n == 2 ? page = new KitPage(main, sheet) : nullptr;
        });
        QVERIFY(page->fields.unresolved().isEmpty());
        G.CellCount = 24;
        G.ParamImage[300] = 250;
        G.ParamImage[301] = 552;
        G.ParamImage[302] = 5;
        G.ParamImage[303] = 6;
        G.ParamImage[304] = 0x00F1;
        enterKitPage();
    }
    void cleanup() { closeWindow(); }

    void exitClamps_data()
    {
        QTest::addColumn<QByteArray>("field");
        QTest::addColumn<int>("range");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("int above") << QByteArray("ed_int") << 0 << "301" << "300";
        QTest::newRow("int in range keeps 007") << QByteArray("ed_int") << 0 << "007" << "007";
        QTest::newRow("real above L") << QByteArray("ed_real") << 0 << "95" << "80.0";
        QTest::newRow("real H keeps 95") << QByteArray("ed_real") << 1 << "95" << "95.0";
        QTest::newRow("real rounds") << QByteArray("ed_real") << 0 << "12.34" << "12.3";
        QTest::newRow("pasted minus") << QByteArray("ed_refuse") << 0 << "-5" << "0";
    }
    void exitClamps()
    {
        QFETCH(QByteArray, field);
        QFETCH(int, range);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        G.VoltageRange = quint16(range);
        ctl(field)->setFocus();
        ctl(field)->setText(typed); // pasted: no key filter
        ctl("ed_silent")->setFocus();
        QCOMPARE(ctl(field)->text(), shown);
        QVERIFY(rec->texts().isEmpty());
    }

    void spinWrapsAndCopies()
    {
        auto *spin = ctl<TSpinButton>("sb_int");
        ctl("ed_int")->setText("300");
        QTest::mouseClick(spin->upButton(), Qt::LeftButton);
        QCOMPARE(ctl("ed_int")->text(), QStringLiteral("0"));
        QCOMPARE(ctl("ed_intCopy")->text(), QStringLiteral("0"));
        QVERIFY(ctl("ed_int")->hasFocus());
        QTest::mouseClick(spin->downButton(), Qt::LeftButton);
        QCOMPARE(ctl("ed_int")->text(), QStringLiteral("300"));
        QTest::mouseClick(spin->downButton(), Qt::LeftButton);
        QCOMPARE(ctl("ed_intCopy")->text(), QStringLiteral("299"));
    }

    void keyFilterRefusesWhatIsNoDigit()
    {
        type("ed_int", "1a-.2");
        QCOMPARE(ctl("ed_int")->text(), QStringLiteral("12"));
    }

    void oldDataShownOnAqua_data()
    {
        QTest::addColumn<bool>("accepted");
        QTest::newRow("old data") << false;
        QTest::newRow("current data") << true;
    }
    void oldDataShownOnAqua()
    {
        QFETCH(bool, accepted);
        G.WriteAccepted = false;
        w->cmd_CancelClick(); // refill with old data first, then with `accepted`
        G.WriteAccepted = accepted;
        G.ParamImage[300] = 250;
        G.ParamImage[304] = 0x00F0;
        w->cmd_CancelClick();
        QCOMPARE(ctl("ed_int")->text(), accepted ? QStringLiteral("250") : QStringLiteral("3"));
        QCOMPARE(ctl("ed_intCopy")->text(), ctl("ed_int")->text());
        QCOMPARE(G.ParamImage[300], quint16(accepted ? 250 : 3)); // the default is written
        QCOMPARE(ctl<QCheckBox>("cb_bit")->isChecked(), !accepted);
        QCOMPARE(G.ParamImage[304], quint16(0x00F0));             // this one is not
        for (const char *name : {"ed_int", "ed_intCopy", "cb_bit"})
            QCOMPARE(hasAquaBackground(ctl<QWidget>(name)), !accepted);
        QVERIFY(!hasAquaBackground(ctl<QWidget>("ed_real")));
    }

    // A refused exit keeps the page with one message (or none) and gives the field the
    // focus back; the collector does not add a second box.
    void refusedExitKeepsPage_data()
    {
        QTest::addColumn<QByteArray>("field");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("refuse") << QByteArray("ed_refuse") << QStringList{"Give a valid value please!"};
        QTest::newRow("silent") << QByteArray("ed_silent") << QStringList{};
        QTest::newRow("conversion") << QByteArray("ed_int") << QStringList{"'' is not a valid integer value."};
    }
    void refusedExitKeepsPage()
    {
        QFETCH(QByteArray, field);
        QFETCH(QStringList, messages);
        type(field, "");
        G.ParamImage[300] = 77;
        clickTab(3);
        QTRY_VERIFY(ctl(field)->hasFocus());
        QCOMPARE(w->shownPageNumber(), 2);
        QCOMPARE(rec->texts(), messages);
        QCOMPARE(G.ParamImage[300], quint16(77)); // nothing was collected
        type(field, "4");
        clickTab(3);
        QCOMPARE(w->shownPageNumber(), 3);
        QCOMPARE(rec->texts(), messages);
        QCOMPARE(G.ParamImage[304], quint16(0x00F1)); // bits round-trip, the others kept
    }

    void perCellPair_data()
    {
        QTest::addColumn<int>("cells");
        QTest::addColumn<QString>("perCellShown");
        QTest::addColumn<QString>("totalAfter");
        QTest::newRow("24 cells") << 24 << "2.30" << "60.0";
        QTest::newRow("no cell count") << 0 << "" << "55.2";
    }
    void perCellPair()
    {
        QFETCH(int, cells);
        QFETCH(QString, perCellShown);
        QFETCH(QString, totalAfter);
        G.CellCount = quint16(cells);
        w->cmd_CancelClick();
        QCOMPARE(ctl("ed_real")->text(), QStringLiteral("55.2"));
        QCOMPARE(ctl("ed_realCe")->text(), perCellShown);
        QCOMPARE(ctl("ed_int")->text(), QStringLiteral("250")); // the rest of the page is filled
        type("ed_realCe", "2.5");
        ctl("ed_int")->setFocus();
        QCOMPARE(ctl("ed_real")->text(), totalAfter);
        QCOMPARE(ctl("ed_realCe")->text(), cells ? QStringLiteral("2.50") : QString());
        type("ed_realCe", "");
        ctl("ed_int")->setFocus();
        QTRY_VERIFY(ctl("ed_realCe")->hasFocus());
        QCOMPARE(rec->texts(), QStringList{"Give a valid value please!"});
    }
};

QTEST_MAIN(TestPageKit)
#include "tst_pagekit.moc"
