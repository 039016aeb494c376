// Saving: each group of the store written back to its tables.
#include "config/CCfgData.h"
#include "config/CCfgDb.h"
#include "config/CSqlSequence.h"

bool CCfgDb::SaveSysCfg()
{
    const CCfgData& cfg = *GetCfgData();
    CSqlSequence sql;
    auto setting = [&sql](const char* format, const std::string& value) { sql.Insert(format, {value}); };

    sql.Sql("TRUNCATE TABLE conf_system");
    setting("INSERT INTO conf_system (Name, Value) VALUES ('CtiAddr', '%s')", sql.Text(cfg.CtiAddr));
    setting("INSERT INTO conf_system (Name, Value) VALUES ('CtiPort', '%s')", sql.Text(cfg.CtiPort));
    setting("INSERT INTO conf_system (Name, Value) VALUES ('RecPath', '%s')", sql.Text(cfg.RecPath));
    setting("INSERT INTO conf_system (Name, Value) VALUES ('RecType', '%d')", sql.Number(cfg.RecType));
    setting("INSERT INTO conf_system (Name, Value) VALUES ('DevType', '%d')", sql.Number(cfg.DevType));
    setting("INSERT INTO conf_system (Name, Value) VALUES ('AcdPort', '%s')", sql.Text(cfg.AcdPort));
    setting("INSERT INTO conf_system (Name, Value) VALUES ('AgentLockedPeriod', '%s')", sql.Text(cfg.AgentLockedPeriod));
    setting("INSERT INTO conf_system (Name, Value) VALUES ('PPTime', '%s')", sql.Text(cfg.PPTime));
    setting("INSERT INTO conf_system (Name, Value) VALUES ('PPType', '%d')", sql.Number(cfg.PPType));
    setting("INSERT INTO conf_system (Name, Value) VALUES ('QueueType', '%d')", sql.Number(cfg.QueueType));
    setting("INSERT INTO conf_system (Name, Value) VALUES ('LeaveWordPath', '%s')", sql.Text(cfg.LeaveWordPath));
    setting("INSERT INTO conf_system (Name, Value) VALUES ('IvrFlowCount', '%s')", sql.Text(cfg.IvrFlowCount));
    sql.Sql("TRUNCATE TABLE conf_ivr_flow");
    for (const std::string& flow : cfg.IvrFlows)
        sql.Insert("INSERT INTO conf_ivr_flow (FilePath) VALUES ('%s')", {sql.Text(flow)});
    setting("INSERT INTO conf_system (Name, Value) VALUES ('LogPath', '%s')", sql.Text(cfg.LogPath));
    setting("INSERT INTO conf_system (Name, Value) VALUES ('CallConcurrency', '%s')", sql.Text(cfg.CallConcurrency));
    setting("INSERT INTO conf_system (Name, Value) VALUES ('TtsBufferPath', '%s')", sql.Text(cfg.TtsBufferPath));
    setting("INSERT INTO conf_system (Name, Value) VALUES ('TtsType', '%d')", sql.Number(cfg.TtsType));
    return sql.Succeeded();
}

bool CCfgDb::SaveDevCfg()
{
    const CCfgData& cfg = *GetCfgData();
    CSqlSequence sql;
    auto setting = [&sql](const char* format, const std::string& value) { sql.Insert(format, {sql.Text(value)}); };

    sql.Sql("TRUNCATE TABLE conf_dev");
    setting("INSERT INTO conf_dev (Name, Value) VALUES ('ScAddr', '%s')", cfg.ScAddr);
    setting("INSERT INTO conf_dev (Name, Value) VALUES ('ScPort', '%s')", cfg.ScPort);
    setting("INSERT INTO conf_dev (Name, Value) VALUES ('McAddr', '%s')", cfg.McAddr);
    setting("INSERT INTO conf_dev (Name, Value) VALUES ('McPort', '%s')", cfg.McPort);
    setting("INSERT INTO conf_dev (Name, Value) VALUES ('DigTrunkCount', '%s')", cfg.DigTrunkCount);
    setting("INSERT INTO conf_dev (Name, Value) VALUES ('VoipTrunkCount', '%s')", cfg.VoipTrunkCount);
    setting("INSERT INTO conf_dev (Name, Value) VALUES ('VoipSignallingAddr', '%s')", cfg.VoipSignallingAddr);
    setting("INSERT INTO conf_dev (Name, Value) VALUES ('VoipMediaAddr', '%s')", cfg.VoipMediaAddr);
    setting("INSERT INTO conf_dev (Name, Value) VALUES ('FaxServerAddr', '%s')", cfg.FaxServerAddr);
    setting("INSERT INTO conf_dev (Name, Value) VALUES ('FaxServerPort', '%s')", cfg.FaxServerPort);
    setting("INSERT INTO conf_dev (Name, Value) VALUES ('DevLinkIp', '%s')", cfg.DevLinkIp);
    setting("INSERT INTO conf_dev (Name, Value) VALUES ('DevLinkPwd', '%s')", cfg.DevLinkPwd);
    setting("INSERT INTO conf_dev (Name, Value) VALUES ('IpoLinkPort', '%s')", cfg.IpoLinkPort);
    sql.Sql("TRUNCATE TABLE conf_vs");
    for (const auto& line : cfg.IpoLines) {
        sql.Insert("INSERT INTO conf_vs (name, Value, value2) VALUES ('%s', '%s', '%s')",
                   {sql.Text(line->name), sql.Text(line->value), sql.Text(line->value2)});
    }
    setting("INSERT INTO conf_dev (Name, Value) VALUES ('FsEslAddr', '%s')", cfg.FsEslAddr);
    setting("INSERT INTO conf_dev (Name, Value) VALUES ('FsEslPort', '%s')", cfg.FsEslPort);
    setting("INSERT INTO conf_dev (Name, Value) VALUES ('FsEslPwd', '%s')", cfg.FsEslPwd);
    setting("INSERT INTO conf_dev (Name, Value) VALUES ('FsIvrPort', '%s')", cfg.FsIvrPort);
    setting("INSERT INTO conf_dev (Name, Value) VALUES ('FsTrunkCount', '%s')", cfg.FsTrunkCount);
    setting("INSERT INTO conf_dev (Name, Value) VALUES ('FsExtContext', '%s')", cfg.FsExtContext);
    setting("INSERT INTO conf_dev (Name, Value) VALUES ('FsMeetingContext', '%s')", cfg.FsMeetingContext);
    setting("INSERT INTO conf_dev (Name, Value) VALUES ('FsPCallContext', '%s')", cfg.FsPCallContext);
    return sql.Succeeded();
}

bool CCfgDb::SaveLineCfg()
{
    const CCfgData& cfg = *GetCfgData();
    CSqlSequence sql;

    sql.Sql("TRUNCATE TABLE conf_line");
    cfg.Extens.ForEach([&sql](unsigned number, const std::string& password) {
        sql.Insert("INSERT INTO conf_line (id, type, Value) VALUES (%u, %d, '%s')",
                   {sql.Number(number), sql.Number(0), sql.Text(password)});
    });
    sql.Sql("TRUNCATE TABLE conf_sip_account");
    for (const auto& account : cfg.SipAccounts) {
        sql.Insert("INSERT INTO conf_sip_account (id, account, auth_account, password, proxy_addr, proxy_port, reg, "
                   "reg_interval) VALUES (%d, '%s', '%s', '%s', '%s', %d, '%s', %d)",
                   {sql.Number(account->id), sql.Text(account->account), sql.Text(account->auth_account),
                    sql.Text(account->password), sql.Text(account->proxy_addr), sql.Number(account->proxy_port),
                    account->reg ? "true" : "false", sql.Number(account->reg_interval)});
    }
    sql.Sql("TRUNCATE TABLE conf_trunk_item");
    for (const auto& item : cfg.TrunkItems) {
        sql.Insert("INSERT INTO conf_trunk_item (id, node, board, span, sip_user) VALUES (%d, %d, %d, %d, %d)",
                   {sql.Number(item->id), sql.Number(item->node), sql.Number(item->board), sql.Number(item->span),
                    sql.Number(item->sip_user)});
    }
    sql.Sql("TRUNCATE TABLE conf_trunk_match");
    for (const auto& match : cfg.TrunkMatches) {
        sql.Insert("INSERT INTO conf_trunk_match (prefix, caller, trunk_id, priority) VALUES ('%s', '%s', %d, %d)",
                   {sql.Text(match->prefix), sql.Text(match->caller), sql.Number(match->trunk_id),
                    sql.Number(match->priority)});
    }
    return sql.Succeeded();
}
