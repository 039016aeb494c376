#include "pages/CGridTrunkItem.h"

CGridTrunkItem::CGridTrunkItem(QWidget* parent)
    : CRecordGridOf(parent, CsvList::TrunkItems, TrunkItemTable(),
                    {QStringLiteral("中继项%1"),
                     3,
                     true,
                     {{"span", QStringLiteral("SIP中继该值填写-1")},
                      {"sip_user", QStringLiteral("数字E1中继该值填写-1")}}})
{
    setObjectName(QStringLiteral("gridTrunkItem"));
}
