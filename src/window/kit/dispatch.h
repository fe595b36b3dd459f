#pragma once
// Running event handlers: a conversion error (or any other failure) that a handler
// raises ends the handler and is shown once as an error box. Exceptions never reach
// Qt's event loop.

#include <QEvent>
#include <QObject>
#include <QWidget>

#include <functional>
#include <utility>

// Runs the handler; returns false when it failed (the failure has been shown).
// While the box of one failure is open, failures of handlers that run meanwhile (for
// example an exit handler fired by the box taking the focus) are not shown again.
bool runGuarded(const std::function<void()> &handler);

// How many failures runGuarded has caught in this run (shown or not). Lets a caller tell
// whether handlers it set off indirectly (an exit handler run by a focus change) failed.
int guardedFailureCount();

// Connects a signal to a handler that runs guarded.
template <typename Sender, typename Signal, typename Handler>
QMetaObject::Connection connectGuarded(Sender *sender, Signal signal, QObject *context, Handler handler)
{
    return QObject::connect(sender, signal, context, [handler = std::move(handler)](auto &&...args) {
        runGuarded([&] { handler(std::forward<decltype(args)>(args)...); });
    });
}

// Runs the handler, guarded, when the focus leaves the widget, or a container and all
// widgets inside it, for another widget of the same window (an exit handler). Losing the focus because
// another window became active (a message box, a menu) is no exit; neither is a change of the text by code.
void connectExit(QWidget *widget, std::function<void()> handler);
