#include "config/CCfgData.h"

CCfgData* GetCfgData()
{
    static CCfgData data;
    return &data;
}
