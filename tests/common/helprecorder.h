#pragma once
// Records help requests instead of showing them, for the lifetime of the object.

#include "helplayer.h"

#include <QList>

struct HelpRecorder
{
    QList<int> contexts;
    HelpHandler previous;
    HelpRecorder()
    {
        previous = setHelpHandler([this](int c) { contexts << c; });
    }
    ~HelpRecorder() { setHelpHandler(previous); }
    HelpRecorder(const HelpRecorder &) = delete;
    HelpRecorder &operator=(const HelpRecorder &) = delete;
};
