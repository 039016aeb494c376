#pragma once

#include "db/ServerRole.h"

#include <sql.h>
#include <string>
#include <vector>

/// How a connection logs in, apart from what it then executes: where to (a connection string,
/// or a data source, user and password as arguments of their own where a string cannot carry
/// them), with what every session needs added, and, on MySQL and MariaDB, the session set up
/// and checked so that texts keep their bytes and values are refused rather than cut.
class COdbcLogin
{
public:
    /// A login with a connection string.
    static COdbcLogin WithString(const std::string& connectString);
    /// A login to data source `dsn` as `user`: through a connection string where the three
    /// values fit in one, else as arguments of their own.
    static COdbcLogin ToDataSource(const std::string& dsn, const std::string& user,
                                   const std::string& password);

    /// What a login yields: the open connection handle and what is known of its session.
    struct Session
    {
        SQLHDBC dbc = SQL_NULL_HDBC;
        int dbType = 0;               // DbType
        bool multiStatements = false; // one text may carry several statements
        ServerRole role;
    };

    /// Opens a new connection in `env`. False, with `error` saying why, when the driver, the
    /// server or the account refuses, or when the session is not fit for this program; no
    /// handle is left open then.
    bool Open(SQLHENV env, Session& session, std::string& error) const;

    /// The data source it logs in to; empty for a connection string that names none.
    std::string DataSource() const;

    /// The server's role from the session check's row: its values after the four settings.
    static ServerRole RoleOf(const std::vector<std::string>& settings);
    /// Whether a MySQL session of these character sets (client, connection, results) and SQL
    /// mode is fit for this program; `why` when not.
    static bool SessionFits(const std::vector<std::string>& settings, std::string& why);

private:
    std::string m_connectString;
    bool m_separate = false;
    std::string m_dsn;
    std::string m_user;
    std::string m_password;
};
