#include "db/ServerRole.h"

std::string ServerRole::Note() const
{
    std::string note;
    if (clusterNode)
        note = "集群节点，" + std::to_string(clusterSize) + " 个节点";
    if (readOnly)
        note += (note.empty() ? "" : "，") + std::string("只读");
    return note.empty() ? note : "（" + note + "）";
}

std::string ServerRole::ReadOnlyRefusal(const std::string& dataSource)
{
    return "数据源 " + dataSource + " 是只读的（可能是从库），请连接主库";
}

std::string ServerRole::TableCreate(const std::string& create) const
{
    const std::string myIsam = "ENGINE=MyISAM";
    const std::size_t engine = create.find(myIsam);
    if (!clusterNode || engine == std::string::npos)
        return create;
    return create.substr(0, engine) + "ENGINE=InnoDB" + create.substr(engine + myIsam.size());
}
