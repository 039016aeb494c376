#include "support/TestSettings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {

/// Where per-user settings go now: the folder holding the organisations' folders.
QString UserSettingsFolder()
{
    QDir folder = QFileInfo(QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("probe"),
                                      QStringLiteral("probe"))
                                .fileName())
                      .dir();
    folder.cdUp();
    return folder.path();
}

} // namespace

TestSettings::TestSettings()
    : m_previousFolder(UserSettingsFolder()), m_previousConfigHome(qgetenv("XDG_CONFIG_HOME")),
      m_previousDataHome(qgetenv("XDG_DATA_HOME"))
{
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_folder.path());
    qputenv("XDG_CONFIG_HOME", m_folder.path().toLocal8Bit());
    // The user's data (the backups of saves) as well.
    qputenv("XDG_DATA_HOME", (m_folder.path() + QStringLiteral("/data")).toLocal8Bit());
    // Nor the user's keyring: only a session bus of the tests' own (tests/with-keyring.sh) is used.
    if (!qEnvironmentVariableIsSet("TARVEX_TEST_PRIVATE_BUS"))
        qunsetenv("DBUS_SESSION_BUS_ADDRESS");
}

TestSettings::~TestSettings()
{
    // Back to what was in force before, another test's settings included.
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_previousFolder);
    qputenv("XDG_CONFIG_HOME", m_previousConfigHome);
    qputenv("XDG_DATA_HOME", m_previousDataHome);
}
