#include "config/database/CCfgWriter.h"

#include "config/database/CCfgGroupSnapshot.h"
#include "config/database/CCfgSaveBuilder.h"
#include "config/database/ICfgOverwriteQuestion.h"
#include "config/document/CCfgChanges.h"
#include "config/document/CCfgDocument.h"
#include "config/formats/CCfgBackups.h"
#include "db/IOtlConnection.h"
#include "db/ServerErrors.h"

namespace {

CfgWriteOutcome Refused(std::string error)
{
    CfgWriteOutcome outcome;
    outcome.error = std::move(error);
    return outcome;
}

} // namespace

bool CCfgWriter::EnsureConnected(IOtlConnection& db, bool& reconnected, std::string& error,
                                 IOtlConnection::OpenCheck check)
{
    if (db.EnsureOpen(reconnected, check))
        return true;
    error = "与数据库的连接已断开，重新连接也失败了：" + db.GetLastErrorText() +
            "\r\n请检查网络和数据库服务器后重试，或在“数据库 → 数据源设置”中重新连接；未写入任何内容";
    return false;
}

bool CCfgWriter::Writable(IOtlConnection& db, std::string& error)
{
    if (!db.Role().readOnly)
        return true;
    error = ServerRole::ReadOnlyRefusal(db.DataSourceName());
    return false;
}

CfgWriteOutcome CCfgWriter::Save(IOtlConnection& db, CCfgDocument& document, CfgGroup group,
                                 ICfgOverwriteQuestion* question)
{
    const std::string& gap = document.LoadReport().Gap(group);
    if (!gap.empty()) {
        // Saving rewrites whole tables: what was never read would be lost from the database.
        return Refused(
            "启动时这组配置未能完整读取（" + gap +
            "），保存会覆盖数据库中未读取的数据，因此未写入任何内容。请检查数据库中的这些表，然后重新"
            "启动程序");
    }
    bool reconnected = false;
    std::string error;
    if (!EnsureConnected(db, reconnected, error) || !Writable(db, error))
        return Refused(error);
    CfgWriteOutcome outcome = Write(db, document, group, document.Store(), question);
    outcome.reconnected = reconnected;
    return outcome;
}

CfgWriteOutcome CCfgWriter::Write(IOtlConnection& db, CCfgDocument& document, CfgGroup group,
                                  const CCfgData& cfg, ICfgOverwriteQuestion* question)
{
    bool lostToAnotherNode = false;
    CfgWriteOutcome outcome = WriteOnce(db, document, group, cfg, question, lostToAnotherNode);
    // A save of the group through another node of a cluster committed while this one was
    // under way, and this one was rolled back whole: once more from a fresh read, which
    // shows what the other wrote and so asks before writing over it.
    if (lostToAnotherNode)
        outcome = WriteOnce(db, document, group, cfg, question, lostToAnotherNode);
    return outcome;
}

CfgWriteOutcome CCfgWriter::WriteOnce(IOtlConnection& db, CCfgDocument& document, CfgGroup group,
                                      const CCfgData& cfg, ICfgOverwriteQuestion* question,
                                      bool& lostToAnotherNode)
{
    lostToAnotherNode = false;
    CfgWriteOutcome outcome;
    // The tables as they are now, held against another save of the group until this one has
    // written: what a colleague saved since is either kept or written over knowingly.
    CCfgGroupSnapshot now(db, group, &document);
    if (!now.Take(outcome.error)) {
        lostToAnotherNode = now.InOneTransaction() && db.GetLastServerError() == ServerErrorDeadlock;
        return outcome;
    }
    if (question && !document.IsPartlyWritten(group)) {
        const CCfgChanges changes = CCfgChanges::Compare(document.Reference(), now.Data());
        if (changes.Differs(group) && !question->Overwrite(group, changes)) {
            outcome.result = CfgWriteOutcome::Result::Declined;
            outcome.error = "数据库中的配置已被他人修改，已取消保存，未写入任何内容";
            return outcome;
        }
    }
    // Rows the program does not edit go back as the database holds them now.
    CfgLoadReport report = document.LoadReport();
    report.Kept(group) = now.Report().Kept(group);
    std::vector<SqlStatement> statements;
    const auto emptying =
        now.InOneTransaction() ? CCfgSaveBuilder::Emptying::Delete : CCfgSaveBuilder::Emptying::Truncate;
    if (!CCfgSaveBuilder::Build(group, cfg, report, now.Rules(), db.GetDbType(), statements, outcome.error,
                                emptying))
        return outcome;
    if (now.InOneTransaction()) {
        for (SqlStatement& ending : now.CommitStatements())
            statements.push_back(std::move(ending));
    }
    // What the tables held goes to a backup first; without one nothing is written.
    QString backup;
    if (!CCfgBackups::Write(now.Data(), {db.DataSourceName(), CCfgBackups::Now(), group}, backup,
                            outcome.error)) {
        outcome.error += "，因此未写入任何内容";
        return outcome;
    }
    outcome.backup = backup.toStdString();
    std::size_t executed = 0;
    if (!db.ExecuteBatch(statements, executed)) {
        // In one transaction nothing took effect unless its COMMIT did, and a COMMIT the
        // server answered with an error took nothing either; only one whose answer was lost
        // with the link leaves it unknown. On a cluster such a failure is most often a save
        // through another node that won, which the driver does not always say, so it is tried
        // once more from a fresh read.
        const std::string failure = db.GetLastErrorText();
        if (now.InOneTransaction() &&
            (executed + 1 < statements.size() || db.QueryValue("SELECT 1") == "1")) {
            lostToAnotherNode = true;
            outcome.error = failure + "\r\n未写入任何内容";
            outcome.backup.clear();
            return outcome;
        }
        // Letting go of the lock starts another operation, which would clear the reason.
        outcome.result = CfgWriteOutcome::Result::PartlyWritten;
        outcome.error = failure + "\r\n这组配置的表可能只写入了一部分。写入前的内容已备份在 " +
                        outcome.backup + "，可用“数据库 → 恢复备份...”恢复";
        document.NotePartlyWritten(group);
        return outcome;
    }
    now.Committed();
    now.Written();
    document.Written(group, cfg, report);
    outcome.result = CfgWriteOutcome::Result::Written;
    return outcome;
}
