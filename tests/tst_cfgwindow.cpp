// Configuration files from the main window on the test server: export, compare and import
// through the database menu, the viewer of the changes and its keys, the question before an
// import, the pages shown afresh afterwards, and files refused with nothing written.
#include "app/CTarvexDlg.h"
#include "config/data/CCfgData.h"
#include "config/database/CCfgDb.h"
#include "config/document/CCfgChanges.h"
#include "config/document/CCfgDocument.h"
#include "config/formats/CCfgBackups.h"
#include "config/formats/CCfgFile.h"
#include "config/formats/CCsvSheet.h"
#include "controls/CFileChooser.h"
#include "controls/CPropertyGridCtrl.h"
#include "controls/CPropertyGridProperty.h"
#include "db/CDsnSettings.h"
#include "db/IOtlConnection.h"
#include "dialogs/CDialogBackups.h"
#include "dialogs/CDialogCfgChanges.h"
#include "dialogs/CDialogCsvList.h"
#include "pages/CCfgDialog.h"
#include "support/ConfigTables.h"
#include "support/FocusChain.h"
#include "support/MainWindowHost.h"
#include "support/MessageRecorder.h"
#include "support/Mnemonics.h"
#include "support/ModalDriver.h"
#include "support/SampleConfig.h"
#include "support/ServerLog.h"
#include "support/TestDatabase.h"
#include "support/TestFiles.h"
#include "support/TestSettings.h"

#include <QAction>
#include <QFile>
#include <QFileDialog>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <set>

namespace {

using Texts = std::vector<std::string>;

/// Answers the file chooser with the paths queued, in order (an empty one cancels), and
/// keeps what it was asked. Installed for its lifetime.
class ChooserAnswers
{
public:
    ChooserAnswers()
    {
        m_previous = CFileChooser::SetHandler([this](const CFileChooser::Request& request) {
            m_requests.push_back(request);
            return m_paths.isEmpty() ? QString() : m_paths.takeFirst();
        });
    }
    ~ChooserAnswers() { CFileChooser::SetHandler(std::move(m_previous)); }
    ChooserAnswers(const ChooserAnswers&) = delete;
    ChooserAnswers& operator=(const ChooserAnswers&) = delete;

    void Queue(const QString& path) { m_paths << path; }
    const std::vector<CFileChooser::Request>& Requests() const { return m_requests; }

private:
    CFileChooser::Handler m_previous;
    QStringList m_paths;
    std::vector<CFileChooser::Request> m_requests;
};

/// Ends, and names, every modal window that opens while it lives: for commands that must
/// not open one. Unlike a pending WhenModalOpens it cannot outlive its test.
class ModalGuard
{
public:
    ModalGuard()
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                m_opened << modal->objectName();
                modal->reject();
            }
        });
        m_timer.start(10);
    }
    const QStringList& Opened() const { return m_opened; }

private:
    QTimer m_timer;
    QStringList m_opened;
};

QByteArray Json(const CCfgData& cfg)
{
    QByteArray json;
    std::string error;
    if (!CCfgFile::ToJson(cfg, json, error))
        qWarning("%s", error.c_str());
    return json;
}

/// `node` with the value at `path` replaced by `value`.
QJsonValue Replaced(const QJsonValue& node, QStringList path, const QJsonValue& value)
{
    if (path.isEmpty())
        return value;
    const QString head = path.takeFirst();
    if (node.isArray()) {
        QJsonArray array = node.toArray();
        const int index = head.toInt();
        array[index] = Replaced(array.at(index), path, value);
        return array;
    }
    QJsonObject object = node.toObject();
    object[head] = Replaced(object.value(head), path, value);
    return object;
}

using Edits = QList<QPair<QString, QJsonValue>>;

/// The file of `cfg` with the value at each path ("lines/SipAccounts/0/account") replaced.
QByteArray EditedJson(const CCfgData& cfg, const Edits& edits)
{
    QJsonValue root = QJsonDocument::fromJson(Json(cfg)).object();
    for (const auto& [path, value] : edits)
        root = Replaced(root, path.split(QLatin1Char('/')), value);
    return QJsonDocument(root.toObject()).toJson();
}

std::string FirstOf(const Texts& texts)
{
    return texts.empty() ? std::string() : texts.front();
}

std::set<std::string> Tables(const QStringList& tables)
{
    std::set<std::string> names;
    for (const QString& table : tables)
        names.insert(table.toStdString());
    return names;
}

const QStringList kMiddlewareTables = {QStringLiteral("conf_ivr_flow"), QStringLiteral("conf_system")};
const QStringList kLinesTables = {QStringLiteral("conf_line"), QStringLiteral("conf_sip_account"),
                                  QStringLiteral("conf_trunk_item"), QStringLiteral("conf_trunk_match")};

struct Window : MainWindowHost
{
    /// The value of field `field` of the first record of `grid`.
    QString GridValue(const char* grid, int field) const
    {
        auto* control = Find<CPropertyGridCtrl>(grid);
        return control->GetPropertyCount() > 0 ? control->GetProperty(0)->GetSubItem(field)->GetValue()
                                               : QStringLiteral("<no record>");
    }
};

/// What the viewer of the changes showed, and how it ended.
struct Viewer
{
    QString title;
    QString heading;
    QString changes;
    QString warning;
    bool readOnly = false;
    QString firstFocus;
    QString pressed; // the control that had the focus when the key went
    bool closed = false;
    int result = -1;
};

QString FocusName()
{
    return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
}

/// Notes what the viewer `modal` shows, then answers it `how`: "Escape", "Return" or
/// "Enter" where the focus is, "Return in the list", "Return on <button>" after moving the
/// focus there by Tab, or "click <button>". A viewer the answer does not close is closed
/// here, so the test goes on to fail instead of waiting.
void AnswerViewer(QWidget* modal, const QString& how, Viewer& seen)
{
    auto* dialog = qobject_cast<QDialog*>(modal);
    auto* list = modal->findChild<QPlainTextEdit*>(QStringLiteral("editChanges"));
    auto* warning = modal->findChild<QLabel*>(QStringLiteral("labelWarning"));
    auto* heading = modal->findChild<QLabel*>(QStringLiteral("labelCompared"));
    if (!dialog || !list || !heading) {
        modal->close();
        return;
    }
    seen.title = modal->windowTitle();
    seen.heading = heading->text();
    seen.changes = list->toPlainText();
    seen.warning = warning ? warning->text() : QString();
    seen.readOnly = list->isReadOnly();
    if (QTest::qWaitForWindowActive(modal)) {
        // The focus arrives with the activation, at times a moment after it.
        if (QTest::qWaitFor([modal] { return modal->isAncestorOf(QApplication::focusWidget()); }, 2000))
            seen.firstFocus = FocusName();
        const QString button = how.section(QLatin1Char(' '), 2);
        if (how == QLatin1String("Escape") || how == QLatin1String("Return") ||
            how == QLatin1String("Enter")) {
            seen.pressed = FocusName();
            QTest::keyClick(QApplication::focusWidget(), how == QLatin1String("Escape")   ? Qt::Key_Escape
                                                         : how == QLatin1String("Return") ? Qt::Key_Return
                                                                                          : Qt::Key_Enter);
        } else if (how == QLatin1String("Return in the list")) {
            list->setFocus(Qt::OtherFocusReason);
            seen.pressed = FocusName();
            QTest::keyClick(list, Qt::Key_Return);
        } else if (how.startsWith(QLatin1String("Return on "))) {
            for (int step = 0; step < 4 && FocusName() != button; ++step)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            seen.pressed = FocusName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        } else if (how.startsWith(QLatin1String("click "))) {
            seen.pressed = how.mid(6);
            QTest::mouseClick(modal->findChild<QWidget*>(how.mid(6)), Qt::LeftButton);
        } else if (how.startsWith(QLatin1String("Alt+"))) {
            // The mnemonic presses its button a moment later, as a click looks.
            QTest::keyClick(modal, Qt::Key(how.at(4).unicode()), Qt::AltModifier);
            QTRY_VERIFY(!modal->isVisible());
        }
    }
    seen.closed = !modal->isVisible();
    seen.result = dialog->result();
    if (!seen.closed)
        dialog->reject();
}

/// The sample configuration on the server (and so in the store), with every text `text`.
bool PutSample(const std::string& text)
{
    CCfgData sample;
    SampleConfig::Fill(sample, text);
    return SampleConfig::PutOnServer(sample);
}

} // namespace

class TestCfgWindow : public QObject
{
    Q_OBJECT

private:
    // The main window keeps its size and place in the user's settings: a test's own.
    TestSettings m_userSettings;

private Q_SLOTS:
    void initTestCase() { QVERIFY(TestDatabase::Connect()); }

    void init()
    {
        m_settings = std::make_unique<TestSettings>();
        QVERIFY(CDsnSettings::Write({TestDatabase::Dsn(), TestDatabase::User(), TestDatabase::Password()}));
        QVERIFY(m_folder.isValid());
        QVERIFY(PutSample("base"));
    }

    void cleanup()
    {
        ServerLog::Stop();
        TestDatabase::Run({"DROP TRIGGER IF EXISTS refuse_account"});
        // A table hidden by a test goes; the tables, loaded whole, start the next test.
        QVERIFY(TestDatabase::DropTables({"hidden_table"}));
        QVERIFY(ConfigTables::CreateEmpty());
        SampleConfig::LoadStore();
        m_settings.reset();
    }

    void theMenuItems()
    {
        MessageRecorder messages;
        Window window;
        QStringList items;
        for (const QAction* action : window.Find<QMenu>("menuDatabase")->actions())
            items << (action->isSeparator() ? QStringLiteral("-")
                                            : action->objectName() + QLatin1Char(' ') + action->text());
        QCOMPARE(items, (QStringList{QStringLiteral("actionDbInit 初始化数据库(&I)"),
                                     QStringLiteral("actionDsnSetup 数据源设置(&S)"), QStringLiteral("-"),
                                     QStringLiteral("actionExportCfg 导出配置到文件(&E)"),
                                     QStringLiteral("actionImportCfg 从文件导入配置(&M)"),
                                     QStringLiteral("actionCompareCfg 与文件比较配置(&C)"),
                                     QStringLiteral("-"), QStringLiteral("actionExportSheet 导出表格(&X)..."),
                                     QStringLiteral("actionImportSheet 导入表格(&T)..."), QStringLiteral("-"),
                                     QStringLiteral("actionRestoreBackup 恢复备份(&B)..."),
                                     QStringLiteral("actionConvertForCluster 转换为集群表(&L)...")}));
    }

    // The conversion for a cluster names the tables and asks; 否 leaves them, 是 converts them
    // all to InnoDB, changes no row, and says where the backups are.
    void convertingForAClusterAsksFirst()
    {
        IOtlConnection& db = *IOtlConnection::getInstance();
        auto engine = [&db] {
            return db.QueryValue(
                "SELECT ENGINE FROM information_schema.TABLES WHERE TABLE_SCHEMA = DATABASE() "
                "AND TABLE_NAME = 'conf_line'");
        };
        QCOMPARE(engine(), std::string("MyISAM"));
        const std::string rows = db.QueryValue("SELECT COUNT(*) FROM conf_line");
        MessageRecorder messages;
        Window window;
        messages.QueueAnswer(MsgAnswer::No);
        window.Trigger("actionConvertForCluster");
        QCOMPARE(messages.Messages().size(), std::size_t(1));
        QVERIFY(messages.Messages().front().buttons == MsgButtons::YesNo);
        QVERIFY2(messages.Texts().front().find("conf_line (MyISAM)") != std::string::npos,
                 messages.Texts().front().c_str());
        QCOMPARE(engine(), std::string("MyISAM"));

        messages.Clear();
        messages.QueueAnswer(MsgAnswer::Yes);
        window.Trigger("actionConvertForCluster");
        QCOMPARE(messages.Texts().size(), std::size_t(2));
        QVERIFY2(messages.Texts().back().rfind("已转换为 InnoDB：", 0) == 0 &&
                     messages.Texts().back().find("backups") != std::string::npos,
                 messages.Texts().back().c_str());
        QCOMPARE(engine(), std::string("InnoDB"));
        QCOMPARE(db.QueryValue("SELECT COUNT(*) FROM conf_line"), rows);

        messages.Clear();
        window.Trigger("actionConvertForCluster");
        QCOMPARE(messages.Texts().size(), std::size_t(1));
        QVERIFY2(messages.Texts().front().find("都已是 InnoDB") != std::string::npos,
                 messages.Texts().front().c_str());
    }

    void aCancelledFileChooserDoesNothing_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("save");
        QTest::newRow("export") << "actionExportCfg" << true;
        QTest::newRow("import") << "actionImportCfg" << false;
        QTest::newRow("compare") << "actionCompareCfg" << false;
    }

    void aCancelledFileChooserDoesNothing()
    {
        QFETCH(QString, action);
        QFETCH(bool, save);
        MessageRecorder messages;
        ChooserAnswers chooser;
        ModalGuard modals;
        Window window;
        QVERIFY(window.Exposed());
        QVERIFY(ServerLog::Start());
        window.Trigger(action.toLatin1().constData());
        const Texts statements = ServerLog::Statements();
        QVERIFY(ServerLog::Stop());

        QCOMPARE(chooser.Requests().size(), std::size_t(1));
        const CFileChooser::Request& asked = chooser.Requests().front();
        QVERIFY(asked.owner == &window.dialog);
        QVERIFY(asked.mode == (save ? CFileChooser::Mode::Save : CFileChooser::Mode::Open));
        QCOMPARE(asked.filters,
                 (QStringList{QStringLiteral("配置文件 (*.json)"), QStringLiteral("所有文件 (*)")}));
        QCOMPARE(asked.defaultSuffix, QStringLiteral("json"));
        // An export suggests a name that says where and when it was taken.
        if (save) {
            const QString name = QFileInfo(asked.start).fileName();
            QVERIFY2(name.startsWith(QString::fromStdString(TestDatabase::Dsn()) + QLatin1Char('-')) &&
                         name.endsWith(QLatin1String(".json")),
                     qPrintable(asked.start));
        }
        QVERIFY(messages.Messages().empty());
        QVERIFY(modals.Opened().isEmpty());
        QVERIFY2(statements.empty(), FirstOf(statements).c_str());
    }

    void exportThroughTheFileDialog()
    {
        // No chooser installed: the platform's file dialog asks.
        MessageRecorder messages;
        Window window;
        QVERIFY(window.Exposed());
        QString title, suggested;
        QStringList filters;
        bool saving = false;
        WhenModalOpens([&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            if (!dialog) {
                modal->close();
                return;
            }
            title = dialog->windowTitle();
            filters = dialog->nameFilters();
            saving = dialog->acceptMode() == QFileDialog::AcceptSave;
            suggested = dialog->selectedFiles().value(0);
            // A name typed without its suffix gets it.
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            if (!name) {
                dialog->reject();
                return;
            }
            name->setText(m_folder.filePath(QStringLiteral("bench")));
            QTest::keyClick(name, Qt::Key_Return);
        });
        window.Trigger("actionExportCfg");

        QCOMPARE(title, QStringLiteral("导出配置到文件"));
        QCOMPARE(filters, (QStringList{QStringLiteral("配置文件 (*.json)"), QStringLiteral("所有文件 (*)")}));
        QVERIFY(saving);
        QVERIFY2(QFileInfo(suggested).fileName().startsWith(QString::fromStdString(TestDatabase::Dsn())),
                 qPrintable(suggested));
        const QString path = m_folder.filePath(QStringLiteral("bench.json"));
        QCOMPARE(messages.Texts().size(), std::size_t(1));
        QVERIFY2(messages.Texts().front().find(path.toStdString()) != std::string::npos,
                 messages.Texts().front().c_str());
        QCOMPARE(FileBytes(path), Json(*GetCfgData()));
    }

    void exportWritesWhatTheDatabaseHolds()
    {
        // Hard texts in every setting and record, and the database changed behind the window's back.
        QVERIFY(PutSample("it's \"引号\" 100% \\ D:\\Tarvex\\"));
        MessageRecorder messages;
        ChooserAnswers chooser;
        Window window;
        QVERIFY(window.Exposed());
        window.Find<QLineEdit>("editAcdPort")->setText(QStringLiteral("7777"));
        QVERIFY(TestDatabase::Run({"UPDATE conf_system SET value = 'changed since' WHERE name = 'LogPath'"}));

        const QString path = m_folder.filePath(QStringLiteral("site.json"));
        chooser.Queue(path);
        window.Trigger("actionExportCfg");

        QCOMPARE(messages.Texts().size(), std::size_t(1));
        const QString said = QString::fromStdString(messages.Texts().front());
        QVERIFY2(said.startsWith(QStringLiteral("配置已导出到 ") + path) &&
                     said.contains(QString::fromStdString(TestDatabase::Dsn())) &&
                     said.contains(QStringLiteral("尚未保存的修改不在其中")),
                 qPrintable(said));
        QCOMPARE(messages.Messages().front().caption, std::string("提示"));

        CCfgData read;
        std::string error;
        QVERIFY2(CCfgFile::Read(path, read, error), error.c_str());
        QCOMPARE(read.LogPath, std::string("changed since"));
        QCOMPARE(read.AcdPort, std::string("it's \"引号\" 100% \\ D:\\Tarvex\\"));
        // The file is the database's configuration exactly, read afresh.
        const QByteArray exported = FileBytes(path);
        SampleConfig::LoadStore();
        QCOMPARE(exported, Json(*GetCfgData()));
        // The page keeps its unsaved edit.
        QCOMPARE(window.Text("editAcdPort"), QStringLiteral("7777"));
    }

    void exportRefused_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("hideTable");
        QTest::addColumn<QStringList>("said");
        QTest::newRow("a table that cannot be read")
            << "unread.json" << true
            << QStringList{QStringLiteral("线路配置"), QStringLiteral("conf_trunk_match")};
        QTest::newRow("a folder that does not exist")
            << "missing/site.json" << false << QStringList{QStringLiteral("missing/site.json")};
    }

    void exportRefused()
    {
        QFETCH(QString, file);
        QFETCH(bool, hideTable);
        QFETCH(QStringList, said);
        MessageRecorder messages;
        ChooserAnswers chooser;
        Window window;
        QVERIFY(window.Exposed());
        if (hideTable)
            QVERIFY(TestDatabase::Run({"RENAME TABLE conf_trunk_match TO hidden_table"}));
        const QString path = m_folder.filePath(file);
        chooser.Queue(path);
        window.Trigger("actionExportCfg");

        QCOMPARE(messages.Texts().size(), std::size_t(1));
        const QString message = QString::fromStdString(messages.Texts().front());
        QVERIFY2(message.startsWith(QStringLiteral("配置导出失败：")), qPrintable(message));
        for (const QString& part : said)
            QVERIFY2(message.contains(part), qPrintable(message + QStringLiteral(" lacks ") + part));
        QVERIFY(!QFile::exists(path));
    }

    void compareShowsTheChanges_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("pressed");
        QTest::newRow("Escape") << "Escape"
                                << "editChanges";
        QTest::newRow("Return in the list") << "Return"
                                            << "editChanges";
        QTest::newRow("keypad Enter in the list") << "Enter"
                                                  << "editChanges";
        QTest::newRow("Return on Close") << "Return on btnClose"
                                         << "btnClose";
        QTest::newRow("click Close") << "click btnClose"
                                     << "btnClose";
    }

    void compareShowsTheChanges()
    {
        QFETCH(QString, how);
        QFETCH(QString, pressed);
        MessageRecorder messages;
        ChooserAnswers chooser;
        Window window;
        QVERIFY(window.Exposed());
        window.Find<QLineEdit>("editAcdPort")->setText(QStringLiteral("7777"));
        const QString path = m_folder.filePath(QStringLiteral("changed.json"));
        QVERIFY(WriteBytes(
            path, EditedJson(*GetCfgData(),
                             {{QStringLiteral("middleware/CtiPort"), QStringLiteral("9911")},
                              {QStringLiteral("lines/SipAccounts/0/account"), QStringLiteral("other")}})));
        chooser.Queue(path);
        QVERIFY(ServerLog::Start());
        Viewer seen;
        WhenModalOpens([&](QWidget* modal) { AnswerViewer(modal, how, seen); });
        window.Trigger("actionCompareCfg");
        const Texts writes = ServerLog::Writes(ServerLog::Statements());
        QVERIFY(ServerLog::Stop());

        QCOMPARE(seen.title, QStringLiteral("配置比较"));
        QCOMPARE(seen.heading, QStringLiteral("数据源 %1 中的配置 -> 文件 %2 中的配置：")
                                   .arg(QString::fromStdString(TestDatabase::Dsn()), path));
        QCOMPARE(seen.changes, QStringLiteral("中间件配置：\n"
                                              "  CTI端口：\"base\" -> \"9911\"\n"
                                              "设备配置：无变化\n"
                                              "线路配置：\n"
                                              "  SIP账户 1：账户 \"base\" -> \"other\"\n"));
        QVERIFY(seen.readOnly);
        QVERIFY(seen.warning.isEmpty());
        // The list has the focus first, so the arrow keys scroll it.
        QCOMPARE(seen.firstFocus, QStringLiteral("editChanges"));
        QCOMPARE(seen.pressed, pressed);
        QVERIFY(seen.closed);
        // Only looked at: nothing written, nothing said, the pages as they were.
        QVERIFY2(writes.empty(), FirstOf(writes).c_str());
        QVERIFY(messages.Messages().empty());
        QCOMPARE(window.Text("editAcdPort"), QStringLiteral("7777"));
    }

    void theViewerTabOrder_data()
    {
        QTest::addColumn<bool>("confirm");
        QTest::addColumn<int>("key");
        QTest::addColumn<QStringList>("order");
        const QString list = QStringLiteral("editChanges");
        const QString close = QStringLiteral("btnClose");
        const QString ok = QStringLiteral("btnOk");
        const QString cancel = QStringLiteral("btnCancel");
        QTest::newRow("viewer, Tab") << false << int(Qt::Key_Tab) << QStringList{list, close, list};
        QTest::newRow("viewer, Backtab") << false << int(Qt::Key_Backtab) << QStringList{list, close, list};
        QTest::newRow("import, Tab") << true << int(Qt::Key_Tab) << QStringList{cancel, list, ok, cancel};
        QTest::newRow("import, Backtab")
            << true << int(Qt::Key_Backtab) << QStringList{cancel, ok, list, cancel};
    }

    void theViewerTabOrder()
    {
        QFETCH(bool, confirm);
        QFETCH(int, key);
        QFETCH(QStringList, order);
        CDialogCfgChanges viewer(
            confirm ? CDialogCfgChanges::Mode::ConfirmImport : CDialogCfgChanges::Mode::View,
            QStringLiteral("heading"), QStringLiteral("line 1\nline 2\n"), QStringLiteral("warning"));
        viewer.show();
        QVERIFY(QTest::qWaitForWindowActive(&viewer));
        QVERIFY(QTest::qWaitFor([&viewer] { return viewer.isAncestorOf(QApplication::focusWidget()); }));
        QCOMPARE(WalkFocus(&viewer, Qt::Key(key), int(order.size()) - 1), order);
    }

    // Every mnemonic the viewer and the other dialogs of the database menu show works from
    // the keyboard.
    void mnemonicsOfTheDialogs()
    {
        for (const auto mode : {CDialogCfgChanges::Mode::ConfirmImport,
                                CDialogCfgChanges::Mode::ConfirmOverwrite, CDialogCfgChanges::Mode::View}) {
            CDialogCfgChanges viewer(mode, QStringLiteral("heading"), QStringLiteral("line 1\n"),
                                     QStringLiteral("warning"));
            viewer.show();
            QVERIFY(QTest::qWaitForWindowActive(&viewer));
            const QStringList dead = DeadMnemonics(&viewer);
            QVERIFY2(dead.isEmpty(), qPrintable(dead.join(QLatin1Char(' '))));
        }
        for (const auto& open : std::vector<std::function<std::unique_ptr<QDialog>()>>{
                 [] { return std::make_unique<CDialogCsvList>(CDialogCsvList::Purpose::Import); },
                 [] {
                     CCfgBackups::Entry entry;
                     entry.path = QStringLiteral("/nowhere.backup.json");
                     return std::make_unique<CDialogBackups>(std::vector<CCfgBackups::Entry>{entry});
                 }}) {
            const std::unique_ptr<QDialog> dialog = open();
            dialog->show();
            QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
            const QStringList dead = DeadMnemonics(dialog.get());
            QVERIFY2(dead.isEmpty(), qPrintable(dead.join(QLatin1Char(' '))));
        }
    }

    void compareNotices_data()
    {
        const QString kPath = m_folder.filePath(QStringLiteral("site.json"));
        QTest::addColumn<QByteArray>("json"); // empty: the database's own configuration
        QTest::addColumn<bool>("hideTable");
        QTest::addColumn<QStringList>("said");
        QTest::newRow("no differences")
            << QByteArray() << false << QStringList{QStringLiteral("没有差异"), kPath};
        QTest::newRow("not JSON") << QByteArray("{ \"format\": ") << false
                                  << QStringList{QStringLiteral("配置比较失败"),
                                                 QStringLiteral("不是有效的 JSON")};
        QTest::newRow("a table that cannot be read")
            << QByteArray() << true
            << QStringList{QStringLiteral("配置比较失败"), QStringLiteral("conf_trunk_match")};
    }

    void compareNotices()
    {
        QFETCH(QByteArray, json);
        QFETCH(bool, hideTable);
        QFETCH(QStringList, said);
        MessageRecorder messages;
        ChooserAnswers chooser;
        ModalGuard modals;
        Window window;
        QVERIFY(window.Exposed());
        const QString path = m_folder.filePath(QStringLiteral("site.json"));
        QVERIFY(WriteBytes(path, json.isEmpty() ? Json(*GetCfgData()) : json));
        if (hideTable)
            QVERIFY(TestDatabase::Run({"RENAME TABLE conf_trunk_match TO hidden_table"}));
        chooser.Queue(path);
        window.Trigger("actionCompareCfg");

        QCOMPARE(messages.Texts().size(), std::size_t(1));
        const QString message = QString::fromStdString(messages.Texts().front());
        for (const QString& part : said)
            QVERIFY2(message.contains(part), qPrintable(message + QStringLiteral(" lacks ") + part));
        QVERIFY(modals.Opened().isEmpty());
    }

    void importAsksThenWritesTheChangedGroups_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("group");
        QTest::addColumn<bool>("imports");
        QTest::addColumn<QString>("pressed");
        QTest::newRow("Return on Import, middleware on show") << "Return on btnOk" << 1 << true << "btnOk";
        QTest::newRow("click Import, device on show") << "click btnOk" << 2 << true << "btnOk";
        QTest::newRow("Return on Import, lines on show") << "Return on btnOk" << 3 << true << "btnOk";
        QTest::newRow("Return on Cancel") << "Return" << 1 << false << "btnCancel";
        QTest::newRow("Return in the list") << "Return in the list" << 1 << false << "editChanges";
        QTest::newRow("Escape") << "Escape" << 3 << false << "btnCancel";
        QTest::newRow("click Cancel") << "click btnCancel" << 2 << false << "btnCancel";
    }

    void importAsksThenWritesTheChangedGroups()
    {
        QFETCH(QString, how);
        QFETCH(int, group);
        QFETCH(bool, imports);
        QFETCH(QString, pressed);
        MessageRecorder messages;
        ChooserAnswers chooser;
        Window window;
        QVERIFY(window.Exposed());
        window.Click(group == 1 ? "btnSys" : group == 2 ? "btnDev" : "btnLine");
        // Unsaved edits: dropped by an import, which shows the new configuration everywhere.
        window.Find<QLineEdit>("editAcdPort")->setText(QStringLiteral("7777"));
        window.Find<QLineEdit>("editFsEslPort")->setText(QStringLiteral("6666"));
        // The middleware (the device type among it) and a SIP account change; the device group does not.
        const QString path = m_folder.filePath(QStringLiteral("changed.json"));
        QVERIFY(WriteBytes(
            path, EditedJson(*GetCfgData(),
                             {{QStringLiteral("middleware/CtiPort"), QStringLiteral("9911")},
                              {QStringLiteral("middleware/DevType"), 1},
                              {QStringLiteral("lines/SipAccounts/0/account"), QStringLiteral("imported")}})));
        chooser.Queue(path);
        QVERIFY(ServerLog::Start());
        Viewer seen;
        WhenModalOpens([&](QWidget* modal) { AnswerViewer(modal, how, seen); });
        window.Trigger("actionImportCfg");
        const Texts statements = ServerLog::Statements();
        QVERIFY(ServerLog::Stop());

        QCOMPARE(seen.title, QStringLiteral("确认导入配置"));
        QVERIFY2(seen.changes.contains(QStringLiteral(
                     "  CTI端口：\"base\" -> \"9911\"\n  设备类型：2（FreeSWITCH） -> 1（eHangCom）\n")) &&
                     seen.changes.contains(QStringLiteral("设备配置：无变化")) &&
                     seen.changes.contains(QStringLiteral("SIP账户 1：账户 \"base\" -> \"imported\"")),
                 qPrintable(seen.changes));
        QVERIFY(seen.readOnly);
        QVERIFY2(seen.warning.contains(QStringLiteral("中间件配置、线路配置")) &&
                     seen.warning.contains(QString::fromStdString(TestDatabase::Dsn())) &&
                     seen.warning.contains(QStringLiteral("尚未保存的修改将被丢弃")),
                 qPrintable(seen.warning));
        // Cancel has the focus first: a stray Enter writes nothing.
        QCOMPARE(seen.firstFocus, QStringLiteral("btnCancel"));
        QCOMPARE(seen.pressed, pressed);
        QVERIFY(seen.closed);
        QCOMPARE(seen.result, int(imports ? QDialog::Accepted : QDialog::Rejected));
        QCOMPARE(window.dialog.CurrentGroup(), group);

        if (!imports) {
            const Texts writes = ServerLog::Writes(statements);
            QVERIFY2(writes.empty(), FirstOf(writes).c_str());
            QVERIFY(messages.Messages().empty());
            QCOMPARE(window.Text("editAcdPort"), QStringLiteral("7777"));
            QCOMPARE(window.Text("editFsEslPort"), QStringLiteral("6666"));
            return;
        }
        QCOMPARE(ServerLog::TablesWritten(statements), Tables(kMiddlewareTables + kLinesTables));
        QCOMPARE(messages.Texts(),
                 Texts{"配置已导入，已写入数据源 " + TestDatabase::Dsn() + "：中间件配置、线路配置。"});
        // Every page shows the new configuration; the group on show stays, its device page
        // chosen by the new device type.
        QCOMPARE(window.Text("editCtiPort"), QStringLiteral("9911"));
        QCOMPARE(window.Text("editAcdPort"), QStringLiteral("base"));
        QCOMPARE(window.Text("editFsEslPort"), QStringLiteral("base"));
        QCOMPARE(window.GridValue("gridSipAccount", 0), QStringLiteral("imported"));
        QCOMPARE(window.dialog.findChildren<CCfgDialog*>().size(), 5);
        const char* const shown[] = {"", "CDialogCfgSys", "CDialogCfgEhang", "CDialogCfgLine"};
        for (const char* page :
             {"CDialogCfgSys", "CDialogCfgEhang", "CDialogCfgIpo", "CDialogCfgFs", "CDialogCfgLine"})
            QCOMPARE(window.Find(page)->isVisible(), qstrcmp(page, shown[group]) == 0);
        // The database holds the file.
        CCfgData read;
        std::string error;
        QVERIFY2(CCfgFile::Read(path, read, error), error.c_str());
        SampleConfig::LoadStore();
        QVERIFY2(CCfgChanges::Compare(*GetCfgData(), read).IsEmpty(),
                 CCfgChanges::Compare(*GetCfgData(), read).ToText().c_str());
    }

    // A list to a CSV file and back by keyboard: the list chosen in the dialog with the arrow
    // keys, Enter for the file, and for an import the mode and the question, whose default
    // is Cancel.
    void sheetsByKeyboard_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("imports");
        QTest::newRow("Return on Import") << "Return on btnOk" << true;
        QTest::newRow("Alt+I") << "Alt+I" << true;
        QTest::newRow("Escape") << "Escape" << false;
    }
    void sheetsByKeyboard()
    {
        QFETCH(QString, how);
        QFETCH(bool, imports);
        MessageRecorder messages;
        ChooserAnswers chooser;
        Window window;
        QVERIFY(window.Exposed());
        window.Click("btnLine");
        QString listFocus;
        const auto chooseAccounts = [&listFocus](QWidget* modal, bool replace) {
            if (!QTest::qWaitForWindowActive(modal) ||
                !QTest::qWaitFor([modal] { return modal->isAncestorOf(QApplication::focusWidget()); }, 2000))
                return;
            listFocus = FocusName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
            if (replace) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
            }
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        };

        const QString exported = m_folder.filePath(QStringLiteral("accounts.csv"));
        chooser.Queue(exported);
        WhenModalOpens([&](QWidget* modal) { chooseAccounts(modal, false); });
        window.Trigger("actionExportSheet");
        QCOMPARE(listFocus, QStringLiteral("comboList"));
        QCOMPARE(chooser.Requests().size(), std::size_t(1));
        const CFileChooser::Request& asked = chooser.Requests().front();
        QVERIFY(asked.mode == CFileChooser::Mode::Save);
        QCOMPARE(asked.filters,
                 (QStringList{QStringLiteral("CSV 表格 (*.csv)"), QStringLiteral("所有文件 (*)")}));
        QVERIFY2(QFileInfo(asked.start).fileName().contains(QStringLiteral("-SIP账户-")),
                 qPrintable(asked.start));
        QCOMPARE(FileBytes(exported), CCsvSheet::Export(*GetCfgData(), CsvList::SipAccounts));
        QCOMPARE(messages.Texts().size(), std::size_t(1));
        QVERIFY2(messages.Texts().front().rfind("SIP账户已导出到 ", 0) == 0,
                 messages.Texts().front().c_str());

        // The file replaces the accounts: account 1 changed, account 2 gone, account 5 new.
        messages.Clear();
        const QString path = m_folder.filePath(QStringLiteral("new accounts.csv"));
        QVERIFY(WriteBytes(path, "ID,账户\n1,imported\n5,new\n"));
        chooser.Queue(path);
        QVERIFY(ServerLog::Start());
        Viewer seen;
        WhenModalOpens([&](QWidget* modal) {
            WhenModalOpens([&](QWidget* viewer) { AnswerViewer(viewer, how, seen); });
            chooseAccounts(modal, true);
        });
        window.Trigger("actionImportSheet");
        const Texts statements = ServerLog::Statements();
        QVERIFY(ServerLog::Stop());
        QCOMPARE(chooser.Requests().back().filters.front(), QStringLiteral("CSV 表格 (*.csv)"));
        QCOMPARE(seen.title, QStringLiteral("确认导入配置"));
        QCOMPARE(seen.firstFocus, QStringLiteral("btnCancel"));
        QVERIFY2(seen.warning.startsWith(
                     QStringLiteral("已按 UTF-8 读取文件中的 2 条SIP账户记录（替换整个表）。")),
                 qPrintable(seen.warning));
        QVERIFY2(seen.changes.contains(QStringLiteral("SIP账户 1：账户 \"base\" -> \"imported\"")) &&
                     seen.changes.contains(QStringLiteral("SIP账户 2：")) &&
                     seen.changes.contains(QStringLiteral("SIP账户 5：")),
                 qPrintable(seen.changes));
        if (!imports) {
            const Texts writes = ServerLog::Writes(statements);
            QVERIFY2(writes.empty(), FirstOf(writes).c_str());
            QVERIFY(messages.Messages().empty());
            return;
        }
        QCOMPARE(ServerLog::TablesWritten(statements), Tables(kLinesTables));
        QCOMPARE(messages.Texts(),
                 Texts{"SIP账户表格已导入，已写入数据源 " + TestDatabase::Dsn() + "：线路配置。"});
        // The new account takes the values one added on the page gets.
        const Texts accounts = TestDatabase::Rows(
            "SELECT id, account, proxy_port, reg, reg_interval FROM conf_sip_account ORDER BY id", 5);
        QCOMPARE(accounts, (Texts{"1|imported|5061|true|60", "5|new|5060|true|1800"}));
        QCOMPARE(window.GridValue("gridSipAccount", 0), QStringLiteral("imported"));
    }

    void theSheetDialogByKeyboard_data()
    {
        QTest::addColumn<int>("purpose");
        QTest::newRow("export") << int(CDialogCsvList::Purpose::Export);
        QTest::newRow("import") << int(CDialogCsvList::Purpose::Import);
    }
    void theSheetDialogByKeyboard()
    {
        QFETCH(int, purpose);
        CDialogCsvList dialog{CDialogCsvList::Purpose(purpose)};
        const auto [walked, onScreen] = TabRoundAndScreenOrder(dialog);
        QCOMPARE(walked, onScreen);
        QCOMPARE(onScreen.front(), QStringLiteral("comboList"));
        QCOMPARE(dialog.findChild<QPushButton*>(QStringLiteral("btnChooseFile"))->isDefault(), true);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }

    // A sheet with problems is refused with all of them, before the database is read.
    void aSheetWithProblemsIsRefused()
    {
        MessageRecorder messages;
        ChooserAnswers chooser;
        Window window;
        QVERIFY(window.Exposed());
        const QString path = m_folder.filePath(QStringLiteral("bad.csv"));
        QVERIFY(WriteBytes(path, "分机号,接入密码\n8001,a\nx,b\n8001,c\n"));
        chooser.Queue(path);
        WhenModalOpens([](QWidget* modal) { ClickButton(modal, "btnChooseFile"); });
        QVERIFY(ServerLog::Start());
        window.Trigger("actionImportSheet");
        const Texts statements = ServerLog::Statements();
        QVERIFY(ServerLog::Stop());
        QVERIFY2(statements.empty(), FirstOf(statements).c_str());
        QCOMPARE(messages.Texts(), Texts{"表格导入失败：文件 " + path.toStdString() +
                                         "（UTF-8）中有 2 处问题，未写入任何内容：\r\n"
                                         "第 3 行“分机号”列：“x”不是 -2147483648 到 2147483647 之间的整数\r\n"
                                         "第 4 行：分机号与第 2 行相同"});
    }

    void theComparisonIsWithTheDatabaseAsItIsNow()
    {
        // The file is what the window loaded; since then someone else changed the database.
        const QByteArray loaded = Json(*GetCfgData());
        MessageRecorder messages;
        ChooserAnswers chooser;
        Window window;
        QVERIFY(window.Exposed());
        QVERIFY(TestDatabase::Run({"UPDATE conf_system SET value = 'other' WHERE name = 'CtiAddr'"}));
        const QString path = m_folder.filePath(QStringLiteral("loaded.json"));
        QVERIFY(WriteBytes(path, loaded));

        chooser.Queue(path);
        Viewer compared;
        WhenModalOpens([&](QWidget* modal) { AnswerViewer(modal, QStringLiteral("Escape"), compared); });
        window.Trigger("actionCompareCfg");
        QVERIFY2(
            compared.changes.startsWith(QStringLiteral("中间件配置：\n  CTI地址：\"other\" -> \"base\"\n")),
            qPrintable(compared.changes));

        chooser.Queue(path);
        QVERIFY(ServerLog::Start());
        Viewer asked;
        WhenModalOpens([&](QWidget* modal) { AnswerViewer(modal, QStringLiteral("click btnOk"), asked); });
        window.Trigger("actionImportCfg");
        const Texts statements = ServerLog::Statements();
        QVERIFY(ServerLog::Stop());
        QCOMPARE(ServerLog::TablesWritten(statements), Tables(kMiddlewareTables));
        QCOMPARE(TestDatabase::Rows("SELECT value FROM conf_system WHERE name = 'CtiAddr'", 1),
                 Texts{"base"});
        QCOMPARE(messages.Texts(),
                 Texts{"配置已导入，已写入数据源 " + TestDatabase::Dsn() + "：中间件配置。"});

        // Imported again: nothing differs, nothing is written.
        chooser.Queue(path);
        messages.Clear();
        QVERIFY(ServerLog::Start());
        {
            ModalGuard modals;
            window.Trigger("actionImportCfg");
            QVERIFY(modals.Opened().isEmpty());
        }
        const Texts writes = ServerLog::Writes(ServerLog::Statements());
        QVERIFY(ServerLog::Stop());
        QVERIFY2(writes.empty(), FirstOf(writes).c_str());
        QCOMPARE(messages.Texts().size(), std::size_t(1));
        QVERIFY2(QString::fromStdString(messages.Texts().front())
                     .endsWith(QStringLiteral("没有差异，未写入任何内容。")),
                 messages.Texts().front().c_str());
    }

    void importRefused_data()
    {
        QTest::addColumn<QByteArray>("json"); // empty: the file of `edits`
        QTest::addColumn<QString>("editPath");
        QTest::addColumn<QString>("editValue");
        QTest::addColumn<bool>("hideTable");
        QTest::addColumn<QStringList>("said");
        const QString none;
        QTest::newRow("not JSON") << QByteArray("{\n  \"format\": [\n") << none << none << false
                                  << QStringList{QStringLiteral("不是有效的 JSON")};
        QTest::newRow("unknown version") << QByteArray() << "version"
                                         << "2" << false << QStringList{QStringLiteral("版本 2 不受支持")};
        QTest::newRow("a SIP account too long for its field")
            << QByteArray() << "lines/SipAccounts/1/account" << QString(50, QLatin1Char('a')) << false
            << QStringList{QStringLiteral("lines.SipAccounts[1].account"), QStringLiteral("49 个字节")};
        QTest::newRow("a setting too long for its column")
            << QByteArray() << "middleware/CtiAddr" << QString(301, QLatin1Char('x')) << false
            << QStringList{QStringLiteral("设置 CtiAddr 的值"), QStringLiteral("300")};
        QTest::newRow("a table that cannot be read")
            << QByteArray() << "middleware/CtiAddr"
            << "new" << true << QStringList{QStringLiteral("线路配置"), QStringLiteral("conf_trunk_match")};
    }

    void importRefused()
    {
        QFETCH(QByteArray, json);
        QFETCH(QString, editPath);
        QFETCH(QString, editValue);
        QFETCH(bool, hideTable);
        QFETCH(QStringList, said);
        MessageRecorder messages;
        ChooserAnswers chooser;
        ModalGuard modals;
        Window window;
        QVERIFY(window.Exposed());
        window.Find<QLineEdit>("editAcdPort")->setText(QStringLiteral("7777"));
        const QString path = m_folder.filePath(QStringLiteral("refused.json"));
        const QJsonValue value =
            editPath == QLatin1String("version") ? QJsonValue(editValue.toInt()) : QJsonValue(editValue);
        QVERIFY(WriteBytes(path, json.isEmpty() ? EditedJson(*GetCfgData(), {{editPath, value}}) : json));
        if (hideTable)
            QVERIFY(TestDatabase::Run({"RENAME TABLE conf_trunk_match TO hidden_table"}));
        chooser.Queue(path);
        QVERIFY(ServerLog::Start());
        window.Trigger("actionImportCfg");
        const Texts writes = ServerLog::Writes(ServerLog::Statements());
        QVERIFY(ServerLog::Stop());

        QCOMPARE(messages.Texts().size(), std::size_t(1));
        const QString message = QString::fromStdString(messages.Texts().front());
        QVERIFY2(message.startsWith(QStringLiteral("配置导入失败：")) &&
                     message.contains(QStringLiteral("未写入任何内容")),
                 qPrintable(message));
        for (const QString& part : said)
            QVERIFY2(message.contains(part), qPrintable(message + QStringLiteral(" lacks ") + part));
        // Refused before the question; nothing written, the pages as they were.
        QVERIFY(modals.Opened().isEmpty());
        QVERIFY2(writes.empty(), FirstOf(writes).c_str());
        QCOMPARE(window.Text("editAcdPort"), QStringLiteral("7777"));
    }

    // 数据库 → 恢复备份... lists the backups newest first; the one chosen goes through the
    // import: its differences shown, 取消 the default, written on 导入.
    void restoreABackupFromTheMenu()
    {
        MessageRecorder messages;
        GetCfgData()->LogPath = "/wrong";
        QVERIFY(GetCfgDb()->SaveSysCfg());
        Window window;
        QVERIFY(window.Exposed());
        QCOMPARE(window.Text("editLogPath"), QStringLiteral("/wrong"));

        QStringList listed;
        Viewer asked;
        WhenModalOpens([&](QWidget* backups) {
            auto* table = backups->findChild<QTableWidget*>(QStringLiteral("tableBackups"));
            QVERIFY(table && QTest::qWaitForWindowActive(backups));
            for (int column = 0; column < table->columnCount(); ++column)
                listed << table->item(0, column)->text();
            // The focus arrives with the activation, at times a moment after it.
            QVERIFY(QTest::qWaitFor([table] { return QApplication::focusWidget() == table; }, 2000));
            WhenModalOpens([&](QWidget* viewer) { AnswerViewer(viewer, QStringLiteral("Alt+I"), asked); });
            QTest::keyClick(table, Qt::Key_Tab);
            QCOMPARE(FocusName(), QStringLiteral("btnRestore"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        });
        window.Trigger("actionRestoreBackup");
        QCOMPARE(listed.value(1), QString::fromStdString(TestDatabase::Dsn()));
        QCOMPARE(listed.value(2), QStringLiteral("中间件配置"));
        QCOMPARE(asked.firstFocus, QStringLiteral("btnCancel"));
        QVERIFY2(asked.changes.contains(QStringLiteral("日志路径：\"/wrong\" -> \"base\"")),
                 qPrintable(asked.changes));
        QCOMPARE(messages.Texts().size(), std::size_t(1));
        QVERIFY2(QString::fromStdString(messages.Texts().front()).startsWith(QStringLiteral("配置已导入")),
                 messages.Texts().front().c_str());
        QCOMPARE(TestDatabase::Rows("SELECT value FROM conf_system WHERE name = 'LogPath'", 1),
                 Texts{"base"});
        QCOMPARE(window.Text("editLogPath"), QStringLiteral("base"));
    }

    void importStopsWhereTheDatabaseRefuses()
    {
        MessageRecorder messages;
        ChooserAnswers chooser;
        Window window;
        QVERIFY(window.Exposed());
        const QString path = m_folder.filePath(QStringLiteral("changed.json"));
        QVERIFY(WriteBytes(
            path, EditedJson(*GetCfgData(),
                             {{QStringLiteral("middleware/LogPath"), QStringLiteral("/var/log/new")},
                              {QStringLiteral("lines/SipAccounts/0/account"), QStringLiteral("refused")}})));
        QVERIFY(TestDatabase::RefuseInserts("conf_sip_account", "refuse_account", "NEW.account = 'refused'",
                                            "account refused here"));
        chooser.Queue(path);
        Viewer asked;
        WhenModalOpens([&](QWidget* modal) { AnswerViewer(modal, QStringLiteral("click btnOk"), asked); });
        window.Trigger("actionImportCfg");

        QCOMPARE(messages.Texts().size(), std::size_t(1));
        const QString message = QString::fromStdString(messages.Texts().front());
        QVERIFY2(message.startsWith(QStringLiteral("配置导入失败：线路配置写入失败")) &&
                     message.contains(QStringLiteral("account refused here")) &&
                     message.contains(QStringLiteral("此前已写入：中间件配置")),
                 qPrintable(message));
        QCOMPARE(TestDatabase::Rows("SELECT value FROM conf_system WHERE name = 'LogPath'", 1),
                 Texts{"/var/log/new"});
        // As after a failed Save, the pages show what the file gave, so Save writes it once the
        // database takes it.
        QCOMPARE(window.Text("editLogPath"), QStringLiteral("/var/log/new"));
        QCOMPARE(window.GridValue("gridSipAccount", 0), QStringLiteral("refused"));
        QVERIFY(TestDatabase::Run({"DROP TRIGGER refuse_account"}));
        window.Click("btnLine");
        messages.Clear();
        window.Click("btnSave");
        QCOMPARE(messages.Texts(), Texts{"线路配置信息保存成功"});
        QCOMPARE(TestDatabase::Rows("SELECT account FROM conf_sip_account WHERE id = 1", 1),
                 Texts{"refused"});
    }

private:
    std::unique_ptr<TestSettings> m_settings;
    QTemporaryDir m_folder;
};

QTEST_MAIN(TestCfgWindow)
#include "tst_cfgwindow.moc"
