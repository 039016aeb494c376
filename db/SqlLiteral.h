#pragma once

#include <string>

/// `text` made fit to stand between the single quotes of a string literal of the given
/// database type (DbType), so that it comes back unchanged and can never end its quotes
/// early. MySQL sessions run with backslash escapes (the connection makes sure of that).
std::string EscapeSqlText(const std::string& text, int dbType);

/// Fills the placeholders %s, %d and %u of `format`, left to right, with `values` as they
/// are (texts already escaped, numbers already formatted); "%%" stands for '%'.
std::string FormatSql(const char* format, std::initializer_list<std::string> values);
