#include "config/CCfgFile.h"

#include "config/CCfgData.h"
#include "config/CfgGroups.h"
#include "config/CfgSettings.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <unordered_map>
#include <unordered_set>

namespace {

// A configuration of 100,000 extensions takes a few megabytes; anything this large is not one.
constexpr qint64 kMaxFileBytes = 256LL * 1024 * 1024;

QString Key(const char* key)
{
    return QString::fromLatin1(key);
}

std::string Member(const std::string& path, const char* key)
{
    return path + "." + key;
}

std::string Element(const std::string& path, qsizetype index)
{
    return path + "[" + std::to_string(index) + "]";
}

/// Why `text` would not come back the same from a file: empty when it would.
std::string TextProblem(const std::string& text)
{
    if (text.find('\0') != std::string::npos)
        return "含有空字符（U+0000）";
    if (QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).toUtf8() !=
        QByteArray::fromStdString(text))
        return "不是有效的 UTF-8 文本";
    return {};
}

/// Builds the file's objects from a store, keeping the first text it cannot write.
class CFileWriter
{
public:
    QJsonValue Text(const std::string& text, const std::string& path)
    {
        const std::string problem = TextProblem(text);
        if (!problem.empty() && m_error.empty())
            m_error = path + "：" + problem + "，无法原样写入文件";
        return QString::fromStdString(text);
    }

    const std::string& Error() const { return m_error; }

private:
    std::string m_error;
};

/// Reads values out of the file's objects, keeping the first thing wrong and where it is.
class CFileReader
{
public:
    const std::string& Error() const { return m_error; }

    bool Fail(const std::string& path, const std::string& reason)
    {
        if (m_error.empty())
            m_error = path + "：" + reason;
        return false;
    }

    /// `value` as an object holding exactly `keys`.
    bool Object(const QJsonValue& value, const std::string& path, const std::vector<const char*>& keys,
                QJsonObject& object)
    {
        if (!value.isObject())
            return Fail(path, "应为对象，而不是" + Describe(value));
        object = value.toObject();
        for (const char* key : keys) {
            if (!object.contains(Key(key)))
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

    bool Array(const QJsonValue& value, const std::string& path, QJsonArray& array)
    {
        if (!value.isArray())
            return Fail(path, "应为数组，而不是" + Describe(value));
        array = value.toArray();
        return true;
    }

    bool Text(const QJsonValue& value, const std::string& path, std::string& text)
    {
        if (!value.isString())
            return Fail(path, "应为文本，而不是" + Describe(value));
        const QString string = value.toString();
        if (!string.isValidUtf16())
            return Fail(path, "含有不成对的 UTF-16 代理项，不是有效的文本");
        text = string.toStdString();
        const std::string problem = TextProblem(text);
        return problem.empty() || Fail(path, problem);
    }

    /// A text for a fixed character field, which holds at most its size less one byte.
    template <std::size_t N> bool Chars(const QJsonValue& value, const std::string& path, char (&field)[N])
    {
        std::string text;
        if (!Text(value, path, text))
            return false;
        if (text.size() > N - 1) {
            return Fail(path, "有 " + std::to_string(text.size()) +
                                  " 个字节（UTF-8），超过了该字段可存放的 " + std::to_string(N - 1) +
                                  " 个字节");
        }
        CopyToField(field, text);
        return true;
    }

    bool Integer(const QJsonValue& value, const std::string& path, int& number)
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

    bool Flag(const QJsonValue& value, const std::string& path, bool& flag)
    {
        if (!value.isBool())
            return Fail(path, "应为 true 或 false，而不是" + Describe(value));
        flag = value.toBool();
        return true;
    }

private:
    static std::string NumberText(double real)
    {
        if (std::isfinite(real) && std::floor(real) == real && std::fabs(real) < 1e18)
            return std::to_string(static_cast<long long>(real));
        return QString::number(real, 'g', 17).toStdString();
    }

    static std::string Describe(const QJsonValue& value)
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

    std::string m_error;
};

/// Line and column (both from 1, the column in characters) of a byte offset.
std::string Position(const QByteArray& json, qsizetype offset)
{
    offset = std::clamp(offset, qsizetype(0), json.size());
    const qsizetype lineStart = offset == 0 ? 0 : json.lastIndexOf('\n', offset - 1) + 1;
    const qsizetype line = json.left(lineStart).count('\n') + 1;
    const qsizetype column = QString::fromUtf8(json.mid(lineStart, offset - lineStart)).size() + 1;
    return "第 " + std::to_string(line) + " 行第 " + std::to_string(column) + " 列";
}

/// JSON's parser keeps only the last of two equal keys in one object, without a word; a
/// file edited by hand may hold both. Finds the first repeated key of a text the parser
/// accepted, with the offset of its second appearance.
bool FindRepeatedKey(const QByteArray& json, std::string& key, qsizetype& offset)
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

/// The settings of `group` as keys of `object`.
void WriteSettings(const CCfgData& cfg, CfgGroup group, CFileWriter& writer, QJsonObject& object)
{
    const std::string path = CCfgFile::GroupKey(group);
    for (const CfgSetting& setting : CfgSettings()) {
        if (setting.group != group)
            continue;
        if (setting.text)
            object.insert(Key(setting.key), writer.Text(cfg.*setting.text, Member(path, setting.key)));
        else
            object.insert(Key(setting.key), cfg.*setting.number);
    }
}

/// The keys of a group's object: its settings, then its lists.
std::vector<const char*> GroupKeys(CfgGroup group, std::initializer_list<const char*> lists)
{
    std::vector<const char*> keys;
    for (const CfgSetting& setting : CfgSettings()) {
        if (setting.group == group)
            keys.push_back(setting.key);
    }
    keys.insert(keys.end(), lists);
    return keys;
}

bool ReadSettings(const QJsonObject& object, CfgGroup group, CFileReader& reader, CCfgData& cfg)
{
    const std::string path = CCfgFile::GroupKey(group);
    for (const CfgSetting& setting : CfgSettings()) {
        if (setting.group != group)
            continue;
        const QJsonValue value = object.value(Key(setting.key));
        const std::string where = Member(path, setting.key);
        if (setting.text ? !reader.Text(value, where, cfg.*setting.text)
                         : !reader.Integer(value, where, cfg.*setting.number))
            return false;
    }
    return true;
}

QJsonObject WriteMiddleware(const CCfgData& cfg, CFileWriter& writer)
{
    QJsonObject object;
    WriteSettings(cfg, CfgGroup::System, writer, object);
    QJsonArray flows;
    for (std::size_t index = 0; index < cfg.IvrFlows.size(); ++index)
        flows.append(
            writer.Text(cfg.IvrFlows[index], Element("middleware.IvrFlows", static_cast<qsizetype>(index))));
    object.insert(Key("IvrFlows"), flows);
    return object;
}

bool ReadMiddleware(const QJsonValue& value, CFileReader& reader, CCfgData& cfg)
{
    QJsonObject object;
    QJsonArray flows;
    if (!reader.Object(value, "middleware", GroupKeys(CfgGroup::System, {"IvrFlows"}), object) ||
        !ReadSettings(object, CfgGroup::System, reader, cfg) ||
        !reader.Array(object.value(Key("IvrFlows")), "middleware.IvrFlows", flows))
        return false;
    cfg.IvrFlows.resize(static_cast<std::size_t>(flows.size()));
    for (qsizetype index = 0; index < flows.size(); ++index) {
        if (!reader.Text(flows.at(index), Element("middleware.IvrFlows", index),
                         cfg.IvrFlows[static_cast<std::size_t>(index)]))
            return false;
    }
    return true;
}

QJsonObject WriteDevice(const CCfgData& cfg, CFileWriter& writer)
{
    QJsonObject object;
    WriteSettings(cfg, CfgGroup::Device, writer, object);
    QJsonArray lines;
    for (const auto& line : cfg.IpoLines) {
        const std::string path = Element("device.IpoLines", lines.size());
        lines.append(QJsonObject{{Key("value"), writer.Text(line->value, Member(path, "value"))},
                                 {Key("name"), writer.Text(line->name, Member(path, "name"))},
                                 {Key("value2"), writer.Text(line->value2, Member(path, "value2"))}});
    }
    object.insert(Key("IpoLines"), lines);
    return object;
}

bool ReadDevice(const QJsonValue& value, CFileReader& reader, CCfgData& cfg)
{
    QJsonObject object;
    QJsonArray lines;
    if (!reader.Object(value, "device", GroupKeys(CfgGroup::Device, {"IpoLines"}), object) ||
        !ReadSettings(object, CfgGroup::Device, reader, cfg) ||
        !reader.Array(object.value(Key("IpoLines")), "device.IpoLines", lines))
        return false;
    for (qsizetype index = 0; index < lines.size(); ++index) {
        const std::string path = Element("device.IpoLines", index);
        QJsonObject fields;
        auto line = std::make_unique<tagIpoLine>();
        if (!reader.Object(lines.at(index), path, {"value", "name", "value2"}, fields) ||
            !reader.Text(fields.value(Key("value")), Member(path, "value"), line->value) ||
            !reader.Text(fields.value(Key("name")), Member(path, "name"), line->name) ||
            !reader.Text(fields.value(Key("value2")), Member(path, "value2"), line->value2))
            return false;
        cfg.IpoLines.AddTail(std::move(line));
    }
    return true;
}

QJsonObject WriteLines(const CCfgData& cfg, CFileWriter& writer)
{
    QJsonArray extens;
    cfg.Extens.ForEach([&extens, &writer](unsigned number, const std::string& password) {
        // The number as the signed id column holds it.
        extens.append(
            QJsonObject{{Key("number"), static_cast<int>(number)},
                        {Key("password"),
                         writer.Text(password, Member(Element("lines.Extens", extens.size()), "password"))}});
    });
    QJsonArray accounts;
    for (const auto& account : cfg.SipAccounts) {
        const std::string path = Element("lines.SipAccounts", accounts.size());
        accounts.append(QJsonObject{
            {Key("id"), account->id},
            {Key("account"), writer.Text(account->account, Member(path, "account"))},
            {Key("auth_account"), writer.Text(account->auth_account, Member(path, "auth_account"))},
            {Key("password"), writer.Text(account->password, Member(path, "password"))},
            {Key("proxy_addr"), writer.Text(account->proxy_addr, Member(path, "proxy_addr"))},
            {Key("proxy_port"), account->proxy_port},
            {Key("reg"), account->reg},
            {Key("reg_interval"), account->reg_interval}});
    }
    QJsonArray items;
    for (const auto& item : cfg.TrunkItems) {
        items.append(QJsonObject{{Key("id"), item->id},
                                 {Key("node"), item->node},
                                 {Key("board"), item->board},
                                 {Key("span"), item->span},
                                 {Key("sip_user"), item->sip_user}});
    }
    QJsonArray matches;
    for (const auto& match : cfg.TrunkMatches) {
        const std::string path = Element("lines.TrunkMatches", matches.size());
        matches.append(QJsonObject{{Key("id"), match->id},
                                   {Key("prefix"), writer.Text(match->prefix, Member(path, "prefix"))},
                                   {Key("caller"), writer.Text(match->caller, Member(path, "caller"))},
                                   {Key("trunk_id"), match->trunk_id},
                                   {Key("priority"), match->priority}});
    }
    return QJsonObject{{Key("Extens"), extens},
                       {Key("SipAccounts"), accounts},
                       {Key("TrunkItems"), items},
                       {Key("TrunkMatches"), matches}};
}

/// Remembers the ids of a list, to refuse one given twice: the table's key would refuse the
/// second row in the middle of the save.
class CIdSet
{
public:
    explicit CIdSet(const char* what) : m_what(what) {}

    bool Add(int id, const std::string& path, CFileReader& reader)
    {
        const auto [found, added] = m_paths.emplace(id, path);
        return added || reader.Fail(path, std::string(m_what) + " " + std::to_string(id) + " 重复（已见于 " +
                                              found->second + "）");
    }

private:
    const char* m_what;
    std::unordered_map<int, std::string> m_paths;
};

bool ReadExtens(const QJsonArray& array, CFileReader& reader, CCfgData& cfg)
{
    ExtenList extens;
    extens.reserve(static_cast<std::size_t>(array.size()));
    CIdSet numbers("分机号");
    for (qsizetype index = 0; index < array.size(); ++index) {
        const std::string path = Element("lines.Extens", index);
        QJsonObject fields;
        int number = 0;
        std::string password;
        if (!reader.Object(array.at(index), path, {"number", "password"}, fields) ||
            !reader.Integer(fields.value(Key("number")), Member(path, "number"), number) ||
            !reader.Text(fields.value(Key("password")), Member(path, "password"), password) ||
            !numbers.Add(number, Member(path, "number"), reader))
            return false;
        extens.emplace_back(static_cast<unsigned>(number), std::move(password));
    }
    SetExtensInOrder(cfg.Extens, extens);
    return true;
}

bool ReadSipAccounts(const QJsonArray& array, CFileReader& reader, CCfgData& cfg)
{
    CIdSet ids("SIP账户ID");
    for (qsizetype index = 0; index < array.size(); ++index) {
        const std::string path = Element("lines.SipAccounts", index);
        QJsonObject f;
        auto account = std::make_unique<tagSIP_ACCOUNT>();
        if (!reader.Object(array.at(index), path,
                           {"id", "account", "auth_account", "password", "proxy_addr", "proxy_port", "reg",
                            "reg_interval"},
                           f) ||
            !reader.Integer(f.value(Key("id")), Member(path, "id"), account->id) ||
            !reader.Chars(f.value(Key("account")), Member(path, "account"), account->account) ||
            !reader.Chars(f.value(Key("auth_account")), Member(path, "auth_account"),
                          account->auth_account) ||
            !reader.Chars(f.value(Key("password")), Member(path, "password"), account->password) ||
            !reader.Chars(f.value(Key("proxy_addr")), Member(path, "proxy_addr"), account->proxy_addr) ||
            !reader.Integer(f.value(Key("proxy_port")), Member(path, "proxy_port"), account->proxy_port) ||
            !reader.Flag(f.value(Key("reg")), Member(path, "reg"), account->reg) ||
            !reader.Integer(f.value(Key("reg_interval")), Member(path, "reg_interval"),
                            account->reg_interval) ||
            !ids.Add(account->id, Member(path, "id"), reader))
            return false;
        cfg.SipAccounts.AddTail(std::move(account));
    }
    return true;
}

bool ReadTrunkItems(const QJsonArray& array, CFileReader& reader, CCfgData& cfg)
{
    CIdSet ids("中继项ID");
    for (qsizetype index = 0; index < array.size(); ++index) {
        const std::string path = Element("lines.TrunkItems", index);
        QJsonObject f;
        auto item = std::make_unique<tagTRUNK_ITEM>();
        if (!reader.Object(array.at(index), path, {"id", "node", "board", "span", "sip_user"}, f) ||
            !reader.Integer(f.value(Key("id")), Member(path, "id"), item->id) ||
            !reader.Integer(f.value(Key("node")), Member(path, "node"), item->node) ||
            !reader.Integer(f.value(Key("board")), Member(path, "board"), item->board) ||
            !reader.Integer(f.value(Key("span")), Member(path, "span"), item->span) ||
            !reader.Integer(f.value(Key("sip_user")), Member(path, "sip_user"), item->sip_user) ||
            !ids.Add(item->id, Member(path, "id"), reader))
            return false;
        cfg.TrunkItems.AddTail(std::move(item));
    }
    return true;
}

bool ReadTrunkMatches(const QJsonArray& array, CFileReader& reader, CCfgData& cfg)
{
    for (qsizetype index = 0; index < array.size(); ++index) {
        const std::string path = Element("lines.TrunkMatches", index);
        QJsonObject f;
        auto match = std::make_unique<tagTRUNK_MATCH>();
        if (!reader.Object(array.at(index), path, {"id", "prefix", "caller", "trunk_id", "priority"}, f) ||
            !reader.Integer(f.value(Key("id")), Member(path, "id"), match->id) ||
            !reader.Chars(f.value(Key("prefix")), Member(path, "prefix"), match->prefix) ||
            !reader.Chars(f.value(Key("caller")), Member(path, "caller"), match->caller) ||
            !reader.Integer(f.value(Key("trunk_id")), Member(path, "trunk_id"), match->trunk_id) ||
            !reader.Integer(f.value(Key("priority")), Member(path, "priority"), match->priority))
            return false;
        cfg.TrunkMatches.AddTail(std::move(match));
    }
    return true;
}

bool ReadLines(const QJsonValue& value, CFileReader& reader, CCfgData& cfg)
{
    QJsonObject object;
    QJsonArray extens, accounts, items, matches;
    return reader.Object(value, "lines", {"Extens", "SipAccounts", "TrunkItems", "TrunkMatches"}, object) &&
           reader.Array(object.value(Key("Extens")), "lines.Extens", extens) &&
           reader.Array(object.value(Key("SipAccounts")), "lines.SipAccounts", accounts) &&
           reader.Array(object.value(Key("TrunkItems")), "lines.TrunkItems", items) &&
           reader.Array(object.value(Key("TrunkMatches")), "lines.TrunkMatches", matches) &&
           ReadExtens(extens, reader, cfg) && ReadSipAccounts(accounts, reader, cfg) &&
           ReadTrunkItems(items, reader, cfg) && ReadTrunkMatches(matches, reader, cfg);
}

} // namespace

const char* const CCfgFile::kFormat = "tarvex-configuration";

const char* CCfgFile::GroupKey(CfgGroup group)
{
    switch (group) {
    case CfgGroup::System:
        return "middleware";
    case CfgGroup::Device:
        return "device";
    case CfgGroup::Lines:
        break;
    }
    return "lines";
}

bool CCfgFile::ToJson(const CCfgData& cfg, QByteArray& json, std::string& error)
{
    CFileWriter writer;
    const QJsonObject root{{Key("format"), Key(kFormat)},
                           {Key("version"), kVersion},
                           {Key(GroupKey(CfgGroup::System)), WriteMiddleware(cfg, writer)},
                           {Key(GroupKey(CfgGroup::Device)), WriteDevice(cfg, writer)},
                           {Key(GroupKey(CfgGroup::Lines)), WriteLines(cfg, writer)}};
    if (!writer.Error().empty()) {
        error = writer.Error();
        return false;
    }
    json = QJsonDocument(root).toJson(QJsonDocument::Indented);
    return true;
}

bool CCfgFile::FromJson(const QByteArray& json, CCfgData& cfg, std::string& error)
{
    QJsonParseError parseError{};
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        error = Position(json, parseError.offset) + "：不是有效的 JSON（" +
                parseError.errorString().toStdString() + "）";
        return false;
    }
    std::string repeated;
    qsizetype offset = 0;
    if (FindRepeatedKey(json, repeated, offset)) {
        error = Position(json, offset) + "：键 \"" + repeated + "\" 在同一对象中出现了两次";
        return false;
    }

    CFileReader reader;
    const QJsonObject root = document.object();
    std::string format;
    int version = 0;
    if (!document.isObject()) {
        error = "文件内容应为一个 JSON 对象";
        return false;
    }
    if (!root.contains(Key("format")) || !reader.Text(root.value(Key("format")), "format", format) ||
        format != kFormat) {
        error = std::string("不是 Tarvex 配置文件（缺少 \"format\": \"") + kFormat + "\"）";
        return false;
    }
    if (!root.contains(Key("version")) || !reader.Integer(root.value(Key("version")), "version", version)) {
        error = reader.Error().empty() ? "缺少格式版本 \"version\"" : reader.Error();
        return false;
    }
    if (version != kVersion) {
        error = "version：文件格式版本 " + std::to_string(version) + " 不受支持（本程序读写版本 " +
                std::to_string(kVersion) + "）";
        return false;
    }

    CCfgData read;
    QJsonObject checked;
    if (!reader.Object(root, "文件", {"format", "version", "middleware", "device", "lines"}, checked) ||
        !ReadMiddleware(root.value(Key("middleware")), reader, read) ||
        !ReadDevice(root.value(Key("device")), reader, read) ||
        !ReadLines(root.value(Key("lines")), reader, read)) {
        error = reader.Error();
        return false;
    }
    cfg = std::move(read);
    return true;
}

bool CCfgFile::Write(const CCfgData& cfg, const QString& path, std::string& error)
{
    QByteArray json;
    if (!ToJson(cfg, json, error))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        !file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner) ||
        file.write(json) != json.size() || !file.commit()) {
        error = "无法写入文件 " + path.toStdString() + "：" + file.errorString().toStdString();
        return false;
    }
    return true;
}

bool CCfgFile::Read(const QString& path, CCfgData& cfg, std::string& error)
{
    const QFileInfo info(path);
    QFile file(path);
    if (!info.exists() || !info.isFile() || !file.open(QIODevice::ReadOnly)) {
        const std::string reason = !info.exists()   ? "文件不存在"
                                   : !info.isFile() ? "不是普通文件"
                                                    : file.errorString().toStdString();
        error = "无法读取文件 " + path.toStdString() + "：" + reason;
        return false;
    }
    if (file.size() > kMaxFileBytes) {
        error =
            "文件 " + path.toStdString() + " 过大（" + std::to_string(file.size()) + " 字节），不是配置文件";
        return false;
    }
    const QByteArray json = file.readAll();
    if (!FromJson(json, cfg, error)) {
        error = "配置文件 " + path.toStdString() + " 无效，" + error;
        return false;
    }
    return true;
}
