#pragma once

#include <string>

/// "DSN=%s; UID=%s; PWD=%s". A value goes in as it is, unless the driver could not parse it
/// back that way (it holds ';', '{' or '}', or begins or ends with a blank): then it is
/// enclosed in braces with every '}' doubled.
std::string BuildConnectString(const std::string& dsn, const std::string& user, const std::string& password);

/// Whether the driver takes `value` back out of a connection string as it is: it trims
/// blanks at either end of a value, braces or not.
bool ConnectStringCarries(const std::string& value);

/// The value of attribute `key` (letter case ignored) in a connection string, braces
/// removed; empty when the string does not name it.
std::string ConnectStringValue(const std::string& connectString, const std::string& key);
