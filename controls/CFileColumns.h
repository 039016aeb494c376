#pragma once

#include <QIdentityProxyModel>

/// The file chooser's columns in Chinese whatever the system's language: Qt's own file model
/// spells the type ("Folder"), the size ("bytes") and the date in the system locale, which
/// its translations do not cover.
class CFileColumns : public QIdentityProxyModel
{
    Q_OBJECT

public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
};
