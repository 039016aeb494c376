#include "pages/CGridSipAccount.h"

#include "config/CCfgData.h"
#include "controls/CPropertyGridProperty.h"

namespace {

// The positions of the fields under a group.
enum Field
{
    Account,
    AuthAccount,
    Password,
    ProxyAddr,
    ProxyPort,
    Reg,
    RegInterval
};

const QString kTrue = QStringLiteral("true");
const QString kFalse = QStringLiteral("false");

} // namespace

CGridSipAccount::CGridSipAccount(QWidget* parent) : CRecordGrid(parent)
{
    setObjectName(QStringLiteral("gridSipAccount"));
}

void CGridSipAccount::InitGrid()
{
    PrepareGrid(4, false);
    std::vector<std::unique_ptr<CPropertyGridProperty>> groups;
    for (const auto& account : GetCfgData()->SipAccounts)
        groups.push_back(NewRecordGroup(*account));
    AddProperties(std::move(groups));
}

std::unique_ptr<CPropertyGridProperty> CGridSipAccount::NewRecordGroup(const tagSIP_ACCOUNT& rec)
{
    auto group = NewGroup(QStringLiteral("SIP账户%1"), rec.id);
    AddText(*group, QStringLiteral("账户"), rec.account);
    AddText(*group, QStringLiteral("鉴权账户"), rec.auth_account);
    AddText(*group, QStringLiteral("密码"), rec.password);
    AddText(*group, QStringLiteral("注册地址"), rec.proxy_addr);
    AddNumber(*group, QStringLiteral("注册端口"), rec.proxy_port);
    AddChoice(*group, QStringLiteral("是否注册"), rec.reg ? kTrue : kFalse, {kTrue, kFalse});
    AddNumber(*group, QStringLiteral("注册间隔"), rec.reg_interval);
    return group;
}

void CGridSipAccount::AddRecord(const tagSIP_ACCOUNT& rec)
{
    AddProperty(NewRecordGroup(rec));
}

bool CGridSipAccount::AddNew(int nId)
{
    if (FindById(nId))
        return false;
    tagSIP_ACCOUNT rec;
    rec.id = nId;
    rec.proxy_port = 5060;
    rec.reg = true;
    rec.reg_interval = 1800;
    AddRecord(rec);
    return true;
}

void CGridSipAccount::SaveToCfg()
{
    CSipAccount& accounts = GetCfgData()->SipAccounts;
    accounts.DeleteAll();
    for (int index = 0; index < GetPropertyCount(); ++index) {
        const CPropertyGridProperty& group = *GetProperty(index);
        auto rec = std::make_unique<tagSIP_ACCOUNT>();
        rec->id = IdOf(group);
        CopyToField(rec->account, TextAt(group, Account));
        CopyToField(rec->auth_account, TextAt(group, AuthAccount));
        CopyToField(rec->password, TextAt(group, Password));
        CopyToField(rec->proxy_addr, TextAt(group, ProxyAddr));
        rec->proxy_port = NumberAt(group, ProxyPort);
        rec->reg = TextAt(group, Reg) == "true";
        rec->reg_interval = NumberAt(group, RegInterval);
        accounts.AddTail(std::move(rec));
    }
}
