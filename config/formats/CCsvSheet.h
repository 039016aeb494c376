#pragma once

#include "config/catalogue/CfgCsvLists.h"
#include "config/data/CCfgData.h"

#include <QByteArray>
#include <QString>
#include <string>
#include <unordered_map>
#include <vector>

/// One record list in a CSV file: written from a store, or read from a file and checked whole
/// before it may change a store.
class CCsvSheet
{
public:
    enum class Mode
    {
        /// The file's records are added, or update those with the same key; the others stay.
        Merge,
        /// The file is the whole list.
        Replace,
    };

    /// At most this many problems are told, so that the message fits a screen.
    static constexpr std::size_t kProblemsTold = 20;

    /// `cell` as the database spells a value of `column`, going to `spelled`; false, with `why`
    /// naming the value and what the column takes, when the column cannot take it or it is
    /// not one of the column's options.
    static bool SpellCell(const CsvColumn& column, const std::string& cell, std::string& spelled,
                          std::string& why);

    /// `list` of `cfg` as a CSV file's bytes: the grids' names in the header, one row per
    /// record (extensions by number), UTF-8 with a byte-order mark.
    static QByteArray Export(const CCfgData& cfg, CsvList list);

    /// Reads and checks the file at `path` as `list`. False, with `error` telling every problem
    /// (row, column, reason; up to kProblemsTold of them), when one row cannot be taken.
    bool Read(const QString& path, CsvList list, std::string& error);
    /// The same for a file's bytes; `name` names the file in messages.
    bool FromBytes(const QByteArray& bytes, CsvList list, const std::string& name, std::string& error);
    /// The same for tab-separated text pasted from a spreadsheet, whose first row may be the
    /// header; without one, the columns are the list's, in the order a copy gives them.
    bool FromPastedText(const std::string& text, CsvList list, std::string& error);

    /// Puts the file's records into `cfg`'s list. A column the file lacks keeps the value a
    /// record has, and takes the new-record value in a record the list did not have. A number
    /// outside its column's options is taken only where the record holds it already; false,
    /// with `error` telling each other one, and `cfg` unchanged, otherwise.
    bool ApplyTo(CCfgData& cfg, Mode mode, std::string& error) const;
    /// The same on the list's rows: `result` is `existing` with the read records in place of
    /// those with their keys, and those with new keys after them.
    bool Merge(const std::vector<CsvRow>& existing, Mode mode, std::vector<CsvRow>& result,
               std::string& error) const;

    /// The character set the file was read in.
    const std::string& Encoding() const { return m_encoding; }
    std::size_t RowCount() const { return m_rows.size(); }

private:
    struct Unusual
    {
        std::size_t row;    // in m_rows
        std::size_t column; // of the list's layout
        std::string problem;
    };

    /// Reads the rows under `header`, the first of them numbered `firstRowNumber` in messages.
    bool ReadRecords(const std::vector<std::string>& header,
                     const std::vector<std::vector<std::string>>& records, std::size_t firstRowNumber,
                     std::string& error);
    std::string ProblemsText(const std::vector<std::string>& problems) const;
    /// Finds the list's columns in the header; false when a column of the key is missing, so
    /// that the rows cannot be told apart.
    bool ReadHeader(const std::vector<std::string>& header, std::vector<std::string>& problems);
    void ReadRow(const std::vector<std::string>& cells, std::size_t rowNumber,
                 const std::vector<std::string>& header,
                 std::unordered_map<std::string, std::size_t>& rowOfKey, std::vector<std::string>& problems);

    CsvList m_list = CsvList::Extensions;
    /// What the rows came from, in messages: "文件 ...（UTF-8）", "粘贴的内容".
    std::string m_source;
    /// What a refusal leaves undone, in messages.
    std::string m_nothingDone;
    std::string m_encoding;
    /// For each column of the list's layout: its place in the file, or -1.
    std::vector<int> m_placeOf;
    /// The file's records, each full width, read values spelled as the database spells them.
    std::vector<CsvRow> m_rows;
    /// Values outside their options, to be checked against the list they go into.
    std::vector<Unusual> m_unusual;
};
