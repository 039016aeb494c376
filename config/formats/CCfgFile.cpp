#include "config/formats/CCfgFile.h"

#include "config/catalogue/CfgGroups.h"
#include "config/catalogue/CfgRecordTable.h"
#include "config/catalogue/CfgSettings.h"
#include "config/data/CCfgData.h"
#include "config/formats/CJsonReader.h"
#include "config/formats/CJsonWriter.h"
#include "config/formats/JsonText.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <algorithm>
#include <unordered_map>

namespace {

// A configuration of 100,000 extensions takes a few megabytes; anything this large is not one.
constexpr qint64 kMaxFileBytes = 256LL * 1024 * 1024;

/// The settings of `group` as keys of `object`.
void WriteSettings(const CCfgData& cfg, CfgGroup group, CJsonWriter& writer, QJsonObject& object)
{
    const std::string path = CCfgFile::GroupKey(group);
    for (const CfgSetting& setting : CfgSettings()) {
        if (setting.group != group)
            continue;
        if (setting.kind == SettingKind::Text)
            object.insert(JsonKey(setting.key),
                          writer.Text(cfg.*setting.text, JsonMember(path, setting.key)));
        else
            object.insert(JsonKey(setting.key), cfg.*setting.number);
    }
}

/// The keys of a group's object: its settings, then its list.
std::vector<const char*> GroupKeys(CfgGroup group)
{
    std::vector<const char*> keys;
    for (const CfgSetting& setting : CfgSettings()) {
        if (setting.group == group)
            keys.push_back(setting.key);
    }
    ForEachRecordTable(group, [&keys](const auto& table) { keys.push_back(table.list); });
    return keys;
}

bool ReadSettings(const QJsonObject& object, CfgGroup group, CJsonReader& reader, CCfgData& cfg)
{
    const std::string path = CCfgFile::GroupKey(group);
    for (const CfgSetting& setting : CfgSettings()) {
        if (setting.group != group)
            continue;
        const QJsonValue value = object.value(JsonKey(setting.key));
        const std::string where = JsonMember(path, setting.key);
        if (setting.kind == SettingKind::Text ? !reader.Text(value, where, cfg.*setting.text)
                                              : !reader.Integer(value, where, cfg.*setting.number))
            return false;
    }
    return true;
}

template <class Record>
QJsonArray WriteRecords(const RecordTable<Record>& table, const CCfgData& cfg, const std::string& path,
                        CJsonWriter& writer)
{
    QJsonArray records;
    for (const Record& record : RecordsShown(table, cfg)) {
        const std::string where = JsonElement(path, records.size());
        if (table.bareInFile) {
            records.append(writer.Text(table.fields.front().text(record), where));
            continue;
        }
        QJsonObject object;
        for (const RecordField<Record>& field : table.fields) {
            const QJsonValue value = field.Visit(
                record,
                [&](const std::string& text) { return writer.Text(text, JsonMember(where, field.InFile())); },
                [](int number) { return QJsonValue(number); }, [](bool flag) { return QJsonValue(flag); });
            object.insert(JsonKey(field.InFile()), value);
        }
        records.append(object);
    }
    return records;
}

/// Remembers the ids of a list, to refuse one given twice: the table's key would refuse the
/// second row in the middle of the save.
class CIdSet
{
public:
    explicit CIdSet(const char* what) : m_what(what) {}

    bool Add(int id, const std::string& path, CJsonReader& reader)
    {
        const auto [found, added] = m_paths.emplace(id, path);
        return added || reader.Fail(path, std::string(m_what) + " " + std::to_string(id) + " 重复（已见于 " +
                                              found->second + "）");
    }

private:
    const char* m_what;
    std::unordered_map<int, std::string> m_paths;
};

template <class Record>
bool ReadField(const RecordField<Record>& field, const QJsonValue& value, const std::string& where,
               CJsonReader& reader, Record& record)
{
    return field.Take(
        record,
        [&](std::string& text) {
            if (!reader.Text(value, where, text, field.room))
                return false;
            const auto characters = static_cast<std::size_t>(QString::fromStdString(text).size());
            return field.roomChars == 0 || characters <= field.roomChars ||
                   reader.Fail(where, "有 " + std::to_string(characters) + " 个字符，超过了该字段可存放的 " +
                                          std::to_string(field.roomChars) + " 个字符");
        },
        [&](int& number) { return reader.Integer(value, where, number); },
        [&](bool& flag) { return reader.Flag(value, where, flag); });
}

template <class Record>
bool ReadRecords(const RecordTable<Record>& table, const QJsonValue& value, const std::string& path,
                 CJsonReader& reader, CCfgData& cfg)
{
    QJsonArray array;
    if (!reader.Array(value, path, array))
        return false;
    std::vector<const char*> keys;
    for (const RecordField<Record>& field : table.fields)
        keys.push_back(field.InFile());
    CIdSet ids(table.uniqueId ? table.uniqueId : "");
    const RecordField<Record>* uniqueId = table.uniqueId ? IdField(table) : nullptr;
    std::vector<Record> records;
    records.reserve(static_cast<std::size_t>(array.size()));
    for (qsizetype index = 0; index < array.size(); ++index) {
        const std::string where = JsonElement(path, index);
        Record record{};
        if (table.bareInFile) {
            if (!ReadField(table.fields.front(), array.at(index), where, reader, record))
                return false;
            records.push_back(std::move(record));
            continue;
        }
        QJsonObject object;
        if (!reader.Object(array.at(index), where, keys, object))
            return false;
        for (const RecordField<Record>& field : table.fields) {
            const std::string at = JsonMember(where, field.InFile());
            if (!ReadField(field, object.value(JsonKey(field.InFile())), at, reader, record))
                return false;
            if (&field == uniqueId && !ids.Add(record.*field.number, at, reader))
                return false;
        }
        records.push_back(std::move(record));
    }
    table.records.assign(cfg, std::move(records));
    return true;
}

/// A group's object: its settings, then its lists.
QJsonObject WriteGroup(CfgGroup group, const CCfgData& cfg, CJsonWriter& writer)
{
    QJsonObject object;
    WriteSettings(cfg, group, writer, object);
    const std::string path = CCfgFile::GroupKey(group);
    ForEachRecordTable(group, [&](const auto& table) {
        object.insert(JsonKey(table.list), WriteRecords(table, cfg, JsonMember(path, table.list), writer));
    });
    return object;
}

bool ReadGroup(CfgGroup group, const QJsonValue& value, CJsonReader& reader, CCfgData& cfg)
{
    const char* path = CCfgFile::GroupKey(group);
    std::vector<const char*> keys = GroupKeys(group);
    QJsonObject object;
    if (!reader.Object(value, path, keys, object) || !ReadSettings(object, group, reader, cfg))
        return false;
    bool read = true;
    ForEachRecordTable(group, [&](const auto& table) {
        read = read && ReadRecords(table, object.value(JsonKey(table.list)), JsonMember(path, table.list),
                                   reader, cfg);
    });
    return read;
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
    CJsonWriter writer;
    const QJsonObject root{{JsonKey("format"), JsonKey(kFormat)},
                           {JsonKey("version"), kVersion},
                           {JsonKey(GroupKey(CfgGroup::System)), WriteGroup(CfgGroup::System, cfg, writer)},
                           {JsonKey(GroupKey(CfgGroup::Device)), WriteGroup(CfgGroup::Device, cfg, writer)},
                           {JsonKey(GroupKey(CfgGroup::Lines)), WriteGroup(CfgGroup::Lines, cfg, writer)}};
    if (!writer.Error().empty()) {
        error = writer.Error();
        return false;
    }
    json = QJsonDocument(root).toJson(QJsonDocument::Indented);
    return true;
}

bool CCfgFile::BackupToJson(const CCfgData& cfg, const CfgBackupHeader& header, QByteArray& json,
                            std::string& error)
{
    CJsonWriter writer;
    QJsonObject root{{JsonKey("format"), JsonKey(kFormat)},
                     {JsonKey("version"), kVersion},
                     {JsonKey("backup"), QJsonObject{{JsonKey("dataSource"),
                                                      writer.Text(header.dataSource, "backup.dataSource")},
                                                     {JsonKey("time"), JsonKey(header.time.c_str())},
                                                     {JsonKey("group"), JsonKey(GroupKey(header.group))}}}};
    root.insert(JsonKey(GroupKey(header.group)), WriteGroup(header.group, cfg, writer));
    if (!writer.Error().empty()) {
        error = writer.Error();
        return false;
    }
    json = QJsonDocument(root).toJson(QJsonDocument::Indented);
    return true;
}

bool CCfgFile::FromJson(const QByteArray& json, CCfgData& cfg, std::string& error, CfgFileContents* contents)
{
    QJsonParseError parseError{};
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        error = JsonPosition(json, parseError.offset) + "：不是有效的 JSON（" +
                parseError.errorString().toStdString() + "）";
        return false;
    }
    std::string repeated;
    qsizetype offset = 0;
    if (FindRepeatedJsonKey(json, repeated, offset)) {
        error = JsonPosition(json, offset) + "：键 \"" + repeated + "\" 在同一对象中出现了两次";
        return false;
    }

    CJsonReader reader;
    const QJsonObject root = document.object();
    std::string format;
    int version = 0;
    if (!document.isObject()) {
        error = "文件内容应为一个 JSON 对象";
        return false;
    }
    if (!root.contains(JsonKey("format")) || !reader.Text(root.value(JsonKey("format")), "format", format) ||
        format != kFormat) {
        error = std::string("不是 Tarvex 配置文件（缺少 \"format\": \"") + kFormat + "\"）";
        return false;
    }
    if (!root.contains(JsonKey("version")) ||
        !reader.Integer(root.value(JsonKey("version")), "version", version)) {
        error = reader.Error().empty() ? "缺少格式版本 \"version\"" : reader.Error();
        return false;
    }
    if (version != kVersion) {
        error = "version：文件格式版本 " + std::to_string(version) + " 不受支持（本程序读写版本 " +
                std::to_string(kVersion) + "）";
        return false;
    }

    CfgFileContents held;
    std::vector<const char*> keys = {"format", "version"};
    if (root.contains(JsonKey("backup"))) {
        // A backup holds the one group its header names.
        QJsonObject header;
        CfgBackupHeader backup;
        std::string group;
        if (!reader.Object(root.value(JsonKey("backup")), "backup", {"dataSource", "time", "group"},
                           header) ||
            !reader.Text(header.value(JsonKey("dataSource")), "backup.dataSource", backup.dataSource) ||
            !reader.Text(header.value(JsonKey("time")), "backup.time", backup.time) ||
            !reader.Text(header.value(JsonKey("group")), "backup.group", group)) {
            error = reader.Error();
            return false;
        }
        const auto named = std::find_if(kCfgGroups.begin(), kCfgGroups.end(),
                                        [&group](CfgGroup each) { return group == GroupKey(each); });
        if (named == kCfgGroups.end()) {
            error = "backup.group：\"" + group + "\" 不是配置组（应为 middleware、device 或 lines）";
            return false;
        }
        backup.group = *named;
        held.groups = {backup.group};
        held.backup = backup;
        keys.push_back("backup");
    } else {
        held.groups.assign(kCfgGroups.begin(), kCfgGroups.end());
    }
    for (CfgGroup group : held.groups)
        keys.push_back(GroupKey(group));

    CCfgData read;
    QJsonObject checked;
    if (!reader.Object(root, "文件", keys, checked)) {
        error = reader.Error();
        return false;
    }
    for (CfgGroup group : held.groups) {
        const QJsonValue value = root.value(JsonKey(GroupKey(group)));
        if (!ReadGroup(group, value, reader, read)) {
            error = reader.Error();
            return false;
        }
    }
    cfg = std::move(read);
    if (contents)
        *contents = std::move(held);
    return true;
}

bool CCfgFile::Write(const CCfgData& cfg, const QString& path, std::string& error)
{
    QByteArray json;
    return ToJson(cfg, json, error) && WriteBytes(json, path, error);
}

bool CCfgFile::WriteBytes(const QByteArray& json, const QString& path, std::string& error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        !file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner) ||
        file.write(json) != json.size() || !file.commit()) {
        error = "无法写入文件 " + path.toStdString() + "：" + file.errorString().toStdString();
        return false;
    }
    return true;
}

bool CCfgFile::Read(const QString& path, CCfgData& cfg, std::string& error, CfgFileContents* contents)
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
    if (!FromJson(json, cfg, error, contents)) {
        error = "配置文件 " + path.toStdString() + " 无效，" + error;
        return false;
    }
    return true;
}
