#include "db/ConnectionString.h"

#include <algorithm>
#include <cctype>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string AttributeValue(const std::string& value)
{
    const bool needsBraces = value.find_first_of(";{}") != std::string::npos ||
                             (!value.empty() && (IsBlank(value.front()) || IsBlank(value.back())));
    if (!needsBraces)
        return value;
    std::string quoted = "{";
    for (const char c : value) {
        quoted += c;
        if (c == '}')
            quoted += '}';
    }
    quoted += '}';
    return quoted;
}

} // namespace

std::string BuildConnectString(const std::string& dsn, const std::string& user, const std::string& password)
{
    return "DSN=" + AttributeValue(dsn) + "; UID=" + AttributeValue(user) +
           "; PWD=" + AttributeValue(password);
}

bool ConnectStringCarries(const std::string& value)
{
    return value.empty() || (!IsBlank(value.front()) && !IsBlank(value.back()));
}

std::string ConnectStringValue(const std::string& connectString, const std::string& key)
{
    std::size_t position = 0;
    while (position < connectString.size()) {
        const std::size_t equals = connectString.find('=', position);
        if (equals == std::string::npos)
            break;
        std::string name = connectString.substr(position, equals - position);
        name.erase(0, name.find_first_not_of(" \t"));
        name.erase(name.find_last_not_of(" \t") + 1);
        std::string value;
        position = equals + 1;
        if (position < connectString.size() && connectString[position] == '{') {
            // Braced: '}}' stands for '}', a single '}' ends the value.
            for (++position; position < connectString.size(); ++position) {
                if (connectString[position] == '}') {
                    if (position + 1 < connectString.size() && connectString[position + 1] == '}') {
                        value += '}';
                        ++position;
                        continue;
                    }
                    ++position;
                    break;
                }
                value += connectString[position];
            }
            position = connectString.find(';', position);
        } else {
            const std::size_t end = connectString.find(';', position);
            value =
                connectString.substr(position, end == std::string::npos ? std::string::npos : end - position);
            position = end;
        }
        const bool same = name.size() == key.size() &&
                          std::equal(name.begin(), name.end(), key.begin(), [](char a, char b) {
                              return std::tolower(static_cast<unsigned char>(a)) ==
                                     std::tolower(static_cast<unsigned char>(b));
                          });
        if (same)
            return value;
        if (position == std::string::npos)
            break;
        ++position;
    }
    return {};
}
