#pragma once

#include "pages/CRecordGridOf.h"

/// The SIP registration accounts of the store, one group per account; a new one registers
/// on port 5060 every 1800 seconds.
class CGridSipAccount : public CRecordGridOf<tagSIP_ACCOUNT>
{
    Q_OBJECT

public:
    explicit CGridSipAccount(QWidget* parent = nullptr);
};
