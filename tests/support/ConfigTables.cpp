#include "support/ConfigTables.h"

#include "config/database/CCfgDb.h"
#include "config/document/CCfgDocument.h"

#include <QtGlobal>

namespace ConfigTables {

bool CreateEmpty()
{
    if (GetCfgDb()->CreateCfgTables())
        return true;
    qWarning("cannot create the configuration tables: %s", GetCfgDb()->GetDbError().c_str());
    return false;
}

} // namespace ConfigTables
