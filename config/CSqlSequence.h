#pragma once

#include "config/CColumnRules.h"
#include "db/IOtlConnection.h"

#include <initializer_list>
#include <string>
#include <vector>

/// The statements of one save. They are gathered first, with every value checked against
/// the column it goes to, and sent only when all of them fit: a value that does not fit
/// refuses the whole save before a single table is emptied. Sent, they run in order until
/// the database refuses one, in as few round trips as the database allows.
class CSqlSequence
{
public:
    /// `tables`: the tables the statements write, whose columns the values are checked against.
    explicit CSqlSequence(const std::vector<std::string>& tables);

    /// ExecuteSql of a fixed statement.
    void Sql(const char* sql);
    /// ExecuteInsert of `format` with its placeholders filled by `values` in order.
    void Insert(const char* format, std::initializer_list<std::string> values);

    /// A text value for `table`.`column`, escaped for its quotes. `what` names the value in
    /// the refusal when it does not fit the column.
    std::string Text(const std::string& text, const char* table, const char* column, const std::string& what);
    /// A number for `table`.`column`, checked against the column's range.
    std::string Number(long long value, const char* table, const char* column, const std::string& what);

    /// Sends the statements. False when a value did not fit (nothing was sent; Refusal() says
    /// which and why) or when the database refused a statement (those before it took effect).
    bool Run();
    /// Why the save was refused before anything was sent; empty otherwise.
    const std::string& Refusal() const { return m_refusal; }

private:
    void Refuse(const std::string& what, const std::string& reason);

    IOtlConnection* m_db;
    int m_dbType;
    CColumnRules m_rules;
    std::vector<SqlStatement> m_statements;
    std::string m_refusal;
};
