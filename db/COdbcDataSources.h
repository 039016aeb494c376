#pragma once

#include <string>
#include <vector>

/// A data source unixODBC knows, from the user's odbc.ini or the system's.
struct OdbcDataSource
{
    std::string name;
    /// Its driver as the data source names it (a name from odbcinst.ini, or a library's path).
    std::string driver;
    bool system = false;
};

/// What a new user data source holds.
struct NewDataSource
{
    std::string name;
    std::string driver; // one of the installed drivers
    std::string server;
    std::string port; // empty: the driver's default
    std::string database;
};

/// The data sources and drivers of unixODBC, and new data sources made through its installer
/// library, as the ODBC administrator programs make them.
class COdbcDataSources
{
public:
    /// The user's data sources, then the system's that the user's do not hide, each in the
    /// order unixODBC gives them.
    static std::vector<OdbcDataSource> List();
    /// The names of the installed drivers (odbcinst.ini).
    static std::vector<std::string> Drivers();
    /// Whether a data source of that name is defined, for the user or the system.
    static bool Defined(const std::string& name);
    /// Writes `source` into the user's odbc.ini (where ODBCINI points, else ~/.odbc.ini),
    /// which unixODBC writes anew; the file as it was is kept as odbc.ini.bak beside it.
    /// False, with `error`, for a name that is taken or cannot be a section name, a driver that
    /// is not installed, a port that is no port, or a file that cannot be written.
    static bool AddUser(const NewDataSource& source, std::string& error);
};
