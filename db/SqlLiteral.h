#pragma once

#include <string>
#include <vector>

/// `text` made fit to stand between the single quotes of a string literal of the given
/// database type (DbType), so that it comes back unchanged and can never end its quotes
/// early. MySQL sessions run with backslash escapes (the connection makes sure of that).
std::string EscapeSqlText(const std::string& text, int dbType);

/// Fills the placeholders %s, %d and %u of `format`, left to right, with `values` as they
/// are (texts already escaped, numbers already formatted); "%%" stands for '%'.
std::string FormatSql(const char* format, const std::vector<std::string>& values);

/// The statements of a text that holds several, split at the semicolons outside string
/// literals (quotes doubled or escaped with a backslash stay inside their literal).
std::vector<std::string> SplitSqlStatements(const std::string& text);
