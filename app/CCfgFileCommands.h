#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <string>

class CCfgDocument;
class CCfgFileSession;
class QWidget;

/// The main window's commands on configuration files: export the configuration to a file,
/// compare a file with it, import a file or restore a backup after showing what would change;
/// the same for one record list and a CSV file.
///
/// Each command first reads the configuration afresh from the database the window is
/// connected to, so that what is exported, compared and written is what that database holds
/// now, not what was loaded at start-up (the data source may have been changed since, or
/// someone else may have saved). Unsaved edits on the pages are never taken: they stay on
/// the pages, except after an import, which shows the new configuration on every page.
class CCfgFileCommands : public QObject
{
    Q_OBJECT

public:
    /// What a file chooser offers: the name its filter gives the files, and their suffix.
    struct FileKind
    {
        QString filter;
        QString suffix;
    };

    /// An import writes into `document`; `refreshPages` then makes the pages show its store afresh.
    CCfgFileCommands(QWidget* window, CCfgDocument& document, std::function<void()> refreshPages);

    void OnExportCfg();
    void OnImportCfg();
    void OnCompareCfg();
    /// Lists the backups; the one chosen is imported as a file is.
    void OnRestoreBackup();
    /// One record list to a CSV file, and from one.
    void OnExportSheet();
    void OnImportSheet();
    /// The configuration tables to InnoDB for a cluster, on the user's word, after backups.
    void OnConvertForCluster();

private:
    /// Imports the file at `path`: what it would change is shown first, and written only on
    /// the user's word.
    void ImportFile(const QString& path);
    /// Shows what the file read into `session` would change, and writes it on the user's word.
    /// `subject` is what is imported ("配置"); `note` opens the question's warning.
    void WriteAfterQuestion(CCfgFileSession& session, const QString& path, const std::string& subject,
                            const QString& note);
    /// Asks for a file; empty when cancelled. Remembers its folder for the next time. A file
    /// to save is offered a name from the data source, `nameWord` and the time.
    QString ChooseFile(bool save, const QString& title, const FileKind& kind, const QString& nameWord = {});
    /// Reads the whole configuration from the database into `session`, busy meanwhile.
    /// Empty when done; otherwise why not: the connection is gone, or a group was not read
    /// whole.
    std::string ReadDatabase(CCfgFileSession& session);
    /// "数据源 X 中的配置 -> 文件 Y 中的配置：".
    QString Heading(const QString& path) const;

    QWidget* m_window;
    CCfgDocument& m_document;
    std::function<void()> m_refreshPages;
    QString m_folder;
};
