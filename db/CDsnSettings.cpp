#include "db/CDsnSettings.h"

#include "db/CKeyring.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace {

const QString kOrganisation = QStringLiteral("Tarvex");
const QString kGroup = QStringLiteral("Database");
const QString kDsnKey = QStringLiteral("DSN");
const QString kUserKey = QStringLiteral("USER");
const QString kPassKey = QStringLiteral("PASS");
const QByteArray kGroupHeader = QByteArrayLiteral("[Database]");

constexpr QFile::Permissions kOwnerOnly = QFile::ReadOwner | QFile::WriteOwner;

QString SettingsPath()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, kOrganisation).fileName();
}

/// Creates the settings file readable by its owner only, before any value reaches it.
bool MakePrivateFile(const QString& path)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QFile file(path);
    if (!file.exists() && !file.open(QIODevice::WriteOnly, kOwnerOnly))
        return false;
    file.close();
    return QFile::setPermissions(path, kOwnerOnly);
}

/// The keyring entry of a data source's password.
std::string KeyringKey(const std::string& dsn, const std::string& user)
{
    return user + '@' + dsn;
}

bool FileHasGroup(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    while (!file.atEnd()) {
        if (file.readLine().trimmed() == kGroupHeader)
            return true;
    }
    return false;
}

/// The settings format drops groups without keys; the group is therefore written as an
/// empty section of its own, which later writes of the values fill.
void CreateEmptyGroup(const QString& path)
{
    if (!MakePrivateFile(path))
        return;
    QFile file(path);
    if (!file.open(QIODevice::Append))
        return;
    if (file.size() > 0)
        file.write("\n");
    file.write(kGroupHeader + '\n');
}

} // namespace

std::string CDsnSettings::FileName()
{
    return SettingsPath().toStdString();
}

void CDsnSettings::Read(DsnValues& values)
{
    const QString path = SettingsPath();
    QSettings settings(path, QSettings::IniFormat);
    if (!settings.childGroups().contains(kGroup) && !FileHasGroup(path)) {
        CreateEmptyGroup(path);
        return;
    }
    settings.beginGroup(kGroup);
    values.dsn = settings.value(kDsnKey).toString().toStdString();
    values.user = settings.value(kUserKey).toString().toStdString();
    // A password in the file is the newest: a write that reached the keyring removed it.
    if (settings.contains(kPassKey))
        values.password = settings.value(kPassKey).toString().toStdString();
    else
        CKeyring::Read(KeyringKey(values.dsn, values.user), values.password);
}

bool CDsnSettings::Write(const DsnValues& values, PasswordPlace* place)
{
    const QString path = SettingsPath();
    if (!MakePrivateFile(path))
        return false;
    const bool inKeyring =
        CKeyring::Write(KeyringKey(values.dsn, values.user), values.password) == CKeyring::Result::Done;
    if (place)
        *place = inKeyring ? PasswordPlace::Keyring : PasswordPlace::File;
    {
        QSettings settings(path, QSettings::IniFormat);
        settings.beginGroup(kGroup);
        settings.setValue(kDsnKey, QString::fromStdString(values.dsn));
        settings.setValue(kUserKey, QString::fromStdString(values.user));
        if (inKeyring)
            settings.remove(kPassKey);
        else
            settings.setValue(kPassKey, QString::fromStdString(values.password));
        settings.endGroup();
        settings.sync();
        if (settings.status() != QSettings::NoError)
            return false;
    }
    // The file is replaced on every write; keep the replacement private too.
    return QFile::setPermissions(path, kOwnerOnly);
}
