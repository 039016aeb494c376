#include "support/ProxyDataSource.h"

#include <QFile>
#include <QStringList>

bool WriteProxyDataSource(const QString& file, const QString& dsn, const QString& copyName,
                          std::uint16_t port)
{
    QFile own(qEnvironmentVariable("ODBCINI"));
    QFile copy(file);
    if (!own.open(QIODevice::ReadOnly) || !copy.open(QIODevice::WriteOnly))
        return false;
    const QString section = QLatin1Char('[') + dsn + QLatin1Char(']');
    bool inSection = false;
    QString text;
    for (const QString& line : QString::fromUtf8(own.readAll()).split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1Char('[')))
            inSection = line == section;
        if (!inSection)
            continue;
        if (line.startsWith(QLatin1Char('[')))
            text += QLatin1Char('[') + copyName + QStringLiteral("]\n");
        else if (line.startsWith(QLatin1String("PORT")))
            text += QStringLiteral("PORT = %1\n").arg(port);
        else
            text += line + QLatin1Char('\n');
    }
    return !text.isEmpty() && copy.write(text.toUtf8()) > 0;
}
