// A real three-node Galera cluster from scripts/cluster.sh, started once for the program.
#include "config/catalogue/CfgGroups.h"
#include "config/database/CCfgLoader.h"
#include "config/database/CCfgWriter.h"
#include "config/database/CQuietProgress.h"
#include "config/database/ICfgOverwriteQuestion.h"
#include "config/document/CCfgChanges.h"
#include "config/document/CCfgDocument.h"
#include "config/formats/CCfgFile.h"
#include "config/sessions/CCfgClusterConversion.h"
#include "config/sessions/CCfgFileSession.h"
#include "config/sessions/CCfgImport.h"
#include "db/CCfgSchema.h"
#include "db/COdbcConnection.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <array>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace {

const QString kScript = QStringLiteral(QT_TESTCASE_SOURCEDIR "/../scripts/cluster.sh");
const char* const kUser = "tarvex";
const char* const kPassword = "tarvex;pw";

/// Counts what an import asks; answers yes.
class CountingQuestions final : public ICfgImportQuestions
{
public:
    bool ConfirmImport(const CCfgChanges&) override
    {
        ++confirmations;
        return true;
    }
    bool Overwrite(CfgGroup, const CCfgChanges&) override { return true; }
    int confirmations = 0;
};

CCfgData Copied(const CCfgData& from)
{
    CCfgData to;
    for (CfgGroup group : kCfgGroups)
        CopyCfgGroup(from, to, group);
    return to;
}

/// Holds each caller until `count` have come: two imports then write at the same moment.
class Meeting
{
public:
    explicit Meeting(int count) : m_waiting(count) {}
    void Arrive()
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        if (--m_waiting == 0)
            m_met.notify_all();
        else
            m_met.wait(lock, [this] { return m_waiting == 0; });
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_met;
    int m_waiting;
};

/// Confirms at the meeting; never writes over a colleague's change, as the command line.
class MeetingQuestions final : public ICfgImportQuestions
{
public:
    explicit MeetingQuestions(Meeting& meeting) : m_meeting(meeting) {}
    bool ConfirmImport(const CCfgChanges&) override
    {
        arrived = true;
        m_meeting.Arrive();
        return true;
    }
    bool Overwrite(CfgGroup, const CCfgChanges&) override { return false; }
    bool arrived = false;

private:
    Meeting& m_meeting;
};

/// Answers yes, after running `meanwhile` the first time, and keeps what it was shown.
class OverwriteQuestion final : public ICfgOverwriteQuestion
{
public:
    bool Overwrite(CfgGroup, const CCfgChanges& changes) override
    {
        shown.push_back(changes.ToText());
        if (meanwhile)
            std::exchange(meanwhile, nullptr)();
        return true;
    }
    std::function<void()> meanwhile;
    std::vector<std::string> shown;
};

} // namespace

class TestCluster : public QObject
{
    Q_OBJECT

private:
    bool RunScript(const QString& command)
    {
        QProcess script;
        script.setProcessChannelMode(QProcess::MergedChannels);
        script.start(QStringLiteral("bash"), {kScript, command, m_dir.path()});
        const bool done = script.waitForFinished(5 * 60 * 1000) && script.exitCode() == 0;
        if (!done)
            qWarning("%s", script.readAll().constData());
        return done;
    }

    std::string Dsn(std::size_t node) const { return "tarvex_node" + std::to_string(node + 1); }

    COdbcConnection& Node(std::size_t node) { return *m_nodes[node]; }

    /// The configuration as `node` holds it once it has applied all the cluster committed.
    CCfgData Held(std::size_t node, CfgLoadReport* report = nullptr)
    {
        if (!Node(node).ExecuteSql("SET SESSION wsrep_sync_wait=1"))
            qWarning("%s", Node(node).GetLastErrorText().c_str());
        CCfgData cfg;
        CfgLoadReport read;
        CQuietProgress progress;
        CCfgLoader::Load(Node(node), progress, cfg, report ? *report : read);
        Node(node).ExecuteSql("SET SESSION wsrep_sync_wait=0");
        return cfg;
    }

    /// Whether every node holds `cfg`; names the first that does not.
    bool EveryNodeHolds(const CCfgData& cfg)
    {
        bool same = true;
        for (std::size_t node = 0; node < m_nodes.size(); ++node) {
            const CCfgChanges changes = CCfgChanges::Compare(Held(node), cfg);
            if (!changes.IsEmpty()) {
                qWarning("%s differs:\n%s", Dsn(node).c_str(), changes.ToText().c_str());
                same = false;
            }
        }
        return same;
    }

    /// A save of `group` of `cfg` through `node`, from a document read there just before.
    CfgWriteOutcome SaveThrough(std::size_t node, const CCfgData& cfg, CfgGroup group,
                                ICfgOverwriteQuestion* question = nullptr)
    {
        CCfgDocument document;
        CfgLoadReport report;
        const CCfgData held = Held(node, &report);
        document.Adopt(held, report);
        CopyCfgGroup(cfg, document.Store(), group);
        return CCfgWriter::Save(Node(node), document, group, question);
    }

    /// Cuts node 3 off from the others, or lets it back in.
    bool ExecuteIsolation(bool isolated)
    {
        return Node(2).ExecuteSql(std::string("SET GLOBAL wsrep_provider_options='gmcast.isolate=") +
                                  (isolated ? "1" : "0") + "'");
    }

    /// Waits until `node` says its cluster status is `status`; false after a minute.
    bool WaitForStatus(std::size_t node, const std::string& status)
    {
        for (int tries = 0; tries < 120; ++tries) {
            if (Node(node).QueryValue("SELECT VARIABLE_VALUE FROM information_schema.GLOBAL_STATUS WHERE "
                                      "VARIABLE_NAME = 'WSREP_CLUSTER_STATUS'") == status)
                return true;
            QTest::qWait(500);
        }
        return false;
    }

    std::string Engine(std::size_t node, const std::string& table)
    {
        return Node(node).QueryValue("SELECT ENGINE FROM information_schema.TABLES WHERE TABLE_SCHEMA = "
                                     "DATABASE() AND TABLE_NAME = '" +
                                     table + "'");
    }

    QTemporaryDir m_dir{QDir::tempPath() + QStringLiteral("/tarvex-cluster-XXXXXX")};
    std::array<std::unique_ptr<COdbcConnection>, 3> m_nodes;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY2(RunScript(QStringLiteral("start")), "the cluster did not start");
        qputenv("ODBCINI", QDir(m_dir.path()).filePath(QStringLiteral("odbc.ini")).toLocal8Bit());
        for (std::size_t node = 0; node < m_nodes.size(); ++node) {
            m_nodes[node] = std::make_unique<COdbcConnection>();
            std::string error;
            QVERIFY2(Node(node).ConnectDsn(Dsn(node), kUser, kPassword, error), error.c_str());
        }
        QVERIFY(CCfgSchema::CreateCfgTables(Node(0)));
    }

    void cleanupTestCase()
    {
        for (auto& node : m_nodes)
            node.reset();
        RunScript(QStringLiteral("stop"));
    }

    // The login's one session check tells each node what it is; the status line says so.
    void eachNodeKnowsItIsInTheCluster()
    {
        for (std::size_t node = 0; node < m_nodes.size(); ++node) {
            const ServerRole role = Node(node).Role();
            QVERIFY(role.clusterNode);
            QCOMPARE(role.clusterSize, 3);
            QCOMPARE(role.nodeState, std::string("Synced"));
            QVERIFY(!role.readOnly);
            QCOMPARE(role.Note(), std::string("（集群节点，3 个节点）"));
        }
    }

    // The initialisation on a node makes tables the cluster replicates: every node has them,
    // in InnoDB.
    void theInitialisationMakesReplicatedTables()
    {
        for (std::size_t node = 0; node < m_nodes.size(); ++node) {
            for (CfgGroup group : kCfgGroups) {
                for (const std::string& table : CfgGroupTables(group))
                    QCOMPARE(Engine(node, table), std::string("InnoDB"));
            }
        }
    }

    // Whichever node takes a save, every node holds it afterwards.
    void aSaveThroughAnyNodeIsOnEveryNode()
    {
        for (std::size_t node = 0; node < m_nodes.size(); ++node) {
            CCfgData cfg = Held(node);
            cfg.CtiAddr = "10.0.0." + std::to_string(node + 1);
            for (int id = 1; id <= 50; ++id)
                cfg.Extens.SetAt(int(node) * 1000 + id, "pw" + std::to_string(id));
            for (CfgGroup group : {CfgGroup::System, CfgGroup::Lines}) {
                const CfgWriteOutcome saved = SaveThrough(node, cfg, group);
                QVERIFY2(saved.IsWritten(), saved.error.c_str());
            }
            QVERIFY(EveryNodeHolds(cfg));
        }
    }

    // A table in an engine the cluster does not replicate refuses saves and imports of its
    // group before anything is written, and before the import's question, until converted;
    // the conversion backs up every group first and changes no row.
    void aTableTheClusterDoesNotReplicateIsRefusedUntilConverted()
    {
        QVERIFY(Node(0).ExecuteSql("ALTER TABLE conf_dev ENGINE=MyISAM"));
        const CCfgData before = Held(1);
        CCfgData cfg = Copied(before);
        cfg.ScAddr = "10.4.4.4";

        const CfgWriteOutcome saved = SaveThrough(1, cfg, CfgGroup::Device);
        QVERIFY(saved.result == CfgWriteOutcome::Result::Refused);
        QVERIFY2(saved.error.find("conf_dev (MyISAM)") != std::string::npos, saved.error.c_str());
        QVERIFY2(saved.error.find("转换为集群表") != std::string::npos, saved.error.c_str());
        QVERIFY(saved.backup.empty());
        // Another group's tables are not held up by it.
        CCfgData system = Copied(before);
        system.CtiAddr = "10.1.1.1";
        QVERIFY(SaveThrough(1, system, CfgGroup::System).IsWritten());

        const QString path = QDir(m_dir.path()).filePath(QStringLiteral("devices.json"));
        std::string error;
        QVERIFY2(CCfgFile::Write(cfg, path, error), error.c_str());
        CCfgFileSession session(Node(2));
        QVERIFY2(session.ReadFile(path, error) && session.ReadDatabase(error), error.c_str());
        CountingQuestions questions;
        CCfgDocument document;
        const CfgImportOutcome imported = CCfgImport::Run(session, session.Compare(), document, questions);
        QVERIFY(imported.result == CfgImportOutcome::Result::Refused);
        QVERIFY2(imported.error.find("conf_dev (MyISAM)") != std::string::npos, imported.error.c_str());
        QCOMPARE(questions.confirmations, 0);
        QVERIFY(EveryNodeHolds(system));

        std::vector<CCfgClusterConversion::Table> tables;
        QVERIFY2(CCfgClusterConversion::Find(Node(2), tables, error), error.c_str());
        QCOMPARE(CCfgClusterTables::Names(tables), std::string("conf_dev (MyISAM)"));
        CCfgClusterConversion::Result converted;
        QVERIFY2(CCfgClusterConversion::Convert(Node(2), session.Database(), tables, converted, error),
                 error.c_str());
        QCOMPARE(converted.converted, std::vector<std::string>{"conf_dev"});
        QCOMPARE(converted.backups.size(), kCfgGroups.size());
        for (const std::string& backup : converted.backups)
            QVERIFY(QFileInfo::exists(QString::fromStdString(backup)));
        QCOMPARE(Engine(0, "conf_dev"), std::string("InnoDB"));
        QVERIFY(EveryNodeHolds(system));
        QVERIFY2(CCfgClusterConversion::Find(Node(0), tables, error) && tables.empty(), error.c_str());

        const CfgWriteOutcome again = SaveThrough(1, cfg, CfgGroup::Device);
        QVERIFY2(again.IsWritten(), again.error.c_str());
        CCfgData after = Copied(system);
        CopyCfgGroup(cfg, after, CfgGroup::Device);
        QVERIFY(EveryNodeHolds(after));
    }

    // Two imports of different extension lists started together through two nodes: one
    // writes, the other is told a colleague wrote first and writes nothing; every node holds
    // the winner's list whole. Three rounds, as the timing differs from one to the next.
    void twoImportsThroughTwoNodesNeverMix()
    {
        for (int round = 0; round < 3; ++round) {
            std::array<CCfgData, 2> lists;
            std::array<QString, 2> files;
            for (std::size_t side = 0; side < 2; ++side) {
                lists[side] = Held(0);
                lists[side].Extens = CExtenMap();
                for (int id = 1; id <= 500; ++id)
                    lists[side].Extens.SetAt(10000 * (round + 1) + 5000 * int(side) + id,
                                             "s" + std::to_string(side));
                files[side] =
                    QDir(m_dir.path()).filePath(QStringLiteral("lines-%1-%2.json").arg(round).arg(side));
                std::string error;
                QVERIFY2(CCfgFile::Write(lists[side], files[side], error), error.c_str());
            }
            Meeting meeting(2);
            std::array<CfgImportOutcome, 2> outcomes;
            std::array<std::string, 2> failures;
            auto import = [&](std::size_t side) {
                COdbcConnection connection;
                std::string error;
                CCfgFileSession session(connection);
                if (!connection.ConnectDsn(Dsn(side), kUser, kPassword, error) ||
                    !session.ReadFile(files[side], error) || !session.ReadDatabase(error)) {
                    failures[side] = error;
                    meeting.Arrive();
                    return;
                }
                MeetingQuestions questions(meeting);
                CCfgDocument document;
                outcomes[side] = CCfgImport::Run(session, session.Compare(), document, questions);
                if (!questions.arrived)
                    meeting.Arrive();
            };
            std::thread first(import, 0);
            std::thread second(import, 1);
            first.join();
            second.join();
            QVERIFY2(failures[0].empty() && failures[1].empty(), (failures[0] + failures[1]).c_str());

            int written = 0;
            std::size_t winner = 0;
            for (std::size_t side = 0; side < 2; ++side) {
                if (outcomes[side].result == CfgImportOutcome::Result::Written) {
                    ++written;
                    winner = side;
                } else {
                    QVERIFY(outcomes[side].result == CfgImportOutcome::Result::Failed);
                    QVERIFY2(outcomes[side].declined, outcomes[side].error.c_str());
                    QVERIFY(outcomes[side].written.empty());
                }
            }
            QCOMPARE(written, 1);
            QVERIFY(EveryNodeHolds(lists[winner]));
        }
    }

    // While a save through one node is under way (here: its question is open), a save of the
    // same group through another node waits, then is refused with nothing written; the first
    // then writes, and every node holds it.
    void aSaveThroughAnotherNodeWaitsForTheOneUnderWay()
    {
        CCfgData start = Held(0);
        start.CtiAddr = "10.2.2.0";
        QVERIFY(SaveThrough(2, start, CfgGroup::System).IsWritten());
        CCfgDocument document;
        CfgLoadReport report;
        const CCfgData held = Held(0, &report);
        document.Adopt(held, report);
        // A colleague changes it first, so that the save asks.
        CCfgData colleague = Copied(held);
        colleague.CtiAddr = "10.2.2.1";
        QVERIFY(SaveThrough(2, colleague, CfgGroup::System).IsWritten());

        OverwriteQuestion question;
        CfgWriteOutcome other;
        question.meanwhile = [&] {
            CCfgData changed = Copied(colleague);
            changed.CtiAddr = "10.2.2.2";
            other = SaveThrough(1, changed, CfgGroup::System);
        };
        document.Store().CtiAddr = "10.2.2.3";
        const CfgWriteOutcome saved = CCfgWriter::Save(Node(0), document, CfgGroup::System, &question);
        QVERIFY2(saved.IsWritten(), saved.error.c_str());
        QCOMPARE(question.shown.size(), std::size_t(1));
        QVERIFY(other.result == CfgWriteOutcome::Result::Refused);
        QVERIFY2(other.error.find("集群中的另一个连接") != std::string::npos, other.error.c_str());
        QVERIFY(EveryNodeHolds(document.Store()));
    }

    // A node set read-only takes no save and no import, whatever the account may do; the
    // import is refused before its question.
    void aReadOnlyNodeRefusesEveryWrite()
    {
        COdbcConnection& node = Node(2);
        QVERIFY(node.ExecuteSql("SET GLOBAL read_only = 1"));
        QVERIFY(node.Reconnect());
        const std::string refusal = "数据源 " + Dsn(2) + " 是只读的（可能是从库），请连接主库";
        QVERIFY(node.Role().readOnly);
        QCOMPARE(node.Role().Note(), std::string("（集群节点，3 个节点，只读）"));
        const std::string before = node.QueryValue("SELECT COUNT(*) FROM conf_system");

        CCfgDocument document;
        document.Store().CtiAddr = "10.9.9.9";
        const CfgWriteOutcome saved = CCfgWriter::Save(node, document, CfgGroup::System, nullptr);
        QVERIFY(saved.result == CfgWriteOutcome::Result::Refused);
        QCOMPARE(saved.error, refusal);
        QVERIFY(saved.backup.empty());

        CCfgData file;
        file.CtiAddr = "10.8.8.8";
        const QString path = QDir(m_dir.path()).filePath(QStringLiteral("site.json"));
        std::string error;
        QVERIFY2(CCfgFile::Write(file, path, error), error.c_str());
        CCfgFileSession session(node);
        QVERIFY2(session.ReadFile(path, error) && session.ReadDatabase(error), error.c_str());
        CountingQuestions questions;
        const CfgImportOutcome imported = CCfgImport::Run(session, session.Compare(), document, questions);
        QVERIFY(imported.result == CfgImportOutcome::Result::Refused);
        QCOMPARE(imported.error, refusal);
        QCOMPARE(questions.confirmations, 0);

        QCOMPARE(node.QueryValue("SELECT COUNT(*) FROM conf_system"), before);
        QVERIFY(node.ExecuteSql("SET GLOBAL read_only = 0"));
        QVERIFY(node.Reconnect());
        QVERIFY(!node.Role().readOnly);
    }

    // A node cut off from the cluster says so and writes nothing; once it is back, the next
    // save goes through.
    void aCutOffNodeSaysSoAndHealsOnRejoining()
    {
        const CCfgData before = Held(2);
        CCfgDocument document;
        document.Adopt(before, {});
        document.Store().CtiAddr = "10.3.3.3";
        QVERIFY(ExecuteIsolation(true));
        QVERIFY(WaitForStatus(2, "non-Primary"));
        const CfgWriteOutcome refused = CCfgWriter::Save(Node(2), document, CfgGroup::System, nullptr);
        QVERIFY(ExecuteIsolation(false));
        QVERIFY(refused.result == CfgWriteOutcome::Result::Refused);
        QVERIFY2(refused.error.find("已与集群断开") != std::string::npos, refused.error.c_str());
        QVERIFY2(refused.error.find("未写入任何内容") != std::string::npos, refused.error.c_str());
        QVERIFY(WaitForStatus(2, "Primary"));
        QVERIFY(EveryNodeHolds(before));

        const CfgWriteOutcome saved = CCfgWriter::Save(Node(2), document, CfgGroup::System, nullptr);
        QVERIFY2(saved.IsWritten(), saved.error.c_str());
        QVERIFY(EveryNodeHolds(document.Store()));
    }
};

QTEST_GUILESS_MAIN(TestCluster)
#include "tst_cluster.moc"
