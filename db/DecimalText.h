#pragma once

#include <string>

/// The C library's decimal reading of a text: leading blanks skipped, an optional sign,
/// digits up to the first other character; no digits gives 0. Values beyond the range of
/// int are clamped instead of being undefined.
int DecimalToInt(const std::string& text);
