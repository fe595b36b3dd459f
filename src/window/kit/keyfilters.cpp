#include "keyfilters.h"

#include "controls.h"
#include "fieldtext.h"
#include "messages.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QVariant>
#include <QWidget>

namespace {

// Length of the edit's text as the user sees it: a masked edit counts its literals
// and blanks too.
qsizetype editTextLength(QObject *sender)
{
    if (auto *edit = qobject_cast<QLineEdit *>(sender))
        return edit->inputMask().isEmpty() ? edit->text().size() : edit->displayText().size();
    return sender ? sender->property("text").toString().size() : 0;
}

bool isControlCharacter(QChar c)
{
    return c.unicode() < 0x20 || c.unicode() == 0x7F;
}

QLineEdit *findTimeEdit(QObject *sender)
{
    auto *widget = qobject_cast<QWidget *>(sender);
    if (!widget)
        return nullptr;
    return FindControlAs<QLineEdit>(widget->window(), QStringLiteral("em_max_duration"));
}

} // namespace

void edNumKeyPress(QObject *, QChar &key)
{
    key = NumKeyFilter(key);
}

void edRealNumKeyPress(QObject *sender, QChar &key)
{
    key = RealNumKeyFilter(key, editTextLength(sender));
}

void edRealNumKeyPress1(QObject *sender, QChar &key)
{
    key = SignedRealNumKeyFilter(key, editTextLength(sender));
}

void em_TkKeyPress(QObject *sender, QChar &key)
{
    key = TkKeyFilter(key, editTextLength(sender));
}

void em_TkminKeyPress(QObject *, QChar &key)
{
    key = TkMinKeyFilter(key);
}

void ed_TextKeyPress(QObject *, QChar &) {}

KeyPressFilter::KeyPressFilter(KeyPressHandler handler, QObject *parent) : QObject(parent), m_handler(handler)
{}

bool KeyPressFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || !m_handler)
        return false;
    auto *keyEvent = static_cast<QKeyEvent *>(event);

    QString typed;
    if (keyEvent->key() == Qt::Key_Return || keyEvent->key() == Qt::Key_Enter) {
        typed = KeyEnter;
    } else if (keyEvent->key() == Qt::Key_Backspace) {
        typed = KeyBackspace;
    } else {
        // Only Ctrl and Ctrl+Shift make a shortcut that the edit does not type. With any
        // other modifier (Ctrl+Alt and the group switch of AltGr, the keypad, Meta) the
        // edit types the key's text, so the filter must see it.
        const Qt::KeyboardModifiers mods = keyEvent->modifiers();
        const bool shortcut =
            mods == Qt::ControlModifier || mods == (Qt::ControlModifier | Qt::ShiftModifier);
        typed = keyEvent->text();
        if (shortcut || typed.isEmpty() || (typed.size() == 1 && isControlCharacter(typed.at(0))))
            return false; // no character is typed
    }

    // Every character of the event must pass, or the whole key is refused.
    for (QChar c : std::as_const(typed)) {
        QChar key = c;
        m_handler(watched, key);
        if (key.isNull())
            return true;
    }
    return false;
}

KeyPressFilter *installKeyPressFilter(QWidget *edit, KeyPressHandler handler)
{
    if (!edit)
        return nullptr;
    auto *filter = new KeyPressFilter(handler, edit);
    edit->installEventFilter(filter);
    return filter;
}

void TimeUporDown(QObject *sender, bool up, QLineEdit *timeEdit)
{
    if (!sender || sender->objectName().compare(QLatin1String("sb_max_duration"), Qt::CaseInsensitive) != 0)
        return;
    QLineEdit *edit = timeEdit ? timeEdit : findTimeEdit(sender);
    if (!edit)
        return;
    QString stepped;
    if (!StepTimeOfDayText(edit->text(), up, stepped)) {
        showMessage(QStringLiteral("Ungültige Zeitangabe"), MsgKind::Error, MbOk, 0);
        edit->setText(QStringLiteral("00:00"));
        return;
    }
    edit->setText(stepped);
}
