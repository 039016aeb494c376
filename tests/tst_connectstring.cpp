// The connection string: ordinary values verbatim, the others in braces.
#include "db/COdbcLogin.h"
#include "db/ConnectionString.h"

#include <QTest>

class TestConnectString : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void values_data()
    {
        QTest::addColumn<QString>("dsn");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("expected");
        QTest::newRow("ordinary") << "cc"
                                  << "sa"
                                  << "secret"
                                  << "DSN=cc; UID=sa; PWD=secret";
        QTest::newRow("empty password") << "cc"
                                        << "sa"
                                        << ""
                                        << "DSN=cc; UID=sa; PWD=";
        QTest::newRow("inner blank and symbols") << "my dsn"
                                                 << "a=b"
                                                 << "p@ss w%rd'\\"
                                                 << "DSN=my dsn; UID=a=b; PWD=p@ss w%rd'\\";
        QTest::newRow("semicolon") << "cc"
                                   << "sa"
                                   << "a;b"
                                   << "DSN=cc; UID=sa; PWD={a;b}";
        QTest::newRow("braces") << "cc"
                                << "sa"
                                << "{x}y"
                                << "DSN=cc; UID=sa; PWD={{x}}y}";
        QTest::newRow("leading blank") << "cc"
                                       << " sa"
                                       << "p"
                                       << "DSN=cc; UID={ sa}; PWD=p";
        QTest::newRow("trailing blank") << "cc "
                                        << "sa"
                                        << "p"
                                        << "DSN={cc }; UID=sa; PWD=p";
        QTest::newRow("chinese") << "呼叫中心"
                                 << "用户"
                                 << "密码"
                                 << "DSN=呼叫中心; UID=用户; PWD=密码";
    }

    void values()
    {
        QFETCH(QString, dsn);
        QFETCH(QString, user);
        QFETCH(QString, password);
        QFETCH(QString, expected);
        QCOMPARE(QString::fromStdString(
                     BuildConnectString(dsn.toStdString(), user.toStdString(), password.toStdString())),
                 expected);
        // Every value comes back out of the string as it went in.
        const std::string built =
            BuildConnectString(dsn.toStdString(), user.toStdString(), password.toStdString());
        QCOMPARE(QString::fromStdString(ConnectStringValue(built, "DSN")), dsn);
        QCOMPARE(QString::fromStdString(ConnectStringValue(built, "uid")), user);
        QCOMPARE(QString::fromStdString(ConnectStringValue(built, "Pwd")), password);
    }

    void valueOfAnAttribute_data()
    {
        QTest::addColumn<QString>("connectString");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        QTest::newRow("absent") << "DSN=a;UID=b"
                                << "PWD"
                                << "";
        QTest::newRow("last, no semicolon") << "DSN=a;UID=b"
                                            << "UID"
                                            << "b";
        QTest::newRow("braced with semicolon") << "DSN={x;y};UID=b"
                                               << "UID"
                                               << "b";
        QTest::newRow("key inside a braced value") << "PWD={UID=evil};UID=good"
                                                   << "UID"
                                                   << "good";
        QTest::newRow("blanks around the key") << "DSN=a;  OPTION =3"
                                               << "option"
                                               << "3";
        QTest::newRow("empty string") << ""
                                      << "DSN"
                                      << "";
    }

    void valueOfAnAttribute()
    {
        QFETCH(QString, connectString);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        QCOMPARE(QString::fromStdString(ConnectStringValue(connectString.toStdString(), key.toStdString())),
                 expected);
    }

    // A session is fit only when all three character sets are utf8mb4 (utf8mb3 cannot hold
    // every character) and its mode keeps backslash escapes and refuses what does not fit.
    void sessionCheck_data()
    {
        QTest::addColumn<QStringList>("settings"); // client, connection, results, sql_mode
        QTest::addColumn<QString>("said");         // empty: fit
        const QString strict = QStringLiteral("STRICT_TRANS_TABLES,STRICT_ALL_TABLES");
        const QString utf8 = QStringLiteral("utf8mb4");
        QTest::newRow("fit") << QStringList{utf8, utf8, utf8, strict} << QString();
        QTest::newRow("client latin1")
            << QStringList{QStringLiteral("latin1"), utf8, utf8, strict} << QStringLiteral("latin1");
        QTest::newRow("connection gbk")
            << QStringList{utf8, QStringLiteral("gbk"), utf8, strict} << QStringLiteral("gbk");
        QTest::newRow("results latin1")
            << QStringList{utf8, utf8, QStringLiteral("latin1"), strict} << QStringLiteral("latin1");
        QTest::newRow("results utf8mb3")
            << QStringList{utf8, utf8, QStringLiteral("utf8mb3"), strict} << QStringLiteral("utf8mb3");
        QTest::newRow("all utf8mb3") << QStringList{QStringLiteral("utf8mb3"), QStringLiteral("utf8mb3"),
                                                    QStringLiteral("utf8mb3"), strict}
                                     << QStringLiteral("utf8mb3");
        QTest::newRow("not strict") << QStringList{utf8, utf8, utf8, QStringLiteral("STRICT_TRANS_TABLES")}
                                    << QStringLiteral("sql_mode");
        QTest::newRow("no backslash escapes")
            << QStringList{utf8, utf8, utf8, strict + QStringLiteral(",NO_BACKSLASH_ESCAPES")}
            << QStringLiteral("NO_BACKSLASH_ESCAPES");
        QTest::newRow("a mode that merely begins like one")
            << QStringList{utf8, utf8, utf8, QStringLiteral("STRICT_ALL_TABLES_X")}
            << QStringLiteral("sql_mode");
        QTest::newRow("nothing read") << QStringList{} << QStringLiteral("无法读取");
    }

    void sessionCheck()
    {
        QFETCH(QStringList, settings);
        QFETCH(QString, said);
        std::vector<std::string> values;
        for (const QString& setting : settings)
            values.push_back(setting.toStdString());
        std::string why;
        const bool fits = COdbcLogin::SessionFits(values, why);
        QCOMPARE(fits, said.isEmpty());
        QVERIFY2(QString::fromStdString(why).contains(said), why.c_str());
    }
};

QTEST_GUILESS_MAIN(TestConnectString)
#include "tst_connectstring.moc"
