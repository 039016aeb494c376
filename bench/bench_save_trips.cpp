// Round trips and time of saving each group of the large configuration through the delay
// proxy, to the server that TARVEX_DB_DSN and TARVEX_DB_PORT name: run once against a plain
// server and once against a cluster node, the difference is what the cluster costs a save.
#include "bench/LargeConfig.h"
#include "config/catalogue/CfgGroups.h"
#include "config/database/CCfgWriter.h"
#include "config/document/CCfgDocument.h"
#include "config/formats/CCfgFile.h"
#include "db/CCfgSchema.h"
#include "db/COdbcConnection.h"
#include "db/ConnectionString.h"
#include "support/CDelayProxy.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <iostream>

namespace {

std::string Env(const char* name)
{
    return qEnvironmentVariable(name).toStdString();
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    const int delayMs = qEnvironmentVariableIsSet("TARVEX_BENCH_DELAY_MS")
                            ? qEnvironmentVariableIntValue("TARVEX_BENCH_DELAY_MS")
                            : 2;
    CDelayProxy proxy(static_cast<std::uint16_t>(qEnvironmentVariableIntValue("TARVEX_DB_PORT")), delayMs);
    COdbcConnection db;
    std::string error;
    if (proxy.Port() == 0 ||
        !db.Connect(BuildConnectString(Env("TARVEX_DB_DSN"), Env("TARVEX_DB_USER"), Env("TARVEX_DB_PASS")) +
                        ";PORT=" + std::to_string(proxy.Port()),
                    error)) {
        std::cerr << "cannot connect: " << error << '\n';
        return 1;
    }
    if (!CCfgSchema::CreateCfgTables(db)) {
        std::cerr << "cannot create the tables: " << db.GetLastErrorText() << '\n';
        return 1;
    }
    CCfgDocument document;
    FillLargeConfiguration(document.Store());
    std::printf("server: %s%s\n", Env("TARVEX_DB_DSN").c_str(), db.Role().Note().c_str());
    std::printf("proxy_delay_per_round_trip_ms: %d\n", delayMs);
    // The first save of a group on a cluster node also makes the lock table: the second is
    // what every later save costs.
    for (int pass = 1; pass <= 2; ++pass) {
        for (CfgGroup group : kCfgGroups) {
            proxy.ResetRoundTrips();
            QElapsedTimer clock;
            clock.start();
            const CfgWriteOutcome saved = CCfgWriter::Save(db, document, group, nullptr);
            if (!saved.IsWritten()) {
                std::cerr << "cannot save: " << saved.error << '\n';
                return 1;
            }
            std::printf("save_%d_%s_round_trips: %ld\nsave_%d_%s_ms: %lld\n", pass, CCfgFile::GroupKey(group),
                        proxy.RoundTrips(), pass, CCfgFile::GroupKey(group),
                        static_cast<long long>(clock.elapsed()));
        }
    }
    return 0;
}
