#pragma once
// Controls the windows are built from, beyond Qt's own: a spin button pair with a
// focus control, a radio group with an item index, a masked edit and a multi-line edit.

#include <QGroupBox>
#include <QLineEdit>
#include <QList>
#include <QPlainTextEdit>
#include <QPointer>
#include <QStringList>
#include <QWidget>

class QButtonGroup;
class QObject;
class QGridLayout;
class QMimeData;
class QRadioButton;
class QToolButton;

// The widget under `root` whose object name is `name`, letter case ignored; null if none.
// Every lookup of a control by a composed name goes through here.
QWidget *FindControl(const QObject *root, const QString &name);
template <class T> T *FindControlAs(const QObject *root, const QString &name)
{
    return qobject_cast<T *>(FindControl(root, name));
}

// A small pair of up and down buttons. Pressing either first gives the focus to the
// focus control (the edit the pair steps), then reports the click; holding a button
// repeats the click. The buttons themselves never take the focus.
class TSpinButton : public QWidget
{
    Q_OBJECT
    // Name of the focus control, for layouts made in Qt Designer; it is looked up in the
    // window (letter case ignored) when first needed.
    Q_PROPERTY(QString focusControlName READ focusControlName WRITE setFocusControlName)

public:
    explicit TSpinButton(QWidget *parent = nullptr);

    QWidget *FocusControl() const;
    void setFocusControl(QWidget *control);
    QString focusControlName() const { return m_focusControlName; }
    void setFocusControlName(const QString &name);

    QToolButton *upButton() const { return m_up; }
    QToolButton *downButton() const { return m_down; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

signals:
    void upClicked();
    void downClicked();

private:
    void focusTheControl();

    QToolButton *m_up;
    QToolButton *m_down;
    mutable QPointer<QWidget> m_focusControl;
    QString m_focusControlName;
};

// A group box of exclusive radio buttons, one per item. itemIndex is the chosen item,
// -1 for none. groupClicked() is the group's click: it is emitted whenever an item
// becomes chosen, by the user or by setItemIndex() from code, and when the user clicks
// the group's free area. Choosing the item that is already chosen, choosing none and
// changing the items emit nothing.
class TRadioGroup : public QGroupBox
{
    Q_OBJECT
    Q_PROPERTY(QStringList items READ items WRITE setItems)
    Q_PROPERTY(int itemIndex READ itemIndex WRITE setItemIndex)
    Q_PROPERTY(int columns READ columns WRITE setColumns)

public:
    explicit TRadioGroup(QWidget *parent = nullptr);
    explicit TRadioGroup(const QString &title, QWidget *parent = nullptr);

    QStringList items() const { return m_items; }
    // Replaces the items; the chosen index stays (at most the last item).
    void setItems(const QStringList &items);
    // Changes the caption of one item.
    void setItemText(int index, const QString &text);

    int itemIndex() const { return m_itemIndex; }
    // Values below -1 mean -1; values past the last item choose the last item. Without
    // items the index waits for them.
    void setItemIndex(int index);

    int columns() const { return m_columns; }
    void setColumns(int columns);

    int count() const { return int(m_buttons.size()); }
    QRadioButton *button(int index) const;

signals:
    void groupClicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void rebuild();
    void buttonToggled(int index, bool checked);

    QStringList m_items;
    QList<QRadioButton *> m_buttons;
    QButtonGroup *m_group;
    QGridLayout *m_layout;
    int m_itemIndex = -1;
    int m_columns = 1;
    bool m_updating = false;
    bool m_pressedInside = false;
};

// An edit with an input mask. It keeps its own font: a font set on its window or page
// does not reach it (the LCD face goes to plain edits only).
class TMaskEdit : public QLineEdit
{
    Q_OBJECT
    // The mask in its stored form, "mask;keepLiterals;blank", e.g. "!00:00;1;_".
    Q_PROPERTY(QString editMask READ editMask WRITE setEditMask)

public:
    explicit TMaskEdit(QWidget *parent = nullptr);

    QString editMask() const { return m_editMask; }
    void setEditMask(const QString &mask);

    // The Qt input mask for a stored mask ("!00:00;1;_" gives "99:99;_").
    static QString toInputMask(const QString &mask);

private:
    QString m_editMask;
};

// A multi-line text edit. A paste or drop whose data has no format at all (an empty
// clipboard, a drag that carries nothing) is ignored: Qt 6.4's own insertion reads the
// first format without looking whether there is one, and would crash. Every other
// paste or drop goes to QPlainTextEdit as usual.
//
// With a limit, the text holds at most that many characters as stored (MemoStoredLength:
// a line break counts 2), as a native edit with a length would: a key that would pass it
// is refused, whatever its modifiers, Enter and Tab included; a paste (keys, menu, middle
// click), a drop or an input method's text goes in as far as it fits, the selection
// replaced first, and never cuts the edit's own text; Undo and Redo work as usual. A drag
// that cannot go in whole is answered as a copy of its fitting part, or refused when
// nothing fits, so that its source keeps its text. Text that comes in any other way (a
// screen reader's insertion) is cut back to what fits, and one Undo takes back what went
// in. A text set by code is cut at its end to the limit.
class TMemo : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit TMemo(QWidget *parent = nullptr);

    // Characters as stored; -1 (the default) for no limit.
    void setStoredLimit(qsizetype limit);

protected:
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void insertFromMimeData(const QMimeData *source) override;
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    // Room left beside the text that an insertion keeps.
    qsizetype roomBeside(const QString &kept) const;
    // The document's text without the selection, which a typed or pasted text replaces.
    QString textWithoutSelection() const;
    // What a drag of this event's text would do here; true when it may go on.
    bool answerDrag(QDropEvent *event, bool *asCopy);
    void holdLimit();
    // Takes back what of the last change to `text` passes the limit, from the end of what
    // came in; what is left of the change is one undo step.
    void takeBackExcess(const QString &text);

    qsizetype m_limit = -1;
    QString m_held; // the text as it was before the last change
    bool m_holding = false;
};
