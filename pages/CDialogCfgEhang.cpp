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
    m_first = order.front();
    SetTabOrder(order);

    OnInitDialog();
    Show(cfg);
}

void CDialogCfgEhang::Show(const CCfgData& cfg)
{
    m_settings.Show(cfg);
}

void CDialogCfgEhang::UpdateCfg(CCfgData& cfg)
{
    m_settings.CopyTo(cfg);
}

void CDialogCfgEhang::showEvent(QShowEvent* event)
{
    CCfgDialog::showEvent(event);
    // When the main window shows the page, not when the window system re-shows the window.
    if (!event->spontaneous())
        FocusOnShow(m_first);
}
