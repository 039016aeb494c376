#include "pages/CGridExten.h"

#include "config/catalogue/CfgGroups.h"
#include "config/catalogue/CfgRecordTable.h"
#include "config/data/CCfgData.h"
#include "controls/CPropertyGridProperty.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

CGridExten::CGridExten(QWidget* parent) : CLineGrid(CsvList::Extensions, parent)
{
    setObjectName(QStringLiteral("gridExten"));
}

void CGridExten::InitGrid(const CCfgData& cfg, StoreOrder order)
{
    const RecordTable<tagExten>& table = ExtenTable();
    EnableHeaderCtrl(true, QString::fromUtf8(table.fields[0].label),
                     QString::fromUtf8(table.fields[1].label));
    EnableDescriptionArea(false, 2);
    SetNameColumnShare(3);
    RemoveAll();
    ExtenList extens;
    if (order == StoreOrder::AsSet) {
        extens.reserve(cfg.Extens.GetCount());
        cfg.Extens.ForEachAsAdded(
            [&extens](int number, const std::string& password) { extens.emplace_back(number, password); });
    } else {
        extens = ExtensInOrder(cfg.Extens);
    }
    m_storeOrder.clear();
    m_storeOrder.reserve(extens.size());
    for (const auto& [number, password] : extens)
        m_storeOrder.push_back(number);
    std::sort(extens.begin(), extens.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    // The map holds each number once, so every entry is a row of its own: added in one go.
    std::vector<std::unique_ptr<CPropertyGridProperty>> rows;
    rows.reserve(extens.size());
    for (const auto& [number, password] : extens)
        rows.push_back(NewRow(number, QString::fromStdString(password)));
    AddProperties(std::move(rows));
}

std::unique_ptr<CPropertyGridProperty> CGridExten::NewRow(int nExten, const QString& password)
{
    auto row = CPropertyGridProperty::NewValue(QString::number(nExten), password, {}, nExten);
    row->SetMaxCharacters(kExtenPasswordRoom);
    return row;
}

int CGridExten::LowerBound(int nExten) const
{
    int low = 0;
    int high = GetPropertyCount();
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (GetProperty(middle)->GetData() < nExten)
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

void CGridExten::SetExten(int nExten, const QString& password)
{
    SetExtens({{nExten, password}});
}

void CGridExten::SetExtens(const std::vector<std::pair<int, QString>>& extens)
{
    std::vector<std::pair<int, QString>> added;
    std::unordered_set<int> adding;
    for (const auto& [number, password] : extens) {
        if (CPropertyGridProperty* row = FindById(number)) {
            row->SetValue(password);
        } else if (adding.insert(number).second) {
            added.emplace_back(number, password);
            m_storeOrder.push_back(number);
        }
    }
    std::sort(added.begin(), added.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    // Numbers that fall between the same two rows go in as one insertion.
    for (std::size_t first = 0; first < added.size();) {
        const int position = LowerBound(added[first].first);
        const qint64 limit = position < GetPropertyCount() ? GetProperty(position)->GetData() : 0;
        std::vector<std::unique_ptr<CPropertyGridProperty>> rows;
        std::size_t last = first;
        while (last < added.size() && (position == GetPropertyCount() || added[last].first < limit)) {
            rows.push_back(NewRow(added[last].first, added[last].second));
            ++last;
        }
        InsertProperties(position, std::move(rows));
        first = last;
    }
}

std::vector<CsvRow> CGridExten::Rows()
{
    CCfgData copy;
    SaveToCfg(copy);
    return Layout().rows(copy);
}

void CGridExten::PutRows(const std::vector<CsvRow>& rows)
{
    // The password's column is the one after the number's, as the header row shows them.
    const std::size_t number = Layout().idColumn;
    std::vector<std::pair<int, QString>> extens;
    extens.reserve(rows.size());
    for (const CsvRow& row : rows)
        extens.emplace_back(std::stoi(row[number]), QString::fromStdString(row[number + 1]));
    SetExtens(extens);
}

CPropertyGridProperty* CGridExten::FindById(int nExten) const
{
    return FindItemByData(nExten);
}

void CGridExten::SaveToCfg(CCfgData& cfg)
{
    std::unordered_map<int, std::size_t> lastPlace;
    lastPlace.reserve(m_storeOrder.size());
    for (std::size_t place = 0; place < m_storeOrder.size(); ++place)
        lastPlace[m_storeOrder[place]] = place;
    CExtenMap& extens = cfg.Extens;
    extens.RemoveAll();
    std::vector<int> kept;
    kept.reserve(static_cast<std::size_t>(GetPropertyCount()));
    for (std::size_t place = 0; place < m_storeOrder.size(); ++place) {
        const int number = m_storeOrder[place];
        if (lastPlace[number] != place)
            continue;
        if (const CPropertyGridProperty* row = FindById(number)) {
            extens.SetAt(number, row->GetValue().toStdString());
            kept.push_back(number);
        }
    }
    // What was deleted for good need not be remembered any longer.
    m_storeOrder = std::move(kept);
}
