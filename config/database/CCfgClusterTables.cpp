#include "config/database/CCfgClusterTables.h"

#include "db/IOtlConnection.h"
#include "db/IOtlRecordset.h"

const char* const CCfgClusterTables::kLockTable = "tarvex_lock";
const char* const CCfgClusterTables::kLockTableCreate =
    "CREATE TABLE IF NOT EXISTS tarvex_lock (name varchar(64) NOT NULL, token char(36) default NULL, "
    "saved_by varchar(300) default NULL, saved_at datetime default NULL, held_until datetime default NULL, "
    "PRIMARY KEY (name)) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4";

bool CCfgClusterTables::Find(IOtlConnection& db, const std::vector<std::string>& tables,
                             std::vector<Table>& notReplicated, std::string& error)
{
    notReplicated.clear();
    std::string names;
    for (const std::string& table : tables)
        names += (names.empty() ? "'" : ", '") + table + "'";
    const RecordsetPtr rows(db.OpenRecordset(
        "SELECT TABLE_NAME, ENGINE FROM information_schema.TABLES WHERE TABLE_SCHEMA = DATABASE() AND "
        "TABLE_NAME IN (" +
        names + ") AND ENGINE <> 'InnoDB' ORDER BY TABLE_NAME"));
    if (!rows) {
        error = "无法读取配置表的存储引擎：" + db.GetLastErrorText();
        return false;
    }
    while (!rows->IsEof()) {
        rows->FetchNext();
        notReplicated.push_back({rows->GetFieldString(1), rows->GetFieldString(2)});
    }
    return true;
}

bool CCfgClusterTables::Replicated(IOtlConnection& db, const std::vector<std::string>& tables,
                                   std::string& error)
{
    if (!db.Role().clusterNode)
        return true;
    std::vector<Table> notReplicated;
    if (!Find(db, tables, notReplicated, error)) {
        error += "；未写入任何内容";
        return false;
    }
    if (notReplicated.empty())
        return true;
    error = "数据源 " + db.DataSourceName() + " 是集群节点，而这些配置表的存储引擎不会在集群中复制：" +
            Names(notReplicated) +
            "。写入这里的内容不会到达其他节点，因此未写入任何内容。请先用“数据库 → 转换为集群表”"
            "（或命令 tarvex convert-cluster）把它们转换为 InnoDB";
    return false;
}

std::string CCfgClusterTables::ReplicatedCheck(const std::vector<std::string>& tables)
{
    std::string names;
    for (const std::string& table : tables)
        names += (names.empty() ? "'" : ", '") + table + "'";
    // Inserts nothing, unless a table is found: its NULL name then fails the statement.
    return "INSERT INTO " + std::string(kLockTable) +
           " (name) SELECT NULL FROM information_schema.TABLES WHERE TABLE_SCHEMA = DATABASE() AND "
           "TABLE_NAME IN (" +
           names + ") AND ENGINE <> 'InnoDB' LIMIT 1";
}

bool CCfgClusterTables::Convert(IOtlConnection& db, const std::vector<Table>& tables,
                                std::vector<std::string>& converted, std::string& error)
{
    converted.clear();
    for (const Table& table : tables) {
        if (!db.ExecuteSql("ALTER TABLE " + table.name + " ENGINE=InnoDB")) {
            error = "无法把表 " + table.name + " 转换为 InnoDB：" + db.GetLastErrorText();
            return false;
        }
        converted.push_back(table.name);
    }
    return true;
}

std::string CCfgClusterTables::Names(const std::vector<Table>& tables)
{
    std::string names;
    for (const Table& table : tables)
        names += (names.empty() ? "" : "、") + table.name + " (" + table.engine + ")";
    return names;
}
