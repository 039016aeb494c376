#pragma once

#include "config/catalogue/CfgGroup.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <string>
#include <vector>

struct CCfgData;

/// What a backup file says of itself: where and when the group it holds was read.
struct CfgBackupHeader
{
    std::string dataSource;
    std::string time; // local time, "yyyy-MM-ddTHH:mm:ss"
    CfgGroup group = CfgGroup::System;
};

/// What a file holds: every group, or, in a backup, the one group its header names.
struct CfgFileContents
{
    std::vector<CfgGroup> groups;
    std::optional<CfgBackupHeader> backup;
};

/// A whole configuration in one JSON file: a format name and version, then one object per
/// group ("middleware", "device", "lines") with one key per setting, named as in the store,
/// and the lists in their order. A backup holds one group only, with a "backup" object naming
/// it. Texts are exactly the store's UTF-8 texts. Reading is
/// strict: a file with anything missing, unknown, of the wrong type or too large for its
/// field is refused as a whole, with a message that says where.
class CCfgFile
{
public:
    static constexpr int kVersion = 1;
    static const char* const kFormat;

    /// The key of a group's object in the file.
    static const char* GroupKey(CfgGroup group);

    /// The file's bytes for `cfg`. False, with `error` naming the value, when a text cannot
    /// be written so that it reads back the same (it is not UTF-8, or holds a NUL).
    static bool ToJson(const CCfgData& cfg, QByteArray& json, std::string& error);
    /// The bytes of a backup of `header.group` of `cfg`.
    static bool BackupToJson(const CCfgData& cfg, const CfgBackupHeader& header, QByteArray& json,
                             std::string& error);
    /// Replaces `cfg` with the store that `json` describes (a group the file does not hold
    /// keeps its defaults) and says in `contents` what it holds. False, with `error` saying
    /// where and why, when `json` is not a valid file; `cfg` is then left as it was.
    static bool FromJson(const QByteArray& json, CCfgData& cfg, std::string& error,
                         CfgFileContents* contents = nullptr);

    /// ToJson into the file at `path`, replaced whole or not at all, readable by its owner
    /// only (it holds passwords).
    static bool Write(const CCfgData& cfg, const QString& path, std::string& error);
    /// The same with the bytes given.
    static bool WriteBytes(const QByteArray& json, const QString& path, std::string& error);
    /// FromJson of the file at `path`.
    static bool Read(const QString& path, CCfgData& cfg, std::string& error,
                     CfgFileContents* contents = nullptr);
};
