#pragma once

#include "pages/CRecordGridOf.h"

/// The trunk items of the store, one group per item: a digital trunk by node, board and
/// span, or a SIP trunk by the ID of a SIP account; the field that does not apply holds -1.
/// A new one is node 0, board 0, with neither span nor SIP account.
class CGridTrunkItem : public CRecordGridOf<tagTRUNK_ITEM>
{
    Q_OBJECT

public:
    explicit CGridTrunkItem(QWidget* parent = nullptr);
};
