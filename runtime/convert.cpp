#include "runtime/convert.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

std::int32_t TextToInt32(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    std::uint32_t value = 0;  // unsigned so that overflow wraps instead of being undefined
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = value * 10u + static_cast<std::uint32_t>(text[i] - '0');
    if (negative) value = 0u - value;
    return static_cast<std::int32_t>(value);
}

std::string IntToText(std::int64_t value) {
    return std::to_string(value);
}

std::string RealToText(double value) {
    if (std::isnan(value)) return "nan";
    if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
    // Try increasing precision until the text reads back as the same value,
    // which gives the shortest form within 13 significant digits.
    char buffer[64];
    for (int digits = 1; digits <= 13; ++digits) {
        std::snprintf(buffer, sizeof buffer, "%.*g", digits, value);
        if (std::strtod(buffer, nullptr) == value) return buffer;
    }
    return buffer;
}

std::int32_t TruncateToInt32(double value) {
    if (!(std::fabs(value) < 9.2e18)) return 0;  // NaN and values no integer type holds
    return static_cast<std::int32_t>(
        static_cast<std::uint32_t>(static_cast<std::uint64_t>(static_cast<std::int64_t>(value))));
}
