#pragma once
// Help by context number.
//
// No help file ships with the program, so the default handler records the request and
// shows an information box naming the context. Tests install their own handler.

#include <QString>

#include <functional>

class QWidget;

using HelpHandler = std::function<void(int context)>;

// Requests help for a context number; 0 (no context) requests nothing.
void requestHelp(int context);

// Installs a handler for help requests (nullptr: the default one); returns the previous.
HelpHandler setHelpHandler(HelpHandler handler);

// The context of the last request that reached the help layer (0 before any).
int lastHelpContext();

// The text of the information box the default handler shows for a context.
QString helpUnavailableText(int context);

// Help contexts of widgets are kept in the dynamic property "HelpContext" (settable in
// Qt Designer). A widget without one takes its parent's, up to the window.
void setHelpContext(QWidget *widget, int context);
int helpContextOf(const QWidget *widget);

// F1 in the window requests the help context of the widget that has the focus
// (or of the window itself).
void installHelpKey(QWidget *window);
