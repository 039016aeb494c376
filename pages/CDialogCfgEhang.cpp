#include "pages/CDialogCfgEhang.h"

#include "config/data/CCfgData.h"
#include "controls/CDialogUnits.h"
#include "controls/CIpAddressEdit.h"
#include "pages/PageForm.h"

#include <QLineEdit>
#include <QShowEvent>

using namespace PageForm;

namespace {

constexpr int kTemplateHeight = 311;

} // namespace

CDialogCfgEhang::CDialogCfgEhang(const CCfgData& cfg, QWidget* parent) : CCfgDialog(kTemplateHeight, parent)
{
    setObjectName(QStringLiteral("CDialogCfgEhang"));
    m_ipScAddr = NewAddressEdit(QStringLiteral("ipScAddr"));
    m_editScPort = NewSettingDigitsEdit("ScPort");
    m_ipMcAddr = NewAddressEdit(QStringLiteral("ipMcAddr"));
    m_editMcPort = NewSettingDigitsEdit("McPort");
    m_editDigTrunkCount = NewSettingDigitsEdit("DigTrunkCount");
    m_editVoipTrunkCount = NewSettingDigitsEdit("VoipTrunkCount");
    m_ipVoipSignallingAddr = NewAddressEdit(QStringLiteral("ipVoipSignallingAddr"));
    m_ipVoipMediaAddr = NewAddressEdit(QStringLiteral("ipVoipMediaAddr"));
    m_ipFaxServerAddr = NewAddressEdit(QStringLiteral("ipFaxServerAddr"));
    m_editFaxServerPort = NewSettingDigitsEdit("FaxServerPort");

    DeviceGrid grid(Form(), CDialogUnits(font()));
    grid.SetHeading(QStringLiteral("毅航："), QStringLiteral("labelEhang"));
    grid.AddField(QStringLiteral("监听地址："), QStringLiteral("labelScAddr"), m_ipScAddr);
    grid.AddField(QStringLiteral("监听端口："), QStringLiteral("labelScPort"), m_editScPort);
    grid.AddField(QStringLiteral("MC地址："), QStringLiteral("labelMcAddr"), m_ipMcAddr);
    grid.AddField(QStringLiteral("MC端口："), QStringLiteral("labelMcPort"), m_editMcPort);
    grid.AddSubHeading(QStringLiteral("线路容量设置："), QStringLiteral("labelLineCapacity"));
    grid.AddField(QStringLiteral("数字中继容量："), QStringLiteral("labelDigTrunkCount"),
                  m_editDigTrunkCount);
    grid.AddField(QStringLiteral("VOIP中继容量："), QStringLiteral("labelVoipTrunkCount"),
                  m_editVoipTrunkCount);
    grid.AddField(QStringLiteral("VOIP信令地址："), QStringLiteral("labelVoipSignallingAddr"),
                  m_ipVoipSignallingAddr);
    grid.AddField(QStringLiteral("VOIP媒体地址："), QStringLiteral("labelVoipMediaAddr"), m_ipVoipMediaAddr);
    grid.AddSubHeading(QStringLiteral("传真设置："), QStringLiteral("labelFax"));
    grid.AddField(QStringLiteral("传真服务器地址："), QStringLiteral("labelFaxServerAddr"),
                  m_ipFaxServerAddr);
    grid.AddField(QStringLiteral("传真服务器端口："), QStringLiteral("labelFaxServerPort"),
                  m_editFaxServerPort);
    grid.Finish();

    // The fax fields come before the two VoIP addresses, the media address before the
    // signalling address.
    // Tab follows the screen.
    SetTabOrder({m_ipScAddr, m_editScPort, m_ipMcAddr, m_editMcPort, m_editDigTrunkCount,
                 m_editVoipTrunkCount, m_ipVoipSignallingAddr, m_ipVoipMediaAddr, m_ipFaxServerAddr,
                 m_editFaxServerPort});

    OnInitDialog();
    Show(cfg);
}

void CDialogCfgEhang::Show(const CCfgData& cfg)
{
    m_ipScAddr->SetAddress(FromStore(cfg.ScAddr));
    ShowStored(m_editScPort, cfg.ScPort);
    m_ipMcAddr->SetAddress(FromStore(cfg.McAddr));
    ShowStored(m_editMcPort, cfg.McPort);
    ShowStored(m_editDigTrunkCount, cfg.DigTrunkCount);
    ShowStored(m_editVoipTrunkCount, cfg.VoipTrunkCount);
    m_ipVoipSignallingAddr->SetAddress(FromStore(cfg.VoipSignallingAddr));
    m_ipVoipMediaAddr->SetAddress(FromStore(cfg.VoipMediaAddr));
    m_ipFaxServerAddr->SetAddress(FromStore(cfg.FaxServerAddr));
    ShowStored(m_editFaxServerPort, cfg.FaxServerPort);
}

void CDialogCfgEhang::UpdateCfg(CCfgData& cfg)
{
    cfg.ScAddr = ToStore(m_ipScAddr->Address());
    cfg.ScPort = ToStore(m_editScPort->text());
    cfg.McAddr = ToStore(m_ipMcAddr->Address());
    cfg.McPort = ToStore(m_editMcPort->text());
    cfg.DigTrunkCount = ToStore(m_editDigTrunkCount->text());
    cfg.VoipTrunkCount = ToStore(m_editVoipTrunkCount->text());
    cfg.VoipSignallingAddr = ToStore(m_ipVoipSignallingAddr->Address());
    cfg.VoipMediaAddr = ToStore(m_ipVoipMediaAddr->Address());
    cfg.FaxServerAddr = ToStore(m_ipFaxServerAddr->Address());
    cfg.FaxServerPort = ToStore(m_editFaxServerPort->text());
}

void CDialogCfgEhang::showEvent(QShowEvent* event)
{
    CCfgDialog::showEvent(event);
    // When the main window shows the page, not when the window system re-shows the window.
    if (!event->spontaneous())
        FocusOnShow(m_ipScAddr);
}
