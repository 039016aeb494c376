#include "config/formats/CCsvSheet.h"

#include "config/catalogue/MessageList.h"
#include "config/formats/CsvEncoding.h"
#include "config/formats/CsvText.h"

#include <QFile>
#include <algorithm>
#include <cctype>
#include <unordered_map>

namespace {

std::string Trimmed(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string Lowered(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::size_t CharacterCount(const std::string& text)
{
    return static_cast<std::size_t>(std::count_if(
        text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

/// Whether `text` is a whole decimal number, which goes to `value`; false also for one too
/// long for any column.
bool ParseWhole(const std::string& text, long long& value)
{
    std::size_t at = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (!text.empty() && (text[0] == '-' || text[0] == '+'))
        at = 1;
    if (at == text.size() || text.size() - at > 18)
        return false;
    long long magnitude = 0;
    for (; at < text.size(); ++at) {
        if (text[at] < '0' || text[at] > '9')
            return false;
        magnitude = magnitude * 10 + (text[at] - '0');
    }
    value = negative ? -magnitude : magnitude;
    return true;
}

enum class Spelling
{
    Good,
    /// A number outside the column's options: kept only where the record holds it already.
    Unusual,
    Bad,
};

/// `cell` as the database spells a value of `column`; `why` when the column cannot take it.
Spelling Spell(const CsvColumn& column, const std::string& cell, std::string& spelled, std::string& why)
{
    const std::string quoted = "“" + cell + "”";
    if (column.kind == FieldKind::Text) {
        if (column.roomBytes > 0 && cell.size() > column.roomBytes) {
            why = quoted + "有 " + std::to_string(cell.size()) + " 字节，最多 " +
                  std::to_string(column.roomBytes) + " 字节";
            return Spelling::Bad;
        }
        if (column.roomChars > 0 && CharacterCount(cell) > column.roomChars) {
            why = quoted + "有 " + std::to_string(CharacterCount(cell)) + " 个字符，最多 " +
                  std::to_string(column.roomChars) + " 个字符";
            return Spelling::Bad;
        }
        spelled = cell;
        return Spelling::Good;
    }
    spelled = Trimmed(cell);
    Spelling outsideOptions = Spelling::Bad;
    if (column.kind == FieldKind::Flag) {
        spelled = Lowered(spelled);
    } else {
        long long number = 0;
        if (!ParseWhole(spelled, number) || number < column.minimum || number > column.maximum) {
            why = quoted + "不是 " + std::to_string(column.minimum) + " 到 " +
                  std::to_string(column.maximum) + " 之间的整数";
            return Spelling::Bad;
        }
        spelled = std::to_string(number);
        outsideOptions = Spelling::Unusual;
    }
    if (!column.options.empty() &&
        std::find(column.options.begin(), column.options.end(), spelled) == column.options.end()) {
        why = quoted + "不是可选的值（" + MessageList(column.options) + "）";
        return outsideOptions;
    }
    return Spelling::Good;
}

/// The cells of `row` that tell its record apart, joined.
std::string KeyOf(const CsvListLayout& layout, const CsvRow& row)
{
    std::string key;
    for (std::size_t index = 0; index < layout.columns.size(); ++index) {
        if (layout.columns[index].identifies)
            key += row[index] + '\x1f';
    }
    return key;
}

/// The labels of the columns, or of those of the key, for messages.
std::string ColumnLabels(const CsvListLayout& layout, bool keyOnly)
{
    std::vector<std::string> labels;
    for (const CsvColumn& column : layout.columns) {
        if (column.identifies || !keyOnly)
            labels.push_back(column.label);
    }
    return MessageList(labels);
}

std::string RowName(std::size_t rowNumber)
{
    return "第 " + std::to_string(rowNumber) + " 行";
}

/// Whether `header` names a column of `column` (its label or one of its aliases).
bool Names(const CsvColumn& column, const std::string& header)
{
    const std::string name = Trimmed(header);
    return column.label == name ||
           std::any_of(column.aliases.begin(), column.aliases.end(),
                       [&name](const std::string& a) { return Lowered(a) == Lowered(name); });
}

/// Whether every cell of `record` names a column of the list, as a header row does.
bool IsHeader(const CsvListLayout& layout, const std::vector<std::string>& record)
{
    return std::all_of(record.begin(), record.end(), [&layout](const std::string& cell) {
        return cell.empty() || std::any_of(layout.columns.begin(), layout.columns.end(),
                                           [&cell](const CsvColumn& column) { return Names(column, cell); });
    });
}

/// Spreadsheets end a sheet with empty rows at times.
void DropEmptyEnd(std::vector<std::vector<std::string>>& records)
{
    while (!records.empty() && std::all_of(records.back().begin(), records.back().end(),
                                           [](const std::string& cell) { return cell.empty(); }))
        records.pop_back();
}

} // namespace

bool CCsvSheet::SpellCell(const CsvColumn& column, const std::string& cell, std::string& spelled,
                          std::string& why)
{
    return Spell(column, cell, spelled, why) == Spelling::Good;
}

QByteArray CCsvSheet::Export(const CCfgData& cfg, CsvList list)
{
    const CsvListLayout& layout = CsvListLayoutOf(list);
    std::vector<std::string> header;
    for (const CsvColumn& column : layout.columns)
        header.push_back(column.label);
    std::string text = CsvLine(header);
    for (const CsvRow& row : layout.rows(cfg))
        text += CsvLine(row);
    return CsvFileBytes(text);
}

bool CCsvSheet::Read(const QString& path, CsvList list, std::string& error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = "无法读取文件 " + path.toStdString() + "：" + file.errorString().toStdString();
        return false;
    }
    return FromBytes(file.readAll(), list, path.toStdString(), error);
}

bool CCsvSheet::FromBytes(const QByteArray& bytes, CsvList list, const std::string& name, std::string& error)
{
    m_list = list;
    std::string text;
    std::vector<std::vector<std::string>> records;
    if (!CsvFileText(bytes, text, m_encoding, error) || !ParseCsv(text, records, error)) {
        error = "文件 " + name + " 不是可读的 CSV 文件：" + error;
        return false;
    }
    DropEmptyEnd(records);
    if (records.empty()) {
        error = "文件 " + name + " 是空的，连标题行也没有";
        return false;
    }
    m_source = "文件 " + name + "（" + m_encoding + "）";
    m_nothingDone = "未写入任何内容";
    const std::vector<std::string> header = records.front();
    records.erase(records.begin());
    return ReadRecords(header, records, 2, error);
}

bool CCsvSheet::FromPastedText(const std::string& text, CsvList list, std::string& error)
{
    m_list = list;
    m_encoding = "UTF-8";
    std::vector<std::vector<std::string>> records;
    if (!ParseCsv(text, records, error, '\t')) {
        error = "粘贴的内容不是表格：" + error;
        return false;
    }
    DropEmptyEnd(records);
    if (records.empty()) {
        error = "剪贴板中没有可粘贴的表格";
        return false;
    }
    m_source = "粘贴的内容";
    m_nothingDone = "未做任何修改";
    const CsvListLayout& layout = CsvListLayoutOf(list);
    if (IsHeader(layout, records.front())) {
        const std::vector<std::string> header = records.front();
        records.erase(records.begin());
        return ReadRecords(header, records, 2, error);
    }
    // Without a header the columns are those a copy gives, in the list's order.
    std::vector<std::string> header;
    for (const CsvColumn& column : layout.columns)
        header.push_back(column.label);
    return ReadRecords(header, records, 1, error);
}

bool CCsvSheet::ReadRecords(const std::vector<std::string>& header,
                            const std::vector<std::vector<std::string>>& records, std::size_t firstRowNumber,
                            std::string& error)
{
    m_rows.clear();
    m_unusual.clear();
    std::vector<std::string> problems;
    if (ReadHeader(header, problems)) {
        // The row each key was first read in.
        std::unordered_map<std::string, std::size_t> rowOfKey;
        for (std::size_t index = 0; index < records.size(); ++index)
            ReadRow(records[index], index + firstRowNumber, header, rowOfKey, problems);
    }
    if (problems.empty())
        return true;
    m_rows.clear();
    m_unusual.clear();
    error = ProblemsText(problems);
    return false;
}

std::string CCsvSheet::ProblemsText(const std::vector<std::string>& problems) const
{
    std::string text =
        m_source + "中有 " + std::to_string(problems.size()) + " 处问题，" + m_nothingDone + "：";
    for (std::size_t index = 0; index < problems.size() && index < kProblemsTold; ++index)
        text += "\r\n" + problems[index];
    if (problems.size() > kProblemsTold)
        text += "\r\n……另有 " + std::to_string(problems.size() - kProblemsTold) + " 处问题未列出";
    return text;
}

bool CCsvSheet::ReadHeader(const std::vector<std::string>& header, std::vector<std::string>& problems)
{
    const CsvListLayout& layout = CsvListLayoutOf(m_list);
    m_placeOf.assign(layout.columns.size(), -1);
    for (std::size_t place = 0; place < header.size(); ++place) {
        const std::string name = Trimmed(header[place]);
        const auto column = std::find_if(layout.columns.begin(), layout.columns.end(),
                                         [&name](const CsvColumn& c) { return Names(c, name); });
        const std::string where = "第 1 行第 " + std::to_string(place + 1) + " 列";
        if (column == layout.columns.end()) {
            if (name.empty() && place + 1 == header.size())
                continue; // a trailing comma
            problems.push_back(where + "：" + layout.title + "表中没有“" + name + "”这一列（可用的列：" +
                               ColumnLabels(layout, false) + "）");
            continue;
        }
        int& placeOf = m_placeOf[static_cast<std::size_t>(column - layout.columns.begin())];
        if (placeOf >= 0) {
            problems.push_back(where + "：“" + column->label + "”列已在第 " + std::to_string(placeOf + 1) +
                               " 列出现过");
            continue;
        }
        placeOf = static_cast<int>(place);
    }
    bool keyed = true;
    for (std::size_t index = 0; index < layout.columns.size(); ++index) {
        if (layout.columns[index].identifies && m_placeOf[index] < 0) {
            problems.push_back("第 1 行：缺少“" + layout.columns[index].label + "”列，" + layout.title +
                               "由" + ColumnLabels(layout, true) + "区分");
            keyed = false;
        }
    }
    return keyed;
}

void CCsvSheet::ReadRow(const std::vector<std::string>& cells, std::size_t rowNumber,
                        const std::vector<std::string>& header,
                        std::unordered_map<std::string, std::size_t>& rowOfKey,
                        std::vector<std::string>& problems)
{
    if (std::all_of(cells.begin(), cells.end(), [](const std::string& cell) { return cell.empty(); }))
        return;
    const CsvListLayout& layout = CsvListLayoutOf(m_list);
    bool good = true;
    for (std::size_t place = header.size(); place < cells.size(); ++place) {
        if (!cells[place].empty()) {
            problems.push_back(RowName(rowNumber) + "第 " + std::to_string(place + 1) +
                               " 列：标题行没有这一列，“" + cells[place] + "”无处可放");
            good = false;
        }
    }
    CsvRow row(layout.columns.size());
    std::vector<std::pair<std::size_t, std::string>> unusual; // column, problem
    for (std::size_t index = 0; index < layout.columns.size(); ++index) {
        const CsvColumn& column = layout.columns[index];
        if (m_placeOf[index] < 0 || column.numbered)
            continue;
        const auto place = static_cast<std::size_t>(m_placeOf[index]);
        const std::string cell = place < cells.size() ? cells[place] : std::string();
        std::string why;
        const Spelling spelling = Spell(column, cell, row[index], why);
        if (spelling == Spelling::Bad) {
            problems.push_back(RowName(rowNumber) + "“" + Trimmed(header[place]) + "”列：" + why);
            good = false;
        } else if (spelling == Spelling::Unusual) {
            // What the database holds outside the options comes back unchanged from an export.
            unusual.emplace_back(index, RowName(rowNumber) + "“" + Trimmed(header[place]) + "”列：" + why);
        }
    }
    if (!good)
        return;
    // Rows are told apart by their key: a second row with the same one would overwrite the first.
    const auto [first, added] = rowOfKey.emplace(KeyOf(layout, row), rowNumber);
    if (!added) {
        problems.push_back(RowName(rowNumber) + "：" + ColumnLabels(layout, true) + "与" +
                           RowName(first->second) + "相同");
        return;
    }
    for (auto& [column, problem] : unusual)
        m_unusual.push_back({m_rows.size(), column, std::move(problem)});
    m_rows.push_back(std::move(row));
}

bool CCsvSheet::ApplyTo(CCfgData& cfg, Mode mode, std::string& error) const
{
    const CsvListLayout& layout = CsvListLayoutOf(m_list);
    std::vector<CsvRow> result;
    if (!Merge(layout.rows(cfg), mode, result, error))
        return false;
    layout.store(result, cfg);
    return true;
}

bool CCsvSheet::Merge(const std::vector<CsvRow>& existing, Mode mode, std::vector<CsvRow>& result,
                      std::string& error) const
{
    const CsvListLayout& layout = CsvListLayoutOf(m_list);
    std::unordered_map<std::string, std::size_t> existingAt;
    for (std::size_t index = 0; index < existing.size(); ++index)
        existingAt.emplace(KeyOf(layout, existing[index]), index);
    result = mode == Mode::Merge ? existing : std::vector<CsvRow>();
    std::unordered_map<std::string, std::size_t> resultAt =
        mode == Mode::Merge ? existingAt : std::unordered_map<std::string, std::size_t>();
    // A numbered column of a new record takes the next number after every one in use.
    long long lastNumber = 0;
    for (const CsvRow& row : existing) {
        for (std::size_t index = 0; index < layout.columns.size(); ++index) {
            if (layout.columns[index].numbered)
                lastNumber = std::max(lastNumber, std::stoll(row[index]));
        }
    }
    std::vector<std::string> problems;
    for (const Unusual& value : m_unusual) {
        const CsvRow& read = m_rows[value.row];
        const auto old = existingAt.find(KeyOf(layout, read));
        if (old == existingAt.end() || existing[old->second][value.column] != read[value.column])
            problems.push_back(value.problem);
    }
    if (!problems.empty()) {
        error = ProblemsText(problems);
        return false;
    }
    for (const CsvRow& read : m_rows) {
        const std::string key = KeyOf(layout, read);
        const auto old = existingAt.find(key);
        CsvRow row = old != existingAt.end() ? existing[old->second] : layout.newRow;
        for (std::size_t index = 0; index < layout.columns.size(); ++index) {
            if (layout.columns[index].numbered) {
                if (old == existingAt.end())
                    row[index] = std::to_string(++lastNumber);
            } else if (m_placeOf[index] >= 0) {
                row[index] = read[index];
            }
        }
        const auto placed = resultAt.find(key);
        if (placed != resultAt.end()) {
            result[placed->second] = std::move(row);
        } else {
            resultAt.emplace(key, result.size());
            result.push_back(std::move(row));
        }
    }
    return true;
}
