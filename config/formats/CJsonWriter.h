#pragma once

#include <QJsonValue>
#include <string>

/// Builds a JSON file's values, keeping the first text that would not read back the same.
class CJsonWriter
{
public:
    /// `text` as a JSON string; `path` names it when it cannot be written as it is.
    QJsonValue Text(const std::string& text, const std::string& path);

    const std::string& Error() const { return m_error; }

private:
    std::string m_error;
};
