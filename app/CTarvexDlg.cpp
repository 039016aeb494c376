#include "app/CTarvexDlg.h"

#include "db/UserMessage.h"

CTarvexDlg::CTarvexDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("CTarvexDlg"));
    setWindowTitle(QStringLiteral("Tarvex"));
    m_marker.Mark(QString::fromStdString(ApplicationName()), this);
}
