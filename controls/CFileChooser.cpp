#include "controls/CFileChooser.h"

#include <QFileDialog>
#include <utility>

namespace {

CFileChooser::Handler& InstalledHandler()
{
    static CFileChooser::Handler handler;
    return handler;
}

QString AskWithDialog(const CFileChooser::Request& request)
{
    QFileDialog dialog(request.owner, request.title);
    dialog.setObjectName(QStringLiteral("fileDialog"));
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
    const Handler& handler = InstalledHandler();
    return handler ? handler(request) : AskWithDialog(request);
}

CFileChooser::Handler CFileChooser::SetHandler(Handler handler)
{
    return std::exchange(InstalledHandler(), std::move(handler));
}
