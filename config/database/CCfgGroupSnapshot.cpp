#include "config/database/CCfgGroupSnapshot.h"

#include "config/catalogue/CfgGroups.h"
#include "config/catalogue/CfgRecordTable.h"
#include "config/database/CCfgClusterTables.h"
#include "config/database/CCfgLoader.h"
#include "config/database/ILoadRows.h"
#include "config/formats/CCfgFile.h"
#include "db/CMemoryRecordset.h"
#include "db/IOtlConnection.h"
#include "db/ServerErrors.h"

#include <algorithm>
#include <chrono>
#include <map>
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

// ORDER BY inside one part of a UNION counts only with a LIMIT.
const char* const kNoLimit = " LIMIT 18446744073709551615";

/// Answers every query with no rows and keeps the queries, in order: loading asks the same
/// queries whatever their rows, so this is the list a group's reading sends.
class QueryList final : public ILoadRows
{
public:
    RecordsetPtr Open(const std::string& query) override
    {
        queries.push_back(query);
        return RecordsetPtr(new CMemoryRecordset({}));
    }
    std::string Value(const std::string& query) override
    {
        queries.push_back(query);
        return {};
    }
    std::string LastError() override { return {}; }

    std::vector<std::string> queries;
};

/// The rows of each query, read beforehand.
class ReadRows final : public ILoadRows
{
public:
    struct Result
    {
        std::vector<std::string> columns;
        std::vector<std::vector<std::string>> rows;
    };

    RecordsetPtr Open(const std::string& query) override
    {
        const Result& result = results[query];
        auto* rows = new CMemoryRecordset(result.columns);
        for (const auto& row : result.rows)
            rows->AddRow({row.begin(), row.end()});
        return RecordsetPtr(rows);
    }
    std::string Value(const std::string& query) override
    {
        const Result& result = results[query];
        return result.rows.empty() || result.rows.front().empty() ? std::string()
                                                                  : result.rows.front().front();
    }
    std::string LastError() override { return {}; }

    std::map<std::string, Result> results;
};

/// The expressions of a query's select list, split at the commas outside parentheses.
std::vector<std::string> SelectList(const std::string& query, std::size_t from)
{
    std::vector<std::string> columns;
    std::string column;
    int depth = 0;
    for (std::size_t i = 7; i < from; ++i) {
        const char c = query[i];
        depth += c == '(' ? 1 : c == ')' ? -1 : 0;
        if (c == ',' && depth == 0) {
            columns.push_back(column);
            column.clear();
        } else if (!(column.empty() && c == ' ')) {
            column += c;
        }
    }
    columns.push_back(column);
    return columns;
}

struct Part
{
    std::string query; // as loading sends it
    std::vector<std::string> columns;
    std::string from; // " FROM ..." to the end
};

/// A query of loading as one part of the UNION; false for one that is not a plain SELECT.
bool ToPart(const std::string& query, Part& part)
{
    const std::size_t from = query.find(" FROM ");
    if (query.rfind("SELECT ", 0) != 0 || from == std::string::npos)
        return false;
    part.query = query;
    part.columns = SelectList(query, from);
    // Loading reads the flows' every column but uses only the file path, by name.
    if (part.columns == std::vector<std::string>{"*"})
        part.columns = {IvrFlowTable().fields.front().column};
    part.from = query.substr(from);
    return true;
}

std::string Padded(std::string select, std::size_t columns, std::size_t width)
{
    for (std::size_t i = columns; i < width; ++i)
        select += ", NULL";
    return select;
}

} // namespace

CCfgGroupSnapshot::CCfgGroupSnapshot(IOtlConnection& db, CfgGroup group)
    : m_db(db), m_group(group), m_dbType(db.GetDbType()),
      m_transaction(m_dbType == DbTypeMySql && db.Role().clusterNode)
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
        std::string release = "DO RELEASE_LOCK(" + LockName(m_dbType) + ")";
        for (int extra = 1; extra < m_locksHeld; ++extra)
            release += ", RELEASE_LOCK(" + LockName(m_dbType) + ")";
        endings.push_back(std::move(release));
    }
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

bool CCfgGroupSnapshot::TakeInOneQuery(bool& ran, std::string& error)
{
    QueryList list;
    {
        CCfgData scratch;
        CfgLoadReport report;
        CCfgLoader::LoadGroup(m_group, list, scratch, report);
    }
    std::vector<Part> parts(list.queries.size() + 1);
    parts[0].query = CColumnRules::Query(CfgGroupTables(m_group));
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const std::string& query = i == 0 ? parts[0].query : list.queries[i - 1];
        if (!ToPart(query, parts[i]))
            return false;
    }
    std::size_t width = 3;
    for (const Part& part : parts)
        width = std::max(width, part.columns.size());

    std::string text;
    // The lock first: the server runs the parts in order, so the tables are read once it is
    // had. Whether the server takes writes is read again with it: it may have been made
    // read-only since the login.
    text += "(SELECT -1, " +
            Padded("GET_LOCK(" + LockName(m_dbType) + ", " + std::to_string(kLockWaitSeconds) +
                       "), @@GLOBAL.read_only" + (m_transaction ? ", " + ClaimHeld() : std::string()),
                   m_transaction ? 3 : 2, width) +
            ")";
    for (std::size_t i = 0; i < parts.size(); ++i) {
        std::string select;
        for (const std::string& column : parts[i].columns)
            select += (select.empty() ? "" : ", ") + column;
        text += " UNION ALL (SELECT " + std::to_string(i) + ", " +
                Padded(select, parts[i].columns.size(), width) + parts[i].from + kNoLimit + ")";
    }

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
        return false;
    }
    ran = true;
    ReadRows read;
    for (std::size_t i = 1; i < parts.size(); ++i)
        read.results[parts[i].query].columns = parts[i].columns;
    CMemoryRecordset ruleRows(parts[0].columns);
    bool locked = false;
    bool readOnly = false;
    bool claimed = false;
    while (!rows->IsEof()) {
        rows->FetchNext();
        const int part = rows->GetFieldInt(1);
        if (part < 0) {
            locked = rows->GetFieldString(2) == "1";
            readOnly = rows->GetFieldString(3) == "1";
            claimed = !m_transaction || rows->GetFieldString(4) == "1";
            continue;
        }
        if (static_cast<std::size_t>(part) >= parts.size())
            continue;
        std::vector<std::string> values;
        for (std::size_t column = 0; column < parts[std::size_t(part)].columns.size(); ++column)
            values.push_back(rows->GetFieldString(int(column) + 2));
        if (part == 0)
            ruleRows.AddRow({values.begin(), values.end()});
        else
            read.results[parts[std::size_t(part)].query].rows.push_back(std::move(values));
    }
    if (locked)
        ++m_locksHeld;
    if (!locked || readOnly || !claimed) {
        error = !locked ? LockRefusal() : readOnly ? ReadOnlyRefusal() : ClaimRefusal();
        return false;
    }
    m_rules = CColumnRules::FromRows(ruleRows);
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
