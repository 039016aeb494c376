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
/// keys "DSN" and "USER". The password goes to the desktop's keyring, under the user and
/// data source; where no keyring is available it goes to the file as key "PASS", as it
/// always did, which is why only its owner may read the file.
class CDsnSettings
{
public:
    /// Where Write put the password.
    enum class PasswordPlace
    {
        Keyring,
        File,
    };

    /// Reads the three values into `values`; a missing key reads as empty. The password comes
    /// from the file where it holds one (written where no keyring was, or the old way), else
    /// from the keyring. When the group does not exist yet it is created empty and `values`
    /// is left as it was.
    static void Read(DsnValues& values);
    /// Stores all three values, empty ones included: the password in the keyring, and then
    /// no longer in the file (which moves a password stored the old way), or in the file
    /// where no keyring is available. False when they could not be stored.
    static bool Write(const DsnValues& values, PasswordPlace* place = nullptr);
    /// Where the values are kept.
    static std::string FileName();
};
