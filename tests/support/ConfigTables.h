#pragma once

/// The configuration tables of the test database, as the program creates them.
namespace ConfigTables {

/// Drops and creates the eight tables empty, as the program does; false (with a warning) on failure.
bool CreateEmpty();

} // namespace ConfigTables
