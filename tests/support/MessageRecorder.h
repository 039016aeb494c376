#pragma once

#include "controls/UserMessage.h"

#include <deque>
#include <vector>

/// Records every message the code under test shows and answers it; the next answers can be
/// queued, otherwise Ok, Yes or the only button is pressed. Installed for its lifetime.
class MessageRecorder
{
public:
    MessageRecorder();
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    void QueueAnswer(MsgAnswer answer) { m_answers.push_back(answer); }
    const std::vector<UserMessage>& Messages() const { return m_messages; }
    /// The texts shown so far, in order.
    std::vector<std::string> Texts() const;
    void Clear() { m_messages.clear(); }

private:
    MsgAnswer Answer(const UserMessage& message);

    MessageHandler m_previous;
    std::vector<UserMessage> m_messages;
    std::deque<MsgAnswer> m_answers;
};
