#include "dispatch.h"

#include "messages.h"

#include <QFocusEvent>

#include <exception>

namespace {
bool showingFailure = false;

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

class ExitFilter : public QObject
{
public:
    ExitFilter(QWidget *widget, std::function<void()> handler)
        : QObject(widget), m_handler(std::move(handler))
    {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::FocusOut && watched == parent()) {
            const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                runGuarded(m_handler);
        }
        return false;
    }

private:
    std::function<void()> m_handler;
};
} // namespace

bool runGuarded(const std::function<void()> &handler)
{
    try {
        handler();
        return true;
    } catch (const ConversionError &error) {
        showFailure([&] { showConversionError(error); });
    } catch (const std::exception &error) {
        const QString text = QString::fromLocal8Bit(error.what());
        showFailure([&] { showMessage(text, MsgKind::Error, MbOk); });
    } catch (...) {
        showFailure([] { showMessage(QStringLiteral("Unexpected error."), MsgKind::Error, MbOk); });
    }
    return false;
}

void connectExit(QWidget *widget, std::function<void()> handler)
{
    new ExitFilter(widget, std::move(handler));
}
