#include "pages/CGridTrunkMatch.h"

namespace {

tagTRUNK_MATCH NewMatch()
{
    tagTRUNK_MATCH rec;
    rec.trunk_id = 0;
    rec.priority = 4;
    return rec;
}

} // namespace

CGridTrunkMatch::CGridTrunkMatch(QWidget* parent)
    : CRecordGridOf(parent, TrunkMatchTable(),
                    {QStringLiteral("中继匹配%1"),
                     3,
                     true,
                     {{"priority",
                       QStringLiteral("相同字冠优先级高的先被匹配"),
                       {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")}}},
                     &NewMatch})
{
    setObjectName(QStringLiteral("gridTrunkMatch"));
}
