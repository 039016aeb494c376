// Loading: the whole configuration read into the store in one pass.
#include "config/CCfgData.h"
#include "config/CCfgDb.h"
#include "config/CfgSettings.h"
#include "config/ILoadProgress.h"
#include "db/DecimalText.h"
#include "db/IOtlConnection.h"
#include "db/IOtlRecordset.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <memory>

namespace {

constexpr int kFailureShownMs = 1500;

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
    m_loadGaps = {};
    m_cutTexts.clear();
    m_keptSystem.clear();
    m_keptDevice.clear();
    m_keptLines.clear();
    m_refusal.clear();

    // A query that fails, as opposed to one that finds no row, leaves its group incomplete.
    auto value = [this, db](CfgGroup group, const char* table, const char* query) {
        std::string text = db->QueryValue(query);
        const std::string error = db->GetLastErrorText();
        if (!error.empty())
            NoteLoadGap(group, std::string("读取 ") + table + " 失败: " + error);
        return text;
    };
    auto sysText = [&value](std::string& member, const char* query) {
        member = value(CfgGroup::System, "conf_system", query);
    };
    auto sysInt = [&value](int& member, const char* query) {
        member = DecimalToInt(value(CfgGroup::System, "conf_system", query));
    };
    auto devText = [&value](std::string& member, const char* query) {
        member = value(CfgGroup::Device, "conf_dev", query);
    };

    progress.Open(0, 7);
    progress.SetText("配置参数加载中...");

    sysText(cfg.CtiAddr, "SELECT value FROM conf_system WHERE Name='CtiAddr'");
    sysText(cfg.CtiPort, "SELECT value FROM conf_system WHERE Name='CtiPort'");
    sysText(cfg.RecPath, "SELECT value FROM conf_system WHERE Name='RecPath'");
    sysInt(cfg.RecType, "SELECT value FROM conf_system WHERE Name='RecType'");
    sysInt(cfg.DevType, "SELECT value FROM conf_system WHERE Name='DevType'");
    progress.SetPos(1);
    sysText(cfg.AcdPort, "SELECT value FROM conf_system WHERE Name='AcdPort'");
    sysText(cfg.AgentLockedPeriod, "SELECT value FROM conf_system WHERE Name='AgentLockedPeriod'");
    sysText(cfg.PPTime, "SELECT value FROM conf_system WHERE Name='PPTime'");
    sysInt(cfg.PPType, "SELECT value FROM conf_system WHERE Name='PPType'");
    sysInt(cfg.QueueType, "SELECT value FROM conf_system WHERE Name='QueueType'");
    progress.SetPos(2);
    sysText(cfg.LeaveWordPath, "SELECT value FROM conf_system WHERE Name='LeaveWordPath'");
    sysText(cfg.IvrFlowCount, "SELECT value FROM conf_system WHERE Name='IvrFlowCount'");
    // A flow list that cannot be read is passed over in silence here; saving the group
    // would lose it, so the group counts as incomplete.
    if (!ForEachRow("SELECT * FROM conf_ivr_flow",
                    [&cfg](IOtlRecordset& row) { cfg.IvrFlows.push_back(row.GetFieldByName("FilePath")); }))
        NoteLoadGap(CfgGroup::System, "读取 conf_ivr_flow 失败: " + db->GetLastErrorText());
    progress.SetPos(3);
    sysText(cfg.LogPath, "SELECT value FROM conf_system WHERE Name='LogPath'");
    sysText(cfg.CallConcurrency, "SELECT value FROM conf_system WHERE Name='CallConcurrency'");
    sysText(cfg.TtsBufferPath, "SELECT value FROM conf_system WHERE Name='TtsBufferPath'");
    sysInt(cfg.TtsType, "SELECT value FROM conf_system WHERE Name='TtsType'");
    // Settings of names this program does not know are someone else's: a save keeps them.
    if (!LoadKeptSettings(CfgGroup::System, "conf_system", m_keptSystem))
        NoteLoadGap(CfgGroup::System, "读取 conf_system 失败: " + db->GetLastErrorText());
    progress.SetPos(4);
    devText(cfg.ScAddr, "SELECT value FROM conf_dev WHERE Name='ScAddr'");
    devText(cfg.ScPort, "SELECT value FROM conf_dev WHERE Name='ScPort'");
    devText(cfg.McAddr, "SELECT value FROM conf_dev WHERE Name='McAddr'");
    devText(cfg.McPort, "SELECT value FROM conf_dev WHERE Name='McPort'");
    devText(cfg.DigTrunkCount, "SELECT value FROM conf_dev WHERE Name='DigTrunkCount'");
    devText(cfg.VoipTrunkCount, "SELECT value FROM conf_dev WHERE Name='VoipTrunkCount'");
    devText(cfg.VoipSignallingAddr, "SELECT value FROM conf_dev WHERE Name='VoipSignallingAddr'");
    devText(cfg.VoipMediaAddr, "SELECT value FROM conf_dev WHERE Name='VoipMediaAddr'");
    devText(cfg.FaxServerAddr, "SELECT value FROM conf_dev WHERE Name='FaxServerAddr'");
    devText(cfg.FaxServerPort, "SELECT value FROM conf_dev WHERE Name='FaxServerPort'");
    progress.SetPos(5);
    devText(cfg.DevLinkIp, "SELECT value FROM conf_dev WHERE Name='DevLinkIp'");
    devText(cfg.DevLinkPwd, "SELECT value FROM conf_dev WHERE Name='DevLinkPwd'");
    devText(cfg.IpoLinkPort, "SELECT value FROM conf_dev WHERE Name='IpoLinkPort'");

    const char* failure = nullptr;
    if (!LoadIpoLines()) {
        failure = "IPO线路配置信息读取失败！";
        NoteLoadGap(CfgGroup::Device, "读取 conf_vs 失败: " + db->GetLastErrorText());
        NoteLoadGap(CfgGroup::Lines, "读取在 conf_vs 处中断，线路配置未读取");
    } else {
        devText(cfg.FsEslAddr, "SELECT value FROM conf_dev WHERE name = 'FsEslAddr'");
        devText(cfg.FsEslPort, "SELECT value FROM conf_dev WHERE name = 'FsEslPort'");
        devText(cfg.FsEslPwd, "SELECT value FROM conf_dev WHERE name = 'FsEslPwd'");
        devText(cfg.FsIvrPort, "SELECT value FROM conf_dev WHERE name = 'FsIvrPort'");
        devText(cfg.FsTrunkCount, "SELECT value FROM conf_dev WHERE name = 'FsTrunkCount'");
        devText(cfg.FsExtContext, "SELECT value FROM conf_dev WHERE name = 'FsExtContext'");
        devText(cfg.FsMeetingContext, "SELECT value FROM conf_dev WHERE name = 'FsMeetingContext'");
        devText(cfg.FsPCallContext, "SELECT value FROM conf_dev WHERE name = 'FsPCallContext'");
        if (!LoadKeptSettings(CfgGroup::Device, "conf_dev", m_keptDevice))
            NoteLoadGap(CfgGroup::Device, "读取 conf_dev 失败: " + db->GetLastErrorText());
        progress.SetPos(6);
        const struct
        {
            bool (CCfgDb::*load)();
            const char* failure;
            const char* table;
        } lists[] = {
            {&CCfgDb::LoadExtens, "分机配置信息读取失败！", "conf_line"},
            {&CCfgDb::LoadKeptLines, "分机配置信息读取失败！", "conf_line"},
            {&CCfgDb::LoadSipAccounts, "SIP账户配置信息读取失败！", "conf_sip_account"},
            {&CCfgDb::LoadTrunkItems, "中继项配置信息读取失败！", "conf_trunk_item"},
            {&CCfgDb::LoadTrunkMatches, "中继匹配配置信息读取失败！", "conf_trunk_match"},
        };
        for (const auto& list : lists) {
            if (!(this->*list.load)()) {
                failure = list.failure;
                NoteLoadGap(CfgGroup::Lines, std::string("读取 ") + list.table + " 失败: " + db->GetLastErrorText());
                break;
            }
        }
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

bool CCfgDb::LoadKeptSettings(CfgGroup group, const char* table, std::vector<KeptRow>& kept)
{
    auto known = [group](const std::string& name) {
        // The server compares names as the loading queries do: without regard to case.
        for (const CfgSetting& setting : CfgSettings()) {
            if (setting.group == group && std::equal(name.begin(), name.end(), setting.key,
                                                     setting.key + std::strlen(setting.key), [](char a, char b) {
                                                         return std::tolower(static_cast<unsigned char>(a)) ==
                                                                std::tolower(static_cast<unsigned char>(b));
                                                     }))
                return true;
        }
        return false;
    };
    return ForEachRow((std::string("SELECT Name, Value, Value IS NULL FROM ") + table).c_str(),
                      [&kept, &known](IOtlRecordset& row) {
                          const std::string name = row.GetFieldString(1);
                          if (known(name))
                              return;
                          KeptRow setting;
                          setting.name = name;
                          if (row.GetFieldInt(3) == 0)
                              setting.value = row.GetFieldString(2);
                          kept.push_back(std::move(setting));
                      });
}

bool CCfgDb::LoadKeptLines()
{
    return ForEachRow("SELECT id, type, value, value IS NULL FROM conf_line WHERE type <> 0 ORDER BY id ASC",
                      [this](IOtlRecordset& row) {
                          KeptRow line;
                          line.id = row.GetFieldInt(1);
                          line.type = row.GetFieldInt(2);
                          if (row.GetFieldInt(4) == 0)
                              line.value = row.GetFieldString(3);
                          m_keptLines.push_back(std::move(line));
                      });
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

template <class Record, std::size_t N>
void CCfgDb::LoadText(Record& record, char (Record::*field)[N], CRecordList<Record> CCfgData::*list,
                      const std::string& text, const std::string& what)
{
    CopyToField(record.*field, text);
    if (text.size() < N)
        return;
    // Saved as it now is, the text would come back shortened: a save is refused as long as
    // the store still holds it so.
    const int id = record.id;
    const std::string kept = record.*field;
    m_cutTexts.push_back({what, text, N - 1, [id, field, list, kept](const CCfgData& cfg) {
                              for (const auto& each : cfg.*list) {
                                  if (each->id == id && kept == (*each).*field)
                                      return true;
                              }
                              return false;
                          }});
}

std::string CCfgDb::CutTextStillHeld() const
{
    const CCfgData& cfg = *GetCfgData();
    for (const CutText& cut : m_cutTexts) {
        if (cut.stillCut(cfg))
            return cut.what + "在数据库中是“" + cut.stored + "”（" + std::to_string(cut.stored.size()) +
                   " 个字节），本程序只能存放 " + std::to_string(cut.room) +
                   " 个字节，保存会把它截短。请先在线路页把它改短或删除；未写入任何内容";
    }
    return {};
}

bool CCfgDb::LoadSipAccounts()
{
    CSipAccount& accounts = GetCfgData()->SipAccounts;
    return ForEachRow("SELECT id, account, auth_account, password, proxy_addr, proxy_port, reg, reg_interval FROM "
                      "conf_sip_account ORDER BY id ASC",
                      [this, &accounts](IOtlRecordset& row) {
                          auto account = std::make_unique<tagSIP_ACCOUNT>();
                          account->id = row.GetFieldInt(1);
                          const std::string what = "SIP账户" + std::to_string(account->id) + " 的";
                          LoadText(*account, &tagSIP_ACCOUNT::account, &CCfgData::SipAccounts, row.GetFieldString(2),
                                   what + "账户");
                          LoadText(*account, &tagSIP_ACCOUNT::auth_account, &CCfgData::SipAccounts,
                                   row.GetFieldString(3), what + "鉴权账户");
                          LoadText(*account, &tagSIP_ACCOUNT::password, &CCfgData::SipAccounts, row.GetFieldString(4),
                                   what + "密码");
                          LoadText(*account, &tagSIP_ACCOUNT::proxy_addr, &CCfgData::SipAccounts,
                                   row.GetFieldString(5), what + "注册地址");
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
                      [this, &matches](IOtlRecordset& row) {
                          auto match = std::make_unique<tagTRUNK_MATCH>();
                          match->id = row.GetFieldInt(1);
                          const std::string what = "中继匹配" + std::to_string(match->id) + " 的";
                          LoadText(*match, &tagTRUNK_MATCH::prefix, &CCfgData::TrunkMatches, row.GetFieldString(2),
                                   what + "字冠");
                          LoadText(*match, &tagTRUNK_MATCH::caller, &CCfgData::TrunkMatches, row.GetFieldString(3),
                                   what + "透传号码");
                          match->trunk_id = row.GetFieldInt(4);
                          match->priority = row.GetFieldInt(5);
                          matches.AddTail(std::move(match));
                      });
}
