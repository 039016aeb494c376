#include "pages/CGridSipAccount.h"

namespace {

tagSIP_ACCOUNT NewAccount()
{
    tagSIP_ACCOUNT rec;
    rec.proxy_port = 5060;
    rec.reg = true;
    rec.reg_interval = 1800;
    return rec;
}

} // namespace

CGridSipAccount::CGridSipAccount(QWidget* parent)
    : CRecordGridOf(parent, SipAccountTable(), {QStringLiteral("SIP账户%1"), 4, false, {}, &NewAccount})
{
    setObjectName(QStringLiteral("gridSipAccount"));
}
