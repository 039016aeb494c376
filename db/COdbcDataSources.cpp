#include "db/COdbcDataSources.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <odbcinst.h>
#include <sql.h>
#include <sqlext.h>

namespace {

/// An environment handle for the catalogue calls, freed with it.
class CEnvironment
{
public:
    CEnvironment()
    {
        if (SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &m_env) == SQL_SUCCESS)
            SQLSetEnvAttr(m_env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
        else
            m_env = SQL_NULL_HENV;
    }
    ~CEnvironment()
    {
        if (m_env != SQL_NULL_HENV)
            SQLFreeHandle(SQL_HANDLE_ENV, m_env);
    }
    CEnvironment(const CEnvironment&) = delete;
    CEnvironment& operator=(const CEnvironment&) = delete;

    SQLHENV Get() const { return m_env; }

private:
    SQLHENV m_env = SQL_NULL_HENV;
};

bool Succeeded(SQLRETURN rc)
{
    return rc == SQL_SUCCESS || rc == SQL_SUCCESS_WITH_INFO;
}

void AddSources(SQLHENV env, SQLUSMALLINT first, bool system, std::vector<OdbcDataSource>& sources)
{
    SQLCHAR name[SQL_MAX_DSN_LENGTH + 1];
    SQLCHAR driver[512];
    SQLSMALLINT nameLength = 0;
    SQLSMALLINT driverLength = 0;
    for (SQLUSMALLINT direction = first; Succeeded(SQLDataSources(
             env, direction, name, sizeof name, &nameLength, driver, sizeof driver, &driverLength));
         direction = SQL_FETCH_NEXT) {
        OdbcDataSource source{reinterpret_cast<const char*>(name), reinterpret_cast<const char*>(driver),
                              system};
        const bool hidden =
            std::any_of(sources.begin(), sources.end(),
                        [&source](const OdbcDataSource& known) { return known.name == source.name; });
        if (!hidden)
            sources.push_back(std::move(source));
    }
}

/// The installer library's last error, as it words it.
std::string InstallerError()
{
    DWORD code = 0;
    char message[SQL_MAX_MESSAGE_LENGTH] = {};
    WORD length = 0;
    if (SQLInstallerError(1, &code, message, sizeof message, &length) == SQL_NO_DATA || message[0] == '\0')
        return "未知原因";
    return message;
}

bool WriteValue(const std::string& section, const char* key, const std::string& value, std::string& error)
{
    if (value.empty() || SQLWritePrivateProfileString(section.c_str(), key, value.c_str(), "odbc.ini"))
        return true;
    error = "无法写入数据源 " + section + " 的 " + key + "：" + InstallerError();
    return false;
}

/// Where the installer library writes user data sources until it goes.
class CUserScope
{
public:
    CUserScope() { SQLSetConfigMode(ODBC_USER_DSN); }
    ~CUserScope() { SQLSetConfigMode(ODBC_BOTH_DSN); }
    CUserScope(const CUserScope&) = delete;
    CUserScope& operator=(const CUserScope&) = delete;
};

/// The user's odbc.ini as unixODBC finds it.
std::string UserIniPath()
{
    if (const char* path = std::getenv("ODBCINI"); path && *path)
        return path;
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "") + "/.odbc.ini";
}

/// unixODBC writes the whole file anew, without its comments: the user's file as it was is
/// kept beside it first.
bool KeepCopy(const std::string& path, std::string& error)
{
    std::ifstream original(path, std::ios::binary);
    if (!original)
        return true; // nothing written yet
    std::ofstream copy(path + ".bak", std::ios::binary | std::ios::trunc);
    copy << original.rdbuf();
    if (copy.flush())
        return true;
    error = "无法在写入前备份 " + path + "（" + path + ".bak）";
    return false;
}

bool IsPort(const std::string& text)
{
    if (text.empty() || text.size() > 5 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    const int port = std::stoi(text);
    return port >= 1 && port <= 65535;
}

/// Why `text` cannot stand in odbc.ini as `what` of a data source; empty when it can.
std::string IniProblem(const std::string& text, const char* what)
{
    if (text.find_first_of("\r\n") != std::string::npos)
        return std::string(what) + "不能含有换行";
    if (!text.empty() && (text.front() == ' ' || text.back() == ' '))
        return std::string(what) + "的首尾不能是空格";
    return {};
}

} // namespace

std::vector<OdbcDataSource> COdbcDataSources::List()
{
    std::vector<OdbcDataSource> sources;
    CEnvironment env;
    if (env.Get() == SQL_NULL_HENV)
        return sources;
    AddSources(env.Get(), SQL_FETCH_FIRST_USER, false, sources);
    AddSources(env.Get(), SQL_FETCH_FIRST_SYSTEM, true, sources);
    return sources;
}

std::vector<std::string> COdbcDataSources::Drivers()
{
    std::vector<std::string> drivers;
    CEnvironment env;
    if (env.Get() == SQL_NULL_HENV)
        return drivers;
    SQLCHAR name[256];
    SQLCHAR attributes[1024];
    SQLSMALLINT nameLength = 0;
    SQLSMALLINT attributesLength = 0;
    for (SQLUSMALLINT direction = SQL_FETCH_FIRST;
         Succeeded(SQLDrivers(env.Get(), direction, name, sizeof name, &nameLength, attributes,
                              sizeof attributes, &attributesLength));
         direction = SQL_FETCH_NEXT)
        drivers.emplace_back(reinterpret_cast<const char*>(name));
    return drivers;
}

bool COdbcDataSources::Defined(const std::string& name)
{
    const std::vector<OdbcDataSource> sources = List();
    return std::any_of(sources.begin(), sources.end(),
                       [&name](const OdbcDataSource& source) { return source.name == name; });
}

bool COdbcDataSources::AddUser(const NewDataSource& source, std::string& error)
{
    if (source.name.empty() || source.name.find_first_of("[]=;{}") != std::string::npos) {
        error = "数据源名称不能为空，也不能含有 [ ] = ; { }";
        return false;
    }
    for (const auto& [text, what] :
         {std::pair{&source.name, "数据源名称"}, std::pair{&source.server, "服务器"},
          std::pair{&source.database, "数据库"}}) {
        error = IniProblem(*text, what);
        if (!error.empty())
            return false;
    }
    if (Defined(source.name)) {
        error = "已有名为 " + source.name + " 的数据源，请换一个名称";
        return false;
    }
    const std::vector<std::string> drivers = Drivers();
    if (std::find(drivers.begin(), drivers.end(), source.driver) == drivers.end()) {
        error = "驱动程序 " + source.driver + " 没有安装";
        return false;
    }
    if (source.server.empty()) {
        error = "请填写服务器的地址或主机名";
        return false;
    }
    if (!source.port.empty() && !IsPort(source.port)) {
        error = "端口 " + source.port + " 不是 1 到 65535 之间的数";
        return false;
    }
    if (!KeepCopy(UserIniPath(), error))
        return false;
    const CUserScope userScope;
    if (!SQLWriteDSNToIni(source.name.c_str(), source.driver.c_str())) {
        error = "无法写入数据源 " + source.name + "：" + InstallerError();
        return false;
    }
    return WriteValue(source.name, "SERVER", source.server, error) &&
           WriteValue(source.name, "PORT", source.port, error) &&
           WriteValue(source.name, "DATABASE", source.database, error);
}
