#include "cli/CCommandLine.h"

#include "cli/CTerminal.h"
#include "cli/QtTranslations.h"
#include "config/catalogue/CfgGroups.h"
#include "config/document/CCfgChanges.h"
#include "config/document/CCfgDocument.h"
#include "config/formats/CCfgBackups.h"
#include "config/formats/CCsvSheet.h"
#include "config/sessions/CCfgClusterConversion.h"
#include "config/sessions/CCfgFileSession.h"
#include "config/sessions/CCfgImport.h"
#include "db/CDsnSettings.h"
#include "db/ConnectAdvice.h"
#include "db/IOtlConnection.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>

namespace {

const char* const kPasswordVariable = "TARVEX_PASSWORD";

void Print(std::FILE* stream, const std::string& text)
{
    std::fwrite(text.data(), 1, text.size(), stream);
    std::fflush(stream);
}

int Fail(const std::string& message)
{
    Print(stderr, "tarvex: " + message + "\n");
    return CCommandLine::kFailed;
}

bool ReadPasswordFile(const QString& path, std::string& password, std::string& error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = "无法读取密码文件 " + path.toStdString() + "：" + file.errorString().toStdString();
        return false;
    }
    QByteArray line = file.readLine();
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    password = line.toStdString();
    return true;
}

/// The data source, user and password to connect with: options first, then the stored
/// settings; the password never from the command line itself.
bool ResolveDataSource(const QCommandLineParser& parser, const QCommandLineOption& dsnOption,
                       const QCommandLineOption& userOption, const QCommandLineOption& passwordFileOption,
                       DsnValues& source, bool& noPassword, std::string& error)
{
    noPassword = false;
    DsnValues stored;
    // Reading the settings creates them when missing; a command leaves the user's files alone.
    const bool haveStored = QFile::exists(QString::fromStdString(CDsnSettings::FileName()));
    if (haveStored)
        CDsnSettings::Read(stored);
    source.dsn = parser.isSet(dsnOption) ? parser.value(dsnOption).toStdString() : stored.dsn;
    source.user = parser.isSet(userOption) ? parser.value(userOption).toStdString() : stored.user;
    if (source.dsn.empty()) {
        error = "未指定数据源：请用 --dsn 指定，或先在 Tarvex 窗口中设置数据源";
        return false;
    }
    if (parser.isSet(passwordFileOption))
        return ReadPasswordFile(parser.value(passwordFileOption), source.password, error);
    if (qEnvironmentVariableIsSet(kPasswordVariable)) {
        source.password = qgetenv(kPasswordVariable).toStdString();
        return true;
    }
    if (haveStored && source.dsn == stored.dsn && source.user == stored.user) {
        source.password = stored.password;
        return true;
    }
    if (!CTerminal::IsInteractive()) {
        // An account may have no password: tried without one, and said so should it fail.
        noPassword = true;
        return true;
    }
    if (!CTerminal::ReadSecret("数据源 " + source.dsn + " 用户 " + source.user + " 的密码：",
                               source.password)) {
        error = "未输入密码";
        return false;
    }
    return true;
}

/// Connects as the window does and reads the whole configuration into `session`.
/// `noPassword`: none was given and none could be asked for.
bool ConnectAndRead(const DsnValues& source, bool noPassword, CCfgFileSession& session, std::string& error)
{
    std::string connectError;
    if (!IOtlConnection::getInstance()->ConnectDsn(source.dsn, source.user, source.password, connectError)) {
        error = "无法连接数据源 " + source.dsn + "：" + connectError;
        if (noPassword)
            error += std::string("\r\n未提供密码（没有终端可以询问），因此以空密码登录。密码可以来自 "
                                 "--password-file 指定的文件、环境变量 ") +
                     kPasswordVariable +
                     "，或在 Tarvex 窗口中为该数据源和用户保存的设置；在终端中运行时会询问密码。";
        return false;
    }
    return session.ReadDatabase(error);
}

int Export(const QString& file, CCfgFileSession& session)
{
    std::string error;
    if (!session.Export(file, error))
        return Fail(error);
    Print(stdout, "已将配置导出到 " + file.toStdString() + "\n");
    return CCommandLine::kDone;
}

/// Prints how the database would change.
CCfgChanges PrintChanges(const QString& file, const DsnValues& source, const CCfgFileSession& session)
{
    CCfgChanges changes = session.Compare();
    Print(stdout, "数据源 " + source.dsn + " 中的配置 -> 文件 " + file.toStdString() + " 中的配置：\n" +
                      changes.ToText());
    return changes;
}

bool Confirmed(const std::string& question)
{
    std::string answer;
    if (!CTerminal::ReadLine(question + "输入 y 确认：", answer))
        return false;
    const QString word = QString::fromStdString(answer).trimmed().toLower();
    return word == QStringLiteral("y") || word == QStringLiteral("yes") || word == QStringLiteral("是");
}

/// The terminal's questions: the import is confirmed by typing y, unless --yes says so
/// beforehand; a colleague's changes made after the differences were listed are never
/// written over unseen.
class TerminalImportQuestions final : public ICfgImportQuestions
{
public:
    explicit TerminalImportQuestions(bool askFirst) : m_askFirst(askFirst) {}
    bool ConfirmImport(const CCfgChanges& changes) override
    {
        return !m_askFirst ||
               Confirmed("将以上变更写入数据库（" + CfgGroupNames(changes.DifferingGroups()) + "）？");
    }
    bool Overwrite(CfgGroup, const CCfgChanges&) override { return false; }

private:
    bool m_askFirst;
};

int Import(const CCfgChanges& changes, CCfgFileSession& session, bool askFirst)
{
    CCfgDocument document;
    TerminalImportQuestions questions(askFirst);
    const CfgImportOutcome outcome = CCfgImport::Run(session, changes, document, questions);
    switch (outcome.result) {
    case CfgImportOutcome::Result::Unchanged:
        Print(stdout, "数据库已与文件一致，未写入任何内容。\n");
        return CCommandLine::kDone;
    case CfgImportOutcome::Result::NotConfirmed:
        Print(stderr, "未确认，未写入任何内容。\n");
        return CCommandLine::kChanges;
    case CfgImportOutcome::Result::Refused:
        return Fail(outcome.error);
    case CfgImportOutcome::Result::Failed:
        return Fail(outcome.declined ? outcome.error + "（在列出差异之后）；请重新运行，查看新的差异"
                                     : outcome.error);
    case CfgImportOutcome::Result::Written:
        break;
    }
    Print(stdout, "已写入：" + CfgGroupNames(outcome.written) + "\n");
    return CCommandLine::kDone;
}

int ListBackups()
{
    const std::vector<CCfgBackups::Entry> backups = CCfgBackups::List();
    if (backups.empty()) {
        Print(stdout, "还没有备份（" + CCfgBackups::Folder().toStdString() + "）。\n");
        return CCommandLine::kDone;
    }
    for (const CCfgBackups::Entry& backup : backups) {
        Print(stdout, backup.path.toStdString() + "\t" + backup.header.time + "\t" +
                          backup.header.dataSource + "\t" + CfgGroupName(backup.header.group) + "\n");
    }
    return CCommandLine::kDone;
}

int ExportSheet(CsvList list, const QString& file, CCfgFileSession& session)
{
    std::string error;
    if (!session.ExportSheet(list, file, error))
        return Fail(error);
    Print(stdout, std::string("已将") + CsvListLayoutOf(list).title + "导出到 " + file.toStdString() + "\n");
    return CCommandLine::kDone;
}

/// The options every command reads.
struct Options
{
    QCommandLineOption dsn{{QStringLiteral("d"), QStringLiteral("dsn")},
                           QStringLiteral("数据源名称（默认取自保存的设置）"),
                           QStringLiteral("名称")};
    QCommandLineOption user{{QStringLiteral("u"), QStringLiteral("user")},
                            QStringLiteral("数据库用户（默认取自保存的设置）"),
                            QStringLiteral("用户")};
    QCommandLineOption passwordFile{QStringLiteral("password-file"),
                                    QStringLiteral("从该文件的第一行读取密码"), QStringLiteral("文件")};
    QCommandLineOption yes{{QStringLiteral("y"), QStringLiteral("yes")},
                           QStringLiteral("import、import-csv、convert-cluster 时不询问，直接写入")};
    QCommandLineOption replace{QStringLiteral("replace"),
                               QStringLiteral("import-csv 时以文件为整个表（文件中没有的记录被删除）")};
};

/// A command as given: its words after the command's own, and the options.
struct Given
{
    const QCommandLineParser& parser;
    const Options& options;
    QStringList words;

    bool LogIn(DsnValues& source, CCfgFileSession& session, std::string& error) const
    {
        bool noPassword = false;
        return ResolveDataSource(parser, options.dsn, options.user, options.passwordFile, source, noPassword,
                                 error) &&
               ConnectAndRead(source, noPassword, session, error);
    }
};

/// export, diff and import: the whole configuration against a configuration or backup file.
int RunFileCommand(const Given& given, bool exporting, bool importing)
{
    const QString file = given.words.at(0);
    CCfgFileSession session(*IOtlConnection::getInstance());
    DsnValues source;
    std::string error;
    // A broken file is refused before a login.
    if ((!exporting && !session.ReadFile(file, error)) || !given.LogIn(source, session, error))
        return Fail(error);
    if (exporting)
        return Export(file, session);
    const CCfgChanges changes = PrintChanges(file, source, session);
    if (!importing)
        return changes.IsEmpty() ? CCommandLine::kDone : CCommandLine::kChanges;
    return Import(changes, session, !given.parser.isSet(given.options.yes));
}

/// export-csv and import-csv: one record list against a CSV file.
int RunSheetCommand(const Given& given, bool exporting)
{
    CsvList list = CsvList::Extensions;
    if (!CsvListFromWord(given.words.at(0).toStdString(), list))
        return Fail("没有名为 " + given.words.at(0).toStdString() + " 的表，可用的表：" + CsvListWords());
    const QString file = given.words.at(1);
    const bool replace = given.parser.isSet(given.options.replace);
    CCsvSheet sheet;
    CCfgFileSession session(*IOtlConnection::getInstance());
    DsnValues source;
    std::string error;
    // A broken file is refused before a login.
    if ((!exporting && !sheet.Read(file, list, error)) || !given.LogIn(source, session, error))
        return Fail(error);
    if (exporting)
        return ExportSheet(list, file, session);
    Print(stdout, "已按 " + sheet.Encoding() + " 读取 " + file.toStdString() + "：" +
                      std::to_string(sheet.RowCount()) + " 条" + CsvListLayoutOf(list).title + "记录（" +
                      (replace ? "替换整个表" : "合并") + "）\n");
    if (!session.TakeSheet(sheet, replace ? CCsvSheet::Mode::Replace : CCsvSheet::Mode::Merge, error))
        return Fail(error);
    return Import(PrintChanges(file, source, session), session, !given.parser.isSet(given.options.yes));
}

/// convert-cluster: the configuration tables to InnoDB, after a backup of every group.
int ConvertForCluster(const Given& given)
{
    IOtlConnection& db = *IOtlConnection::getInstance();
    CCfgFileSession session(db);
    DsnValues source;
    std::vector<CCfgClusterConversion::Table> tables;
    std::string error;
    if (!given.LogIn(source, session, error) || !CCfgClusterConversion::Find(db, tables, error))
        return Fail(error);
    if (tables.empty()) {
        Print(stdout, "数据源 " + source.dsn + " 的配置表都已是 InnoDB，无需转换。\n");
        return CCommandLine::kDone;
    }
    Print(stdout, "数据源 " + source.dsn + " 中这些配置表的存储引擎不会在集群中复制：" +
                      CCfgClusterTables::Names(tables) + "。\n转换前会先备份全部配置组。\n");
    if (!given.parser.isSet(given.options.yes) && !Confirmed("把它们转换为 InnoDB？")) {
        Print(stderr, "未确认，未转换任何表。\n");
        return CCommandLine::kChanges;
    }
    CCfgClusterConversion::Result result;
    if (!CCfgClusterConversion::Convert(db, session.Database(), tables, result, error))
        return Fail(error);
    Print(stdout, "已转换为 InnoDB：" + result.ConvertedNames() + "\n转换前的配置已备份在：\n");
    for (const std::string& backup : result.backups)
        Print(stdout, "  " + backup + "\n");
    return CCommandLine::kDone;
}

/// One command: its word, the words it takes, its lines of the help, and what runs it.
struct Command
{
    const char* word;
    const char* arguments; // as the help and the usage show them; one word each
    const char* help;      // continuation lines start with a line break
    int (*run)(const Given& given);

    qsizetype ArgumentCount() const { return QString::fromUtf8(arguments).count(QLatin1Char('<')); }
};

const std::array<Command, 7>& Commands()
{
    static const std::array<Command, 7> commands = {{
        {"export", "<文件>", "将数据库中的全部配置导出到文件（JSON）",
         [](const Given& given) { return RunFileCommand(given, true, false); }},
        {"diff", "<文件>", "比较数据库与文件，按配置组列出差异（数据库中的值 -> 文件中的值）",
         [](const Given& given) { return RunFileCommand(given, false, false); }},
        {"import", "<文件>",
         "列出差异，确认后只写入有差异的配置组（--yes 不询问）；\n也可以是一个备份文件，恢复其中的配置组",
         [](const Given& given) { return RunFileCommand(given, false, true); }},
        {"backups", "", "列出保存和导入前所做的备份（文件、时间、数据源、配置组），最新的在前",
         [](const Given&) { return ListBackups(); }},
        {"export-csv", "<表> <文件>", "将一个记录表导出为 CSV 文件（UTF-8，带 BOM，电子表格可直接打开）",
         [](const Given& given) { return RunSheetCommand(given, true); }},
        {"import-csv", "<表> <文件>",
         "从 CSV 文件（UTF-8 或 "
         "GBK）导入一个记录表：列出差异，确认后写入\n线路配置；默认合并（按键添加或更新记录），"
         "--replace "
         "以文件为整个表\n<表>：extensions（分机）、sip-accounts（SIP账户）、trunk-items（中继项）、\n"
         "trunk-matches（中继匹配）",
         [](const Given& given) { return RunSheetCommand(given, false); }},
        {"convert-cluster", "",
         "把存储引擎不会在集群中复制的配置表转换为 InnoDB：列出这些表，\n确认后先备份全部配置组再转换（--yes "
         "不询问）",
         ConvertForCluster},
    }};
    return commands;
}

const Command* CommandOf(const QString& word)
{
    for (const Command& command : Commands()) {
        if (word == QLatin1String(command.word))
            return &command;
    }
    return nullptr;
}

QString Description()
{
    QString text = QStringLiteral("Tarvex 配置文件命令（无需图形界面）：\n");
    const QString indent(17, QLatin1Char(' '));
    for (const Command& command : Commands()) {
        QString synopsis = QStringLiteral("  ") + QLatin1String(command.word);
        if (*command.arguments)
            synopsis += QLatin1Char(' ') + QString::fromUtf8(command.arguments);
        const QStringList lines = QString::fromUtf8(command.help).split(QLatin1Char('\n'));
        // Chinese characters take two columns of a terminal.
        qsizetype columns = 0;
        for (const QChar c : synopsis)
            columns += c.unicode() >= 0x2E80 ? 2 : 1;
        text += synopsis + QString(std::max<qsizetype>(2, indent.size() - columns), QLatin1Char(' ')) +
                lines.front() + QLatin1Char('\n');
        for (const QString& line : lines.mid(1))
            text += indent + line + QLatin1Char('\n');
    }
    return text + QStringLiteral("\n"
                                 "数据源与用户默认取自程序保存的数据源设置，可用 --dsn、--user 另行指定。\n"
                                 "密码依次取自 --password-file 指定的文件、环境变量 TARVEX_PASSWORD、\n"
                                 "保存的设置（桌面密钥环，或私有的设置文件；数据源和用户与之相同时），\n"
                                 "否则在终端上询问（不回显）。\n"
                                 "密码从不需要写在命令行上。\n"
                                 "\n"
                                 "退出码：0 完成（diff：没有差异）；1 diff 发现差异，或 "
                                 "import、convert-cluster 未获确认；\n2 出错。\n"
                                 "不带命令启动时打开 Tarvex 窗口。");
}

std::string Usage()
{
    QStringList forms;
    for (const Command& command : Commands())
        forms << QStringLiteral("tarvex %1%2")
                     .arg(QLatin1String(command.word),
                          *command.arguments ? QLatin1Char(' ') + QString::fromUtf8(command.arguments)
                                             : QString());
    return "用法：" + forms.join(QStringLiteral("，")).toStdString() + "（选项详见 tarvex --help）";
}

const char* const kHelpOptions[] = {"-h", "--help", "-?", "--help-all"};

} // namespace

bool CCommandLine::IsCommand(int argc, char* argv[])
{
    // A first argument that is no option is a command, known or mistyped: a mistyped one is
    // refused with the usage rather than taken for the window. Options alone (Qt's own, such
    // as -platform) go to the window.
    if (argc > 1 && argv[1][0] != '-')
        return true;
    for (int index = 1; index < argc; ++index) {
        for (const Command& command : Commands()) {
            if (std::strcmp(argv[index], command.word) == 0)
                return true;
        }
        for (const char* word : kHelpOptions) {
            if (std::strcmp(argv[index], word) == 0)
                return true;
        }
    }
    return false;
}

int CCommandLine::Run(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    SetProcessAdviceReader(AdviceReader::Console);
    // Qt's own lines of the help (-h, --help-all) in Chinese like the rest.
    InstallQtChineseTranslations(application);
    QCommandLineParser parser;
    parser.setApplicationDescription(Description());
    QStringList words;
    for (const Command& command : Commands())
        words << QString::fromLatin1(command.word);
    parser.addPositionalArgument(QStringLiteral("command"), words.join(QStringLiteral("、")),
                                 QStringLiteral("<命令>"));
    parser.addPositionalArgument(
        QStringLiteral("arguments"),
        QStringLiteral("命令所需：<文件> 为配置文件（import 也可以是备份文件），export-csv、import-csv 的 "
                       "<文件> 为 CSV 文件"),
        QStringLiteral("[<表>] [<文件>]"));
    const Options options;
    parser.addOptions({options.dsn, options.user, options.passwordFile, options.yes, options.replace});
    const QCommandLineOption help = parser.addHelpOption();

    if (!parser.parse(QCoreApplication::arguments()))
        return Fail(parser.errorText().toStdString() + "（用法见 tarvex --help）");
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        Print(stdout, parser.helpText().toStdString());
        return kDone;
    }
    const QStringList arguments = parser.positionalArguments();
    const Command* command = CommandOf(arguments.value(0));
    if (!command || arguments.size() != command->ArgumentCount() + 1)
        return Fail(Usage());
    return command->run(Given{parser, options, arguments.mid(1)});
}
