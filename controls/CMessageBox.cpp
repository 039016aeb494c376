#include "controls/CMessageBox.h"

#include <QMessageBox>

MsgAnswer ShowMessageBox(const UserMessage& message)
{
    QMessageBox box(message.owner);
    box.setWindowTitle(QString::fromStdString(message.caption));
    // Texts keep the CR LF line ends the database and the messages use; the box wants LF.
    box.setText(QString::fromStdString(message.text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    switch (message.icon) {
    case MsgIcon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case MsgIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case MsgIcon::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case MsgIcon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    }
    switch (message.buttons) {
    case MsgButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MsgButtons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
        break;
    case MsgButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Cancel:
        return MsgAnswer::Cancel;
    case QMessageBox::Yes:
        return MsgAnswer::Yes;
    case QMessageBox::No:
        return MsgAnswer::No;
    default:
        break;
    }
    // A box closed without a button answers like its escape button would.
    return message.buttons == MsgButtons::OkCancel ? MsgAnswer::Cancel
           : message.buttons == MsgButtons::YesNo  ? MsgAnswer::No
                                                   : MsgAnswer::Ok;
}
