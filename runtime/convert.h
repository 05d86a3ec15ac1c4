#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// The run time's number conversions, shared by every subsystem.

// Leading white space, an optional sign, decimal digits up to the first other
// character; no digits give 0; the value wraps modulo 2^32.
std::int32_t TextToInt32(std::string_view text);
// Plain decimal digits, "-" for negatives, no grouping.
std::string IntToText(std::int64_t value);
// Shortest form with up to 13 significant digits; whole numbers print
// without a decimal point.
std::string RealToText(double value);
// A real to a 32-bit integer by truncation toward zero; out-of-range values
// wrap like the 64-bit integer they truncate to.
std::int32_t TruncateToInt32(double value);
