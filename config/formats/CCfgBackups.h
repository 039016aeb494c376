#pragma once

#include "config/formats/CCfgFile.h"

#include <QString>
#include <string>
#include <vector>

struct CCfgData;

/// The backups of what saves and imports wrote over: before a group is written, the group as
/// the database held it goes to a file of its own, in the configuration-file format, in the
/// user's data folder. The newest ones are kept. A file's name tells its time, group and data
/// source, so that listing them reads no file.
class CCfgBackups
{
public:
    static constexpr int kKept = 200;

    struct Entry
    {
        QString path;
        CfgBackupHeader header;
    };

    /// <user data>/Tarvex/backups.
    static QString Folder();
    /// Writes a backup of `header.group` of `cfg` into a new file, `path`, then lets go of the
    /// oldest beyond the number kept. False, with `error` saying why, when it cannot be written.
    static bool Write(const CCfgData& cfg, const CfgBackupHeader& header, QString& path, std::string& error);
    /// The backups, newest first.
    static std::vector<Entry> List();
    /// The local time now, as a backup's header holds it.
    static std::string Now();
};
