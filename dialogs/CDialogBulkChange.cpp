#include "dialogs/CDialogBulkChange.h"

#include "config/formats/CCsvSheet.h"
#include "controls/CDialogUnits.h"
#include "controls/UserMessage.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CDialogBulkChange::CDialogBulkChange(const CsvListLayout& layout, int count, QWidget* parent)
    : QDialog(parent), m_layout(layout), m_comboField(new QComboBox(this)), m_editValue(new QLineEdit(this)),
      m_comboValue(new QComboBox(this))
{
    setObjectName(QStringLiteral("CDialogBulkChange"));
    setWindowTitle(QStringLiteral("批量修改"));
    m_comboField->setObjectName(QStringLiteral("comboField"));
    m_editValue->setObjectName(QStringLiteral("editValue"));
    m_comboValue->setObjectName(QStringLiteral("comboValue"));
    for (std::size_t index = 0; index < layout.columns.size(); ++index) {
        const CsvColumn& column = layout.columns[index];
        if (column.identifies || column.numbered || index == layout.idColumn)
            continue;
        m_columns.push_back(index);
        m_comboField->addItem(QString::fromStdString(column.label));
    }

    auto* countLabel = new QLabel(
        QStringLiteral("将修改所选的 %1 条%2记录。").arg(count).arg(QString::fromUtf8(layout.title)), this);
    countLabel->setObjectName(QStringLiteral("labelCount"));
    auto* fieldLabel = new QLabel(QStringLiteral("字段(&F)："), this);
    fieldLabel->setBuddy(m_comboField);
    auto* valueLabel = new QLabel(QStringLiteral("新值(&V)："), this);
    valueLabel->setBuddy(m_editValue);
    auto* valueRow = new QHBoxLayout;
    valueRow->setContentsMargins(0, 0, 0, 0);
    valueRow->addWidget(m_editValue);
    valueRow->addWidget(m_comboValue);

    auto* ok = new QPushButton(QStringLiteral("确定"), this);
    ok->setObjectName(QStringLiteral("btnOk"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("取消"), this);
    cancel->setObjectName(QStringLiteral("btnCancel"));
    connect(ok, &QPushButton::clicked, this, &CDialogBulkChange::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* form = new QFormLayout;
    form->addRow(fieldLabel, m_comboField);
    form->addRow(valueLabel, valueRow);
    auto* main = new QVBoxLayout(this);
    main->addWidget(countLabel);
    main->addLayout(form);
    main->addStretch(1);
    main->addLayout(buttons);

    // Tab follows the screen: field, value, the buttons.
    setTabOrder(m_comboField, m_editValue);
    setTabOrder(m_editValue, m_comboValue);
    setTabOrder(m_comboValue, ok);
    setTabOrder(ok, cancel);
    connect(m_comboField, &QComboBox::currentIndexChanged, this, &CDialogBulkChange::ShowValueEditor);
    ShowValueEditor();
    m_comboField->setFocus();
    setMinimumWidth(CDialogUnits(font()).X(220));
}

std::size_t CDialogBulkChange::Column() const
{
    return m_columns[static_cast<std::size_t>(std::max(m_comboField->currentIndex(), 0))];
}

void CDialogBulkChange::ShowValueEditor()
{
    if (m_columns.empty())
        return;
    const CsvColumn& column = m_layout.columns[Column()];
    m_comboValue->clear();
    for (const std::string& option : column.options)
        m_comboValue->addItem(QString::fromStdString(option));
    const bool choosing = !column.options.empty();
    m_comboValue->setVisible(choosing);
    m_editValue->setVisible(!choosing);
    m_editValue->clear();
}

void CDialogBulkChange::accept()
{
    if (m_columns.empty())
        return;
    const CsvColumn& column = m_layout.columns[Column()];
    const QString typed = m_comboValue->isVisible() ? m_comboValue->currentText() : m_editValue->text();
    std::string why;
    if (!CCsvSheet::SpellCell(column, typed.toStdString(), m_value, why)) {
        ShowMessage(this, "“" + column.label + "”列：" + why + "，未做任何修改。", "批量修改", MsgButtons::Ok,
                    MsgIcon::Exclamation);
        QWidget* editor = m_comboValue->isVisible() ? static_cast<QWidget*>(m_comboValue) : m_editValue;
        editor->setFocus();
        return;
    }
    QDialog::accept();
}
