// Times loading and saving a large configuration through the program's own code, beside
// the time the mariadb command-line client needs to send the very same statements to the
// same server, one by one: on loopback, and through a proxy that adds a fixed delay per round
// trip as a site's LAN or VPN does. Prints one line per figure, "name: value".
//
// Needs the private server's environment (TARVEX_DB_DSN, TARVEX_DB_USER, TARVEX_DB_PASS,
// TARVEX_DB_PORT); bench/run.sh provides it. TARVEX_BENCH_DELAY_MS sets the proxy's delay
// (default 2).
#include "bench/LargeConfig.h"
#include "config/data/CCfgData.h"
#include "config/database/CCfgDb.h"
#include "config/database/CQuietProgress.h"
#include "config/document/CCfgDocument.h"
#include "db/ConnectionString.h"
#include "db/IOtlConnection.h"
#include "db/IOtlRecordset.h"
#include "db/SqlLiteral.h"
#include "support/CDelayProxy.h"
#include "support/ProxyDataSource.h"

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

bool SaveAll()
{
    CCfgDb* cfgDb = GetCfgDb();
    return cfgDb->SaveSysCfg() && cfgDb->SaveDevCfg() && cfgDb->SaveLineCfg();
}

bool LoadAll()
{
    *GetCfgData() = CCfgData();
    CQuietProgress progress;
    return GetCfgDb()->LoadCfg(progress);
}

struct Captured
{
    int requests = -1;   // texts the server was asked to run
    int statements = -1; // statements they held
};

/// The statements of `work` as the server received them, from its general log, one per
/// line in `file`.
Captured CaptureStatements(const std::function<bool()>& work, const QString& file)
{
    Captured captured;
    if (!Run("SET GLOBAL log_output = 'TABLE'") || !Run("TRUNCATE TABLE mysql.general_log") ||
        !Run("SET GLOBAL general_log = 1"))
        return captured;
    const bool done = work();
    Run("SET GLOBAL general_log = 0");
    if (!done)
        return captured;
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        return captured;
    const RecordsetPtr rows(IOtlConnection::getInstance()->OpenRecordset(
        "SELECT argument FROM mysql.general_log WHERE thread_id = CONNECTION_ID() AND command_type IN "
        "('Query', 'Execute') "
        "AND argument NOT LIKE 'SET GLOBAL general_log%' ORDER BY event_time"));
    if (!rows)
        return captured;
    captured = {0, 0};
    for (; !rows->IsEof(); ++captured.requests) {
        rows->FetchNext();
        for (const std::string& statement : SplitSqlStatements(rows->GetFieldString(1))) {
            out.write(QByteArray::fromStdString(statement));
            out.write(";\n");
            ++captured.statements;
        }
    }
    return captured;
}

/// Milliseconds `program` needs to run to its end with `arguments`, reading `input` when one
/// is named; -1 when it fails.
qint64 TimeProgram(const QString& program, const QStringList& arguments,
                   const QProcessEnvironment& environment, const QString& input = QString())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    if (!input.isEmpty())
        process.setStandardInputFile(input);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer clock;
    clock.start();
    process.start(program, arguments);
    if (!process.waitForFinished(600000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return -1;
    return clock.elapsed();
}

/// The mariadb client's arguments to log in through `port`.
QStringList ClientLogin(const QString& port)
{
    return {QStringLiteral("--no-defaults"),
            QStringLiteral("--batch"),
            QStringLiteral("-h127.0.0.1"),
            QStringLiteral("-P") + port,
            QStringLiteral("-u") + qEnvironmentVariable("TARVEX_DB_USER"),
            QStringLiteral("-p") + qEnvironmentVariable("TARVEX_DB_PASS"),
            qEnvironmentVariable("TARVEX_DB_NAME")};
}

/// Milliseconds the command-line client needs for the statements of `file`, sent one by one
/// to `port`.
qint64 TimeClient(const QString& file, const QString& port)
{
    return TimeProgram(QStringLiteral("mariadb"), ClientLogin(port), QProcessEnvironment::systemEnvironment(),
                       file);
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

bool ConnectTo(const std::string& extra)
{
    std::string error;
    if (IOtlConnection::getInstance()->Connect(
            BuildConnectString(Env("TARVEX_DB_DSN"), Env("TARVEX_DB_USER"), Env("TARVEX_DB_PASS")) + extra,
            error))
        return true;
    std::cerr << "cannot connect: " << error << '\n';
    return false;
}

void Print(const char* name, long long value)
{
    std::printf("%s: %lld\n", name, value);
}

void PrintRatio(const std::string& name, qint64 part, qint64 whole)
{
    std::printf("%s: %.1f\n", name.c_str(), whole > 0 ? double(part) / double(whole) : -1.0);
}

/// Start-up (login and loading) and `tarvex export` through a link of `delayMs` per round
/// trip, beside the mariadb client's login and one query through the same link. False when
/// one of them failed.
bool TimeOverLink(int delayMs, const QTemporaryDir& folder)
{
    const QString serverPort = qEnvironmentVariable("TARVEX_DB_PORT");
    CDelayProxy proxy(static_cast<std::uint16_t>(serverPort.toUInt()), delayMs);
    const QString proxyPort = QString::number(proxy.Port());
    const std::string link = "link_" + std::to_string(delayMs) + "ms_";

    const qint64 clientMs = Best([&] {
        return TimeProgram(
            QStringLiteral("mariadb"),
            ClientLogin(proxyPort) +
                QStringList{QStringLiteral("-e"),
                            QStringLiteral("SELECT value FROM conf_system WHERE Name='CtiAddr'")},
            QProcessEnvironment::systemEnvironment());
    });

    long startupRoundTrips = 0;
    const qint64 startupMs = Best([&] {
        proxy.ResetRoundTrips();
        const qint64 ms = Timed([&] { return ConnectTo(";PORT=" + proxyPort.toStdString()) && LoadAll(); });
        startupRoundTrips = proxy.RoundTrips();
        return ms;
    });

    const QString odbcIni = folder.filePath(QStringLiteral("proxy-%1.ini").arg(delayMs));
    if (!WriteProxyDataSource(odbcIni, qEnvironmentVariable("TARVEX_DB_DSN"),
                              QStringLiteral("tarvex_bench_proxy"), proxy.Port()))
        return false;
    QProcessEnvironment console = QProcessEnvironment::systemEnvironment();
    console.insert(QStringLiteral("ODBCINI"), odbcIni);
    console.insert(QStringLiteral("TARVEX_PASSWORD"), qEnvironmentVariable("TARVEX_DB_PASS"));
    console.insert(QStringLiteral("XDG_CONFIG_HOME"), folder.filePath(QStringLiteral("config")));
    console.insert(QStringLiteral("XDG_DATA_HOME"), folder.filePath(QStringLiteral("data")));
    long exportRoundTrips = 0;
    const qint64 exportMs = Best([&] {
        proxy.ResetRoundTrips();
        const qint64 ms =
            TimeProgram(QStringLiteral(TARVEX_EXECUTABLE),
                        {QStringLiteral("export"), folder.filePath(QStringLiteral("export.json")),
                         QStringLiteral("--dsn"), QStringLiteral("tarvex_bench_proxy"),
                         QStringLiteral("--user"), qEnvironmentVariable("TARVEX_DB_USER")},
                        console);
        exportRoundTrips = proxy.RoundTrips();
        return ms;
    });

    Print((link + "mariadb_client_login_and_one_query_ms").c_str(), clientMs);
    Print((link + "startup_round_trips").c_str(), startupRoundTrips);
    Print((link + "startup_login_and_load_ms").c_str(), startupMs);
    PrintRatio(link + "startup_to_client_ratio", startupMs, clientMs);
    Print((link + "tarvex_export_round_trips").c_str(), exportRoundTrips);
    Print((link + "tarvex_export_ms").c_str(), exportMs);
    PrintRatio(link + "tarvex_export_to_client_ratio", exportMs, clientMs);
    return clientMs >= 0 && startupMs >= 0 && exportMs >= 0;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    if (!ConnectTo(""))
        return 1;
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
    const Captured save = CaptureStatements(SaveAll, saveFile);
    const Captured load = CaptureStatements(LoadAll, loadFile);
    if (save.statements < 0 || load.statements < 0) {
        std::cerr << "cannot capture the statements: " << GetCfgDb()->GetDbError() << '\n';
        return 1;
    }

    const QString serverPort = qEnvironmentVariable("TARVEX_DB_PORT");
    FillLargeConfiguration(*GetCfgData());
    const qint64 saveMs = Best([] { return Timed(SaveAll); });
    const qint64 saveClientMs = Best([&] { return TimeClient(saveFile, serverPort); });
    const qint64 loadMs = Best([] { return Timed(LoadAll); });
    const qint64 loadClientMs = Best([&] { return TimeClient(loadFile, serverPort); });

    // The same through a slow link.
    const int delayMs = qEnvironmentVariableIsSet("TARVEX_BENCH_DELAY_MS")
                            ? qEnvironmentVariableIntValue("TARVEX_BENCH_DELAY_MS")
                            : 2;
    CDelayProxy proxy(static_cast<std::uint16_t>(serverPort.toUInt()), delayMs);
    const QString proxyPort = QString::number(proxy.Port());
    if (proxy.Port() == 0 || !ConnectTo(";PORT=" + proxyPort.toStdString()))
        return 1;
    FillLargeConfiguration(*GetCfgData());
    proxy.ResetRoundTrips();
    const qint64 slowSaveMs = Timed(SaveAll);
    const long saveRoundTrips = proxy.RoundTrips();
    proxy.ResetRoundTrips();
    const qint64 slowLoadMs = Timed(LoadAll);
    const long loadRoundTrips = proxy.RoundTrips();
    const qint64 slowSaveClientMs = TimeClient(saveFile, proxyPort);
    const qint64 slowLoadClientMs = TimeClient(loadFile, proxyPort);

    const CCfgData& cfg = *GetCfgData();
    Print("extensions", static_cast<long long>(cfg.Extens.GetCount()));
    Print("sip_accounts", static_cast<long long>(cfg.SipAccounts.GetCount()));
    Print("trunk_items", static_cast<long long>(cfg.TrunkItems.GetCount()));
    Print("trunk_matches", static_cast<long long>(cfg.TrunkMatches.GetCount()));
    Print("ipo_lines", static_cast<long long>(cfg.IpoLines.GetCount()));
    Print("ivr_flows", static_cast<long long>(cfg.IvrFlows.size()));
    Print("save_statements", save.statements);
    Print("save_requests", save.requests);
    Print("load_statements", load.statements);
    Print("load_requests", load.requests);
    Print("fill_store_ms", fillMs);
    Print("loopback_save_all_groups_ms", saveMs);
    Print("loopback_save_same_statements_mariadb_client_ms", saveClientMs);
    Print("loopback_load_ms", loadMs);
    Print("loopback_load_same_statements_mariadb_client_ms", loadClientMs);
    Print("proxy_delay_per_round_trip_ms", delayMs);
    Print("proxy_save_round_trips", saveRoundTrips);
    Print("proxy_save_all_groups_ms", slowSaveMs);
    Print("proxy_save_same_statements_mariadb_client_ms", slowSaveClientMs);
    Print("proxy_load_round_trips", loadRoundTrips);
    Print("proxy_load_ms", slowLoadMs);
    Print("proxy_load_same_statements_mariadb_client_ms", slowLoadClientMs);
    bool failed = saveMs < 0 || loadMs < 0 || saveClientMs < 0 || loadClientMs < 0 || slowSaveMs < 0 ||
                  slowLoadMs < 0 || slowSaveClientMs < 0 || slowLoadClientMs < 0;
    // A site's LAN and its VPN.
    for (const int linkMs : {2, 50})
        failed = !TimeOverLink(linkMs, folder) || failed;
    return failed ? 1 : 0;
}
