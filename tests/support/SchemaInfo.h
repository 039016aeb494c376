#pragma once

#include <string>
#include <vector>

/// What the test server's information_schema says about a table of the current database.
namespace SchemaInfo {

/// One entry per column in table order: "name type NULL" or "name type NOT NULL", followed by
/// the extra attribute if there is one ("id int(10) NOT NULL auto_increment").
std::vector<std::string> Columns(const std::string& table);

/// "engine|character set", for example "MyISAM|utf8mb3"; empty when there is no such table.
std::string EngineAndCharset(const std::string& table);

/// The primary key's columns in key order, comma-separated; empty when there is none.
std::string PrimaryKey(const std::string& table);

/// "BASE TABLE", "VIEW", or empty when nothing of that name exists.
std::string Kind(const std::string& table);

/// The table's comment (used by tests to mark a table and see later whether it was replaced).
std::string Comment(const std::string& table);

/// The rows of the table, as the server counts them.
std::string RowCount(const std::string& table);

/// Marks each of `tables` with `comment`, to see later which were made anew.
bool MarkAll(const std::vector<std::string>& tables, const std::string& comment);

/// After a set-up of `tables` that stopped at `tables[blocked]` (a view of that name blocks
/// it): empty when the tables before it were made anew (no comment), the view is left, and
/// those after it still carry `marked`; otherwise what is not so.
std::string StoppedAt(const std::vector<std::string>& tables, std::size_t blocked, const std::string& marked);

} // namespace SchemaInfo
