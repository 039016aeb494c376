// The connection string: ordinary values verbatim, the others in braces.
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
};

QTEST_GUILESS_MAIN(TestConnectString)
#include "tst_connectstring.moc"
