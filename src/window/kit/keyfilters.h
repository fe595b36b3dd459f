#pragma once
// Key filters of the edits and the time stepping of the battery test duration.
//
// A key filter sees each typed character before the edit does and refuses it by
// replacing it with the null character. Filters are key-press event filters
// (installKeyPressFilter): text that reaches an edit in any other way (pasting, setText,
// insert, input methods) is not filtered. Keys that type no character (arrows, Delete,
// Tab, Escape, shortcuts with Ctrl or Ctrl+Shift alone) are not filtered either.

#include <QChar>
#include <QObject>
#include <QString>

class QKeyEvent;
class QLineEdit;
class QWidget;

// The edits a key is typed into: a one-line edit, or a multi-line one, which also takes a
// Tab and a line break.
enum class EditKind { OneLine, MultiLine };

// The text a key press types into an edit: what Qt's own edits insert for it, so that every
// check of typed keys (key filters, lengths) sees exactly the keys that do go in. A
// formatting character (a zero-width joiner, typed with Ctrl+Shift on some systems) is
// always typed. Otherwise Ctrl or Ctrl+Shift alone type nothing (shortcuts), and with any
// other modifiers (Ctrl+Alt is AltGr on some systems) a key types its text when that starts
// with a printable or private-use character or with a character outside the Basic
// Multilingual Plane. A multi-line edit also takes a Tab, and Enter and Shift+Enter as a
// line break (U+2029 and U+2028). Empty when the key types nothing.
QString TypedText(const QKeyEvent *event, EditKind kind);

// A key-press handler: `sender` is the edit, `key` the typed character (Backspace is
// code 8, Enter code 13); setting `key` to the null character refuses it.
using KeyPressHandler = void (*)(QObject *sender, QChar &key);

// Integer edits: Backspace and the digits pass; Enter is swallowed.
void edNumKeyPress(QObject *sender, QChar &key);
// Real-number edits: Enter is swallowed; the rest depends on the length of the edit's
// text before the key (see RealNumKeyFilter in fieldtext.h).
void edRealNumKeyPress(QObject *sender, QChar &key);
// The signed low temperature: as edRealNumKeyPress, and a minus sign into an empty edit.
void edRealNumKeyPress1(QObject *sender, QChar &key);
// The Tk coefficient and the lower Tk limit of the battery page.
void em_TkKeyPress(QObject *sender, QChar &key);
void em_TkminKeyPress(QObject *sender, QChar &key);
// Text edits: every key passes.
void ed_TextKeyPress(QObject *sender, QChar &key);

// Runs a KeyPressHandler for every character typed into the edits it is installed on.
class KeyPressFilter : public QObject
{
    Q_OBJECT
public:
    explicit KeyPressFilter(KeyPressHandler handler, QObject *parent = nullptr);
    KeyPressHandler handler() const { return m_handler; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    KeyPressHandler m_handler;
};

// Installs `handler` as the key filter of `edit`; the filter belongs to the edit.
KeyPressFilter *installKeyPressFilter(QWidget *edit, KeyPressHandler handler);

// Handler of the up and down buttons of `sb_max_duration`: steps the time of day in
// `em_max_duration` by one minute, wrapping around midnight. Does nothing for any other
// sender. A text that is no valid time shows "Ungültige Zeitangabe" and becomes
// "00:00". Without `timeEdit`, the edit is looked up by name in the sender's window.
void TimeUporDown(QObject *sender, bool up, QLineEdit *timeEdit = nullptr);
