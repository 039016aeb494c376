#include "pages/PageForm.h"

#include "config/catalogue/CfgRecordField.h"
#include "config/catalogue/CfgSettings.h"
#include "controls/CDialogUnits.h"
#include "controls/CDigitsValidator.h"
#include "controls/CIpAddressEdit.h"
#include "pages/CSettingEditors.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

namespace PageForm {

namespace {

constexpr int kHeadingColumn = 0;
constexpr int kLabelColumn = 1;
constexpr int kFieldColumn = 2;

QLabel* NewHeading(const QString& text, const QString& objectName)
{
    QLabel* heading = NewLabel(text, objectName);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    return heading;
}

} // namespace

QLineEdit* NewDigitsEdit(const QString& objectName)
{
    QLineEdit* edit = NewTextEdit(objectName);
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
    return edit;
}

QLineEdit* NewTextEdit(const QString& objectName)
{
    auto* edit = new QLineEdit;
    edit->setObjectName(objectName);
    return edit;
}

CIpAddressEdit* NewAddressEdit(const QString& objectName)
{
    auto* field = new CIpAddressEdit;
    field->setObjectName(objectName);
    return field;
}

QComboBox* NewCombo(const QString& objectName)
{
    auto* combo = new QComboBox;
    combo->setObjectName(objectName);
    return combo;
}

QPushButton* NewButton(const QString& text, const QString& objectName)
{
    auto* button = new QPushButton(text);
    button->setObjectName(objectName);
    button->setAutoDefault(false);
    return button;
}

QLabel* NewLabel(const QString& text, const QString& objectName)
{
    auto* label = new QLabel(text);
    label->setObjectName(objectName);
    return label;
}

QLabel* NewSettingLabel(const char* key, QWidget* editor)
{
    QLabel* label = NewLabel(QString::fromUtf8(CfgSettingOf(key).pageLabel),
                             QStringLiteral("label") + QString::fromLatin1(key));
    label->setBuddy(editor);
    return label;
}

QString FromStore(const std::string& text)
{
    return QString::fromStdString(text);
}

std::string ToStore(const QString& text)
{
    return text.toStdString();
}

void ShowStored(QLineEdit* edit, const std::string& text)
{
    edit->setText(FromStore(text));
    edit->home(false);
}

DeviceGrid::DeviceGrid(QWidget* form, const CDialogUnits& units) : m_grid(new QGridLayout(form))
{
    m_grid->setContentsMargins(units.X(7), units.Y(7), units.X(7), units.Y(7));
    m_grid->setHorizontalSpacing(units.X(4));
    m_grid->setVerticalSpacing(units.Y(7));
    m_grid->setColumnStretch(kFieldColumn, 1);
}

void DeviceGrid::SetHeading(const QString& text, const QString& objectName)
{
    m_grid->addWidget(NewHeading(text, objectName), 0, kHeadingColumn, Qt::AlignLeft | Qt::AlignVCenter);
}

QLabel* DeviceGrid::AddSubHeading(const QString& text, const QString& objectName)
{
    QLabel* heading = NewHeading(text, objectName);
    m_grid->addWidget(heading, m_nextRow++, kLabelColumn, 1, 2);
    return heading;
}

QLabel* DeviceGrid::AddField(const QString& label, const QString& labelName, QWidget* field)
{
    QLabel* caption = NewLabel(label, labelName);
    caption->setBuddy(field);
    m_grid->addWidget(caption, m_nextRow, kLabelColumn);
    m_grid->addWidget(field, m_nextRow, kFieldColumn);
    ++m_nextRow;
    return caption;
}

QList<QWidget*> DeviceGrid::AddSettings(CSettingEditors& editors, std::initializer_list<const char*> keys)
{
    QList<QWidget*> added;
    for (const char* key : keys) {
        QWidget* editor = editors.Add(key);
        m_grid->addWidget(NewSettingLabel(key, editor), m_nextRow, kLabelColumn);
        m_grid->addWidget(editor, m_nextRow, kFieldColumn);
        ++m_nextRow;
        added << editor;
    }
    return added;
}

void DeviceGrid::AddWide(QWidget* widget)
{
    m_grid->addWidget(widget, m_nextRow++, kLabelColumn, 1, 2);
}

void DeviceGrid::Finish()
{
    m_grid->setRowStretch(m_nextRow, 1);
}

} // namespace PageForm
