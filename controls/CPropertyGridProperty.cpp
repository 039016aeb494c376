#include "controls/CPropertyGridProperty.h"

#include "controls/CPropertyGridModel.h"

#include <QtGlobal>

CPropertyGridProperty::CPropertyGridProperty(bool group, const QString& name, const QString& value,
                                             const QString& description, qint64 data)
    : m_group(group), m_name(name), m_value(value), m_description(description), m_data(data)
{
}

CPropertyGridProperty::~CPropertyGridProperty() = default;

std::unique_ptr<CPropertyGridProperty> CPropertyGridProperty::NewGroup(const QString& caption, qint64 data)
{
    return std::unique_ptr<CPropertyGridProperty>(new CPropertyGridProperty(true, caption, {}, {}, data));
}

std::unique_ptr<CPropertyGridProperty> CPropertyGridProperty::NewValue(const QString& name,
                                                                       const QString& value,
                                                                       const QString& description,
                                                                       qint64 data)
{
    return std::unique_ptr<CPropertyGridProperty>(
        new CPropertyGridProperty(false, name, value, description, data));
}

void CPropertyGridProperty::SetValue(const QString& value)
{
    if (value == m_value)
        return;
    m_value = value;
    if (m_model)
        m_model->ValueChanged(this);
}

void CPropertyGridProperty::AddSubItem(std::unique_ptr<CPropertyGridProperty> item)
{
    Q_ASSERT(m_group && !m_model);
    item->m_parent = this;
    item->m_row = static_cast<int>(m_subItems.size());
    m_subItems.push_back(std::move(item));
}

void CPropertyGridProperty::AddOption(const QString& option)
{
    m_options << option;
}
