#include "pages/CGridTrunkItem.h"

namespace {

tagTRUNK_ITEM NewItem()
{
    tagTRUNK_ITEM rec;
    rec.node = 0;
    rec.board = 0;
    rec.span = -1;
    rec.sip_user = -1;
    return rec;
}

} // namespace

CGridTrunkItem::CGridTrunkItem(QWidget* parent)
    : CRecordGridOf(parent, TrunkItemTable(),
                    {QStringLiteral("中继项%1"),
                     3,
                     true,
                     {{"span", QStringLiteral("SIP中继该值填写-1"), {}},
                      {"sip_user", QStringLiteral("数字E1中继该值填写-1"), {}}},
                     &NewItem})
{
    setObjectName(QStringLiteral("gridTrunkItem"));
}
