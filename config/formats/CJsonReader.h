#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <cstddef>
#include <string>
#include <vector>

/// Reads values out of a JSON file's objects strictly, keeping the first thing wrong and
/// where it is ("path: reason").
class CJsonReader
{
public:
    const std::string& Error() const { return m_error; }

    /// Keeps `reason` for `path` unless something was kept before; always false.
    bool Fail(const std::string& path, const std::string& reason);

    /// `value` as an object holding exactly `keys`.
    bool Object(const QJsonValue& value, const std::string& path, const std::vector<const char*>& keys,
                QJsonObject& object);
    bool Array(const QJsonValue& value, const std::string& path, QJsonArray& array);
    /// A text; with `room` above 0, of at most that many bytes of UTF-8.
    bool Text(const QJsonValue& value, const std::string& path, std::string& text, std::size_t room = 0);
    bool Integer(const QJsonValue& value, const std::string& path, int& number);
    bool Flag(const QJsonValue& value, const std::string& path, bool& flag);

private:
    static std::string NumberText(double real);
    static std::string Describe(const QJsonValue& value);

    std::string m_error;
};
