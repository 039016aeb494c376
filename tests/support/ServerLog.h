#pragma once

#include <set>
#include <string>
#include <vector>

/// The test server's general log, read back as a table: what this connection sent.
namespace ServerLog {

/// Empties the log and starts it; false (with a warning) on failure.
bool Start();
/// Stops the log.
bool Stop();

/// The texts this connection has asked the server to run since Start, in order, each as
/// it went over the connection (one request, however many statements it holds).
std::vector<std::string> Requests();

/// The statements this connection has sent since Start, in order: each text the server
/// received split at the semicolons outside quotes. The log's own statements are left out.
std::vector<std::string> Statements();

/// The same for every other connection: another process's, for example.
std::vector<std::string> StatementsOfOthers();

/// The statements among `statements` that change a table (TRUNCATE, INSERT, UPDATE, DELETE,
/// DROP, CREATE, ALTER, RENAME).
std::vector<std::string> Writes(const std::vector<std::string>& statements);

/// The tables that `statements` empty (TRUNCATE TABLE) or insert into.
std::set<std::string> TablesWritten(const std::vector<std::string>& statements);

} // namespace ServerLog
