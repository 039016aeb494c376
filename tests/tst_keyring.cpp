// Where the stored password lives: in the desktop keyring when one runs (this program is run
// twice, once inside tests/with-keyring.sh with TARVEX_TEST_KEYRING=daemon, once with no
// session bus and TARVEX_TEST_KEYRING=none), otherwise in the private settings file; a
// password stored the old way moving into the keyring; the command line reading the same store.
#include "db/CDsnSettings.h"
#include "db/CKeyring.h"
#include "support/TestDatabase.h"
#include "support/TestSettings.h"

#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

namespace {

bool KeyringExpected()
{
    return qgetenv("TARVEX_TEST_KEYRING") == "daemon";
}

QByteArray SettingsFile()
{
    QFile file(QString::fromStdString(CDsnSettings::FileName()));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

/// The settings as every earlier version wrote them: the password in the file.
void WriteTheOldWay(const DsnValues& values)
{
    QSettings settings(QString::fromStdString(CDsnSettings::FileName()), QSettings::IniFormat);
    settings.beginGroup(QStringLiteral("Database"));
    settings.setValue(QStringLiteral("DSN"), QString::fromStdString(values.dsn));
    settings.setValue(QStringLiteral("USER"), QString::fromStdString(values.user));
    settings.setValue(QStringLiteral("PASS"), QString::fromStdString(values.password));
}

DsnValues Stored()
{
    DsnValues values;
    CDsnSettings::Read(values);
    return values;
}

} // namespace

class TestKeyring : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        const QByteArray mode = qgetenv("TARVEX_TEST_KEYRING");
        QVERIFY2(mode == "daemon" || mode == "none",
                 "run through ctest: TARVEX_TEST_KEYRING says which case");
    }

    void thePasswordGoesWhereItCan()
    {
        TestSettings settings;
        const DsnValues values{"site", "cti", "p;w 密码=\"x\""};
        CDsnSettings::PasswordPlace place = CDsnSettings::PasswordPlace::File;
        QVERIFY(CDsnSettings::Write(values, &place));
        QCOMPARE(place == CDsnSettings::PasswordPlace::Keyring, KeyringExpected());
        // What the data source dialog says under the password follows the same answer.
        QCOMPARE(CKeyring::Reachable(), KeyringExpected());
        QCOMPARE(SettingsFile().contains("PASS"), !KeyringExpected());
        const QFile::Permissions others =
            QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther;
        QVERIFY(!(QFile::permissions(QString::fromStdString(CDsnSettings::FileName())) & others));
        const DsnValues read = Stored();
        QCOMPARE(read.dsn, values.dsn);
        QCOMPARE(read.user, values.user);
        QCOMPARE(read.password, values.password);

        // Each data source and user has its own entry.
        QVERIFY(CDsnSettings::Write({"other", "cti", "second"}));
        QCOMPARE(Stored().password, std::string("second"));
        std::string inKeyring;
        QCOMPARE(CKeyring::Read("cti@site", inKeyring) == CKeyring::Result::Done, KeyringExpected());
        if (KeyringExpected())
            QCOMPARE(inKeyring, values.password);
    }

    // A password stored in the file by an earlier version is read as before; the next write
    // (the dialog's next successful OK) moves it into the keyring, out of the file.
    void anOldStoredPasswordMoves()
    {
        TestSettings settings;
        const DsnValues old{"site", "cti", "old secret"};
        WriteTheOldWay(old);
        QCOMPARE(Stored().password, old.password);
        QVERIFY(CDsnSettings::Write(Stored()));
        QCOMPARE(SettingsFile().contains("old secret"), !KeyringExpected());
        QCOMPARE(Stored().password, old.password);
    }

    // The commands read the same store: with the stored data source and no other password
    // they log in and export.
    void theCommandLineReadsTheSameStore()
    {
        QVERIFY(TestDatabase::Connect());
        TestSettings settings;
        QVERIFY(CDsnSettings::Write({TestDatabase::Dsn(), TestDatabase::User(), TestDatabase::Password()}));
        QCOMPARE(SettingsFile().contains("PASS"), !KeyringExpected());
        QTemporaryDir folder;
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("TARVEX_PASSWORD"));
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(TARVEX_EXECUTABLE),
                      {QStringLiteral("export"), folder.filePath(QStringLiteral("site.json"))});
        QVERIFY(process.waitForFinished(60000));
        QVERIFY2(process.exitCode() == 0, process.readAllStandardError().constData());
        QVERIFY(QFile::exists(folder.filePath(QStringLiteral("site.json"))));
    }
};

QTEST_GUILESS_MAIN(TestKeyring)
#include "tst_keyring.moc"
