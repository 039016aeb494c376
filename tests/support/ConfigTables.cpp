#include "support/ConfigTables.h"

#include "config/CCfgDb.h"

#include <QtGlobal>

namespace ConfigTables {

const std::vector<std::string>& Names()
{
    static const std::vector<std::string> names = {"conf_system", "conf_ivr_flow", "conf_dev", "conf_line",
                                                   "conf_vs", "conf_sip_account", "conf_trunk_item",
                                                   "conf_trunk_match"};
    return names;
}

bool CreateEmpty()
{
    if (GetCfgDb()->CreateCfgTables())
        return true;
    qWarning("cannot create the configuration tables: %s", GetCfgDb()->GetDbError().c_str());
    return false;
}

} // namespace ConfigTables
