#include "config/sessions/CCfgClusterConversion.h"

#include "config/catalogue/CfgGroups.h"
#include "config/database/CCfgWriter.h"
#include "config/formats/CCfgBackups.h"
#include "db/IOtlConnection.h"

bool CCfgClusterConversion::Find(IOtlConnection& db, std::vector<Table>& tables, std::string& error)
{
    tables.clear();
    if (!CCfgWriter::Writable(db, error))
        return false;
    std::vector<std::string> names;
    for (CfgGroup group : kCfgGroups) {
        for (std::string& table : CfgGroupTables(group))
            names.push_back(std::move(table));
    }
    return CCfgClusterTables::Find(db, names, tables, error);
}

bool CCfgClusterConversion::Convert(IOtlConnection& db, const CCfgData& database,
                                    const std::vector<Table>& tables, Result& result, std::string& error)
{
    result = Result();
    const std::string time = CCfgBackups::Now();
    for (CfgGroup group : kCfgGroups) {
        QString path;
        if (!CCfgBackups::Write(database, {db.DataSourceName(), time, group}, path, error)) {
            error += "，因此未转换任何表";
            return false;
        }
        result.backups.push_back(path.toStdString());
    }
    if (CCfgClusterTables::Convert(db, tables, result.converted, error))
        return true;
    if (!result.converted.empty())
        error += "（此前已转换：" + result.ConvertedNames() + "）";
    return false;
}

std::string CCfgClusterConversion::Result::ConvertedNames() const
{
    std::string names;
    for (const std::string& table : converted)
        names += (names.empty() ? "" : "、") + table;
    return names;
}
