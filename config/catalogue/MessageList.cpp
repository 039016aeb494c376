#include "config/catalogue/MessageList.h"

std::string MessageList(const std::vector<std::string>& items)
{
    std::string text;
    for (const std::string& item : items)
        text += (text.empty() ? "" : "、") + item;
    return text;
}
