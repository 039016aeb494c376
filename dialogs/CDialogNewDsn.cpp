#include "dialogs/CDialogNewDsn.h"

#include "config/catalogue/CfgRecordField.h"
#include "controls/CDialogUnits.h"
#include "controls/CDigitsValidator.h"
#include "controls/UserMessage.h"
#include "db/COdbcDataSources.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLineEdit* NewField(QWidget* parent, const QString& objectName)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(objectName);
    return edit;
}

} // namespace

CDialogNewDsn::CDialogNewDsn(QWidget* parent)
    : QDialog(parent), m_editName(NewField(this, QStringLiteral("editName"))),
      m_comboDriver(new QComboBox(this)), m_editServer(NewField(this, QStringLiteral("editServer"))),
      m_editPort(NewField(this, QStringLiteral("editPort"))),
      m_editDatabase(NewField(this, QStringLiteral("editDatabase")))
{
    setObjectName(QStringLiteral("CDialogNewDsn"));
    setWindowTitle(QStringLiteral("新建数据源"));

    m_comboDriver->setObjectName(QStringLiteral("comboDriver"));
    for (const std::string& driver : COdbcDataSources::Drivers())
        m_comboDriver->addItem(QString::fromStdString(driver));
    m_editServer->setPlaceholderText(QStringLiteral("地址或主机名"));
    m_editPort->setPlaceholderText(QStringLiteral("驱动程序的默认端口"));
    m_editPort->setValidator(new CDigitsValidator(kLargestPort, m_editPort));

    auto* form = new QFormLayout;
    const std::pair<QString, QWidget*> rows[] = {
        {QStringLiteral("名称(&N)："), m_editName},       {QStringLiteral("驱动程序(&D)："), m_comboDriver},
        {QStringLiteral("服务器(&V)："), m_editServer},   {QStringLiteral("端口(&P)："), m_editPort},
        {QStringLiteral("数据库(&B)："), m_editDatabase},
    };
    for (const auto& [text, field] : rows) {
        auto* label = new QLabel(text, this);
        label->setBuddy(field);
        form->addRow(label, field);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    if (m_comboDriver->count() == 0) {
        auto* none =
            new QLabel(QStringLiteral("没有安装 ODBC 驱动程序：MariaDB 和 MySQL 请安装 odbc-mariadb，"
                                      "SQL Server 请安装 tdsodbc。"),
                       this);
        none->setObjectName(QStringLiteral("labelNoDriver"));
        none->setWordWrap(true);
        layout->addWidget(none);
    }
    auto* note = new QLabel(QStringLiteral("数据源写入本用户的 ODBC 设置 (odbc.ini)。"), this);
    note->setWordWrap(true);
    layout->addWidget(note);

    auto* ok = new QPushButton(QStringLiteral("确定"), this);
    ok->setObjectName(QStringLiteral("btnOk"));
    ok->setDefault(true);
    ok->setEnabled(m_comboDriver->count() > 0);
    auto* cancel = new QPushButton(QStringLiteral("取消"), this);
    cancel->setObjectName(QStringLiteral("btnCancel"));
    connect(ok, &QPushButton::clicked, this, &CDialogNewDsn::OnOK);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    const CDialogUnits units(font());
    setMinimumWidth(units.X(220));
    m_editName->setFocus();
}

std::string CDialogNewDsn::Name() const
{
    return m_editName->text().toStdString();
}

void CDialogNewDsn::OnOK()
{
    const NewDataSource source{m_editName->text().toStdString(), m_comboDriver->currentText().toStdString(),
                               m_editServer->text().toStdString(), m_editPort->text().toStdString(),
                               m_editDatabase->text().toStdString()};
    std::string error;
    if (!COdbcDataSources::AddUser(source, error)) {
        ShowMessage(this, "无法创建数据源：" + error, "新建数据源", MsgButtons::Ok, MsgIcon::Exclamation);
        return;
    }
    accept();
}
