#include "config/data/CfgRecords.h"

#include <cstring>

namespace {

bool IsContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

} // namespace

void CopyToField(char* field, std::size_t fieldSize, const std::string& text)
{
    if (fieldSize == 0)
        return;
    std::size_t length = text.size();
    if (length > fieldSize - 1) {
        length = fieldSize - 1;
        // Step back to the first byte of the character that would be split.
        while (length > 0 && IsContinuationByte(text[length]))
            --length;
    }
    std::memcpy(field, text.data(), length);
    std::memset(field + length, 0, fieldSize - length);
}
