#pragma once
// One line per recorded message (text, kind, buttons, help context), so that a test
// states the whole box it expects in a single comparison.

#include "messagerecorder.h"

#include <QStringList>

inline QString describeMessage(const QString &text, MsgKind kind, int buttons, int helpContext)
{
    return QString("%1 | kind %2 | buttons %3 | help %4")
        .arg(text)
        .arg(int(kind))
        .arg(buttons)
        .arg(helpContext);
}

inline QStringList describeMessages(const MessageRecorder &rec)
{
    QStringList out;
    for (const MessageRequest &m : rec.requests())
        out << describeMessage(m.text, m.kind, m.buttons, m.helpContext);
    return out;
}
