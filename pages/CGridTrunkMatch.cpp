#include "pages/CGridTrunkMatch.h"

CGridTrunkMatch::CGridTrunkMatch(QWidget* parent)
    : CRecordGridOf(parent, CsvList::TrunkMatches, TrunkMatchTable(),
                    {QStringLiteral("中继匹配%1"),
                     3,
                     true,
                     {{"priority", QStringLiteral("相同字冠优先级高的先被匹配")}}})
{
    setObjectName(QStringLiteral("gridTrunkMatch"));
}
