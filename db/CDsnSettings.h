#pragma once

#include <string>

/// The data source values as the user last confirmed them.
struct DsnValues
{
    std::string dsn;
    std::string user;
    std::string password;
};

/// The stored data source settings: per user, organisation "Tarvex", group "Database",
/// keys "DSN", "USER" and "PASS". The file holds a password, so only its owner may read it.
class CDsnSettings
{
public:
    /// Reads the three values into `values`; a missing key reads as empty. When the group
    /// does not exist yet it is created empty and `values` is left as it was.
    static void Read(DsnValues& values);
    /// Stores all three values, empty ones included. False when they could not be stored.
    static bool Write(const DsnValues& values);
    /// Where the values are kept.
    static std::string FileName();
};
