#pragma once

#include "pages/CRecordGrid.h"

struct tagTRUNK_MATCH;

/// The trunk match rules of the store, one group per rule. The ID of a rule names its group
/// on the page only: the database numbers the rules itself when they are written.
class CGridTrunkMatch : public CRecordGrid
{
    Q_OBJECT

public:
    explicit CGridTrunkMatch(QWidget* parent = nullptr);

    /// Fills the grid from the store's TrunkMatches, in list order.
    void InitGrid();
    /// Appends a group for `rec` at the bottom.
    void AddRecord(const tagTRUNK_MATCH& rec);
    /// Appends a new rule with ID `nId` (no prefix, no number, trunk item 0, priority 4);
    /// false, and nothing changes, when there is one with that ID already.
    bool AddNew(int nId);
    /// Replaces the store's TrunkMatches with one record per group, in the grid's order.
    void SaveToCfg();

private:
    static std::unique_ptr<CPropertyGridProperty> NewRecordGroup(const tagTRUNK_MATCH& rec);
};
