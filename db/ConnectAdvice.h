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
    /// The server refused a statement run right after logging in.
    SessionRefused,
    Other,
};

/// The cause of a failed login from its first diagnostic record (SQLSTATE, the driver's own
/// error number and message); `dataSourceDefined` tells a data source whose driver is missing
/// from one that does not exist, which the driver manager answer alike.
ConnectCause ConnectCauseOf(const std::string& sqlState, long nativeError, const std::string& message,
                            bool dataSourceDefined);

/// Who reads the advice: the window's user, who has the data source dialog, or the console's,
/// who has odbc.ini and unixODBC's tools.
enum class AdviceReader
{
    Window,
    Console,
};

/// Who reads the advice in this process: the window's user unless the command line said
/// otherwise at its start.
AdviceReader ProcessAdviceReader();
void SetProcessAdviceReader(AdviceReader reader);

/// What `reader` can do about `cause` at data source `dsn`; empty for Other.
std::string ConnectAdvice(ConnectCause cause, const std::string& dsn, AdviceReader reader);
