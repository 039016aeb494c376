#pragma once

#include "pages/CRecordGrid.h"

struct tagTRUNK_ITEM;

/// The trunk items of the store, one group per item: a digital trunk by node, board and
/// span, or a SIP trunk by the ID of a SIP account; the field that does not apply holds -1.
class CGridTrunkItem : public CRecordGrid
{
    Q_OBJECT

public:
    explicit CGridTrunkItem(QWidget* parent = nullptr);

    /// Fills the grid from the store's TrunkItems, in list order.
    void InitGrid();
    /// Appends a group for `rec` at the bottom.
    void AddRecord(const tagTRUNK_ITEM& rec);
    /// Appends a new item with ID `nId` (node 0, board 0, span -1, SIP account -1); false,
    /// and nothing changes, when there is one with that ID already.
    bool AddNew(int nId);
    /// Replaces the store's TrunkItems with one record per group, in the grid's order.
    void SaveToCfg();

private:
    static std::unique_ptr<CPropertyGridProperty> NewRecordGroup(const tagTRUNK_ITEM& rec);
};
