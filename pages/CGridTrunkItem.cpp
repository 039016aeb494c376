#include "pages/CGridTrunkItem.h"

#include "config/CCfgData.h"
#include "controls/CPropertyGridProperty.h"

namespace {

// The positions of the fields under a group.
enum Field
{
    Node,
    Board,
    Span,
    SipUser
};

} // namespace

CGridTrunkItem::CGridTrunkItem(QWidget* parent) : CRecordGrid(parent)
{
    setObjectName(QStringLiteral("gridTrunkItem"));
}

void CGridTrunkItem::InitGrid()
{
    PrepareGrid(3, true);
    std::vector<std::unique_ptr<CPropertyGridProperty>> groups;
    for (const auto& item : GetCfgData()->TrunkItems)
        groups.push_back(NewRecordGroup(*item));
    AddProperties(std::move(groups));
}

std::unique_ptr<CPropertyGridProperty> CGridTrunkItem::NewRecordGroup(const tagTRUNK_ITEM& rec)
{
    auto group = NewGroup(QStringLiteral("中继项%1"), rec.id);
    AddNumber(*group, QStringLiteral("设备节点"), rec.node);
    AddNumber(*group, QStringLiteral("设备板号"), rec.board);
    AddNumber(*group, QStringLiteral("数字中继口"), rec.span, QStringLiteral("SIP中继该值填写-1"));
    AddNumber(*group, QStringLiteral("SIP账号ID"), rec.sip_user, QStringLiteral("数字E1中继该值填写-1"));
    return group;
}

void CGridTrunkItem::AddRecord(const tagTRUNK_ITEM& rec)
{
    AddProperty(NewRecordGroup(rec));
}

bool CGridTrunkItem::AddNew(int nId)
{
    if (FindById(nId))
        return false;
    tagTRUNK_ITEM rec;
    rec.id = nId;
    rec.node = 0;
    rec.board = 0;
    rec.span = -1;
    rec.sip_user = -1;
    AddRecord(rec);
    return true;
}

void CGridTrunkItem::SaveToCfg()
{
    CTrunkItem& items = GetCfgData()->TrunkItems;
    items.DeleteAll();
    for (int index = 0; index < GetPropertyCount(); ++index) {
        const CPropertyGridProperty& group = *GetProperty(index);
        auto rec = std::make_unique<tagTRUNK_ITEM>();
        rec->id = IdOf(group);
        rec->node = NumberAt(group, Node);
        rec->board = NumberAt(group, Board);
        rec->span = NumberAt(group, Span);
        rec->sip_user = NumberAt(group, SipUser);
        items.AddTail(std::move(rec));
    }
}
