#include "controls/UserMessage.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <iostream>

namespace {

MsgAnswer AnswerWithoutHandler(const UserMessage& message)
{
    std::cerr << message.caption << ": " << message.text << '\n';
    return EscapeAnswer(message.buttons);
}

MessageHandler& InstalledHandler()
{
    static MessageHandler handler;
    return handler;
}

} // namespace

MsgAnswer EscapeAnswer(MsgButtons buttons)
{
    switch (buttons) {
    case MsgButtons::OkCancel:
    case MsgButtons::SaveDiscardCancel:
        return MsgAnswer::Cancel;
    case MsgButtons::YesNo:
        return MsgAnswer::No;
    case MsgButtons::Ok:
        break;
    }
    return MsgAnswer::Ok;
}

MsgAnswer ShowMessage(const UserMessage& message)
{
    const MessageHandler& handler = InstalledHandler();
    return handler ? handler(message) : AnswerWithoutHandler(message);
}

MsgAnswer ShowMessage(QWidget* owner, const std::string& text, const std::string& caption, MsgButtons buttons,
                      MsgIcon icon)
{
    return ShowMessage(UserMessage{owner, text, caption, buttons, icon});
}

void ShowNotice(QWidget* owner, const std::string& text)
{
    ShowMessage(owner, text, "提示");
}

MessageHandler SetMessageHandler(MessageHandler handler)
{
    return std::exchange(InstalledHandler(), std::move(handler));
}

const char* const kApplicationTitle = "Tarvex";

MsgAnswer AfxMessageBox(const std::string& text, MsgButtons buttons, MsgIcon icon)
{
    return ShowMessage(nullptr, text, kApplicationTitle, buttons, icon);
}

std::string ApplicationName()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName().toStdString();
}
