#include "messagerecorder.h"

MessageRecorder::MessageRecorder(int defaultAnswer) : m_default(defaultAnswer)
{
    m_previous = setMessagePresenter([this](const MessageRequest &r) {
        m_requests.append(r);
        if (!m_answers.isEmpty())
            return m_answers.takeFirst();
        return m_default;
    });
}

MessageRecorder::~MessageRecorder()
{
    setMessagePresenter(std::move(m_previous));
}

QStringList MessageRecorder::texts() const
{
    QStringList out;
    for (const auto &r : m_requests)
        out << r.text;
    return out;
}
