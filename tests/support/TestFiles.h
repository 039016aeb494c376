#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

/// The bytes of the file at `path`; "<unreadable>" when it cannot be read, so that a
/// comparison with any real contents fails.
inline QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

/// Writes `bytes` as the whole of the file at `path`.
inline bool WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}
