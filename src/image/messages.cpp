#include "messages.h"

#include <cstdio>

namespace {
MessagePresenter &presenter()
{
    static MessagePresenter p;
    return p;
}
} // namespace

int showMessage(const MessageRequest &request)
{
    if (presenter())
        return presenter()(request);
    std::fprintf(stderr, "%s\n", qPrintable(request.text));
    for (int b : {MbOk, MbYes, MbRetry}) {
        if (request.buttons & b)
            return b;
    }
    return MbNone;
}

int showMessage(const QString &text, MsgKind kind, int buttons, int helpContext, const QString &caption)
{
    return showMessage(MessageRequest{text, kind, buttons, helpContext, caption});
}

MessagePresenter setMessagePresenter(MessagePresenter p)
{
    MessagePresenter old = std::move(presenter());
    presenter() = std::move(p);
    return old;
}

ConversionError invalidIntegerError(const QString &text)
{
    return ConversionError(QStringLiteral("'%1' is not a valid integer value.").arg(text));
}

ConversionError invalidFloatError(const QString &text)
{
    return ConversionError(QStringLiteral("'%1' is not a valid floating point value.").arg(text));
}

void showConversionError(const ConversionError &error)
{
    showMessage(error.message(), MsgKind::Error, MbOk);
}
