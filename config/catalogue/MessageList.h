#pragma once

#include <string>
#include <vector>

/// `items` as messages list them: joined with "、".
std::string MessageList(const std::vector<std::string>& items);
