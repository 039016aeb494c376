#include "config/formats/CsvText.h"

namespace {

bool NeedsQuotes(const std::string& field, char separator)
{
    return field.find_first_of("\"\r\n") != std::string::npos || field.find(separator) != std::string::npos;
}

} // namespace

std::string CsvLine(const std::vector<std::string>& fields, char separator)
{
    std::string line;
    for (std::size_t index = 0; index < fields.size(); ++index) {
        if (index > 0)
            line += separator;
        const std::string& field = fields[index];
        if (!NeedsQuotes(field, separator)) {
            line += field;
            continue;
        }
        line += '"';
        for (char c : field) {
            if (c == '"')
                line += '"';
            line += c;
        }
        line += '"';
    }
    return line + "\r\n";
}

bool ParseCsv(const std::string& text, std::vector<std::vector<std::string>>& records, std::string& error,
              char separator)
{
    records.clear();
    std::vector<std::string> record;
    std::string field;
    int line = 1;
    std::size_t at = 0;
    const std::size_t size = text.size();
    // Whether the current record has begun: a text ending in a line break has no record after it.
    bool begun = false;
    const auto endField = [&] {
        record.push_back(std::move(field));
        field.clear();
    };
    const auto endRecord = [&] {
        endField();
        records.push_back(std::move(record));
        record.clear();
        begun = false;
    };
    // Steps over one line break at `at` (CR LF, LF or CR); false when there is none.
    const auto skipLineBreak = [&] {
        if (text[at] == '\r') {
            at += (at + 1 < size && text[at + 1] == '\n') ? 2 : 1;
        } else if (text[at] == '\n') {
            ++at;
        } else {
            return false;
        }
        ++line;
        return true;
    };
    while (at < size) {
        begun = true;
        if (text[at] == '"' && field.empty()) {
            const int opened = line;
            ++at;
            for (;;) {
                if (at >= size) {
                    error = "第 " + std::to_string(opened) + " 行的引号没有结束";
                    return false;
                }
                if (text[at] == '"') {
                    if (at + 1 < size && text[at + 1] == '"') {
                        field += '"';
                        at += 2;
                        continue;
                    }
                    ++at;
                    break;
                }
                if (text[at] == '\r' || text[at] == '\n') {
                    const std::size_t from = at;
                    skipLineBreak();
                    field.append(text, from, at - from);
                    continue;
                }
                field += text[at++];
            }
            if (at < size && text[at] != separator && text[at] != '\r' && text[at] != '\n') {
                error = "第 " + std::to_string(line) + " 行：引号结束后紧跟着其他字符";
                return false;
            }
            continue;
        }
        if (text[at] == separator) {
            endField();
            ++at;
            continue;
        }
        if (skipLineBreak()) {
            endRecord();
            continue;
        }
        field += text[at++];
    }
    if (begun)
        endRecord();
    return true;
}
