#include "controls/CFileChooser.h"

#include "controls/CFileColumns.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QSettings>
#include <QTreeView>
#include <utility>

namespace {

CFileChooser::Handler& InstalledHandler()
{
    static CFileChooser::Handler handler;
    return handler;
}

const QString kLastFolderKey = QStringLiteral("LastFolder");

/// Where the folder last used is kept: a file of its own, apart from the one that holds a
/// password and must stay readable by its owner only.
QSettings Settings()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Tarvex"),
                     QStringLiteral("chooser"));
}

QString AskWithDialog(const CFileChooser::Request& request)
{
    QFileDialog dialog(request.owner, request.title);
    dialog.setObjectName(QStringLiteral("fileDialog"));
    // Qt's own dialog, so that it speaks the program's language whatever the desktop's.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setProxyModel(new CFileColumns(&dialog));
    // The details view as wide as its texts, none of them cut.
    if (auto* details = dialog.findChild<QTreeView*>(QStringLiteral("treeView")))
        details->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    const bool save = request.mode == CFileChooser::Mode::Save;
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // Saving asks before it replaces a file; opening takes only a file that exists.
    if (request.mode == CFileChooser::Mode::Folder) {
        dialog.setFileMode(QFileDialog::Directory);
        dialog.setOption(QFileDialog::ShowDirsOnly);
    } else {
        dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    }
    dialog.setNameFilters(request.filters);
    dialog.setDefaultSuffix(request.defaultSuffix);
    const QFileInfo start(request.start);
    if (start.isDir()) {
        dialog.setDirectory(request.start);
    } else {
        dialog.setDirectory(start.absolutePath());
        dialog.selectFile(start.fileName());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace

QString CFileChooser::Choose(const Request& request)
{
    Request asked = request;
    if (asked.start.isEmpty())
        asked.start = LastFolder();
    const Handler& handler = InstalledHandler();
    const QString chosen = handler ? handler(asked) : AskWithDialog(asked);
    if (!chosen.isEmpty()) {
        const QFileInfo info(chosen);
        Settings().setValue(kLastFolderKey,
                            request.mode == Mode::Folder ? info.absoluteFilePath() : info.absolutePath());
    }
    return chosen;
}

QString CFileChooser::LastFolder()
{
    const QString folder = Settings().value(kLastFolderKey).toString();
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QDir::homePath();
}

CFileChooser::Handler CFileChooser::SetHandler(Handler handler)
{
    return std::exchange(InstalledHandler(), std::move(handler));
}
