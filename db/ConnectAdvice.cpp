#include "db/ConnectAdvice.h"

#include <algorithm>

namespace {

bool Contains(const std::string& text, const char* part)
{
    return text.find(part) != std::string::npos;
}

bool OneOf(long value, std::initializer_list<long> values)
{
    return std::find(values.begin(), values.end(), value) != values.end();
}

} // namespace

ConnectCause ConnectCauseOf(const std::string& sqlState, long nativeError, const std::string& message,
                            bool dataSourceDefined)
{
    if (sqlState == "IM003" || Contains(message, "Can't open lib"))
        return ConnectCause::DriverMissing;
    if (sqlState == "IM002")
        return dataSourceDefined ? ConnectCause::DriverMissing : ConnectCause::DataSourceUnknown;
    // MariaDB and MySQL: access denied; SQL Server: login failed.
    if (sqlState == "28000" || OneOf(nativeError, {1045, 18456}))
        return ConnectCause::LoginRefused;
    // Unknown database, or not the user's; SQL Server: cannot open the database.
    if (OneOf(nativeError, {1044, 1049, 4060}) || Contains(message, "Unknown database"))
        return ConnectCause::DatabaseMissing;
    // No connection, host unknown, server gone; the client library's own codes and the
    // standard's class 08 (connection exception).
    if (OneOf(nativeError, {2002, 2003, 2005, 2006, 2013, 20009}) || sqlState.compare(0, 2, "08") == 0)
        return ConnectCause::ServerUnreachable;
    return ConnectCause::Other;
}

namespace {

AdviceReader& Reader()
{
    static AdviceReader reader = AdviceReader::Window;
    return reader;
}

} // namespace

AdviceReader ProcessAdviceReader()
{
    return Reader();
}

void SetProcessAdviceReader(AdviceReader reader)
{
    Reader() = reader;
}

std::string ConnectAdvice(ConnectCause cause, const std::string& dsn, AdviceReader reader)
{
    const bool console = reader == AdviceReader::Console;
    switch (cause) {
    case ConnectCause::DriverMissing:
        return "数据源 " + dsn +
               " 所用的 ODBC 驱动程序没有安装：MariaDB 和 MySQL 请安装 odbc-mariadb，SQL Server 请安装 "
               "tdsodbc；" +
               (console
                    ? std::string("或在 ODBC 数据源文件（~/.odbc.ini，或环境变量 ODBCINI 所指的文件）中为它"
                                  "指定一个已安装的驱动程序（odbcinst -q -d 列出已安装的驱动程序）。")
                    : std::string("或用“新建...”为数据源选一个已安装的驱动程序。"));
    case ConnectCause::DataSourceUnknown:
        return "没有名为 " + dsn + " 的数据源：" +
               (console ? std::string(
                              "odbcinst -q -s 列出已有的数据源；新的数据源写在 ~/.odbc.ini（或环境变量 "
                              "ODBCINI 所指的文件）中，也可以在 Tarvex 窗口的数据源对话框中用“新建...”创建。")
                        : std::string("请从 DSN 列表中选择一个，或用“新建...”创建。"));
    case ConnectCause::ServerUnreachable:
        return "连不上数据库服务器：请检查数据源 " + dsn +
               " 中的服务器地址和端口、服务器是否在运行，以及防火墙或 VPN 是否放行。";
    case ConnectCause::LoginRefused:
        return "服务器拒绝了这个用户和密码：请检查用户名和密码，以及该用户是否可以从本机登录。";
    case ConnectCause::DatabaseMissing:
        return "服务器上没有数据源 " + dsn +
               " 所指的数据库，或该用户无权使用它：请检查数据源中的数据库名，或先在服务器上创建数据库，"
               "再用" +
               (console ? std::string("Tarvex 窗口中的“数据库 → 初始化数据库”")
                        : std::string("“初始化数据库”")) +
               "建表。";
    case ConnectCause::SessionRefused:
        return "服务器拒绝了登录后设置会话的语句：请检查数据源 " + dsn +
               " 的初始语句 (INITSTMT)，以及服务器是否允许该用户设置会话的 SQL 模式 (sql_mode)。";
    case ConnectCause::Other:
        break;
    }
    return {};
}
