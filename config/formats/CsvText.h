#pragma once

#include <string>
#include <vector>

// Comma-separated values as RFC 4180 has them, on UTF-8 text; with a tab as the separator,
// what spreadsheets copy to the clipboard.

/// One record of a CSV text: its fields, quoted where they hold the separator, a quote or a
/// line break, ended by CR LF.
std::string CsvLine(const std::vector<std::string>& fields, char separator = ',');

/// The records of a CSV text, each a list of fields. Records end at CR LF, LF or CR; a quoted
/// field may hold any of them, and the separator, and "" for a quote. A text after the last line break
/// is a record too. False, with `error` naming the line, for a quoted field left open or text
/// right after a closing quote.
bool ParseCsv(const std::string& text, std::vector<std::vector<std::string>>& records, std::string& error,
              char separator = ',');
