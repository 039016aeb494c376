// The database initialisation dialog: its form, the refusals, the confirmation, the report,
// and the keyboard; the MySQL set-up on the private test server, the SQL Server set-up with
// recorded statements.
#include "controls/CMessageBox.h"
#include "controls/UserMessage.h"
#include "db/IOtlConnection.h"
#include "dialogs/CDialogDbInit.h"
#include "support/FocusChain.h"
#include "support/MessageRecorder.h"
#include "support/Mnemonics.h"
#include "support/ModalDriver.h"
#include "support/RecordingConnection.h"
#include "support/SchemaInfo.h"
#include "support/TestDatabase.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

namespace {

const std::vector<std::string> kCfgTables = {"conf_system",     "conf_ivr_flow",   "conf_dev",
                                             "conf_line",       "conf_vs",         "conf_sip_account",
                                             "conf_trunk_item", "conf_trunk_match"};
const std::vector<std::string> kStatTables = {"stat_callid",     "rep_host",         "rep_trunk_call_in",
                                              "rep_ext_call_in", "rep_ext_call_out", "rep_ivr_call_out",
                                              "rep_fax",         "rep_transfer",     "rep_conference",
                                              "rep_agent_state", "rep_agent_detail"};

const char* const kQuestion = "您确定要创建相关数据库表吗？此操作将清空原有的同名数据库表的所有数据!";
const char* const kDone = "数据库表创建完成";

QComboBox* Combo(QWidget* dialog)
{
    return dialog->findChild<QComboBox*>(QStringLiteral("cbDbType"));
}

QCheckBox* Box(QWidget* dialog, const char* name)
{
    return dialog->findChild<QCheckBox*>(QString::fromLatin1(name));
}

QPushButton* Button(QWidget* dialog, const char* name)
{
    return dialog->findChild<QPushButton*>(QString::fromLatin1(name));
}

void Choose(QWidget* dialog, int dbType, bool cfg, bool stat)
{
    Combo(dialog)->setCurrentIndex(dbType);
    Box(dialog, "chkCreateCfg")->setChecked(cfg);
    Box(dialog, "chkCreateStat")->setChecked(stat);
}

QStringList Texts(const MessageRecorder& messages)
{
    QStringList texts;
    for (const std::string& text : messages.Texts())
        texts << QString::fromStdString(text);
    return texts;
}

QString Text(const char* text)
{
    return QString::fromUtf8(text);
}

QByteArray SqlServerScript()
{
    QFile file(QStringLiteral(":/sql/proc_DataAnalysis_sqlserver.sql"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

/// "operation: statement" for each call; the procedure script shows as "<script>".
QStringList Calls(const RecordingConnection& connection)
{
    const std::string script = SqlServerScript().toStdString();
    QStringList calls;
    for (const RecordingConnection::Call& call : connection.Calls())
        calls << QString::fromStdString(call.operation + ": " + (call.sql == script ? "<script>" : call.sql));
    return calls;
}

QStringList Truncates(const std::vector<std::string>& tables, std::size_t from = 0)
{
    QStringList calls;
    for (std::size_t index = from; index < tables.size(); ++index)
        calls << QString::fromStdString("ExecuteSql: truncate table " + tables[index]);
    return calls;
}

bool MarkAll(const std::vector<std::string>& tables, const std::string& comment)
{
    std::vector<std::string> statements;
    for (const std::string& table : tables)
        statements.push_back("ALTER TABLE " + table + " COMMENT = '" + comment + "'");
    return TestDatabase::Run(statements);
}

bool ProcedureExists()
{
    return IOtlConnection::getInstance()->QueryValue(
               "SELECT COUNT(*) FROM information_schema.ROUTINES WHERE ROUTINE_SCHEMA = DATABASE() AND "
               "ROUTINE_NAME = 'proc_DataAnalysis'") == "1";
}

void VerifyNotice(const UserMessage& message)
{
    QCOMPARE(message.caption, std::string("提示"));
    QVERIFY(message.buttons == MsgButtons::Ok);
    QVERIFY(message.icon == MsgIcon::None);
}

} // namespace

class TestDbInitDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QVERIFY(TestDatabase::Connect()); }

    void form()
    {
        RecordingConnection connection(DbTypeMySql);
        CDialogDbInit dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("数据库初始化"));
        QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("labelDbType"))->text(),
                 QStringLiteral("数据库类型："));
        QComboBox* combo = Combo(&dialog);
        QVERIFY(!combo->isEditable());
        QStringList entries;
        for (int index = 0; index < combo->count(); ++index)
            entries << combo->itemText(index);
        QCOMPARE(entries, (QStringList{QStringLiteral("SQLServer"), QStringLiteral("MySQL"),
                                       QStringLiteral("Oracle")}));
        QCOMPARE(Box(&dialog, "chkCreateCfg")->text(), QStringLiteral("创建配置表"));
        QCOMPARE(Box(&dialog, "chkCreateStat")->text(), QStringLiteral("创建统计表"));
        QVERIFY(!Box(&dialog, "chkCreateCfg")->isChecked());
        QVERIFY(!Box(&dialog, "chkCreateStat")->isChecked());
        QCOMPARE(Button(&dialog, "btnOk")->text(), QStringLiteral("确定(&S)"));
        QVERIFY(Button(&dialog, "btnOk")->isDefault());
        QCOMPARE(Button(&dialog, "btnCancel")->text(), QStringLiteral("取消(&C)"));
        QVERIFY(!Button(&dialog, "btnCancel")->isDefault());
        QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
        for (const QWidget* child : dialog.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            QVERIFY2(!child->objectName().isEmpty(), child->metaObject()->className());
        QVERIFY(connection.Calls().empty());
    }

    void preselection_data()
    {
        QTest::addColumn<int>("dbType");
        QTest::addColumn<QString>("selected");
        QTest::newRow("SQL Server") << int(DbTypeSqlServer) << "SQLServer";
        QTest::newRow("MySQL") << int(DbTypeMySql) << "MySQL";
        QTest::newRow("other") << int(DbTypeOther) << "Oracle";
        QTest::newRow("unknown value") << 7 << "Oracle";
    }

    void preselection()
    {
        QFETCH(int, dbType);
        QFETCH(QString, selected);
        RecordingConnection connection(dbType);
        CDialogDbInit dialog;
        QCOMPARE(Combo(&dialog)->currentText(), selected);
        QVERIFY(connection.Calls().empty());
    }

    void refusals_data()
    {
        QTest::addColumn<int>("dbType");
        QTest::addColumn<bool>("cfg");
        QTest::addColumn<bool>("stat");
        QTest::addColumn<QString>("message");
        const QString nothingTicked = QStringLiteral("请选择需要创建的数据库表！");
        const QString unsupported = QStringLiteral("目前仅支持SqlServer和MySQL数据库！");
        QTest::newRow("nothing ticked") << 1 << false << false << nothingTicked;
        QTest::newRow("nothing ticked, Oracle") << 2 << false << false << nothingTicked;
        QTest::newRow("Oracle") << 2 << true << true << unsupported;
        QTest::newRow("no selection") << -1 << false << true << unsupported;
    }

    void refusals()
    {
        QFETCH(int, dbType);
        QFETCH(bool, cfg);
        QFETCH(bool, stat);
        QFETCH(QString, message);
        RecordingConnection connection(DbTypeMySql);
        MessageRecorder messages;
        CDialogDbInit dialog;
        dialog.show();
        Choose(&dialog, dbType, cfg, stat);

        ClickButton(&dialog, "btnOk");
        QCOMPARE(Texts(messages), QStringList{message});
        VerifyNotice(messages.Messages().front());
        QVERIFY(dialog.isVisible());
        QVERIFY(connection.Calls().empty());
    }

    void answeringNoSendsNothingAndStays()
    {
        RecordingConnection connection(DbTypeMySql);
        MessageRecorder messages;
        messages.QueueAnswer(MsgAnswer::No);
        CDialogDbInit dialog;
        dialog.show();
        Choose(&dialog, 1, true, true);

        ClickButton(&dialog, "btnOk");
        QCOMPARE(Texts(messages), QStringList{Text(kQuestion)});
        const UserMessage& question = messages.Messages().front();
        QCOMPARE(question.caption, std::string("数据库初始化"));
        QVERIFY(question.buttons == MsgButtons::YesNo && question.icon == MsgIcon::Question);
        QVERIFY(connection.Calls().empty());
        QVERIFY(dialog.isVisible());
    }

    // The warning in the real box: Enter on it as it opens keeps the tables.
    void enterOnTheWarningKeepsTheTables()
    {
        RecordingConnection connection(DbTypeMySql);
        const MessageHandler before = SetMessageHandler(ShowMessageBox);
        CDialogDbInit dialog;
        dialog.show();
        Choose(&dialog, 1, true, true);
        bool noFocused = false;
        WhenModalOpens([&noFocused](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            QVERIFY(box);
            QVERIFY(QTest::qWaitForWindowActive(box));
            noFocused = QApplication::focusWidget() == box->button(QMessageBox::No);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        });
        ClickButton(&dialog, "btnOk");
        SetMessageHandler(before);
        QVERIFY(noFocused);
        QVERIFY(connection.Calls().empty());
        QVERIFY(dialog.isVisible());
    }

    void mySqlSetUpRunTwice()
    {
        QVERIFY(TestDatabase::DropTables(kCfgTables));
        QVERIFY(TestDatabase::DropTables(kStatTables));
        QVERIFY(TestDatabase::Run({"DROP PROCEDURE IF EXISTS proc_DataAnalysis"}));
        MessageRecorder messages;
        auto tickBoth = [](QWidget* modal) {
            Choose(modal, 1, true, true);
            ClickButton(modal, "btnOk");
        };

        CDialogDbInit first;
        WhenModalOpens(tickBoth);
        QCOMPARE(first.DoModal(), int(QDialog::Accepted));
        QCOMPARE(Texts(messages), (QStringList{Text(kQuestion), Text(kDone)}));
        VerifyNotice(messages.Messages().back());
        for (const std::string& table : kCfgTables)
            QCOMPARE(SchemaInfo::Kind(table), std::string("BASE TABLE"));
        for (const std::string& table : kStatTables)
            QCOMPARE(SchemaInfo::Kind(table), std::string("BASE TABLE"));
        QVERIFY(ProcedureExists());

        QVERIFY(MarkAll(kCfgTables, "first"));
        QVERIFY(MarkAll(kStatTables, "first"));
        QVERIFY(TestDatabase::Run({"INSERT INTO conf_line (id, type, value) VALUES (8001, 0, 'x')",
                                   "INSERT INTO stat_callid VALUES (2, 'other', 5)"}));
        messages.Clear();
        CDialogDbInit second;
        WhenModalOpens(tickBoth);
        QCOMPARE(second.DoModal(), int(QDialog::Accepted));
        // One report, which says why.
        const QStringList texts = Texts(messages);
        QCOMPARE(texts.size(), 2);
        QCOMPARE(texts[0], Text(kQuestion));
        const QString prefix = QStringLiteral("统计表创建失败！\r\n创建MySQL统计表存储过程出错：\r\n");
        QVERIFY2(texts[1].startsWith(prefix) && texts[1].contains(QStringLiteral("already exists")) &&
                     texts[1].endsWith(Text(kDone)),
                 qPrintable(texts[1]));
        VerifyNotice(messages.Messages()[1]);
        // Both families were dropped and created again all the same.
        for (const std::string& table : kCfgTables)
            QCOMPARE(SchemaInfo::Comment(table), std::string());
        for (const std::string& table : kStatTables)
            QCOMPARE(SchemaInfo::Comment(table), std::string());
        QCOMPARE(IOtlConnection::getInstance()->QueryValue("SELECT COUNT(*) FROM conf_line"),
                 std::string("0"));
        QCOMPARE(TestDatabase::Rows("SELECT id, name, value FROM stat_callid", 3),
                 std::vector<std::string>{"1|callid|0"});
    }

    void mySqlFailuresReported_data()
    {
        QTest::addColumn<bool>("blockCfg");
        QTest::addColumn<bool>("blockStat");
        QTest::addColumn<QString>("report");
        QTest::newRow("configuration table in the way")
            << true << false << QStringLiteral("配置表创建失败！\r\n<reason>\r\n数据库表创建完成");
        QTest::newRow("statistics table in the way")
            << false << true << QStringLiteral("统计表创建失败！\r\n<reason>\r\n数据库表创建完成");
        QTest::newRow("both in the way")
            << true << true
            << QStringLiteral(
                   "配置表创建失败！\r\n<reason>\r\n统计表创建失败！\r\n<reason>\r\n数据库表创建完成");
    }

    // DROP TABLE does not remove a view, so a view of the first table's name makes its CREATE fail.
    void mySqlFailuresReported()
    {
        QFETCH(bool, blockCfg);
        QFETCH(bool, blockStat);
        QFETCH(QString, report);
        QVERIFY(TestDatabase::DropTables(kCfgTables));
        QVERIFY(TestDatabase::DropTables(kStatTables));
        QVERIFY(TestDatabase::Run({"DROP PROCEDURE IF EXISTS proc_DataAnalysis"}));
        std::vector<std::string> setUp;
        for (const std::string& table : kCfgTables)
            setUp.push_back("CREATE TABLE " + table + " (kept int) COMMENT = 'before'");
        for (const std::string& table : kStatTables)
            setUp.push_back("CREATE TABLE " + table + " (kept int) COMMENT = 'before'");
        if (blockCfg)
            setUp.insert(setUp.end(), {"DROP TABLE conf_system", "CREATE VIEW conf_system AS SELECT 1 AS x"});
        if (blockStat)
            setUp.insert(setUp.end(), {"DROP TABLE stat_callid", "CREATE VIEW stat_callid AS SELECT 1 AS x"});
        QVERIFY(TestDatabase::Run(setUp));
        MessageRecorder messages;
        CDialogDbInit dialog;
        dialog.show();
        Choose(&dialog, 1, true, true);

        ClickButton(&dialog, "btnOk");
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        // Each failure is followed by the database's reason, a line of its own.
        const QStringList texts = Texts(messages);
        QCOMPARE(texts.size(), 2);
        QCOMPARE(texts[0], Text(kQuestion));
        QStringList parts = report.split(QStringLiteral("<reason>"));
        for (QString& part : parts)
            part = QRegularExpression::escape(part);
        const QRegularExpression pattern(QLatin1Char('^') + parts.join(QStringLiteral("[^\r\n]+")) +
                                         QLatin1Char('$'));
        QVERIFY2(pattern.match(texts[1]).hasMatch(), qPrintable(texts[1]));
        for (std::size_t index = 1; index < kCfgTables.size(); ++index)
            QCOMPARE(SchemaInfo::Comment(kCfgTables[index]), std::string(blockCfg ? "before" : ""));
        for (std::size_t index = 1; index < kStatTables.size(); ++index)
            QCOMPARE(SchemaInfo::Comment(kStatTables[index]), std::string(blockStat ? "before" : ""));
        // The procedure is created only on tables that were set up.
        QCOMPARE(ProcedureExists(), !blockStat);
        QVERIFY(TestDatabase::Run({"DROP VIEW IF EXISTS conf_system", "DROP VIEW IF EXISTS stat_callid"}));
    }

    void sqlServerSetUp_data()
    {
        QTest::addColumn<bool>("cfg");
        QTest::addColumn<bool>("stat");
        QTest::addColumn<QString>("refused");
        QTest::addColumn<QStringList>("calls");
        QTest::addColumn<QStringList>("texts");
        const QStringList statCalls =
            QStringList{QStringLiteral("ExecuteSql: truncate table stat_callid"),
                        QStringLiteral("ExecuteInsert: INSERT INTO stat_callid values (1, "
                                       "'callid', 0)")};
        QTest::newRow("configuration, no table there") << true << false << "truncate" << Truncates(kCfgTables)
                                                       << QStringList{Text(kQuestion), Text(kDone)};
        QTest::newRow("both families") << true << true << QString()
                                       << Truncates(kCfgTables) + statCalls + Truncates(kStatTables, 1) +
                                              QStringList{QStringLiteral("ExecuteSql: <script>")}
                                       << QStringList{Text(kQuestion), Text(kDone)};
        QTest::newRow("counter table missing")
            << false << true << "INSERT" << statCalls
            << QStringList{Text(kQuestion), QStringLiteral("统计表创建失败！\r\nrefused\r\n") + Text(kDone)};
        QTest::newRow("procedure refused")
            << false << true << "create procedure"
            << statCalls + Truncates(kStatTables, 1) + QStringList{QStringLiteral("ExecuteSql: <script>")}
            << QStringList{
                   Text(kQuestion),
                   QStringLiteral("统计表创建失败！\r\n创建SQL Server统计表存储过程出错：\r\nrefused\r\n") +
                       Text(kDone)};
    }

    void sqlServerSetUp()
    {
        QFETCH(bool, cfg);
        QFETCH(bool, stat);
        QFETCH(QString, refused);
        QFETCH(QStringList, calls);
        QFETCH(QStringList, texts);
        QVERIFY(!SqlServerScript().isEmpty());
        RecordingConnection connection(DbTypeSqlServer);
        const std::string prefix = refused.toStdString();
        if (!prefix.empty())
            connection.FailWhen([prefix](const std::string& sql) { return sql.rfind(prefix, 0) == 0; },
                                "refused");
        MessageRecorder messages;
        CDialogDbInit dialog;
        dialog.show();
        Choose(&dialog, 0, cfg, stat);

        ClickButton(&dialog, "btnOk");
        QCOMPARE(Calls(connection), calls);
        QCOMPARE(Texts(messages), texts);
        VerifyNotice(messages.Messages().back());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }

    // The chosen type is not checked against the connection: MySQL chosen means MySQL statements.
    void chosenTypeDecides()
    {
        RecordingConnection connection(DbTypeSqlServer);
        MessageRecorder messages;
        CDialogDbInit dialog;
        dialog.show();
        Choose(&dialog, 1, true, false);

        ClickButton(&dialog, "btnOk");
        QVERIFY(!connection.Calls().empty());
        QCOMPARE(connection.Calls().front().operation, std::string("ExecuteSqlNoCheck"));
        QCOMPARE(connection.Calls().front().sql, std::string("DROP TABLE conf_system"));
        QCOMPARE(Texts(messages).last(), Text(kDone));
    }

    // Every mnemonic shown reaches its control from the keyboard.
    void mnemonics()
    {
        CDialogDbInit dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        const QStringList dead = DeadMnemonics(&dialog);
        QVERIFY2(dead.isEmpty(), qPrintable(dead.join(QLatin1Char(' '))));
    }

    void keyboard()
    {
        RecordingConnection connection(DbTypeSqlServer);
        MessageRecorder messages;
        CDialogDbInit dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        Choose(&dialog, 0, true, false);
        for (QWidget* target :
             {static_cast<QWidget*>(Combo(&dialog)), static_cast<QWidget*>(Box(&dialog, "chkCreateCfg")),
              static_cast<QWidget*>(Button(&dialog, "btnCancel"))}) {
            QTest::keyClick(target, Qt::Key_Escape);
            QVERIFY(dialog.isVisible());
        }
        QVERIFY(messages.Messages().empty());

        QTest::keyClick(Box(&dialog, "chkCreateStat"), Qt::Key_Return);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(Texts(messages), (QStringList{Text(kQuestion), Text(kDone)}));
        QCOMPARE(Calls(connection), Truncates(kCfgTables));
    }

    void tabOrderAndEnterOnEachButton_data()
    {
        QTest::addColumn<int>("tabs");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("focused");
        QTest::addColumn<bool>("runs");
        QTest::newRow("Enter on OK") << 3 << int(Qt::Key_Return) << "btnOk" << true;
        QTest::newRow("Enter on Cancel") << 4 << int(Qt::Key_Return) << "btnCancel" << false;
        QTest::newRow("keypad Enter on Cancel") << 4 << int(Qt::Key_Enter) << "btnCancel" << false;
        QTest::newRow("Space on Cancel") << 4 << int(Qt::Key_Space) << "btnCancel" << false;
    }

    void tabOrderAndEnterOnEachButton()
    {
        QFETCH(int, tabs);
        QFETCH(int, key);
        QFETCH(QString, focused);
        QFETCH(bool, runs);
        RecordingConnection connection(DbTypeSqlServer);
        MessageRecorder messages;
        CDialogDbInit dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        Choose(&dialog, 0, true, true);
        Combo(&dialog)->setFocus(Qt::TabFocusReason);
        const QStringList expectedFocus = {QStringLiteral("chkCreateCfg"), QStringLiteral("chkCreateStat"),
                                           QStringLiteral("btnOk"), QStringLiteral("btnCancel")};
        for (int tab = 0; tab < tabs; ++tab) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), expectedFocus.at(tab));
        }
        QCOMPARE(QApplication::focusWidget()->objectName(), focused);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(runs ? QDialog::Accepted : QDialog::Rejected));
        QCOMPARE(connection.Calls().empty(), !runs);
        QCOMPARE(messages.Messages().empty(), !runs);
    }

    void cancelling_data()
    {
        QTest::addColumn<bool>("closeBox");
        QTest::newRow("cancel button") << false;
        QTest::newRow("close box") << true;
    }

    void cancelling()
    {
        QFETCH(bool, closeBox);
        RecordingConnection connection(DbTypeMySql);
        MessageRecorder messages;
        CDialogDbInit dialog;
        WhenModalOpens([closeBox](QWidget* modal) {
            Choose(modal, 1, true, true);
            if (closeBox)
                modal->close();
            else
                ClickButton(modal, "btnCancel");
        });
        QCOMPARE(dialog.DoModal(), int(QDialog::Rejected));
        QVERIFY(messages.Messages().empty());
        QVERIFY(connection.Calls().empty());
    }

    // Tab follows the screen: top to bottom, left to right within a row, and round again.
    void tabFollowsTheScreen()
    {
        CDialogDbInit dialog;
        const auto [walked, onScreen] = TabRoundAndScreenOrder(dialog);
        QVERIFY(onScreen.size() > 4);
        QCOMPARE(walked, onScreen);
    }
};

QTEST_MAIN(TestDbInitDialog)
#include "tst_dbinitdialog.moc"
