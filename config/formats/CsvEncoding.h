#pragma once

#include <QByteArray>
#include <string>

// The character sets of CSV files: written as UTF-8 with a byte-order mark, so that a
// spreadsheet opens Chinese text correctly; read as UTF-8 with or without one, or as GBK, the
// set Chinese spreadsheets save in by default.

/// `text` (UTF-8) as a CSV file's bytes: the byte-order mark, then the text.
QByteArray CsvFileBytes(const std::string& text);

/// The text of a CSV file's bytes, as UTF-8, and the character set it was read in ("UTF-8",
/// "UTF-8（带BOM）" or "GBK"). False, with `error`, for bytes that are neither UTF-8 nor GBK.
bool CsvFileText(const QByteArray& bytes, std::string& text, std::string& encoding, std::string& error);
