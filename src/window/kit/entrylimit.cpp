#include "entrylimit.h"

#include "fieldtext.h"
#include "keyfilters.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>

namespace {

constexpr int NoLimit = 32767; // QLineEdit's length when none is set

// The event filter of one edit. The edit's own length is lifted, so that code may set
// longer texts; the filter holds the limit against what the user enters instead.
class EntryLimit : public QObject
{
public:
    EntryLimit(QLineEdit *edit, int limit) : QObject(edit), m_edit(edit), m_limit(limit)
    {
        edit->setMaxLength(NoLimit);
        edit->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        // A masked edit's mask holds its length (typing overwrites the mask positions);
        // a read-only edit takes nothing anyway.
        if (!m_edit->inputMask().isEmpty() || m_edit->isReadOnly())
            return false;
        switch (event->type()) {
        case QEvent::KeyPress:
            return keyPress(static_cast<QKeyEvent *>(event));
        case QEvent::InputMethod:
            inputMethod(static_cast<QInputMethodEvent *>(event));
            return false;
        case QEvent::MouseButtonRelease:
            return middleClick(static_cast<QMouseEvent *>(event));
        case QEvent::ContextMenu:
            return contextMenu(static_cast<QContextMenuEvent *>(event));
        case QEvent::DragEnter:
        case QEvent::DragMove:
            return dragMove(static_cast<QDragMoveEvent *>(event));
        case QEvent::Drop:
            return drop(static_cast<QDropEvent *>(event));
        default:
            return false;
        }
    }

private:
    // Characters left for text that replaces the selection (and `replaced` more).
    qsizetype room(qsizetype replaced = 0) const
    {
        return m_limit - (m_edit->text().size() - m_edit->selectedText().size() - replaced);
    }

    // What a native edit of this length does with a paste: the selection replaced by as
    // much of the clipboard's first line as fits, in an undo step of its own. Nothing to
    // insert changes nothing.
    void paste(QClipboard::Mode mode)
    {
        const QClipboard *clipboard = QGuiApplication::clipboard();
        const QString part = PastedText(clipboard ? clipboard->text(mode) : QString(), room());
        if (part.isEmpty())
            return;
        endUndoStep();
        m_edit->insert(part);
        endUndoStep();
    }

    // Ends the edit's current undo step, so that Undo takes back a paste but not the typing
    // before or after it. The edit ends a step whenever its cursor moves: the cursor goes
    // one place away and back, and the selection is set again.
    void endUndoStep()
    {
        const int cursor = m_edit->cursorPosition();
        const int start = m_edit->selectionStart(); // -1: none
        const int length = int(m_edit->selectedText().size());
        const int away =
            start < 0 ? (cursor > 0 ? cursor - 1 : cursor + 1) : (cursor == start ? start + length : start);
        if (away > m_edit->text().size())
            return; // an empty edit has no step to end
        m_edit->setCursorPosition(away);
        if (start < 0)
            m_edit->setCursorPosition(cursor);
        else
            m_edit->setSelection(start, length);
    }

    bool keyPress(QKeyEvent *key)
    {
        if (key->matches(QKeySequence::Paste)) {
            paste(QClipboard::Clipboard);
            key->accept();
            return true;
        }
        // A key the edit types counts with whatever modifiers it comes.
        const QString typed = TypedText(key, EditKind::OneLine);
        return !typed.isEmpty() && typed.size() > room();
    }

    // Text committed by an input method goes in as far as it fits, as typed keys do.
    void inputMethod(QInputMethodEvent *input)
    {
        const QString commit = input->commitString();
        const QString part = PastedText(commit, room(input->replacementLength()));
        if (part != commit)
            input->setCommitString(part, input->replacementStart(), input->replacementLength());
    }

    // The X11 selection pasted where the middle button was pressed (the press has put
    // the cursor there); platforms without a selection do nothing on a middle click.
    bool middleClick(QMouseEvent *mouse)
    {
        const QClipboard *clipboard = QGuiApplication::clipboard();
        if (mouse->button() != Qt::MiddleButton || !clipboard || !clipboard->supportsSelection())
            return false;
        m_edit->deselect();
        paste(QClipboard::Selection);
        mouse->accept();
        return true;
    }

    // The edit's standard menu, with its Paste going through paste() above.
    bool contextMenu(QContextMenuEvent *request)
    {
        if (m_edit->contextMenuPolicy() != Qt::DefaultContextMenu)
            return false;
        QMenu *menu = m_edit->createStandardContextMenu();
        if (!menu)
            return false;
        const QString pasteText = QCoreApplication::translate("QLineEdit", "&Paste");
        for (QAction *action : menu->actions()) {
            if (action->text().section(QLatin1Char('\t'), 0, 0) != pasteText)
                continue;
            QObject::disconnect(action, &QAction::triggered, m_edit, nullptr);
            QObject::connect(action, &QAction::triggered, this, [this] { paste(QClipboard::Clipboard); });
        }
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(request->globalPos());
        request->accept();
        return true;
    }

    // What of a dragged text a drop takes: it goes in at the drop point, beside any
    // selection.
    QString droppedPart(const QString &text) const
    {
        return PastedText(text, m_limit - m_edit->text().size());
    }

    // Refuses a drag or drop and takes away the drop cursor.
    void refuse(QDropEvent *event)
    {
        event->ignore();
        QDragLeaveEvent leave;
        QCoreApplication::sendEvent(m_edit, &leave);
    }

    // While a text is dragged over the edit, the answer is what its drop will do, so that
    // the source (another program too) moves the text away only when the edit takes it
    // whole: the edit's own answer then, a copy when only a part fits, refused when
    // nothing does. The edit still shows the drop cursor where the text would go.
    bool dragMove(QDragMoveEvent *event)
    {
        const QMimeData *data = event->mimeData();
        const QString text = data ? data->text() : QString();
        if (m_answering || text.isNull())
            return false;
        switch (AnswerDrag(text, droppedPart(text), event->possibleActions() & Qt::CopyAction)) {
        case DragAnswer::AsProposed:
            return false;
        case DragAnswer::AsCopy:
            m_answering = true; // the edit's own answer, for the drop cursor
            QCoreApplication::sendEvent(m_edit, event);
            m_answering = false;
            if (event->isAccepted())
                event->setDropAction(Qt::CopyAction);
            return true;
        case DragAnswer::Refused:
            break;
        }
        refuse(event);
        return true;
    }

    // A drop of a text that fits whole takes the edit's own way; otherwise its fitting part
    // is dropped as a copy, and a drop of nothing is refused.
    bool drop(QDropEvent *event)
    {
        const QMimeData *data = event->mimeData();
        const QString text = data ? data->text() : QString();
        if (text.isNull())
            return false;
        const QString part = droppedPart(text);
        switch (AnswerDrag(text, part, event->possibleActions() & Qt::CopyAction)) {
        case DragAnswer::AsProposed:
            return false;
        case DragAnswer::AsCopy:
            break;
        case DragAnswer::Refused:
            refuse(event);
            return true;
        }
        QMimeData fitting;
        fitting.setText(part);
        QDropEvent copy(event->position(), Qt::CopyAction, &fitting, event->buttons(), event->modifiers());
        QCoreApplication::sendEvent(m_edit, &copy);
        event->setDropAction(copy.dropAction());
        event->setAccepted(copy.isAccepted());
        return true;
    }

    QLineEdit *m_edit;
    int m_limit;
    bool m_answering = false; // a drag passed on to the edit for its answer
};

} // namespace

void limitEntry(QLineEdit *edit, int limit)
{
    if (!edit || edit->property("entryLimit").isValid())
        return;
    if (limit < 0)
        limit = edit->maxLength();
    if (limit >= NoLimit)
        return;
    edit->setProperty("entryLimit", limit);
    new EntryLimit(edit, limit);
}
