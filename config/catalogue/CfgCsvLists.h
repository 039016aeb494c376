#pragma once

#include "config/catalogue/CfgRecordField.h"
#include "config/data/CCfgData.h"

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

/// The record lists a CSV file can hold.
enum class CsvList
{
    Extensions,
    SipAccounts,
    TrunkItems,
    TrunkMatches,
};

constexpr std::array<CsvList, 4> kCsvLists = {CsvList::Extensions, CsvList::SipAccounts, CsvList::TrunkItems,
                                              CsvList::TrunkMatches};

/// One column of a list's CSV file, read from the record kind's description.
struct CsvColumn
{
    /// The name the grids give the field: the header a file is written with.
    std::string label;
    /// Other headers read as this column: the field's column, its key in a configuration file.
    std::vector<std::string> aliases;
    FieldKind kind = FieldKind::Text;
    /// A text: the most bytes of UTF-8 it may have, and the most characters (0: no limit).
    std::size_t roomBytes = 0;
    std::size_t roomChars = 0;
    /// A number: the least and the most it may be.
    long long minimum = 0;
    long long maximum = 0;
    /// A number or flag: the values it may take (empty: any number in range).
    std::vector<std::string> options;
    /// Part of the key that tells the records apart: required in every file.
    bool identifies = false;
    /// Numbered by the database: written in a file, never read from one.
    bool numbered = false;
};

/// A record as a CSV row: its fields spelled as the database and the viewer of changes spell
/// them, in the order of the columns.
using CsvRow = std::vector<std::string>;

/// A record list as CSV files hold it.
struct CsvListLayout
{
    /// The list's word on the command line: "extensions", "sip-accounts", ...
    const char* word;
    /// The list as the user knows it: "分机", "SIP账户", ...
    const char* title;
    std::vector<CsvColumn> columns;
    /// The column of the number a grid shows each record under: its ID, an extension's number.
    std::size_t idColumn = 0;
    /// The list's records, in the order a file lists them.
    std::function<std::vector<CsvRow>(const CCfgData& cfg)> rows;
    /// Replaces the list with `rows`, in their order.
    std::function<void(const std::vector<CsvRow>& rows, CCfgData& cfg)> store;
    /// A record the user adds, before its key is set.
    CsvRow newRow;
};

const CsvListLayout& CsvListLayoutOf(CsvList list);
/// The list a command-line word names; false for none.
bool CsvListFromWord(const std::string& word, CsvList& list);
/// "extensions、sip-accounts、trunk-items、trunk-matches" for usages.
std::string CsvListWords();
