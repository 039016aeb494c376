#pragma once

#include <initializer_list>
#include <string>

class IOtlConnection;

/// Statements sent one after the other until the database refuses one; every later call
/// then sends nothing. Text values are escaped for the connection's database type.
class CSqlSequence
{
public:
    CSqlSequence();

    /// ExecuteSql of a fixed statement.
    void Sql(const char* sql);
    /// ExecuteInsert of `format` with its placeholders filled by `values` in order.
    void Insert(const char* format, std::initializer_list<std::string> values);

    /// A text value, ready for its quotes.
    std::string Text(const std::string& text) const;
    static std::string Number(int value) { return std::to_string(value); }
    static std::string Number(unsigned value) { return std::to_string(value); }

    /// True while every statement so far has succeeded.
    bool Succeeded() const { return m_succeeded; }

private:
    IOtlConnection* m_db;
    int m_dbType;
    bool m_succeeded = true;
};
