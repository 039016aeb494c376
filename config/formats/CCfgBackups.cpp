#include "config/formats/CCfgBackups.h"

#include "config/catalogue/CfgGroups.h"

#include <QDateTime>
#include <QDir>
#include <QStandardPaths>
#include <QUrl>
#include <algorithm>

namespace {

const QString kSuffix = QStringLiteral(".backup.json");
const char* const kTimeFormat = "yyyy-MM-ddTHH:mm:ss.zzz";
// In a file's name: sorts as the time does.
const QString kNameTimeFormat = QStringLiteral("yyyyMMdd-HHmmss-zzz");

/// "<time>_<group>_<data source, percent-encoded>.backup.json".
QString FileName(const CfgBackupHeader& header)
{
    const QDateTime time =
        QDateTime::fromString(QString::fromStdString(header.time), QString::fromLatin1(kTimeFormat));
    return time.toString(kNameTimeFormat) + QLatin1Char('_') +
           QString::fromLatin1(CCfgFile::GroupKey(header.group)) + QLatin1Char('_') +
           QString::fromLatin1(QUrl::toPercentEncoding(QString::fromStdString(header.dataSource))) + kSuffix;
}

bool FromFileName(const QString& name, CfgBackupHeader& header)
{
    if (!name.endsWith(kSuffix))
        return false;
    // The time and the group hold no '_'; the data source may.
    const QString stem = name.chopped(kSuffix.size());
    const qsizetype first = stem.indexOf(QLatin1Char('_'));
    const qsizetype second = first < 0 ? -1 : stem.indexOf(QLatin1Char('_'), first + 1);
    if (second < 0)
        return false;
    const QStringList parts = {stem.left(first), stem.mid(first + 1, second - first - 1),
                               stem.mid(second + 1)};
    const QDateTime time = QDateTime::fromString(parts[0], kNameTimeFormat);
    const auto group = std::find_if(kCfgGroups.begin(), kCfgGroups.end(), [&parts](CfgGroup each) {
        return parts[1] == QLatin1String(CCfgFile::GroupKey(each));
    });
    if (!time.isValid() || group == kCfgGroups.end())
        return false;
    header.time = time.toString(QString::fromLatin1(kTimeFormat)).toStdString();
    header.group = *group;
    header.dataSource = QUrl::fromPercentEncoding(parts[2].toLatin1()).toStdString();
    return true;
}

} // namespace

QString CCfgBackups::Folder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/Tarvex/backups");
}

std::string CCfgBackups::Now()
{
    return QDateTime::currentDateTime().toString(QString::fromLatin1(kTimeFormat)).toStdString();
}

bool CCfgBackups::Write(const CCfgData& cfg, const CfgBackupHeader& header, QString& path, std::string& error)
{
    QByteArray json;
    if (!CCfgFile::BackupToJson(cfg, header, json, error)) {
        error = "无法备份" + CfgGroupName(header.group) + "：" + error;
        return false;
    }
    const QDir folder(Folder());
    if (!folder.mkpath(QStringLiteral("."))) {
        error = "无法创建备份文件夹 " + Folder().toStdString();
        return false;
    }
    path = folder.filePath(FileName(header));
    if (!CCfgFile::WriteBytes(json, path, error))
        return false;
    // The oldest go once there are more than are kept.
    const QStringList names = folder.entryList({QStringLiteral("*") + kSuffix}, QDir::Files, QDir::Name);
    for (qsizetype i = 0; i + kKept < names.size(); ++i)
        QFile::remove(folder.filePath(names[i]));
    return true;
}

std::vector<CCfgBackups::Entry> CCfgBackups::List()
{
    const QDir folder(Folder());
    std::vector<Entry> entries;
    const QStringList names =
        folder.entryList({QStringLiteral("*") + kSuffix}, QDir::Files, QDir::Name | QDir::Reversed);
    for (const QString& name : names) {
        Entry entry;
        if (FromFileName(name, entry.header)) {
            entry.path = folder.filePath(name);
            entries.push_back(std::move(entry));
        }
    }
    return entries;
}
