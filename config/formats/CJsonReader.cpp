#include "config/formats/CJsonReader.h"

#include "config/formats/JsonText.h"

#include <QString>
#include <cmath>
#include <limits>

bool CJsonReader::Fail(const std::string& path, const std::string& reason)
{
    if (m_error.empty())
        m_error = path + "：" + reason;
    return false;
}

bool CJsonReader::Object(const QJsonValue& value, const std::string& path,
                         const std::vector<const char*>& keys, QJsonObject& object)
{
    if (!value.isObject())
        return Fail(path, "应为对象，而不是" + Describe(value));
    object = value.toObject();
    for (const char* key : keys) {
        if (!object.contains(JsonKey(key)))
            return Fail(path, std::string("缺少键 \"") + key + "\"");
    }
    if (object.size() == static_cast<qsizetype>(keys.size()))
        return true;
    for (const QString& key : object.keys()) {
        const std::string name = key.toStdString();
        bool known = false;
        for (const char* expected : keys)
            known = known || name == expected;
        if (!known)
            return Fail(path, "未知的键 \"" + name + "\"");
    }
    return true;
}

bool CJsonReader::Array(const QJsonValue& value, const std::string& path, QJsonArray& array)
{
    if (!value.isArray())
        return Fail(path, "应为数组，而不是" + Describe(value));
    array = value.toArray();
    return true;
}

bool CJsonReader::Text(const QJsonValue& value, const std::string& path, std::string& text, std::size_t room)
{
    if (!value.isString())
        return Fail(path, "应为文本，而不是" + Describe(value));
    const QString string = value.toString();
    if (!string.isValidUtf16())
        return Fail(path, "含有不成对的 UTF-16 代理项，不是有效的文本");
    text = string.toStdString();
    const std::string problem = JsonTextProblem(text);
    if (!problem.empty())
        return Fail(path, problem);
    // A fixed field ends at its first NUL, so what follows one would be lost without a word.
    if (room != 0 && text.find('\0') != std::string::npos)
        return Fail(path, "含有空字符（U+0000），该字段存放不了");
    if (room != 0 && text.size() > room) {
        return Fail(path, "有 " + std::to_string(text.size()) + " 个字节（UTF-8），超过了该字段可存放的 " +
                              std::to_string(room) + " 个字节");
    }
    return true;
}

bool CJsonReader::Integer(const QJsonValue& value, const std::string& path, int& number)
{
    if (!value.isDouble())
        return Fail(path, "应为整数，而不是" + Describe(value));
    const double real = value.toDouble();
    if (!std::isfinite(real) || std::floor(real) != real)
        return Fail(path, "应为整数，而不是 " + NumberText(real));
    if (real < std::numeric_limits<int>::min() || real > std::numeric_limits<int>::max())
        return Fail(path, NumberText(real) + " 超出了整数的范围（-2147483648 至 2147483647）");
    number = static_cast<int>(real);
    return true;
}

bool CJsonReader::Flag(const QJsonValue& value, const std::string& path, bool& flag)
{
    if (!value.isBool())
        return Fail(path, "应为 true 或 false，而不是" + Describe(value));
    flag = value.toBool();
    return true;
}

std::string CJsonReader::NumberText(double real)
{
    if (std::isfinite(real) && std::floor(real) == real && std::fabs(real) < 1e18)
        return std::to_string(static_cast<long long>(real));
    return QString::number(real, 'g', 17).toStdString();
}

std::string CJsonReader::Describe(const QJsonValue& value)
{
    switch (value.type()) {
    case QJsonValue::Null:
        return " null";
    case QJsonValue::Bool:
        return value.toBool() ? " true" : " false";
    case QJsonValue::Double:
        return "数字 " + NumberText(value.toDouble());
    case QJsonValue::String:
        return "文本";
    case QJsonValue::Array:
        return "数组";
    case QJsonValue::Object:
        return "对象";
    case QJsonValue::Undefined:
        break;
    }
    return "空值";
}
