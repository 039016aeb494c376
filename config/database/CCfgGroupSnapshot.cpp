#include "config/database/CCfgGroupSnapshot.h"

#include "config/catalogue/CfgGroups.h"
#include "config/database/CCfgClusterTables.h"
#include "config/database/CCfgLoader.h"
#include "config/database/CCombinedRead.h"
#include "config/database/ILoadRows.h"
#include "config/document/CCfgDocument.h"
#include "config/formats/CCfgFile.h"
#include "db/IOtlConnection.h"
#include "db/ServerErrors.h"

#include <chrono>
#include <memory>
#include <thread>
#include <vector>

namespace {

// After its claim, a save on a cluster node turns autocommit off, which makes its reads and
// writes one transaction: should the server roll that back while the statements are under
// way, those that follow start a new one that only COMMIT would keep, rather than each
// taking effect alone. Its reads wait for what the other nodes have committed. Both go back
// to how they were when the snapshot ends: a wait left set would turn a cut-off node's own
// error into a timeout. One statement, as the driver sends each statement of a text that
// reads rows in a round trip of its own.
const char* const kBeginTransaction =
    "SET autocommit=0, @tarvex_sync_wait = @@SESSION.wsrep_sync_wait, SESSION wsrep_sync_wait = 1";
const char* const kEndTransaction =
    "SET autocommit=1, SESSION wsrep_sync_wait = IFNULL(@tarvex_sync_wait, @@SESSION.wsrep_sync_wait)";

} // namespace

CCfgGroupSnapshot::CCfgGroupSnapshot(IOtlConnection& db, CfgGroup group, const CCfgDocument* document)
    : m_db(db), m_group(group), m_document(document), m_dbType(db.GetDbType()),
      m_transaction(m_dbType == DbTypeMySql && db.Role().clusterNode),
      m_digests(m_dbType == DbTypeMySql && !m_transaction)
{
}

CCfgGroupSnapshot::~CCfgGroupSnapshot()
{
    End();
}

void CCfgGroupSnapshot::End()
{
    std::vector<std::string> endings;
    if (m_transactionOpen)
        endings.emplace_back("ROLLBACK");
    if (m_transaction) {
        endings.emplace_back(kEndTransaction);
        endings.push_back(ClaimRelease());
    }
    if (m_locksHeld > 0 && m_dbType == DbTypeSqlServer) {
        endings.push_back("DECLARE @name nvarchar(255) = " + LockName(m_dbType) +
                          "; EXEC sp_releaseapplock @Resource = @name, @LockOwner = 'Session'");
    } else if (m_locksHeld > 0) {
        // The digest of what the save wrote is taken inside the release's argument, so that
        // no other save of the group can write before it.
        const std::string name = LockName(m_dbType);
        const bool keepDigest = m_written && m_digests;
        std::string release = "DO RELEASE_LOCK(" +
                              (keepDigest ? "IF((" + CCfgLoader::DigestVariable(m_group) +
                                                " := " + CCfgLoader::DigestExpression(m_group) +
                                                ") IS NULL, " + name + ", " + name + ")"
                                          : name) +
                              ")";
        for (int extra = 1; extra < m_locksHeld; ++extra)
            release += ", RELEASE_LOCK(" + name + ")";
        if (m_digests)
            release += ", " + CCombinedRead::ForgetUnchanged();
        // Should the digest fail, the lock is let go all the same.
        if (!keepDigest || !m_db.ExecuteSqlNoCheck(release))
            endings.push_back(keepDigest ? "DO RELEASE_LOCK(" + name + ")" : release);
    }
    m_written = false;
    m_transactionOpen = false;
    m_locksHeld = 0;
    if (endings.size() > 1 && m_db.TakesSeveralStatements()) {
        std::string text;
        for (const std::string& ending : endings)
            text += (text.empty() ? "" : ";") + ending;
        m_db.ExecuteSqlNoCheck(text);
        return;
    }
    for (const std::string& ending : endings)
        m_db.ExecuteSqlNoCheck(ending);
}

bool CCfgGroupSnapshot::Take(std::string& error)
{
    // A claim held through another node is waited for as long as the lock is.
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(kLockWaitSeconds);
    for (;;) {
        m_claimRefused = false;
        if (TakeOnce(error))
            return true;
        if (!m_claimRefused || std::chrono::steady_clock::now() > giveUp)
            return false;
        End();
        m_data = CCfgData();
        m_report = CfgLoadReport();
        error.clear();
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
}

bool CCfgGroupSnapshot::TakeOnce(std::string& error)
{
    if (m_transaction && !Claim(error))
        return false;
    if (m_dbType == DbTypeMySql) {
        bool ran = false;
        const bool taken = TakeInOneQuery(ran, error);
        if (ran)
            return taken;
    }
    return TakeOneByOne(error);
}

bool CCfgGroupSnapshot::Claim(std::string& error)
{
    const std::vector<std::string> tables = CfgGroupTables(m_group);
    // Tables the cluster would not replicate stop it first; then the claim, committed on its
    // own; then the transaction. Statements without rows: one round trip.
    const std::vector<SqlStatement> statements = {{false, CCfgClusterTables::ReplicatedCheck(tables)},
                                                  {false, ClaimStatement()},
                                                  {false, kBeginTransaction}};
    for (bool lockTableMade = false;;) {
        std::size_t executed = 0;
        m_transactionOpen = true;
        if (m_db.ExecuteBatch(statements, executed))
            return true;
        error = FailureOf("无法开始保存" + CfgGroupName(m_group) + "：");
        if (executed == 0 && !CCfgClusterTables::Replicated(m_db, tables, error))
            return false;
        // The first save on a database makes the table of claims. (The driver gives no
        // number for a later statement's failure, so the table is looked for.)
        if (executed <= 1 && !lockTableMade &&
            m_db.QueryValue(
                "SELECT COUNT(*) FROM information_schema.TABLES WHERE TABLE_SCHEMA = DATABASE() AND "
                "TABLE_NAME = '" +
                std::string(CCfgClusterTables::kLockTable) + "'") == "0") {
            lockTableMade = m_db.ExecuteSql(CCfgClusterTables::kLockTableCreate);
            if (lockTableMade) {
                m_claimRefused = false;
                error.clear();
                continue;
            }
        }
        return false;
    }
}

std::string CCfgGroupSnapshot::ClaimStatement() const
{
    // Committed on its own, so that every node knows of it before anything is read: of two
    // nodes claiming at once, the cluster lets one through. A claim not let go (a program
    // that ended mid-save) lapses after kClaimSeconds. The assignments run in order, so the
    // later ones see whether the token was taken.
    const std::string ours = "token = VALUES(token)";
    return "INSERT INTO " + std::string(CCfgClusterTables::kLockTable) +
           " (name, token, saved_by, saved_at, held_until) VALUES (" + LockName(m_dbType) +
           ", @tarvex_token := UUID(), LEFT(CONCAT(USER(), ' @ ', @@hostname), 300), NOW(), NOW() + "
           "INTERVAL " +
           std::to_string(kClaimSeconds) +
           " SECOND) ON DUPLICATE KEY UPDATE token = IF(held_until IS NULL OR held_until < NOW(), "
           "VALUES(token), "
           "token), saved_by = IF(" +
           ours + ", VALUES(saved_by), saved_by), saved_at = IF(" + ours +
           ", VALUES(saved_at), saved_at), held_until = IF(" + ours + ", VALUES(held_until), held_until)";
}

std::string CCfgGroupSnapshot::ClaimHeld() const
{
    return "(SELECT token = @tarvex_token AND held_until > NOW() FROM " +
           std::string(CCfgClusterTables::kLockTable) + " WHERE name = " + LockName(m_dbType) + ")";
}

std::string CCfgGroupSnapshot::ClaimRelease() const
{
    return "UPDATE " + std::string(CCfgClusterTables::kLockTable) +
           " SET held_until = NULL WHERE name = " + LockName(m_dbType) + " AND token = @tarvex_token";
}

std::vector<SqlStatement> CCfgGroupSnapshot::CommitStatements() const
{
    // The claim still this save's: should it have lapsed and been taken by another, the NULL
    // name fails the save before its COMMIT; otherwise nothing is inserted.
    return {{false, "INSERT INTO " + std::string(CCfgClusterTables::kLockTable) +
                        " (name) SELECT NULL FROM DUAL WHERE NOT " + ClaimHeld()},
            {false, "COMMIT"}};
}

std::string CCfgGroupSnapshot::ReadOnlyRefusal() const
{
    return ServerRole::ReadOnlyRefusal(m_db.DataSourceName());
}

std::string CCfgGroupSnapshot::FailureOf(std::string readFailure)
{
    const std::string failure = m_db.GetLastErrorText();
    // Two claims at once through two nodes: the cluster let the other through.
    if (m_transaction && m_db.GetLastServerError() == ServerErrorDeadlock)
        return ClaimRefusal();
    // A node cut off from the cluster does not always say so: it may let a statement wait.
    if (m_transaction && m_db.QueryValue("SELECT VARIABLE_VALUE FROM information_schema.GLOBAL_STATUS WHERE "
                                         "VARIABLE_NAME = 'WSREP_READY'") == "OFF")
        return CutOffNodeText(m_db.DataSourceName()) + "未写入任何内容";
    if (m_db.GetLastServerError() == ServerErrorLockWaitTimeout)
        return LockRefusal();
    return readFailure + failure + "；未写入任何内容";
}

std::string CCfgGroupSnapshot::LockName(int dbType) const
{
    const std::string group = CCfgFile::GroupKey(m_group);
    if (dbType == DbTypeSqlServer)
        return "N'tarvex.' + DB_NAME() + N'." + group + "'";
    // A lock's name may be 64 characters long at most.
    return "LEFT(CONCAT('tarvex.', IFNULL(DATABASE(), ''), '." + group + "'), 64)";
}

CCombinedRead CCfgGroupSnapshot::CombinedRead() const
{
    std::vector<std::string> queries = CCombinedRead::QueriesOf([this](ILoadRows& list) {
        CCfgData scratch;
        CfgLoadReport report;
        CCfgLoader::LoadGroup(m_group, list, scratch, report);
    });
    // The column definitions first: they are read every time.
    queries.insert(queries.begin(), CColumnRules::Query(CfgGroupTables(m_group)));
    CCombinedRead read;
    if (!read.SetQueries(queries))
        return CCombinedRead();
    // The lock first, so that the tables are read once it is had. Whether the server takes
    // writes is read again with it: it may have been made read-only since the login.
    std::vector<std::string> head = {"GET_LOCK(" + LockName(m_dbType) + ", " +
                                         std::to_string(kLockWaitSeconds) + ")",
                                     "@@GLOBAL.read_only"};
    if (m_transaction)
        head.push_back(ClaimHeld());
    read.SetHead(head);
    // Only a reference whose digest the session holds may stand for the tables.
    const bool standsFor = m_digests && m_document && m_document->SessionHoldsDigest(m_group);
    read.OnlyWhereChanged(1, standsFor ? CCfgLoader::DigestVariable(m_group) : std::string());
    return read;
}

bool CCfgGroupSnapshot::TakeInOneQuery(bool& ran, std::string& error)
{
    const std::string rulesQuery = CColumnRules::Query(CfgGroupTables(m_group));
    CCombinedRead read = CombinedRead();
    const std::string text = read.Text();
    if (text.empty())
        return false;

    const RecordsetPtr rows(m_db.OpenRecordset(text));
    if (!rows) {
        // Only a query the server would not take falls back to reading one by one; a lock
        // not had, a node cut off or a link lost would fail that way too.
        const long failure = m_db.GetLastServerError();
        const bool notTaken = failure > 0 && failure < ServerErrorFirstClientError &&
                              failure != ServerErrorLockWaitTimeout && failure != ServerErrorDeadlock &&
                              failure != ServerErrorNodeNotReady;
        if (m_transaction && !notTaken) {
            ran = true;
            error = FailureOf("读取数据库中的" + CfgGroupName(m_group) + "失败：");
        }
        // A digest the server would not take (one without its functions): the tables are
        // read without.
        if (notTaken && read.ComparesDigests()) {
            m_digests = false;
            return TakeInOneQuery(ran, error);
        }
        return false;
    }
    ran = true;
    read.Take(*rows);
    const std::vector<std::string>& lock = read.HeadRow();
    const bool locked = lock.size() > 0 && lock[0] == "1";
    const bool readOnly = lock.size() > 1 && lock[1] == "1";
    const bool claimed = !m_transaction || (lock.size() > 2 && lock[2] == "1");
    if (locked)
        ++m_locksHeld;
    if (!locked || readOnly || !claimed) {
        error = !locked ? LockRefusal() : readOnly ? ReadOnlyRefusal() : ClaimRefusal();
        return false;
    }
    m_rules = CColumnRules::FromRows(*read.Open(rulesQuery));
    if (read.Unsure())
        return TakeOneByOne(error);
    if (read.LeftOut()) {
        m_unchanged = true;
        CopyCfgGroup(m_document->Reference(), m_data, m_group);
        m_report.Kept(m_group) = m_document->LoadReport().Kept(m_group);
        return true;
    }
    if (!CCfgLoader::LoadGroup(m_group, read, m_data, m_report)) {
        error = m_report.Gap(m_group);
        return false;
    }
    return true;
}

bool CCfgGroupSnapshot::TakeOneByOne(std::string& error)
{
    if (!LockOneByOne(error) || !ClaimHeldOneByOne(error))
        return false;
    m_rules = CColumnRules::Read(&m_db, CfgGroupTables(m_group));
    if (!CCfgLoader::LoadGroup(m_db, m_group, m_data, m_report)) {
        error = m_report.Gap(m_group);
        return false;
    }
    return true;
}

bool CCfgGroupSnapshot::LockOneByOne(std::string& error)
{
    const std::string wait = std::to_string(kLockWaitSeconds);
    if (m_dbType == DbTypeSqlServer) {
        // A lock not had within the wait is an error of the batch.
        if (!m_db.ExecuteSql("DECLARE @name nvarchar(255) = " + LockName(m_dbType) +
                             "; DECLARE @result int; EXEC @result = sp_getapplock @Resource = @name, "
                             "@LockMode = 'Exclusive', @LockOwner = 'Session', @LockTimeout = " +
                             wait + "000; IF @result < 0 RAISERROR('locked', 16, 1)")) {
            error = LockRefusal();
            return false;
        }
        ++m_locksHeld;
        return true;
    }
    if (m_dbType != DbTypeMySql)
        return true;
    const RecordsetPtr rows(
        m_db.OpenRecordset("SELECT GET_LOCK(" + LockName(m_dbType) + ", " + wait + "), @@GLOBAL.read_only"));
    if (!rows || rows->IsEof()) {
        error = FailureOf("无法取得" + CfgGroupName(m_group) + "的保存锁：");
        return false;
    }
    rows->FetchNext();
    if (rows->GetFieldString(1) != "1") {
        error = LockRefusal();
        return false;
    }
    ++m_locksHeld;
    if (rows->GetFieldString(2) == "1") {
        error = ReadOnlyRefusal();
        return false;
    }
    return true;
}

bool CCfgGroupSnapshot::ClaimHeldOneByOne(std::string& error)
{
    if (!m_transaction)
        return true;
    if (m_db.QueryValue("SELECT " + ClaimHeld()) != "1") {
        error = ClaimRefusal();
        return false;
    }
    return true;
}

std::string CCfgGroupSnapshot::ClaimRefusal()
{
    m_claimRefused = true;
    std::string holder;
    const RecordsetPtr rows(m_db.OpenRecordset("SELECT saved_by, held_until FROM " +
                                               std::string(CCfgClusterTables::kLockTable) +
                                               " WHERE name = " + LockName(m_dbType)));
    if (rows && !rows->IsEof()) {
        rows->FetchNext();
        holder = "（" + rows->GetFieldString(1) + "，最迟到 " + rows->GetFieldString(2) + "）";
    }
    return "集群中的另一个连接" + holder + "正在保存" + CfgGroupName(m_group) +
           "。请稍后再保存；未写入任何内容";
}

std::string CCfgGroupSnapshot::LockRefusal()
{
    std::string holder;
    if (m_dbType == DbTypeMySql) {
        const RecordsetPtr rows(m_db.OpenRecordset(
            "SELECT USER, HOST FROM information_schema.PROCESSLIST WHERE ID = IS_USED_LOCK(" +
            LockName(m_dbType) + ")"));
        if (rows && !rows->IsEof()) {
            rows->FetchNext();
            holder = "（用户 " + rows->GetFieldString(1) + "，来自 " + rows->GetFieldString(2) + "）";
        }
    }
    return "另一个连接" + holder + "正在保存" + CfgGroupName(m_group) + "，等待 " +
           std::to_string(kLockWaitSeconds) + " 秒后仍未结束。请稍后再保存；未写入任何内容";
}
