// The data source dialog: stored settings, OK, Test, Cancel and the keyboard, against the
// private test server.
#include "db/CDsnSettings.h"
#include "db/CKeyring.h"
#include "db/IOtlConnection.h"
#include "dialogs/CDialogDsn.h"
#include "dialogs/CDialogNewDsn.h"
#include "support/FocusChain.h"
#include "support/MessageRecorder.h"
#include "support/Mnemonics.h"
#include "support/ModalDriver.h"
#include "support/TestDatabase.h"
#include "support/TestSettings.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
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
    const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                      QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    const QFile::Permissions permissions =
        QFile::permissions(QString::fromStdString(CDsnSettings::FileName()));
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
    QTemporaryDir m_odbcFolder;
    QString m_odbcIni;

private Q_SLOTS:
    void initTestCase()
    {
        // The user's data sources: a copy of the test server's, which 新建... may add to. Set
        // before any call of unixODBC, which keeps the first user file it is given.
        QVERIFY(m_odbcFolder.isValid());
        m_odbcIni = m_odbcFolder.filePath(QStringLiteral("odbc.ini"));
        QVERIFY(QFile::copy(qEnvironmentVariable("ODBCINI"), m_odbcIni));
        qputenv("ODBCINI", m_odbcIni.toLocal8Bit());
        QVERIFY(TestDatabase::Connect());
    }
    void init() { m_settings = std::make_unique<TestSettings>(); }
    void cleanup() { m_settings.reset(); }

    void firstRunCreatesTheEmptyGroupEvenWhenCancelled()
    {
        QVERIFY(!QFile::exists(QString::fromStdString(CDsnSettings::FileName())));
        CDialogDsn dialog;
        QString shown;
        WhenModalOpens([&shown](QWidget* modal) {
            shown = Field(modal, "editDsn")->text() + Field(modal, "editUser")->text() +
                    Field(modal, "editPass")->text();
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
        QCOMPARE(shown.toStdString(),
                 TestDatabase::Dsn() + "/" + TestDatabase::User() + "/" + TestDatabase::Password());
    }

    void okStoresAnEmptyPasswordAsAValue()
    {
        QVERIFY(TestDatabase::Run(
            {"DROP USER IF EXISTS 'nopass'@'127.0.0.1'", "DROP USER IF EXISTS 'nopass'@'localhost'",
             "CREATE USER 'nopass'@'127.0.0.1'", "CREATE USER 'nopass'@'localhost'",
             "GRANT SELECT ON *.* TO 'nopass'@'127.0.0.1'", "GRANT SELECT ON *.* TO 'nopass'@'localhost'"}));
        MessageRecorder messages;
        CDialogDsn dialog;
        WhenModalOpens([](QWidget* modal) {
            Fill(modal, TestDatabase::Dsn(), "nopass", "");
            ClickButton(modal, "btnOk");
        });
        QCOMPARE(dialog.DoModal(), int(QDialog::Accepted));
        QCOMPARE(StoredKeys(),
                 (QStringList{QStringLiteral("DSN"), QStringLiteral("PASS"), QStringLiteral("USER")}));
        QCOMPARE(Stored("PASS"), QString());
        QVERIFY(TestDatabase::Connect());
    }

    void passwordWithBlanksAtItsEndsConnects()
    {
        QVERIFY(TestDatabase::Run(
            {"DROP USER IF EXISTS 'blank'@'127.0.0.1'", "DROP USER IF EXISTS 'blank'@'localhost'",
             "CREATE USER 'blank'@'127.0.0.1' IDENTIFIED BY ' pw '",
             "CREATE USER 'blank'@'localhost' IDENTIFIED BY ' pw '",
             "GRANT ALL ON *.* TO 'blank'@'127.0.0.1'", "GRANT ALL ON *.* TO 'blank'@'localhost'"}));
        MessageRecorder messages;
        CDialogDsn dialog;
        WhenModalOpens([](QWidget* modal) {
            Fill(modal, TestDatabase::Dsn(), "blank", " pw ");
            ClickButton(modal, "btnTest");
            ClickButton(modal, "btnOk");
        });
        QCOMPARE(dialog.DoModal(), int(QDialog::Accepted));
        QCOMPARE(messages.Texts(), std::vector<std::string>{"数据库连接成功!"});
        QCOMPARE(Stored("PASS"), QStringLiteral(" pw "));
        QCOMPARE(IOtlConnection::getInstance()->QueryValue("SELECT CURRENT_USER()").substr(0, 6),
                 std::string("blank@"));
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
        // Tested with another account than the open connection's, so a moved connection shows.
        QVERIFY(TestDatabase::Run(
            {"DROP USER IF EXISTS 'probe'@'127.0.0.1'", "DROP USER IF EXISTS 'probe'@'localhost'",
             "CREATE USER 'probe'@'127.0.0.1' IDENTIFIED BY 'probe-pw'",
             "CREATE USER 'probe'@'localhost' IDENTIFIED BY 'probe-pw'",
             "GRANT SELECT ON *.* TO 'probe'@'127.0.0.1'", "GRANT SELECT ON *.* TO 'probe'@'localhost'"}));
        const std::string openAs = IOtlConnection::getInstance()->QueryValue("SELECT CURRENT_USER()");
        QVERIFY(openAs.rfind(TestDatabase::User() + "@", 0) == 0);
        MessageRecorder messages;
        CDialogDsn dialog;
        bool stayedOpen = false;
        WhenModalOpens([&stayedOpen](QWidget* modal) {
            Fill(modal, TestDatabase::Dsn(), "probe", "probe-pw");
            ClickButton(modal, "btnTest");
            stayedOpen = modal->isVisible();
            ClickButton(modal, "btnCancel");
        });
        QCOMPARE(dialog.DoModal(), int(QDialog::Rejected));
        QVERIFY(stayedOpen);
        QCOMPARE(messages.Texts(), std::vector<std::string>{"数据库连接成功!"});
        QCOMPARE(messages.Messages().front().caption, std::string("数据源配置"));
        QVERIFY(messages.Messages().front().icon == MsgIcon::Information);
        QCOMPARE(StoredKeys(), QStringList());
        QCOMPARE(IOtlConnection::getInstance()->QueryValue("SELECT CURRENT_USER()"), openAs);
    }

    // With no keyring the password goes to the settings file as typed: the dialog says so
    // under the password, naming the file.
    void saysWhereThePasswordIsKept()
    {
        TestSettings settings;
        CDialogDsn dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto* note = dialog.findChild<QLabel*>(QStringLiteral("labelPasswordInClear"));
        QCOMPARE(note != nullptr, !CKeyring::Reachable());
        if (note) {
            QVERIFY(note->isVisible());
            QVERIFY(note->text().contains(QString::fromStdString(CDsnSettings::FileName())));
            QVERIFY(note->geometry().top() >= Field(&dialog, "editPass")->geometry().bottom());
        }
    }

    // Every mnemonic shown reaches its control from the keyboard, in both dialogs.
    void mnemonics()
    {
        CDialogDsn dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QStringList dead = DeadMnemonics(&dialog);
        QVERIFY2(dead.isEmpty(), qPrintable(dead.join(QLatin1Char(' '))));
        CDialogNewDsn newDsn;
        newDsn.show();
        QVERIFY(QTest::qWaitForWindowActive(&newDsn));
        dead = DeadMnemonics(&newDsn);
        QVERIFY2(dead.isEmpty(), qPrintable(dead.join(QLatin1Char(' '))));
    }

    void keyboard()
    {
        MessageRecorder messages;
        CDialogDsn dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        Fill(&dialog, TestDatabase::Dsn(), TestDatabase::User(), TestDatabase::Password());
        for (const char* name : {"editDsn", "btnNewDsn", "editUser", "editPass", "chkShowPass", "btnTest",
                                 "btnOk", "btnCancel"}) {
            QTest::keyClick(dialog.findChild<QWidget*>(QString::fromLatin1(name)), Qt::Key_Escape);
            QVERIFY(dialog.isVisible());
        }
        QVERIFY(messages.Messages().empty());
        QTest::keyClick(Field(&dialog, "editUser"), Qt::Key_Return);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(Stored("DSN").toStdString(), TestDatabase::Dsn());
    }

    void tabOrderAndEnterOnEachButton_data()
    {
        QTest::addColumn<int>("tabs");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("focused");
        QTest::addColumn<bool>("open");
        QTest::addColumn<QString>("message");
        QTest::newRow("Enter on Test") << 5 << int(Qt::Key_Return) << "btnTest" << true << "数据库连接成功!";
        QTest::newRow("Space on Test") << 5 << int(Qt::Key_Space) << "btnTest" << true << "数据库连接成功!";
        QTest::newRow("Enter on OK") << 6 << int(Qt::Key_Return) << "btnOk" << false << "";
        QTest::newRow("Enter on Cancel") << 7 << int(Qt::Key_Return) << "btnCancel" << false << "";
        QTest::newRow("keypad Enter on Cancel") << 7 << int(Qt::Key_Enter) << "btnCancel" << false << "";
    }

    void tabOrderAndEnterOnEachButton()
    {
        QFETCH(int, tabs);
        QFETCH(int, key);
        QFETCH(QString, focused);
        QFETCH(bool, open);
        QFETCH(QString, message);
        QVERIFY(TestDatabase::Connect());
        const std::string openAs = IOtlConnection::getInstance()->QueryValue("SELECT CURRENT_USER()");
        MessageRecorder messages;
        CDialogDsn dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        Fill(&dialog, TestDatabase::Dsn(), TestDatabase::User(), TestDatabase::Password());
        Field(&dialog, "editDsn")->setFocus(Qt::TabFocusReason);
        for (int tab = 0; tab < tabs; ++tab)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), focused);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        QCOMPARE(dialog.isVisible(), open);
        QCOMPARE(QString::fromStdString(messages.Texts().empty() ? std::string() : messages.Texts().front()),
                 message);
        const bool accepted = focused == QLatin1String("btnOk");
        if (!open)
            QCOMPARE(dialog.result(), int(accepted ? QDialog::Accepted : QDialog::Rejected));
        // Only OK stores the values.
        QCOMPARE(StoredKeys().isEmpty(), !accepted);
        QCOMPARE(IOtlConnection::getInstance()->QueryValue("SELECT CURRENT_USER()"), openAs);
    }

    // The data sources unixODBC knows are offered with their drivers; the stored one is
    // chosen, a stored name unixODBC does not know stays as it is, and the arrow keys choose.
    void theDataSourcesOffered()
    {
        const std::string dsn = TestDatabase::Dsn();
        for (const std::string& stored : {dsn + "_gbk", std::string("typed by hand")}) {
            QVERIFY(CDsnSettings::Write({stored, "user", "pw"}));
            CDialogDsn dialog;
            dialog.ReadSettings();
            auto* combo = dialog.findChild<QComboBox*>(QStringLiteral("comboDsn"));
            QStringList offered;
            for (int row = 0; row < combo->count(); ++row)
                offered << combo->model()->index(row, 0).data().toString() + QLatin1Char('|') +
                               combo->model()->index(row, 1).data().toString();
            const QString driver = QStringLiteral("/usr/lib/x86_64-linux-gnu/odbc/libmaodbc.so（用户）");
            QVERIFY2(offered.mid(0, 4) ==
                         (QStringList{QString::fromStdString(dsn) + QLatin1Char('|') + driver,
                                      QString::fromStdString(dsn + "_gbk|") + driver,
                                      QString::fromStdString(dsn + "_latin1|") + driver,
                                      QString::fromStdString(dsn + "_unreachable|") + driver}),
                     qPrintable(offered.join(QLatin1Char('\n'))));
            QCOMPARE(Field(&dialog, "editDsn")->text(), QString::fromStdString(stored));
            QCOMPARE(combo->currentIndex(), stored == dsn + "_gbk" ? 1 : -1);
        }
        CDialogDsn dialog;
        dialog.ReadSettings();
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        auto* combo = dialog.findChild<QComboBox*>(QStringLiteral("comboDsn"));
        combo->setCurrentIndex(0);
        QTest::keyClick(Field(&dialog, "editDsn"), Qt::Key_Down);
        QCOMPARE(Field(&dialog, "editDsn")->text(), QString::fromStdString(dsn + "_gbk"));

        // Opened, the list shows every name and driver whole, wider than the box if need be.
        combo->showPopup();
        auto* list = qobject_cast<QTreeView*>(combo->view());
        QVERIFY(list);
        QTRY_VERIFY(list->isVisible());
        for (int row = 0; row < combo->count(); ++row) {
            for (int column = 0; column < 2; ++column) {
                const QString text = combo->model()->index(row, column).data().toString();
                QVERIFY2(list->visualRect(combo->model()->index(row, column)).width() >
                                 list->fontMetrics().horizontalAdvance(text) &&
                             list->visualRect(combo->model()->index(row, column)).right() <
                                 list->viewport()->width(),
                         qPrintable(text));
            }
        }
        combo->hidePopup();
    }

    // 新建... by keyboard: the new data source is written into the user's odbc.ini, chosen in the
    // field, and OK logs in with it. A name already taken is refused and the dialog stays.
    void aNewDataSourceByKeyboard()
    {
        MessageRecorder messages;
        CDialogDsn dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        Fill(&dialog, "", TestDatabase::User(), TestDatabase::Password());
        QString refused;
        QString firstFocus;
        WhenModalOpens([&](QWidget* modal) {
            if (!QTest::qWaitForWindowActive(modal) ||
                !QTest::qWaitFor([modal] { return modal->isAncestorOf(QApplication::focusWidget()); }, 2000))
                return;
            firstFocus = QApplication::focusWidget()->objectName();
            const auto type = [](const QString& text) {
                QTest::keyClicks(QApplication::focusWidget(), text);
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            };
            type(QString::fromStdString(TestDatabase::Dsn()));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); // the only driver stays chosen
            type(QStringLiteral("127.0.0.1"));
            type(qEnvironmentVariable("TARVEX_DB_PORT"));
            type(qEnvironmentVariable("TARVEX_DB_NAME"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            refused =
                QString::fromStdString(messages.Texts().empty() ? std::string() : messages.Texts().front());
            auto* name = modal->findChild<QLineEdit*>(QStringLiteral("editName"));
            name->setText(QStringLiteral("made in the dialog"));
            QTest::keyClick(name, Qt::Key_Return);
        });
        Field(&dialog, "editDsn")->setFocus(Qt::TabFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("btnNewDsn"));
        const QByteArray before = [this] {
            QFile file(m_odbcIni);
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        }();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(firstFocus, QStringLiteral("editName"));
        QCOMPARE(refused, QStringLiteral("无法创建数据源：已有名为 %1 的数据源，请换一个名称")
                              .arg(QString::fromStdString(TestDatabase::Dsn())));
        QFile ini(m_odbcIni);
        QVERIFY(ini.open(QIODevice::ReadOnly));
        const QByteArray after = ini.readAll();
        QVERIFY2(after.contains("[made in the dialog]") && after.contains("[tarvex_test_unreachable]"),
                 after.constData());
        // unixODBC wrote the file anew, without its comments: the file as it was is kept.
        QFile copy(m_odbcIni + QStringLiteral(".bak"));
        QVERIFY(copy.open(QIODevice::ReadOnly));
        QCOMPARE(copy.readAll(), before);
        QCOMPARE(Field(&dialog, "editDsn")->text(), QStringLiteral("made in the dialog"));
        // Back in the dialog (the window manager activates it again; offscreen, the test does),
        // the focus is on the user, next to be filled.
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QVERIFY(QTest::qWaitFor(
            [&dialog] { return QApplication::focusWidget() == Field(&dialog, "editUser"); }, 2000));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(messages.Texts().size(), std::size_t(1));
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(IOtlConnection::getInstance()->QueryValue("SELECT DATABASE()"),
                 qEnvironmentVariable("TARVEX_DB_NAME").toStdString());
        QVERIFY(TestDatabase::Connect());
    }

    // The password is masked until the user asks to see it, by Space on the box after it.
    void passwordShownOnlyOnRequest()
    {
        CDialogDsn dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        Fill(&dialog, "dsn", "user", "s3cret");
        QLineEdit* password = Field(&dialog, "editPass");
        QCOMPARE(password->echoMode(), QLineEdit::Password);
        QVERIFY(!password->displayText().contains(QStringLiteral("s3cret")));
        password->setFocus(Qt::TabFocusReason);
        QTest::keyClick(password, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("chkShowPass"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(password->displayText(), QStringLiteral("s3cret"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(password->echoMode(), QLineEdit::Password);
        QCOMPARE(password->text(), QStringLiteral("s3cret"));
    }

    void closeBoxCancels()
    {
        CDialogDsn dialog;
        WhenModalOpens([](QWidget* modal) { modal->close(); });
        QCOMPARE(dialog.DoModal(), int(QDialog::Rejected));
        QCOMPARE(StoredKeys(), QStringList());
    }

    // Tab follows the screen: top to bottom, left to right within a row, and round again.
    void tabFollowsTheScreen()
    {
        CDialogDsn dialog;
        const auto [walked, onScreen] = TabRoundAndScreenOrder(dialog);
        QVERIFY(onScreen.size() > 4);
        QCOMPARE(walked, onScreen);
        CDialogNewDsn newDsn;
        const auto [newWalked, newOnScreen] = TabRoundAndScreenOrder(newDsn);
        QCOMPARE(
            newOnScreen.join(QLatin1Char(' ')),
            QStringLiteral("editName comboDriver editServer editPort editDatabase btnOk btnCancel editName"));
        QCOMPARE(newWalked, newOnScreen);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!newDsn.isVisible());
    }

    // The port box of a new data source stops at the last port.
    void aNewDataSourcePortIsAPort()
    {
        CDialogNewDsn newDsn;
        newDsn.show();
        QVERIFY(QTest::qWaitForWindowExposed(&newDsn));
        QLineEdit* port = Field(&newDsn, "editPort");
        QTest::keyClicks(port, QStringLiteral("65536"));
        QCOMPARE(port->text(), QStringLiteral("6553"));
        port->clear();
        QTest::keyClicks(port, QStringLiteral("65535"));
        QCOMPARE(port->text(), QStringLiteral("65535"));
    }
};

QTEST_MAIN(TestDsnDialog)
#include "tst_dsndialog.moc"
