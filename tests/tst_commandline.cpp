// The configuration-file commands, run as a script runs them: the real program as a
// separate process, with no display, its exit code, output and messages, against the
// private test server.
#include "config/data/CCfgData.h"
#include "config/database/CCfgDb.h"
#include "config/document/CCfgChanges.h"
#include "config/document/CCfgDocument.h"
#include "config/formats/CCfgFile.h"
#include "db/CDsnSettings.h"
#include "support/CDelayProxy.h"
#include "support/ConfigTables.h"
#include "support/ProxyDataSource.h"
#include "support/SampleConfig.h"
#include "support/ServerLog.h"
#include "support/TestDatabase.h"
#include "support/TestFiles.h"
#include "support/TestSettings.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

namespace {

using Texts = std::vector<std::string>;

constexpr int kRunLimitMs = 60000;

struct Outcome
{
    int exitCode = -1; // -1: did not start, crashed or hung
    QString out;
    QString err;
};

/// The environment of a scheduled job: no display at all, no password unless given, and
/// settings of its own under `configHome`.
QProcessEnvironment Console(const QString& configHome)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "TARVEX_PASSWORD"})
        environment.remove(QString::fromLatin1(name));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
    return environment;
}

QProcessEnvironment WithPassword(QProcessEnvironment environment, const std::string& password)
{
    environment.insert(QStringLiteral("TARVEX_PASSWORD"), QString::fromStdString(password));
    return environment;
}

/// Runs the program with `arguments`, `input` on its standard input (then closed).
Outcome Run(const QStringList& arguments, const QProcessEnvironment& environment,
            const QByteArray& input = {})
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(TARVEX_EXECUTABLE), arguments);
    Outcome outcome;
    if (!process.waitForStarted(kRunLimitMs))
        return outcome;
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(kRunLimitMs)) {
        process.kill();
        process.waitForFinished();
        outcome.err = QStringLiteral("<hung>");
        return outcome;
    }
    outcome.out = QString::fromUtf8(process.readAllStandardOutput());
    outcome.err = QString::fromUtf8(process.readAllStandardError());
    if (process.exitStatus() == QProcess::NormalExit)
        outcome.exitCode = process.exitCode();
    return outcome;
}

QStringList DataSource()
{
    return {QStringLiteral("--dsn"), QString::fromStdString(TestDatabase::Dsn()), QStringLiteral("--user"),
            QString::fromStdString(TestDatabase::User())};
}

std::string Setting(const char* table, const char* name)
{
    return TestDatabase::Rows(std::string("SELECT value FROM ") + table + " WHERE name = '" + name + "'", 1)
        .front();
}

QString Shown(const Outcome& outcome)
{
    return QStringLiteral("exit %1\n--- out\n%2--- err\n%3")
        .arg(outcome.exitCode)
        .arg(outcome.out, outcome.err);
}

} // namespace

class TestCommandLine : public QObject
{
    Q_OBJECT

    // Saves leave backups in the user's data folder, which the program run here shares.
    TestSettings m_userData;

private Q_SLOTS:
    void initTestCase() { QVERIFY(TestDatabase::Connect()); }
    void cleanup() { QVERIFY(ServerLog::Stop()); }

    void init()
    {
        CCfgData sample;
        SampleConfig::Fill(sample, "base");
        QVERIFY(SampleConfig::PutOnServer(sample));
    }

    void helpListsEverything()
    {
        QTemporaryDir config;
        const Outcome outcome = Run({QStringLiteral("--help")}, Console(config.path()));
        QVERIFY2(outcome.exitCode == 0, qPrintable(Shown(outcome)));
        for (const char* part :
             {"export", "import", "diff", "backups", "备份文件", "export-csv", "import-csv", "extensions",
              "sip-accounts", "trunk-items", "trunk-matches", "--replace", "--dsn", "--user",
              "--password-file", "--yes", "TARVEX_PASSWORD", "退出码"})
            QVERIFY2(outcome.out.contains(QString::fromUtf8(part)), part);
        // Qt's own lines too are Chinese, whatever the system's language.
        QVERIFY2(!outcome.out.contains(QStringLiteral("Displays")), qPrintable(outcome.out));
        // The synopsis covers the spreadsheet commands, whose file is no configuration file.
        QVERIFY2(outcome.out.contains(QStringLiteral("<命令> [<表>] [<文件>]")) &&
                     outcome.out.contains(QStringLiteral("<文件> 为 CSV 文件")) &&
                     !outcome.out.contains(QStringLiteral("<file>")),
                 qPrintable(outcome.out));
    }

    // The manual names the commands the program has, no more and no fewer: its synopsis and
    // its COMMANDS section against the command list of --help.
    void manualNamesEveryCommand()
    {
        QTemporaryDir config;
        const Outcome outcome = Run({QStringLiteral("--help")}, Console(config.path()));
        QSet<QString> listed;
        const QRegularExpression commandLine(QStringLiteral("^  ([a-z][a-z-]*)\\b"));
        const QString commandList = outcome.out.section(QStringLiteral("配置文件命令（无需图形界面）：\n"), 1)
                                        .section(QStringLiteral("\n\n"), 0, 0);
        for (const QString& line : commandList.split(QLatin1Char('\n'))) {
            const QRegularExpressionMatch match = commandLine.match(line);
            if (match.hasMatch())
                listed << match.captured(1);
        }
        QVERIFY2(listed.contains(QStringLiteral("import-csv")), qPrintable(outcome.out));

        QFile manual(QStringLiteral(QT_TESTCASE_SOURCEDIR "/../packaging/tarvex.1"));
        QVERIFY(manual.open(QIODevice::ReadOnly));
        const QString text =
            QString::fromUtf8(manual.readAll()).replace(QStringLiteral("\\-"), QStringLiteral("-"));
        const QString synopsis =
            text.section(QStringLiteral(".SH SYNOPSIS"), 1).section(QStringLiteral(".SH "), 0, 0);
        QSet<QString> inSynopsis;
        const QRegularExpression word(QStringLiteral("(?:^\\.BR? (?:tarvex )?| \\| )([a-z][a-z-]*)"),
                                      QRegularExpression::MultilineOption);
        for (const QRegularExpressionMatch& match : word.globalMatch(synopsis))
            inSynopsis << match.captured(1);
        inSynopsis.remove(QStringLiteral("tarvex"));
        QCOMPARE(inSynopsis, listed);

        const QString commands =
            text.section(QStringLiteral(".SH COMMANDS"), 1).section(QStringLiteral(".SH "), 0, 0);
        QSet<QString> described;
        const QRegularExpression heading(QStringLiteral("^\\.TP\n\\.BI? ([a-z][a-z-]*)"),
                                         QRegularExpression::MultilineOption);
        for (const QRegularExpressionMatch& match : heading.globalMatch(commands))
            described << match.captured(1);
        QCOMPARE(described, listed);
    }

    void exportDiffAndImportAsAScriptDoes()
    {
        QTemporaryDir folder;
        const QString config = folder.filePath(QStringLiteral("config"));
        const QString file = folder.filePath(QStringLiteral("site.json"));
        const QProcessEnvironment console = WithPassword(Console(config), TestDatabase::Password());

        Outcome outcome = Run(QStringList{QStringLiteral("export"), file} + DataSource(), console);
        QVERIFY2(outcome.exitCode == 0, qPrintable(Shown(outcome)));
        QVERIFY2(outcome.out.contains(file), qPrintable(outcome.out));
        // The file holds passwords; and it is the store the program itself would export.
        QCOMPARE(QFile::permissions(file) & (QFile::ReadGroup | QFile::ReadOther), QFile::Permissions());
        QByteArray own;
        std::string error;
        QVERIFY(CCfgFile::ToJson(*GetCfgData(), own, error));
        QCOMPARE(FileBytes(file), own);
        // Data source and user came as options: the user's settings stay as they were.
        QVERIFY(!QFile::exists(config + QStringLiteral("/Tarvex.ini")));

        outcome = Run(QStringList{QStringLiteral("diff"), file} + DataSource(), console);
        QVERIFY2(outcome.exitCode == 0, qPrintable(Shown(outcome)));
        QCOMPARE(outcome.out.count(QStringLiteral("无变化")), 3);

        // The file edited as an installer would: a setting and a SIP password.
        QByteArray edited = FileBytes(file);
        QVERIFY(edited.contains("\"CtiAddr\": \"base\"") && edited.contains("\"password\": \"basep\""));
        edited.replace("\"CtiAddr\": \"base\"", "\"CtiAddr\": \"10.9.9.9\"");
        edited.replace("\"password\": \"basep\"", "\"password\": \"n3w-secret\"");
        QVERIFY(WriteBytes(file, edited));
        outcome = Run(QStringList{QStringLiteral("diff"), file} + DataSource(), console);
        QVERIFY2(outcome.exitCode == 1, qPrintable(Shown(outcome)));
        QVERIFY2(outcome.out.contains(QStringLiteral("CTI地址：\"base\" -> \"10.9.9.9\"")) &&
                     outcome.out.contains(QStringLiteral("SIP账户 1：密码已更改（不显示）")) &&
                     outcome.out.contains(QStringLiteral("设备配置：无变化")) &&
                     !outcome.out.contains(QStringLiteral("n3w")),
                 qPrintable(outcome.out));
        QCOMPARE(Setting("conf_system", "CtiAddr"), std::string("base"));

        // Import asks first: no, or no answer at all, writes nothing.
        for (const QByteArray& answer : {QByteArray("n\n"), QByteArray()}) {
            outcome = Run(QStringList{QStringLiteral("import"), file} + DataSource(), console, answer);
            QVERIFY2(outcome.exitCode == 1, qPrintable(Shown(outcome)));
            QVERIFY2(outcome.err.contains(QStringLiteral("输入 y 确认")) &&
                         outcome.err.contains(QStringLiteral("未写入任何内容")),
                     qPrintable(outcome.err));
            QCOMPARE(Setting("conf_system", "CtiAddr"), std::string("base"));
        }
        QVERIFY(ServerLog::Start());
        outcome = Run(QStringList{QStringLiteral("import"), file} + DataSource(), console, "y\n");
        const std::set<std::string> tables = ServerLog::TablesWritten(ServerLog::StatementsOfOthers());
        QVERIFY(ServerLog::Stop());
        QVERIFY2(outcome.exitCode == 0, qPrintable(Shown(outcome)));
        // Only the two groups that differ were written.
        QCOMPARE(tables, (std::set<std::string>{"conf_system", "conf_ivr_flow", "conf_line",
                                                "conf_sip_account", "conf_trunk_item", "conf_trunk_match"}));
        QVERIFY2(outcome.out.contains(QStringLiteral("已写入：中间件配置、线路配置")),
                 qPrintable(outcome.out));
        QCOMPARE(Setting("conf_system", "CtiAddr"), std::string("10.9.9.9"));
        QCOMPARE(TestDatabase::Rows("SELECT password FROM conf_sip_account WHERE id = 1", 1),
                 Texts{"n3w-secret"});

        outcome = Run(QStringList{QStringLiteral("diff"), file} + DataSource(), console);
        QVERIFY2(outcome.exitCode == 0, qPrintable(Shown(outcome)));
        outcome =
            Run(QStringList{QStringLiteral("import"), file, QStringLiteral("--yes")} + DataSource(), console);
        QVERIFY2(outcome.exitCode == 0 && outcome.out.contains(QStringLiteral("一致")),
                 qPrintable(Shown(outcome)));

        // --yes writes without asking.
        edited.replace("\"ScAddr\": \"base\"", "\"ScAddr\": \"10.8.8.8\"");
        QVERIFY(WriteBytes(file, edited));
        outcome =
            Run(QStringList{QStringLiteral("import"), QStringLiteral("-y"), file} + DataSource(), console);
        QVERIFY2(outcome.exitCode == 0 && outcome.out.contains(QStringLiteral("已写入：设备配置")) &&
                     !outcome.err.contains(QStringLiteral("确认")),
                 qPrintable(Shown(outcome)));
        QCOMPARE(Setting("conf_dev", "ScAddr"), std::string("10.8.8.8"));
    }

    // A command logs in once and reads the configuration once: over a slow link each round
    // trip counts.
    void eachCommandLogsInOnceAndReadsOnce_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("export") << QStringList{QStringLiteral("export"), QStringLiteral("site.json")};
        QTest::newRow("diff") << QStringList{QStringLiteral("diff"), QStringLiteral("site.json")};
        QTest::newRow("import, nothing to write")
            << QStringList{QStringLiteral("import"), QStringLiteral("--yes"), QStringLiteral("site.json")};
        QTest::newRow("export-csv") << QStringList{QStringLiteral("export-csv"), QStringLiteral("extensions"),
                                                   QStringLiteral("e.csv")};
        QTest::newRow("import-csv, nothing to write")
            << QStringList{QStringLiteral("import-csv"), QStringLiteral("--yes"),
                           QStringLiteral("extensions"), QStringLiteral("e.csv")};
    }

    void eachCommandLogsInOnceAndReadsOnce()
    {
        QFETCH(QStringList, arguments);
        QVERIFY(ConfigTables::CreateEmpty());
        QVERIFY(TestDatabase::Run(
            {"INSERT INTO conf_system (Name, Value) VALUES ('CtiAddr', '10.9.8.7')",
             "INSERT INTO conf_line (id, type, value) VALUES (8001, 0, 'x'), (8002, 0, 'y')"}));
        QTemporaryDir folder;
        QDir::setCurrent(folder.path());
        const QProcessEnvironment console =
            WithPassword(Console(folder.filePath(QStringLiteral("config"))), TestDatabase::Password());
        // The files the reading commands compare with.
        for (const char* command : {"export", "export-csv"}) {
            const QStringList made = command == std::string("export")
                                         ? QStringList{QStringLiteral("export"), QStringLiteral("site.json")}
                                         : QStringList{QStringLiteral("export-csv"),
                                                       QStringLiteral("extensions"), QStringLiteral("e.csv")};
            const Outcome outcome = Run(made + DataSource(), console);
            QVERIFY2(outcome.exitCode == 0, qPrintable(Shown(outcome)));
        }

        CDelayProxy proxy(static_cast<std::uint16_t>(qEnvironmentVariableIntValue("TARVEX_DB_PORT")), 0);
        QProcessEnvironment throughProxy = console;
        const QString odbcIni = folder.filePath(QStringLiteral("odbc.ini"));
        QVERIFY(WriteProxyDataSource(odbcIni, QString::fromStdString(TestDatabase::Dsn()),
                                     QString::fromStdString(TestDatabase::Dsn() + "_proxy"), proxy.Port()));
        throughProxy.insert(QStringLiteral("ODBCINI"), odbcIni);
        const Outcome outcome = Run(
            arguments + QStringList{QStringLiteral("--dsn"),
                                    QString::fromStdString(TestDatabase::Dsn() + "_proxy"),
                                    QStringLiteral("--user"), QString::fromStdString(TestDatabase::User())},
            throughProxy);
        QVERIFY2(outcome.exitCode == 0, qPrintable(Shown(outcome)));
        // The login's four (greeting answered, the driver's first statements with the session's
        // set-up, its session tracking, the session check), then one read.
        QCOMPARE(proxy.RoundTrips(), 5L);
    }

    void passwordSources_data()
    {
        QTest::addColumn<QString>("source");
        QTest::newRow("environment") << "environment";
        QTest::newRow("password file") << "file";
        QTest::newRow("password file before the environment") << "file over environment";
        QTest::newRow("stored settings") << "settings";
    }

    void passwordSources()
    {
        QFETCH(QString, source);
        QTemporaryDir folder;
        TestSettings settings;
        QProcessEnvironment console = Console(settings.Folder());
        QStringList arguments = {QStringLiteral("export"), folder.filePath(QStringLiteral("site.json"))};
        if (source == QLatin1String("settings")) {
            QVERIFY(
                CDsnSettings::Write({TestDatabase::Dsn(), TestDatabase::User(), TestDatabase::Password()}));
        } else {
            arguments += DataSource();
        }
        if (source == QLatin1String("environment"))
            console = WithPassword(console, TestDatabase::Password());
        if (source.startsWith(QLatin1String("file"))) {
            const QString passwordFile = folder.filePath(QStringLiteral("password"));
            QVERIFY(WriteBytes(passwordFile, QByteArray::fromStdString(TestDatabase::Password()) + "\n"));
            arguments << QStringLiteral("--password-file") << passwordFile;
        }
        if (source == QLatin1String("file over environment"))
            console = WithPassword(console, "wrong");
        const Outcome outcome = Run(arguments, console);
        QVERIFY2(outcome.exitCode == 0, qPrintable(Shown(outcome)));
    }

    // A password that a connection string cannot carry as typed logs in as in the window.
    void passwordWithBlanksAtItsEdges()
    {
        const std::string password = " both ";
        QVERIFY(TestDatabase::Run(
            {"DROP USER IF EXISTS 'odd'@'127.0.0.1'", "DROP USER IF EXISTS 'odd'@'localhost'",
             "CREATE USER 'odd'@'127.0.0.1' IDENTIFIED BY '" + password + "'",
             "CREATE USER 'odd'@'localhost' IDENTIFIED BY '" + password + "'",
             "GRANT ALL ON *.* TO 'odd'@'127.0.0.1'", "GRANT ALL ON *.* TO 'odd'@'localhost'"}));
        QTemporaryDir folder;
        const QString file = folder.filePath(QStringLiteral("site.json"));
        const QStringList arguments = {QStringLiteral("export"), file,
                                       QStringLiteral("--dsn"),  QString::fromStdString(TestDatabase::Dsn()),
                                       QStringLiteral("--user"), QStringLiteral("odd")};
        const Outcome outcome =
            Run(arguments, WithPassword(Console(folder.filePath(QStringLiteral("config"))), password));
        QVERIFY(TestDatabase::Run({"DROP USER 'odd'@'127.0.0.1'", "DROP USER 'odd'@'localhost'"}));
        QVERIFY2(outcome.exitCode == 0, qPrintable(Shown(outcome)));
        QVERIFY(FileBytes(file).contains("\"CtiAddr\": \"base\""));
    }

    void failures_data()
    {
        QTest::addColumn<QStringList>(
            "arguments"); // "<file>" stands for a valid file, "<dsn>" for the data source
        QTest::addColumn<QString>("password"); // TARVEX_PASSWORD; "<test>" the test server's, "<none>" unset
        QTest::addColumn<QString>("said");
        const QString test = QStringLiteral("<test>");
        QTest::newRow("unknown option")
            << QStringList{QStringLiteral("diff"), QStringLiteral("<file>"), QStringLiteral("--frobnicate")}
            << test << "frobnicate";
        QTest::newRow("no file") << QStringList{QStringLiteral("export")} << test << "用法";
        // Without a display, a mistyped command must not end in the window's start-up.
        QTest::newRow("mistyped command")
            << QStringList{QStringLiteral("exprot"), QStringLiteral("<file>")} << test << "用法";
        QTest::newRow("two files") << QStringList{QStringLiteral("diff"), QStringLiteral("<file>"),
                                                  QStringLiteral("<file>"), QStringLiteral("<dsn>")}
                                   << test << "用法";
        QTest::newRow("no data source")
            << QStringList{QStringLiteral("diff"), QStringLiteral("<file>")} << test << "未指定数据源";
        QTest::newRow("wrong password")
            << QStringList{QStringLiteral("diff"), QStringLiteral("<file>"), QStringLiteral("<dsn>")}
            << "wrong"
            << "无法连接数据源";
        // No terminal to ask on and no password anywhere: the refusal says where one may come from.
        QTest::newRow("no password at all")
            << QStringList{QStringLiteral("diff"), QStringLiteral("<file>"), QStringLiteral("<dsn>")}
            << "<none>"
            << "未提供密码";
        // Console advice, not the window's.
        QTest::newRow("unknown data source")
            << QStringList{QStringLiteral("diff"), QStringLiteral("<file>"), QStringLiteral("--dsn"),
                           QStringLiteral("no_such_source")}
            << test << "odbcinst -q -s";
        QTest::newRow("missing file")
            << QStringList{QStringLiteral("import"), QStringLiteral("/nonexistent/site.json"),
                           QStringLiteral("--yes"), QStringLiteral("<dsn>")}
            << test << "文件不存在";
        QTest::newRow("file of another version")
            << QStringList{QStringLiteral("import"), QStringLiteral("<version 9>"), QStringLiteral("--yes"),
                           QStringLiteral("<dsn>")}
            << test << "版本 9 不受支持";
        QTest::newRow("broken file refused before a login")
            << QStringList{QStringLiteral("diff"), QStringLiteral("<version 9>"), QStringLiteral("<dsn>")}
            << "wrong"
            << "版本 9 不受支持";
        QTest::newRow("export where nothing can be written")
            << QStringList{QStringLiteral("export"), QStringLiteral("/nonexistent/site.json"),
                           QStringLiteral("<dsn>")}
            << test << "无法写入文件";
    }

    void failures()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, password);
        QFETCH(QString, said);
        QTemporaryDir folder;
        const QString file = folder.filePath(QStringLiteral("site.json"));
        QByteArray exported;
        std::string error;
        QVERIFY(CCfgFile::ToJson(*GetCfgData(), exported, error) && WriteBytes(file, exported));
        const QString otherVersion = folder.filePath(QStringLiteral("v9.json"));
        QVERIFY(WriteBytes(otherVersion, QByteArray(exported).replace("\"version\": 1", "\"version\": 9")));
        QStringList resolved;
        for (const QString& argument : arguments) {
            if (argument == QLatin1String("<dsn>"))
                resolved += DataSource();
            else if (argument == QLatin1String("<file>"))
                resolved << file;
            else if (argument == QLatin1String("<version 9>"))
                resolved << otherVersion;
            else
                resolved << argument;
        }
        const std::string secret =
            password == QLatin1String("<test>") ? TestDatabase::Password() : password.toStdString();
        const QProcessEnvironment console = Console(folder.filePath(QStringLiteral("config")));
        const Outcome outcome =
            Run(resolved, password == QLatin1String("<none>") ? console : WithPassword(console, secret));
        QVERIFY2(outcome.exitCode == 2 && outcome.err.contains(said) &&
                     !outcome.err.contains(QStringLiteral("DSN 列表")),
                 qPrintable(Shown(outcome)));
        QVERIFY(outcome.out.isEmpty());
        QCOMPARE(Setting("conf_system", "CtiAddr"), std::string("base"));
    }

    void configurationNotReadWholeIsNeitherExportedNorCompared()
    {
        QTemporaryDir folder;
        const QString file = folder.filePath(QStringLiteral("site.json"));
        QByteArray exported;
        std::string error;
        QVERIFY(CCfgFile::ToJson(*GetCfgData(), exported, error) && WriteBytes(file, exported));
        QVERIFY(TestDatabase::DropTables({"conf_sip_account"}));
        const QProcessEnvironment console =
            WithPassword(Console(folder.filePath(QStringLiteral("config"))), TestDatabase::Password());
        for (const char* command : {"export", "diff", "import"}) {
            const QString target = folder.filePath(QStringLiteral("again.json"));
            const Outcome outcome =
                Run(QStringList{QString::fromLatin1(command),
                                command == std::string("export") ? target : file, QStringLiteral("--yes")} +
                        DataSource(),
                    console);
            QVERIFY2(outcome.exitCode == 2 && outcome.err.contains(QStringLiteral("conf_sip_account")),
                     qPrintable(Shown(outcome)));
            QVERIFY(!QFile::exists(target));
        }
    }

    // `tarvex backups` lists the backups newest first without a login; `tarvex import` of one
    // restores its group alone, whatever the database holds in the others.
    void backupsListedAndRestored()
    {
        TestSettings own;
        QTemporaryDir folder;
        const QProcessEnvironment console =
            WithPassword(Console(folder.filePath(QStringLiteral("config"))), TestDatabase::Password());
        Outcome outcome = Run({QStringLiteral("backups")}, console);
        QVERIFY2(outcome.exitCode == 0 && outcome.out.contains(QStringLiteral("还没有备份")),
                 qPrintable(Shown(outcome)));

        GetCfgData()->CtiAddr = "wrong";
        const CfgWriteOutcome saved = GetCfgDb()->Save(CfgGroup::System, nullptr);
        QVERIFY(saved.IsWritten());
        const QString backup = QString::fromStdString(saved.backup);
        QVERIFY(TestDatabase::Run({"INSERT INTO conf_line (id, type, value) VALUES (7777, 0, 'since')"}));

        outcome = Run({QStringLiteral("backups")}, console);
        QVERIFY2(outcome.exitCode == 0, qPrintable(Shown(outcome)));
        const QStringList fields = outcome.out.split(QLatin1Char('\n')).value(0).split(QLatin1Char('\t'));
        QCOMPARE(fields.value(0), backup);
        QCOMPARE(fields.value(2), QString::fromStdString(TestDatabase::Dsn()));
        QCOMPARE(fields.value(3), QStringLiteral("中间件配置"));

        outcome = Run(QStringList{QStringLiteral("import"), backup, QStringLiteral("--yes")} + DataSource(),
                      console);
        QVERIFY2(outcome.exitCode == 0, qPrintable(Shown(outcome)));
        QVERIFY2(outcome.out.contains(QStringLiteral("CTI地址：\"wrong\" -> \"base\"")) &&
                     outcome.out.contains(QStringLiteral("线路配置：无变化")),
                 qPrintable(outcome.out));
        QCOMPARE(Setting("conf_system", "CtiAddr"), std::string("base"));
        QCOMPARE(TestDatabase::Rows("SELECT value FROM conf_line WHERE id = 7777", 1), Texts{"since"});
    }

    // A list written from a file and exported again gives the file back byte for byte, hard
    // texts and all: UTF-8 with its byte-order mark, CR LF, the grids' names, quoting where needed.
    void sheetsComeBackByteForByte_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QByteArray>("rows");
        QTest::addColumn<QString>("table");
        QTest::newRow("extensions") << QStringLiteral("extensions")
                                    << QByteArray("分机号,接入密码\r\n7,\r\n8001,\"引号\"\"，逗号,\"\r\n"
                                                  "8002,\"换行\r\n第二行\"\r\n4294967,back\\slash\\\r\n")
                                    << QStringLiteral("conf_line");
        QTest::newRow("sip accounts")
            << QStringLiteral("sip-accounts")
            << QByteArray("ID,账户,鉴权账户,密码,注册地址,注册端口,是否注册,注册间隔\r\n"
                          "-3,\"a,b\",\"\"\"q\"\"\",密码\\,host.example,1,false,-2147483648\r\n"
                          "12,中文账户,\"x\ny\",,10.0.0.1,65535,true,2147483647\r\n")
            << QStringLiteral("conf_sip_account");
        QTest::newRow("trunk items") << QStringLiteral("trunk-items")
                                     << QByteArray("ID,设备节点,设备板号,数字中继口,SIP账号ID\r\n"
                                                   "1,0,0,-1,12\r\n2,1,2,3,-1\r\n")
                                     << QStringLiteral("conf_trunk_item");
        QTest::newRow("trunk matches") << QStringLiteral("trunk-matches")
                                       << QByteArray("ID,字冠,透传号码,中继项ID,优先级\r\n"
                                                     "1,9,,1,1\r\n2,\"0,\",\"中\"\"文\",2,4\r\n3,9,,2,3\r\n")
                                       << QStringLiteral("conf_trunk_match");
    }
    void sheetsComeBackByteForByte()
    {
        QFETCH(QString, list);
        QFETCH(QByteArray, rows);
        QFETCH(QString, table);
        QTemporaryDir folder;
        const QProcessEnvironment console =
            WithPassword(Console(folder.filePath(QStringLiteral("config"))), TestDatabase::Password());
        const QString in = folder.filePath(QStringLiteral("in.csv"));
        const QString out = folder.filePath(QStringLiteral("out.csv"));
        const QByteArray file = QByteArray("\xEF\xBB\xBF") + rows;
        QVERIFY(WriteBytes(in, file));

        Outcome outcome = Run(QStringList{QStringLiteral("import-csv"), list, in, QStringLiteral("--replace"),
                                          QStringLiteral("--yes")} +
                                  DataSource(),
                              console);
        QVERIFY2(outcome.exitCode == 0, qPrintable(Shown(outcome)));
        QVERIFY2(outcome.out.contains(QStringLiteral("已按 UTF-8（带BOM） 读取")), qPrintable(outcome.out));
        QVERIFY2(outcome.out.endsWith(QStringLiteral("已写入：线路配置\n")), qPrintable(outcome.out));
        const int records = int(rows.count("\r\n")) - int(rows.count("\r\n第二行")) - 1;
        QCOMPARE(TestDatabase::Rows("SELECT COUNT(*) FROM " + table.toStdString() +
                                        (table == QLatin1String("conf_line") ? " WHERE type = 0" : ""),
                                    1),
                 Texts{std::to_string(records)});

        outcome = Run(QStringList{QStringLiteral("export-csv"), list, out} + DataSource(), console);
        QVERIFY2(outcome.exitCode == 0, qPrintable(Shown(outcome)));
        QCOMPARE(FileBytes(out), file);
    }

    // A GBK file from a Chinese spreadsheet, merged after the question: the answer decides.
    void gbkSheetMergedOnTheAnswer()
    {
        QTemporaryDir folder;
        const QProcessEnvironment console =
            WithPassword(Console(folder.filePath(QStringLiteral("config"))), TestDatabase::Password());
        const QString in = folder.filePath(QStringLiteral("gbk.csv"));
        // 分机号,接入密码 / 9001,密码
        QVERIFY(WriteBytes(in, QByteArray("\xB7\xD6\xBB\xFA\xBA\xC5,\xBD\xD3\xC8\xEB\xC3\xDC\xC2\xEB\r\n"
                                          "9001,\xC3\xDC\xC2\xEB\r\n")));
        const QStringList command =
            QStringList{QStringLiteral("import-csv"), QStringLiteral("extensions"), in} + DataSource();
        const Texts before = TestDatabase::Rows("SELECT id, value FROM conf_line ORDER BY id", 2);

        Outcome outcome = Run(command, console, "n\n");
        QVERIFY2(outcome.exitCode == 1, qPrintable(Shown(outcome)));
        QVERIFY2(outcome.out.contains(QStringLiteral("已按 GBK 读取")) &&
                     outcome.out.contains(QStringLiteral("1 条分机记录（合并）")) &&
                     outcome.out.contains(QStringLiteral("分机 9001：新增")),
                 qPrintable(outcome.out));
        QCOMPARE(TestDatabase::Rows("SELECT id, value FROM conf_line ORDER BY id", 2), before);

        outcome = Run(command, console, "y\n");
        QVERIFY2(outcome.exitCode == 0, qPrintable(Shown(outcome)));
        QCOMPARE(TestDatabase::Rows("SELECT value FROM conf_line WHERE id = 9001", 1), Texts{"密码"});
        // Merged: what was there stays.
        QCOMPARE(TestDatabase::Rows("SELECT COUNT(*) FROM conf_line", 1),
                 Texts{std::to_string(before.size() + 1)});
    }

    // A colleague who saves after the differences are listed, while the command waits for its
    // "y", is not written over: the import is refused, and run again it shows the new ones.
    void aColleaguesChangeWhileAskingRefusesTheImport()
    {
        QTemporaryDir folder;
        const QString in = folder.filePath(QStringLiteral("extensions.csv"));
        QVERIFY(WriteBytes(in, "分机号,接入密码\n9001,new\n"));
        QProcess process;
        process.setProcessEnvironment(
            WithPassword(Console(folder.filePath(QStringLiteral("config"))), TestDatabase::Password()));
        process.start(QStringLiteral(TARVEX_EXECUTABLE),
                      QStringList{QStringLiteral("import-csv"), QStringLiteral("extensions"), in} +
                          DataSource());
        QByteArray out;
        QVERIFY(QTest::qWaitFor(
            [&] {
                process.waitForReadyRead(100);
                out += process.readAllStandardOutput();
                return out.contains("分机 9001：新增");
            },
            kRunLimitMs));
        QVERIFY(TestDatabase::Run({"INSERT INTO conf_line (id, type, value) VALUES (9100, 0, 'colleague')"}));
        process.write("y\n");
        process.closeWriteChannel();
        QVERIFY(process.waitForFinished(kRunLimitMs));
        const QString err = QString::fromUtf8(process.readAllStandardError());
        QCOMPARE(process.exitCode(), 2);
        QVERIFY2(err.contains(QStringLiteral("已被他人修改")) && err.contains(QStringLiteral("请重新运行")),
                 qPrintable(err));
        QCOMPARE(TestDatabase::Rows("SELECT value FROM conf_line WHERE id IN (9001, 9100) ORDER BY id", 1),
                 Texts{"colleague"});
    }

    // A sheet with problems, or an unknown list, is refused before any login: here there is
    // no data source to log in to, and the message is the file's.
    void sheetsRefusedBeforeALogin_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("error");
        QTest::newRow("problems") << QStringList{QStringLiteral("import-csv"), QStringLiteral("sip-accounts")}
                                  << QByteArray("ID,是否注册\n1,maybe\n")
                                  << QStringLiteral("第 2 行“是否注册”列");
        QTest::newRow("list unknown")
            << QStringList{QStringLiteral("import-csv"), QStringLiteral("lines")} << QByteArray("ID\n1\n")
            << QStringLiteral("没有名为 lines 的表，可用的表：extensions、sip-accounts、"
                              "trunk-items、trunk-matches");
        QTest::newRow("no list") << QStringList{QStringLiteral("export-csv")} << QByteArray()
                                 << QStringLiteral("用法：");
    }
    void sheetsRefusedBeforeALogin()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, file);
        QFETCH(QString, error);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("f.csv"));
        QVERIFY(WriteBytes(path, file));
        const Outcome outcome = Run(arguments << path, Console(folder.filePath(QStringLiteral("config"))));
        QVERIFY2(outcome.exitCode == 2 && outcome.err.contains(error), qPrintable(Shown(outcome)));
        QVERIFY2(!outcome.err.contains(QStringLiteral("数据源")), qPrintable(Shown(outcome)));
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
