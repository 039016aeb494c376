#include "support/MessageRecorder.h"

MessageRecorder::MessageRecorder()
{
    m_previous = SetMessageHandler([this](const UserMessage& message) { return Answer(message); });
}

MessageRecorder::~MessageRecorder()
{
    SetMessageHandler(std::move(m_previous));
}

std::vector<std::string> MessageRecorder::Texts() const
{
    std::vector<std::string> texts;
    for (const UserMessage& message : m_messages)
        texts.push_back(message.text);
    return texts;
}

MsgAnswer MessageRecorder::Answer(const UserMessage& message)
{
    m_messages.push_back(message);
    if (!m_answers.empty()) {
        const MsgAnswer answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }
    return message.buttons == MsgButtons::YesNo ? MsgAnswer::Yes : MsgAnswer::Ok;
}
