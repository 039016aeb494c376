#pragma once

#include "config/catalogue/CfgGroup.h"
#include "db/IOtlConnection.h"

#include <string>
#include <vector>

class CColumnRules;
struct CCfgData;
struct CfgLoadReport;

/// The statements that rewrite one group's tables from a store: each table emptied, then one
/// INSERT per setting or record, with the rows the program keeps without editing written
/// back as `report` has them. Building checks every value against its column and sends nothing.
class CCfgSaveBuilder
{
public:
    /// How a table is emptied: TRUNCATE, or DELETE where the statements are to stay inside
    /// one transaction, which TRUNCATE would end.
    enum class Emptying
    {
        Truncate,
        Delete,
    };

    /// False, with `refusal` naming the value and why, when something would not be written
    /// as the store holds it; `statements` is then of no use.
    static bool Build(CfgGroup group, const CCfgData& cfg, const CfgLoadReport& report,
                      const CColumnRules& rules, int dbType, std::vector<SqlStatement>& statements,
                      std::string& refusal, Emptying emptying = Emptying::Truncate);
};
