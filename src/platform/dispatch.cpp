#include "dispatch.h"

#include "messages.h"

#include <QApplication>
#include <QTimer>

#include <exception>
#include <vector>

namespace {
bool showingFailure = false;
int failureCount = 0;
// The field a refused exit gives the focus back to, until it has it again.
QPointer<QWidget> focusBackTarget;
// The field whose focus return is scheduled and has not run yet.
QPointer<QWidget> focusReturn;

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

void giveFocusBack(QWidget *field)
{
    if (!field)
        return;
    focusBackTarget = field;
    focusReturn = field;
    QTimer::singleShot(0, field, [field] {
        if (focusReturn == field)
            focusReturn = nullptr;
        if (field->isVisible() && field->isEnabled())
            field->setFocus(Qt::OtherFocusReason);
        if (focusBackTarget == field && field->hasFocus())
            focusBackTarget = nullptr;
    });
}

// One watcher of the application's focus runs every exit handler.
class ExitDispatcher : public QObject
{
public:
    struct Entry
    {
        QPointer<QWidget> widget;
        QPointer<QObject> context;
        bool hasContext;
        std::function<void()> handler;
    };

    static ExitDispatcher &instance()
    {
        static ExitDispatcher *dispatcher = [] {
            auto *d = new ExitDispatcher;
            connect(qApp, &QApplication::focusChanged, d, &ExitDispatcher::focusChanged);
            return d;
        }();
        return *dispatcher;
    }

    void add(Entry entry) { m_entries.push_back(std::move(entry)); }

private:
    static bool inside(const QWidget *owner, const QWidget *w)
    {
        return w && (w == owner || owner->isAncestorOf(w));
    }

public:
    void focusChanged(QWidget *old, QWidget *now)
    {
        // Pass through to the field a refused exit gives the focus back to: the field left
        // on the way has not really been entered, so it is not left either.
        if (focusBackTarget && now == focusBackTarget) {
            focusBackTarget = nullptr;
            return;
        }
        std::erase_if(m_entries, [](const Entry &e) { return !e.widget || (e.hasContext && !e.context); });
        if (!old || !now)
            return;
        std::vector<std::pair<QPointer<QWidget>, std::function<void()>>> due;
        for (const Entry &e : m_entries) {
            if (inside(e.widget, old) && !inside(e.widget, now) && now->window() == e.widget->window())
                due.emplace_back(e.widget, e.handler);
        }
        // An exit that fails in any way keeps the field: the focus goes back to it.
        QPointer<QWidget> left = old;
        for (auto &[widget, handler] : due) {
            if (widget && !runGuarded(handler) && !focusBackTarget)
                giveFocusBack(left);
        }
    }

private:
    std::vector<Entry> m_entries;
};
} // namespace

bool runGuarded(const std::function<void()> &handler)
{
    try {
        handler();
        return true;
    } catch (const FieldRefusal &refusal) {
        ++failureCount;
        if (!refusal.message().isEmpty())
            showFailure([&] { showMessage(refusal.message(), MsgKind::None, MbOk, 0); });
        giveFocusBack(refusal.field());
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

bool focusReturnPending()
{
    return focusReturn;
}

void moveFocus(QWidget *to)
{
    QWidget *old = to->window()->focusWidget();
    // Only a change of the application's focus is reported; a window whose focus widget does
    // not have it (another window is active) has its exits run here.
    const bool reported = old && old == QApplication::focusWidget();
    to->setFocus(Qt::MouseFocusReason);
    if (!reported && old && old != to)
        ExitDispatcher::instance().focusChanged(old, to);
}

void connectExit(QWidget *widget, QObject *context, std::function<void()> handler)
{
    if (!widget)
        return;
    ExitDispatcher::instance().add({widget, context, context != nullptr, std::move(handler)});
}
