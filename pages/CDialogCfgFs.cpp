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
    // The password is shown in clear: installers read it off to check it.
    DeviceGrid grid(Form(), CDialogUnits(font()));
    grid.SetHeading(QStringLiteral("FreeSWITCH:"), QStringLiteral("labelFreeSwitch"));
    grid.AddSubHeading(QStringLiteral("连接设置："), QStringLiteral("labelConnection"));
    QList<QWidget*> order = grid.AddSettings(m_settings, {"FsEslAddr", "FsEslPort", "FsEslPwd", "FsIvrPort"});
    grid.AddSubHeading(QStringLiteral("环境设置："), QStringLiteral("labelEnvironment"));
    order +=
        grid.AddSettings(m_settings, {"FsTrunkCount", "FsExtContext", "FsMeetingContext", "FsPCallContext"});
    grid.Finish();
    m_first = order.front();
    SetTabOrder(order);

    OnInitDialog();
    Show(cfg);
}

void CDialogCfgFs::Show(const CCfgData& cfg)
{
    m_settings.Show(cfg);
}

void CDialogCfgFs::UpdateCfg(CCfgData& cfg)
{
    m_settings.CopyTo(cfg);
}

void CDialogCfgFs::showEvent(QShowEvent* event)
{
    CCfgDialog::showEvent(event);
    // When the main window shows the page, not when the window system re-shows the window.
    if (!event->spontaneous())
        FocusOnShow(m_first);
}
