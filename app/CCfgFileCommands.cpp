#include "app/CCfgFileCommands.h"

#include "config/catalogue/CfgGroups.h"
#include "config/document/CCfgChanges.h"
#include "config/formats/CCfgBackups.h"
#include "config/sessions/CCfgClusterConversion.h"
#include "config/sessions/CCfgFileSession.h"
#include "config/sessions/CCfgImport.h"
#include "controls/CBusyScope.h"
#include "controls/CFileChooser.h"
#include "controls/UserMessage.h"
#include "db/CDsnSettings.h"
#include "db/IOtlConnection.h"
#include "dialogs/CDialogBackups.h"
#include "dialogs/CDialogCfgChanges.h"
#include "dialogs/CDialogCsvList.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <utility>

namespace {

std::string DataSource()
{
    DsnValues values;
    CDsnSettings::Read(values);
    return values.dsn;
}

/// A file name for an export: the data source, `word` and the time, with the characters that
/// file systems refuse replaced.
QString SuggestedName(const std::string& dsn, const QString& word, const QString& suffix)
{
    QString name = dsn.empty() ? QStringLiteral("tarvex") : QString::fromStdString(dsn);
    if (!word.isEmpty())
        name += QLatin1Char('-') + word;
    for (QChar& c : name) {
        if (c.unicode() < 0x20 || QStringLiteral("/\\:*?\"<>|").contains(c))
            c = QLatin1Char('_');
    }
    return name + QLatin1Char('-') + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmm")) +
           QLatin1Char('.') + suffix;
}

const CCfgFileCommands::FileKind& ConfigurationFiles()
{
    static const CCfgFileCommands::FileKind kind{QStringLiteral("配置文件 (*.json)"), QStringLiteral("json")};
    return kind;
}

const CCfgFileCommands::FileKind& SheetFiles()
{
    static const CCfgFileCommands::FileKind kind{QStringLiteral("CSV 表格 (*.csv)"), QStringLiteral("csv")};
    return kind;
}

} // namespace

CCfgFileCommands::CCfgFileCommands(QWidget* window, CCfgDocument& document,
                                   std::function<void()> refreshPages)
    : QObject(window), m_window(window), m_document(document), m_refreshPages(std::move(refreshPages)),
      m_folder(CFileChooser::LastFolder())
{
}

QString CCfgFileCommands::ChooseFile(bool save, const QString& title, const FileKind& kind,
                                     const QString& nameWord)
{
    CFileChooser::Request request;
    request.owner = m_window;
    request.mode = save ? CFileChooser::Mode::Save : CFileChooser::Mode::Open;
    request.title = title;
    request.start =
        save ? QDir(m_folder).filePath(SuggestedName(DataSource(), nameWord, kind.suffix)) : m_folder;
    request.filters = QStringList{kind.filter, QStringLiteral("所有文件 (*)")};
    request.defaultSuffix = kind.suffix;
    const QString path = CFileChooser::Choose(request);
    if (!path.isEmpty())
        m_folder = QFileInfo(path).absolutePath();
    return path;
}

std::string CCfgFileCommands::ReadDatabase(CCfgFileSession& session)
{
    const CBusyScope busy(m_window, QStringLiteral("正在读取数据库中的配置..."));
    std::string error;
    return session.ReadDatabase(error) ? std::string() : error + "。\r\n请检查数据库中的这些表后重试";
}

QString CCfgFileCommands::Heading(const QString& path) const
{
    return QStringLiteral("数据源 %1 中的配置 -> 文件 %2 中的配置：")
        .arg(QString::fromStdString(DataSource()), QDir::toNativeSeparators(path));
}

void CCfgFileCommands::OnExportCfg()
{
    const QString path = ChooseFile(true, QStringLiteral("导出配置到文件"), ConfigurationFiles());
    if (path.isEmpty())
        return;
    CCfgFileSession session(*IOtlConnection::getInstance());
    std::string error = ReadDatabase(session);
    if (!error.empty() || !session.Export(path, error)) {
        ShowNotice(m_window, "配置导出失败：" + error);
        return;
    }
    // What the pages show unsaved is not in the database, so not in the file either.
    ShowNotice(m_window, "配置已导出到 " + QDir::toNativeSeparators(path).toStdString() +
                             "。\r\n文件中是数据源 " + DataSource() +
                             " 中现有的配置；各页面上尚未保存的修改不在其中。");
}

void CCfgFileCommands::OnCompareCfg()
{
    const QString path = ChooseFile(false, QStringLiteral("选择要比较的配置文件"), ConfigurationFiles());
    if (path.isEmpty())
        return;
    CCfgFileSession session(*IOtlConnection::getInstance());
    std::string error;
    if (session.ReadFile(path, error))
        error = ReadDatabase(session);
    if (!error.empty()) {
        ShowNotice(m_window, "配置比较失败：" + error);
        return;
    }
    const CCfgChanges changes = session.Compare();
    if (changes.IsEmpty()) {
        ShowNotice(m_window, "文件 " + QDir::toNativeSeparators(path).toStdString() + " 与数据源 " +
                                 DataSource() + " 中的配置没有差异。");
        return;
    }
    CDialogCfgChanges viewer(CDialogCfgChanges::Mode::View, Heading(path),
                             QString::fromStdString(changes.ToText()), QString(), m_window);
    viewer.exec();
}

void CCfgFileCommands::OnImportCfg()
{
    const QString path = ChooseFile(false, QStringLiteral("选择要导入的配置文件"), ConfigurationFiles());
    if (!path.isEmpty())
        ImportFile(path);
}

void CCfgFileCommands::OnRestoreBackup()
{
    CDialogBackups backups(CCfgBackups::List(), m_window);
    if (backups.exec() == QDialog::Accepted)
        ImportFile(backups.ChosenPath());
}

void CCfgFileCommands::OnExportSheet()
{
    CDialogCsvList choice(CDialogCsvList::Purpose::Export, m_window);
    if (choice.exec() != QDialog::Accepted)
        return;
    const CsvListLayout& layout = CsvListLayoutOf(choice.List());
    const QString path = ChooseFile(true, QStringLiteral("导出%1表格").arg(QString::fromUtf8(layout.title)),
                                    SheetFiles(), QString::fromUtf8(layout.title));
    if (path.isEmpty())
        return;
    CCfgFileSession session(*IOtlConnection::getInstance());
    std::string error = ReadDatabase(session);
    if (!error.empty() || !session.ExportSheet(choice.List(), path, error)) {
        ShowNotice(m_window, "表格导出失败：" + error);
        return;
    }
    ShowNotice(m_window, std::string(layout.title) + "已导出到 " +
                             QDir::toNativeSeparators(path).toStdString() + "。\r\n文件中是数据源 " +
                             DataSource() + " 中现有的" + layout.title + "；页面上尚未保存的修改不在其中。");
}

void CCfgFileCommands::OnImportSheet()
{
    CDialogCsvList choice(CDialogCsvList::Purpose::Import, m_window);
    if (choice.exec() != QDialog::Accepted)
        return;
    const CsvListLayout& layout = CsvListLayoutOf(choice.List());
    const QString path = ChooseFile(
        false, QStringLiteral("选择要导入的%1表格").arg(QString::fromUtf8(layout.title)), SheetFiles());
    if (path.isEmpty())
        return;
    CCsvSheet sheet;
    std::string error;
    bool read = false;
    {
        const CBusyScope busy(m_window, QStringLiteral("正在检查表格..."));
        read = sheet.Read(path, choice.List(), error);
    }
    CCfgFileSession session(*IOtlConnection::getInstance());
    if (read)
        error = ReadDatabase(session);
    if (!error.empty() || !session.TakeSheet(sheet, choice.Mode(), error)) {
        ShowNotice(m_window, "表格导入失败：" + error);
        return;
    }
    const bool replace = choice.Mode() == CCsvSheet::Mode::Replace;
    const QString note = QStringLiteral("已按 %1 读取文件中的 %2 条%3记录（%4）。\r\n")
                             .arg(QString::fromStdString(sheet.Encoding()), QString::number(sheet.RowCount()),
                                  QString::fromUtf8(layout.title),
                                  replace ? QStringLiteral("替换整个表") : QStringLiteral("合并"));
    WriteAfterQuestion(session, path, std::string(layout.title) + "表格", note);
}

void CCfgFileCommands::ImportFile(const QString& path)
{
    CCfgFileSession session(*IOtlConnection::getInstance());
    std::string error;
    if (!session.ReadFile(path, error)) {
        ShowNotice(m_window, "配置导入失败：" + error + "\r\n未写入任何内容。");
        return;
    }
    error = ReadDatabase(session);
    if (!error.empty()) {
        ShowNotice(m_window, "配置导入失败：" + error + "\r\n未写入任何内容。");
        return;
    }
    WriteAfterQuestion(session, path, "配置", QString());
}

namespace {

/// The window's questions, asked over the busy window.
class WindowImportQuestions final : public ICfgImportQuestions
{
public:
    WindowImportQuestions(QWidget* window, CBusyScope& busy, QString heading, QString note, std::string dsn)
        : m_window(window), m_busy(busy), m_heading(std::move(heading)), m_note(std::move(note)),
          m_dsn(std::move(dsn))
    {
    }

    bool ConfirmImport(const CCfgChanges& changes) override
    {
        const QString warning =
            m_note +
            QStringLiteral(
                "确定后将把文件中的%1写入数据源 %2（这些配置组的表先清空再写入），其余配置组不变。\r\n"
                "导入后各页面显示新的配置，页面上尚未保存的修改将被丢弃。")
                .arg(QString::fromStdString(CfgGroupNames(changes.DifferingGroups())),
                     QString::fromStdString(m_dsn));
        return m_busy.Ask([&] {
            CDialogCfgChanges question(CDialogCfgChanges::Mode::ConfirmImport, m_heading,
                                       QString::fromStdString(changes.ToText()), warning, m_window);
            return question.exec() == QDialog::Accepted;
        });
    }

    bool Overwrite(CfgGroup group, const CCfgChanges& changes) override
    {
        return m_busy.Ask([&] {
            return CDialogCfgChanges::ConfirmOverwrite(
                m_window, group, changes, QStringLiteral("自列出差异以来"),
                QStringLiteral("覆盖：用文件中的内容替换数据库中的这些修改。取消：这组配置不写入任何内容。"));
        });
    }

private:
    QWidget* m_window;
    CBusyScope& m_busy;
    QString m_heading;
    QString m_note;
    std::string m_dsn;
};

} // namespace

void CCfgFileCommands::WriteAfterQuestion(CCfgFileSession& session, const QString& path,
                                          const std::string& subject, const QString& note)
{
    const std::string dsn = DataSource();
    CfgImportOutcome outcome;
    {
        CBusyScope busy(m_window, QStringLiteral("正在导入配置..."));
        WindowImportQuestions questions(m_window, busy, Heading(path), note, dsn);
        outcome = CCfgImport::Run(session, session.Compare(), m_document, questions);
    }
    switch (outcome.result) {
    case CfgImportOutcome::Result::Unchanged:
        ShowNotice(m_window, "文件 " + QDir::toNativeSeparators(path).toStdString() + " 与数据源 " + dsn +
                                 " 中的配置没有差异，未写入任何内容。");
        return;
    case CfgImportOutcome::Result::Refused:
        ShowNotice(m_window, subject + "导入失败：" + outcome.error);
        return;
    case CfgImportOutcome::Result::NotConfirmed:
        return;
    case CfgImportOutcome::Result::Written:
    case CfgImportOutcome::Result::Failed:
        break;
    }
    // The document now holds the file's groups (also one whose writing failed, as after a
    // failed Save), so Save from the pages writes them again.
    m_refreshPages();
    std::string report =
        outcome.result == CfgImportOutcome::Result::Written
            ? subject + "已导入，已写入数据源 " + dsn + "：" + CfgGroupNames(outcome.written) + "。"
            : subject + "导入失败：" + outcome.error;
    if (outcome.reconnected)
        report += "\r\n（与数据库的连接曾经断开，写入前已重新连接。）";
    ShowNotice(m_window, report);
}

void CCfgFileCommands::OnConvertForCluster()
{
    IOtlConnection& db = *IOtlConnection::getInstance();
    CCfgFileSession session(db);
    std::vector<CCfgClusterConversion::Table> tables;
    std::string error = ReadDatabase(session);
    if (!error.empty() || !CCfgClusterConversion::Find(db, tables, error)) {
        ShowNotice(m_window, "未转换任何表：" + error);
        return;
    }
    if (tables.empty()) {
        ShowNotice(m_window, "数据源 " + DataSource() + " 的配置表都已是 InnoDB，无需转换。");
        return;
    }
    if (ShowMessage(m_window,
                    "数据源 " + DataSource() + " 中这些配置表的存储引擎不会在集群中复制：\r\n" +
                        CCfgClusterTables::Names(tables) +
                        "\r\n\r\n把它们转换为 InnoDB？转换前会先备份全部配置组；表中的数据不变。",
                    "转换为集群表", MsgButtons::YesNo, MsgIcon::Question) != MsgAnswer::Yes)
        return;
    CCfgClusterConversion::Result result;
    {
        const CBusyScope busy(m_window, QStringLiteral("正在转换配置表..."));
        if (!CCfgClusterConversion::Convert(db, session.Database(), tables, result, error)) {
            ShowNotice(m_window, "转换失败：" + error);
            return;
        }
    }
    std::string text = "已转换为 InnoDB：" + result.ConvertedNames() + "\r\n转换前的配置已备份在：";
    for (const std::string& backup : result.backups)
        text += "\r\n" + backup;
    ShowNotice(m_window, text);
}
