#include "config/database/CCombinedRead.h"

#include "config/catalogue/CfgRecordTable.h"
#include "db/CMemoryRecordset.h"

#include <algorithm>

namespace {

// ORDER BY inside one part of a UNION counts only with a LIMIT.
const char* const kNoLimit = " LIMIT 18446744073709551615";
// Set by the head before the parts run, as the server runs them in order; NULL (a part reads
// its rows) until then.
const char* const kUnchanged = "@tarvex_unchanged";
// Characters of a row's digest: a part's digest covers as many rows as its list can hold.
constexpr int kRowDigestLength = 16;

/// Answers every query with no rows and keeps the queries, in order.
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

std::string Padded(const std::vector<std::string>& columns, std::size_t width)
{
    std::string select;
    for (const std::string& column : columns)
        select += (select.empty() ? "" : ", ") + column;
    for (std::size_t i = columns.size(); i < width; ++i)
        select += ", NULL";
    return select;
}

} // namespace

std::vector<std::string> CCombinedRead::QueriesOf(const std::function<void(ILoadRows&)>& read)
{
    QueryList list;
    read(list);
    return list.queries;
}

bool CCombinedRead::ToPart(const std::string& query, Part& part)
{
    const std::size_t from = query.find(" FROM ");
    if (query.rfind("SELECT ", 0) != 0 || from == std::string::npos)
        return false;
    part.query = query;
    part.columns = SelectList(query, from);
    // Loading reads the flows' every column but uses only the file path, by name.
    if (part.columns == std::vector<std::string>{"*"})
        part.columns = {IvrFlowTable().fields.front().column};
    const std::size_t orderBy = query.find(" ORDER BY ", from);
    part.source = query.substr(from, orderBy == std::string::npos ? std::string::npos : orderBy - from);
    part.order = orderBy == std::string::npos ? std::string() : query.substr(orderBy);
    return true;
}

bool CCombinedRead::SetQueries(const std::vector<std::string>& queries)
{
    m_parts.clear();
    m_partOfQuery.clear();
    m_width = 1;
    for (const std::string& query : queries) {
        if (m_partOfQuery.count(query) != 0)
            continue;
        Part part;
        if (!ToPart(query, part))
            return false;
        m_width = std::max(m_width, part.columns.size());
        m_partOfQuery[query] = m_parts.size();
        m_parts.push_back(std::move(part));
    }
    return true;
}

void CCombinedRead::OnlyWhereChanged(std::size_t firstQuery, std::string variable)
{
    m_firstChangeable = firstQuery;
    m_digestVariable = std::move(variable);
}

std::string CCombinedRead::Digest(const Part& part)
{
    // Each row's values as bytes (whatever their character sets), quoted (NULL stays apart
    // from the text 'NULL'), hashed twice into 64 bits; those in the order the query reads the
    // rows, hashed again with their number. A list too long for the session's limit would be
    // cut, which its length tells.
    std::string values;
    for (const std::string& column : part.columns)
        values += (values.empty() ? "" : ", ") + ("QUOTE(CAST(" + column + " AS BINARY))");
    const std::string row = "CONCAT_WS(0x1f, " + values + ")";
    // No rows is a digest of its own; a list cut short is NULL.
    return "(SELECT CASE WHEN n = 0 THEN '0' WHEN LENGTH(g) = " + std::to_string(kRowDigestLength) +
           " * n THEN CONCAT(n, ':', MD5(g)) END FROM (SELECT COUNT(*) AS n, GROUP_CONCAT(LPAD(HEX(CRC32(" +
           row + ")), 8, '0'), LPAD(HEX(CRC32C(" + row + ")), 8, '0')" + part.order + " SEPARATOR '') AS g" +
           part.source + ") AS rows_read)";
}

std::string CCombinedRead::DigestExpression() const
{
    // CONCAT rather than CONCAT_WS: one part that cannot tell makes the whole NULL, where
    // leaving it out would take its changes for none.
    std::string digests;
    for (std::size_t i = m_firstChangeable; i < m_parts.size(); ++i)
        digests += (digests.empty() ? "" : ", '|', ") + Digest(m_parts[i]);
    return "CONCAT(" + digests + ")";
}

std::string CCombinedRead::From(std::size_t index) const
{
    const Part& part = m_parts[index];
    if (m_digestVariable.empty() || index < m_firstChangeable)
        return part.source + part.order;
    std::string rows = part.source;
    const std::size_t where = rows.find(" WHERE ");
    const std::string unchanged = std::string("NOT IFNULL(") + kUnchanged + ", 0)";
    if (where == std::string::npos)
        rows += " WHERE " + unchanged;
    else
        rows = rows.substr(0, where) + " WHERE (" + rows.substr(where + 7) + ") AND " + unchanged;
    return rows + part.order;
}

std::string CCombinedRead::Text() const
{
    std::vector<std::string> head = m_head;
    if (!m_digestVariable.empty())
        head.push_back(std::string(kUnchanged) + " := IFNULL(" + m_digestVariable + " = " +
                       DigestExpression() + ", 0)");
    const std::size_t width = std::max(m_width, head.size());
    std::string text;
    if (!head.empty())
        text = "(SELECT -1, " + Padded(head, width) + ")";
    for (std::size_t i = 0; i < m_parts.size(); ++i) {
        text += std::string(text.empty() ? "" : " UNION ALL ") + "(SELECT " + std::to_string(i) + ", " +
                Padded(m_parts[i].columns, width) + From(i) + kNoLimit + ")";
    }
    return text;
}

std::string CCombinedRead::ForgetUnchanged()
{
    return std::string(kUnchanged) + " := NULL";
}

void CCombinedRead::Take(IOtlRecordset& rows)
{
    m_headRow.clear();
    for (Part& part : m_parts)
        part.rows.clear();
    const std::size_t headColumns = m_head.size() + (m_digestVariable.empty() ? 0 : 1);
    while (!rows.IsEof()) {
        rows.FetchNext();
        const int number = rows.GetFieldInt(1);
        const std::size_t columns = number < 0 ? headColumns
                                    : number < int(m_parts.size())
                                        ? m_parts[std::size_t(number)].columns.size()
                                        : 0;
        std::vector<std::string> values;
        for (std::size_t column = 0; column < columns; ++column)
            values.push_back(rows.GetFieldString(int(column) + 2));
        if (number < 0)
            m_headRow = std::move(values);
        else if (number < int(m_parts.size()))
            m_parts[std::size_t(number)].rows.push_back(std::move(values));
    }
    bool anyRows = false;
    for (std::size_t i = m_firstChangeable; i < m_parts.size(); ++i)
        anyRows = anyRows || !m_parts[i].rows.empty();
    const bool told = !m_digestVariable.empty() && m_headRow.size() == headColumns;
    const bool unchanged = told && m_headRow.back() == "1";
    m_leftOut = unchanged && !anyRows;
    // Without the head's word, rows may be missing as well as whole.
    m_unsure = !m_digestVariable.empty() && (!told || (unchanged && anyRows));
    if (told)
        m_headRow.pop_back();
}

RecordsetPtr CCombinedRead::Open(const std::string& query)
{
    const auto found = m_partOfQuery.find(query);
    if (found == m_partOfQuery.end())
        return RecordsetPtr(new CMemoryRecordset({}));
    const Part& part = m_parts[found->second];
    auto* rows = new CMemoryRecordset(part.columns);
    for (const auto& row : part.rows)
        rows->AddRow({row.begin(), row.end()});
    return RecordsetPtr(rows);
}

std::string CCombinedRead::Value(const std::string& query)
{
    const auto found = m_partOfQuery.find(query);
    if (found == m_partOfQuery.end())
        return {};
    const Part& part = m_parts[found->second];
    return part.rows.empty() || part.rows.front().empty() ? std::string() : part.rows.front().front();
}
