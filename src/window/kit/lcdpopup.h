#pragma once
// The popup menu of the LCD text fields, PopupLCD: "LCD character" shows the character
// picker, "Paste" replaces the whole text of the field on which the menu was opened with
// the clipboard's text. It takes the place of an edit's standard menu. One menu serves
// every LCD text field of a window.

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
    // The clipboard's text, taken whole: the field's length limits only what the user
    // types or pastes by keys, a middle click or a drop. Masked edits are left alone.
    void Paste1Click();

private:
    QPointer<QLineEdit> m_component;
};

// Gives an LCD text field its window's PopupLCD in place of the standard menu; its length
// then limits what the user types or pastes otherwise (limitEntry).
void installLcdPopup(QLineEdit *field);
