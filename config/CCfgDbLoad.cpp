// Loading: the whole configuration read into the store in one pass.
#include "config/CCfgData.h"
#include "config/CCfgDb.h"
#include "config/ILoadProgress.h"
#include "db/DecimalText.h"
#include "db/IOtlConnection.h"
#include "db/IOtlRecordset.h"

#include <memory>

namespace {

constexpr int kFailureShownMs = 1500;

void ReadText(IOtlConnection* db, std::string& member, const char* query)
{
    member = db->QueryValue(query);
}

void ReadInt(IOtlConnection* db, int& member, const char* query)
{
    member = DecimalToInt(db->QueryValue(query));
}

/// Runs `fill` for every row of `query`; false when the rows cannot be read at all.
template <class Fill>
bool ForEachRow(const char* query, Fill fill)
{
    const RecordsetPtr rows(IOtlConnection::getInstance()->OpenRecordset(query));
    if (!rows)
        return false;
    while (!rows->IsEof()) {
        rows->FetchNext();
        fill(*rows);
    }
    return true;
}

} // namespace

bool CCfgDb::LoadCfg(ILoadProgress& progress)
{
    IOtlConnection* db = IOtlConnection::getInstance();
    CCfgData& cfg = *GetCfgData();

    progress.Open(0, 7);
    progress.SetText("配置参数加载中...");

    ReadText(db, cfg.CtiAddr, "SELECT value FROM conf_system WHERE Name='CtiAddr'");
    ReadText(db, cfg.CtiPort, "SELECT value FROM conf_system WHERE Name='CtiPort'");
    ReadText(db, cfg.RecPath, "SELECT value FROM conf_system WHERE Name='RecPath'");
    ReadInt(db, cfg.RecType, "SELECT value FROM conf_system WHERE Name='RecType'");
    ReadInt(db, cfg.DevType, "SELECT value FROM conf_system WHERE Name='DevType'");
    progress.SetPos(1);
    ReadText(db, cfg.AcdPort, "SELECT value FROM conf_system WHERE Name='AcdPort'");
    ReadText(db, cfg.AgentLockedPeriod, "SELECT value FROM conf_system WHERE Name='AgentLockedPeriod'");
    ReadText(db, cfg.PPTime, "SELECT value FROM conf_system WHERE Name='PPTime'");
    ReadInt(db, cfg.PPType, "SELECT value FROM conf_system WHERE Name='PPType'");
    ReadInt(db, cfg.QueueType, "SELECT value FROM conf_system WHERE Name='QueueType'");
    progress.SetPos(2);
    ReadText(db, cfg.LeaveWordPath, "SELECT value FROM conf_system WHERE Name='LeaveWordPath'");
    ReadText(db, cfg.IvrFlowCount, "SELECT value FROM conf_system WHERE Name='IvrFlowCount'");
    // The flow list is optional: a table that cannot be read is passed over in silence.
    ForEachRow("SELECT * FROM conf_ivr_flow",
               [&cfg](IOtlRecordset& row) { cfg.IvrFlows.push_back(row.GetFieldByName("FilePath")); });
    progress.SetPos(3);
    ReadText(db, cfg.LogPath, "SELECT value FROM conf_system WHERE Name='LogPath'");
    ReadText(db, cfg.CallConcurrency, "SELECT value FROM conf_system WHERE Name='CallConcurrency'");
    ReadText(db, cfg.TtsBufferPath, "SELECT value FROM conf_system WHERE Name='TtsBufferPath'");
    ReadInt(db, cfg.TtsType, "SELECT value FROM conf_system WHERE Name='TtsType'");
    progress.SetPos(4);
    ReadText(db, cfg.ScAddr, "SELECT value FROM conf_dev WHERE Name='ScAddr'");
    ReadText(db, cfg.ScPort, "SELECT value FROM conf_dev WHERE Name='ScPort'");
    ReadText(db, cfg.McAddr, "SELECT value FROM conf_dev WHERE Name='McAddr'");
    ReadText(db, cfg.McPort, "SELECT value FROM conf_dev WHERE Name='McPort'");
    ReadText(db, cfg.DigTrunkCount, "SELECT value FROM conf_dev WHERE Name='DigTrunkCount'");
    ReadText(db, cfg.VoipTrunkCount, "SELECT value FROM conf_dev WHERE Name='VoipTrunkCount'");
    ReadText(db, cfg.VoipSignallingAddr, "SELECT value FROM conf_dev WHERE Name='VoipSignallingAddr'");
    ReadText(db, cfg.VoipMediaAddr, "SELECT value FROM conf_dev WHERE Name='VoipMediaAddr'");
    ReadText(db, cfg.FaxServerAddr, "SELECT value FROM conf_dev WHERE Name='FaxServerAddr'");
    ReadText(db, cfg.FaxServerPort, "SELECT value FROM conf_dev WHERE Name='FaxServerPort'");
    progress.SetPos(5);
    ReadText(db, cfg.DevLinkIp, "SELECT value FROM conf_dev WHERE Name='DevLinkIp'");
    ReadText(db, cfg.DevLinkPwd, "SELECT value FROM conf_dev WHERE Name='DevLinkPwd'");
    ReadText(db, cfg.IpoLinkPort, "SELECT value FROM conf_dev WHERE Name='IpoLinkPort'");

    const char* failure = nullptr;
    if (!LoadIpoLines()) {
        failure = "IPO线路配置信息读取失败！";
    } else {
        ReadText(db, cfg.FsEslAddr, "SELECT value FROM conf_dev WHERE name = 'FsEslAddr'");
        ReadText(db, cfg.FsEslPort, "SELECT value FROM conf_dev WHERE name = 'FsEslPort'");
        ReadText(db, cfg.FsEslPwd, "SELECT value FROM conf_dev WHERE name = 'FsEslPwd'");
        ReadText(db, cfg.FsIvrPort, "SELECT value FROM conf_dev WHERE name = 'FsIvrPort'");
        ReadText(db, cfg.FsTrunkCount, "SELECT value FROM conf_dev WHERE name = 'FsTrunkCount'");
        ReadText(db, cfg.FsExtContext, "SELECT value FROM conf_dev WHERE name = 'FsExtContext'");
        ReadText(db, cfg.FsMeetingContext, "SELECT value FROM conf_dev WHERE name = 'FsMeetingContext'");
        ReadText(db, cfg.FsPCallContext, "SELECT value FROM conf_dev WHERE name = 'FsPCallContext'");
        progress.SetPos(6);
        if (!LoadExtens())
            failure = "分机配置信息读取失败！";
        else if (!LoadSipAccounts())
            failure = "SIP账户配置信息读取失败！";
        else if (!LoadTrunkItems())
            failure = "中继项配置信息读取失败！";
        else if (!LoadTrunkMatches())
            failure = "中继匹配配置信息读取失败！";
    }

    if (failure) {
        progress.SetText(failure);
        progress.Pause(kFailureShownMs);
        progress.Close();
        return false;
    }
    progress.SetPos(7);
    progress.Close();
    return true;
}

bool CCfgDb::LoadIpoLines()
{
    CIpoLineList& lines = GetCfgData()->IpoLines;
    return ForEachRow("SELECT name, value, value2 FROM conf_vs", [&lines](IOtlRecordset& row) {
        auto line = std::make_unique<tagIpoLine>();
        line->name = row.GetFieldString(1);
        line->value = row.GetFieldString(2);
        line->value2 = row.GetFieldString(3);
        lines.AddTail(std::move(line));
    });
}

bool CCfgDb::LoadExtens()
{
    CExtenMap& extens = GetCfgData()->Extens;
    return ForEachRow("SELECT id, value FROM conf_line WHERE type = 0 ORDER BY id ASC", [&extens](IOtlRecordset& row) {
        extens.SetAt(static_cast<unsigned>(row.GetFieldInt(1)), row.GetFieldString(2));
    });
}

bool CCfgDb::LoadSipAccounts()
{
    CSipAccount& accounts = GetCfgData()->SipAccounts;
    return ForEachRow("SELECT id, account, auth_account, password, proxy_addr, proxy_port, reg, reg_interval FROM "
                      "conf_sip_account ORDER BY id ASC",
                      [&accounts](IOtlRecordset& row) {
                          auto account = std::make_unique<tagSIP_ACCOUNT>();
                          account->id = row.GetFieldInt(1);
                          CopyToField(account->account, row.GetFieldString(2));
                          CopyToField(account->auth_account, row.GetFieldString(3));
                          CopyToField(account->password, row.GetFieldString(4));
                          CopyToField(account->proxy_addr, row.GetFieldString(5));
                          account->proxy_port = row.GetFieldInt(6);
                          account->reg = row.GetFieldString(7) == "true";
                          account->reg_interval = row.GetFieldInt(8);
                          accounts.AddTail(std::move(account));
                      });
}

bool CCfgDb::LoadTrunkItems()
{
    CTrunkItem& items = GetCfgData()->TrunkItems;
    return ForEachRow("SELECT id, node, board, span, sip_user FROM conf_trunk_item ORDER BY id ASC",
                      [&items](IOtlRecordset& row) {
                          auto item = std::make_unique<tagTRUNK_ITEM>();
                          item->id = row.GetFieldInt(1);
                          item->node = row.GetFieldInt(2);
                          item->board = row.GetFieldInt(3);
                          item->span = row.GetFieldInt(4);
                          item->sip_user = row.GetFieldInt(5);
                          items.AddTail(std::move(item));
                      });
}

bool CCfgDb::LoadTrunkMatches()
{
    CTrunkMatch& matches = GetCfgData()->TrunkMatches;
    return ForEachRow("SELECT id, prefix, caller, trunk_id, priority FROM conf_trunk_match ORDER BY id ASC",
                      [&matches](IOtlRecordset& row) {
                          auto match = std::make_unique<tagTRUNK_MATCH>();
                          match->id = row.GetFieldInt(1);
                          CopyToField(match->prefix, row.GetFieldString(2));
                          CopyToField(match->caller, row.GetFieldString(3));
                          match->trunk_id = row.GetFieldInt(4);
                          match->priority = row.GetFieldInt(5);
                          matches.AddTail(std::move(match));
                      });
}
