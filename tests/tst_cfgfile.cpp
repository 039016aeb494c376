// Configuration files: the file format and its round trips, the strict reading of a file,
// the comparison of two stores, and the import of a file into the private test server.
#include "config/catalogue/CfgGroups.h"
#include "config/data/CCfgData.h"
#include "config/database/CCfgDb.h"
#include "config/document/CCfgChanges.h"
#include "config/document/CCfgDocument.h"
#include "config/document/CfgLoadReport.h"
#include "config/formats/CCfgFile.h"
#include "config/sessions/CCfgFileSession.h"
#include "support/ConfigTables.h"
#include "support/SampleConfig.h"
#include "support/ServerLog.h"
#include "support/TestDatabase.h"
#include "support/TestFiles.h"
#include "support/TestSettings.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <climits>
#include <set>

namespace {

using Texts = std::vector<std::string>;

QByteArray Json(const CCfgData& cfg)
{
    QByteArray json;
    std::string error;
    if (!CCfgFile::ToJson(cfg, json, error))
        qWarning("%s", error.c_str());
    return json;
}

/// `node` with the value at `path` ("lines/SipAccounts/0/reg") replaced by `value` (JSON; at
/// the index just past an array's end, appended), or
/// removed (`<remove>`), reversed (`<reversed>`, an array), or with a copy of its first
/// element appended (`<append first>`, an array).
/// An import of the file at `path` as the window and the command line run it: the file, the
/// database read afresh, the statements of every differing group built, then written.
bool ImportFile(const QString& path, std::vector<CfgGroup>& written, std::string& error)
{
    CCfgFileSession session(*IOtlConnection::getInstance());
    if (!session.ReadFile(path, error) || !session.ReadDatabase(error))
        return false;
    bool declined = false;
    return session.Prepare(session.Compare(), error) &&
           session.Write(*GetCfgDocument(), nullptr, written, declined, error);
}

/// The same, of a file holding `json`.
bool ImportJson(const QByteArray& json, std::vector<CfgGroup>& written, std::string& error)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("site.json"));
    return WriteBytes(path, json) && ImportFile(path, written, error);
}

QJsonValue Edited(const QJsonValue& node, QStringList path, const QString& value)
{
    if (path.isEmpty()) {
        if (value == QStringLiteral("<reversed>") || value == QStringLiteral("<append first>")) {
            QJsonArray array = node.toArray();
            if (value == QStringLiteral("<append first>")) {
                array.append(array.first());
                return array;
            }
            QJsonArray reversed;
            for (qsizetype index = array.size() - 1; index >= 0; --index)
                reversed.append(array.at(index));
            return reversed;
        }
        return QJsonDocument::fromJson("[" + value.toUtf8() + "]").array().first();
    }
    const QString head = path.takeFirst();
    const bool remove = path.isEmpty() && value == QStringLiteral("<remove>");
    if (node.isArray()) {
        QJsonArray array = node.toArray();
        const qsizetype index = head.toInt();
        if (remove)
            array.removeAt(index);
        else if (index == array.size())
            array.append(Edited(QJsonValue(), path, value));
        else
            array[index] = Edited(array.at(index), path, value);
        return array;
    }
    QJsonObject object = node.toObject();
    if (remove)
        object.remove(head);
    else
        object[head] = Edited(object.value(head), path, value);
    return object;
}

/// The file of `cfg` with each "path=value" of `edits` applied.
QByteArray EditedJson(const CCfgData& cfg, const QStringList& edits)
{
    QJsonValue root = QJsonDocument::fromJson(Json(cfg)).object();
    for (const QString& edit : edits) {
        const qsizetype equals = edit.indexOf(QLatin1Char('='));
        root = Edited(root, edit.left(equals).split(QLatin1Char('/')), edit.mid(equals + 1));
    }
    return QJsonDocument(root.toObject()).toJson();
}

std::string FirstOf(const Texts& texts)
{
    return texts.empty() ? std::string() : texts.front();
}

} // namespace

class TestCfgFile : public QObject
{
    Q_OBJECT

    // Saves leave backups in the user's data folder: a test's own.
    TestSettings m_userData;

private Q_SLOTS:
    void initTestCase() { QVERIFY(TestDatabase::Connect()); }

    void cleanup()
    {
        ServerLog::Stop();
        QVERIFY(TestDatabase::Connect());
    }

    void roundTripThroughTheServer_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("quotes") << QByteArray("it's \"quoted\"");
        QTest::newRow("windows path") << QByteArray("D:\\Tarvex\\Record\\");
        QTest::newRow("backslash before quote") << QByteArray("a\\'b\\\"c");
        QTest::newRow("printf and LIKE signs") << QByteArray("100% %s %d _");
        QTest::newRow("chinese") << QByteArray("中间件配置");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("statement inside") << QByteArray("'); DROP TABLE conf_dev; --");
        QTest::newRow("blanks, tab and line break") << QByteArray(" a\tb\nc ");
        QTest::newRow("JSON inside") << QByteArray("{\"a\": [1, \"\\u0041\"]}");
    }

    void roundTripThroughTheServer()
    {
        QFETCH(QByteArray, text);
        const std::string value = text.toStdString();
        CCfgData original;
        SampleConfig::Fill(original, value);
        QVERIFY(SampleConfig::PutOnServer(original));
        const CCfgData& loaded = *GetCfgData();

        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("site.json"));
        std::string error;
        QVERIFY2(CCfgFile::Write(loaded, path, error), error.c_str());
        const QByteArray exported = FileBytes(path);
        CCfgData read;
        QVERIFY2(CCfgFile::Read(path, read, error), error.c_str());
        QVERIFY(CCfgChanges::Compare(loaded, read).IsEmpty());
        QCOMPARE(Json(read), exported);
        // The texts are in the file as stored, not cut or changed on the way.
        QCOMPARE(read.CtiAddr, value);
        QCOMPARE(read.FsPCallContext, value);
        QCOMPARE(read.IvrFlows, (Texts{value, value + "2", value + "3", value}));
        std::string password;
        QVERIFY(read.Extens.Lookup(8002, password));
        QCOMPARE(password, value + "2");
        QVERIFY(read.Extens.Lookup(-5, password));
        QCOMPARE(std::string(read.SipAccounts.begin()->get()->account),
                 std::string(loaded.SipAccounts.begin()->get()->account));

        // Onto an empty database and back out: the same file, byte for byte.
        QVERIFY(ConfigTables::CreateEmpty());
        SampleConfig::LoadStore();
        const CCfgChanges changes = CCfgChanges::Compare(*GetCfgData(), read);
        QCOMPARE(changes.DifferingGroups(), (std::vector<CfgGroup>(kCfgGroups.begin(), kCfgGroups.end())));
        std::vector<CfgGroup> written;
        QVERIFY2(ImportFile(path, written, error), error.c_str());
        QCOMPARE(written, changes.DifferingGroups());
        SampleConfig::LoadStore();
        QCOMPARE(Json(*GetCfgData()), exported);
    }

    void roundTripOfTheStoreItself()
    {
        // Texts and numbers the tables cannot all hold still come back from the file as they were.
        CCfgData cfg;
        SampleConfig::Fill(cfg, "smile \xF0\x9F\x98\x80 \x7F");
        // Another tool may have stored a NUL: JSON carries it as \u0000.
        cfg.IvrFlows[1] = std::string("a\0b", 3);
        cfg.Extens.SetAt(8002, std::string("\0pw\0", 4));
        cfg.McAddr = std::string("\0", 1);
        cfg.RecType = INT_MIN;
        cfg.Extens.SetAt(INT_MIN, "lowest id");
        cfg.Extens.SetAt(-1, "-1");
        // 8001 and 8018 share a bucket, the newer enumerated first: the file lists them by number.
        cfg.Extens.SetAt(8018, "newer");
        auto item = std::make_unique<tagTRUNK_ITEM>();
        *item = {INT_MAX, INT_MIN, 0, -1, INT_MAX};
        cfg.TrunkItems.AddTail(std::move(item));
        cfg.TrunkMatches.begin()->get()->id = 40; // ids other than the table's own numbering

        const QByteArray json = Json(cfg);
        CCfgData read;
        std::string error;
        QVERIFY2(CCfgFile::FromJson(json, read, error), error.c_str());
        QCOMPARE(Json(read), json);
        std::vector<int> numbers;
        for (const QJsonValue& exten : QJsonDocument::fromJson(json)
                                           .object()[QStringLiteral("lines")]
                                           .toObject()[QStringLiteral("Extens")]
                                           .toArray())
            numbers.push_back(exten.toObject()[QStringLiteral("number")].toInt());
        QVERIFY(numbers.size() > 4 && std::is_sorted(numbers.begin(), numbers.end()));
        QVERIFY(CCfgChanges::Compare(cfg, read).IsEmpty());
        QCOMPARE(read.TrunkMatches.begin()->get()->id, 40);
        QCOMPARE(read.RecType, INT_MIN);
        QVERIFY(json.contains("\"number\": -2147483648") && json.contains("\"number\": -1,"));
        QVERIFY(json.contains("\"a\\u0000b\""));
        QCOMPARE(read.IvrFlows[1], cfg.IvrFlows[1]);
        QCOMPARE(read.McAddr, cfg.McAddr);
    }

    void fileIsReadableByItsOwnerOnlyAndReplacedWhole()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("site.json"));
        QVERIFY(WriteBytes(path, "old"));
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                                QFile::ReadOther));
        CCfgData cfg;
        SampleConfig::Fill(cfg, "pw");
        const QByteArray exported = Json(cfg);
        std::string error;
        QVERIFY2(CCfgFile::Write(cfg, path, error), error.c_str());
        const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                          QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
        QCOMPARE(QFile::permissions(path) & others, QFile::Permissions());
        QCOMPARE(FileBytes(path), exported);

        // A text that would not read back the same stops the export; the file stays as it was.
        cfg.DevLinkPwd = "\xFF\xFE";
        QVERIFY(!CCfgFile::Write(cfg, path, error));
        QVERIFY2(error.find("device.DevLinkPwd") != std::string::npos &&
                     error.find("UTF-8") != std::string::npos,
                 error.c_str());
        QCOMPARE(FileBytes(path), exported);

        cfg.DevLinkPwd = "pw";
        const QString unwritable = folder.filePath(QStringLiteral("missing/site.json"));
        QVERIFY(!CCfgFile::Write(cfg, unwritable, error));
        QVERIFY2(error.find("missing/site.json") != std::string::npos, error.c_str());
        QVERIFY(!QFile::exists(unwritable));
    }

    void refusedFiles_data()
    {
        QTest::addColumn<QStringList>("edits");
        QTest::addColumn<QByteArray>("rawFrom");
        QTest::addColumn<QByteArray>("rawTo");
        QTest::addColumn<bool>("refusedByColumns"); // by the database's columns, not by reading
        QTest::addColumn<QStringList>("said");
        const QStringList none;
        auto row = [](const char* name, const QStringList& edits, const QStringList& said) {
            QTest::newRow(name) << edits << QByteArray() << QByteArray() << false << said;
        };
        auto raw = [none](const char* name, const QByteArray& from, const QByteArray& to,
                          const QStringList& said) {
            QTest::newRow(name) << none << from << to << false << said;
        };
        auto columns = [](const char* name, const QStringList& edits, const QStringList& said) {
            QTest::newRow(name) << edits << QByteArray() << QByteArray() << true << said;
        };
        const QString tooLong = QStringLiteral("\"") + QString(301, QLatin1Char('x')) + QStringLiteral("\"");

        raw("cut short", "\"lines\"", "\"lines\" [",
            {QStringLiteral("行"), QStringLiteral("不是有效的 JSON")});
        raw("trailing text", "\n}\n", "\n} x\n", {QStringLiteral("不是有效的 JSON")});
        raw("not an object", "<all>", "[1, 2]\n", {QStringLiteral("JSON 对象")});
        raw("key given twice", "\"CtiPort\"", "\"CtiAddr\": \"twice\",\n        \"CtiPort\"",
            {QStringLiteral("CtiAddr"), QStringLiteral("两次"), QStringLiteral("行")});
        raw("key given twice, spelled with an escape", "\"CtiPort\"",
            "\"\\u0043tiAddr\": \"twice\", \"CtiPort\"", {QStringLiteral("CtiAddr"), QStringLiteral("两次")});
        raw("lone surrogate", "\"McAddr\": \"", "\"McAddr\": \"\\ud800",
            {QStringLiteral("device.McAddr"), QStringLiteral("代理项")});
        raw("NUL character in a fixed field", "\"account\": \"", "\"account\": \"\\u0000",
            {QStringLiteral("lines.SipAccounts[0].account"), QStringLiteral("空字符")});
        row("another format", {QStringLiteral("format=\"backup\"")},
            {QStringLiteral("不是 Tarvex 配置文件")});
        row("no version", {QStringLiteral("version=<remove>")}, {QStringLiteral("version")});
        row("unknown version", {QStringLiteral("version=2")},
            {QStringLiteral("version"), QStringLiteral("版本 2 不受支持")});
        row("version as text", {QStringLiteral("version=\"1\"")},
            {QStringLiteral("version"), QStringLiteral("应为整数")});
        row("missing group", {QStringLiteral("device=<remove>")}, {QStringLiteral("缺少键 \"device\"")});
        const auto backup = [](const char* group) {
            return QStringLiteral("backup={\"dataSource\": \"site\", \"time\": \"2026-12-10T17:06:00.000\", "
                                  "\"group\": \"%1\"}")
                .arg(QString::fromLatin1(group));
        };
        row("backup holding more than its group", {backup("lines")}, {QStringLiteral("未知的键")});
        row("backup without its group",
            {backup("device"), QStringLiteral("device=<remove>"), QStringLiteral("lines=<remove>")},
            {QStringLiteral("缺少键 \"device\"")});
        row("backup of no group",
            {backup("all"), QStringLiteral("device=<remove>"), QStringLiteral("lines=<remove>")},
            {QStringLiteral("backup.group"), QStringLiteral("不是配置组")});
        row("unknown top key", {QStringLiteral("comment=\"x\"")}, {QStringLiteral("未知的键 \"comment\"")});
        row("missing setting", {QStringLiteral("middleware/CtiAddr=<remove>")},
            {QStringLiteral("middleware"), QStringLiteral("缺少键 \"CtiAddr\"")});
        row("misspelt setting", {QStringLiteral("device/ScAdr=\"x\"")},
            {QStringLiteral("device"), QStringLiteral("未知的键 \"ScAdr\"")});
        row("number where text belongs", {QStringLiteral("middleware/CtiPort=8811")},
            {QStringLiteral("middleware.CtiPort"), QStringLiteral("应为文本"), QStringLiteral("8811")});
        row("text where a number belongs", {QStringLiteral("middleware/DevType=\"1\"")},
            {QStringLiteral("middleware.DevType"), QStringLiteral("应为整数")});
        row("fraction", {QStringLiteral("lines/TrunkItems/1/node=1.5")},
            {QStringLiteral("lines.TrunkItems[1].node"), QStringLiteral("1.5")});
        row("beyond int", {QStringLiteral("lines/SipAccounts/0/proxy_port=2147483648")},
            {QStringLiteral("lines.SipAccounts[0].proxy_port"), QStringLiteral("超出了整数的范围")});
        row("extension number beyond the id column", {QStringLiteral("lines/Extens/0/number=2147483648")},
            {QStringLiteral("lines.Extens[0].number"), QStringLiteral("超出了整数的范围")});
        row("flag as text", {QStringLiteral("lines/SipAccounts/0/reg=\"true\"")},
            {QStringLiteral("lines.SipAccounts[0].reg"), QStringLiteral("true 或 false")});
        row("null", {QStringLiteral("device/IpoLines/0/value2=null")},
            {QStringLiteral("device.IpoLines[0].value2"), QStringLiteral("null")});
        row("list as text", {QStringLiteral("middleware/IvrFlows=\"a.xml\"")},
            {QStringLiteral("middleware.IvrFlows"), QStringLiteral("应为数组")});
        row("record as text", {QStringLiteral("lines/TrunkMatches/1=\"9\"")},
            {QStringLiteral("lines.TrunkMatches[1]"), QStringLiteral("应为对象")});
        row("record field missing", {QStringLiteral("lines/TrunkMatches/0/priority=<remove>")},
            {QStringLiteral("lines.TrunkMatches[0]"), QStringLiteral("缺少键 \"priority\"")});
        row("account longer than its field",
            {QStringLiteral("lines/SipAccounts/1/account=\"") + QString(50, QLatin1Char('a')) +
             QStringLiteral("\"")},
            {QStringLiteral("lines.SipAccounts[1].account"), QStringLiteral("50 个字节"),
             QStringLiteral("49 个字节")});
        row("chinese prefix longer than its field",
            {QStringLiteral("lines/TrunkMatches/1/prefix=\"九零一\"")},
            {QStringLiteral("lines.TrunkMatches[1].prefix"), QStringLiteral("9 个字节"),
             QStringLiteral("7 个字节")});
        // The column's room, in characters, whatever the bytes.
        row("extension password longer than its column",
            {QStringLiteral("lines/Extens/1/password=\"") + QString(101, QChar(0x5BC6)) +
             QStringLiteral("\"")},
            {QStringLiteral("lines.Extens[1].password"), QStringLiteral("101 个字符"),
             QStringLiteral("100 个字符")});
        row("extension given twice", {QStringLiteral("lines/Extens=<append first>")},
            {QStringLiteral("lines.Extens[4].number"), QStringLiteral("重复"),
             QStringLiteral("lines.Extens[0].number")});
        row("SIP account id given twice", {QStringLiteral("lines/SipAccounts=<append first>")},
            {QStringLiteral("lines.SipAccounts[2].id"), QStringLiteral("重复")});
        row("trunk item id given twice", {QStringLiteral("lines/TrunkItems=<append first>")},
            {QStringLiteral("lines.TrunkItems[2].id"), QStringLiteral("重复")});
        columns("setting longer than its column", {QStringLiteral("middleware/CtiAddr=") + tooLong},
                {QStringLiteral("设置 CtiAddr 的值"), QStringLiteral("301"), QStringLiteral("300")});
        columns(
            "character the column cannot hold", {QStringLiteral("device/IpoLines/0/value2=\"😀\"")},
            {QStringLiteral("IPO线路第 1 项（线路号 base）的关联VS线路"), QStringLiteral("conf_vs.value2")});
        // The middleware differs and fits, but nothing is written while the lines do not fit.
        columns(
            "a later group does not fit",
            {QStringLiteral("middleware/CtiAddr=\"new\""), QStringLiteral("lines/Extens/1/password=\"😀\"")},
            {QStringLiteral("分机 8001 的接入密码"), QStringLiteral("conf_line.value")});
    }

    void refusedFiles()
    {
        QFETCH(QStringList, edits);
        QFETCH(QByteArray, rawFrom);
        QFETCH(QByteArray, rawTo);
        QFETCH(bool, refusedByColumns);
        QFETCH(QStringList, said);
        CCfgData base;
        SampleConfig::Fill(base, "base");
        QVERIFY(SampleConfig::PutOnServer(base));
        QByteArray json = EditedJson(*GetCfgData(), edits);
        if (rawFrom == "<all>") {
            json = rawTo;
        } else if (!rawFrom.isEmpty()) {
            QVERIFY(json.contains(rawFrom));
            json.replace(json.indexOf(rawFrom), rawFrom.size(), rawTo);
        }
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("site.json"));
        QVERIFY(WriteBytes(path, json));

        QVERIFY(ServerLog::Start());
        CCfgData read;
        SampleConfig::Fill(read, "untouched");
        const QByteArray untouched = Json(read);
        std::string error;
        const bool readable = CCfgFile::Read(path, read, error);
        std::vector<CfgGroup> written;
        if (readable) {
            QVERIFY(!CCfgChanges::Compare(*GetCfgData(), read).IsEmpty());
            QVERIFY(!ImportFile(path, written, error));
        } else {
            // A file refused while reading leaves the store it was to fill as it was.
            QCOMPARE(Json(read), untouched);
        }
        const Texts writes = ServerLog::Writes(ServerLog::Statements());
        QVERIFY(ServerLog::Stop());

        QCOMPARE(readable, refusedByColumns);
        const QString message = QString::fromStdString(error);
        for (const QString& part : said)
            QVERIFY2(message.contains(part), qPrintable(message + QStringLiteral(" lacks ") + part));
        if (!readable)
            QVERIFY2(message.contains(path), qPrintable(message));
        QVERIFY(written.empty());
        QVERIFY2(writes.empty(), FirstOf(writes).c_str());
    }

    void changes_data()
    {
        QTest::addColumn<QStringList>("edits");
        QTest::addColumn<QStringList>("lines"); // middleware, device, lines, in that order
        QTest::addColumn<QString>("hidden");    // what must not be shown
        auto row = [](const char* name, const QStringList& edits, const QStringList& lines,
                      const QString& hidden = {}) { QTest::newRow(name) << edits << lines << hidden; };
        row("nothing", {}, {});
        row("text setting", {QStringLiteral("middleware/CtiAddr=\"a \\\"b\\\"\"")},
            {QStringLiteral("CTI地址：\"base\" -> \"a \\\"b\\\"\"")});
        row("emptied setting", {QStringLiteral("device/ScPort=\"\"")},
            {QStringLiteral("毅航监听端口：\"base\" -> \"\"")});
        row("integer setting", {QStringLiteral("middleware/DevType=0")},
            {QStringLiteral("设备类型：2（FreeSWITCH） -> 0（IPO500V2）")});
        row("password setting", {QStringLiteral("device/FsEslPwd=\"hunter2\"")},
            {QStringLiteral("FreeSWITCH接入口令：已更改（不显示）")}, QStringLiteral("hunter2"));
        row("flow added",
            {QStringLiteral("middleware/IvrFlows=[\"base\", \"base2\", \"base3\", \"base\", \"new.xml\"]")},
            {QStringLiteral("IVR流程文件 \"new.xml\"：新增")});
        row("second of two equal flows removed", {QStringLiteral("middleware/IvrFlows/3=<remove>")},
            {QStringLiteral("IVR流程文件 \"base\"（第 2 个）：删除")});
        row("flows in another order", {QStringLiteral("middleware/IvrFlows=<reversed>")},
            {QStringLiteral("IVR流程文件：顺序改变")});
        row("IPO line changed", {QStringLiteral("device/IpoLines/0/value2=\"9\"")},
            {QStringLiteral("IPO线路 线路号 \"base\"，线路类型 \"EXT\"：关联VS线路 \"base\" -> \"9\"")});
        row("IPO line of another type", {QStringLiteral("device/IpoLines/0/name=\"IVR\"")},
            {QStringLiteral("IPO线路 线路号 \"base\"，线路类型 \"IVR\"：新增 关联VS线路 \"base\""),
             QStringLiteral("IPO线路 线路号 \"base\"，线路类型 \"EXT\"：删除 关联VS线路 \"base\"")});
        row("extension added",
            {QStringLiteral("lines/Extens/4={\"number\": 9001, \"password\": \"s3cret\"}")},
            {QStringLiteral("分机 9001：新增")}, QStringLiteral("s3cret"));
        row("extension password and one removed",
            {QStringLiteral("lines/Extens=[{\"number\": 8002, \"password\": \"s3cret\"}, {\"number\": -5, "
                            "\"password\": \"\"}, "
                            "{\"number\": 8018, \"password\": \"base18\"}]")},
            {QStringLiteral("分机 8002：接入密码已更改（不显示）"), QStringLiteral("分机 8001：删除")},
            QStringLiteral("s3cret"));
        row("extensions in another order", {QStringLiteral("lines/Extens=<reversed>")}, {});
        row("the lowest extension removed", {QStringLiteral("lines/Extens/0=<remove>")},
            {QStringLiteral("分机 -5：删除")});
        row("SIP account fields",
            {QStringLiteral("lines/SipAccounts/0/account=\"other\""),
             QStringLiteral("lines/SipAccounts/0/reg=false")},
            {QStringLiteral("SIP账户 1：账户 \"base\" -> \"other\"，是否注册 是 -> 否")});
        row("SIP password", {QStringLiteral("lines/SipAccounts/1/password=\"s3cret\"")},
            {QStringLiteral("SIP账户 2：密码已更改（不显示）")}, QStringLiteral("s3cret"));
        row("SIP accounts in another order", {QStringLiteral("lines/SipAccounts=<reversed>")}, {});
        row("trunk item removed", {QStringLiteral("lines/TrunkItems/1=<remove>")},
            {QStringLiteral("中继项 2：删除 设备节点 -1，设备板号 -1，数字中继口 -1，SIP账号ID 1")});
        row("trunk match priority", {QStringLiteral("lines/TrunkMatches/0/priority=5")},
            {QStringLiteral("中继匹配 字冠 \"base\"，透传号码 \"base\"，中继项ID 2：优先级 -3 -> 5")});
        row("trunk match ids only",
            {QStringLiteral("lines/TrunkMatches/0/id=40"), QStringLiteral("lines/TrunkMatches/1/id=41")}, {});
        row("trunk matches in another order", {QStringLiteral("lines/TrunkMatches=<reversed>")},
            {QStringLiteral("中继匹配：顺序改变")});
        row("every group",
            {QStringLiteral("lines/TrunkItems/0/span=3"), QStringLiteral("device/McPort=\"1\""),
             QStringLiteral("middleware/TtsType=0")},
            {QStringLiteral("TTS类型：3（IBM） -> 0（不启用TTS）"),
             QStringLiteral("毅航MC端口：\"base\" -> \"1\""), QStringLiteral("中继项 1：数字中继口 2 -> 3")});
    }

    void changes()
    {
        QFETCH(QStringList, edits);
        QFETCH(QStringList, lines);
        QFETCH(QString, hidden);
        CCfgData base;
        SampleConfig::Fill(base, "base");
        CCfgData incoming;
        std::string error;
        QVERIFY2(CCfgFile::FromJson(EditedJson(base, edits), incoming, error), error.c_str());

        const CCfgChanges changes = CCfgChanges::Compare(base, incoming);
        QStringList shown;
        for (CfgGroup group : kCfgGroups) {
            for (const std::string& line : changes.Lines(group))
                shown << QString::fromStdString(line);
        }
        QCOMPARE(shown, lines);
        QCOMPARE(changes.IsEmpty(), lines.isEmpty());
        const QString text = QString::fromStdString(changes.ToText());
        if (!hidden.isEmpty())
            QVERIFY2(!text.contains(hidden), qPrintable(text));
    }

    // Whatever order the stores enumerate them in, the viewer goes through the extensions by
    // number: those of the file first, then those it no longer has.
    void extensionChangesByNumber()
    {
        CCfgData current;
        CCfgData incoming;
        for (int number : {9004, 8007, 8001, 19992, 8003})
            current.Extens.SetAt(number, "pw");
        for (int number : {19975, 9004, 8004, 8001})
            incoming.Extens.SetAt(number, number == 8001 ? "changed" : "pw");
        const CCfgChanges changes = CCfgChanges::Compare(current, incoming);
        QStringList shown;
        for (const std::string& line : changes.Lines(CfgGroup::Lines))
            shown << QString::fromStdString(line).section(QStringLiteral("："), 0, 0);
        QCOMPARE(shown, (QStringList{QStringLiteral("分机 8001"), QStringLiteral("分机 8004"),
                                     QStringLiteral("分机 19975"), QStringLiteral("分机 8003"),
                                     QStringLiteral("分机 8007"), QStringLiteral("分机 19992")}));
    }

    void changesAsText()
    {
        CCfgData base;
        SampleConfig::Fill(base, "base");
        CCfgData incoming;
        std::string error;
        QVERIFY(CCfgFile::FromJson(EditedJson(base, {QStringLiteral("device/McAddr=\"10.0.0.9\""),
                                                     QStringLiteral("device/IpoLines/1/value2=\"7\"")}),
                                   incoming, error));
        const CCfgChanges changes = CCfgChanges::Compare(base, incoming);
        QCOMPARE(changes.DifferingGroups(), std::vector<CfgGroup>{CfgGroup::Device});
        QCOMPARE(changes.ToText(),
                 std::string("中间件配置：无变化\n"
                             "设备配置：\n"
                             "  毅航MC地址：\"base\" -> \"10.0.0.9\"\n"
                             "  IPO线路 线路号 \"1\"，线路类型 \"DT\"：关联VS线路 \"\" -> \"7\"\n"
                             "线路配置：无变化\n"));
    }

    void importWritesOnlyTheGroupsThatDiffer_data()
    {
        QTest::addColumn<QStringList>("edits");
        QTest::addColumn<QStringList>("tables");
        const QStringList sys = {QStringLiteral("conf_ivr_flow"), QStringLiteral("conf_system")};
        const QStringList dev = {QStringLiteral("conf_dev"), QStringLiteral("conf_vs")};
        const QStringList lines = {QStringLiteral("conf_line"), QStringLiteral("conf_sip_account"),
                                   QStringLiteral("conf_trunk_item"), QStringLiteral("conf_trunk_match")};
        QTest::newRow("nothing") << QStringList() << QStringList();
        QTest::newRow("a middleware setting")
            << QStringList{QStringLiteral("middleware/CtiAddr=\"10.1.1.1\"")} << sys;
        QTest::newRow("IVR flows in another order")
            << QStringList{QStringLiteral("middleware/IvrFlows=<reversed>")} << sys;
        QTest::newRow("an IPO line") << QStringList{QStringLiteral("device/IpoLines/0/value2=\"9\"")} << dev;
        QTest::newRow("a device password") << QStringList{QStringLiteral("device/DevLinkPwd=\"new\"")} << dev;
        QTest::newRow("a SIP account")
            << QStringList{QStringLiteral("lines/SipAccounts/1/reg=true")} << lines;
        QTest::newRow("trunk matches in another order")
            << QStringList{QStringLiteral("lines/TrunkMatches=<reversed>")} << lines;
        QTest::newRow("extensions in another order")
            << QStringList{QStringLiteral("lines/Extens=<reversed>")} << QStringList();
        QTest::newRow("SIP accounts in another order")
            << QStringList{QStringLiteral("lines/SipAccounts=<reversed>")} << QStringList();
        QTest::newRow("trunk match ids")
            << QStringList{QStringLiteral("lines/TrunkMatches/0/id=77")} << QStringList();
        QTest::newRow("middleware and lines")
            << QStringList{QStringLiteral("middleware/IvrFlows/1=\"流程二.xml\""),
                           QStringLiteral("lines/Extens/2/password=\"x\"")}
            << sys + lines;
    }

    void importWritesOnlyTheGroupsThatDiffer()
    {
        QFETCH(QStringList, edits);
        QFETCH(QStringList, tables);
        CCfgData base;
        SampleConfig::Fill(base, "base");
        QVERIFY(SampleConfig::PutOnServer(base));
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("changed.json"));
        QVERIFY(WriteBytes(path, EditedJson(*GetCfgData(), edits)));
        CCfgData read;
        std::string error;
        QVERIFY2(CCfgFile::Read(path, read, error), error.c_str());
        const CCfgChanges changes = CCfgChanges::Compare(*GetCfgData(), read);

        QVERIFY(ServerLog::Start());
        std::vector<CfgGroup> written;
        const bool done = ImportFile(path, written, error);
        const Texts statements = ServerLog::Statements();
        QVERIFY(ServerLog::Stop());
        QVERIFY2(done, error.c_str());
        QCOMPARE(written, changes.DifferingGroups());

        std::set<std::string> expected;
        for (const QString& table : tables)
            expected.insert(table.toStdString());
        QCOMPARE(ServerLog::TablesWritten(statements), expected);
        QCOMPARE(ServerLog::Writes(statements).empty(), tables.isEmpty());
        // Afterwards the database holds what the file says.
        SampleConfig::LoadStore();
        QVERIFY2(CCfgChanges::Compare(*GetCfgData(), read).IsEmpty(),
                 CCfgChanges::Compare(*GetCfgData(), read).ToText().c_str());
    }

    void importStopsAtTheGroupTheDatabaseRefuses()
    {
        CCfgData base;
        SampleConfig::Fill(base, "base");
        QVERIFY(SampleConfig::PutOnServer(base));
        CCfgData read;
        std::string error;
        QVERIFY(CCfgFile::FromJson(
            EditedJson(*GetCfgData(), {QStringLiteral("middleware/LogPath=\"/var/log/new\""),
                                       QStringLiteral("lines/SipAccounts/1/account=\"refused\"")}),
            read, error));
        QVERIFY(TestDatabase::RefuseInserts("conf_sip_account", "refuse_account", "NEW.account = 'refused'",
                                            "account refused here"));
        std::vector<CfgGroup> written;
        QVERIFY(!ImportJson(Json(read), written, error));
        QVERIFY(TestDatabase::Run({"DROP TRIGGER refuse_account"}));
        QCOMPARE(written, std::vector<CfgGroup>{CfgGroup::System});
        const QString message = QString::fromStdString(error);
        QVERIFY2(message.contains(QStringLiteral("线路配置写入失败")) &&
                     message.contains(QStringLiteral("account refused here")) &&
                     message.contains(QStringLiteral("此前已写入：中间件配置")),
                 qPrintable(message));
        QCOMPARE(TestDatabase::Rows("SELECT value FROM conf_system WHERE name = 'LogPath'", 1),
                 Texts{"/var/log/new"});
        // As after a failed Save, the store holds the file's values, so the write can be repeated.
        QCOMPARE(std::string(std::next(GetCfgData()->SipAccounts.begin())->get()->account),
                 std::string("refused"));
        QVERIFY2(GetCfgDb()->SaveLineCfg(), GetCfgDb()->GetDbError().c_str());
        SampleConfig::LoadStore();
        QVERIFY(CCfgChanges::Compare(*GetCfgData(), read).IsEmpty());
    }

    void groupsNotReadWholeAreNotImported()
    {
        CCfgData base;
        SampleConfig::Fill(base, "base");
        QVERIFY(SampleConfig::PutOnServer(base));
        const QByteArray json = EditedJson(*GetCfgData(), {QStringLiteral("middleware/CtiAddr=\"new\"")});
        // Unreadable while the import reads the database.
        QVERIFY(TestDatabase::Run({"RENAME TABLE conf_trunk_match TO hidden_table"}));
        QVERIFY(ServerLog::Start());
        std::vector<CfgGroup> written;
        std::string error;
        const bool done = ImportJson(json, written, error);
        const Texts writes = ServerLog::Writes(ServerLog::Statements());
        QVERIFY(ServerLog::Stop());
        QVERIFY(TestDatabase::Run({"RENAME TABLE hidden_table TO conf_trunk_match"}));
        QVERIFY(!done);
        QVERIFY2(error.find("conf_trunk_match") != std::string::npos, error.c_str());
        QVERIFY(written.empty());
        QVERIFY2(writes.empty(), FirstOf(writes).c_str());
    }

    // What a later reading of the database finds (for an export, a comparison or an import)
    // changes neither the store nor what its saves refuse: only the start-up load does.
    void aFailedFreshReadLeavesTheSavesAlone()
    {
        CCfgData base;
        SampleConfig::Fill(base, "base");
        QVERIFY(SampleConfig::PutOnServer(base));
        const QByteArray before = Json(*GetCfgData());
        QVERIFY(TestDatabase::Run({"RENAME TABLE conf_trunk_match TO hidden_table"}));
        CCfgFileSession session(*IOtlConnection::getInstance());
        std::string error;
        QVERIFY(!session.ReadDatabase(error));
        QVERIFY(TestDatabase::Run({"RENAME TABLE hidden_table TO conf_trunk_match"}));
        QCOMPARE(Json(*GetCfgData()), before);
        for (CfgGroup group : kCfgGroups)
            QVERIFY(GetCfgDocument()->LoadReport().Gap(group).empty());
        QVERIFY2(GetCfgDb()->SaveLineCfg(), GetCfgDb()->GetDbError().c_str());
        QVERIFY2(GetCfgDb()->SaveSysCfg(), GetCfgDb()->GetDbError().c_str());
    }
};

QTEST_GUILESS_MAIN(TestCfgFile)
#include "tst_cfgfile.moc"
