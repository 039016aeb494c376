#pragma once

#include <QTemporaryDir>

/// Points the per-user settings at a temporary folder for its lifetime, so a test never
/// reads or writes the real user's settings.
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
};
