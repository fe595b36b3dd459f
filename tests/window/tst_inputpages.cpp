// The Analog and Digital inputs pages, the LCD character picker and the LCD fields' popup menu,
// worked as a user would; texts picked, copied and pasted through the system clipboard.

#include "charset.h"
#include "lcdpopup.h"
#include "pagetest.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QLabel>
#include <QRadioButton>
#include <QTableWidget>

// The words of a text as stored: its bytes, two per word, padded to `length` bytes.
static WordValues textWords(int first, const QByteArray &text, int length, char pad)
{
    const QByteArray b = text.leftJustified(length, pad);
    WordValues words;
    for (int k = 0; k < length / 2; ++k)
        words << qMakePair(first + k, (quint8(b[2 * k]) << 8) | quint8(b[2 * k + 1]));
    return words;
}

class TestInputPages : public PageTest
{
    Q_OBJECT

    template <class T = QLineEdit> T *ctl(const QString &name, QObject *root = nullptr)
    {
        return FindControlAs<T>(root ? root : w, name);
    }
    void click(const QString &name, QObject *root = nullptr)
    {
        QTest::mouseClick(ctl<QAbstractButton>(name, root), Qt::LeftButton);
    }
    void pick(const QList<QPair<int, int>> &cells) // high digit, low digit
    {
        auto *grid = ctl<QTableWidget>("SG1", Frm_CharSet);
        for (auto [high, low] : cells)
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                              grid->visualItemRect(grid->item(high - 1, low)).center());
    }
    // Opens PopupLCD on a field with the menu key and clicks an item (0 "LCD character", 1 "Paste").
    void popupItem(const QString &field, int item)
    {
        QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, {}, {});
        QApplication::sendEvent(ctl(field), &menuKey);
        auto *menu = w->findChild<TLcdPopup *>("PopupLCD");
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(menu->actions().at(item)).center());
    }

private slots:
    void init()
    {
        openWindow();
        Frm_CharSet = new TFrm_CharSet(w);
    }
    void cleanup() { closeWindow(); } // the picker with it

    void roundTrip_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<WordValues>("image");
        QTest::addColumn<WordValues>("stored"); // words that differ after the trip
        QTest::addColumn<QStringList>("shown"); // field=text
        QTest::newRow("analog") << 2
                                << textWords(281, "ABC", 8, 0) + textWords(286, "00000000", 8, 0) +
                                       textWords(291, "\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF", 8, 0) +
                                       textWords(301, "\xC4\x81 x", 8, 0) +
                                       WordValues{{20, 3000}, {22, 65535}}
                                << textWords(286, "", 8, 0) + textWords(291, "", 8, 0)
                                << QStringList{"ed_B1Udc1=ABC",
                                               "ed_B1Udc2=", "ed_B1Udc3=", "ed_B1Idc1=Ä\u0081 x"};
        QTest::newRow("digital, board present")
            << 3
            << textWords(321, "In 1", 16, ' ') + textWords(329, "", 16, 0) +
                   textWords(337, "x\x01 \x1F", 16, ' ') + textWords(441, "Board 8 \xFF", 16, ' ') +
                   WordValues{{617, 1}, {473, 0xFF81}, {619, 0x1234}}
            << textWords(329, "", 16, ' ') + textWords(337, "x", 16, ' ') +
                   WordValues{{473, 0x81}, {619, 0x34}}
            << QStringList{"ed_dig_input1=In 1", "ed_dig_input2=", "ed_dig_input3=x",
                           "ed_rk1_input8=Board 8 ÿ"};
        QTest::newRow("no board") << 3 << WordValues{{617, 0}, {473, 0}}
                                  << WordValues{{619, 0xFF}} + textWords(620, "", 16, 0) << QStringList{};
    }
    void roundTrip()
    {
        QFETCH(int, page);
        QFETCH(WordValues, image);
        QFETCH(WordValues, stored);
        QFETCH(QStringList, shown);
        G.ParamImage[617] = image.contains({617, 1}); // the board as the Devices page left it
        enter(page);
        for (int i = 0; i < ImageWordCount; ++i)
            G.ParamImage[i] = quint16((0x41 + i % 26) << 8 | (0x61 + i % 26)); // printable texts
        for (auto [word, value] : image)
            G.ParamImage[word] = quint16(value);
        TParamImage expected = G.ParamImage;
        for (auto [word, value] : stored)
            expected[word] = quint16(value);
        click("cmd_Cancel"); // fills the page
        for (const QString &s : shown) {
            QCOMPARE(ctl(s.section('=', 0, 0))->text(), s.section('=', 1));
            QCOMPARE(ctl(s.section('=', 0, 0))->isEnabled(), page == 3 || !s.endsWith('='));
        }
        QCOMPARE(ctl<QWidget>("GroupBox21")->isHidden(), page == 3 && G.ParamImage[617] != 1);
        click("Button_OK"); // collects it
        QVERIFY(G.ParamImage == expected);
    }

    void labelFollowsItsChoice()
    {
        enter(2);
        auto *vdc1 = ctl<TRadioGroup>("rg_B1_udc1");
        QLineEdit *label = ctl("ed_B1Udc1");
        clickBox(vdc1->button(0));
        QCOMPARE(label->text(), QStringLiteral("Udc1 :  "));
        QVERIFY(label->isEnabled() && label->hasFocus());
        clickBox(ctl<TRadioGroup>("rg_B1_Idc3")->button(0));
        QCOMPARE(ctl("ed_B1Idc3")->text(), QStringLiteral("Idc3 :  "));
        label->setFocus();
        QTest::keyClick(label, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(label, Qt::Key_Backspace);
        QVERIFY(vdc1->itemIndex() == 1 && !label->isEnabled());
    }

    // Sixteen characters picked, the 17th refused; Delete starts a new text; typing stops at
    // 8; a picked text copied, pasted into a name and stored byte for byte.
    void pickerComposesText()
    {
        popupItem("ed_logo1", 0);
        QVERIFY(Frm_CharSet->isVisible() && !QApplication::activeModalWidget());
        auto *ed1 = ctl("Ed1", Frm_CharSet);
        pick({{4, 1}});
        QCOMPARE(ed1->text(), QStringLiteral("A"));
        QCOMPARE(ctl<QLabel>("La_Hex", Frm_CharSet)->text(), QStringLiteral("0x41"));
        pick(QList<QPair<int, int>>(15, {15, 15}) << qMakePair(2, 1));
        QCOMPARE(ed1->text(), QStringLiteral("A") + QString(15, QChar(0xFF)));
        QTest::keyClick(ed1, Qt::Key_Backspace);
        pick({{2, 1}}); // the composed text stays at 16
        QCOMPARE(rec->texts(), QStringList(2, "Max. 16 characters!"));
        click("Bu_Del", Frm_CharSet);
        QCOMPARE(ctl<QLabel>("La_Anz", Frm_CharSet)->text(), QStringLiteral("0"));
        QTest::keyClicks(ed1, "abcdefghij");
        QCOMPARE(ed1->text(), QStringLiteral("abcdefgh"));
        ed1->clear();
        pick({{8, 1}, {4, 11}, {12, 4}, {2, 0}, {15, 15}});
        QCOMPARE(ed1->text(), QString::fromUtf16(u"\u0081K\u00C4 \u00FF"));
        click("Bu_Copy", Frm_CharSet);
        enter(3);
        popupItem("ed_dig_input3", 1);
        enter(1);
        for (auto [word, value] : textWords(337, "\x81K\xC4 \xFF", 16, ' '))
            QCOMPARE(G.ParamImage[word], quint16(value));
    }

    // Whatever the clipboard holds goes into the field whole; the image gets what its codec makes.
    void paste_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<WordValues>("stored");
        const QString odd = QString::fromUtf16(u"Ж\tA\u0081\u20AC") + QString(30, 'x');
        const QByteArray oddBytes = "?\tA\x81\x80xxxxxxxxxxx";
        QTest::newRow("name") << 3 << "ed_dig_input5" << odd << textWords(353, oddBytes, 16, ' ');
        QTest::newRow("label") << 2 << "ed_B1Udc1" << odd << textWords(281, oddBytes.left(8), 8, 0);
        QTest::newRow("empty label") << 2 << "ed_B1Udc1" << QString() << textWords(281, "", 8, 0);
        QTest::newRow("logo") << 1 << "ed_logo1" << odd << textWords(256, oddBytes, 16, ' ');
    }
    void paste()
    {
        QFETCH(int, page);
        QFETCH(QString, field);
        QFETCH(QString, clipboard);
        QFETCH(WordValues, stored);
        G.ParamImage[281] = 0x4142; // a label, so that its edit is enabled
        enter(page);
        QGuiApplication::clipboard()->setText(clipboard);
        popupItem(field, 1);
        QCOMPARE(ctl(field)->text(), clipboard);
        enter(page == 1 ? 2 : 1);
        for (auto [word, value] : stored)
            QCOMPARE(G.ParamImage[word], quint16(value));
    }
};

QTEST_MAIN(TestInputPages)
#include "tst_inputpages.moc"
