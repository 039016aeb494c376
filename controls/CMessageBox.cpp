#include "controls/CMessageBox.h"

#include <QMessageBox>
#include <QPushButton>

namespace {

QMessageBox::Icon BoxIcon(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::Exclamation:
        return QMessageBox::Warning;
    case MsgIcon::Question:
        return QMessageBox::Question;
    case MsgIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

MsgAnswer ShowMessageBox(const UserMessage& message)
{
    QMessageBox box(message.owner);
    box.setWindowTitle(QString::fromStdString(message.caption));
    // Texts keep the CR LF line ends the database and the messages use; the box wants LF.
    box.setText(QString::fromStdString(message.text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    box.setIcon(BoxIcon(message.icon));
    switch (message.buttons) {
    case MsgButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MsgButtons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    case MsgButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        // A yes/no question asks before something that cannot be taken back: Enter must not do it.
        box.setDefaultButton(QMessageBox::No);
        box.setEscapeButton(QMessageBox::No);
        break;
    case MsgButtons::SaveDiscardCancel:
        box.setStandardButtons(QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
        box.button(QMessageBox::Save)->setText(QStringLiteral("保存"));
        box.button(QMessageBox::Discard)->setText(QStringLiteral("不保存"));
        box.button(QMessageBox::Cancel)->setText(QStringLiteral("取消"));
        box.setDefaultButton(QMessageBox::Save);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    }
    box.exec();
    // The button pressed, not exec()'s result, which does not name every button the same way.
    switch (box.standardButton(box.clickedButton())) {
    case QMessageBox::Ok:
        return MsgAnswer::Ok;
    case QMessageBox::Cancel:
        return MsgAnswer::Cancel;
    case QMessageBox::Yes:
        return MsgAnswer::Yes;
    case QMessageBox::No:
        return MsgAnswer::No;
    case QMessageBox::Save:
        return MsgAnswer::Save;
    case QMessageBox::Discard:
        return MsgAnswer::Discard;
    default:
        break;
    }
    return EscapeAnswer(message.buttons);
}
