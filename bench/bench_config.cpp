// Times loading and saving a large configuration through the program's own code, beside
// the time the mariadb command-line client needs to send the very same statements to the
// same server. Prints one line per figure, "name: value".
//
// Needs the private server's environment (TARVEX_DB_DSN, TARVEX_DB_USER, TARVEX_DB_PASS,
// TARVEX_DB_PORT); bench/run.sh provides it.
#include "config/CCfgData.h"
#include "config/CCfgDb.h"
#include "config/ILoadProgress.h"
#include "db/ConnectionString.h"
#include "db/IOtlConnection.h"
#include "db/IOtlRecordset.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <iostream>

namespace {

constexpr int kRounds = 3;

class SilentProgress final : public ILoadProgress
{
public:
    void Open(int, int) override {}
    void SetText(const std::string&) override {}
    void SetPos(int) override {}
    void Pause(int) override {}
    void Close() override {}
};

std::string Env(const char* name)
{
    return qEnvironmentVariable(name).toStdString();
}

bool Run(const std::string& sql)
{
    IOtlConnection* db = IOtlConnection::getInstance();
    if (db->ExecuteSql(sql))
        return true;
    std::cerr << sql << ": " << db->GetLastErrorText() << '\n';
    return false;
}

void FillLargeConfiguration(CCfgData& cfg)
{
    cfg = CCfgData();
    cfg.CtiAddr = "192.168.10.20";
    cfg.RecPath = "D:\\Tarvex\\Record";
    cfg.IvrFlowCount = "200";
    for (int i = 0; i < 200; ++i)
        cfg.IvrFlows.push_back("D:\\Tarvex\\Flow\\flow" + std::to_string(i) + ".xml");
    for (std::string* text : {&cfg.ScAddr, &cfg.McAddr, &cfg.McPort, &cfg.DigTrunkCount, &cfg.VoipTrunkCount,
                              &cfg.VoipSignallingAddr, &cfg.VoipMediaAddr, &cfg.FaxServerAddr, &cfg.FaxServerPort,
                              &cfg.DevLinkIp, &cfg.DevLinkPwd, &cfg.IpoLinkPort, &cfg.FsEslAddr, &cfg.FsEslPort,
                              &cfg.FsEslPwd, &cfg.FsIvrPort, &cfg.FsTrunkCount, &cfg.FsExtContext,
                              &cfg.FsMeetingContext, &cfg.FsPCallContext, &cfg.AgentLockedPeriod, &cfg.PPTime,
                              &cfg.LeaveWordPath, &cfg.LogPath, &cfg.CallConcurrency, &cfg.TtsBufferPath})
        *text = "value";
    for (int i = 0; i < 1000; ++i) {
        auto line = std::make_unique<tagIpoLine>();
        *line = {std::to_string(200 + i), i % 2 ? "EXT" : "SIP", std::to_string(i)};
        cfg.IpoLines.AddTail(std::move(line));
    }
    for (unsigned number = 10000; number < 20000; ++number)
        cfg.Extens.SetAt(number, "pw" + std::to_string(number));
    for (int id = 1; id <= 2000; ++id) {
        auto account = std::make_unique<tagSIP_ACCOUNT>();
        account->id = id;
        CopyToField(account->account, "0215550" + std::to_string(id));
        CopyToField(account->auth_account, "0215550" + std::to_string(id));
        CopyToField(account->password, "secret" + std::to_string(id));
        CopyToField(account->proxy_addr, "10.20.0.1");
        account->proxy_port = 5060;
        account->reg = id % 2 == 0;
        account->reg_interval = 3600;
        cfg.SipAccounts.AddTail(std::move(account));

        auto item = std::make_unique<tagTRUNK_ITEM>();
        *item = {id, id % 4, id % 8, id % 30, -1};
        cfg.TrunkItems.AddTail(std::move(item));

        auto match = std::make_unique<tagTRUNK_MATCH>();
        CopyToField(match->prefix, std::to_string(id));
        CopyToField(match->caller, "021" + std::to_string(id));
        match->trunk_id = id;
        match->priority = id % 10;
        cfg.TrunkMatches.AddTail(std::move(match));
    }
}

bool SaveAll()
{
    CCfgDb* cfgDb = GetCfgDb();
    return cfgDb->SaveSysCfg() && cfgDb->SaveDevCfg() && cfgDb->SaveLineCfg();
}

bool LoadAll()
{
    *GetCfgData() = CCfgData();
    SilentProgress progress;
    return GetCfgDb()->LoadCfg(progress);
}

/// The statements of `work` as the server received them, from its general log; -1 on failure.
int CaptureStatements(const std::function<bool()>& work, const QString& file)
{
    if (!Run("SET GLOBAL log_output = 'TABLE'") || !Run("TRUNCATE TABLE mysql.general_log") ||
        !Run("SET GLOBAL general_log = 1"))
        return -1;
    const bool done = work();
    Run("SET GLOBAL general_log = 0");
    if (!done)
        return -1;
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        return -1;
    const RecordsetPtr rows(IOtlConnection::getInstance()->OpenRecordset(
        "SELECT argument FROM mysql.general_log WHERE thread_id = CONNECTION_ID() AND command_type IN ('Query', 'Execute') "
        "AND argument NOT LIKE 'SET GLOBAL general_log%' ORDER BY event_time"));
    if (!rows)
        return -1;
    int count = 0;
    for (; !rows->IsEof(); ++count) {
        rows->FetchNext();
        out.write(QByteArray::fromStdString(rows->GetFieldString(1)));
        out.write(";\n");
    }
    return count;
}

/// Milliseconds the command-line client needs for the statements of `file`.
qint64 TimeClient(const QString& file)
{
    QProcess client;
    client.setStandardInputFile(file);
    client.setStandardOutputFile(QProcess::nullDevice());
    client.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer clock;
    clock.start();
    client.start(QStringLiteral("mariadb"),
                 {QStringLiteral("--no-defaults"), QStringLiteral("--batch"), QStringLiteral("-h127.0.0.1"),
                  QStringLiteral("-P") + qEnvironmentVariable("TARVEX_DB_PORT"),
                  QStringLiteral("-u") + qEnvironmentVariable("TARVEX_DB_USER"),
                  QStringLiteral("-p") + qEnvironmentVariable("TARVEX_DB_PASS"), qEnvironmentVariable("TARVEX_DB_NAME")});
    if (!client.waitForFinished(600000) || client.exitStatus() != QProcess::NormalExit || client.exitCode() != 0)
        return -1;
    return clock.elapsed();
}

qint64 Best(const std::function<qint64()>& once)
{
    qint64 best = -1;
    for (int round = 0; round < kRounds; ++round) {
        const qint64 ms = once();
        if (ms < 0)
            return -1;
        best = best < 0 ? ms : std::min(best, ms);
    }
    return best;
}

qint64 Timed(const std::function<bool()>& work)
{
    QElapsedTimer clock;
    clock.start();
    return work() ? clock.elapsed() : -1;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    std::string error;
    if (!IOtlConnection::getInstance()->Connect(
            BuildConnectString(Env("TARVEX_DB_DSN"), Env("TARVEX_DB_USER"), Env("TARVEX_DB_PASS")), error)) {
        std::cerr << "cannot connect: " << error << '\n';
        return 1;
    }
    if (!GetCfgDb()->CreateCfgTables()) {
        std::cerr << "cannot create the tables: " << GetCfgDb()->GetDbError() << '\n';
        return 1;
    }

    FillLargeConfiguration(*GetCfgData());
    QElapsedTimer fillClock;
    fillClock.start();
    FillLargeConfiguration(*GetCfgData());
    const qint64 fillMs = fillClock.elapsed();

    QTemporaryDir folder;
    const QString saveFile = folder.filePath(QStringLiteral("save.sql"));
    const QString loadFile = folder.filePath(QStringLiteral("load.sql"));
    const int saveStatements = CaptureStatements(SaveAll, saveFile);
    const int loadStatements = CaptureStatements(LoadAll, loadFile);
    if (saveStatements < 0 || loadStatements < 0) {
        std::cerr << "cannot capture the statements: " << GetCfgDb()->GetDbError() << '\n';
        return 1;
    }

    FillLargeConfiguration(*GetCfgData());
    const qint64 saveMs = Best([] { return Timed(SaveAll); });
    const qint64 saveClientMs = Best([&saveFile] { return TimeClient(saveFile); });
    const qint64 loadMs = Best([] { return Timed(LoadAll); });
    const qint64 loadClientMs = Best([&loadFile] { return TimeClient(loadFile); });

    const CCfgData& cfg = *GetCfgData();
    std::printf("extensions: %zu\n", cfg.Extens.GetCount());
    std::printf("sip_accounts: %zu\n", cfg.SipAccounts.GetCount());
    std::printf("trunk_items: %zu\n", cfg.TrunkItems.GetCount());
    std::printf("trunk_matches: %zu\n", cfg.TrunkMatches.GetCount());
    std::printf("ipo_lines: %zu\n", cfg.IpoLines.GetCount());
    std::printf("ivr_flows: %zu\n", cfg.IvrFlows.size());
    std::printf("save_statements: %d\n", saveStatements);
    std::printf("load_statements: %d\n", loadStatements);
    std::printf("fill_store_ms: %lld\n", static_cast<long long>(fillMs));
    std::printf("save_all_groups_ms: %lld\n", static_cast<long long>(saveMs));
    std::printf("save_same_statements_mariadb_client_ms: %lld\n", static_cast<long long>(saveClientMs));
    std::printf("load_ms: %lld\n", static_cast<long long>(loadMs));
    std::printf("load_same_statements_mariadb_client_ms: %lld\n", static_cast<long long>(loadClientMs));
    return saveMs < 0 || loadMs < 0 || saveClientMs < 0 || loadClientMs < 0 ? 1 : 0;
}
