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
