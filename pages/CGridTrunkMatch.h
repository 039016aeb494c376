#pragma once

#include "pages/CRecordGridOf.h"

/// The trunk match rules of the store, one group per rule. The ID of a rule names its group
/// on the page only: the database numbers the rules itself when they are written. A new one
/// has no prefix, no number, trunk item 0 and priority 4.
class CGridTrunkMatch : public CRecordGridOf<tagTRUNK_MATCH>
{
    Q_OBJECT

public:
    explicit CGridTrunkMatch(QWidget* parent = nullptr);
};
