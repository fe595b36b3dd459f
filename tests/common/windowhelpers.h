#pragma once
// Small helpers of the window tests: finding a control by name, showing a window active,
// clicking a check or radio box where a user clicks, and answering a modal dialog.
// Header only: the image and link tests build without Qt Widgets.

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <functional>
#include <utility>

// The child of `parent` named `name`; warns when there is none.
template <typename T = QWidget> T *child(const QObject *parent, const char *name)
{
    T *c = parent->findChild<T *>(QLatin1String(name));
    if (!c)
        qWarning("no child %s", name);
    return c;
}

inline bool showActive(QWidget *w)
{
    w->show();
    w->activateWindow();
    return QTest::qWaitForWindowActive(w);
}

// Another window becomes active, then `w` again: its activation handler runs.
inline bool reactivate(QWidget *w)
{
    QWidget other;
    return showActive(&other) && showActive(w);
}

// One key that types `text`, held with the modifiers `how` names ("Ctrl+Alt key": Ctrl and
// Alt), as a keyboard whose layout gives that text sends it.
inline void typeKey(QWidget *w, const QString &text, const QString &how)
{
    Qt::KeyboardModifiers mods;
    for (auto [name, mod] : {std::pair{"Ctrl", Qt::ControlModifier}, std::pair{"Alt", Qt::AltModifier},
                             std::pair{"Shift", Qt::ShiftModifier}})
        if (how.contains(QLatin1String(name)))
            mods |= mod;
    const char16_t c = text.size() == 1 ? text.at(0).toUpper().unicode() : 0;
    const Qt::Key key = c == u'\t' ? Qt::Key_Tab : c > 0x20 && c < 0x7F ? Qt::Key(c) : Qt::Key_unknown;
    QTest::sendKeyEvent(QTest::Click, w, key, text, mods);
}

// Clicks a check or radio box on its indicator.
inline void clickBox(QAbstractButton *b)
{
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
}

// How many showings whenModalShows has acted on; each showing's watchdog knows its own.
inline int modalShowings = 0;

// Runs `act` on the modal dialog once it shows (polling, so it also works for dialogs opened
// by exec() after this call). A dialog that `act` leaves open is ended after two seconds
// (result -1), so a dialog that fails to close fails the test instead of hanging it.
inline void whenModalShows(std::function<void(QWidget *)> act, int triesLeft = 300)
{
    QTimer::singleShot(10, [act = std::move(act), triesLeft] {
        QWidget *w = QApplication::activeModalWidget();
        if (w && w->isVisible()) {
            // Keys go where a user's would: shortcuts (F1) need the dialog to be the active
            // window, which a loaded machine makes it some time after it shows.
            QTest::qWaitForWindowActive(w, 2000);
            const int showing = ++modalShowings;
            act(w);
            QTimer::singleShot(2000, [dialog = QPointer<QDialog>(qobject_cast<QDialog *>(w)), showing] {
                if (dialog && dialog->isVisible() && showing == modalShowings) {
                    qWarning("the dialog was left open");
                    dialog->done(-1);
                }
            });
        } else if (triesLeft > 0) {
            whenModalShows(act, triesLeft - 1);
        }
    });
}
