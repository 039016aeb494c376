// The data source dialog: stored settings, OK, Test, Cancel and the keyboard, against the
// private test server.
#include "db/CDialogDsn.h"
#include "db/CDsnSettings.h"
#include "db/IOtlConnection.h"
#include "support/MessageRecorder.h"
#include "support/ModalDriver.h"
#include "support/TestDatabase.h"
#include "support/TestSettings.h"

#include <QFile>
#include <QLineEdit>
#include <QSettings>
#include <QTest>
#include <memory>

namespace {

QLineEdit* Field(QWidget* dialog, const char* name)
{
    return dialog->findChild<QLineEdit*>(QString::fromLatin1(name));
}

void Fill(QWidget* dialog, const std::string& dsn, const std::string& user, const std::string& password)
{
    Field(dialog, "editDsn")->setText(QString::fromStdString(dsn));
    Field(dialog, "editUser")->setText(QString::fromStdString(user));
    Field(dialog, "editPass")->setText(QString::fromStdString(password));
}

QStringList StoredKeys()
{
    QSettings settings(QString::fromStdString(CDsnSettings::FileName()), QSettings::IniFormat);
    settings.beginGroup(QStringLiteral("Database"));
    return settings.childKeys();
}

QString Stored(const char* key)
{
    QSettings settings(QString::fromStdString(CDsnSettings::FileName()), QSettings::IniFormat);
    return settings.value(QStringLiteral("Database/") + QString::fromLatin1(key)).toString();
}

bool OnlyOwnerCanRead()
{
    const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther |
                                      QFile::WriteOther | QFile::ExeOther;
    const QFile::Permissions permissions = QFile::permissions(QString::fromStdString(CDsnSettings::FileName()));
    return (permissions & QFile::ReadOwner) && !(permissions & others);
}

bool FileHasGroup()
{
    QFile file(QString::fromStdString(CDsnSettings::FileName()));
    return file.open(QIODevice::ReadOnly) && file.readAll().contains("[Database]");
}

} // namespace

class TestDsnDialog : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestSettings> m_settings;

private Q_SLOTS:
    void initTestCase() { QVERIFY(TestDatabase::Connect()); }
    void init() { m_settings = std::make_unique<TestSettings>(); }
    void cleanup() { m_settings.reset(); }

    void firstRunCreatesTheEmptyGroupEvenWhenCancelled()
    {
        QVERIFY(!QFile::exists(QString::fromStdString(CDsnSettings::FileName())));
        CDialogDsn dialog;
        QString shown;
        WhenModalOpens([&shown](QWidget* modal) {
            shown = Field(modal, "editDsn")->text() + Field(modal, "editUser")->text() + Field(modal, "editPass")->text();
            ClickButton(modal, "btnCancel");
        });
        QCOMPARE(dialog.DoModal(), int(QDialog::Rejected));
        QCOMPARE(shown, QString());
        QVERIFY(FileHasGroup());
        QCOMPARE(StoredKeys(), QStringList());
        QVERIFY(OnlyOwnerCanRead());
    }

    void okConnectsAndStoresTheValues()
    {
        MessageRecorder messages;
        CDialogDsn dialog;
        WhenModalOpens([](QWidget* modal) {
            Fill(modal, TestDatabase::Dsn(), TestDatabase::User(), TestDatabase::Password());
            ClickButton(modal, "btnOk");
        });
        IOtlConnection::getInstance()->Disconnect();
        QCOMPARE(dialog.DoModal(), int(QDialog::Accepted));
        QVERIFY(messages.Messages().empty());
        QCOMPARE(Stored("DSN").toStdString(), TestDatabase::Dsn());
        QCOMPARE(Stored("USER").toStdString(), TestDatabase::User());
        QCOMPARE(Stored("PASS").toStdString(), TestDatabase::Password());
        QVERIFY(OnlyOwnerCanRead());
        // The connection is open on the confirmed settings.
        QCOMPARE(IOtlConnection::getInstance()->QueryValue("SELECT 41 + 1"), std::string("42"));

        // The next run shows what was stored.
        CDialogDsn again;
        QString shown;
        WhenModalOpens([&shown](QWidget* modal) {
            shown = Field(modal, "editDsn")->text() + QLatin1Char('/') + Field(modal, "editUser")->text() +
                    QLatin1Char('/') + Field(modal, "editPass")->text();
            ClickButton(modal, "btnCancel");
        });
        again.DoModal();
        QCOMPARE(shown.toStdString(), TestDatabase::Dsn() + "/" + TestDatabase::User() + "/" + TestDatabase::Password());
    }

    void okStoresAnEmptyPasswordAsAValue()
    {
        QVERIFY(TestDatabase::Run({"DROP USER IF EXISTS 'nopass'@'127.0.0.1'", "DROP USER IF EXISTS 'nopass'@'localhost'",
                                   "CREATE USER 'nopass'@'127.0.0.1'", "CREATE USER 'nopass'@'localhost'",
                                   "GRANT SELECT ON *.* TO 'nopass'@'127.0.0.1'",
                                   "GRANT SELECT ON *.* TO 'nopass'@'localhost'"}));
        MessageRecorder messages;
        CDialogDsn dialog;
        WhenModalOpens([](QWidget* modal) {
            Fill(modal, TestDatabase::Dsn(), "nopass", "");
            ClickButton(modal, "btnOk");
        });
        QCOMPARE(dialog.DoModal(), int(QDialog::Accepted));
        QCOMPARE(StoredKeys(), (QStringList{QStringLiteral("DSN"), QStringLiteral("PASS"), QStringLiteral("USER")}));
        QCOMPARE(Stored("PASS"), QString());
        QVERIFY(TestDatabase::Connect());
    }

    void failures_data()
    {
        QTest::addColumn<bool>("test");
        QTest::addColumn<QString>("prefix");
        QTest::newRow("OK") << false << QStringLiteral("数据库连接失败:\r\n");
        QTest::newRow("Test") << true << QStringLiteral("数据库连接失败：\r\n");
    }

    void failures()
    {
        QFETCH(bool, test);
        QFETCH(QString, prefix);
        MessageRecorder messages;
        CDialogDsn dialog;
        dialog.show();
        Fill(&dialog, TestDatabase::UnreachableDsn(), TestDatabase::User(), TestDatabase::Password());
        ClickButton(&dialog, test ? "btnTest" : "btnOk");
        QVERIFY(dialog.isVisible());
        QCOMPARE(int(messages.Messages().size()), 1);
        const UserMessage& shown = messages.Messages().front();
        const QString text = QString::fromStdString(shown.text);
        QVERIFY2(text.startsWith(prefix) && text.size() > prefix.size(), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("Can't connect")), qPrintable(text));
        QCOMPARE(shown.caption, std::string("数据源配置"));
        QVERIFY(shown.icon == MsgIcon::Exclamation && shown.buttons == MsgButtons::Ok);
        QVERIFY(!FileHasGroup() || StoredKeys().isEmpty());
        // The open connection was not given up.
        QCOMPARE(IOtlConnection::getInstance()->QueryValue("SELECT 7"), std::string("7"));
    }

    void testSucceedsStoresNothingAndKeepsTheConnection()
    {
        MessageRecorder messages;
        CDialogDsn dialog;
        WhenModalOpens([](QWidget* modal) {
            Fill(modal, TestDatabase::Dsn(), TestDatabase::User(), TestDatabase::Password());
            ClickButton(modal, "btnTest");
            QVERIFY(modal->isVisible());
            ClickButton(modal, "btnCancel");
        });
        QCOMPARE(dialog.DoModal(), int(QDialog::Rejected));
        QCOMPARE(int(messages.Messages().size()), 1);
        QCOMPARE(messages.Messages().front().text, std::string("数据库连接成功!"));
        QCOMPARE(messages.Messages().front().caption, std::string("数据源配置"));
        QVERIFY(messages.Messages().front().icon == MsgIcon::Information);
        QCOMPARE(StoredKeys(), QStringList());
        QCOMPARE(IOtlConnection::getInstance()->QueryValue("SELECT 8"), std::string("8"));
    }

    void keyboard()
    {
        MessageRecorder messages;
        CDialogDsn dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        Fill(&dialog, TestDatabase::Dsn(), TestDatabase::User(), TestDatabase::Password());
        for (const char* name : {"editDsn", "editUser", "editPass"}) {
            QTest::keyClick(Field(&dialog, name), Qt::Key_Escape);
            QVERIFY(dialog.isVisible());
        }
        QTest::keyClick(Field(&dialog, "editUser"), Qt::Key_Return);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(Stored("DSN").toStdString(), TestDatabase::Dsn());
    }

    void closeBoxCancels()
    {
        CDialogDsn dialog;
        WhenModalOpens([](QWidget* modal) { modal->close(); });
        QCOMPARE(dialog.DoModal(), int(QDialog::Rejected));
        QCOMPARE(StoredKeys(), QStringList());
    }
};

QTEST_MAIN(TestDsnDialog)
#include "tst_dsndialog.moc"
