#include "controls/CFileColumns.h"

#include <QFileInfo>
#include <QFileSystemModel>
#include <QLocale>

namespace {

// The columns of Qt's file model.
enum Column
{
    Name,
    Size,
    Type,
    Modified,
};

} // namespace

QVariant CFileColumns::data(const QModelIndex& index, int role) const
{
    const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (role != Qt::DisplayRole || !files || index.column() == Name)
        return QIdentityProxyModel::data(index, role);
    const QFileInfo info = files->fileInfo(mapToSource(index));
    const QLocale locale;
    switch (index.column()) {
    case Size:
        return info.isDir() ? QString() : locale.formattedDataSize(info.size());
    case Type:
        if (info.isDir())
            return QStringLiteral("文件夹");
        return info.suffix().isEmpty() ? QStringLiteral("文件")
                                       : QStringLiteral("%1 文件").arg(info.suffix().toUpper());
    case Modified:
        return locale.toString(info.lastModified(), QLocale::ShortFormat);
    default:
        break;
    }
    return QIdentityProxyModel::data(index, role);
}

QVariant CFileColumns::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QIdentityProxyModel::headerData(section, orientation, role);
    switch (section) {
    case Name:
        return QStringLiteral("名称");
    case Size:
        return QStringLiteral("大小");
    case Type:
        return QStringLiteral("类型");
    case Modified:
        return QStringLiteral("修改日期");
    default:
        break;
    }
    return QIdentityProxyModel::headerData(section, orientation, role);
}
