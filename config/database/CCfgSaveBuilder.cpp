#include "config/database/CCfgSaveBuilder.h"

#include "config/catalogue/CfgRecordTable.h"
#include "config/catalogue/CfgSettings.h"
#include "config/data/CCfgData.h"
#include "config/database/CSqlSequence.h"
#include "config/document/CfgLoadReport.h"

namespace {

/// A kept value as it goes into its statement: quoted text, or NULL.
std::string KeptValue(CSqlSequence& sql, const std::optional<std::string>& value, const char* table,
                      const char* column, const std::string& what)
{
    return value ? "'" + sql.Text(*value, table, column, what) + "'" : std::string("NULL");
}

void WriteSetting(CSqlSequence& sql, const CfgSetting& setting, const CCfgData& cfg)
{
    const char* table = CfgSettingTable(setting.group);
    const std::string format =
        std::string("INSERT INTO ") + table + " (Name, Value) VALUES ('" + setting.key + "', '%s')";
    sql.Insert(format.c_str(),
               {sql.Text(setting.Value(cfg), table, "value", std::string("设置 ") + setting.key + " 的值")});
}

/// The settings of names this program does not know, written back as they were.
void WriteKeptSettings(CSqlSequence& sql, CfgGroup group, const std::vector<KeptRow>& kept)
{
    const char* table = CfgSettingTable(group);
    const std::string format = std::string("INSERT INTO ") + table + " (Name, Value) VALUES ('%s', %s)";
    for (const KeptRow& setting : kept) {
        const std::string what = "数据库中的设置 " + setting.name + " 的";
        sql.Insert(format.c_str(), {sql.Text(setting.name, table, "name", what + "名称"),
                                    KeptValue(sql, setting.value, table, "value", what + "值")});
    }
}

template <class Record>
void WriteRecords(CSqlSequence& sql, const RecordTable<Record>& table, const CCfgData& cfg,
                  bool keepTransaction)
{
    sql.Empty(table.table, keepTransaction);
    const std::string format = InsertFormat(table);
    std::size_t index = 0;
    std::vector<std::string> values;
    table.records.forEach(cfg, [&](const Record& record) {
        const std::string what = table.name(record, index++);
        values.clear();
        for (const RecordField<Record>& field : table.fields) {
            if (!field.inserted)
                continue;
            const std::string where = what + field.label;
            values.push_back(field.Visit(
                record,
                [&](const std::string& text) { return sql.Text(text, table.table, field.column, where); },
                [&](int number) { return sql.Number(number, table.table, field.column, where); },
                [&](bool) { return field.Spelled(record); }));
        }
        sql.Insert(format.c_str(), values);
    });
}

/// Lines of other types than the extensions', written back as they were after them, under
/// their own numbers, which no extension may take.
void WriteKeptLines(CSqlSequence& sql, const CCfgData& cfg, const CfgLoadReport& report)
{
    const char* table = ExtenTable().table;
    for (const KeptRow& line : report.keptLines) {
        std::string text;
        if (cfg.Extens.Lookup(line.id, text)) {
            sql.Refuse("分机 " + std::to_string(line.id) + " 与数据库中类型为 " + std::to_string(line.type) +
                       " 的线路同号，而 conf_line 的每个号码只能出现一次。"
                       "请换一个分机号；未写入任何内容");
            return;
        }
        const std::string what =
            "数据库中类型为 " + std::to_string(line.type) + " 的线路 " + std::to_string(line.id) + " 的";
        sql.Insert(kKeptLinesInsert, {std::to_string(line.id), std::to_string(line.type),
                                      KeptValue(sql, line.value, table, "value", what + "值")});
    }
}

/// The middleware or device settings, the group's list after the setting it follows, then
/// the kept settings.
void WriteSettingsGroup(CSqlSequence& sql, CfgGroup group, const CCfgData& cfg, const CfgLoadReport& report,
                        bool keepTransaction)
{
    sql.Empty(CfgSettingTable(group), keepTransaction);
    for (const CfgSetting& setting : CfgSettings()) {
        if (setting.group != group)
            continue;
        WriteSetting(sql, setting, cfg);
        if (setting.listFollows)
            ForEachRecordTable(group,
                               [&](const auto& table) { WriteRecords(sql, table, cfg, keepTransaction); });
    }
    WriteKeptSettings(sql, group, report.Kept(group));
}

void WriteLines(CSqlSequence& sql, const CCfgData& cfg, const CfgLoadReport& report, bool keepTransaction)
{
    ForEachRecordTable(CfgGroup::Lines, [&](const auto& table) {
        WriteRecords(sql, table, cfg, keepTransaction);
        if (table.table == std::string(ExtenTable().table))
            WriteKeptLines(sql, cfg, report);
    });
}

} // namespace

bool CCfgSaveBuilder::Build(CfgGroup group, const CCfgData& cfg, const CfgLoadReport& report,
                            const CColumnRules& rules, int dbType, std::vector<SqlStatement>& statements,
                            std::string& refusal, Emptying emptying)
{
    const bool keepTransaction = emptying == Emptying::Delete;
    statements.clear();
    if (group == CfgGroup::Lines) {
        if (!report.NoCutTextHeld(cfg, refusal))
            return false;
    }
    CSqlSequence sql(rules, dbType);
    if (group == CfgGroup::Lines)
        WriteLines(sql, cfg, report, keepTransaction);
    else
        WriteSettingsGroup(sql, group, cfg, report, keepTransaction);
    refusal = sql.Refusal();
    if (!refusal.empty())
        return false;
    statements = std::move(sql.Statements());
    return true;
}
