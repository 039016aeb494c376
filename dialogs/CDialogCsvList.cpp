#include "dialogs/CDialogCsvList.h"

#include "controls/CDialogUnits.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CDialogCsvList::CDialogCsvList(Purpose purpose, QWidget* parent)
    : QDialog(parent), m_comboList(new QComboBox(this))
{
    const bool importing = purpose == Purpose::Import;
    setObjectName(QStringLiteral("CDialogCsvList"));
    setWindowTitle(importing ? QStringLiteral("导入表格") : QStringLiteral("导出表格"));

    m_comboList->setObjectName(QStringLiteral("comboList"));
    for (CsvList list : kCsvLists)
        m_comboList->addItem(QString::fromUtf8(CsvListLayoutOf(list).title), static_cast<int>(list));
    auto* label = new QLabel(QStringLiteral("表(&T)："), this);
    label->setBuddy(m_comboList);

    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    form->addRow(label, m_comboList);
    layout->addLayout(form);
    if (importing) {
        m_comboMode = new QComboBox(this);
        m_comboMode->setObjectName(QStringLiteral("comboMode"));
        m_comboMode->addItem(QStringLiteral("合并：添加新记录，更新键相同的记录，其余不变"));
        m_comboMode->addItem(QStringLiteral("替换：以文件为整个表，删除文件中没有的记录"));
        auto* modeLabel = new QLabel(QStringLiteral("方式(&M)："), this);
        modeLabel->setBuddy(m_comboMode);
        form->addRow(modeLabel, m_comboMode);
        auto* note =
            new QLabel(QStringLiteral("文件可以是 UTF-8 或 GBK 编码；标题行可用表格中的列名或数据库的列名。"
                                      "写入前会先列出将要发生的变更。"),
                       this);
        note->setWordWrap(true);
        layout->addWidget(note);
    }
    layout->addStretch(1);

    auto* choose = new QPushButton(QStringLiteral("选择文件(&F)..."), this);
    choose->setObjectName(QStringLiteral("btnChooseFile"));
    choose->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("取消"), this);
    cancel->setObjectName(QStringLiteral("btnCancel"));
    connect(choose, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(choose);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    m_comboList->setFocus();

    const CDialogUnits units(font());
    setMinimumWidth(units.X(260));
}

CsvList CDialogCsvList::List() const
{
    return static_cast<CsvList>(m_comboList->currentData().toInt());
}

CCsvSheet::Mode CDialogCsvList::Mode() const
{
    return m_comboMode && m_comboMode->currentIndex() == 1 ? CCsvSheet::Mode::Replace
                                                           : CCsvSheet::Mode::Merge;
}
