#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

/// How the program asks for a file to open or to save, or for a folder: the platform's file
/// dialog, or, in tests, whatever answers in its place. Every chooser of the program goes
/// through here.
class CFileChooser
{
public:
    enum class Mode
    {
        Open,
        Save,
        Folder,
    };

    struct Request
    {
        QWidget* owner = nullptr;
        Mode mode = Mode::Open;
        QString title;
        /// The folder to start in, or (saving) the file name to suggest in it; empty: the
        /// folder last used.
        QString start;
        /// Name filters, such as "配置文件 (*.json)"; the first is selected.
        QStringList filters;
        /// Added to a name typed without one when saving, such as "json".
        QString defaultSuffix;
    };

    /// Returns the chosen path; empty when cancelled.
    using Handler = std::function<QString(const Request& request)>;

    /// Asks as `request` says; the folder of what was chosen is remembered for the next time,
    /// also in the next run of the program.
    static QString Choose(const Request& request);
    /// The folder last chosen in, or from; the home folder before the first choice.
    static QString LastFolder();

    /// Replaces how every file is asked for and returns the handler used before; an empty
    /// one stands for the platform's dialog.
    static Handler SetHandler(Handler handler);
};
