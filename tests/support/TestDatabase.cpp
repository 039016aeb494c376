#include "support/TestDatabase.h"

#include "db/ConnectionString.h"
#include "db/IOtlConnection.h"
#include "db/IOtlRecordset.h"

#include <QByteArray>
#include <QtGlobal>

namespace TestDatabase {

namespace {

std::string Variable(const char* name)
{
    const QByteArray value = qgetenv(name);
    if (value.isEmpty())
        qWarning("%s is not set: run the tests through scripts/test.sh", name);
    return value.toStdString();
}

} // namespace

std::string Dsn()
{
    return Variable("TARVEX_DB_DSN");
}

std::string UnreachableDsn()
{
    return Variable("TARVEX_DB_UNREACHABLE_DSN");
}

std::string DsnWithCharset(const std::string& charset)
{
    return Dsn() + "_" + charset;
}

std::string User()
{
    return Variable("TARVEX_DB_USER");
}

std::string Password()
{
    return Variable("TARVEX_DB_PASS");
}

std::string ConnectString()
{
    return BuildConnectString(Dsn(), User(), Password());
}

bool Connect()
{
    std::string error;
    if (IOtlConnection::getInstance()->Connect(ConnectString(), error))
        return true;
    qWarning("cannot connect to the test database: %s", error.c_str());
    return false;
}

bool Run(const std::vector<std::string>& statements)
{
    IOtlConnection* connection = IOtlConnection::getInstance();
    for (const std::string& statement : statements) {
        if (!connection->ExecuteSql(statement)) {
            qWarning("%s: %s", statement.c_str(), connection->GetLastErrorText().c_str());
            return false;
        }
    }
    return true;
}

std::vector<std::string> Rows(const std::string& query, int columns)
{
    IOtlConnection* connection = IOtlConnection::getInstance();
    std::vector<std::string> rows;
    const RecordsetPtr set(connection->OpenRecordset(query));
    if (!set) {
        qWarning("%s: %s", query.c_str(), connection->GetLastErrorText().c_str());
        return {"<query failed>"};
    }
    while (!set->IsEof()) {
        set->FetchNext();
        std::string row;
        for (int column = 1; column <= columns; ++column) {
            if (column > 1)
                row += '|';
            row += set->GetFieldString(column);
        }
        rows.push_back(row);
    }
    return rows;
}

bool RefuseInserts(const std::string& table, const std::string& trigger, const std::string& condition,
                   const std::string& message)
{
    // The driver cannot take a trigger body holding ';' (it splits the text), so the
    // refusal sits in a procedure that the trigger calls in one statement.
    return Run({"DROP PROCEDURE IF EXISTS test_refuse",
                "CREATE PROCEDURE test_refuse(refused BOOLEAN, message VARCHAR(128)) BEGIN "
                "IF refused THEN SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = message; END IF; END",
                "DROP TRIGGER IF EXISTS " + trigger,
                "CREATE TRIGGER " + trigger + " BEFORE INSERT ON " + table +
                    " FOR EACH ROW CALL test_refuse(" + condition + ", '" + message + "')"});
}

bool DropTables(const std::vector<std::string>& tables)
{
    std::vector<std::string> statements;
    for (const std::string& table : tables)
        statements.push_back("DROP TABLE IF EXISTS " + table);
    return Run(statements);
}

} // namespace TestDatabase
