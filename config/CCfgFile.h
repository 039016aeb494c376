#pragma once

#include "config/CCfgDb.h"

#include <QByteArray>
#include <QString>
#include <string>

struct CCfgData;

/// A whole configuration in one JSON file: a format name and version, then one object per
/// group ("middleware", "device", "lines") with one key per setting, named as in the store,
/// and the lists in their order. Texts are exactly the store's UTF-8 texts. Reading is
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
    /// Replaces `cfg` with the store that `json` describes. False, with `error` saying
    /// where and why, when `json` is not a valid file; `cfg` is then left as it was.
    static bool FromJson(const QByteArray& json, CCfgData& cfg, std::string& error);

    /// ToJson into the file at `path`, replaced whole or not at all, readable by its owner
    /// only (it holds passwords).
    static bool Write(const CCfgData& cfg, const QString& path, std::string& error);
    /// FromJson of the file at `path`.
    static bool Read(const QString& path, CCfgData& cfg, std::string& error);
};
