#pragma once
#include <string>
#include <string_view>

// Writes the bytes to a temporary file beside `path`, then renames it over
// `path`, so a failure at any point leaves an existing file as it was.
bool ReplaceFileContents(const std::string& path, std::string_view bytes, std::string& error);
