#pragma once

#include "pages/CRecordGrid.h"

struct tagSIP_ACCOUNT;

/// The SIP registration accounts of the store, one group per account.
class CGridSipAccount : public CRecordGrid
{
    Q_OBJECT

public:
    explicit CGridSipAccount(QWidget* parent = nullptr);

    /// Fills the grid from the store's SipAccounts, in list order.
    void InitGrid();
    /// Appends a group for `rec` at the bottom.
    void AddRecord(const tagSIP_ACCOUNT& rec);
    /// Appends a new account with ID `nId` and the default values; false, and nothing
    /// changes, when there is one with that ID already.
    bool AddNew(int nId);
    /// Replaces the store's SipAccounts with one record per group, in the grid's order.
    void SaveToCfg();

private:
    static std::unique_ptr<CPropertyGridProperty> NewRecordGroup(const tagSIP_ACCOUNT& rec);
};
