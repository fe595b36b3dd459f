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

class QLineEdit;
class QWidget;

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
