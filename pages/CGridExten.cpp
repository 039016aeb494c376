#include "pages/CGridExten.h"

#include "config/CCfgData.h"
#include "controls/CPropertyGridProperty.h"

CGridExten::CGridExten(QWidget* parent) : CPropertyGridCtrl(parent)
{
    setObjectName(QStringLiteral("gridExten"));
}

void CGridExten::InitGrid()
{
    EnableHeaderCtrl(true, QStringLiteral("分机号"), QStringLiteral("接入密码"));
    EnableDescriptionArea(false, 2);
    SetNameColumnShare(3);
    // The map holds each number once, so every entry is a row of its own: added in one go.
    std::vector<std::unique_ptr<CPropertyGridProperty>> rows;
    GetCfgData()->Extens.ForEach([&rows](unsigned number, const std::string& password) {
        rows.push_back(NewRow(number, QString::fromStdString(password)));
    });
    AddProperties(std::move(rows));
}

std::unique_ptr<CPropertyGridProperty> CGridExten::NewRow(unsigned nExten, const QString& password)
{
    auto row = CPropertyGridProperty::NewValue(QString::number(nExten), password, {}, nExten);
    row->SetMaxCharacters(kPasswordRoom);
    return row;
}

void CGridExten::SetExten(unsigned nExten, const QString& password)
{
    if (CPropertyGridProperty* row = FindById(nExten))
        row->SetValue(password);
    else
        AddProperty(NewRow(nExten, password));
}

CPropertyGridProperty* CGridExten::FindById(unsigned nExten) const
{
    return FindItemByData(nExten);
}

void CGridExten::SaveToCfg()
{
    CExtenMap& extens = GetCfgData()->Extens;
    extens.RemoveAll();
    for (int index = 0; index < GetPropertyCount(); ++index) {
        const CPropertyGridProperty& row = *GetProperty(index);
        extens.SetAt(static_cast<unsigned>(row.GetData()), row.GetValue().toStdString());
    }
}
