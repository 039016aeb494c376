#pragma once

#include <functional>
#include <string>

class QWidget;

enum class MsgButtons
{
    Ok,
    OkCancel,
    YesNo,             // before something that cannot be taken back: 否 is the default
    SaveDiscardCancel, // 保存, 不保存, 取消
};

enum class MsgIcon
{
    None,
    Information,
    Exclamation,
    Question,
};

enum class MsgAnswer
{
    Ok,
    Cancel,
    Yes,
    No,
    Save,
    Discard,
};

struct UserMessage
{
    QWidget* owner = nullptr;
    std::string text;
    std::string caption;
    MsgButtons buttons = MsgButtons::Ok;
    MsgIcon icon = MsgIcon::None;
};

using MessageHandler = std::function<MsgAnswer(const UserMessage&)>;

/// The answer of a message left without one of its buttons (Escape, the close box, no one to
/// ask): Cancel or No where the buttons offer it, else Ok.
MsgAnswer EscapeAnswer(MsgButtons buttons);

/// Every message box of the program goes through here, to the installed handler.
MsgAnswer ShowMessage(const UserMessage& message);

/// The same, with the parts of the message given one by one.
MsgAnswer ShowMessage(QWidget* owner, const std::string& text, const std::string& caption,
                      MsgButtons buttons = MsgButtons::Ok, MsgIcon icon = MsgIcon::None);

/// A notice or result: caption "提示", an OK button and no icon.
void ShowNotice(QWidget* owner, const std::string& text);

/// Installs the function that shows messages (the GUI's message box, or a test's recorder)
/// and returns the one installed before. Without one, a message is written to standard
/// error and answered with Cancel or No where the buttons allow it, else Ok.
MessageHandler SetMessageHandler(MessageHandler handler);

/// The program's name as every message box caption shows it, whatever the executable is called.
extern const char* const kApplicationTitle;

/// A message in the style of the framework's own boxes: the program's name as caption.
MsgAnswer AfxMessageBox(const std::string& text, MsgButtons buttons = MsgButtons::Ok,
                        MsgIcon icon = MsgIcon::Exclamation);

/// The executable's file name without directory and extension: what tells two programs'
/// single-instance markers apart.
std::string ApplicationName();
