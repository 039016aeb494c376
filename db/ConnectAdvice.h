#pragma once

#include <string>

/// Why a login failed, as far as the driver's answer tells.
enum class ConnectCause
{
    DriverMissing,
    DataSourceUnknown,
    ServerUnreachable,
    LoginRefused,
    DatabaseMissing,
    Other,
};

/// The cause of a failed login from its first diagnostic record (SQLSTATE, the driver's own
/// error number and message); `dataSourceDefined` tells a data source whose driver is missing
/// from one that does not exist, which the driver manager answer alike.
ConnectCause ConnectCauseOf(const std::string& sqlState, long nativeError, const std::string& message,
                            bool dataSourceDefined);

/// What the user can do about `cause` at data source `dsn`; empty for Other.
std::string ConnectAdvice(ConnectCause cause, const std::string& dsn);
