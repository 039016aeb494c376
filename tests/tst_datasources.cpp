// The data sources unixODBC knows, new user data sources made through its installer library,
// and the advice a failed login gives for each usual cause. The program's user odbc.ini is a
// copy of the test server's with data sources that fail in each way added.
#include "db/COdbcDataSources.h"
#include "db/ConnectAdvice.h"
#include "db/IOtlConnection.h"
#include "support/TestDatabase.h"
#include "support/TestFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {

/// The value of `key` in the first section of an odbc.ini text that has it.
QByteArray IniValue(const QByteArray& ini, const QByteArray& key)
{
    for (const QByteArray& line : ini.split('\n')) {
        const QList<QByteArray> parts = line.split('=');
        if (parts.size() == 2 && parts[0].trimmed().compare(key, Qt::CaseInsensitive) == 0)
            return parts[1].trimmed();
    }
    return {};
}

} // namespace

class TestDataSources : public QObject
{
    Q_OBJECT

    QTemporaryDir m_folder;
    QString m_ini;
    QByteArray m_driverLibrary;

private Q_SLOTS:
    void initTestCase()
    {
        // Before any call of unixODBC, which keeps the first user file it is given.
        const QByteArray server = FileBytes(qEnvironmentVariable("ODBCINI"));
        m_driverLibrary = IniValue(server, "Driver");
        QVERIFY2(!m_driverLibrary.isEmpty(),
                 "run through scripts/test.sh: ODBCINI names the test server's file");
        const QByteArray port = IniValue(server, "PORT");
        m_ini = m_folder.filePath(QStringLiteral("odbc.ini"));
        QFile file(m_ini);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(server + "\n[advice_nodb]\nDriver = " + m_driverLibrary +
                   "\nSERVER = 127.0.0.1\nPORT = " + port +
                   "\nDATABASE = no_such_database\n"
                   "\n[advice_nolib]\nDriver = /usr/lib/x86_64-linux-gnu/odbc/libtarvex-missing.so\n"
                   "SERVER = 127.0.0.1\n"
                   "\n[advice_nodriver]\nDriver = Tarvex Missing Driver\nSERVER = 127.0.0.1\n"
                   "\n[advice_badhost]\nDriver = " +
                   m_driverLibrary + "\nSERVER = no-such-host.invalid\nPORT = 3306\n");
        file.close();
        qputenv("ODBCINI", m_ini.toLocal8Bit());
    }

    void theDataSourcesWithTheirDrivers()
    {
        const std::vector<OdbcDataSource> sources = COdbcDataSources::List();
        QStringList listed;
        for (const OdbcDataSource& source : sources) {
            if (!source.system)
                listed << QString::fromStdString(source.name + " " + source.driver);
        }
        const QString library = QString::fromLatin1(m_driverLibrary);
        QCOMPARE(
            listed.mid(listed.size() - 4),
            (QStringList{QStringLiteral("advice_nodb ") + library,
                         QStringLiteral("advice_nolib /usr/lib/x86_64-linux-gnu/odbc/libtarvex-missing.so"),
                         QStringLiteral("advice_nodriver Tarvex Missing Driver"),
                         QStringLiteral("advice_badhost ") + library}));
        QCOMPARE(listed.front(), QString::fromStdString(TestDatabase::Dsn()) + QLatin1Char(' ') + library);
        QVERIFY(COdbcDataSources::Defined("advice_nolib"));
        QVERIFY(!COdbcDataSources::Defined("advice"));
    }

    // A data source made here is in the user's file, listed, and logs in.
    void aNewDataSourceIsWrittenAndLogsIn()
    {
        const std::vector<std::string> drivers = COdbcDataSources::Drivers();
        QVERIFY(std::find(drivers.begin(), drivers.end(), "MariaDB Unicode") != drivers.end());
        const QByteArray server = FileBytes(qEnvironmentVariable("ODBCINI"));
        std::string error;
        QVERIFY2(COdbcDataSources::AddUser({"made here", "MariaDB Unicode", "127.0.0.1",
                                            IniValue(server, "PORT").toStdString(),
                                            IniValue(server, "DATABASE").toStdString()},
                                           error),
                 error.c_str());
        QVERIFY2(FileBytes(m_ini).contains("[made here]"), FileBytes(m_ini).constData());
        QVERIFY(COdbcDataSources::Defined("made here"));
        const std::unique_ptr<IOtlConnection> connection = IOtlConnection::getInstance()->NewSeparate();
        QVERIFY2(connection->ConnectDsn("made here", TestDatabase::User(), TestDatabase::Password(), error),
                 error.c_str());
        QCOMPARE(connection->QueryValue("SELECT DATABASE()"), IniValue(server, "DATABASE").toStdString());
    }

    void newDataSourcesRefused_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("driver");
        QTest::addColumn<QString>("server");
        QTest::addColumn<QString>("port");
        QTest::addColumn<QString>("error");
        const QString maria = QStringLiteral("MariaDB Unicode");
        const QString here = QStringLiteral("127.0.0.1");
        QTest::newRow("no name") << QString() << maria << here << QString()
                                 << QStringLiteral("数据源名称不能为空，也不能含有 [ ] = ; { }");
        QTest::newRow("bracket") << QStringLiteral("a]b") << maria << here << QString()
                                 << QStringLiteral("数据源名称不能为空，也不能含有 [ ] = ; { }");
        QTest::newRow("blank edge") << QStringLiteral(" site") << maria << here << QString()
                                    << QStringLiteral("数据源名称的首尾不能是空格");
        QTest::newRow("taken") << QString::fromStdString(TestDatabase::Dsn()) << maria << here << QString()
                               << QStringLiteral("已有名为 %1 的数据源，请换一个名称")
                                      .arg(QString::fromStdString(TestDatabase::Dsn()));
        QTest::newRow("driver") << QStringLiteral("site") << QStringLiteral("Nope") << here << QString()
                                << QStringLiteral("驱动程序 Nope 没有安装");
        QTest::newRow("no server") << QStringLiteral("site") << maria << QString() << QString()
                                   << QStringLiteral("请填写服务器的地址或主机名");
        QTest::newRow("line break") << QStringLiteral("site") << maria << QStringLiteral("a\nb") << QString()
                                    << QStringLiteral("服务器不能含有换行");
        for (const char* port : {"0", "65536", "33o6"})
            QTest::newRow(port)
                << QStringLiteral("site") << maria << here << QString::fromLatin1(port)
                << QStringLiteral("端口 %1 不是 1 到 65535 之间的数").arg(QString::fromLatin1(port));
    }
    void newDataSourcesRefused()
    {
        QFETCH(QString, name);
        QFETCH(QString, driver);
        QFETCH(QString, server);
        QFETCH(QString, port);
        QFETCH(QString, error);
        const QByteArray before = FileBytes(m_ini);
        std::string why;
        QVERIFY(!COdbcDataSources::AddUser(
            {name.toStdString(), driver.toStdString(), server.toStdString(), port.toStdString(), "tarvex"},
            why));
        QCOMPARE(QString::fromStdString(why), error);
        QCOMPARE(FileBytes(m_ini), before);
    }

    // Each usual cause of a failed login, produced for real, ends the message with its advice.
    void eachFailedLoginSaysWhatToDo_data()
    {
        QTest::addColumn<QString>("dsn");
        QTest::addColumn<bool>("rightPassword");
        QTest::addColumn<int>("cause");
        QTest::newRow("data source unknown") << "advice_none" << true << int(ConnectCause::DataSourceUnknown);
        QTest::newRow("driver library missing") << "advice_nolib" << true << int(ConnectCause::DriverMissing);
        QTest::newRow("driver not installed")
            << "advice_nodriver" << true << int(ConnectCause::DriverMissing);
        QTest::newRow("server refusing") << QString::fromStdString(TestDatabase::UnreachableDsn()) << true
                                         << int(ConnectCause::ServerUnreachable);
        QTest::newRow("host unknown") << "advice_badhost" << true << int(ConnectCause::ServerUnreachable);
        QTest::newRow("wrong password")
            << QString::fromStdString(TestDatabase::Dsn()) << false << int(ConnectCause::LoginRefused);
        QTest::newRow("database missing") << "advice_nodb" << true << int(ConnectCause::DatabaseMissing);
    }
    void eachFailedLoginSaysWhatToDo()
    {
        QFETCH(QString, dsn);
        QFETCH(bool, rightPassword);
        QFETCH(int, cause);
        const std::unique_ptr<IOtlConnection> connection = IOtlConnection::getInstance()->NewSeparate();
        std::string error;
        QVERIFY(!connection->ConnectDsn(dsn.toStdString(), TestDatabase::User(),
                                        rightPassword ? TestDatabase::Password() : "wrong", error));
        const QStringList lines = QString::fromStdString(error).split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines.back(), QString::fromStdString(ConnectAdvice(ConnectCause(cause), dsn.toStdString(),
                                                                    AdviceReader::Window)));
    }

    // The advice in words, and the causes the other drivers give that cannot be produced here.
    void causesAndWords()
    {
        QCOMPARE(ConnectAdvice(ConnectCause::DataSourceUnknown, "site", AdviceReader::Window),
                 std::string("没有名为 site 的数据源：请从 DSN 列表中选择一个，或用“新建...”创建。"));
        QCOMPARE(ConnectAdvice(ConnectCause::Other, "site", AdviceReader::Window), std::string());
        // The console's reader has odbc.ini and unixODBC's tools, not the window's list.
        for (const ConnectCause cause :
             {ConnectCause::DriverMissing, ConnectCause::DataSourceUnknown, ConnectCause::DatabaseMissing}) {
            const std::string window = ConnectAdvice(cause, "site", AdviceReader::Window);
            const std::string console = ConnectAdvice(cause, "site", AdviceReader::Console);
            QVERIFY2(console != window && console.find("DSN 列表") == std::string::npos, console.c_str());
        }
        QVERIFY(ConnectAdvice(ConnectCause::DataSourceUnknown, "site", AdviceReader::Console)
                    .find("odbcinst -q -s") != std::string::npos);
        QVERIFY(ConnectCauseOf("28000", 18456, "Login failed for user 'sa'.", true) ==
                ConnectCause::LoginRefused);
        QVERIFY(ConnectCauseOf("42000", 4060, "Cannot open database", true) == ConnectCause::DatabaseMissing);
        QVERIFY(ConnectCauseOf("08001", 0, "Unable to connect to data source", true) ==
                ConnectCause::ServerUnreachable);
        QVERIFY(ConnectCauseOf("HY000", 20009, "Adaptive Server is unavailable", true) ==
                ConnectCause::ServerUnreachable);
        QVERIFY(ConnectCauseOf("HY000", 1205, "Lock wait timeout exceeded", true) == ConnectCause::Other);
    }
};

QTEST_GUILESS_MAIN(TestDataSources)
#include "tst_datasources.moc"
