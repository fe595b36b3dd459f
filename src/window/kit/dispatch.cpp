#include "dispatch.h"

#include "messages.h"

#include <QApplication>

#include <exception>

namespace {
bool showingFailure = false;
int failureCount = 0;

void showFailure(const std::function<void()> &show)
{
    if (showingFailure)
        return;
    showingFailure = true;
    try {
        show();
    } catch (...) {
    }
    showingFailure = false;
}

// Watches the application's focus: the widget (or, for a container such as a radio
// group, any widget inside it) had the focus and another widget of the same window got it.
class ExitWatcher : public QObject
{
public:
    ExitWatcher(QWidget *widget, std::function<void()> handler)
        : QObject(widget), m_widget(widget), m_handler(std::move(handler))
    {
        connect(qApp, &QApplication::focusChanged, this, &ExitWatcher::focusChanged);
    }

private:
    bool inside(const QWidget *w) const { return w && (w == m_widget || m_widget->isAncestorOf(w)); }

    void focusChanged(QWidget *old, QWidget *now)
    {
        if (inside(old) && now && !inside(now) && now->window() == m_widget->window())
            runGuarded(m_handler);
    }

    QWidget *m_widget;
    std::function<void()> m_handler;
};
} // namespace

bool runGuarded(const std::function<void()> &handler)
{
    try {
        handler();
        return true;
    } catch (const ConversionError &error) {
        ++failureCount;
        showFailure([&] { showConversionError(error); });
    } catch (const std::exception &error) {
        ++failureCount;
        const QString text = QString::fromLocal8Bit(error.what());
        showFailure([&] { showMessage(text, MsgKind::Error, MbOk); });
    } catch (...) {
        ++failureCount;
        showFailure([] { showMessage(QStringLiteral("Unexpected error."), MsgKind::Error, MbOk); });
    }
    return false;
}

int guardedFailureCount()
{
    return failureCount;
}

void connectExit(QWidget *widget, std::function<void()> handler)
{
    new ExitWatcher(widget, std::move(handler));
}
