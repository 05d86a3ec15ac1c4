#pragma once
#include <string_view>

// Whether a GBK name contains the text. ASCII letters compare without regard
// to case; every other byte must be equal. A match begins only at a character
// boundary and covers whole characters, a double-byte character (first byte
// 0x80 or above) counting as one.
bool NameContains(std::string_view name, std::string_view text);
