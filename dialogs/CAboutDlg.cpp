#include "dialogs/CAboutDlg.h"

#include "controls/CDialogUnits.h"

#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("CAboutDlg"));
    setWindowTitle(QStringLiteral("关于 Tarvex"));

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("labelIcon"));
    icon->setPixmap(QIcon(QStringLiteral(":/images/tarvex.png")).pixmap(32, 32));
    auto* version = new QLabel(QStringLiteral("Tarvex，1.0 版"), this);
    version->setObjectName(QStringLiteral("labelVersion"));
    auto* notice = new QLabel(QStringLiteral("呼叫中心中间件配置工具。版权所有 (C) 2026 Tarvex"), this);
    notice->setObjectName(QStringLiteral("labelNotice"));
    auto* ok = new QPushButton(QStringLiteral("确定"), this);
    ok->setObjectName(QStringLiteral("btnOk"));
    ok->setDefault(true);

    auto* layout = new QGridLayout(this);
    layout->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
    layout->addWidget(version, 0, 1);
    layout->addWidget(notice, 1, 1);
    layout->addWidget(ok, 0, 2, Qt::AlignTop);
    setFixedSize(sizeHint().expandedTo(CDialogUnits(font()).Size(170, 62)));

    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}
