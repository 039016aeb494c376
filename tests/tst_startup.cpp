// Start-up: the cancel path of the data source dialog and the single-instance rule, the
// latter with real second processes of the program.
#include "app/CSingleInstance.h"
#include "app/CTarvexApp.h"
#include "app/CTarvexDlg.h"
#include "config/data/CCfgData.h"
#include "config/database/CCfgDb.h"
#include "config/document/CCfgDocument.h"
#include "db/CDsnSettings.h"
#include "db/IOtlConnection.h"
#include "support/ConfigTables.h"
#include "support/MessageRecorder.h"
#include "support/ModalDriver.h"
#include "support/TestDatabase.h"
#include "support/TestSettings.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <unistd.h>

namespace {

/// A copy of the program under `name`: the application name is the executable's.
QString CopyOfProgram(const QTemporaryDir& folder, const QString& name)
{
    const QString path = folder.filePath(name);
    QFile::remove(path);
    if (!QFile::copy(QStringLiteral(TARVEX_EXECUTABLE), path))
        return {};
    QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner);
    return path;
}

/// Starts `program` offscreen with settings of its own under `configHome`.
void Start(QProcess& process, const QString& program, const QString& configHome)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
    process.setProcessEnvironment(environment);
    process.start(program, {});
}

/// The program has reached its data source dialog once it has read (and so created) its settings.
bool ReachedDataSourceDialog(const QString& configHome)
{
    QFile settings(configHome + QStringLiteral("/Tarvex.ini"));
    return settings.open(QIODevice::ReadOnly) && settings.readAll().contains("[Database]");
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cancelledDataSourceEndsWithOneMessage_data()
    {
        QTest::addColumn<bool>("closeBox");
        QTest::newRow("cancel button") << false;
        QTest::newRow("close box") << true;
    }

    void cancelledDataSourceEndsWithOneMessage()
    {
        QFETCH(bool, closeBox);
        TestSettings settings;
        MessageRecorder messages;
        WhenModalOpens([closeBox](QWidget* modal) {
            QCOMPARE(modal->objectName(), QStringLiteral("CDialogDsn"));
            if (closeBox)
                modal->close();
            else
                ClickButton(modal, "btnCancel");
        });
        QVERIFY(!CTarvexApp().InitInstance());
        QCOMPARE(int(messages.Messages().size()), 1);
        const UserMessage& shown = messages.Messages().front();
        QCOMPARE(shown.text, std::string("数据源设置失败！"));
        // The program's name, whatever its executable is called.
        QCOMPARE(shown.caption, std::string("Tarvex"));
        QVERIFY(shown.icon == MsgIcon::Exclamation && shown.buttons == MsgButtons::Ok);
        QFile stored(QString::fromStdString(CDsnSettings::FileName()));
        QVERIFY(stored.open(QIODevice::ReadOnly));
        QCOMPARE(stored.readAll().trimmed(), QByteArray("[Database]"));
    }

    void confirmedDataSourceLoadsAndOpensTheMainWindow_data()
    {
        QTest::addColumn<QString>("missingTable");
        QTest::addColumn<bool>("pauses");
        QTest::newRow("every table there") << QString() << false;
        QTest::newRow("trunk matches missing") << QStringLiteral("conf_trunk_match") << true;
    }

    void confirmedDataSourceLoadsAndOpensTheMainWindow()
    {
        QFETCH(QString, missingTable);
        QFETCH(bool, pauses);
        QVERIFY(TestDatabase::Connect());
        QVERIFY(ConfigTables::CreateEmpty());
        QVERIFY(TestDatabase::Run({"INSERT INTO conf_system (Name, Value) VALUES ('CtiAddr', '10.9.8.7')",
                                   "INSERT INTO conf_line (id, type, value) VALUES (8001, 0, 'x')"}));
        if (!missingTable.isEmpty())
            QVERIFY(TestDatabase::DropTables({missingTable.toStdString()}));
        IOtlConnection::getInstance()->Disconnect();
        *GetCfgData() = CCfgData();

        TestSettings settings;
        QVERIFY(CDsnSettings::Write({TestDatabase::Dsn(), TestDatabase::User(), TestDatabase::Password()}));
        MessageRecorder messages;
        QString progressText;
        QElapsedTimer clock;
        qint64 mainWindowAfterMs = -1;
        WhenModalOpens([&](QWidget* dsnDialog) {
            QCOMPARE(dsnDialog->objectName(), QStringLiteral("CDialogDsn"));
            clock.start();
            // Loading runs synchronously; a timer sees the progress window while it pauses.
            QTimer::singleShot(200, [&progressText] {
                for (QWidget* window : QApplication::topLevelWidgets()) {
                    if (window->objectName() == QStringLiteral("CDialogProgress") && window->isVisible())
                        progressText = window->findChild<QLabel*>(QStringLiteral("labelStatus"))->text();
                }
            });
            WhenModalOpens([&](QWidget* mainWindow) {
                mainWindowAfterMs = clock.elapsed();
                QCOMPARE(mainWindow->objectName(), QStringLiteral("CTarvexDlg"));
                mainWindow->close();
            });
            ClickButton(dsnDialog, "btnOk");
        });
        QVERIFY(!CTarvexApp().InitInstance());
        // Loading reports in its own window; the only box is the main window's exit question.
        QCOMPARE(messages.Texts(), std::vector<std::string>{"确定要退出Tarvex吗?"});
        QVERIFY(mainWindowAfterMs >= 0);
        QCOMPARE(GetCfgData()->CtiAddr, std::string("10.9.8.7"));
        QCOMPARE(GetCfgData()->Extens.GetCount(), std::size_t(1));
        if (pauses) {
            QVERIFY2(mainWindowAfterMs >= 1500, qPrintable(QString::number(mainWindowAfterMs)));
            QCOMPARE(progressText, QStringLiteral("中继匹配配置信息读取失败！"));
        } else {
            QVERIFY2(mainWindowAfterMs < 1500, qPrintable(QString::number(mainWindowAfterMs)));
        }
    }

    void secondStartRaisesTheRunningMainWindow()
    {
        QTemporaryDir folder;
        const QString configHome = folder.filePath(QStringLiteral("config"));
        // Same executable name as this process: the same application.
        const QString sameName = CopyOfProgram(folder, QCoreApplication::applicationName());
        QVERIFY(!sameName.isEmpty());

        CTarvexDlg mainWindow(*GetCfgDocument());
        mainWindow.showMinimized();
        QVERIFY(mainWindow.isMinimized());

        QProcess second;
        Start(second, sameName, configHome);
        QVERIFY(second.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(second.state() == QProcess::NotRunning, 10000);
        QCOMPARE(second.exitCode(), 0);
        QTRY_COMPARE(mainWindow.Marker().ActivationCount(), 1);
        QVERIFY(!mainWindow.isMinimized());
        QVERIFY(mainWindow.isVisible());
        // It ended before it showed a window of its own.
        QVERIFY(!ReachedDataSourceDialog(configHome));
    }

    void markerLivesInTheUsersRuntimeFolder()
    {
        const QString appName = QCoreApplication::applicationName();
        const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
        const QString marker = CSingleInstance::MarkerPath(appName);
        QCOMPARE(QFileInfo(marker).absolutePath(), QFileInfo(runtime).absoluteFilePath());
        // A folder only its owner can enter.
        const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                          QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
        QVERIFY(!(QFile::permissions(runtime) & others));

        // Something in the shared temporary folder under the old name stops nothing.
        const QString shared =
            QDir::temp().filePath(appName + QLatin1Char('-') + QString::number(::getuid()));
        QFile squatter(shared);
        QVERIFY(squatter.open(QIODevice::WriteOnly));
        squatter.close();
        QFile::setPermissions(shared, QFile::Permissions());
        CTarvexDlg mainWindow(*GetCfgDocument());
        QVERIFY(QFileInfo::exists(marker));
        QVERIFY(CSingleInstance::ActivateRunning(appName));
        QTRY_COMPARE(mainWindow.Marker().ActivationCount(), 1);
        QFile::setPermissions(shared, QFile::ReadOwner | QFile::WriteOwner);
        QFile::remove(shared);
    }

    void otherStartsRunOnTheirOwn_data()
    {
        QTest::addColumn<bool>("mainWindowOpen");
        QTest::addColumn<QString>("name");
        QTest::newRow("first instance still in its data source dialog")
            << false << QCoreApplication::applicationName();
        QTest::newRow("copy under another name") << true << QStringLiteral("tarvex_other_name");
    }

    void otherStartsRunOnTheirOwn()
    {
        QFETCH(bool, mainWindowOpen);
        QFETCH(QString, name);
        QTemporaryDir folder;
        const QString configHome = folder.filePath(QStringLiteral("config"));
        const QString program = CopyOfProgram(folder, name);
        QVERIFY(!program.isEmpty());

        std::unique_ptr<CTarvexDlg> mainWindow;
        QProcess first;
        if (mainWindowOpen) {
            mainWindow = std::make_unique<CTarvexDlg>(*GetCfgDocument());
            mainWindow->show();
        } else {
            // A first instance of the same program that has not got past its data source dialog.
            const QString firstHome = folder.filePath(QStringLiteral("first"));
            Start(first, program, firstHome);
            QVERIFY(first.waitForStarted());
            QTRY_VERIFY_WITH_TIMEOUT(ReachedDataSourceDialog(firstHome), 10000);
        }
        QProcess other;
        Start(other, program, configHome);
        QVERIFY(other.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(ReachedDataSourceDialog(configHome), 10000);
        QCOMPARE(other.state(), QProcess::Running);
        if (mainWindow)
            QCOMPARE(mainWindow->Marker().ActivationCount(), 0);
        else
            QCOMPARE(first.state(), QProcess::Running);
        for (QProcess* process : {&other, &first}) {
            process->kill();
            process->waitForFinished();
        }
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
