#include "dialogs/CDialogDbInit.h"

#include "config/database/CCfgDb.h"
#include "config/database/CCfgWriter.h"
#include "controls/CBusyScope.h"
#include "controls/CDialogUnits.h"
#include "controls/UserMessage.h"
#include "db/IOtlConnection.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <string>

namespace {

/// Why a step failed, as a line of the report; nothing when the database gave no text.
std::string Reason(const std::string& error)
{
    return error.empty() ? std::string() : error + "\r\n";
}

/// Index of each entry of the database type list; the index is the database type.
enum DbTypeEntry : int
{
    EntrySqlServer = DbTypeSqlServer,
    EntryMySql = DbTypeMySql,
    EntryOracle = 2,
};

bool Confirmed(QWidget* owner)
{
    return ShowMessage(owner, "您确定要创建相关数据库表吗？此操作将清空原有的同名数据库表的所有数据!",
                       "数据库初始化", MsgButtons::YesNo, MsgIcon::Question) == MsgAnswer::Yes;
}

} // namespace

CDialogDbInit::CDialogDbInit(QWidget* parent) : CNoEscapeDialog(parent)
{
    setObjectName(QStringLiteral("CDialogDbInit"));
    setWindowTitle(QStringLiteral("数据库初始化"));

    auto* typeLabel = new QLabel(QStringLiteral("数据库类型："), this);
    typeLabel->setObjectName(QStringLiteral("labelDbType"));
    m_cbDbType = new QComboBox(this);
    m_cbDbType->setObjectName(QStringLiteral("cbDbType"));
    typeLabel->setBuddy(m_cbDbType);

    m_chkCreateCfg = new QCheckBox(QStringLiteral("创建配置表"), this);
    m_chkCreateCfg->setObjectName(QStringLiteral("chkCreateCfg"));
    m_chkCreateStat = new QCheckBox(QStringLiteral("创建统计表"), this);
    m_chkCreateStat->setObjectName(QStringLiteral("chkCreateStat"));

    auto* okButton = new QPushButton(QStringLiteral("确定(&S)"), this);
    okButton->setObjectName(QStringLiteral("btnOk"));
    okButton->setDefault(true);
    auto* cancelButton = new QPushButton(QStringLiteral("取消(&C)"), this);
    cancelButton->setObjectName(QStringLiteral("btnCancel"));

    auto* fields = new QGridLayout;
    fields->addWidget(typeLabel, 0, 0);
    fields->addWidget(m_cbDbType, 0, 1, 1, 2);
    fields->addWidget(m_chkCreateCfg, 1, 1);
    fields->addWidget(m_chkCreateStat, 1, 2);
    fields->setColumnStretch(1, 1);
    fields->setColumnStretch(2, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addStretch();
    layout->addLayout(buttons);

    const CDialogUnits units(font());
    setMinimumSize(units.Size(167, 70));
    setFixedSize(sizeHint().expandedTo(minimumSize()));

    // Both families start unticked: each one the user sets up loses its data, so it has to
    // be chosen on purpose.
    ControlsFromFields();
    m_cbDbType->addItem(QStringLiteral("SQLServer"));
    m_cbDbType->addItem(QStringLiteral("MySQL"));
    m_cbDbType->addItem(QStringLiteral("Oracle"));
    switch (IOtlConnection::getInstance()->GetDbType()) {
    case DbTypeSqlServer:
        m_cbDbType->setCurrentIndex(EntrySqlServer);
        break;
    case DbTypeMySql:
        m_cbDbType->setCurrentIndex(EntryMySql);
        break;
    default:
        m_cbDbType->setCurrentIndex(EntryOracle);
        break;
    }

    connect(okButton, &QPushButton::clicked, this, &CDialogDbInit::OnOK);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

int CDialogDbInit::DoModal()
{
    return exec();
}

void CDialogDbInit::FieldsFromControls()
{
    m_bCreateCfg = m_chkCreateCfg->isChecked();
    m_bCreateStat = m_chkCreateStat->isChecked();
}

void CDialogDbInit::ControlsFromFields()
{
    m_chkCreateCfg->setChecked(m_bCreateCfg);
    m_chkCreateStat->setChecked(m_bCreateStat);
}

void CDialogDbInit::OnOK()
{
    FieldsFromControls();
    if (!m_bCreateCfg && !m_bCreateStat) {
        ShowNotice(this, "请选择需要创建的数据库表！");
        return;
    }
    const int dbType = m_cbDbType->currentIndex();
    if (dbType != EntrySqlServer && dbType != EntryMySql) {
        ShowNotice(this, "目前仅支持SqlServer和MySQL数据库！");
        return;
    }
    // A No leaves the dialog open, so the choice can be corrected or cancelled.
    if (!Confirmed(this))
        return;

    CCfgDb* cfgDb = GetCfgDb();
    std::string report;
    const CBusyScope busy(this, QStringLiteral("正在初始化数据库..."));
    bool reconnected = false;
    std::string error;
    IOtlConnection& db = *IOtlConnection::getInstance();
    if (!CCfgWriter::EnsureConnected(db, reconnected, error) || !CCfgWriter::Writable(db, error)) {
        ShowNotice(this, error);
        return;
    }
    if (reconnected)
        report += "与数据库的连接曾经断开，已重新连接。\r\n";
    if (m_bCreateCfg) {
        const bool done = dbType == EntrySqlServer ? cfgDb->ClearCfgTables() : cfgDb->CreateCfgTables();
        if (!done)
            report += "配置表创建失败！\r\n" + Reason(cfgDb->GetDbError());
    }
    if (m_bCreateStat) {
        // The procedure reads the tables, so it is only created once they are in place.
        const bool done = dbType == EntrySqlServer
                              ? cfgDb->ClearStatTables() && cfgDb->CreateStatProcSqlServer()
                              : cfgDb->CreateStatTables() && cfgDb->CreateStatProcMySql();
        if (!done)
            report += "统计表创建失败！\r\n" + Reason(cfgDb->GetDbError());
    }
    report += "数据库表创建完成";
    ShowNotice(this, report);
    accept();
}
