// The configuration tables: dropped and created on MySQL (checked on the private test
// server), emptied on SQL Server (statements recorded).
#include "db/CCfgSchema.h"
#include "db/IOtlConnection.h"
#include "support/RecordingConnection.h"
#include "support/SchemaInfo.h"
#include "support/TestDatabase.h"

#include <QStringList>
#include <QTest>

namespace {

const std::vector<std::string> kTables = {"conf_system",     "conf_ivr_flow",   "conf_dev",
                                          "conf_line",       "conf_vs",         "conf_sip_account",
                                          "conf_trunk_item", "conf_trunk_match"};

// The statements as the database must receive them, byte for byte, in table order.
const std::vector<std::string> kCreates = {
    "CREATE TABLE conf_system (id int(10) NOT NULL auto_increment,name varchar(50) default NULL,value "
    "varchar(300) default NULL,PRIMARY KEY  (id)) ENGINE=MyISAM DEFAULT CHARSET=utf8",
    "CREATE TABLE conf_ivr_flow (FlowID int(10) NOT NULL auto_increment,FilePath varchar(512) NOT "
    "NULL,PRIMARY KEY  (FlowID)) ENGINE=MyISAM DEFAULT CHARSET=utf8",
    "CREATE TABLE conf_dev (id int(10) NOT NULL auto_increment,name varchar(50) default NULL,value "
    "varchar(300) default NULL,PRIMARY KEY (id)) ENGINE=MyISAM DEFAULT CHARSET=utf8",
    "CREATE TABLE conf_line (id int(10) NOT NULL,type int(10) NOT NULL,value varchar(100) default "
    "NULL,PRIMARY KEY (id)) ENGINE=MyISAM DEFAULT CHARSET=utf8",
    "CREATE TABLE conf_vs (id int(10) NOT NULL auto_increment,name varchar(50) default NULL,value "
    "varchar(300) default NULL,value2 varchar(300) default NULL,PRIMARY KEY (id)) ENGINE=MyISAM DEFAULT "
    "CHARSET=utf8",
    "CREATE TABLE conf_sip_account (id int(10) NOT NULL,account varchar(50) NOT NULL,auth_account "
    "varchar(50) NOT NULL,password varchar(30) default NULL,proxy_addr varchar(50) NOT NULL,proxy_port "
    "int(10) NOT NULL,reg varchar(10) NOT NULL,reg_interval int(10) NOT NULL,PRIMARY KEY (id)) ENGINE=MyISAM "
    "DEFAULT CHARSET=utf8",
    "CREATE TABLE conf_trunk_item(id int(10) NOT NULL,node int(10) NOT NULL,board int(10) NOT NULL,span "
    "int(10) NOT NULL,sip_user int(10) NOT NULL,PRIMARY KEY (id)) ENGINE=MyISAM DEFAULT CHARSET=utf8",
    "CREATE TABLE conf_trunk_match(id int(10) NOT NULL auto_increment,prefix varchar(10) NOT NULL,caller "
    "varchar(30) NOT NULL,trunk_id int(10) NOT NULL,priority int(10) NOT NULL,PRIMARY KEY (id)) "
    "ENGINE=MyISAM DEFAULT CHARSET=utf8",
};

QStringList List(const std::vector<std::string>& items)
{
    QStringList list;
    for (const std::string& item : items)
        list << QString::fromStdString(item);
    return list;
}

/// "operation: statement" for each call the connection received.
QStringList Calls(const RecordingConnection& connection)
{
    QStringList calls;
    for (const RecordingConnection::Call& call : connection.Calls())
        calls << QString::fromStdString(call.operation + ": " + call.sql);
    return calls;
}

} // namespace

class TestCfgSchema : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QVERIFY(TestDatabase::Connect()); }

    void createdTables_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("columns");
        QTest::addColumn<QString>("key");
        QTest::newRow("conf_system") << "conf_system"
                                     << "id int(10) NOT NULL auto_increment, name varchar(50) NULL, "
                                        "value varchar(300) NULL"
                                     << "id";
        QTest::newRow("conf_ivr_flow")
            << "conf_ivr_flow"
            << "FlowID int(10) NOT NULL auto_increment, FilePath varchar(512) NOT NULL"
            << "FlowID";
        QTest::newRow("conf_dev") << "conf_dev"
                                  << "id int(10) NOT NULL auto_increment, name varchar(50) NULL, "
                                     "value varchar(300) NULL"
                                  << "id";
        QTest::newRow("conf_line") << "conf_line"
                                   << "id int(10) NOT NULL, type int(10) NOT NULL, value varchar(100) NULL"
                                   << "id";
        QTest::newRow("conf_vs") << "conf_vs"
                                 << "id int(10) NOT NULL auto_increment, name varchar(50) NULL, "
                                    "value varchar(300) NULL, value2 varchar(300) NULL"
                                 << "id";
        QTest::newRow("conf_sip_account")
            << "conf_sip_account"
            << "id int(10) NOT NULL, account varchar(50) NOT NULL, auth_account varchar(50) NOT NULL, "
               "password varchar(30) NULL, proxy_addr varchar(50) NOT NULL, proxy_port int(10) NOT NULL, "
               "reg varchar(10) NOT NULL, reg_interval int(10) NOT NULL"
            << "id";
        QTest::newRow("conf_trunk_item")
            << "conf_trunk_item"
            << "id int(10) NOT NULL, node int(10) NOT NULL, board int(10) NOT NULL, "
               "span int(10) NOT NULL, sip_user int(10) NOT NULL"
            << "id";
        QTest::newRow("conf_trunk_match") << "conf_trunk_match"
                                          << "id int(10) NOT NULL auto_increment, prefix varchar(10) NOT "
                                             "NULL, caller varchar(30) NOT NULL, "
                                             "trunk_id int(10) NOT NULL, priority int(10) NOT NULL"
                                          << "id";
    }

    void createdTables()
    {
        QFETCH(QString, table);
        QFETCH(QString, columns);
        QFETCH(QString, key);
        QVERIFY(TestDatabase::DropTables(kTables));
        QVERIFY(CCfgSchema::CreateCfgTables(*IOtlConnection::getInstance()));
        const std::string name = table.toStdString();
        QCOMPARE(List(SchemaInfo::Columns(name)), columns.split(QStringLiteral(", ")));
        QCOMPARE(QString::fromStdString(SchemaInfo::PrimaryKey(name)), key);
        QCOMPARE(SchemaInfo::EngineAndCharset(name), std::string("MyISAM|utf8mb3"));
        QCOMPARE(SchemaInfo::RowCount(name), std::string("0"));
    }

    void createReplacesExistingTables()
    {
        QVERIFY(TestDatabase::DropTables(kTables));
        QVERIFY(CCfgSchema::CreateCfgTables(*IOtlConnection::getInstance()));
        QVERIFY(SchemaInfo::MarkAll(kTables, "old"));
        QVERIFY(TestDatabase::Run({"INSERT INTO conf_system (name, value) VALUES ('CtiAddr', '10.0.0.1')",
                                   "INSERT INTO conf_line (id, type, value) VALUES (8001, 0, 'pw')"}));
        // A table of an older layout is replaced as well.
        QVERIFY(TestDatabase::Run({"DROP TABLE conf_vs", "CREATE TABLE conf_vs (legacy int NOT NULL)",
                                   "INSERT INTO conf_vs VALUES (1)"}));

        QVERIFY(CCfgSchema::CreateCfgTables(*IOtlConnection::getInstance()));
        for (const std::string& table : kTables) {
            QCOMPARE(SchemaInfo::Comment(table), std::string());
            QCOMPARE(SchemaInfo::RowCount(table), std::string("0"));
        }
        QCOMPARE(SchemaInfo::Columns("conf_vs").front(), std::string("id int(10) NOT NULL auto_increment"));
    }

    void failingCreateStopsThere_data()
    {
        QTest::addColumn<int>("blocked");
        QTest::newRow("first table") << 0;
        QTest::newRow("conf_line") << 3;
        QTest::newRow("last table") << 7;
    }

    // DROP TABLE does not remove a view, so a view of the table's name makes its CREATE fail.
    void failingCreateStopsThere()
    {
        QFETCH(int, blocked);
        const std::string blocker = kTables[static_cast<std::size_t>(blocked)];
        QVERIFY(TestDatabase::DropTables(kTables));
        QVERIFY(CCfgSchema::CreateCfgTables(*IOtlConnection::getInstance()));
        QVERIFY(SchemaInfo::MarkAll(kTables, "before"));
        QVERIFY(TestDatabase::Run({"DROP TABLE " + blocker, "CREATE VIEW " + blocker + " AS SELECT 1 AS x"}));

        QVERIFY(!CCfgSchema::CreateCfgTables(*IOtlConnection::getInstance()));
        const std::string stopped =
            SchemaInfo::StoppedAt(kTables, static_cast<std::size_t>(blocked), "before");
        QVERIFY2(stopped.empty(), stopped.c_str());
        QVERIFY(TestDatabase::Run({"DROP VIEW " + blocker}));
    }

    void mySqlStatementSequence_data()
    {
        QTest::addColumn<QString>("refused");
        QTest::addColumn<int>("lastTable");
        QTest::addColumn<bool>("result");
        QTest::newRow("nothing refused") << QString() << 7 << true;
        QTest::newRow("every DROP refused") << "DROP TABLE " << 7 << true;
        QTest::newRow("first CREATE refused") << "CREATE TABLE conf_system " << 0 << false;
        QTest::newRow("conf_line refused") << "CREATE TABLE conf_line " << 3 << false;
        QTest::newRow("last CREATE refused") << "CREATE TABLE conf_trunk_match(" << 7 << false;
    }

    void mySqlStatementSequence()
    {
        QFETCH(QString, refused);
        QFETCH(int, lastTable);
        QFETCH(bool, result);
        RecordingConnection connection(DbTypeMySql);
        const std::string prefix = refused.toStdString();
        if (!prefix.empty())
            connection.FailWhen([prefix](const std::string& sql) { return sql.rfind(prefix, 0) == 0; },
                                "refused");

        QCOMPARE(CCfgSchema::CreateCfgTables(connection), result);
        QStringList expected;
        for (int index = 0; index <= lastTable; ++index) {
            const auto table = static_cast<std::size_t>(index);
            expected << QString::fromStdString("ExecuteSqlNoCheck: DROP TABLE " + kTables[table]);
            expected << QString::fromStdString("ExecuteSql: " + kCreates[table]);
        }
        QCOMPARE(Calls(connection), expected);
    }

    void sqlServerEmptiesAllEight_data()
    {
        QTest::addColumn<bool>("refuseAll");
        QTest::newRow("tables there") << false;
        QTest::newRow("no table there") << true;
    }

    void sqlServerEmptiesAllEight()
    {
        QFETCH(bool, refuseAll);
        RecordingConnection connection(DbTypeSqlServer);
        if (refuseAll)
            connection.FailWhen([](const std::string&) { return true; }, "Invalid object name");

        QVERIFY(CCfgSchema::ClearCfgTables(connection));
        QStringList expected;
        for (const std::string& table : kTables)
            expected << QString::fromStdString("ExecuteSql: truncate table " + table);
        QCOMPARE(Calls(connection), expected);
    }
};

QTEST_GUILESS_MAIN(TestCfgSchema)
#include "tst_cfgschema.moc"
