#include "config/formats/JsonText.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <algorithm>
#include <unordered_set>
#include <vector>

QString JsonKey(const char* key)
{
    return QString::fromLatin1(key);
}

std::string JsonMember(const std::string& path, const char* key)
{
    return path + "." + key;
}

std::string JsonElement(const std::string& path, qsizetype index)
{
    return path + "[" + std::to_string(index) + "]";
}

std::string JsonTextProblem(const std::string& text)
{
    if (QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).toUtf8() !=
        QByteArray::fromStdString(text))
        return "不是有效的 UTF-8 文本";
    return {};
}

std::string JsonPosition(const QByteArray& json, qsizetype offset)
{
    offset = std::clamp(offset, qsizetype(0), json.size());
    const qsizetype lineStart = offset == 0 ? 0 : json.lastIndexOf('\n', offset - 1) + 1;
    const qsizetype line = json.left(lineStart).count('\n') + 1;
    const qsizetype column = QString::fromUtf8(json.mid(lineStart, offset - lineStart)).size() + 1;
    return "第 " + std::to_string(line) + " 行第 " + std::to_string(column) + " 列";
}

bool FindRepeatedJsonKey(const QByteArray& json, std::string& key, qsizetype& offset)
{
    struct Level
    {
        bool isObject;
        std::unordered_set<std::string> keys;
    };
    std::vector<Level> levels;
    const qsizetype size = json.size();
    for (qsizetype index = 0; index < size; ++index) {
        const char c = json[index];
        if (c == '{' || c == '[') {
            levels.push_back({c == '{', {}});
        } else if ((c == '}' || c == ']') && !levels.empty()) {
            levels.pop_back();
        } else if (c == '"') {
            const qsizetype start = index;
            bool escaped = false;
            for (++index; index < size && json[index] != '"'; ++index) {
                if (json[index] == '\\') {
                    escaped = true;
                    ++index;
                }
            }
            qsizetype next = index + 1;
            while (next < size &&
                   (json[next] == ' ' || json[next] == '\t' || json[next] == '\r' || json[next] == '\n'))
                ++next;
            if (next >= size || json[next] != ':' || levels.empty() || !levels.back().isObject)
                continue;
            const QByteArray quoted = json.mid(start, index - start + 1);
            const std::string name =
                escaped ? QJsonDocument::fromJson("[" + quoted + "]").array().at(0).toString().toStdString()
                        : quoted.mid(1, quoted.size() - 2).toStdString();
            if (!levels.back().keys.insert(name).second) {
                key = name;
                offset = start;
                return true;
            }
        }
    }
    return false;
}
