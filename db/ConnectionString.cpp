#include "db/ConnectionString.h"

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
    return "DSN=" + AttributeValue(dsn) + "; UID=" + AttributeValue(user) + "; PWD=" + AttributeValue(password);
}
