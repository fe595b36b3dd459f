#pragma once
// The one way every message of the program reaches the user.
//
// Core code (image, link protocol, report content) calls showMessage(); the window
// room installs a presenter over QMessageBox at start-up, and tests install an
// answerer that records each message and returns scripted answers.

#include <QString>

#include <functional>

enum class MsgKind { None, Error, Information, Warning, Confirmation };

// Buttons of a message box, combinable; the result of showMessage is one of them.
enum MsgButton : int {
    MbNone = 0,
    MbOk = 0x01,
    MbCancel = 0x02,
    MbYes = 0x04,
    MbNo = 0x08,
    MbAbort = 0x10,
    MbRetry = 0x20,
    MbIgnore = 0x40,
    MbHelp = 0x80,
};

struct MessageRequest
{
    QString text;
    MsgKind kind = MsgKind::None;
    int buttons = MbOk;
    int helpContext = 0; // 0 = none
    QString caption;     // empty: the application's name
};

using MessagePresenter = std::function<int(const MessageRequest &)>;

// Shows a modal message and returns the button chosen.
int showMessage(const QString &text, MsgKind kind, int buttons, int helpContext = 0,
                const QString &caption = QString());
int showMessage(const MessageRequest &request);

// Installs the presenter (window room) or a test answerer; returns the previous one.
// Without a presenter a message is written to stderr and the first of Ok/Yes/Retry in
// its buttons is returned.
MessagePresenter setMessagePresenter(MessagePresenter presenter);

// Thrown by the strict number conversions for a text that is not a number, and caught
// where the event is dispatched, which shows it once as an error box.
class ConversionError
{
public:
    explicit ConversionError(QString message) : m_message(std::move(message)) {}
    const QString &message() const { return m_message; }

private:
    QString m_message;
};

// "'12a' is not a valid integer value." and "'x' is not a valid floating point value."
ConversionError invalidIntegerError(const QString &text);
ConversionError invalidFloatError(const QString &text);

// Shows a conversion error as the program's error box.
void showConversionError(const ConversionError &error);
