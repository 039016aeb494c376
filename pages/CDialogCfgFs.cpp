#include "pages/CDialogCfgFs.h"

#include "config/data/CCfgData.h"
#include "controls/CDialogUnits.h"
#include "controls/CIpAddressEdit.h"
#include "pages/PageForm.h"

#include <QLineEdit>
#include <QShowEvent>

using namespace PageForm;

namespace {

constexpr int kTemplateHeight = 302;

} // namespace

CDialogCfgFs::CDialogCfgFs(const CCfgData& cfg, QWidget* parent) : CCfgDialog(kTemplateHeight, parent)
{
    setObjectName(QStringLiteral("CDialogCfgFs"));
    m_ipFsEslAddr = NewAddressEdit(QStringLiteral("ipFsEslAddr"));
    m_editFsEslPort = NewSettingDigitsEdit("FsEslPort");
    // The password is shown in clear: installers read it off to check it.
    m_editFsEslPwd = NewTextEdit(QStringLiteral("editFsEslPwd"));
    m_editFsIvrPort = NewSettingDigitsEdit("FsIvrPort");
    m_editFsTrunkCount = NewSettingDigitsEdit("FsTrunkCount");
    m_editFsExtContext = NewTextEdit(QStringLiteral("editFsExtContext"));
    m_editFsMeetingContext = NewTextEdit(QStringLiteral("editFsMeetingContext"));
    m_editFsPCallContext = NewTextEdit(QStringLiteral("editFsPCallContext"));

    DeviceGrid grid(Form(), CDialogUnits(font()));
    grid.SetHeading(QStringLiteral("FreeSWITCH:"), QStringLiteral("labelFreeSwitch"));
    grid.AddSubHeading(QStringLiteral("连接设置："), QStringLiteral("labelConnection"));
    grid.AddField(QStringLiteral("设备地址："), QStringLiteral("labelFsEslAddr"), m_ipFsEslAddr);
    grid.AddField(QStringLiteral("设备端口："), QStringLiteral("labelFsEslPort"), m_editFsEslPort);
    grid.AddField(QStringLiteral("接入口令："), QStringLiteral("labelFsEslPwd"), m_editFsEslPwd);
    grid.AddField(QStringLiteral("IVR端口："), QStringLiteral("labelFsIvrPort"), m_editFsIvrPort);
    grid.AddSubHeading(QStringLiteral("环境设置："), QStringLiteral("labelEnvironment"));
    grid.AddField(QStringLiteral("中继通道数量："), QStringLiteral("labelFsTrunkCount"), m_editFsTrunkCount);
    grid.AddField(QStringLiteral("分机流程："), QStringLiteral("labelFsExtContext"), m_editFsExtContext);
    grid.AddField(QStringLiteral("会议流程："), QStringLiteral("labelFsMeetingContext"),
                  m_editFsMeetingContext);
    grid.AddField(QStringLiteral("预测呼叫流程："), QStringLiteral("labelFsPCallContext"),
                  m_editFsPCallContext);
    grid.Finish();

    SetTabOrder({m_ipFsEslAddr, m_editFsEslPort, m_editFsEslPwd, m_editFsIvrPort, m_editFsTrunkCount,
                 m_editFsExtContext, m_editFsMeetingContext, m_editFsPCallContext});

    OnInitDialog();
    Show(cfg);
}

void CDialogCfgFs::Show(const CCfgData& cfg)
{
    m_ipFsEslAddr->SetAddress(FromStore(cfg.FsEslAddr));
    ShowStored(m_editFsEslPort, cfg.FsEslPort);
    ShowStored(m_editFsEslPwd, cfg.FsEslPwd);
    ShowStored(m_editFsIvrPort, cfg.FsIvrPort);
    ShowStored(m_editFsTrunkCount, cfg.FsTrunkCount);
    ShowStored(m_editFsExtContext, cfg.FsExtContext);
    ShowStored(m_editFsMeetingContext, cfg.FsMeetingContext);
    ShowStored(m_editFsPCallContext, cfg.FsPCallContext);
}

void CDialogCfgFs::UpdateCfg(CCfgData& cfg)
{
    cfg.FsEslAddr = ToStore(m_ipFsEslAddr->Address());
    cfg.FsEslPort = ToStore(m_editFsEslPort->text());
    cfg.FsEslPwd = ToStore(m_editFsEslPwd->text());
    cfg.FsIvrPort = ToStore(m_editFsIvrPort->text());
    cfg.FsTrunkCount = ToStore(m_editFsTrunkCount->text());
    cfg.FsExtContext = ToStore(m_editFsExtContext->text());
    cfg.FsMeetingContext = ToStore(m_editFsMeetingContext->text());
    cfg.FsPCallContext = ToStore(m_editFsPCallContext->text());
}

void CDialogCfgFs::showEvent(QShowEvent* event)
{
    CCfgDialog::showEvent(event);
    // When the main window shows the page, not when the window system re-shows the window.
    if (!event->spontaneous())
        FocusOnShow(m_ipFsEslAddr);
}
