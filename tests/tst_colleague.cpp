// A colleague writing the same tables while the window is open: what they saved is shown
// before it is written over, kept rows survive, and two saves of a group never interleave.
#include "app/CTarvexDlg.h"
#include "config/data/CCfgData.h"
#include "config/database/CCfgDb.h"
#include "config/database/CCfgGroupSnapshot.h"
#include "config/database/CCfgLoader.h"
#include "config/document/CCfgChanges.h"
#include "config/document/CCfgDocument.h"
#include "controls/CButtonST.h"
#include "controls/CFileChooser.h"
#include "db/IOtlConnection.h"
#include "support/ConfigTables.h"
#include "support/MainWindowHost.h"
#include "support/MessageRecorder.h"
#include "support/ModalDriver.h"
#include "support/RecordingProgress.h"
#include "support/TestDatabase.h"
#include "support/TestSettings.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <thread>

namespace {

using Texts = std::vector<std::string>;

struct Window : MainWindowHost
{
    void AddExten(const QString& number) const
    {
        Find<QLineEdit>("editExtenCount")->setText(QStringLiteral("1"));
        Command("editFirstExten", number, "btnAddExten");
    }
};

/// Some of every group, a row of another type in conf_line and a setting of an unknown name;
/// then loaded into the store as at start-up.
bool FillAndLoad(bool fresh = true)
{
    if ((fresh && !ConfigTables::CreateEmpty()) ||
        !TestDatabase::Run({"INSERT INTO conf_system (Name, Value) VALUES ('CallConcurrency', '30'), "
                            "('SiteNote', 'kept')",
                            "INSERT INTO conf_line (id, type, value) VALUES (8001, 0, 'p8001'), "
                            "(8002, 0, 'p8002'), (700, 1, 'other')"}))
        return false;
    *GetCfgData() = CCfgData();
    RecordingProgress progress;
    return GetCfgDb()->LoadCfg(progress);
}

struct Question
{
    bool asked = false;
    QString title;
    QString heading;
    QString changes;
    QString focus;
};

/// Answers the question about a colleague's changes `how`: "click 覆盖", "Enter" or "Escape".
void AnswerWhenAsked(const QString& how, Question& seen)
{
    WhenModalOpens([how, &seen](QWidget* modal) {
        seen.asked = true;
        seen.title = modal->windowTitle();
        if (auto* heading = modal->findChild<QLabel*>(QStringLiteral("labelCompared")))
            seen.heading = heading->text();
        if (auto* list = modal->findChild<QPlainTextEdit*>(QStringLiteral("editChanges")))
            seen.changes = list->toPlainText();
        QVERIFY(QTest::qWaitForWindowActive(modal));
        // The focus arrives with the activation, at times a moment after it.
        QVERIFY(QTest::qWaitFor([modal] { return modal->isAncestorOf(QApplication::focusWidget()); }, 2000));
        seen.focus = QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
        if (how == QStringLiteral("click 覆盖"))
            QTest::mouseClick(modal->findChild<QPushButton*>(QStringLiteral("btnOk")), Qt::LeftButton);
        else
            QTest::keyClick(QApplication::focusWidget(),
                            how == QLatin1String("Enter") ? Qt::Key_Return : Qt::Key_Escape);
        if (modal->isVisible())
            modal->close();
    });
}

/// A colleague's program: a connection of its own to the same database.
class Colleague
{
public:
    Colleague() : m_connection(IOtlConnection::getInstance()->NewSeparate())
    {
        std::string error;
        m_connected = m_connection->Connect(TestDatabase::ConnectString(), error);
        if (!m_connected)
            qWarning("colleague cannot connect: %s", error.c_str());
    }
    ~Colleague() { m_connection->Disconnect(); }
    bool Run(const std::vector<std::string>& statements)
    {
        for (const std::string& statement : statements) {
            if (!m_connected || !m_connection->ExecuteSql(statement)) {
                qWarning("colleague: %s: %s", statement.c_str(), m_connection->GetLastErrorText().c_str());
                return false;
            }
        }
        return true;
    }

private:
    std::unique_ptr<IOtlConnection> m_connection;
    bool m_connected = false;
};

/// A second connection that holds a group's save lock for `holdMs` on a thread of its own.
class LockHolder
{
public:
    LockHolder(const std::string& group, int holdMs)
    {
        m_thread = std::thread([this, group, holdMs] {
            std::unique_ptr<IOtlConnection> other = IOtlConnection::getInstance()->NewSeparate();
            std::string error;
            if (other->Connect(TestDatabase::ConnectString(), error)) {
                const std::string name = "LEFT(CONCAT('tarvex.', DATABASE(), '." + group + "'), 64)";
                m_held = other->QueryValue("SELECT GET_LOCK(" + name + ", 0)") == "1";
                m_ready = true;
                std::this_thread::sleep_for(std::chrono::milliseconds(holdMs));
                other->ExecuteSqlNoCheck("DO RELEASE_LOCK(" + name + ")");
                other->Disconnect();
            }
            m_ready = true;
        });
        while (!m_ready)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ~LockHolder() { m_thread.join(); }
    bool Held() const { return m_held; }

private:
    std::thread m_thread;
    std::atomic<bool> m_ready{false};
    std::atomic<bool> m_held{false};
};

} // namespace

class TestColleague : public QObject
{
    Q_OBJECT

private:
    TestSettings m_userSettings;

private Q_SLOTS:
    void initTestCase() { QVERIFY(TestDatabase::Connect()); }

    // What a colleague saved since the window read the group is shown before a Save writes;
    // 取消 is the default and writes nothing, 覆盖 writes the page.
    void aColleaguesChangeIsShownFirst_data()
    {
        QTest::addColumn<QString>("tile");
        QTest::addColumn<QString>("colleague");
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("afterwards");
        const auto row = [](const char* name, const char* tile, const char* colleague, const char* change,
                            const char* answer, const char* afterwards) {
            QTest::newRow(name) << QString::fromLatin1(tile) << QString::fromUtf8(colleague)
                                << QString::fromUtf8(change) << QString::fromUtf8(answer)
                                << QString::fromUtf8(afterwards);
        };
        const char* addExten = "INSERT INTO conf_line (id, type, value) VALUES (7777, 0, 'c7777')";
        row("added extension, 覆盖", "btnLine", addExten, "分机 7777：新增", "click 覆盖", "8001 8002 9001");
        row("added extension, Escape", "btnLine", addExten, "分机 7777：新增", "Escape", "7777 8001 8002");
        row("added extension, Enter", "btnLine", addExten, "分机 7777：新增", "Enter", "7777 8001 8002");
        const char* setting = "UPDATE conf_system SET value = '55' WHERE name = 'CallConcurrency'";
        row("changed setting, 覆盖", "btnSys", setting, "外呼最大并发量：\"30\" -> \"55\"", "click 覆盖",
            "99");
        row("changed setting, Enter", "btnSys", setting, "外呼最大并发量：\"30\" -> \"55\"", "Enter", "55");
    }
    void aColleaguesChangeIsShownFirst()
    {
        QFETCH(QString, tile);
        QFETCH(QString, colleague);
        QFETCH(QString, change);
        QFETCH(QString, answer);
        QFETCH(QString, afterwards);
        QVERIFY(FillAndLoad());
        MessageRecorder messages;
        Window window;
        QVERIFY(window.Exposed());
        const bool linesGroup = tile == QLatin1String("btnLine");
        window.Click(tile.toLatin1().constData());
        if (linesGroup)
            window.AddExten(QStringLiteral("9001"));
        else
            window.Find<QLineEdit>("editCallConcurrency")->setText(QStringLiteral("99"));
        QVERIFY(Colleague().Run({colleague.toStdString()}));

        Question seen;
        AnswerWhenAsked(answer, seen);
        window.Click("btnSave");
        QVERIFY(seen.asked);
        QCOMPARE(seen.title, QStringLiteral("数据库中的配置已被修改"));
        QVERIFY2(seen.heading.contains(QStringLiteral("已被修改")), qPrintable(seen.heading));
        QVERIFY2(seen.changes.contains(change), qPrintable(seen.changes));
        QCOMPARE(seen.focus, QStringLiteral("btnCancel"));

        const bool written = answer == QStringLiteral("click 覆盖");
        const char* success = linesGroup ? "线路配置信息保存成功" : "中间件配置信息保存成功";
        QCOMPARE(messages.Texts(), written ? Texts{success} : Texts{});
        const std::string query =
            linesGroup ? "SELECT GROUP_CONCAT(id ORDER BY id SEPARATOR ' ') FROM conf_line WHERE type = 0"
                       : "SELECT value FROM conf_system WHERE name = 'CallConcurrency'";
        QCOMPARE(TestDatabase::Rows(query, 1), Texts{afterwards.toStdString()});
        // The row of another type and the unknown setting are there either way.
        QCOMPARE(TestDatabase::Rows("SELECT id FROM conf_line WHERE type <> 0", 1), Texts{"700"});
        QCOMPARE(TestDatabase::Rows("SELECT value FROM conf_system WHERE name = 'SiteNote'", 1),
                 Texts{"kept"});
        // Declined, the page keeps the edit and its group stays unsaved.
        QCOMPARE(window.Find<CButtonST>(tile.toLatin1().constData())->IsMarked(), !written);
    }

    // Closing the window while a save waits on the colleague question asks nothing then; the
    // exit question comes once the save has ended, from its outcome.
    void aCloseDuringASaveIsAskedAboutAfterIt()
    {
        QVERIFY(FillAndLoad());
        MessageRecorder messages;
        messages.QueueAnswer(MsgAnswer::Ok);     // the save's notice
        messages.QueueAnswer(MsgAnswer::Cancel); // the exit question: the window stays
        Window window;
        QVERIFY(window.Exposed());
        window.Click("btnLine");
        window.AddExten(QStringLiteral("9001"));
        QVERIFY(Colleague().Run({"INSERT INTO conf_line (id, type, value) VALUES (7777, 0, 'c7777')"}));

        Texts duringTheQuestion{"not asked"};
        WhenModalOpens([&](QWidget* question) {
            QVERIFY(QTest::qWaitForWindowActive(question));
            window.dialog.close();
            duringTheQuestion = messages.Texts();
            QTest::mouseClick(question->findChild<QPushButton*>(QStringLiteral("btnOk")), Qt::LeftButton);
        });
        window.Click("btnSave");
        QCOMPARE(duringTheQuestion, Texts{});
        QCOMPARE(messages.Texts(), (Texts{"线路配置信息保存成功", "确定要退出Tarvex吗?"}));
        QVERIFY(window.dialog.isVisible());
        QCOMPARE(TestDatabase::Rows("SELECT GROUP_CONCAT(id ORDER BY id SEPARATOR ' ') FROM conf_line "
                                    "WHERE type = 0",
                                    1),
                 Texts{"8001 8002 9001"});
    }

    // An import lists the differences and asks; a colleague who saves before the answer is
    // not written over unseen: the write asks as a save does. Here a spreadsheet of
    // extensions is merged while a colleague adds extension 9100.
    void anImportAsksAboutAChangeSinceItsPreview_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("afterwards");
        QTest::newRow("覆盖") << "click 覆盖"
                              << "8001 8002 8003";
        QTest::newRow("Escape") << "Escape"
                                << "8001 8002 9100";
    }
    void anImportAsksAboutAChangeSinceItsPreview()
    {
        QFETCH(QString, answer);
        QFETCH(QString, afterwards);
        QVERIFY(FillAndLoad());
        MessageRecorder messages;
        Window window;
        QVERIFY(window.Exposed());
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("extensions.csv"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("分机号,接入密码\n8003,p8003\n") > 0);
        file.close();
        CFileChooser::SetHandler([&path](const CFileChooser::Request&) { return path; });
        Question seen;
        bool previewed = false;
        WhenModalOpens([&](QWidget* choice) {
            WhenModalOpens([&](QWidget* preview) {
                previewed = preview->objectName() == QLatin1String("CDialogCfgChanges");
                QVERIFY(Colleague().Run(
                    {"INSERT INTO conf_line (id, type, value) VALUES (9100, 0, 'colleague')"}));
                QTest::mouseClick(preview->findChild<QPushButton*>(QStringLiteral("btnOk")), Qt::LeftButton);
                AnswerWhenAsked(answer, seen);
            });
            ClickButton(choice, "btnChooseFile");
        });
        window.Trigger("actionImportSheet");
        CFileChooser::SetHandler({});
        QVERIFY(previewed);
        QVERIFY(seen.asked);
        QCOMPARE(seen.title, QStringLiteral("数据库中的配置已被修改"));
        QVERIFY2(seen.heading.startsWith(QStringLiteral("自列出差异以来")), qPrintable(seen.heading));
        QVERIFY2(seen.changes.contains(QStringLiteral("9100")), qPrintable(seen.changes));
        QCOMPARE(seen.focus, QStringLiteral("btnCancel"));
        QCOMPARE(TestDatabase::Rows(
                     "SELECT GROUP_CONCAT(id ORDER BY id SEPARATOR ' ') FROM conf_line WHERE type = 0", 1),
                 Texts{afterwards.toStdString()});
        QCOMPARE(messages.Texts().size(), std::size_t(1));
        QVERIFY2(QString::fromStdString(messages.Texts().front())
                     .startsWith(answer == QLatin1String("Escape") ? QStringLiteral("分机表格导入失败：")
                                                                   : QStringLiteral("分机表格已导入")),
                 messages.Texts().front().c_str());
    }

    // Rows the program keeps without editing come from the tables as they are at the save: a
    // colleague's row of another type and setting of an unknown name survive, without a
    // question. After a save, what was saved is the reference: the next save asks only about
    // what a colleague changed since.
    void keptRowsSurviveAndASaveBecomesTheReference()
    {
        QVERIFY(FillAndLoad());
        MessageRecorder messages;
        Window window;
        QVERIFY(window.Exposed());
        // A question here would be a fault: noted and closed, so that the test goes on to fail.
        bool asked = false;
        QTimer guard;
        guard.setInterval(100);
        connect(&guard, &QTimer::timeout, this, [&asked] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                asked = true;
                modal->close();
            }
        });
        guard.start();
        Colleague colleague;
        QVERIFY(colleague.Run({"INSERT INTO conf_line (id, type, value) VALUES (500, 3, 'new')",
                               "INSERT INTO conf_system (Name, Value) VALUES ('AddedNote', 'later')"}));
        window.Find<QLineEdit>("editCallConcurrency")->setText(QStringLiteral("99"));
        window.Click("btnSave");
        window.Click("btnLine");
        window.AddExten(QStringLiteral("9001"));
        window.Click("btnSave");
        QCOMPARE(messages.Texts(), (Texts{"中间件配置信息保存成功", "线路配置信息保存成功"}));
        guard.stop();
        QVERIFY(!asked);
        QCOMPARE(TestDatabase::Rows("SELECT id, type FROM conf_line WHERE type <> 0 ORDER BY id", 2),
                 (Texts{"500|3", "700|1"}));
        QCOMPARE(TestDatabase::Rows("SELECT name FROM conf_system WHERE name LIKE '%Note' ORDER BY name", 1),
                 (Texts{"AddedNote", "SiteNote"}));

        // Saved again with a colleague's change since the last save: only that one is shown.
        QVERIFY(colleague.Run({"DELETE FROM conf_line WHERE id = 8001"}));
        window.AddExten(QStringLiteral("9002"));
        Question seen;
        AnswerWhenAsked(QStringLiteral("Escape"), seen);
        window.Click("btnSave");
        QVERIFY(seen.asked);
        QVERIFY2(seen.changes.contains(QStringLiteral("8001")), qPrintable(seen.changes));
        QVERIFY2(!seen.changes.contains(QStringLiteral("9001")), qPrintable(seen.changes));
    }

    // After a save, ended well or stopped part-way, another connection gets the group's lock
    // at once. A save stopped part-way and repeated once its cause is gone writes without a
    // question: the half-written tables are this window's own doing, not a colleague's.
    // After its own save, a document's next save reads no rows of the group while the tables
    // are as that save left them: the server compares digests. Any change a colleague makes,
    // to a row the program edits or one it keeps, and a session of its own, is read.
    void aSaveReadsOnlyWhatChangedSinceTheDocumentsOwnWrite_data()
    {
        QTest::addColumn<QString>("colleague");
        QTest::newRow("nothing") << QString();
        QTest::newRow("an extension")
            << QStringLiteral("UPDATE conf_line SET value = 'theirs' WHERE id = 8001");
        QTest::newRow("a kept line") << QStringLiteral(
            "UPDATE conf_line SET value = 'theirs' WHERE id = 700");
        QTest::newRow("NULL to the text NULL")
            << QStringLiteral("UPDATE conf_line SET value = 'NULL' WHERE id = 701");
        QTest::newRow("a row added") << QStringLiteral("INSERT INTO conf_trunk_item VALUES (9, 1, 1, 1, 1)");
        QTest::newRow("two rows' values swapped") << QStringLiteral(
            "UPDATE conf_line SET value = IF(id = 8001, 'p8002', 'p8001') WHERE id IN (8001, 8002)");
        QTest::newRow("another session") << QStringLiteral("<reconnect>");
    }

    void aSaveReadsOnlyWhatChangedSinceTheDocumentsOwnWrite()
    {
        QFETCH(QString, colleague);
        QVERIFY(FillAndLoad());
        QVERIFY(TestDatabase::Run({"INSERT INTO conf_line (id, type, value) VALUES (701, 2, NULL)"}));
        *GetCfgData() = CCfgData();
        RecordingProgress progress;
        QVERIFY(GetCfgDb()->LoadCfg(progress));
        IOtlConnection& db = *IOtlConnection::getInstance();
        CCfgDocument& document = *GetCfgDocument();
        QVERIFY(GetCfgDb()->SaveLineCfg());
        const Texts written = TestDatabase::Rows("SELECT id, type, value FROM conf_line ORDER BY id", 3);

        if (colleague == QLatin1String("<reconnect>"))
            QVERIFY(TestDatabase::Connect());
        else if (!colleague.isEmpty())
            QVERIFY(Colleague().Run({colleague.toStdString()}));
        const bool changed = !colleague.isEmpty();
        {
            CCfgGroupSnapshot now(db, CfgGroup::Lines, &document);
            std::string error;
            QVERIFY2(now.Take(error), error.c_str());
            QCOMPARE(now.Unchanged(), !changed);
            // Whichever way, the snapshot holds what the tables hold.
            CCfgData loaded;
            CfgLoadReport report;
            QVERIFY(CCfgLoader::LoadGroup(db, CfgGroup::Lines, loaded, report));
            QVERIFY(!CCfgChanges::Compare(loaded, now.Data()).Differs(CfgGroup::Lines));
            QCOMPARE(now.Report().Kept(CfgGroup::Lines).size(), report.Kept(CfgGroup::Lines).size());
            for (std::size_t i = 0; i < report.keptLines.size(); ++i)
                QVERIFY(now.Report().keptLines[i].value == report.keptLines[i].value);
        }
        // The save after it writes the kept rows as the tables hold them.
        const std::string keptRows = "SELECT CONCAT_WS('|', id, type, IFNULL(value, '<null>')) FROM "
                                     "conf_line WHERE type <> 0 ORDER BY id";
        const Texts kept = TestDatabase::Rows(keptRows, 1);
        GetCfgData()->Extens.SetAt(8003, "p8003");
        QVERIFY(GetCfgDb()->Save(CfgGroup::Lines, nullptr).IsWritten());
        QCOMPARE(TestDatabase::Rows(keptRows, 1), kept);
        QCOMPARE(TestDatabase::Rows("SELECT id FROM conf_line WHERE id = 8003", 1), Texts{"8003"});
        if (!changed)
            QCOMPARE(
                TestDatabase::Rows("SELECT id, type, value FROM conf_line WHERE id <> 8003 ORDER BY id", 3),
                written);
    }

    // Loading leaves each group's digest in the session: the first save reads no rows either
    // while nobody has written.
    void aLoadLeavesTheDigestForTheFirstSave_data()
    {
        QTest::addColumn<QString>("alter");
        QTest::newRow("utf8mb4 everywhere") << QString();
        QTest::newRow("GBK and latin1 columns in one table") << QStringLiteral(
            "ALTER TABLE conf_system MODIFY name varchar(50) CHARACTER SET gbk, MODIFY value "
            "varchar(300) CHARACTER SET latin1");
    }

    void aLoadLeavesTheDigestForTheFirstSave()
    {
        QFETCH(QString, alter);
        QVERIFY(ConfigTables::CreateEmpty());
        if (!alter.isEmpty())
            QVERIFY(TestDatabase::Run({alter.toStdString()}));
        QVERIFY(FillAndLoad(false));
        for (CfgGroup group : {CfgGroup::System, CfgGroup::Device, CfgGroup::Lines}) {
            CCfgGroupSnapshot now(*IOtlConnection::getInstance(), group, GetCfgDocument());
            std::string error;
            QVERIFY2(now.Take(error), error.c_str());
            QVERIFY(now.Unchanged());
            QVERIFY(!CCfgChanges::Compare(GetCfgDocument()->Reference(), now.Data()).Differs(group));
        }
        QVERIFY(Colleague().Run({"UPDATE conf_system SET value = '31' WHERE name = 'CallConcurrency'"}));
        CCfgGroupSnapshot now(*IOtlConnection::getInstance(), CfgGroup::System, GetCfgDocument());
        std::string error;
        QVERIFY2(now.Take(error), error.c_str());
        QVERIFY(!now.Unchanged());
        QCOMPARE(now.Data().CallConcurrency, std::string("31"));
    }

    // A list too long for the digest (here the session's limit made small) cannot be told
    // unchanged: it is read, and so is a change in it.
    void aListTooLongForItsDigestIsRead()
    {
        QVERIFY(FillAndLoad());
        IOtlConnection& db = *IOtlConnection::getInstance();
        QVERIFY(db.ExecuteSql("SET SESSION group_concat_max_len = 20"));
        QVERIFY(GetCfgDb()->SaveLineCfg());
        QVERIFY(Colleague().Run({"UPDATE conf_line SET value = 'theirs' WHERE id = 8002"}));
        CCfgGroupSnapshot now(db, CfgGroup::Lines, GetCfgDocument());
        std::string error;
        const bool taken = now.Take(error);
        QVERIFY(db.ExecuteSql("SET SESSION group_concat_max_len = DEFAULT"));
        QVERIFY2(taken, error.c_str());
        QVERIFY(!now.Unchanged());
        std::string value;
        QVERIFY(now.Data().Extens.Lookup(8002, value));
        QCOMPARE(value, std::string("theirs"));
    }

    // A document that read its tables again since its save does not take the digest of that
    // save for them: a colleague may have written them back to just what it wrote.
    void aReadSinceTheSaveIsNotStoodForByItsDigest()
    {
        QVERIFY(FillAndLoad());
        IOtlConnection& db = *IOtlConnection::getInstance();
        QVERIFY(GetCfgDb()->SaveLineCfg());
        const Texts written =
            TestDatabase::Rows("SELECT CONCAT_WS('|', id, type, value) FROM conf_line ORDER BY id", 1);
        QVERIFY(Colleague().Run({"UPDATE conf_line SET value = 'theirs' WHERE id = 8001"}));
        *GetCfgData() = CCfgData();
        RecordingProgress progress;
        QVERIFY(GetCfgDb()->LoadCfg(progress));
        QVERIFY(Colleague().Run({"UPDATE conf_line SET value = 'p8001' WHERE id = 8001"}));
        QCOMPARE(TestDatabase::Rows("SELECT CONCAT_WS('|', id, type, value) FROM conf_line ORDER BY id", 1),
                 written);

        CCfgGroupSnapshot now(db, CfgGroup::Lines, GetCfgDocument());
        std::string error;
        QVERIFY2(now.Take(error), error.c_str());
        QVERIFY(!now.Unchanged());
        QVERIFY(CCfgChanges::Compare(GetCfgDocument()->Reference(), now.Data()).Differs(CfgGroup::Lines));
    }

    void theLockIsFreeAfterASaveAndARepeatedSaveWrites()
    {
        QVERIFY(FillAndLoad());
        const auto lockIsFree = [] {
            std::unique_ptr<IOtlConnection> other = IOtlConnection::getInstance()->NewSeparate();
            std::string error;
            if (!other->Connect(TestDatabase::ConnectString(), error))
                return false;
            const std::string name = "LEFT(CONCAT('tarvex.', DATABASE(), '.lines'), 64)";
            const bool got = other->QueryValue("SELECT GET_LOCK(" + name + ", 0)") == "1";
            other->ExecuteSqlNoCheck("DO RELEASE_LOCK(" + name + ")");
            other->Disconnect();
            return got;
        };
        MessageRecorder messages;
        Window window;
        QVERIFY(window.Exposed());
        window.Click("btnLine");
        window.AddExten(QStringLiteral("9001"));
        window.Click("btnSave");
        QCOMPARE(messages.Texts(), Texts{"线路配置信息保存成功"});
        QVERIFY(lockIsFree());

        window.AddExten(QStringLiteral("9002"));
        QVERIFY(TestDatabase::RefuseInserts("conf_line", "refuse_9002", "NEW.id = 9002", "line refused"));
        messages.Clear();
        window.Click("btnSave");
        QCOMPARE(messages.Texts().size(), std::size_t(1));
        QVERIFY2(messages.Texts().front().find("line refused") != std::string::npos,
                 messages.Texts().front().c_str());
        QVERIFY(lockIsFree());

        // Any question now fails the test at once, named.
        QVERIFY(TestDatabase::Run({"DROP TRIGGER refuse_9002"}));
        messages.Clear();
        window.Click("btnSave");
        QCOMPARE(messages.Texts(), Texts{"线路配置信息保存成功"});
        QCOMPARE(TestDatabase::Rows(
                     "SELECT GROUP_CONCAT(id ORDER BY id SEPARATOR ' ') FROM conf_line WHERE type = 0", 1),
                 Texts{"8001 8002 9001 9002"});
        QVERIFY(lockIsFree());
    }

    // A save of a group waits for another save of the same group: it goes ahead once the
    // other lets go, or is refused, naming who holds it, when the other takes too long.
    void aSecondSaveOfTheGroupWaits_data()
    {
        QTest::addColumn<int>("holdMs");
        QTest::addColumn<bool>("saved");
        QTest::newRow("let go after a second") << 1000 << true;
        QTest::newRow("held past the wait") << (CCfgGroupSnapshot::kLockWaitSeconds * 1000 + 2000) << false;
    }
    void aSecondSaveOfTheGroupWaits()
    {
        QFETCH(int, holdMs);
        QFETCH(bool, saved);
        QVERIFY(FillAndLoad());
        GetCfgData()->Extens.SetAt(9001, "p9001");
        QElapsedTimer clock;
        LockHolder other("lines", holdMs);
        QVERIFY(other.Held());
        clock.start();
        QCOMPARE(GetCfgDb()->SaveLineCfg(), saved);
        const qint64 waited = clock.elapsed();
        QVERIFY2(waited >= 800, qPrintable(QString::number(waited)));
        const Texts lines = TestDatabase::Rows("SELECT id FROM conf_line WHERE type = 0 ORDER BY id", 1);
        if (saved) {
            QCOMPARE(lines, (Texts{"8001", "8002", "9001"}));
            return;
        }
        QVERIFY(waited >= CCfgGroupSnapshot::kLockWaitSeconds * 1000 - 100);
        QCOMPARE(lines, (Texts{"8001", "8002"}));
        const std::string error = GetCfgDb()->GetDbError();
        QVERIFY2(error.find("正在保存线路配置") != std::string::npos, error.c_str());
        QVERIFY2(error.find("用户 " + TestDatabase::User()) != std::string::npos, error.c_str());
        // Another group's save does not wait for it.
        QVERIFY(GetCfgDb()->SaveSysCfg());
    }
};

QTEST_MAIN(TestColleague)
#include "tst_colleague.moc"
