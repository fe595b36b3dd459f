#include "messagebox.h"

#include "helplayer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

namespace {
struct ButtonMap
{
    MsgButton ours;
    QMessageBox::StandardButton qt;
};

// In the order the buttons of a box are listed.
constexpr ButtonMap buttonMap[] = {
    {MbYes, QMessageBox::Yes},       {MbNo, QMessageBox::No},       {MbOk, QMessageBox::Ok},
    {MbCancel, QMessageBox::Cancel}, {MbAbort, QMessageBox::Abort}, {MbRetry, QMessageBox::Retry},
    {MbIgnore, QMessageBox::Ignore}, {MbHelp, QMessageBox::Help},
};

QMessageBox::Icon iconFor(MsgKind kind)
{
    switch (kind) {
    case MsgKind::Error:
        return QMessageBox::Critical;
    case MsgKind::Information:
        return QMessageBox::Information;
    case MsgKind::Warning:
        return QMessageBox::Warning;
    case MsgKind::Confirmation:
        return QMessageBox::Question;
    case MsgKind::None:
        break;
    }
    return QMessageBox::NoIcon;
}
} // namespace

QString displayedText(const QString &text)
{
    QString shown;
    shown.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n')) {
            shown += c;
            continue;
        }
        shown += QLatin1Char('\n');
        const QChar other = QLatin1Char(c == QLatin1Char('\r') ? '\n' : '\r');
        if (i + 1 < text.size() && text.at(i + 1) == other)
            ++i;
    }
    return shown;
}

QMessageBox *createMessageBox(const MessageRequest &request, QWidget *parent)
{
    auto *box = new QMessageBox(parent);
    box->setIcon(iconFor(request.kind));
    box->setText(displayedText(request.text));
    box->setTextFormat(Qt::PlainText);
    box->setWindowTitle(request.caption.isEmpty() ? QApplication::applicationName() : request.caption);

    // F1 in the box asks for its help context, as the Help button does.
    if (request.helpContext != 0) {
        setHelpContext(box, request.helpContext);
        installHelpKey(box);
    }

    int buttons = request.buttons;
    if ((buttons & ~MbHelp) == 0)
        buttons |= MbOk; // a box always has a button that closes it
    for (const auto &m : buttonMap) {
        if (!(buttons & m.ours))
            continue;
        QAbstractButton *b = box->addButton(m.qt);
        if (m.ours == MbHelp) {
            b->setText(QStringLiteral("&Help"));
            // Help shows the help and keeps the box open: cut the button off the box's
            // own closing logic and route it to the help layer.
            QObject::disconnect(b, &QAbstractButton::clicked, nullptr, nullptr);
            const int context = request.helpContext;
            QObject::connect(b, &QAbstractButton::clicked, box, [context] { requestHelp(context); });
        }
    }
    return box;
}

int messageBoxResult(const QMessageBox &box)
{
    QAbstractButton *clicked = box.clickedButton();
    if (clicked) {
        const QMessageBox::StandardButton sb = box.standardButton(clicked);
        for (const auto &m : buttonMap) {
            if (m.qt == sb && m.ours != MbHelp)
                return m.ours;
        }
    }
    return MbCancel;
}

MessagePresenter installMessageBoxPresenter()
{
    return setMessagePresenter([](const MessageRequest &request) {
        QPointer<QMessageBox> box = createMessageBox(request, QApplication::activeWindow());
        box->exec();
        if (!box)
            return int(MbCancel);
        const int result = messageBoxResult(*box);
        delete box;
        return result;
    });
}
