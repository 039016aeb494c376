#include "config/CCfgDb.h"

#include "db/IOtlConnection.h"

CCfgDb* GetCfgDb()
{
    static CCfgDb cfgDb;
    return &cfgDb;
}

std::string CCfgDb::GetDbError()
{
    return IOtlConnection::getInstance()->GetLastErrorText();
}
