// Runs the program's own start-up against the database its settings name and saves pictures
// of the data source dialog and of the main window on each group into the folder given.
#include "app/CTarvexApp.h"
#include "db/UserMessage.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <iostream>

namespace {

QString g_folder;
int g_saved = 0;

void Save(QWidget* window, const QString& name)
{
    QCoreApplication::processEvents();
    if (window->grab().save(QDir(g_folder).filePath(name)))
        ++g_saved;
    else
        std::cerr << "cannot save " << name.toStdString() << '\n';
}

void WhenModalOpens(const QString& objectName, std::function<void(QWidget*)> action)
{
    QTimer::singleShot(50, [objectName, action = std::move(action)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->objectName() == objectName)
            action(modal);
        else
            WhenModalOpens(objectName, action);
    });
}

void Click(QWidget* window, const char* button)
{
    window->findChild<QPushButton*>(QString::fromLatin1(button))->click();
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    g_folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    // Every box is answered with its first button; the exit question so ends the window.
    SetMessageHandler([](const UserMessage& message) {
        std::cerr << message.caption << ": " << message.text << '\n';
        return message.buttons == MsgButtons::YesNo ? MsgAnswer::Yes : MsgAnswer::Ok;
    });

    WhenModalOpens(QStringLiteral("CDialogDsn"), [](QWidget* dsn) {
        Save(dsn, QStringLiteral("data-source-dialog.png"));
        WhenModalOpens(QStringLiteral("CTarvexDlg"), [](QWidget* main) {
            const char* const groups[][2] = {{"btnSys", "main-window-middleware.png"},
                                             {"btnDev", "main-window-device.png"},
                                             {"btnLine", "main-window-lines.png"}};
            for (const auto& group : groups) {
                Click(main, group[0]);
                Save(main, QString::fromLatin1(group[1]));
            }
            main->close();
        });
        Click(dsn, "btnOk");
    });
    CTarvexApp().InitInstance();
    return g_saved == 4 ? 0 : 1;
}
