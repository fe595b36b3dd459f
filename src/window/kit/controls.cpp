#include "controls.h"

#include "fieldtext.h"
#include "keyfilters.h"

#include <QApplication>
#include <QButtonGroup>
#include <QGridLayout>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QRadioButton>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolButton>
#include <QVBoxLayout>

#include <limits>
#include <utility>

QWidget *FindControl(const QObject *root, const QString &name)
{
    if (!root || name.isEmpty())
        return nullptr;
    const auto candidates = root->findChildren<QWidget *>();
    for (QWidget *w : candidates)
        if (w->objectName().compare(name, Qt::CaseInsensitive) == 0)
            return w;
    return nullptr;
}

// ---------------------------------------------------------------- TSpinButton

namespace {
constexpr int repeatDelayMs = 400;
constexpr int repeatIntervalMs = 100;

QToolButton *makeArrowButton(Qt::ArrowType arrow, QWidget *parent)
{
    auto *b = new QToolButton(parent);
    b->setArrowType(arrow);
    b->setFocusPolicy(Qt::NoFocus);
    b->setAutoRepeat(true);
    b->setAutoRepeatDelay(repeatDelayMs);
    b->setAutoRepeatInterval(repeatIntervalMs);
    b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    return b;
}
} // namespace

TSpinButton::TSpinButton(QWidget *parent)
    : QWidget(parent), m_up(makeArrowButton(Qt::UpArrow, this)), m_down(makeArrowButton(Qt::DownArrow, this))
{
    m_up->setObjectName(QStringLiteral("UpButton"));
    m_down->setObjectName(QStringLiteral("DownButton"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_up);
    layout->addWidget(m_down);
    setFocusPolicy(Qt::NoFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);

    // The focus moves when a button goes down, before its click.
    connect(m_up, &QToolButton::pressed, this, &TSpinButton::focusTheControl);
    connect(m_down, &QToolButton::pressed, this, &TSpinButton::focusTheControl);
    connect(m_up, &QToolButton::clicked, this, &TSpinButton::upClicked);
    connect(m_down, &QToolButton::clicked, this, &TSpinButton::downClicked);
}

QWidget *TSpinButton::FocusControl() const
{
    if (!m_focusControl && !m_focusControlName.isEmpty())
        m_focusControl = FindControl(window(), m_focusControlName);
    return m_focusControl;
}

void TSpinButton::setFocusControl(QWidget *control)
{
    m_focusControl = control;
    m_focusControlName = control ? control->objectName() : QString();
}

void TSpinButton::setFocusControlName(const QString &name)
{
    m_focusControlName = name;
    m_focusControl = nullptr;
}

QSize TSpinButton::sizeHint() const
{
    return QSize(17, 25);
}

void TSpinButton::focusTheControl()
{
    QWidget *control = FocusControl();
    if (control && control->isEnabled() && control->isVisible() && control->focusPolicy() != Qt::NoFocus &&
        !control->hasFocus())
        control->setFocus(Qt::MouseFocusReason);
}

// ---------------------------------------------------------------- TRadioGroup

TRadioGroup::TRadioGroup(QWidget *parent) : TRadioGroup(QString(), parent) {}

TRadioGroup::TRadioGroup(const QString &title, QWidget *parent)
    : QGroupBox(title, parent), m_group(new QButtonGroup(this)), m_layout(new QGridLayout(this))
{
    m_group->setExclusive(true);
}

QRadioButton *TRadioGroup::button(int index) const
{
    return index >= 0 && index < m_buttons.size() ? m_buttons.at(index) : nullptr;
}

void TRadioGroup::setItems(const QStringList &items)
{
    m_items = items;
    rebuild();
}

void TRadioGroup::setItemText(int index, const QString &text)
{
    if (index < 0 || index >= m_items.size())
        return;
    m_items[index] = text;
    m_buttons.at(index)->setText(text);
}

void TRadioGroup::setColumns(int columns)
{
    columns = qMax(1, columns);
    if (columns == m_columns)
        return;
    m_columns = columns;
    rebuild();
}

void TRadioGroup::rebuild()
{
    m_updating = true;
    for (QRadioButton *b : std::as_const(m_buttons)) {
        m_group->removeButton(b);
        delete b;
    }
    m_buttons.clear();

    const int n = int(m_items.size());
    const int perColumn = n == 0 ? 1 : (n + m_columns - 1) / m_columns;
    for (int i = 0; i < n; ++i) {
        auto *b = new QRadioButton(m_items.at(i), this);
        m_group->addButton(b, i);
        m_layout->addWidget(b, i % perColumn, i / perColumn);
        connect(b, &QRadioButton::toggled, this, [this, i](bool checked) { buttonToggled(i, checked); });
        m_buttons.append(b);
        b->show();
    }
    if (m_itemIndex >= n)
        m_itemIndex = n - 1;
    if (m_itemIndex >= 0)
        m_buttons.at(m_itemIndex)->setChecked(true);
    m_updating = false;
}

void TRadioGroup::setItemIndex(int index)
{
    if (index < -1)
        index = -1;
    // A form may give the index before the items: it is chosen when they come.
    if (m_items.isEmpty()) {
        m_itemIndex = index;
        return;
    }
    if (index >= count())
        index = count() - 1;
    if (index == m_itemIndex)
        return;
    if (index == -1) {
        m_updating = true;
        m_group->setExclusive(false);
        m_buttons.at(m_itemIndex)->setChecked(false);
        m_group->setExclusive(true);
        m_itemIndex = -1;
        m_updating = false;
        return;
    }
    m_buttons.at(index)->setChecked(true); // buttonToggled takes the index and clicks
}

void TRadioGroup::buttonToggled(int index, bool checked)
{
    if (!checked || m_updating)
        return;
    m_itemIndex = index;
    emit groupClicked();
}

void TRadioGroup::mousePressEvent(QMouseEvent *event)
{
    m_pressedInside = event->button() == Qt::LeftButton;
    QGroupBox::mousePressEvent(event);
}

void TRadioGroup::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click =
        m_pressedInside && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressedInside = false;
    QGroupBox::mouseReleaseEvent(event);
    if (click && isEnabled())
        emit groupClicked();
}

// ---------------------------------------------------------------- TMaskEdit

TMaskEdit::TMaskEdit(QWidget *parent) : QLineEdit(parent)
{
    // A font with every property set is not resolved against the parent's font.
    QFont own = QApplication::font(this);
    own.setResolveMask(QFont::AllPropertiesResolved);
    setFont(own);
}

void TMaskEdit::setEditMask(const QString &mask)
{
    m_editMask = mask;
    setInputMask(toInputMask(mask));
}

QString TMaskEdit::toInputMask(const QString &mask)
{
    if (mask.isEmpty())
        return QString();

    // Split off the fields after unescaped semicolons: keepLiterals and blank.
    QStringList fields;
    QString current;
    for (qsizetype i = 0; i < mask.size(); ++i) {
        const QChar c = mask.at(i);
        if (c == QLatin1Char('\\') && i + 1 < mask.size()) {
            current += c;
            current += mask.at(++i);
        } else if (c == QLatin1Char(';')) {
            fields << current;
            current.clear();
        } else {
            current += c;
        }
    }
    fields << current;
    const QString body = fields.constFirst();
    QChar blank = QLatin1Char('_');
    if (fields.size() >= 3 && !fields.at(2).isEmpty())
        blank = fields.at(2).at(0);

    static const QString qtSpecial = QStringLiteral("AaNnXx90DdHhBb#><!;[]{}\\");
    QString out;
    for (qsizetype i = 0; i < body.size(); ++i) {
        const QChar c = body.at(i);
        switch (c.unicode()) {
        case '\\':
            if (i + 1 < body.size()) {
                out += QLatin1Char('\\');
                out += body.at(++i);
            }
            continue;
        case '!': // leading blanks trimmed: no Qt equivalent needed
            continue;
        case '<':
            if (i + 1 < body.size() && body.at(i + 1) == QLatin1Char('>')) {
                out += QLatin1Char('!');
                ++i;
            } else {
                out += QLatin1Char('<');
            }
            continue;
        case '>':
            out += QLatin1Char('>');
            continue;
        case '0':
            out += QLatin1Char('9');
            continue;
        case '9':
            out += QLatin1Char('0');
            continue;
        case '#':
            out += QLatin1Char('#');
            continue;
        case 'L':
            out += QLatin1Char('A');
            continue;
        case 'l':
            out += QLatin1Char('a');
            continue;
        case 'A':
            out += QLatin1Char('N');
            continue;
        case 'a':
            out += QLatin1Char('n');
            continue;
        case 'C':
            out += QLatin1Char('X');
            continue;
        case 'c':
            out += QLatin1Char('x');
            continue;
        case '_':
            out += QLatin1Char(' ');
            continue;
        default:
            break;
        }
        if (qtSpecial.contains(c))
            out += QLatin1Char('\\');
        out += c;
    }
    return out + QLatin1Char(';') + blank;
}

// ---------------------------------------------------------------- TMemo

namespace {
bool carriesData(const QMimeData *source)
{
    return source && !source->formats().isEmpty();
}
} // namespace

TMemo::TMemo(QWidget *parent) : QPlainTextEdit(parent)
{
    connect(this, &QPlainTextEdit::textChanged, this, &TMemo::holdLimit);
}

void TMemo::setStoredLimit(qsizetype limit)
{
    m_limit = limit;
    holdLimit();
}

qsizetype TMemo::roomBeside(const QString &kept) const
{
    return m_limit < 0 ? std::numeric_limits<qsizetype>::max() : m_limit - MemoStoredLength(kept);
}

QString TMemo::textWithoutSelection() const
{
    const QTextCursor cursor = textCursor();
    return document()->toRawText().remove(cursor.selectionStart(),
                                          cursor.selectionEnd() - cursor.selectionStart());
}

// The ways in that the memo knows are held to the limit before their text goes in. A
// change that passes it all the same came by another way when it can be undone (a text set
// by code cannot): what came in is cut back. A text set by code (Open, New) is shown as
// far as the file keeps it.
void TMemo::holdLimit()
{
    if (m_holding)
        return;
    m_holding = true;
    QString text = document()->toRawText();
    if (m_limit >= 0 && MemoStoredLength(text) > m_limit && document()->isUndoAvailable()) {
        takeBackExcess(text);
        text = document()->toRawText();
    }
    if (m_limit >= 0 && MemoStoredLength(text) > m_limit) {
        setPlainText(MemoPastedText(text, m_limit));
        moveCursor(QTextCursor::End);
        text = document()->toRawText();
    }
    m_held = text;
    m_holding = false;
}

namespace {
// The lengths of the start and of the end that two texts share, never splitting a
// surrogate pair, and together never longer than the shorter text.
std::pair<qsizetype, qsizetype> sharedEnds(const QString &a, const QString &b)
{
    const qsizetype shorter = qMin(a.size(), b.size());
    qsizetype head = 0;
    while (head < shorter && a.at(head) == b.at(head))
        ++head;
    if (head > 0 && a.at(head - 1).isHighSurrogate())
        --head;
    qsizetype tail = 0;
    while (tail < shorter - head && a.at(a.size() - 1 - tail) == b.at(b.size() - 1 - tail))
        ++tail;
    if (tail > 0 && a.at(a.size() - tail).isLowSurrogate())
        --tail;
    return {head, tail};
}
} // namespace

void TMemo::takeBackExcess(const QString &text)
{
    // What came in lies between the start and the end the text shares with the one before.
    const auto [head, tail] = sharedEnds(text, m_held);
    const QString incoming = text.mid(head, text.size() - head - tail);
    const QString part = MemoPastedText(incoming, roomBeside(text.left(head) + text.right(tail)));
    if (part.size() == incoming.size())
        return;
    const QString fitting = text.left(head) + part + text.right(tail);
    qsizetype cursorAt = textCursor().position();
    if (cursorAt >= head + incoming.size())
        cursorAt -= incoming.size() - part.size();
    else
        cursorAt = qMin(cursorAt, head + part.size());

    // The change leaves the undo history as it came, and what fits of it goes in as one
    // step in its place: Undo goes back to the text before it.
    document()->undo();
    document()->clearUndoRedoStacks(QTextDocument::RedoStack);
    const QString undone = document()->toRawText();
    const auto [from, kept] = sharedEnds(undone, fitting);
    QTextCursor cursor(document());
    cursor.beginEditBlock();
    cursor.setPosition(int(from));
    cursor.setPosition(int(undone.size() - kept), QTextCursor::KeepAnchor);
    cursor.insertText(fitting.mid(from, fitting.size() - from - kept));
    cursor.endEditBlock();
    cursor.setPosition(int(qMin(cursorAt, qsizetype(fitting.size()))));
    setTextCursor(cursor);
}

bool TMemo::canInsertFromMimeData(const QMimeData *source) const
{
    return carriesData(source) && QPlainTextEdit::canInsertFromMimeData(source);
}

void TMemo::insertFromMimeData(const QMimeData *source)
{
    if (!carriesData(source))
        return;
    if (m_limit < 0) {
        QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    // A paste replaces the selection; a drop's cursor has none (a move within the memo
    // has taken its text away already).
    const QString text = source->text();
    const QString part = MemoPastedText(text, roomBeside(textWithoutSelection()));
    if (part.isEmpty())
        return;
    if (part.size() == text.size()) {
        QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    QMimeData fitting;
    fitting.setText(part);
    QPlainTextEdit::insertFromMimeData(&fitting);
}

void TMemo::keyPressEvent(QKeyEvent *event)
{
    if (m_limit >= 0 && !isReadOnly()) {
        // A line break is CR LF in the file.
        const QString typed = TypedText(event, EditKind::MultiLine);
        if (!typed.isEmpty() && MemoStoredLength(typed) > roomBeside(textWithoutSelection())) {
            event->accept();
            return;
        }
    }
    QPlainTextEdit::keyPressEvent(event);
}

void TMemo::inputMethodEvent(QInputMethodEvent *event)
{
    const QString commit = event->commitString();
    if (m_limit >= 0 && !commit.isEmpty()) {
        // The commit replaces the selection, then the range it names around the cursor.
        QString kept = textWithoutSelection();
        const int at = textCursor().selectionStart();
        const int from = qBound(0, at + event->replacementStart(), int(kept.size()));
        kept.remove(from, qBound(0, event->replacementLength(), int(kept.size()) - from));
        const QString part = MemoPastedText(commit, roomBeside(kept));
        if (part != commit)
            event->setCommitString(part, event->replacementStart(), event->replacementLength());
    }
    QPlainTextEdit::inputMethodEvent(event);
}

bool TMemo::answerDrag(QDropEvent *event, bool *asCopy)
{
    *asCopy = false;
    const QMimeData *data = event->mimeData();
    const QString text = data ? data->text() : QString();
    if (m_limit < 0 || text.isEmpty() || isReadOnly())
        return true; // the edit's own answer
    // A move within the memo takes its selection away before the text goes in.
    const bool ownMove = event->source() == viewport() && event->dropAction() == Qt::MoveAction;
    const qsizetype left = roomBeside(ownMove ? textWithoutSelection() : document()->toRawText());
    switch (AnswerDrag(text, MemoPastedText(text, left), event->possibleActions() & Qt::CopyAction)) {
    case DragAnswer::AsProposed:
        return true;
    case DragAnswer::AsCopy:
        *asCopy = true;
        return true;
    case DragAnswer::Refused:
        break;
    }
    event->ignore();
    QDragLeaveEvent leave; // takes away the drop cursor
    QCoreApplication::sendEvent(viewport(), &leave);
    return false;
}

void TMemo::dragEnterEvent(QDragEnterEvent *event)
{
    dragMoveEvent(event);
}

void TMemo::dragMoveEvent(QDragMoveEvent *event)
{
    bool asCopy = false;
    if (!answerDrag(event, &asCopy))
        return;
    if (event->type() == QEvent::DragEnter)
        QPlainTextEdit::dragEnterEvent(static_cast<QDragEnterEvent *>(event));
    else
        QPlainTextEdit::dragMoveEvent(event);
    if (asCopy && event->isAccepted())
        event->setDropAction(Qt::CopyAction);
}

void TMemo::dropEvent(QDropEvent *event)
{
    bool asCopy = false;
    if (!answerDrag(event, &asCopy))
        return;
    if (asCopy)
        event->setDropAction(Qt::CopyAction); // before the edit reads it
    QPlainTextEdit::dropEvent(event);
    if (asCopy && event->isAccepted())
        event->setDropAction(Qt::CopyAction);
}
