#pragma once

#include <string>
#include <vector>

/// The configuration tables of the test database, as the program creates them.
namespace ConfigTables {

/// The eight table names.
const std::vector<std::string>& Names();

/// Drops and creates the eight tables empty, as the program does; false (with a warning) on failure.
bool CreateEmpty();

} // namespace ConfigTables
