#include "db/ServerErrors.h"

std::string ExplainServerError(long serverError, const std::string& driverText, const std::string& dataSource)
{
    if (serverError != ServerErrorNodeNotReady || driverText.find("WSREP") == std::string::npos)
        return driverText;
    const std::string source = dataSource.empty() ? std::string() : "（数据源 " + dataSource + "）";
    return "这个数据库节点" + source +
           "已与集群断开，不在集群的主组件中，暂时不能读写。请改用集群中的另一个节点，"
           "或等它重新加入集群后再试。\r\n" +
           driverText;
}
