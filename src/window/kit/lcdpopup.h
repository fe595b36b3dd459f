#pragma once
// The popup menu of the LCD text fields, PopupLCD: "LCD character" shows the character
// picker, "Paste" replaces the whole text of the field on which the menu was opened with
// the clipboard's first line, as far as the field's length goes. It takes the place of an
// edit's standard menu. One menu serves every LCD text field of a window.

#include <QMenu>
#include <QPointer>

class QLineEdit;

class TLcdPopup : public QMenu
{
    Q_OBJECT
public:
    explicit TLcdPopup(QWidget *parent);

    // The menu of a window, made when first asked for.
    static TLcdPopup *of(QWidget *window);

    // Opens the menu for a field at a global position (without waiting for a choice).
    void popupFor(QLineEdit *field, const QPoint &globalPos);
    // The field the menu was last opened on; null when it is gone.
    QLineEdit *PopupComponent() const { return m_component; }

    void LCDcharacter1Click();
    // The field's text := the clipboard's text up to its first line break, at most the
    // field's length (the cut of every paste). When that leaves nothing (an empty
    // clipboard, an empty first line) the field keeps its text. Masked edits are left alone.
    void Paste1Click();

private:
    QPointer<QLineEdit> m_component;
};

// Gives an LCD text field its window's PopupLCD in place of the standard menu; its length
// then limits what the user types or pastes otherwise (limitEntry).
void installLcdPopup(QLineEdit *field);
