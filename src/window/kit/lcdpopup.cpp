#include "lcdpopup.h"

#include "charset.h"
#include "controls.h"
#include "dispatch.h"
#include "entrylimit.h"
#include "fieldtext.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QVariant>

TLcdPopup::TLcdPopup(QWidget *parent) : QMenu(parent)
{
    setObjectName(QStringLiteral("PopupLCD"));
    QAction *lcdCharacter = addAction(QStringLiteral("LCD character"));
    lcdCharacter->setObjectName(QStringLiteral("LCDcharacter1"));
    QAction *paste = addAction(QStringLiteral("Paste"));
    paste->setObjectName(QStringLiteral("Paste1"));
    QAction *undo = addAction(QStringLiteral("Undo"));
    undo->setObjectName(QStringLiteral("Undo1"));
    undo->setVisible(false);
    connect(lcdCharacter, &QAction::triggered, this,
            [this] { runGuarded([this] { LCDcharacter1Click(); }); });
    connect(paste, &QAction::triggered, this, [this] { runGuarded([this] { Paste1Click(); }); });
}

TLcdPopup *TLcdPopup::of(QWidget *window)
{
    if (!window)
        return nullptr;
    auto *menu = window->findChild<TLcdPopup *>(QStringLiteral("PopupLCD"), Qt::FindDirectChildrenOnly);
    return menu ? menu : new TLcdPopup(window);
}

void TLcdPopup::popupFor(QLineEdit *field, const QPoint &globalPos)
{
    m_component = field;
    popup(globalPos);
}

void TLcdPopup::LCDcharacter1Click()
{
    showCharacterPicker();
}

void TLcdPopup::Paste1Click()
{
    QLineEdit *field = m_component;
    if (!field || qobject_cast<TMaskEdit *>(field) || !field->inputMask().isEmpty())
        return;
    // The field's length: the limit its entries keep (limitEntry), else its own.
    const QVariant limit = field->property("entryLimit");
    const QClipboard *clipboard = QGuiApplication::clipboard();
    const QString part = PastedText(clipboard ? clipboard->text() : QString(),
                                    limit.isValid() ? limit.toInt() : field->maxLength());
    if (part.isEmpty())
        return;
    // The whole text replaced as one undo step, so that Ctrl+Z brings back the old one.
    field->selectAll();
    field->insert(part);
}

void installLcdPopup(QLineEdit *field)
{
    if (!field || field->contextMenuPolicy() == Qt::CustomContextMenu)
        return;
    field->setContextMenuPolicy(Qt::CustomContextMenu);
    // The field's length limits what is typed, pasted (by keys, the menu's Paste, a middle
    // click) or dropped.
    limitEntry(field);
    QObject::connect(field, &QWidget::customContextMenuRequested, field, [field](const QPoint &pos) {
        if (TLcdPopup *menu = TLcdPopup::of(field->window()))
            menu->popupFor(field, field->mapToGlobal(pos));
    });
}
