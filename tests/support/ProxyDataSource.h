#pragma once

#include <QString>
#include <cstdint>

/// Writes an ODBC data source file (for ODBCINI) holding a copy of data source `dsn` of the
/// current one, named `copyName`, that reaches its server through `port` (a delay proxy's):
/// a program started with it logs in through the proxy by name, as a user would.
bool WriteProxyDataSource(const QString& file, const QString& dsn, const QString& copyName,
                          std::uint16_t port);
