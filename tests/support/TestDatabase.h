#pragma once

#include <string>
#include <vector>

/// The private test server, as the test scripts describe it in the environment
/// (TARVEX_DB_DSN, TARVEX_DB_USER, TARVEX_DB_PASS). A test that cannot reach it fails.
namespace TestDatabase {

std::string Dsn();
std::string UnreachableDsn();
/// The test server's data source that names `charset` ("gbk", "latin1") as its character set.
std::string DsnWithCharset(const std::string& charset);
std::string User();
std::string Password();
/// The connection string of the test server.
std::string ConnectString();

/// Opens the process-wide connection on the test server; false (with a warning that says
/// why) when it cannot.
bool Connect();

/// Runs statements on the process-wide connection; false, with the statement and the
/// database's text as a warning, at the first that fails.
bool Run(const std::vector<std::string>& statements);

/// Rows of a query, the first `columns` columns of each joined by '|' (NULL as empty);
/// a failing query gives the one row "<query failed>".
std::vector<std::string> Rows(const std::string& query, int columns);

/// Makes the server refuse the INSERTs into `table` for which `condition` (on NEW) holds,
/// with SQLSTATE 45000 and `message`, through a trigger named `trigger`.
bool RefuseInserts(const std::string& table, const std::string& trigger, const std::string& condition,
                   const std::string& message);

/// Drops the tables if they exist.
bool DropTables(const std::vector<std::string>& tables);

} // namespace TestDatabase
