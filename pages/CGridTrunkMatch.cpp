#include "pages/CGridTrunkMatch.h"

#include "config/CCfgData.h"
#include "controls/CPropertyGridProperty.h"

namespace {

// The positions of the fields under a group.
enum Field
{
    Prefix,
    Caller,
    TrunkId,
    Priority
};

} // namespace

CGridTrunkMatch::CGridTrunkMatch(QWidget* parent) : CRecordGrid(parent)
{
    setObjectName(QStringLiteral("gridTrunkMatch"));
}

void CGridTrunkMatch::InitGrid()
{
    PrepareGrid(3, true);
    std::vector<std::unique_ptr<CPropertyGridProperty>> groups;
    for (const auto& match : GetCfgData()->TrunkMatches)
        groups.push_back(NewRecordGroup(*match));
    AddProperties(std::move(groups));
}

std::unique_ptr<CPropertyGridProperty> CGridTrunkMatch::NewRecordGroup(const tagTRUNK_MATCH& rec)
{
    auto group = NewGroup(QStringLiteral("中继匹配%1"), rec.id);
    AddText(*group, QStringLiteral("字冠"), rec.prefix);
    AddText(*group, QStringLiteral("透传号码"), rec.caller);
    AddNumber(*group, QStringLiteral("中继项ID"), rec.trunk_id);
    // A priority the database holds outside the options is shown, and kept, as it is.
    AddChoice(*group, QStringLiteral("优先级"), QString::number(rec.priority),
              {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")},
              QStringLiteral("相同字冠优先级高的先被匹配"));
    return group;
}

void CGridTrunkMatch::AddRecord(const tagTRUNK_MATCH& rec)
{
    AddProperty(NewRecordGroup(rec));
}

bool CGridTrunkMatch::AddNew(int nId)
{
    if (FindById(nId))
        return false;
    tagTRUNK_MATCH rec;
    rec.id = nId;
    rec.trunk_id = 0;
    rec.priority = 4;
    AddRecord(rec);
    return true;
}

void CGridTrunkMatch::SaveToCfg()
{
    CTrunkMatch& matches = GetCfgData()->TrunkMatches;
    matches.DeleteAll();
    for (int index = 0; index < GetPropertyCount(); ++index) {
        const CPropertyGridProperty& group = *GetProperty(index);
        auto rec = std::make_unique<tagTRUNK_MATCH>();
        rec->id = IdOf(group);
        CopyToField(rec->prefix, TextAt(group, Prefix));
        CopyToField(rec->caller, TextAt(group, Caller));
        rec->trunk_id = NumberAt(group, TrunkId);
        rec->priority = NumberAt(group, Priority);
        matches.AddTail(std::move(rec));
    }
}
