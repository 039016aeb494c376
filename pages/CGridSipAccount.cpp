#include "pages/CGridSipAccount.h"

CGridSipAccount::CGridSipAccount(QWidget* parent)
    : CRecordGridOf(parent, CsvList::SipAccounts, SipAccountTable(),
                    {QStringLiteral("SIP账户%1"), 4, false, {}})
{
    setObjectName(QStringLiteral("gridSipAccount"));
}
