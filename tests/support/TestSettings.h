#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

/// Points the per-user settings and data at a temporary folder for its lifetime, so a test
/// never reads or writes the real user's settings, backups or keyring. One may live inside
/// another's lifetime.
class TestSettings
{
public:
    TestSettings();
    ~TestSettings();
    TestSettings(const TestSettings&) = delete;
    TestSettings& operator=(const TestSettings&) = delete;

    QString Folder() const { return m_folder.path(); }

private:
    QTemporaryDir m_folder;
    QString m_previousFolder;
    QByteArray m_previousConfigHome;
    QByteArray m_previousDataHome;
};
