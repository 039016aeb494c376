// A real three-node Galera cluster from scripts/cluster.sh, started once for the program.
#include "config/catalogue/CfgGroups.h"
#include "config/database/CCfgWriter.h"
#include "config/document/CCfgChanges.h"
#include "config/document/CCfgDocument.h"
#include "config/formats/CCfgFile.h"
#include "config/sessions/CCfgFileSession.h"
#include "config/sessions/CCfgImport.h"
#include "db/CCfgSchema.h"
#include "db/COdbcConnection.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <array>
#include <memory>

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
};

QTEST_GUILESS_MAIN(TestCluster)
#include "tst_cluster.moc"
