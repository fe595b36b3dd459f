#include "keyfilters.h"
#include "messagerecorder.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <memory>

// Edits in a shown window, typed into key by key as a user would.
class TestKeyFilters : public QObject
{
    Q_OBJECT
    QLocale m_initial;
    std::unique_ptr<QWidget> m_window;
    QLineEdit *m_num = nullptr;
    QLineEdit *m_real = nullptr;
    QLineEdit *m_text = nullptr;

    QLineEdit *addEdit(const char *name, KeyPressHandler handler, int maxLength = 32767)
    {
        auto *edit = new QLineEdit(m_window.get());
        edit->setObjectName(name);
        edit->setMaxLength(maxLength);
        m_window->layout()->addWidget(edit);
        if (handler)
            installKeyPressFilter(edit, handler);
        return edit;
    }

    void focus(QLineEdit *edit)
    {
        edit->setFocus();
        QTRY_VERIFY(edit->hasFocus());
        edit->end(false);
    }

private slots:
    void initTestCase() { m_initial = QLocale(); }

    void init()
    {
        m_window = std::make_unique<QWidget>();
        new QVBoxLayout(m_window.get());
        m_num = addEdit("ed_num", edNumKeyPress, 5);
        m_real = addEdit("ed_real", edRealNumKeyPress);
        m_text = addEdit("ed_text", ed_TextKeyPress, 16);
        m_window->show();
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }

    void cleanup()
    {
        m_window.reset();
        QLocale::setDefault(m_initial);
    }

    void enterIsSwallowed()
    {
        for (QLineEdit *edit : {m_num, m_real}) {
            focus(edit);
            QTest::keyClicks(edit, "12345678"); // the real edit reaches length 7: still swallowed
            QSignalSpy returned(edit, &QLineEdit::returnPressed);
            QSignalSpy finished(edit, &QLineEdit::editingFinished);
            QTest::keyClick(edit, Qt::Key_Return);
            QTest::keyClick(edit, Qt::Key_Enter, Qt::KeypadModifier);
            QCOMPARE(returned.count(), 0);
            QCOMPARE(finished.count(), 0);
        }
        // The text edit's filter does nothing: every key and Enter reach it.
        focus(m_text);
        QTest::keyClicks(m_text, "Ab-1.,x ");
        QCOMPARE(m_text->text(), QString("Ab-1.,x "));
        QSignalSpy returned(m_text, &QLineEdit::returnPressed);
        QTest::keyClick(m_text, Qt::Key_Return);
        QCOMPARE(returned.count(), 1);
    }

    // The filter sees the edit's text length (the separator of each locale is the field text's concern).
    void realEditSeparator()
    {
        QLocale::setDefault(QLocale::c());
        const QString separator = ".", other = ",";
        focus(m_real);

        // An empty edit refuses the separator: a number cannot start with it.
        QTest::keyClicks(m_real, separator);
        QCOMPARE(m_real->text(), QString());
        QTest::keyClicks(m_real, "1" + separator + other + "-x5");
        QCOMPARE(m_real->text(), "1" + separator + "5");
        QTest::keyClicks(m_real, separator); // a second separator is not refused
        QCOMPARE(m_real->text(), "1" + separator + "5" + separator);

        // Up to length 6 the filter holds; from length 7 on every key passes.
        m_real->clear();
        QTest::keyClicks(m_real, "123456x");
        QCOMPARE(m_real->text(), QString("123456"));
        QTest::keyClicks(m_real, "7");
        QTest::keyClicks(m_real, "x-" + other);
        QCOMPARE(m_real->text(), "1234567x-" + other);
        QTest::keyClick(m_real, Qt::Key_Backspace);
        QCOMPARE(m_real->text(), QString("1234567x-"));
    }

    // A character typed with modifiers (AltGr arrives as Ctrl+Alt or as the group switch)
    // meets the filter like any other; only a plain Ctrl or Ctrl+Shift key is a shortcut,
    // which the edit does not type either.
    void charactersTypedWithModifiers_data()
    {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("after");
        const int ctrlAlt = Qt::ControlModifier | Qt::AltModifier;
        const int altGr = Qt::GroupSwitchModifier;
        const auto row = [](const char *name, const char *edit, const char *before, int mods,
                            const QString &typed, const QString &after) {
            QTest::newRow(name) << QString(edit) << QString(before) << mods << typed << after;
        };
        row("num, Ctrl+Alt @", "ed_num", "1", ctrlAlt, "@", "1");
        row("num, Ctrl+Alt+Shift Q", "ed_num", "1", ctrlAlt | Qt::ShiftModifier, "Q", "1");
        row("num, AltGr euro", "ed_num", "1", altGr, QString::fromUtf8("€"), "1");
        row("num, AltGr+Shift minus", "ed_num", "1", altGr | Qt::ShiftModifier, "-", "1");
        row("num, Ctrl+AltGr x", "ed_num", "1", Qt::ControlModifier | altGr, "x", "1");
        row("num, Ctrl+keypad minus", "ed_num", "1", Qt::ControlModifier | Qt::KeypadModifier, "-", "1");
        row("num, Meta x", "ed_num", "1", Qt::MetaModifier, "x", "1");
        row("num, Ctrl+Shift zero-width joiner", "ed_num", "1", Qt::ControlModifier | Qt::ShiftModifier,
            QString(QChar(0x200D)), "1");
        row("num, Ctrl+Alt digit", "ed_num", "1", ctrlAlt, "7", "17");
        row("num, AltGr digit", "ed_num", "1", altGr, "5", "15");
        row("real, Ctrl+Alt x", "ed_real", "1", ctrlAlt, "x", "1");
        row("real, AltGr separator first", "ed_real", "", altGr, ".", "");
        row("real, AltGr separator after a digit", "ed_real", "1", altGr, ".", "1.");
        row("real, Ctrl+Alt x at length 7", "ed_real", "1234567", ctrlAlt, "x", "1234567x");
    }
    void charactersTypedWithModifiers()
    {
        QFETCH(QString, edit);
        QFETCH(QString, before);
        QFETCH(int, modifiers);
        QFETCH(QString, typed);
        QFETCH(QString, after);
        QLocale::setDefault(QLocale::c());
        QLineEdit *e = edit == "ed_num" ? m_num : m_real;
        e->setText(before);
        focus(e);
        QTest::sendKeyEvent(QTest::Click, e, Qt::Key_unknown, typed, Qt::KeyboardModifiers(modifiers));
        QCOMPARE(e->text(), after);
    }

    // The text a key types, by the rule every check of typed keys uses, is what Qt's own
    // edits insert for it: a one-line edit, and a multi-line one whose Tab moves the focus.
    void typedTextIsWhatTheEditsInsert_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("modifiers");
        const auto ctrlAlt = Qt::ControlModifier | Qt::AltModifier,
                   ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
        const auto row = [](const char *name, Qt::Key key, const QString &text, Qt::KeyboardModifiers mods) {
            QTest::newRow(name) << int(key) << text << int(mods);
        };
        const QString one = "1", enter = "\r";
        row("Ctrl+Alt digit", Qt::Key_1, one, ctrlAlt);
        row("Ctrl digit", Qt::Key_1, one, Qt::ControlModifier);
        row("Ctrl+Alt V", Qt::Key_V, "v", ctrlAlt);
        row("Ctrl+keypad minus", Qt::Key_Minus, "-", Qt::ControlModifier | Qt::KeypadModifier);
        row("Ctrl+Shift zero-width joiner", Qt::Key_unknown, QString(QChar(0x200D)), ctrlShift);
        row("emoji", Qt::Key_unknown, QString::fromUtf8("\U0001F600"), {});
        row("lone high surrogate", Qt::Key_unknown, QString(QChar(0xD83D)), {});
        row("Ctrl+Alt private use", Qt::Key_unknown, QString(QChar(0xE000)), ctrlAlt);
        row("next line control", Qt::Key_unknown, QString(QChar(0x85)), {});
        row("Ctrl+Alt Tab", Qt::Key_Tab, "\t", ctrlAlt);
        row("Enter", Qt::Key_Return, enter, {});
        row("Shift+Enter", Qt::Key_Return, enter, Qt::ShiftModifier);
        row("Ctrl+Alt Enter", Qt::Key_Return, enter, ctrlAlt);
    }
    void typedTextIsWhatTheEditsInsert()
    {
        QFETCH(int, key);
        QFETCH(QString, text);
        QFETCH(int, modifiers);
        const auto mods = Qt::KeyboardModifiers(modifiers);
        auto *multi = new QPlainTextEdit(m_window.get());
        multi->setTabChangesFocus(true);
        m_window->layout()->addWidget(multi);
        const QKeyEvent press(QEvent::KeyPress, key, mods, text);
        for (QWidget *edit : {static_cast<QWidget *>(m_text), static_cast<QWidget *>(multi)}) {
            edit->setFocus();
            QTRY_VERIFY(edit->hasFocus());
            QTest::keyClicks(edit, "xy");
            QTest::sendKeyEvent(QTest::Click, edit, Qt::Key(key), text, mods);
            const QString inserted = (edit == multi ? multi->document()->toRawText() : m_text->text()).mid(2);
            QCOMPARE(TypedText(&press, edit == multi ? EditKind::MultiLine : EditKind::OneLine), inserted);
        }
    }

    void pastedTextIsNotFiltered()
    {
        // Pasting from the keyboard is a shortcut, not a typed character.
        QGuiApplication::clipboard()->setText("-7e");
        if (QGuiApplication::clipboard()->text() != "-7e")
            QSKIP("no clipboard on this platform");
        m_num->clear();
        focus(m_num);
        QTest::keyClick(m_num, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(m_num->text(), QString("-7e"));
    }

    void editingKeysPass()
    {
        focus(m_num);
        QTest::keyClicks(m_num, "123");
        QTest::keyClick(m_num, Qt::Key_Home);
        QTest::keyClick(m_num, Qt::Key_Delete);
        QCOMPARE(m_num->text(), QString("23"));
        QTest::keyClick(m_num, Qt::Key_Right);
        QTest::keyClicks(m_num, "9");
        QCOMPARE(m_num->text(), QString("293"));
        QTest::keyClick(m_num, Qt::Key_Tab); // focus moves on
        QTRY_VERIFY(m_real->hasFocus());
    }

    // A valid time steps by a minute around the clock; an invalid one shows the error and
    // becomes 00:00 (which texts are valid times is the field text's concern).
    void timeUporDown_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<bool>("up");
        QTest::addColumn<QString>("after");
        QTest::addColumn<bool>("invalid");
        QTest::newRow("up wraps at midnight") << "23:59" << true << "00:00" << false;
        for (const char *bad : {"25:00", ""})
            QTest::addRow("invalid '%s'", bad) << QString(bad) << true << "00:00" << true;
    }

    void timeUporDown()
    {
        QFETCH(QString, before);
        QFETCH(bool, up);
        QFETCH(QString, after);
        QFETCH(bool, invalid);
        MessageRecorder recorder;
        QLineEdit *time = addEdit("em_max_duration", nullptr);
        QObject spin;
        spin.setObjectName("sb_max_duration");
        time->setText(before);
        TimeUporDown(&spin, up, time);
        QCOMPARE(time->text(), after);
        if (!invalid) {
            QVERIFY(recorder.texts().isEmpty());
            return;
        }
        QCOMPARE(recorder.texts(), QStringList{QString::fromUtf8("Ung\xC3\xBCltige Zeitangabe")});
        QCOMPARE(recorder.requests().at(0).kind, MsgKind::Error);
        QCOMPARE(recorder.requests().at(0).buttons, int(MbOk));
        QCOMPARE(recorder.requests().at(0).helpContext, 0);
    }

    void timeUporDownOnlyForItsSpinButton()
    {
        MessageRecorder recorder;
        QLineEdit *time = addEdit("em_Max_Duration", nullptr);
        time->setText("25:00");
        QObject other;
        other.setObjectName("sb_other");
        TimeUporDown(&other, true, time);
        TimeUporDown(nullptr, true, time);
        QCOMPARE(time->text(), QString("25:00"));
        QVERIFY(recorder.texts().isEmpty());

        // Without the edit given, it is found by name in the sender's window, ignoring case.
        time->setText("12:00");
        auto *spin = new QWidget(m_window.get());
        spin->setObjectName("SB_max_duration");
        TimeUporDown(spin, false);
        QCOMPARE(time->text(), QString("11:59"));
    }

    void oneFilterPerEdit()
    {
        // The filter belongs to its edit and dies with it.
        auto *edit = new QLineEdit;
        QPointer<KeyPressFilter> filter = installKeyPressFilter(edit, edNumKeyPress);
        QVERIFY(filter);
        delete edit;
        QVERIFY(filter.isNull());
        QCOMPARE(installKeyPressFilter(nullptr, edNumKeyPress), nullptr);
    }
};

QTEST_MAIN(TestKeyFilters)
#include "tst_keyfilters.moc"
