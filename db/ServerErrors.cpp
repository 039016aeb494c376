#include "db/ServerErrors.h"

long ServerErrorOfState(const std::string& sqlState)
{
    // Serialization failure: a deadlock, or a transaction that lost to another node's.
    return sqlState == "40001" ? long(ServerErrorDeadlock) : 0L;
}

std::string ExplainServerError(const std::string& driverText, const std::string& dataSource)
{
    if (driverText.find("WSREP has not yet prepared node") == std::string::npos)
        return driverText;
    return CutOffNodeText(dataSource) + "\r\n" + driverText;
}

std::string CutOffNodeText(const std::string& dataSource)
{
    const std::string source = dataSource.empty() ? std::string() : "（数据源 " + dataSource + "）";
    return "这个数据库节点" + source +
           "已与集群断开，不在集群的主组件中，暂时不能读写。请改用集群中的另一个节点，"
           "或等它重新加入集群后再试。";
}
