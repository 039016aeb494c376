#include "pages/CRecordGrid.h"

#include "controls/CPropertyGridProperty.h"
#include "db/DecimalText.h"

#include <limits>

CPropertyGridProperty* CRecordGrid::FindById(int nId) const
{
    return FindItemByData(nId);
}

void CRecordGrid::PrepareGrid(int nameShareDivisor, bool descriptionArea)
{
    EnableHeaderCtrl(false);
    SetNameColumnShare(nameShareDivisor);
    EnableDescriptionArea(descriptionArea, 2);
}

std::unique_ptr<CPropertyGridProperty> CRecordGrid::NewGroup(const QString& captionFormat, int nId)
{
    return CPropertyGridProperty::NewGroup(captionFormat.arg(nId), nId);
}

void CRecordGrid::AddText(CPropertyGridProperty& group, const QString& label, const std::string& text,
                          int roomBytes)
{
    auto row = CPropertyGridProperty::NewValue(label, QString::fromStdString(text), {}, group.GetData());
    if (roomBytes > 0)
        row->SetMaxUtf8Bytes(roomBytes);
    group.AddSubItem(std::move(row));
}

void CRecordGrid::AddNumber(CPropertyGridProperty& group, const QString& label, int value, int minimum,
                            int maximum, const QString& description)
{
    auto row = CPropertyGridProperty::NewValue(label, QString::number(value), description, group.GetData());
    row->SetIntegerRange(minimum, maximum);
    group.AddSubItem(std::move(row));
}

void CRecordGrid::AddChoice(CPropertyGridProperty& group, const QString& label, const QString& value,
                            const QStringList& options, const QString& description)
{
    auto row = CPropertyGridProperty::NewValue(label, value, description, group.GetData());
    for (const QString& option : options)
        row->AddOption(option);
    group.AddSubItem(std::move(row));
}

std::string CRecordGrid::TextAt(const CPropertyGridProperty& group, int position)
{
    return group.GetSubItem(position)->GetValue().toStdString();
}

int CRecordGrid::IdOf(const CPropertyGridProperty& group)
{
    return static_cast<int>(group.GetData());
}
