#pragma once
// Test answerer for the message layer: records every message and returns scripted
// answers in order (the default answer when the script runs out).

#include "messages.h"

#include <QList>
#include <QStringList>

class MessageRecorder
{
public:
    explicit MessageRecorder(int defaultAnswer = MbOk);
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder &) = delete;
    MessageRecorder &operator=(const MessageRecorder &) = delete;

    void script(QList<int> answers) { m_answers = std::move(answers); }
    const QList<MessageRequest> &requests() const { return m_requests; }
    QStringList texts() const;
    void clear() { m_requests.clear(); }

private:
    QList<int> m_answers;
    QList<MessageRequest> m_requests;
    int m_default;
    MessagePresenter m_previous;
};
