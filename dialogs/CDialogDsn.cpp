#include "dialogs/CDialogDsn.h"

#include "controls/CBusyScope.h"
#include "controls/CDialogUnits.h"
#include "controls/UserMessage.h"
#include "db/CDsnSettings.h"
#include "db/CKeyring.h"
#include "db/COdbcDataSources.h"
#include "db/IOtlConnection.h"
#include "dialogs/CDialogNewDsn.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

const char* const kCaption = "数据源配置";

QLineEdit* NewField(QWidget* parent, const QString& objectName)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(objectName);
    return edit;
}

void ShowResult(QWidget* owner, const std::string& text, MsgIcon icon)
{
    ShowMessage(owner, text, kCaption, MsgButtons::Ok, icon);
}

} // namespace

CDialogDsn::CDialogDsn(QWidget* parent) : CNoEscapeDialog(parent)
{
    setObjectName(QStringLiteral("CDialogDsn"));
    setWindowTitle(QStringLiteral("数据源设置"));

    auto* group = new QGroupBox(QStringLiteral("数据源信息"), this);
    group->setObjectName(QStringLiteral("groupSource"));
    m_comboDsn = new QComboBox(group);
    m_comboDsn->setObjectName(QStringLiteral("comboDsn"));
    m_comboDsn->setEditable(true);
    m_comboDsn->setInsertPolicy(QComboBox::NoInsert);
    // The list shows each data source's driver beside its name; the field takes the name.
    auto* list = new QTreeView(m_comboDsn);
    list->setHeaderHidden(true);
    list->setRootIsDecorated(false);
    list->setAllColumnsShowFocus(true);
    m_comboDsn->setView(list);
    m_comboDsn->setModel(new QStandardItemModel(0, 2, m_comboDsn));
    m_editDsn = m_comboDsn->lineEdit();
    m_editDsn->setObjectName(QStringLiteral("editDsn"));
    auto* newDsn = new QPushButton(QStringLiteral("新建(&N)..."), group);
    newDsn->setObjectName(QStringLiteral("btnNewDsn"));
    m_editUser = NewField(group, QStringLiteral("editUser"));
    m_editPass = NewField(group, QStringLiteral("editPass"));
    // At a site someone is always looking over a shoulder: shown only on request.
    m_editPass->setEchoMode(QLineEdit::Password);
    auto* showPass = new QCheckBox(QStringLiteral("显示(&W)"), group);
    showPass->setObjectName(QStringLiteral("chkShowPass"));
    connect(showPass, &QCheckBox::toggled, m_editPass,
            [this](bool shown) { m_editPass->setEchoMode(shown ? QLineEdit::Normal : QLineEdit::Password); });

    auto* fields = new QGridLayout(group);
    const std::pair<QString, QWidget*> rows[] = {
        {QStringLiteral("DSN: "), m_comboDsn},
        {QStringLiteral("用户: "), m_editUser},
        {QStringLiteral("密码: "), m_editPass},
    };
    int row = 0;
    for (const auto& [label, edit] : rows) {
        auto* caption = new QLabel(label, group);
        caption->setBuddy(edit);
        fields->addWidget(caption, row, 0);
        fields->addWidget(edit, row, 1);
        ++row;
    }
    fields->addWidget(newDsn, 0, 2);
    fields->addWidget(showPass, row - 1, 2);
    // Where no keyring answers, the password is kept in the settings file as it is typed.
    if (!CKeyring::Reachable()) {
        auto* inClear =
            new QLabel(QStringLiteral("没有可用的桌面密钥环：密码将以明文保存在 %1（仅本人可读）。")
                           .arg(QString::fromStdString(CDsnSettings::FileName())),
                       group);
        inClear->setObjectName(QStringLiteral("labelPasswordInClear"));
        inClear->setWordWrap(true);
        inClear->setTextFormat(Qt::PlainText);
        inClear->setForegroundRole(QPalette::PlaceholderText);
        fields->addWidget(inClear, row, 1, 1, 2);
    }

    auto* testButton = new QPushButton(QStringLiteral("测试(&T)"), this);
    testButton->setObjectName(QStringLiteral("btnTest"));
    auto* okButton = new QPushButton(QStringLiteral("确定(&S)"), this);
    okButton->setObjectName(QStringLiteral("btnOk"));
    okButton->setDefault(true);
    auto* cancelButton = new QPushButton(QStringLiteral("取消(&C)"), this);
    cancelButton->setObjectName(QStringLiteral("btnCancel"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(testButton);
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);

    setTabOrder(m_comboDsn, newDsn);
    setTabOrder(newDsn, m_editUser);
    setTabOrder(m_editUser, m_editPass);
    setTabOrder(m_editPass, showPass);
    setTabOrder(showPass, testButton);
    setTabOrder(testButton, okButton);
    setTabOrder(okButton, cancelButton);

    const CDialogUnits units(font());
    setMinimumSize(units.Size(188, 104));
    setFixedSize(sizeHint().expandedTo(minimumSize()));

    connect(okButton, &QPushButton::clicked, this, &CDialogDsn::OnOK);
    connect(testButton, &QPushButton::clicked, this, &CDialogDsn::OnTest);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(newDsn, &QPushButton::clicked, this, &CDialogDsn::OnNewDsn);
    FillDataSources();
}

void CDialogDsn::FillDataSources()
{
    const QString typed = m_editDsn->text();
    auto* model = static_cast<QStandardItemModel*>(m_comboDsn->model());
    model->removeRows(0, model->rowCount());
    for (const OdbcDataSource& source : COdbcDataSources::List()) {
        auto* driver =
            new QStandardItem(QString::fromStdString(source.driver) +
                              (source.system ? QStringLiteral("（系统）") : QStringLiteral("（用户）")));
        driver->setForeground(palette().brush(QPalette::PlaceholderText));
        model->appendRow({new QStandardItem(QString::fromStdString(source.name)), driver});
    }
    // The list opens as wide as its names and drivers, however narrow the box.
    auto* list = static_cast<QTreeView*>(m_comboDsn->view());
    list->resizeColumnToContents(0);
    list->resizeColumnToContents(1);
    list->setMinimumWidth(list->columnWidth(0) + list->columnWidth(1) + 2 * list->frameWidth() +
                          list->verticalScrollBar()->sizeHint().width());
    m_comboDsn->setCurrentIndex(m_comboDsn->findText(typed));
    m_editDsn->setText(typed);
}

void CDialogDsn::OnNewDsn()
{
    CDialogNewDsn dialog(this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_editDsn->setText(QString::fromStdString(dialog.Name()));
    FillDataSources();
    m_editUser->setFocus();
}

int CDialogDsn::DoModal()
{
    ReadSettings();
    return exec();
}

bool CDialogDsn::ReadSettings()
{
    DsnValues values{m_strDsn, m_strUser, m_strPass};
    CDsnSettings::Read(values);
    m_strDsn = values.dsn;
    m_strUser = values.user;
    m_strPass = values.password;
    m_comboDsn->setCurrentIndex(m_comboDsn->findText(QString::fromStdString(m_strDsn)));
    m_editDsn->setText(QString::fromStdString(m_strDsn));
    m_editUser->setText(QString::fromStdString(m_strUser));
    m_editPass->setText(QString::fromStdString(m_strPass));
    return true;
}

bool CDialogDsn::WriteSettings()
{
    // An unwritable settings file is no reason to refuse a working connection.
    CDsnSettings::Write({m_strDsn, m_strUser, m_strPass});
    return true;
}

void CDialogDsn::FieldsFromControls()
{
    m_strPass = m_editPass->text().toStdString();
    m_strUser = m_editUser->text().toStdString();
    m_strDsn = m_editDsn->text().toStdString();
}

void CDialogDsn::OnOK()
{
    FieldsFromControls();
    IOtlConnection* connection = IOtlConnection::getInstance();
    std::string errorText;
    bool connected = false;
    {
        CBusyScope busy(this, QStringLiteral("正在连接数据库..."));
        busy.RunInBackground(
            [&] { connected = connection->ConnectDsn(m_strDsn, m_strUser, m_strPass, errorText); });
    }
    if (!connected) {
        ShowResult(this, "数据库连接失败:\r\n" + errorText, MsgIcon::Exclamation);
        return;
    }
    WriteSettings();
    connection->Disconnect();
    connection->Reconnect();
    accept();
}

void CDialogDsn::OnTest()
{
    FieldsFromControls();
    // A test must not move the open connection to the tested source: a later Save would
    // write there although the dialog was cancelled. It therefore opens a connection of its own.
    const std::unique_ptr<IOtlConnection> probe = IOtlConnection::getInstance()->NewSeparate();
    std::string errorText;
    bool connected = false;
    {
        CBusyScope busy(this, QStringLiteral("正在连接数据库..."));
        busy.RunInBackground(
            [&] { connected = probe->ConnectDsn(m_strDsn, m_strUser, m_strPass, errorText); });
    }
    if (connected)
        ShowResult(this, "数据库连接成功!", MsgIcon::Information);
    else
        ShowResult(this, "数据库连接失败：\r\n" + errorText, MsgIcon::Exclamation);
}
