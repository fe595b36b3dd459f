// The Analog and Digital inputs pages, the LCD character picker and the LCD fields' popup menu,
// worked as a user would; texts picked, copied and pasted through the system clipboard, and
// what every way of pasting brings into the one-line fields of the pages.

#include "charset.h"
#include "lcdpopup.h"
#include "pagetest.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
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

    // The clipboard's text goes into the field as far as its length goes, the field's own
    // text kept when nothing comes; the image gets what its codec makes.
    void paste_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<WordValues>("stored");
        const QString odd = QString::fromUtf16(u"Ж\tA\u0081\u20AC") + QString(30, 'x');
        const QByteArray oddBytes = "?\tA\x81\x80xxxxxxxxxxx";
        QTest::newRow("name") << 3 << "ed_dig_input5" << odd << odd.left(16)
                              << textWords(353, oddBytes, 16, ' ');
        QTest::newRow("label") << 2 << "ed_B1Udc1" << odd << odd.left(8)
                               << textWords(281, oddBytes.left(8), 8, 0);
        QTest::newRow("empty label") << 2 << "ed_B1Udc1" << QString() << "AB" << textWords(281, "AB", 8, 0);
        QTest::newRow("logo") << 1 << "ed_logo1" << odd << odd.left(16) << textWords(256, oddBytes, 16, ' ');
    }
    void paste()
    {
        QFETCH(int, page);
        QFETCH(QString, field);
        QFETCH(QString, clipboard);
        QFETCH(QString, shown);
        QFETCH(WordValues, stored);
        G.ParamImage[281] = 0x4142; // a label, so that its edit is enabled
        enter(page);
        QGuiApplication::clipboard()->setText(clipboard);
        popupItem(field, 1);
        QCOMPARE(ctl(field)->text(), shown);
        enter(page == 1 ? 2 : 1);
        for (auto [word, value] : stored)
            QCOMPARE(G.ParamImage[word], quint16(value));
    }

    // Ctrl+V, Shift+Insert, the field's own menu, the LCD menu's Paste, a middle click and a
    // drop enter text as typing does: the selection replaced (a drop goes in beside it, the
    // LCD menu's Paste replaces all), at most up to the field's length, the first line only;
    // texts set by code stay whole. The field then stores what it shows.
    void pasteIntoOneLineFields_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("cursor"); // "all" selected, at the "end" or at "home"
        QTest::addColumn<QString>("before"); // set by code
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("after");
        QTest::addColumn<WordValues>("stored");
        const auto row = [](const char *name, int page, const char *field, const char *how,
                            const char *cursor, const QString &before, const QString &clipboard,
                            const QString &after, const WordValues &stored) {
            QTest::newRow(name) << page << QString(field) << QString(how) << QString(cursor) << before
                                << clipboard << after << stored;
        };
        const auto text16 = [](int first, const QString &text) {
            return textWords(first, text.toLatin1(), 16, ' ');
        };
        const auto shuffle = [](int value) { return WordValues{{632, value}}; };
        const QString abc = "ABCDEFGHIJKLMNOPQRSTUVWXYZ", abc16 = abc.left(16);
        const QString pump = "Pump hall east side", in3pump = "In 3Pump hall ea";

        row("logo, Ctrl+A Ctrl+V", 1, "ed_logo1", "Ctrl+V", "all", "Old", abc, abc16, text16(256, abc16));
        row("logo full, Shift+Insert", 1, "ed_logo1", "Shift+Insert", "end", abc16, abc, abc16,
            text16(256, abc16));
        row("logo, two lines", 1, "ed_logo2", "Ctrl+V", "end", "", "Plant 1\nHall 2", "Plant 1",
            text16(264, "Plant 1"));
        row("logo, a line break first", 1, "ed_logo2", "Shift+Insert", "all", "Kept", "\nHall", "Kept",
            text16(264, "Kept"));
        row("logo, LCD menu up to the length", 1, "ed_logo1", "LCD menu", "end", "x", abc, abc16,
            text16(256, abc16));
        row("logo, LCD menu takes the first line", 1, "ed_logo2", "LCD menu", "end", "Old", "Plant 1\nHall 2",
            "Plant 1", text16(264, "Plant 1"));
        row("logo, LCD menu with an empty clipboard", 1, "ed_logo1", "LCD menu", "end", "Kept", "", "Kept",
            text16(256, "Kept"));
        row("name, LCD menu with an empty first line", 3, "ed_dig_input3", "LCD menu", "all", "In 3",
            "\r\nHall", "In 3", text16(337, "In 3"));
        row("name, Ctrl+V up to the length", 3, "ed_dig_input3", "Ctrl+V", "end", "Input number", "abcdef",
            "Input numberabcd", text16(337, "Input numberabcd"));
        row("name, middle click", 3, "ed_dig_input3", "middle", "all", "In 3", pump + "\nwest", in3pump,
            text16(337, in3pump));
        row("name, drop beside the selection", 3, "ed_dig_input3", "drop", "all", "In 3", pump, in3pump,
            text16(337, in3pump));
        row("name, drop that fits", 3, "ed_dig_input3", "drop", "end", "In", " 3", "In 3",
            text16(337, "In 3"));
        row("name, drop that fits, move-only source", 3, "ed_dig_input3", "drop, move only", "end", "In",
            " 3", "In 3", text16(337, "In 3"));
        row("name, drop cut, move-only source", 3, "ed_dig_input3", "drop, move only", "end", "In 3", pump,
            "In 3", text16(337, "In 3"));
        row("logo, drop of an empty first line", 1, "ed_logo2", "drop", "end", "Kept", "\nHall", "Kept",
            text16(264, "Kept"));
        row("name, empty clipboard", 3, "ed_dig_input3", "Ctrl+V", "all", "In 3", "", "In 3",
            text16(337, "In 3"));
        row("delay, not filtered", 3, "ed_dig_inp1_verz", "Ctrl+V", "end", "", "+12 5", "+12 ", {{562, 12}});
        row("number, Ctrl+V", 7, "ed_Shuffle", "Ctrl+V", "end", "", "12345", "123", shuffle(123));
        row("number, menu over a selection", 7, "ed_Shuffle", "menu", "all", "60", "12345", "123",
            shuffle(123));
        row("number full, menu", 7, "ed_Shuffle", "menu", "end", "600", "7", "600", shuffle(600));
        row("number, middle click", 7, "ed_Shuffle", "middle", "end", "1", "2345", "123", shuffle(123));
        row("number, drop of two lines", 7, "ed_Shuffle", "drop", "end", "6", "0\r\n5", "60", shuffle(60));
        row("number full, drop", 7, "ed_Shuffle", "drop", "end", "600", "5", "600", shuffle(600));
        row("stored 3600 shown whole, Ctrl+V", 7, "ed_Shuffle", "Ctrl+V", "end", "3600", "9", "3600",
            shuffle(3600));
        row("stored 3600, Shift+Insert over all", 7, "ed_Shuffle", "Shift+Insert", "all", "3600", "12345",
            "123", shuffle(123));
        row("number, input method", 7, "ed_Shuffle", "input method", "end", "6", "0000", "600", shuffle(600));
        // A key typed with Ctrl+Alt (AltGr on some systems) or Ctrl+Shift counts as any other.
        row("logo full, Ctrl+Alt key", 1, "ed_logo1", "Ctrl+Alt key", "end", abc16, "1", abc16,
            text16(256, abc16));
        row("logo, Ctrl+Alt key with room", 1, "ed_logo1", "Ctrl+Alt key", "end", "ABC", ".", "ABC.",
            text16(256, "ABC."));
        row("name full, Ctrl+Shift zero-width joiner", 3, "ed_dig_input3", "Ctrl+Shift key", "end", abc16,
            QString(QChar(0x200D)), abc16, text16(337, abc16));
        row("name, emoji key with 1 left", 3, "ed_dig_input3", "key", "end", abc.left(15),
            QString::fromUtf8("\U0001F600"), abc.left(15), text16(337, abc.left(15)));
        row("number full, Ctrl+Alt digit", 7, "ed_Shuffle", "Ctrl+Alt key", "end", "600", "1", "600",
            shuffle(600));
        row("read-only path, Ctrl+V", 1, "ed_mpfad", "Ctrl+V", "all", "/PLANT.ZF1", "x", "/PLANT.ZF1", {});
        row("masked time keeps its mask", 9, "em_max_duration", "Ctrl+V", "home", "02:00", "0130", "01:30",
            {{462, 90}});
    }
    void pasteIntoOneLineFields()
    {
        QFETCH(int, page);
        QFETCH(QString, field);
        QFETCH(QString, how);
        QFETCH(QString, cursor);
        QFETCH(QString, before);
        QFETCH(QString, clipboard);
        QFETCH(QString, after);
        QFETCH(WordValues, stored);
        QClipboard *board = QGuiApplication::clipboard();
        if (how == "middle" && !board->supportsSelection()) {
            // Without an X11 selection a middle click pastes nothing, the clipboard neither.
            after = before;
            stored.clear();
        }
        enter(page);
        QLineEdit *edit = ctl(field);
        edit->setText(before);
        QCOMPARE(edit->text(), before);
        G.ProjectTextModified = false;
        edit->setFocus();
        QTRY_VERIFY(edit->hasFocus());
        if (cursor == "all")
            QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        else
            QTest::keyClick(edit, cursor == "end" ? Qt::Key_End : Qt::Key_Home);
        board->setText(clipboard);
        if (board->supportsSelection())
            board->setText(clipboard, QClipboard::Selection);

        QList<QPair<bool, Qt::DropAction>> answers; // drag enter, drag move, drop
        if (how == "Ctrl+V") {
            QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        } else if (how == "Shift+Insert") {
            QTest::keyClick(edit, Qt::Key_Insert, Qt::ShiftModifier);
        } else if (how == "LCD menu") {
            popupItem(field, 1);
        } else if (how == "menu") {
            QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(2, 2),
                                      edit->mapToGlobal(QPoint(2, 2)));
            QApplication::sendEvent(edit, &menuKey);
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            QVERIFY(menu);
            QAction *paste = nullptr;
            for (QAction *a : menu->actions())
                if (a->text().startsWith("&Paste"))
                    paste = a;
            QVERIFY(paste && paste->isEnabled());
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(paste).center());
        } else if (how == "input method") {
            QInputMethodEvent input;
            input.setCommitString(clipboard);
            QApplication::sendEvent(edit, &input);
        } else if (how.endsWith("key")) {
            typeKey(edit, clipboard, how);
        } else if (how == "middle") {
            QTest::mouseClick(edit, Qt::MiddleButton, {}, QPoint(edit->width() - 4, edit->height() / 2));
        } else {
            QMimeData data;
            data.setText(clipboard);
            // Dragged over the field and dropped behind its text, Shift held: the user asks
            // for a move. The answers while the text passes over the field are those of the
            // drop, so that a source in another program moves it away only when it is taken
            // whole.
            const QPoint at(edit->width() - 4, edit->height() / 2);
            const Qt::DropActions actions =
                how == "drop" ? Qt::CopyAction | Qt::MoveAction : Qt::DropActions(Qt::MoveAction);
            QDragEnterEvent enter(at - QPoint(2, 0), actions, &data, Qt::LeftButton, Qt::ShiftModifier);
            QDragMoveEvent move(at, actions, &data, Qt::LeftButton, Qt::ShiftModifier);
            QDropEvent drop(at, actions, &data, Qt::LeftButton, Qt::ShiftModifier);
            for (QDropEvent *event :
                 {static_cast<QDropEvent *>(&enter), static_cast<QDropEvent *>(&move), &drop}) {
                QApplication::sendEvent(edit, event);
                answers << qMakePair(event->isAccepted(), event->dropAction());
            }
        }

        QCOMPARE(edit->text(), after);
        if (how.startsWith("drop")) {
            // Only a drop taken whole may move its text away from where it came from.
            const auto answer =
                qMakePair(after != before,
                          after.size() - before.size() < clipboard.size() ? Qt::CopyAction : Qt::MoveAction);
            for (auto [accepted, action] : answers) {
                QCOMPARE(accepted, answer.first);
                if (accepted)
                    QCOMPARE(action, answer.second);
            }
        }
        if (how == "LCD menu" && after != before) { // one undo step, and back
            QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
            QCOMPARE(edit->text(), before);
            QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
            QCOMPARE(edit->text(), after);
        }
        if (field.startsWith("ed_logo")) {
            QCOMPARE(ctl<QLabel>(field == "ed_logo1" ? "lb_anzCh" : "lb2_anzCh")->text(),
                     QString::number(after.size()));
            QCOMPARE(G.ProjectTextModified, after != before);
        }
        enter(page == 1 ? 2 : 1); // the field's exit, then the page's collector
        QVERIFY(rec->texts().isEmpty());
        for (auto [word, value] : stored)
            QCOMPARE(G.ParamImage[word], quint16(value));
    }

    // A paste is one undo step, as in a plain edit: Undo takes back the paste, not the typing
    // before or after it.
    void pasteIsOneUndoStep()
    {
        enter(3);
        QLineEdit plain;
        QLineEdit *name = ctl("ed_dig_input3");
        QGuiApplication::clipboard()->setText("cd");
        for (bool selectAll : {false, true}) {
            QStringList undone[2];
            for (int k = 0; k < 2; ++k) {
                QLineEdit *edit = k ? name : &plain;
                edit->setText("");
                QTest::keyClicks(edit, "ab");
                if (selectAll)
                    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
                QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
                QTest::keyClicks(edit, "e");
                undone[k] << edit->text();
                for (int n = 0; n < 3; ++n) {
                    QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
                    undone[k] << edit->text();
                }
            }
            QCOMPARE(undone[1], undone[0]);
            QVERIFY(undone[0].contains(selectAll ? "cd" : "abcd"));
        }
    }
};

QTEST_MAIN(TestInputPages)
#include "tst_inputpages.moc"
