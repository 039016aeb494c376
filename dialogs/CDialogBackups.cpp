#include "dialogs/CDialogBackups.h"

#include "config/catalogue/CfgGroups.h"
#include "controls/CDialogUnits.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

CDialogBackups::CDialogBackups(std::vector<CCfgBackups::Entry> backups, QWidget* parent)
    : QDialog(parent), m_backups(std::move(backups)), m_table(new QTableWidget(this))
{
    setObjectName(QStringLiteral("CDialogBackups"));
    setWindowTitle(QStringLiteral("恢复备份"));

    auto* heading = new QLabel(
        m_backups.empty()
            ? QStringLiteral("还没有备份。每次保存或导入写入一组配置之前，都会先备份数据库中的这组配置。")
            : QStringLiteral("保存或导入写入之前数据库中的配置，最新的在前。选择一个备份，"
                             "恢复前会先列出它与数据库的差异："),
        this);
    heading->setObjectName(QStringLiteral("labelBackups"));
    heading->setWordWrap(true);

    m_table->setObjectName(QStringLiteral("tableBackups"));
    m_table->setColumnCount(3);
    m_table->setHorizontalHeaderLabels(
        {QStringLiteral("时间"), QStringLiteral("数据源"), QStringLiteral("配置组")});
    m_table->setRowCount(int(m_backups.size()));
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setTabKeyNavigation(false);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    for (std::size_t row = 0; row < m_backups.size(); ++row) {
        const CfgBackupHeader& header = m_backups[row].header;
        QString time = QString::fromStdString(header.time);
        time.replace(QLatin1Char('T'), QLatin1Char(' '));
        const QStringList cells = {time.left(19), QString::fromStdString(header.dataSource),
                                   QString::fromStdString(CfgGroupName(header.group))};
        for (int column = 0; column < cells.size(); ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            item->setToolTip(m_backups[row].path);
            m_table->setItem(int(row), column, item);
        }
    }
    m_table->resizeColumnsToContents();
    if (!m_backups.empty())
        m_table->selectRow(0);

    auto* restore = new QPushButton(QStringLiteral("恢复(&R)..."), this);
    restore->setObjectName(QStringLiteral("btnRestore"));
    restore->setEnabled(!m_backups.empty());
    auto* close = new QPushButton(QStringLiteral("关闭"), this);
    close->setObjectName(QStringLiteral("btnClose"));
    restore->setDefault(!m_backups.empty());
    close->setDefault(m_backups.empty());
    connect(restore, &QPushButton::clicked, this, &QDialog::accept);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_table, &QTableWidget::itemActivated, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(m_table, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(restore);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    m_table->setFocus();

    const CDialogUnits units(font());
    setMinimumSize(units.Size(220, 120));
    resize(units.Size(320, 200));
}

QString CDialogBackups::ChosenPath() const
{
    const int row = m_table->currentRow();
    return row >= 0 && row < int(m_backups.size()) ? m_backups[std::size_t(row)].path : QString();
}
