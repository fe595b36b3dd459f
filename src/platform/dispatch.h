#pragma once
// Running event handlers: a conversion error (or any other failure) that a handler
// raises ends the handler and is shown once as an error box. Exceptions never reach
// Qt's event loop.

#include <QEvent>
#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <utility>

// Raised by a field's exit handler that refuses what the field holds: the message (none
// when empty) is shown once as a plain box, and the focus goes back to the field once the
// focus change that ran the exit has finished. Like any failure of a handler, it stops a
// page switch that the focus change was part of.
class FieldRefusal
{
public:
    FieldRefusal(QWidget *field, QString message) : m_field(field), m_message(std::move(message)) {}
    QWidget *field() const { return m_field; }
    const QString &message() const { return m_message; }

private:
    QPointer<QWidget> m_field;
    QString m_message;
};

// Runs the handler; returns false when it failed (the failure has been shown).
// While the box of one failure is open, failures of handlers that run meanwhile (for
// example an exit handler fired by the box taking the focus) are not shown again.
bool runGuarded(const std::function<void()> &handler);

// How many failures runGuarded has caught in this run (shown or not). Lets a caller tell
// whether handlers it set off indirectly (an exit handler run by a focus change) failed.
int guardedFailureCount();

// Whether a field that refused its exit has yet to get the focus back. Until it has, the
// refusal still stands: nothing that leaves the field may go on as if it had been left.
bool focusReturnPending();

// Gives `to` the focus of its window, running the exit handlers this change of focus runs as
// it would in the active window, also while another window is active (the main window
// closed from outside while a window beside it has the focus, say).
void moveFocus(QWidget *to);

// Connects a signal to a handler that runs guarded.
template <typename Sender, typename Signal, typename Handler>
QMetaObject::Connection connectGuarded(Sender *sender, Signal signal, QObject *context, Handler handler)
{
    return QObject::connect(sender, signal, context, [handler = std::move(handler)](auto &&...args) {
        runGuarded([&] { handler(std::forward<decltype(args)>(args)...); });
    });
}

// Runs the handler, guarded, when the focus leaves the widget, or a container and all
// widgets inside it, for another widget of the same window (an exit handler). Losing the
// focus because another window became active (a message box, a menu) is no exit; neither
// is a change of the text by code, nor the focus leaving a field for a moment while it is
// given back to a field that refused its exit. An exit handler that fails gives the
// focus back to the field it left, as a refusal does. The handler belongs to `context` (a page,
// say) when one is given, else to the widget: it never runs after its owner is gone.
void connectExit(QWidget *widget, QObject *context, std::function<void()> handler);
inline void connectExit(QWidget *widget, std::function<void()> handler)
{
    connectExit(widget, nullptr, std::move(handler));
}
