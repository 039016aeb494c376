// Runs the program's own start-up against the database its settings name and saves pictures
// of the data source dialog and of the main window on each group into the folder given: the
// lines page scrolled down to each of its sections, and the device group once for each device
// kind, chosen on the middleware page and saved, as an installer does; then the viewer of
// the changes between the exported configuration and a site's changed copy of it.
#include "app/CTarvexApp.h"
#include "cli/QtTranslations.h"
#include "controls/CFileChooser.h"
#include "controls/CFocusFrame.h"
#include "controls/CMessageBox.h"
#include "controls/CPropertyGridCtrl.h"
#include "controls/CPropertyGridProperty.h"
#include "controls/UserMessage.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
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

/// Selects the row at `position` under the first group of `grid`, so that the description
/// area shows what it says.
void SelectInFirstGroup(QWidget* main, const char* grid, int position)
{
    auto* control = main->findChild<CPropertyGridCtrl*>(QString::fromLatin1(grid));
    if (control->GetPropertyCount() > 0)
        control->SetCurSel(control->GetProperty(0)->GetSubItem(position));
}

/// Scrolls the lines page, as its scroll bar's thumb does, until `heading` is near its top.
void ScrollLinesPageTo(QWidget* main, const char* heading)
{
    auto* page = main->findChild<QWidget*>(QStringLiteral("CDialogCfgLine"));
    auto* bar = page->findChild<QScrollBar*>(QStringLiteral("pageScrollBar"));
    auto* form = page->findChild<QWidget*>(QStringLiteral("pageForm"));
    const int headingTop = page->findChild<QLabel*>(QString::fromLatin1(heading))->mapTo(form, QPoint()).y();
    // Position p shows the form from its pixel p - 1 on.
    bar->setSliderDown(true);
    bar->setSliderPosition(headingTop - 4 + 1);
    bar->setSliderDown(false);
}

void Trigger(QWidget* window, const char* action)
{
    window->findChild<QAction*>(QString::fromLatin1(action))->trigger();
}

/// Writes to `to` the configuration file `from` as a site would have it: another address for
/// the CTI server and the switch, a holiday flow, two more extensions, the second SIP account
/// registering, and the third match rule ranked lower.
bool WriteSiteCopy(const QString& from, const QString& to)
{
    QFile in(from);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    QJsonObject root = QJsonDocument::fromJson(in.readAll()).object();
    QJsonObject middleware = root.value(QStringLiteral("middleware")).toObject();
    middleware[QStringLiteral("CtiAddr")] = QStringLiteral("192.168.20.20");
    QJsonArray flows = middleware.value(QStringLiteral("IvrFlows")).toArray();
    flows.append(QStringLiteral("D:\\Tarvex\\Flow\\holiday.xml"));
    middleware[QStringLiteral("IvrFlows")] = flows;
    root[QStringLiteral("middleware")] = middleware;
    QJsonObject device = root.value(QStringLiteral("device")).toObject();
    device[QStringLiteral("ScAddr")] = QStringLiteral("192.168.20.30");
    root[QStringLiteral("device")] = device;
    QJsonObject lines = root.value(QStringLiteral("lines")).toObject();
    QJsonArray extens = lines.value(QStringLiteral("Extens")).toArray();
    for (int number : {8009, 8010})
        extens.append(QJsonObject{{QStringLiteral("number"), number},
                                  {QStringLiteral("password"), QString::number(number)}});
    lines[QStringLiteral("Extens")] = extens;
    QJsonArray accounts = lines.value(QStringLiteral("SipAccounts")).toArray();
    QJsonObject account = accounts.at(1).toObject();
    account[QStringLiteral("reg")] = true;
    accounts[1] = account;
    lines[QStringLiteral("SipAccounts")] = accounts;
    QJsonArray matches = lines.value(QStringLiteral("TrunkMatches")).toArray();
    QJsonObject match = matches.at(2).toObject();
    match[QStringLiteral("priority")] = 5;
    matches[2] = match;
    lines[QStringLiteral("TrunkMatches")] = matches;
    root[QStringLiteral("lines")] = lines;
    QFile out(to);
    const QByteArray json = QJsonDocument(root).toJson();
    return out.open(QIODevice::WriteOnly) && out.write(json) == json.size();
}

// The lines page below its first screen: the section headings and the pictures.
const char* const kLineSections[][2] = {{"labelSipAccountHeading", "main-window-lines-sip-accounts.png"},
                                        {"labelTrunkItemHeading", "main-window-lines-trunk-items.png"},
                                        {"labelTrunkMatchHeading", "main-window-lines-trunk-matches.png"}};
// The data source dialog, two groups, the larger window, the three lines sections, the three
// device kinds, the IPO trunk lines, the viewer of the changes, the unsaved mark, the device
// type chosen, the backups and the exit question.
constexpr int kPictures = 1 + 1 + 2 + 1 + 3 + 3 + 1 + 1 + 1 + 1 + 1 + 4 + 1 + 2;

/// Lets the window run for `milliseconds`.
void RunFor(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    InstallQtChineseTranslations(application);
    CFocusFrame::Install(application);
    g_folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    // Every box is answered with its first button; the exit question so ends the window.
    SetMessageHandler([](const UserMessage& message) {
        std::cerr << message.caption << ": " << message.text << '\n';
        return message.buttons == MsgButtons::YesNo ? MsgAnswer::Yes : MsgAnswer::Ok;
    });

    WhenModalOpens(QStringLiteral("CDialogDsn"), [](QWidget* dsn) {
        Save(dsn, QStringLiteral("data-source-dialog.png"));
        // 新建...: a data source made in the tool, cancelled here.
        WhenModalOpens(QStringLiteral("CDialogNewDsn"), [](QWidget* newDsn) {
            newDsn->findChild<QLineEdit*>(QStringLiteral("editName"))->setText(QStringLiteral("site"));
            newDsn->findChild<QLineEdit*>(QStringLiteral("editServer"))
                ->setText(QStringLiteral("192.168.10.20"));
            newDsn->findChild<QLineEdit*>(QStringLiteral("editPort"))->setText(QStringLiteral("3306"));
            newDsn->findChild<QLineEdit*>(QStringLiteral("editDatabase"))->setText(QStringLiteral("cti"));
            Save(newDsn, QStringLiteral("new-data-source-dialog.png"));
            Click(newDsn, "btnCancel");
        });
        Click(dsn, "btnNewDsn");
        WhenModalOpens(QStringLiteral("CTarvexDlg"), [](QWidget* main) {
            const char* const groups[][2] = {{"btnSys", "main-window-middleware.png"},
                                             {"btnLine", "main-window-lines.png"}};
            for (const auto& group : groups) {
                Click(main, group[0]);
                Save(main, QString::fromLatin1(group[1]));
            }
            // A larger window gives the pages the room; back to the least size for the rest.
            const QSize least = main->size();
            main->resize(least + QSize(260, 180));
            QApplication::processEvents();
            Save(main, QStringLiteral("main-window-lines-larger.png"));
            main->resize(least);
            QApplication::processEvents();
            Click(main, "btnLine");
            SelectInFirstGroup(main, "gridTrunkItem", 2);
            SelectInFirstGroup(main, "gridTrunkMatch", 3);
            for (const auto& section : kLineSections) {
                ScrollLinesPageTo(main, section[0]);
                Save(main, QString::fromLatin1(section[1]));
            }
            // Device types in the order of the middleware page's list.
            const char* const devices[] = {"main-window-device-ipo.png", "main-window-device-ehang.png",
                                           "main-window-device-freeswitch.png"};
            auto* devType = main->findChild<QComboBox*>(QStringLiteral("comboDevType"));
            for (int device = 0; device < 3; ++device) {
                Click(main, "btnSys");
                devType->setCurrentIndex(device);
                Click(main, "btnSave");
                Click(main, "btnDev");
                Save(main, QString::fromLatin1(devices[device]));
            }
            // The IPO page's trunk lines, scrolled into view by moving the focus to their last button.
            Click(main, "btnSys");
            devType->setCurrentIndex(0);
            Click(main, "btnSave");
            Click(main, "btnDev");
            main->findChild<QWidget*>(QStringLiteral("btnDelTrunkLines"))->setFocus();
            Save(main, QStringLiteral("main-window-device-ipo-trunk-lines.png"));
            // The configuration exported, a site's copy of it changed, and the two compared.
            QTemporaryDir files;
            const QString exported = files.filePath(QStringLiteral("demo.json"));
            const QString site = files.filePath(QStringLiteral("site.json"));
            QStringList chosen{exported, site};
            CFileChooser::SetHandler([&chosen](const CFileChooser::Request&) {
                return chosen.isEmpty() ? QString() : chosen.takeFirst();
            });
            Trigger(main, "actionExportCfg");
            if (!WriteSiteCopy(exported, site))
                std::cerr << "cannot write the site's copy\n";
            WhenModalOpens(QStringLiteral("CDialogCfgChanges"), [](QWidget* viewer) {
                Save(viewer, QStringLiteral("compare-viewer.png"));
                Click(viewer, "btnClose");
            });
            Trigger(main, "actionCompareCfg");
            // A site's extension list from a spreadsheet, merged: the choice, then what it would change.
            const QString sheet = files.filePath(QStringLiteral("extensions.csv"));
            QFile sheetFile(sheet);
            if (!sheetFile.open(QIODevice::WriteOnly) ||
                sheetFile.write("分机号,接入密码\r\n8001,1234\r\n8101,\r\n8102,\r\n8103,8103\r\n") < 0)
                std::cerr << "cannot write the extension sheet\n";
            sheetFile.close();
            chosen = QStringList{sheet};
            WhenModalOpens(QStringLiteral("CDialogCsvList"), [](QWidget* choice) {
                Save(choice, QStringLiteral("sheet-import-dialog.png"));
                WhenModalOpens(QStringLiteral("CDialogCfgChanges"), [](QWidget* viewer) {
                    Save(viewer, QStringLiteral("sheet-import-question.png"));
                    Click(viewer, "btnCancel");
                });
                Click(choice, "btnChooseFile");
            });
            Trigger(main, "actionImportSheet");
            CFileChooser::SetHandler({});
            // The backups the saves above made.
            WhenModalOpens(QStringLiteral("CDialogBackups"), [](QWidget* backups) {
                Save(backups, QStringLiteral("backups-dialog.png"));
                Click(backups, "btnClose");
            });
            Trigger(main, "actionRestoreBackup");
            // The edit menu, open over the lines page; the window was left for the dialogs above,
            // so it is brought back to the front first.
            Click(main, "btnLine");
            main->activateWindow();
            RunFor(100);
            main->findChild<QWidget*>(QStringLiteral("gridExten"))->setFocus();
            auto* editMenu = main->findChild<QMenu*>(QStringLiteral("menuEdit"));
            editMenu->popup(main->mapToGlobal(QPoint(40, 20)));
            RunFor(200);
            Save(editMenu, QStringLiteral("edit-menu.png"));
            editMenu->hide();
            // Find over the extensions, then over the middleware's fields.
            main->findChild<QWidget*>(QStringLiteral("gridExten"))->setFocus();
            Trigger(main, "actionFind");
            main->findChild<QLineEdit*>(QStringLiteral("editFind"))->setText(QStringLiteral("800"));
            Save(main, QStringLiteral("main-window-find-lines.png"));
            Click(main, "btnSys");
            main->findChild<QLineEdit*>(QStringLiteral("editFind"))->setText(QStringLiteral("端口"));
            Save(main, QStringLiteral("main-window-find-settings.png"));
            Click(main, "btnFindClose");
            // Every SIP account selected and one field changed together.
            Click(main, "btnLine");
            main->findChild<QWidget*>(QStringLiteral("gridSipAccount"))->setFocus();
            Trigger(main, "actionSelectAll");
            WhenModalOpens(QStringLiteral("CDialogBulkChange"), [](QWidget* bulk) {
                bulk->findChild<QComboBox*>(QStringLiteral("comboField"))->setCurrentIndex(4);
                bulk->findChild<QLineEdit*>(QStringLiteral("editValue"))->setText(QStringLiteral("5070"));
                Save(bulk, QStringLiteral("bulk-change-dialog.png"));
                Click(bulk, "btnCancel");
            });
            Trigger(main, "actionBulkChange");
            // An edit not saved: its group's tile is marked.
            Click(main, "btnSys");
            auto* concurrency = main->findChild<QLineEdit*>(QStringLiteral("editCallConcurrency"));
            concurrency->setFocus();
            for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
                QKeyEvent key(type, Qt::Key_9, Qt::NoModifier, QStringLiteral("9"));
                QApplication::sendEvent(concurrency, &key);
            }
            RunFor(500);
            Save(main, QStringLiteral("main-window-unsaved.png"));
            // Another device type chosen, not yet saved: the line beside the tiles says so.
            devType->setCurrentIndex((devType->currentIndex() + 1) % devType->count());
            Click(main, "btnDev");
            Save(main, QStringLiteral("main-window-device-type-chosen.png"));
            Click(main, "btnSys");
            // The exit question in the real message box, naming the unsaved group; 不保存
            // then ends the window.
            SetMessageHandler(ShowMessageBox);
            QTimer::singleShot(200, [] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                if (!box)
                    return;
                Save(box, QStringLiteral("exit-question.png"));
                box->button(QMessageBox::Discard)->click();
            });
            Click(main, "btnExit");
        });
        Click(dsn, "btnOk");
    });
    CTarvexApp().InitInstance();
    return g_saved == kPictures ? 0 : 1;
}
