#include "pages/CDialogCfgEhang.h"

#include "config/data/CCfgData.h"
#include "controls/CDialogUnits.h"
#include "controls/CIpAddressEdit.h"
#include "pages/PageForm.h"

#include <QLineEdit>

using namespace PageForm;

namespace {

constexpr int kTemplateHeight = 311;

} // namespace

CDialogCfgEhang::CDialogCfgEhang(const CCfgData& cfg, QWidget* parent)
    : CSettingsPage(kTemplateHeight, parent)
{
    setObjectName(QStringLiteral("CDialogCfgEhang"));
    DeviceGrid grid(Form(), CDialogUnits(font()));
    grid.SetHeading(QStringLiteral("毅航："), QStringLiteral("labelEhang"));
    QList<QWidget*> order = grid.AddSettings(m_settings, {"ScAddr", "ScPort", "McAddr", "McPort"});
    grid.AddSubHeading(QStringLiteral("线路容量设置："), QStringLiteral("labelLineCapacity"));
    order += grid.AddSettings(m_settings,
                              {"DigTrunkCount", "VoipTrunkCount", "VoipSignallingAddr", "VoipMediaAddr"});
    grid.AddSubHeading(QStringLiteral("传真设置："), QStringLiteral("labelFax"));
    order += grid.AddSettings(m_settings, {"FaxServerAddr", "FaxServerPort"});
    grid.Finish();
    // Tab follows the screen.
    SetTabOrder(order);

    OnInitDialog();
    SetFirstField(order.front());
    ShowCfg(cfg);
}
