#include "pages/CDialogCfgFs.h"

#include "config/data/CCfgData.h"
#include "controls/CDialogUnits.h"
#include "controls/CIpAddressEdit.h"
#include "pages/PageForm.h"

#include <QLineEdit>

using namespace PageForm;

namespace {

constexpr int kTemplateHeight = 302;

} // namespace

CDialogCfgFs::CDialogCfgFs(const CCfgData& cfg, QWidget* parent) : CSettingsPage(kTemplateHeight, parent)
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
    SetTabOrder(order);

    OnInitDialog();
    SetFirstField(order.front());
    ShowCfg(cfg);
}
