#pragma once

#include <string>

/// Passwords in the desktop's keyring (the Secret Service: GNOME Keyring, KWallet), under the
/// service "Tarvex". Every call waits for the keyring's answer; where no keyring runs (no
/// session bus, no daemon, a keyring that cannot be unlocked) the answer comes at once.
class CKeyring
{
public:
    enum class Result
    {
        Done,
        NotFound,
        Unavailable,
    };

    /// Whether a keyring answers on the session bus, asked without waking or unlocking it.
    static bool Reachable();
    static Result Read(const std::string& key, std::string& password);
    static Result Write(const std::string& key, const std::string& password);
};
