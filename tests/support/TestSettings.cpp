#include "support/TestSettings.h"

#include <QSettings>

TestSettings::TestSettings()
{
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_folder.path());
    qputenv("XDG_CONFIG_HOME", m_folder.path().toLocal8Bit());
}

TestSettings::~TestSettings()
{
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, QString());
}
