#include "pages/CGridSipAccount.h"

CGridSipAccount::CGridSipAccount(QWidget* parent)
    : CRecordGridOf(parent, SipAccountTable(), {QStringLiteral("SIP账户%1"), 4, false, {}})
{
    setObjectName(QStringLiteral("gridSipAccount"));
}
