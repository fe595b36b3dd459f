#include "helplayer.h"

#include "messages.h"

#include <QApplication>
#include <QShortcut>
#include <QString>
#include <QVariant>
#include <QWidget>

namespace {
int &lastContext()
{
    static int c = 0;
    return c;
}

void defaultHelp(int context)
{
    showMessage(helpUnavailableText(context), MsgKind::Information, MbOk);
}

HelpHandler &handler()
{
    static HelpHandler h;
    return h;
}
} // namespace

QString helpUnavailableText(int context)
{
    return QStringLiteral("No help file is installed.\r\nHelp context: %1").arg(context);
}

void requestHelp(int context)
{
    if (context == 0)
        return;
    lastContext() = context;
    if (handler())
        handler()(context);
    else
        defaultHelp(context);
}

HelpHandler setHelpHandler(HelpHandler h)
{
    HelpHandler old = std::move(handler());
    handler() = std::move(h);
    return old;
}

int lastHelpContext()
{
    return lastContext();
}

void setHelpContext(QWidget *widget, int context)
{
    if (widget)
        widget->setProperty("HelpContext", context);
}

int helpContextOf(const QWidget *widget)
{
    for (const QWidget *w = widget; w; w = w->isWindow() ? nullptr : w->parentWidget()) {
        const int c = w->property("HelpContext").toInt();
        if (c != 0)
            return c;
    }
    return 0;
}

void installHelpKey(QWidget *window)
{
    auto *shortcut = new QShortcut(QKeySequence(Qt::Key_F1), window);
    shortcut->setContext(Qt::WindowShortcut);
    QObject::connect(shortcut, &QShortcut::activated, window, [window] {
        QWidget *focus = window->focusWidget();
        requestHelp(helpContextOf(focus ? focus : window));
    });
}
