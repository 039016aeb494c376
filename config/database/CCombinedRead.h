#pragma once

#include "config/database/ILoadRows.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

/// Loading's queries sent as one: a UNION ALL of them, each part numbered in its first column
/// and padded to the widest, whose rows are then handed back query by query as if each had
/// been sent alone. One round trip instead of one a query, on MySQL and MariaDB.
class CCombinedRead final : public ILoadRows
{
public:
    /// The queries `read` sends, in order: it reads from a source that answers every query
    /// with no rows, and reading asks the same queries whatever their rows.
    static std::vector<std::string> QueriesOf(const std::function<void(ILoadRows&)>& read);

    /// False when one of `queries` is not a plain SELECT, which cannot be a part. A query
    /// asked twice is sent once.
    bool SetQueries(const std::vector<std::string>& queries);
    /// A first part, numbered -1, of these expressions: the server runs the parts in order,
    /// so it runs before any table is read.
    void SetHead(std::vector<std::string> expressions) { m_head = std::move(expressions); }
    /// Has the server leave out the rows of the queries from `firstQuery` on where, by the
    /// digest of what they would return, they are as `variable` says: a user variable that
    /// DigestExpression set when the tables were last known. The head then tells, in a last
    /// column, whether it left them out.
    void OnlyWhereChanged(std::size_t firstQuery, std::string variable);
    /// Whether the text compares digests: OnlyWhereChanged named a variable.
    bool ComparesDigests() const { return !m_digestVariable.empty(); }
    /// An SQL expression: the digest of what the queries from that first one on return (their
    /// rows, in order); NULL where it cannot tell (more rows than it can take).
    std::string DigestExpression() const;
    /// The combined text.
    std::string Text() const;
    /// An assignment for DO that leaves the next combined text reading its rows, should the
    /// server ever run its parts before its head.
    static std::string ForgetUnchanged();
    /// Hands the rows of the combined text to their queries, and the first part's to Head.
    void Take(IOtlRecordset& rows);
    /// The values of the first part's expressions, as text; empty before Take.
    const std::vector<std::string>& HeadRow() const { return m_headRow; }
    /// After Take, with OnlyWhereChanged: whether the server left the rows out.
    bool LeftOut() const { return m_leftOut; }
    /// After Take, with OnlyWhereChanged: whether the rows can be taken neither as whole nor
    /// as left out (the head did not say, or said it left them out but some came).
    bool Unsure() const { return m_unsure; }

    RecordsetPtr Open(const std::string& query) override;
    std::string Value(const std::string& query) override;
    std::string LastError() override { return {}; }

private:
    struct Part
    {
        std::string query; // as reading sends it alone
        std::vector<std::string> columns;
        std::string source; // " FROM ..." up to its ORDER BY
        std::string order;  // " ORDER BY ..." to the end, or empty
        std::vector<std::vector<std::string>> rows;
    };

    static bool ToPart(const std::string& query, Part& part);
    /// The FROM clause of part `index` to the end: with the condition that leaves out its
    /// rows where they are unchanged, for the parts that may be left out.
    std::string From(std::size_t index) const;
    static std::string Digest(const Part& part);

    std::vector<std::string> m_head;
    std::vector<std::string> m_headRow;
    std::vector<Part> m_parts;
    std::map<std::string, std::size_t> m_partOfQuery;
    std::size_t m_width = 1;
    std::size_t m_firstChangeable = 0;
    std::string m_digestVariable; // empty: every part is read
    bool m_leftOut = false;
    bool m_unsure = false;
};
