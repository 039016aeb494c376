// CSV files of the record lists, without a database: the text format, the character sets
// read, every kind of refusal naming its row and column, and how merge and replace put a
// file's records into a list.
#include "config/catalogue/CfgCsvLists.h"
#include "config/catalogue/CfgGroups.h"
#include "config/data/CCfgData.h"
#include "config/formats/CCsvSheet.h"
#include "config/formats/CsvEncoding.h"
#include "config/formats/CsvText.h"

#include <QTest>

namespace {

using Texts = std::vector<std::string>;
using Records = std::vector<Texts>;

const QByteArray kBom("\xEF\xBB\xBF");

/// A store with a few records of each list, one trunk match rule's priority outside the options.
CCfgData SmallStore()
{
    CCfgData cfg;
    SetExtensInOrder(cfg.Extens, {{8002, "b"}, {8001, "a"}, {10, ""}});
    auto account = std::make_unique<tagSIP_ACCOUNT>();
    account->id = 1;
    CopyToField(account->account, "acc");
    CopyToField(account->proxy_addr, "10.0.0.1");
    account->proxy_port = 5060;
    account->reg_interval = 60;
    cfg.SipAccounts.AddTail(std::move(account));
    auto item = std::make_unique<tagTRUNK_ITEM>();
    item->id = 3;
    item->span = 2;
    item->sip_user = -1;
    cfg.TrunkItems.AddTail(std::move(item));
    for (const auto& [id, prefix, priority] : {std::tuple{4, "9", 1}, std::tuple{7, "0", -3}}) {
        auto match = std::make_unique<tagTRUNK_MATCH>();
        match->id = id;
        CopyToField(match->prefix, prefix);
        match->trunk_id = 3;
        match->priority = priority;
        cfg.TrunkMatches.AddTail(std::move(match));
    }
    return cfg;
}

/// The list's CSV text without its byte-order mark, lines ended by LF for reading.
QString Exported(const CCfgData& cfg, CsvList list)
{
    QByteArray bytes = CCsvSheet::Export(cfg, list);
    if (!bytes.startsWith(kBom))
        return QStringLiteral("<no byte-order mark>");
    return QString::fromUtf8(bytes.mid(3)).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace

class TestCsv : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Any field comes back the same through a written and a read record.
    void fieldsComeBackTheSame()
    {
        const Texts fields = {
            "plain",         "",         "逗号,中文", "引号\"内\"",    "\"",
            "line\r\nbreak", "lf\nonly", "cr\ronly",  "back\\slash\\", " blanks at the edges ",
            "tab\there",     ",",        "\"\","};
        const std::string line = CsvLine(fields);
        QCOMPARE(line.substr(line.size() - 2), std::string("\r\n"));
        Records records;
        std::string error;
        QVERIFY2(ParseCsv(line + CsvLine({"second"}), records, error), error.c_str());
        QCOMPARE(records, (Records{fields, {"second"}}));
        // Only the fields that need them are quoted.
        QCOMPARE(CsvLine({"a b", "8001", "中文"}), std::string("a b,8001,中文\r\n"));
        QCOMPARE(CsvLine({"a,b", "say \"hi\""}), std::string("\"a,b\",\"say \"\"hi\"\"\"\r\n"));
    }

    void textsAsSpreadsheetsWriteThem_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArrayList>("records"); // fields joined by |
        QTest::newRow("LF, no last break") << QByteArray("a,b\nc,d") << QByteArrayList{"a|b", "c|d"};
        QTest::newRow("CR only") << QByteArray("a\rb\r") << QByteArrayList{"a", "b"};
        QTest::newRow("empty fields") << QByteArray(",\n,,x\r\n") << QByteArrayList{"|", "||x"};
        QTest::newRow("quoted empty") << QByteArray("\"\",a\r\n") << QByteArrayList{"|a"};
        QTest::newRow("quote inside a plain field")
            << QByteArray("5\"\" disk,x\n") << QByteArrayList{"5\"\" disk|x"};
        QTest::newRow("blank line inside") << QByteArray("a\n\nb\n") << QByteArrayList{"a", "", "b"};
        QTest::newRow("nothing") << QByteArray() << QByteArrayList{};
    }
    void textsAsSpreadsheetsWriteThem()
    {
        QFETCH(QByteArray, text);
        QFETCH(QByteArrayList, records);
        Records read;
        std::string error;
        QVERIFY2(ParseCsv(text.toStdString(), read, error), error.c_str());
        QByteArrayList joined;
        for (const Texts& record : read) {
            QByteArrayList fields;
            for (const std::string& field : record)
                fields << QByteArray::fromStdString(field);
            joined << fields.join('|');
        }
        QCOMPARE(joined, records);
    }

    void brokenTextsNameTheirLine_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("error");
        QTest::newRow("open quote") << QByteArray("a\n\"b,\nc\n") << QStringLiteral("第 2 行的引号没有结束");
        QTest::newRow("text after the closing quote")
            << QByteArray("a\nb\n\"x\"y,z\n") << QStringLiteral("第 3 行：引号结束后紧跟着其他字符");
    }
    void brokenTextsNameTheirLine()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, error);
        Records read;
        std::string why;
        QVERIFY(!ParseCsv(text.toStdString(), read, why));
        QCOMPARE(QString::fromStdString(why), error);
    }

    void characterSets_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("encoding"); // empty: refused
        QTest::addColumn<QString>("text");     // or the reason
        const QByteArray chinese("分机号,密码");
        QTest::newRow("UTF-8 with a byte-order mark")
            << kBom + chinese << QStringLiteral("UTF-8（带BOM）") << QString::fromUtf8(chinese);
        QTest::newRow("UTF-8") << chinese << QStringLiteral("UTF-8") << QString::fromUtf8(chinese);
        QTest::newRow("ASCII") << QByteArray("id,x") << QStringLiteral("UTF-8") << QStringLiteral("id,x");
        QTest::newRow("GBK") << QByteArray("\xB7\xD6\xBB\xFA\xBA\xC5,\xC3\xDC\xC2\xEB")
                             << QStringLiteral("GBK") << QString::fromUtf8(chinese);
        QTest::newRow("Latin-1") << QByteArray("id,caf\xE9,x") << QString()
                                 << QStringLiteral("文件既不是 UTF-8 也不是 GBK 编码的文本");
        QTest::newRow("bytes GBK leaves unassigned")
            << QByteArray("id,\xFF\xFF") << QString()
            << QStringLiteral("文件既不是 UTF-8 也不是 GBK 编码的文本");
        QTest::newRow("a byte-order mark on other bytes")
            << kBom + QByteArray("\xB7\xD6") << QString()
            << QStringLiteral("文件以 UTF-8 的字节顺序标记开头，却含有不是 UTF-8 的字节");
        const QString utf16 = QStringLiteral("文件是 UTF-16 编码的（电子表格“Unicode 文本”格式），"
                                             "请另存为“CSV UTF-8”或“CSV（逗号分隔）”");
        QTest::newRow("UTF-16, little-endian") << QByteArray("\xFF\xFEi\0d\0", 6) << QString() << utf16;
        QTest::newRow("UTF-16, big-endian") << QByteArray("\xFE\xFF\0i\0d", 6) << QString() << utf16;
    }
    void characterSets()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, encoding);
        QFETCH(QString, text);
        std::string read;
        std::string readIn;
        std::string error;
        const bool taken = CsvFileText(bytes, read, readIn, error);
        QCOMPARE(taken, !encoding.isEmpty());
        QCOMPARE(QString::fromStdString(taken ? readIn : std::string()), encoding);
        QCOMPARE(QString::fromStdString(taken ? read : error), text);
    }

    // Every refusal names the row (the header is row 1) and the column, as the file names it,
    // and a file with one is refused whole.
    void refusals_data()
    {
        QTest::addColumn<int>("list");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("problems");
        const auto row = [](const char* text) { return QString::fromUtf8(text); };
        QTest::newRow("unknown and repeated columns")
            << int(CsvList::Extensions) << QByteArray("分机号,密钥,number\n8001,x,8002\n")
            << QStringList{row("第 1 行第 2 列：分机表中没有“密钥”这一列（可用的列：分机号、接入密码）"),
                           row("第 1 行第 3 列：“分机号”列已在第 1 列出现过")};
        QTest::newRow("key column missing")
            << int(CsvList::TrunkMatches) << QByteArray("prefix,trunk_id\n9,1\n")
            << QStringList{row("第 1 行：缺少“透传号码”列，中继匹配由字冠、透传号码、中继项ID区分")};
        QTest::newRow("numbers")
            << int(CsvList::TrunkItems)
            << QByteArray(
                   "ID,设备节点,数字中继口\n1,abc,-1\n2,2147483648,0\n,1,1\n3, 7 ,1.5\n4,+5,-2147483648\n")
            << QStringList{row("第 2 行“设备节点”列：“abc”不是 -2147483648 到 2147483647 之间的整数"),
                           row("第 3 行“设备节点”列：“2147483648”不是 -2147483648 到 2147483647 之间的整数"),
                           row("第 4 行“ID”列：“”不是 -2147483648 到 2147483647 之间的整数"),
                           row("第 5 行“数字中继口”列：“1.5”不是 -2147483648 到 2147483647 之间的整数")};
        QTest::newRow("ports") << int(CsvList::SipAccounts)
                               << QByteArray("ID,注册端口\n1,65535\n2,70000\n3,0\n4,1\n")
                               << QStringList{row("第 3 行“注册端口”列：“70000”不是 1 到 65535 之间的整数"),
                                              row("第 4 行“注册端口”列：“0”不是 1 到 65535 之间的整数")};
        QTest::newRow("extension numbers")
            << int(CsvList::Extensions)
            << QByteArray("number\n-2147483648\n2147483647\n3000000000\n-2147483649\n4294967295\n")
            << QStringList{row("第 4 行“number”列：“3000000000”不是 -2147483648 到 2147483647 之间的整数"),
                           row("第 5 行“number”列：“-2147483649”不是 -2147483648 到 2147483647 之间的整数"),
                           row("第 6 行“number”列：“4294967295”不是 -2147483648 到 2147483647 之间的整数")};
        QTest::newRow("text rooms")
            << int(CsvList::SipAccounts)
            << QByteArray("ID,账户,密码\n1,") + QByteArray(49, 'a') + "," + QByteArray(29, 'p') + "\n2," +
                   QByteArray("账户账户账户账户账户账户账户账户xy") + ",\n3,a," + QByteArray(30, 'p') + "\n"
            << QStringList{
                   row("第 3 行“账户”列：“账户账户账户账户账户账户账户账户xy”有 50 字节，最多 49 字节"),
                   row("第 4 行“密码”列：“") + QString(30, QLatin1Char('p')) +
                       row("”有 30 字节，最多 29 字节")};
        QTest::newRow("password characters")
            << int(CsvList::Extensions)
            << QByteArray("分机号,接入密码\n1,") + QString(100, QChar(0x5BC6)).toUtf8() + "\n2," +
                   QString(101, QLatin1Char('x')).toUtf8() + "\n"
            << QStringList{row("第 3 行“接入密码”列：“") + QString(101, QLatin1Char('x')) +
                           row("”有 101 个字符，最多 100 个字符")};
        QTest::newRow("options") << int(CsvList::SipAccounts)
                                 << QByteArray("id,reg\n1,TRUE\n2,False\n3,yes\n4,\n")
                                 << QStringList{row("第 4 行“reg”列：“yes”不是可选的值（true、false）"),
                                                row("第 5 行“reg”列：“”不是可选的值（true、false）")};
        QTest::newRow("priority not a number")
            << int(CsvList::TrunkMatches) << QByteArray("字冠,透传号码,中继项ID,优先级\n9,,1,high\n")
            << QStringList{row("第 2 行“优先级”列：“high”不是 -2147483648 到 2147483647 之间的整数")};
        QTest::newRow("keys repeated")
            << int(CsvList::Extensions) << QByteArray("分机号\n8001\n8002\n08001\n8002\n")
            << QStringList{row("第 4 行：分机号与第 2 行相同"), row("第 5 行：分机号与第 3 行相同")};
        QTest::newRow("match keys repeated, blanks kept in texts")
            << int(CsvList::TrunkMatches) << QByteArray("字冠,透传号码,中继项ID\n9,,1\n9, ,1\n9,,01\n")
            << QStringList{row("第 4 行：字冠、透传号码、中继项ID与第 2 行相同")};
        QTest::newRow("a cell beyond the header")
            << int(CsvList::Extensions) << QByteArray("分机号,接入密码\n8001,a,,\n8002,b,c\n")
            << QStringList{row("第 3 行第 3 列：标题行没有这一列，“c”无处可放")};
        QTest::newRow("quote left open") << int(CsvList::Extensions) << QByteArray("分机号\n\"8001\n")
                                         << QStringList{row("不是可读的 CSV 文件：第 2 行的引号没有结束")};
        QTest::newRow("empty") << int(CsvList::Extensions) << QByteArray("\r\n,\r\n")
                               << QStringList{row("是空的，连标题行也没有")};
    }
    void refusals()
    {
        QFETCH(int, list);
        QFETCH(QByteArray, file);
        QFETCH(QStringList, problems);
        CCsvSheet sheet;
        std::string error;
        QVERIFY(!sheet.FromBytes(file, CsvList(list), "f.csv", error));
        QCOMPARE(sheet.RowCount(), std::size_t(0));
        const QStringList lines = QString::fromStdString(error).split(QStringLiteral("\r\n"));
        if (lines.size() == 1) {
            QVERIFY2(lines.front().startsWith(QStringLiteral("文件 f.csv ")), qPrintable(lines.front()));
            QVERIFY2(lines.front().endsWith(problems.front()), qPrintable(lines.front()));
            return;
        }
        QCOMPARE(lines.front(),
                 QStringLiteral("文件 f.csv（UTF-8）中有 %1 处问题，未写入任何内容：").arg(problems.size()));
        QCOMPARE(lines.mid(1), problems);
    }

    // A file with many problems tells a screenful of them and how many more there are.
    void manyProblemsFitAScreen()
    {
        QByteArray file("分机号\n");
        for (int row = 0; row < 25; ++row)
            file += "x" + QByteArray::number(row) + "\n";
        CCsvSheet sheet;
        std::string error;
        QVERIFY(!sheet.FromBytes(file, CsvList::Extensions, "f.csv", error));
        const QStringList lines = QString::fromStdString(error).split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), int(CCsvSheet::kProblemsTold) + 2);
        QVERIFY(lines.front().contains(QStringLiteral("中有 25 处问题")));
        QVERIFY(lines.at(1).startsWith(QStringLiteral("第 2 行")));
        QCOMPARE(lines.back(), QStringLiteral("……另有 5 处问题未列出"));
    }

    // What a file does to a list: merge updates by key and adds, replace makes the file the
    // list; a column the file lacks keeps a record's value and gives a new one the value a
    // record added on the page gets; the database's own numbers of match rules are not read.
    void mergeAndReplace_data()
    {
        QTest::addColumn<int>("list");
        QTest::addColumn<bool>("replace");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("after");
        QTest::newRow("extensions merged")
            << int(CsvList::Extensions) << false << QByteArray("number\n8001\n9\n")
            << QStringLiteral("分机号,接入密码\n9,\n10,\n8001,a\n8002,b\n");
        QTest::newRow("extensions replaced")
            << int(CsvList::Extensions) << true << QByteArray("接入密码,分机号\nnew,8002\n\"x,y\",7\n")
            << QStringLiteral("分机号,接入密码\n7,\"x,y\"\n8002,new\n");
        QTest::newRow("accounts merged, defaults for a new one")
            << int(CsvList::SipAccounts) << false
            << QByteArray("ID,注册端口,reg\n1,5070,FALSE\n2,5080,false\n")
            << QStringLiteral("ID,账户,鉴权账户,密码,注册地址,注册端口,是否注册,注册间隔\n"
                              "1,acc,,,10.0.0.1,5070,false,60\n2,,,,,5080,false,1800\n");
        QTest::newRow("accounts replaced by nothing")
            << int(CsvList::SipAccounts) << true << QByteArray("ID\n")
            << QStringLiteral("ID,账户,鉴权账户,密码,注册地址,注册端口,是否注册,注册间隔\n");
        QTest::newRow("trunk items merged")
            << int(CsvList::TrunkItems) << false << QByteArray("sip_user,id\n5,4\n-1,3\n")
            << QStringLiteral("ID,设备节点,设备板号,数字中继口,SIP账号ID\n"
                              "3,0,0,2,-1\n4,0,0,-1,5\n");
        QTest::newRow("match rules merged, numbered after the last")
            << int(CsvList::TrunkMatches) << false
            << QByteArray("ID,字冠,透传号码,中继项ID,优先级\n99,9,,3,2\n1,8,x,3,3\n")
            << QStringLiteral("ID,字冠,透传号码,中继项ID,优先级\n4,9,,3,2\n7,0,,3,-3\n8,8,x,3,3\n");
        QTest::newRow("match rules replaced, in the file's order")
            << int(CsvList::TrunkMatches) << true << QByteArray("字冠,透传号码,中继项ID\n1,,3\n0,,3\n")
            << QStringLiteral("ID,字冠,透传号码,中继项ID,优先级\n8,1,,3,4\n7,0,,3,-3\n");
    }
    void mergeAndReplace()
    {
        QFETCH(int, list);
        QFETCH(bool, replace);
        QFETCH(QByteArray, file);
        QFETCH(QString, after);
        CCfgData cfg = SmallStore();
        CCsvSheet sheet;
        std::string error;
        QVERIFY2(sheet.FromBytes(file, CsvList(list), "f.csv", error), error.c_str());
        QVERIFY2(sheet.ApplyTo(cfg, replace ? CCsvSheet::Mode::Replace : CCsvSheet::Mode::Merge, error),
                 error.c_str());
        QCOMPARE(Exported(cfg, CsvList(list)), after);
        // The other lists stay as they were.
        const CCfgData untouched = SmallStore();
        for (CsvList other : kCsvLists) {
            if (other != CsvList(list))
                QCOMPARE(Exported(cfg, other), Exported(untouched, other));
        }
    }

    // A priority the database holds outside the options comes back unchanged from an export;
    // a file cannot give one to a rule that does not hold it, and then changes nothing.
    void valuesOutsideTheOptions()
    {
        const CCfgData store = SmallStore();
        CCfgData cfg = SmallStore();
        CCsvSheet sheet;
        std::string error;
        QVERIFY2(sheet.FromBytes(CCsvSheet::Export(store, CsvList::TrunkMatches), CsvList::TrunkMatches,
                                 "f.csv", error),
                 error.c_str());
        QVERIFY2(sheet.ApplyTo(cfg, CCsvSheet::Mode::Replace, error), error.c_str());
        QCOMPARE(Exported(cfg, CsvList::TrunkMatches), Exported(store, CsvList::TrunkMatches));

        QVERIFY2(sheet.FromBytes("字冠,透传号码,中继项ID,优先级\n0,,3,-3\n9,,3,0\n5,,3,-3\n",
                                 CsvList::TrunkMatches, "f.csv", error),
                 error.c_str());
        QVERIFY(!sheet.ApplyTo(cfg, CCsvSheet::Mode::Merge, error));
        QCOMPARE(QString::fromStdString(error),
                 QStringLiteral("文件 f.csv（UTF-8）中有 2 处问题，未写入任何内容：\r\n"
                                "第 3 行“优先级”列：“0”不是可选的值（1、2、3、4）\r\n"
                                "第 4 行“优先级”列：“-3”不是可选的值（1、2、3、4）"));
        QCOMPARE(Exported(cfg, CsvList::TrunkMatches), Exported(store, CsvList::TrunkMatches));
    }

    void listWords()
    {
        for (CsvList list : kCsvLists) {
            CsvList found = CsvList::Extensions;
            QVERIFY(CsvListFromWord(CsvListLayoutOf(list).word, found));
            QVERIFY(found == list);
        }
        CsvList found = CsvList::Extensions;
        QVERIFY(!CsvListFromWord("Extensions", found));
        QCOMPARE(CsvListWords(), std::string("extensions、sip-accounts、trunk-items、trunk-matches"));
    }
};

QTEST_GUILESS_MAIN(TestCsv)
#include "tst_csv.moc"
