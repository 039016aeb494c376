#pragma once

#include "config/database/CColumnRules.h"
#include "db/IOtlConnection.h"

#include <string>
#include <vector>

/// The statements of one save, gathered with every value checked against the column it goes
/// to, so that a value that does not fit refuses the whole save before a single table is
/// emptied. Gathering sends nothing.
class CSqlSequence
{
public:
    /// `rules`: what the columns written can hold. `dbType` (DbType): how texts are escaped.
    CSqlSequence(const CColumnRules& rules, int dbType);

    /// ExecuteSql of a fixed statement.
    void Sql(const std::string& sql);
    /// Empties `table`: with TRUNCATE, or with DELETE when `keepTransaction`.
    void Empty(const char* table, bool keepTransaction);
    /// ExecuteInsert of `format` with its placeholders filled by `values` in order.
    void Insert(const char* format, const std::vector<std::string>& values);

    /// A text value for `table`.`column`, escaped for its quotes. `what` names the value in
    /// the refusal when it does not fit the column.
    std::string Text(const std::string& text, const char* table, const char* column, const std::string& what);
    /// A number for `table`.`column`, checked against the column's range.
    std::string Number(long long value, const char* table, const char* column, const std::string& what);
    /// Refuses the save for a reason of the caller's own; the first refusal stays.
    void Refuse(const std::string& reason);

    /// Why the save is refused; empty when every value fits.
    const std::string& Refusal() const { return m_refusal; }
    std::vector<SqlStatement>& Statements() { return m_statements; }

private:
    const CColumnRules& m_rules;
    int m_dbType;
    std::vector<SqlStatement> m_statements;
    std::string m_refusal;
};
