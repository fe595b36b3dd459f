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

QString TypedText(const QKeyEvent *event, EditKind kind)
{
    if (kind == EditKind::MultiLine) {
        if (event->matches(QKeySequence::InsertParagraphSeparator))
            return QString(QChar::ParagraphSeparator);
        if (event->matches(QKeySequence::InsertLineSeparator))
            return QString(QChar::LineSeparator);
    }
    const QString text = event->text();
    if (text.isEmpty())
        return {};
    const QChar first = text.at(0);
    if (first.category() == QChar::Other_Format)
        return text;
    const Qt::KeyboardModifiers mods = event->modifiers();
    if (mods == Qt::ControlModifier || mods == (Qt::ControlModifier | Qt::ShiftModifier))
        return {};
    const bool typed = first.isPrint() || first.category() == QChar::Other_PrivateUse ||
                       (first.isHighSurrogate() && text.size() > 1 && text.at(1).isLowSurrogate()) ||
                       (kind == EditKind::MultiLine && first == QLatin1Char('\t'));
    return typed ? text : QString();
}

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
        // Whatever the modifiers (Ctrl+Alt and the group switch of AltGr, the keypad,
        // Meta), a key the edit types must pass the filter.
        typed = TypedText(keyEvent, EditKind::OneLine);
        if (typed.isEmpty())
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
