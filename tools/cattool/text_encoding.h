#pragma once
#include <optional>
#include <string>
#include <string_view>

// UTF-8 <-> GBK for the catalogue tool: iconv on Linux, the code page
// functions on Windows. Either direction fails rather than substitute a
// character it cannot map.
std::optional<std::string> Utf8ToGbk(std::string_view utf8);
std::optional<std::string> GbkToUtf8(std::string_view gbk);

// UTF-8 to text the catalogue can store; on failure `error` names the first
// character that cannot be stored, or the byte where the UTF-8 is broken.
bool ToCatalogueText(std::string_view utf8, std::string& gbk, std::string& error);
