#include "support/ServerLog.h"

#include "db/SqlLiteral.h"
#include "support/TestDatabase.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace ServerLog {

namespace {

std::vector<std::string> Split(const std::string& text)
{
    std::vector<std::string> statements = SplitSqlStatements(text);
    statements.erase(std::remove(statements.begin(), statements.end(), std::string()), statements.end());
    return statements;
}

std::string FirstWord(const std::string& statement)
{
    std::string word;
    for (const char c : statement) {
        if (std::isspace(static_cast<unsigned char>(c))) {
            if (!word.empty())
                break;
            continue;
        }
        word += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return word;
}

std::string Query(const char* connections)
{
    return std::string("SELECT argument FROM mysql.general_log WHERE thread_id ") + connections +
           " CONNECTION_ID() AND command_type IN ('Query', 'Execute') AND argument NOT LIKE 'SET GLOBAL "
           "general_log%' "
           "AND argument NOT LIKE 'SELECT argument FROM mysql.general_log%' ORDER BY event_time, thread_id";
}

std::vector<std::string> Read(const std::string& query)
{
    std::vector<std::string> statements;
    for (const std::string& text : TestDatabase::Rows(query, 1)) {
        for (std::string& statement : Split(text))
            statements.push_back(std::move(statement));
    }
    return statements;
}

} // namespace

bool Start()
{
    return TestDatabase::Run({"SET GLOBAL log_output = 'TABLE'", "TRUNCATE TABLE mysql.general_log",
                              "SET GLOBAL general_log = 1"});
}

bool Stop()
{
    return TestDatabase::Run({"SET GLOBAL general_log = 0"});
}

std::vector<std::string> Requests()
{
    return TestDatabase::Rows(Query("="), 1);
}

std::vector<std::string> Statements()
{
    return Read(Query("="));
}

std::vector<std::string> StatementsOfOthers()
{
    return Read(Query("<>"));
}

std::vector<std::string> Writes(const std::vector<std::string>& statements)
{
    static const char* const kWriting[] = {"TRUNCATE", "INSERT", "UPDATE", "DELETE",
                                           "DROP",     "CREATE", "ALTER",  "RENAME"};
    std::vector<std::string> writes;
    for (const std::string& statement : statements) {
        const std::string word = FirstWord(statement);
        if (std::find(std::begin(kWriting), std::end(kWriting), word) != std::end(kWriting))
            writes.push_back(statement);
    }
    return writes;
}

std::set<std::string> TablesWritten(const std::vector<std::string>& statements)
{
    std::set<std::string> tables;
    for (const std::string& statement : statements) {
        for (const char* verb : {"TRUNCATE TABLE ", "INSERT INTO "}) {
            if (statement.rfind(verb, 0) == 0) {
                const std::string rest = statement.substr(std::strlen(verb));
                tables.insert(rest.substr(0, rest.find_first_of(" (")));
            }
        }
    }
    return tables;
}

} // namespace ServerLog
